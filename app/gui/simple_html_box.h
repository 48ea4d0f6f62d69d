// A one-line hypertext box: black text, blue links that underline under the
// mouse, a click opening the link's target in the browser.
#pragma once

#include <FL/Fl_Widget.H>

#include <string>
#include <vector>

#include "app/simple_html_text.h"

class SimpleHtmlBox : public Fl_Widget {
 public:
  // html is UTF-8.
  SimpleHtmlBox(int x, int y, int w, int h, const std::string& html);

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  // The run under the mouse pointer, or -1.
  int RunAt(int mouseX, int mouseY);
  void Hover(int run);

  std::vector<HtmlRun> runs_;
  std::vector<int> runLeft_, runWidth_;
  int hovered_ = -1;
  int pressed_ = -1;
};
