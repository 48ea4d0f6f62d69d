// Driving the real windows of the program under an X server: xdotool for the
// mouse and keyboard, Xlib for close requests and screenshots.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "app/gui/top_window.h"

// Starts xdotool with the arguments and pumps the window events until it has
// ended and what it typed or clicked has been handled.
void RunXdotool(const std::vector<std::string>& arguments);
// Starts xdotool without waiting for it (the events then run inside whichever
// loop is running, a nested one included).
pid_t StartXdotool(const std::vector<std::string>& arguments);
// Pumps events until done() holds or the seconds have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, double seconds = 10.0);

// Calls open(), and once a window of that name shows, runs act(window) from
// inside whatever loop is running then (the nested loop of a modal window
// included); then pumps events until no window of that name is left. False when
// the window never showed or never went.
bool ObserveWindow(const Text& name, const std::function<void()>& open, const std::function<void(TopWindow*)>& act);

// Screen coordinates of a point in the window's client area, as text for xdotool.
std::string ScreenX(const TopWindow* window, int x);
std::string ScreenY(const TopWindow* window, int y);

// Asks the window to close the way a window manager's close box does.
void SendCloseRequest(const TopWindow* window);

struct Rgb {
  int r, g, b;
};
// The window's client area as the X server shows it now, row by row.
std::vector<Rgb> GrabWindow(const TopWindow* window);
