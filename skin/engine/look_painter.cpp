// FLTK box drawing functions that paint in the attached look.
#include "skin/engine/look_painter.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

namespace skin_engine {
namespace {

using she::Rgb;

she::Look g_look;

struct SavedBox {
  Fl_Boxtype type;
  Fl_Box_Draw_F* draw;
  int dx, dy, dw, dh;
};

// FLTK's own functions for every box type that the look repaints.
SavedBox g_saved[] = {
    {FL_FLAT_BOX, nullptr, 0, 0, 0, 0},       {FL_UP_BOX, nullptr, 0, 0, 0, 0},
    {FL_DOWN_BOX, nullptr, 0, 0, 0, 0},       {FL_THIN_UP_BOX, nullptr, 0, 0, 0, 0},
    {FL_THIN_DOWN_BOX, nullptr, 0, 0, 0, 0},  {FL_UP_FRAME, nullptr, 0, 0, 0, 0},
    {FL_DOWN_FRAME, nullptr, 0, 0, 0, 0},     {FL_THIN_UP_FRAME, nullptr, 0, 0, 0, 0},
    {FL_THIN_DOWN_FRAME, nullptr, 0, 0, 0, 0}, {FL_ENGRAVED_BOX, nullptr, 0, 0, 0, 0},
    {FL_ENGRAVED_FRAME, nullptr, 0, 0, 0, 0}, {FL_EMBOSSED_BOX, nullptr, 0, 0, 0, 0},
    {FL_EMBOSSED_FRAME, nullptr, 0, 0, 0, 0}, {FL_BORDER_BOX, nullptr, 0, 0, 0, 0},
    {FL_BORDER_FRAME, nullptr, 0, 0, 0, 0},
};
bool g_haveSaved = false;

Rgb FromFl(Fl_Color c) {
  Rgb out;
  Fl::get_color(c, out.r, out.g, out.b);
  return out;
}

Fl_Color ToFl(const Rgb& c) { return fl_rgb_color(c.r, c.g, c.b); }

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](unsigned char x, unsigned char y) {
    return static_cast<unsigned char>(std::lround(x + (y - x) * t));
  };
  return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Positive percent lightens towards white, negative darkens towards black.
Rgb Shade(const Rgb& c, int percent) {
  return percent >= 0 ? Mix(c, Rgb{255, 255, 255}, percent / 100.0) : Mix(c, Rgb{0, 0, 0}, -percent / 100.0);
}

// Disabled widgets are drawn washed out, as FLTK's own boxes are.
Rgb Live(const Rgb& c) { return Fl::draw_box_active() ? c : FromFl(fl_inactive(ToFl(c))); }

// How far row `row` of a rounded rectangle of height h starts inside its left edge.
int Inset(int row, int h, int r) {
  int d = std::min(row, h - 1 - row);
  if (d >= r) return 0;
  double dy = r - d - 0.5;
  return r - static_cast<int>(std::lround(std::sqrt(std::max(0.0, r * r - dy * dy))));
}

int ClampRadius(int r, int w, int h) { return std::max(0, std::min({r, w / 2, h / 2})); }

enum class Band { kFlat, kGradient, kGlossy };

Rgb RowColour(Band band, const Rgb& top, const Rgb& bottom, int row, int h) {
  if (band == Band::kFlat || h <= 1) return top;
  double t = static_cast<double>(row) / (h - 1);
  if (band == Band::kGradient) return Mix(top, bottom, t);
  // Glossy: a light upper half that breaks sharply into a deeper lower half.
  if (t < 0.5) return Mix(top, Mix(top, bottom, 0.35), t * 2);
  return Mix(bottom, Mix(bottom, top, 0.3), (t - 0.5) * 2);
}

void FillRounded(int x, int y, int w, int h, int r, Band band, const Rgb& top, const Rgb& bottom) {
  for (int i = 0; i < h; ++i) {
    int in = Inset(i, h, r);
    fl_color(ToFl(Live(RowColour(band, top, bottom, i, h))));
    if (w - 2 * in > 0) fl_xyline(x + in, y + i, x + w - 1 - in);
  }
}

// An outline that follows the same row insets as FillRounded, so no pixel of the
// fill shows outside it.
void OutlineRounded(int x, int y, int w, int h, int r, const Rgb& colour) {
  if (w <= 0 || h <= 0) return;
  fl_color(ToFl(Live(colour)));
  for (int i = 0; i < h; ++i) {
    int in = Inset(i, h, r);
    if (i == 0 || i == h - 1) {
      fl_xyline(x + in, y + i, x + w - 1 - in);
      continue;
    }
    int towardEdge = i < h / 2 ? i - 1 : i + 1;
    int reach = std::max(in, Inset(towardEdge, h, r) - 1);
    fl_xyline(x + in, y + i, x + reach);
    fl_xyline(x + w - 1 - reach, y + i, x + w - 1 - in);
  }
}

int ButtonRadius(int w, int h) {
  switch (g_look.buttonShape) {
    case she::Shape::kSquare: return 0;
    case she::Shape::kPill: return ClampRadius(h / 2, w, h);
    default: return ClampRadius(g_look.buttonRadius, w, h);
  }
}

Band ButtonBand() {
  switch (g_look.buttonFill) {
    case she::Fill::kFlat: return Band::kFlat;
    case she::Fill::kGlossy: return Band::kGlossy;
    default: return Band::kGradient;
  }
}

// Widgets left in the default colour take the skin's button colours; a widget
// given its own colour keeps its hue, shaped and shaded like the skin's buttons.
void ButtonColours(Fl_Color c, Rgb* top, Rgb* bottom, Rgb* border) {
  if (c == FL_BACKGROUND_COLOR) {
    *top = g_look.buttonTop;
    *bottom = g_look.buttonBottom;
    *border = g_look.buttonBorder;
    return;
  }
  Rgb own = FromFl(c);
  *top = Shade(own, 25);
  *bottom = own;
  *border = Shade(own, -45);
}

void DrawUp(int x, int y, int w, int h, Fl_Color c) {
  Rgb top, bottom, border;
  ButtonColours(c, &top, &bottom, &border);
  int r = ButtonRadius(w, h);
  FillRounded(x, y, w, h, r, ButtonBand(), top, bottom);
  OutlineRounded(x, y, w, h, r, border);
}

void DrawField(int x, int y, int w, int h, Fl_Color c) {
  Rgb fill = FromFl(c);
  int r = ClampRadius(g_look.fieldRadius, w, h);
  FillRounded(x, y, w, h, r, Band::kFlat, fill, fill);
  // A faint line under the top edge makes the field read as sunken.
  if (h > 3 && w > 2 * r + 2) {
    fl_color(ToFl(Live(Mix(g_look.fieldBorder, fill, 0.6))));
    fl_xyline(x + 1 + Inset(1, h, r), y + 1, x + w - 2 - Inset(1, h, r));
  }
  OutlineRounded(x, y, w, h, r, g_look.fieldBorder);
}

// A pressed button (drawn in the default colour) sinks: its gradient turns over
// and takes the skin's pressed shade. Anything else sunken is a text field.
void DrawDown(int x, int y, int w, int h, Fl_Color c) {
  if (c != FL_BACKGROUND_COLOR) {
    DrawField(x, y, w, h, c);
    return;
  }
  int r = ButtonRadius(w, h);
  FillRounded(x, y, w, h, r, ButtonBand(), Shade(g_look.buttonBottom, g_look.pressedShade),
              Shade(g_look.buttonTop, g_look.pressedShade));
  OutlineRounded(x, y, w, h, r, g_look.buttonBorder);
}

// The window backdrop is a gradient over the whole window, so any part of it that
// FLTK repaints (behind a changed label, say) matches what surrounds it.
void DrawBackdrop(int x, int y, int w, int h) {
  Fl_Window* window = Fl_Window::current();
  int full = window ? window->h() : h;
  int origin = window ? 0 : y;
  for (int i = 0; i < h; ++i) {
    double t = full > 1 ? static_cast<double>(y + i - origin) / (full - 1) : 0.0;
    fl_color(ToFl(Live(Mix(g_look.windowTop, g_look.windowBottom, t))));
    fl_xyline(x, y + i, x + w - 1);
  }
}

void DrawFlat(int x, int y, int w, int h, Fl_Color c) {
  if (c == FL_BACKGROUND_COLOR) {
    DrawBackdrop(x, y, w, h);
    return;
  }
  fl_color(Fl::draw_box_active() ? c : fl_inactive(c));
  fl_rectf(x, y, w, h);
}

void DrawFrameOnly(int x, int y, int w, int h, Fl_Color) {
  switch (g_look.frameStyle) {
    case she::FrameStyle::kLine:
      OutlineRounded(x, y, w, h, 0, g_look.frameDark);
      break;
    case she::FrameStyle::kGroove:
      OutlineRounded(x + 1, y + 1, w - 1, h - 1, 0, g_look.frameLight);
      OutlineRounded(x, y, w - 1, h - 1, 0, g_look.frameDark);
      break;
    case she::FrameStyle::kRounded:
      OutlineRounded(x, y, w, h, ClampRadius(4, w, h), g_look.frameDark);
      break;
  }
}

void DrawFramedBox(int x, int y, int w, int h, Fl_Color c) {
  DrawFlat(x, y, w, h, c);
  DrawFrameOnly(x, y, w, h, c);
}

Fl_Box_Draw_F* SkinnedDrawFor(Fl_Boxtype type) {
  switch (type) {
    case FL_FLAT_BOX: return DrawFlat;
    case FL_UP_BOX:
    case FL_THIN_UP_BOX: return DrawUp;
    case FL_DOWN_BOX:
    case FL_THIN_DOWN_BOX: return DrawDown;
    case FL_ENGRAVED_BOX:
    case FL_EMBOSSED_BOX:
    case FL_BORDER_BOX: return DrawFramedBox;
    default: return DrawFrameOnly;
  }
}

}  // namespace

