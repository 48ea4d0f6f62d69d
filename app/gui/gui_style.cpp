// The default GUI font: WenQuanYi Micro Hei, so that Chinese captions render.
#include "app/gui/gui_style.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>

void ChooseDefaultGuiFont() {
  // The leading space tells the Xft font code "regular"; "B" asks for bold.
  Fl::set_font(FL_HELVETICA, " WenQuanYi Micro Hei");
  Fl::set_font(FL_HELVETICA_BOLD, "BWenQuanYi Micro Hei");
  FL_NORMAL_SIZE = kGuiFontSize;
}

std::string LiteralLabel(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    if (c == '@') out.push_back(c);
    out.push_back(c);
  }
  return out;
}
