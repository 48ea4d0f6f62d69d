// Top-level windows: register, disabled state, window manager hints, quit rule.
#include "app/gui/top_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>

namespace {
std::vector<TopWindow*> g_openWindows;
int g_loopDepth = 0;
bool g_quitPosted = false;

bool IsInputEvent(int event) {
  switch (event) {
    case FL_PUSH: case FL_RELEASE: case FL_DRAG: case FL_MOVE: case FL_ENTER: case FL_MOUSEWHEEL:
    case FL_KEYBOARD: case FL_KEYUP: case FL_SHORTCUT: case FL_CLOSE: case FL_PASTE:
    case FL_DND_ENTER: case FL_DND_DRAG: case FL_DND_RELEASE:
      return true;
    default:
      return false;
  }
}

bool IsEnter(int event) {
  return (event == FL_KEYBOARD || event == FL_KEYUP || event == FL_SHORTCUT) &&
         (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter);
}

// Events for a disabled window go nowhere, so neither its controls nor the
// close request, nor Esc, reach it.
int FilterEvent(int event, Fl_Window* window) {
  if (window) {
    auto* top = dynamic_cast<TopWindow*>(window->top_window());
    if (top && top->inputDisabled && IsInputEvent(event)) return 1;
    if (top && top->ignoresEnter && IsEnter(event)) return 1;
  }
  return Fl::handle_(event, window);
}

// The close box, the window manager's close and Esc all ask to close; nothing in
// the program refuses, so the window goes at once.
void CloseRequested(Fl_Widget* widget, void*) {
  auto* top = static_cast<TopWindow*>(widget);
  if (!top->inputDisabled) DestroyTopWindow(top);
}

// Without a window manager nobody hands a window the keyboard.
void GiveKeyboard(TopWindow* window) {
  XSetInputFocus(fl_display, fl_xid(window), RevertToParent, CurrentTime);
}

void DeliverClose(void* window) { DestroyTopWindow(static_cast<TopWindow*>(window)); }

// Motif hints are what X window managers read for the frame's buttons.
void SetFrameHints(TopWindow* window) {
  enum { kFunctions = 1, kDecorations = 2 };
  enum { kFuncMove = 4, kFuncMinimise = 8, kFuncClose = 32 };
  enum { kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimise = 32 };
  long hints[5] = {kFunctions | kDecorations, kFuncMove | kFuncClose, kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  if (window->HasMinimiseBox()) {
    hints[1] |= kFuncMinimise;
    hints[2] |= kDecorMinimise;
  }
  Atom motif = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(window), motif, motif, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints), 5);
}
}  // namespace

TopWindow::TopWindow(const Text& name, int x, int y, int width, int height, const std::string& title,
                     bool minimiseBox)
    : Fl_Double_Window(x, y, width, height), name_(name), minimiseBox_(minimiseBox) {
  copy_label(title.c_str());
  xclass("mirovel");
  // A fixed frame: minimum and maximum size are the same.
  size_range(width, height, width, height);
  callback(CloseRequested);
}

Fl_Widget* TopWindow::Control(const Text& name) const {
  auto found = controls_.find(name.str());
  return found == controls_.end() ? nullptr : found->second;
}

void InstallEventFilter() { Fl::event_dispatch(FilterEvent); }

TopWindow* FindTopWindow(const Text& name) {
  TopWindow* closingOne = nullptr;
  for (TopWindow* window : g_openWindows) {
    if (window->Name() != name) continue;
    if (!window->closing) return window;
    closingOne = window;
  }
  return closingOne;
}

bool IsOpen(const TopWindow* window) {
  return std::find(g_openWindows.begin(), g_openWindows.end(), window) != g_openWindows.end();
}

void RegisterTopWindow(TopWindow* window) { g_openWindows.push_back(window); }

void DisableOtherWindows(TopWindow* window) {
  for (TopWindow* other : g_openWindows) {
    if (other == window) continue;
    window->disabledForThis.emplace_back(other, !other->inputDisabled);
    other->inputDisabled = true;
  }
}

void DestroyTopWindow(TopWindow* window) {
  if (!IsOpen(window)) return;
  for (auto& [other, wasEnabled] : window->disabledForThis) {
    if (IsOpen(other)) other->inputDisabled = !wasEnabled;
  }
  window->disabledForThis.clear();
  Fl::remove_timeout(DeliverClose, window);
  g_openWindows.erase(std::find(g_openWindows.begin(), g_openWindows.end(), window));
  window->hide();
  // This may run inside the window's own event; the toolkit deletes it afterwards.
  Fl::delete_widget(window);
  if (g_openWindows.empty()) {
    if (g_loopDepth > 0) g_quitPosted = true;
    return;
  }
  // The keyboard goes back to the newest window that still takes input, as it
  // would to the window a modal one was opened from.
  for (auto it = g_openWindows.rbegin(); it != g_openWindows.rend(); ++it) {
    if (!(*it)->inputDisabled && (*it)->shown()) {
      GiveKeyboard(*it);
      break;
    }
  }
}

void CloseTopWindowLater(TopWindow* window) {
  if (!IsOpen(window) || window->closing) return;
  window->closing = true;
  Fl::add_timeout(0.0, DeliverClose, window);
}

void ShowAndActivate(TopWindow* window) {
  window->show();
  SetFrameHints(window);
  window->wait_for_expose();
  if (window->shown()) GiveKeyboard(window);
}

void RunEventsUntilGone(TopWindow* window) {
  ++g_loopDepth;
  while (!g_quitPosted && !g_openWindows.empty() && (window == nullptr || IsOpen(window))) Fl::wait(1e20);
  --g_loopDepth;
}

bool QuitPosted() { return g_quitPosted; }