void InstallLook(const she::Look& look) {
  g_look = look;
  if (!g_haveSaved) {
    for (SavedBox& s : g_saved) {
      s.draw = Fl::get_boxtype(s.type);
      s.dx = Fl::box_dx(s.type);
      s.dy = Fl::box_dy(s.type);
      s.dw = Fl::box_dw(s.type);
      s.dh = Fl::box_dh(s.type);
    }
    g_haveSaved = true;
  }
  // The average of the backdrop is what FLTK paints where it does not ask us,
  // and what it derives its shades of grey from.
  Rgb middle = Mix(look.windowTop, look.windowBottom, 0.5);
  Fl::background(middle.r, middle.g, middle.b);
  Fl::background2(look.field.r, look.field.g, look.field.b);
  Fl::foreground(look.text.r, look.text.g, look.text.b);
  Fl::set_color(FL_SELECTION_COLOR, look.selection.r, look.selection.g, look.selection.b);
  for (const SavedBox& s : g_saved) Fl::set_boxtype(s.type, SkinnedDrawFor(s.type), s.dx, s.dy, s.dw, s.dh);
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) w->redraw();
}

void RestoreFltkBoxes() {
  if (!g_haveSaved) return;
  for (const SavedBox& s : g_saved) Fl::set_boxtype(s.type, s.draw, s.dx, s.dy, s.dw, s.dh);
}

}  // namespace skin_engine
