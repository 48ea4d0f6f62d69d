// The busy mode sits in front of the toolkit's event dispatch, which every event
// for a window goes through, so input can be dropped in one place.
#include "app/busy_mode.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <memory>

namespace {

Fl_Event_Dispatch g_previousDispatch = nullptr;
bool g_active = false;
// The window the user asked to close while busy; the tracker notices if it goes
// away by other means meanwhile.
std::unique_ptr<Fl_Widget_Tracker> g_closeAsked;

bool IsInputEvent(int event) {
  switch (event) {
    case FL_PUSH: case FL_RELEASE: case FL_DRAG: case FL_MOVE: case FL_MOUSEWHEEL:
    case FL_KEYBOARD: case FL_KEYUP: case FL_SHORTCUT: case FL_PASTE:
    case FL_DND_ENTER: case FL_DND_DRAG: case FL_DND_LEAVE: case FL_DND_RELEASE:
      return true;
    default:
      return false;
  }
}

void HoldBackClose(Fl_Window* window) {
  if (window && !g_closeAsked) g_closeAsked = std::make_unique<Fl_Widget_Tracker>(window->top_window());
}

int BusyDispatch(int event, Fl_Window* window) {
  // Esc closes a window in this program, so while busy it is a close request too.
  bool escape = (event == FL_KEYBOARD || event == FL_SHORTCUT) && Fl::event_key() == FL_Escape;
  if (event == FL_CLOSE || escape) {
    HoldBackClose(window ? window : Fl::first_window());
    return 1;
  }
  if (IsInputEvent(event)) return 1;
  return g_previousDispatch ? g_previousDispatch(event, window) : Fl::handle_(event, window);
}

}  // namespace

BusyMode::BusyMode() {
  if (g_active) return;
  g_previousDispatch = Fl::event_dispatch();
  Fl::event_dispatch(BusyDispatch);
  g_active = true;
  outermost_ = true;
}

BusyMode::~BusyMode() { End(); }

void BusyMode::KeepAlive() {
  if (g_active) Fl::check();
}

void BusyMode::End() {
  if (!outermost_) return;
  outermost_ = false;
  Fl::event_dispatch(g_previousDispatch);
  g_previousDispatch = nullptr;
  g_active = false;
}

void BusyMode::CloseIfAsked() {
  std::unique_ptr<Fl_Widget_Tracker> asked = std::move(g_closeAsked);
  if (!asked || asked->deleted()) return;
  auto* window = static_cast<Fl_Window*>(asked->widget());
  if (window->shown()) window->do_callback();
}
