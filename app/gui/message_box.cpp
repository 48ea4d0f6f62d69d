// Message boxes built from the same top-level windows as the program's own.
#include "app/gui/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdio>

#include "app/gui/gui_style.h"
#include "app/gui/top_window.h"
#include "app/gui_operations.h"
#include "platform/codepage/boundary.h"

namespace {
constexpr int kMargin = 16, kIconSize = 32, kButtonWidth = 80, kButtonHeight = 24;
constexpr int kWidestText = 420, kNarrowestBox = 200;

// The error icon: a red disc with a white cross.
class ErrorIcon : public Fl_Widget {
 public:
  ErrorIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}

 protected:
  void draw() override {
    fl_color(fl_rgb_color(0xD0, 0x20, 0x20));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    fl_line(x() + 10, y() + 10, x() + w() - 11, y() + h() - 11);
    fl_line(x() + w() - 11, y() + 10, x() + 10, y() + h() - 11);
    fl_line_style(0);
  }
};

void OkClicked(Fl_Widget* button, void*) { DestroyTopWindow(static_cast<TopWindow*>(button->window())); }
}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& message, MessageIcon icon) {
  const std::string label = LiteralLabel(message);
  fl_font(FL_HELVETICA, kGuiFontSize);
  int textWidth = kWidestText, textHeight = 0;
  fl_measure(label.c_str(), textWidth, textHeight, 0);
  // Long lines wrap inside the widest text; short messages keep their own width.
  if (textWidth > kWidestText) {
    textWidth = kWidestText;
    fl_measure(label.c_str(), textWidth, textHeight, 0);
  }
  const int iconWidth = icon == MessageIcon::Error ? kIconSize + kMargin : 0;
  const int width = std::max(kNarrowestBox, kMargin + iconWidth + textWidth + kMargin);
  const int bodyHeight = std::max(textHeight, icon == MessageIcon::Error ? kIconSize : 0);
  const int height = kMargin + bodyHeight + kMargin + kButtonHeight + kMargin;

  auto* box = new TopWindow("", (Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height, caption, false);
  if (icon == MessageIcon::Error) new ErrorIcon(kMargin, kMargin);
  auto* text = new Fl_Box(FL_NO_BOX, kMargin + iconWidth, kMargin, textWidth, bodyHeight, nullptr);
  text->copy_label(label.c_str());
  text->labelsize(kGuiFontSize);
  text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  // The box's only button takes Enter as well as a click.
  auto* ok = new Fl_Return_Button((width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth,
                                  kButtonHeight, "OK");
  ok->labelsize(kGuiFontSize);
  ok->callback(OkClicked);
  box->end();

  RegisterTopWindow(box);
  DisableOtherWindows(box);
  ShowAndActivate(box);
  RunEventsUntilGone(box);
}

int ShowMessage(const Text& message, int, std::optional<Text> title) {
  ShowMessageBox(title ? Cp936ToUtf8(*title) : std::string("信息："), Cp936ToUtf8(message), MessageIcon::Plain);
  return IDOK;
}

void ReportFatalError(int code, const Text& message) {
  const std::string utf8 = Cp936ToUtf8(message);
  if (!fl_display) {
    if (Display* display = XOpenDisplay(nullptr)) fl_open_display(display);
  }
  if (!fl_display) {
    std::fprintf(stderr, "run-time error%s%s: %s\n", code ? " " : "", code ? std::to_string(code).c_str() : "",
                 utf8.c_str());
    return;
  }
  std::string text = "运行时错误";
  if (code != 0) text += " " + std::to_string(code);
  if (!utf8.empty()) text += "\n" + utf8;
  ShowMessageBox("Mirovel", text, MessageIcon::Error);
}
