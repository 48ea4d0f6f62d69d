// The GUI layer's life: start-up, the start window, the message loop and the end.
#pragma once

#include "text/values.h"

using ExitHandler = void (*)();

// Learns the program's folder and makes it the current directory, and installs
// the error box as the toolkit's fatal reporter.
void StartGuiLayer();
// The one exit handler, run once at the normal end; a later call replaces it.
void RegisterExitHandler(ExitHandler handler);
// Connects to the display, creates the window and its controls, runs its created
// event and shows it. No display or no such window is a FatalError.
void OpenStartWindow(const Text& window);
// Dispatches events until the last window of the program has been destroyed.
// Returns at once when no window is open.
void RunMessageLoop();
// The normal end: the exit handler once, then every library loaded by name is
// unloaded, then the process ends with the code.
[[noreturn]] void EndProgram(int code);
