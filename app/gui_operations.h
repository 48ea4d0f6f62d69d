// The operations through which the program's code touches windows and controls.
// Windows and controls are addressed by name; names and texts are code page 936.
// Nothing here exposes the GUI toolkit.
#pragma once

#include <optional>

#include "text/values.h"

// What an EditBox shows now; empty when the box is empty or does not exist.
Text GetControlText(const Text& window, const Text& control);
void SetControlText(const Text& window, const Text& control, const Text& text);
// The caption of a Button; it is redrawn at once, so a busy caption shows even
// when no event is processed afterwards.
void SetControlCaption(const Text& window, const Text& control, const Text& text);
// A disabled control takes no mouse or keyboard input.
void SetControlDisabled(const Text& window, const Text& control, bool disabled);
void SetControlFocus(const Text& window, const Text& control);
// Creates and shows the window, disables every other window of the program and
// returns once the window has been destroyed (or the program is quitting). When
// the window is already open it is brought to the front and the call returns.
void OpenWindowModal(const Text& window);
// Destroys the window after the current event has returned.
void CloseWindow(const Text& window);

constexpr int MB_OK = 0;
constexpr int IDOK = 1;
// A modal box with the message and one OK button; every window of the program is
// disabled while it shows. The caption is "信息：" when no title is given.
// Returns IDOK.
int ShowMessage(const Text& message, int buttonCode = MB_OK, std::optional<Text> title = std::nullopt);
