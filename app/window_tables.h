// The program's windows as data: one table per window, each control's kind, name,
// place, text and bound handler. Names and texts are code page 936.
#pragma once

#include <vector>

#include "text/values.h"

enum class ControlKind { Label, EditBox, Button, PicBox, SimpleHtml };

struct Box {
  int left, top, width, height;
};

using Handler = void (*)();

struct ControlDefinition {
  ControlKind kind;
  const char* name;
  Box box;            // in the window's client area
  const char* text;   // caption, label, or the HTML of a SimpleHtml box
  Handler clicked;    // Button only; nullptr when nothing is bound
  int picture;        // PicBox only: 1, 2 or 3
};

struct WindowDefinition {
  const char* name;
  const char* title;
  int outerWidth, outerHeight;  // frame and title bar included
  bool minimiseBox;
  Handler created;              // runs before the window first shows
  std::vector<ControlDefinition> controls;
};

// The window manager draws the frame, so the client area is the outer size less
// this allowance: a fixed dialog frame of 3 pixels and a title bar of 23.
struct FrameAllowance {
  int left, top, right, bottom;
};
constexpr FrameAllowance kFrameAllowance{3, 26, 3, 3};

// The client size of a window: its outer size less the frame allowance.
Box ClientArea(const WindowDefinition& window);

// nullptr when no window has that name.
const WindowDefinition* FindWindowDefinition(const Text& name);
const std::vector<const WindowDefinition*>& WindowDefinitions();

// The targets of the two links of MainWindow's hypertext box, and the example
// share link that the tutorial's fourth step shows.
extern const char kMakerSiteAddress[];
extern const char kMakerSpaceAddress[];
extern const char kExampleShareLink[];
