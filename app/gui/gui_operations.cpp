// The GUI operations by window and control name.
#include "app/gui_operations.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include "app/gui/gui_style.h"
#include "app/gui/top_window.h"
#include "app/gui/window_factory.h"
#include "platform/codepage/boundary.h"

namespace {
Fl_Widget* FindControl(const Text& window, const Text& control) {
  TopWindow* top = FindTopWindow(window);
  return top ? top->Control(control) : nullptr;
}
}  // namespace

Text GetControlText(const Text& window, const Text& control) {
  auto* edit = dynamic_cast<Fl_Input*>(FindControl(window, control));
  return edit ? Utf8ToCp936(edit->value()) : Text();
}

void SetControlText(const Text& window, const Text& control, const Text& text) {
  if (auto* edit = dynamic_cast<Fl_Input*>(FindControl(window, control))) edit->value(Cp936ToUtf8(text).c_str());
}

void SetControlCaption(const Text& window, const Text& control, const Text& text) {
  if (Fl_Widget* widget = FindControl(window, control)) {
    widget->copy_label(LiteralLabel(Cp936ToUtf8(text)).c_str());
    widget->redraw();
  }
}

void SetControlDisabled(const Text& window, const Text& control, bool disabled) {
  if (Fl_Widget* widget = FindControl(window, control)) {
    if (disabled) {
      widget->deactivate();
    } else {
      widget->activate();
    }
  }
}

void SetControlFocus(const Text& window, const Text& control) {
  if (Fl_Widget* widget = FindControl(window, control)) widget->take_focus();
}

void OpenWindowModal(const Text& name) {
  if (TopWindow* open = FindTopWindow(name); open && !open->closing) {
    // show() restores a minimised window and raises a visible one.
    open->show();
    return;
  }
  const WindowDefinition* definition = FindWindowDefinition(name);
  if (!definition) return;
  TopWindow* window = CreateProgramWindow(*definition);
  DisableOtherWindows(window);
  ShowAndActivate(window);
  RunEventsUntilGone(window);
}

void CloseWindow(const Text& name) {
  TopWindow* window = FindTopWindow(name);
  if (window) CloseTopWindowLater(window);
}
