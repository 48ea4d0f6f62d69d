// The peer for the start-up benchmark: the least an FLTK program does to show a
// window of MainWindow's size with one button, which opens a second window of
// the tutorial's size.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

namespace {
void OpenSecond(Fl_Widget*, void*) {
  auto* second = new Fl_Window(934, 618, "second");
  second->end();
  second->show();
}
}  // namespace

int main() {
  Fl_Window window(291, 132, "minimal");
  Fl_Button button(24, 96, 120, 24, "open");
  button.callback(OpenSecond);
  window.end();
  window.show();
  return Fl::run();
}
