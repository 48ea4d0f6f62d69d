// Text at 9 points: plain runs black, links blue and underlined only while hovered.
#include "app/gui/simple_html_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "app/gui/gui_style.h"
#include "platform/process/open_address.h"

SimpleHtmlBox::SimpleHtmlBox(int x, int y, int w, int h, const std::string& html)
    : Fl_Widget(x, y, w, h), runs_(ReadSimpleHtml(html)) {
  box(FL_NO_BOX);
}

void SimpleHtmlBox::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_font(FL_HELVETICA, kGuiFontSize);
  const int baseline = y() + (h() + fl_height()) / 2 - fl_descent();
  runLeft_.assign(runs_.size(), 0);
  runWidth_.assign(runs_.size(), 0);
  int left = x();
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    const HtmlRun& run = runs_[i];
    const bool link = !run.target.empty();
    const int width = static_cast<int>(fl_width(run.text.c_str()) + 0.5);
    fl_color(link ? FL_BLUE : FL_BLACK);
    fl_draw(run.text.c_str(), left, baseline);
    if (link && static_cast<int>(i) == hovered_) fl_line(left, baseline + 1, left + width - 1, baseline + 1);
    runLeft_[i] = left;
    runWidth_[i] = width;
    left += width;
  }
  fl_pop_clip();
}

int SimpleHtmlBox::RunAt(int mouseX, int mouseY) {
  if (mouseY < y() || mouseY >= y() + h()) return -1;
  for (std::size_t i = 0; i < runLeft_.size(); ++i) {
    if (!runs_[i].target.empty() && mouseX >= runLeft_[i] && mouseX < runLeft_[i] + runWidth_[i])
      return static_cast<int>(i);
  }
  return -1;
}

void SimpleHtmlBox::Hover(int run) {
  if (run == hovered_) return;
  hovered_ = run;
  if (Fl_Window* top = window()) top->cursor(run >= 0 ? FL_CURSOR_HAND : FL_CURSOR_DEFAULT);
  redraw();
}

int SimpleHtmlBox::handle(int event) {
  switch (event) {
    case FL_ENTER:
    case FL_MOVE:
      Hover(RunAt(Fl::event_x(), Fl::event_y()));
      return 1;
    case FL_LEAVE:
      Hover(-1);
      return 1;
    case FL_PUSH:
      pressed_ = RunAt(Fl::event_x(), Fl::event_y());
      return 1;
    case FL_DRAG:
      Hover(RunAt(Fl::event_x(), Fl::event_y()) == pressed_ ? pressed_ : -1);
      return 1;
    case FL_RELEASE: {
      // A click opens the link only when pressed and released on the same one.
      int released = RunAt(Fl::event_x(), Fl::event_y());
      if (released >= 0 && released == pressed_) OpenAddress(runs_[released].target);
      pressed_ = -1;
      return 1;
    }
    default:
      return Fl_Widget::handle(event);
  }
}
