// The program's top-level windows: their register, enabled state, showing and
// destruction, and the quit rule that ends the message loop.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "text/values.h"

class TopWindow : public Fl_Double_Window {
 public:
  // x, y, width and height are the client area's; title is UTF-8.
  TopWindow(const Text& name, int x, int y, int width, int height, const std::string& title, bool minimiseBox);

  const Text& Name() const { return name_; }
  bool HasMinimiseBox() const { return minimiseBox_; }
  // nullptr when the window has no control of that name.
  Fl_Widget* Control(const Text& name) const;
  void AddControl(const Text& name, Fl_Widget* widget) { controls_[name.str()] = widget; }

  // A disabled window takes no mouse or keyboard input and cannot be closed.
  bool inputDisabled = false;
  // The program's own windows let Enter do nothing: it neither moves the focus
  // nor presses a button. Message boxes take it for their OK.
  bool ignoresEnter = false;
  // CloseWindow has posted its destruction.
  bool closing = false;
  // The windows disabled on this window's behalf, each with whether it was enabled.
  std::vector<std::pair<TopWindow*, bool>> disabledForThis;

 private:
  Text name_;
  bool minimiseBox_;
  std::map<std::string, Fl_Widget*> controls_;
};

// Sends every event through the disabled-window filter. Called once at start-up.
void InstallEventFilter();

// The open window of that name; one that is not closing is preferred.
TopWindow* FindTopWindow(const Text& name);
bool IsOpen(const TopWindow* window);
void RegisterTopWindow(TopWindow* window);
// Disables every other open window, remembering whether each was enabled.
void DisableOtherWindows(TopWindow* window);
// Gives the windows disabled for this one their state back, forgets it and
// deletes it once the current event is over. When it was the last window and a
// message loop runs, the quit is posted.
void DestroyTopWindow(TopWindow* window);

// Marks the window as closing and destroys it from the message loop, after the
// current event has returned. A second call changes nothing.
void CloseTopWindowLater(TopWindow* window);

// Maps the window, sets the window manager hints and gives it the keyboard.
void ShowAndActivate(TopWindow* window);

// The message loop and its nested form: dispatch until `window` is gone (nullptr:
// until no window is left) or the quit has been posted.
void RunEventsUntilGone(TopWindow* window);
bool QuitPosted();
