// Loaded into the program under test with LD_PRELOAD: writes every label the
// program gives a widget, and every change of a widget's enabled state, to the
// file named by MIROVEL_TEST_LABEL_LOG, one line each:
//   title<TAB>text   label<TAB>text   activate<TAB>label   deactivate<TAB>label
// Message texts and button captions are drawn, not readable through X, so this
// is how a test learns what the program showed. Line breaks in texts are written
// as "\n". The program's own behaviour is untouched: each call goes on to FLTK.
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

void Log(const char* kind, const char* text) {
  const char* path = std::getenv("MIROVEL_TEST_LABEL_LOG");
  if (!path) return;
  std::string line = kind;
  line += '\t';
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '\n') line += "\\n";
    else line += *p;
  }
  line += '\n';
  int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  ssize_t ignored = write(fd, line.data(), line.size());
  (void)ignored;
  close(fd);
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The members are matched by their linker names.
void CopyLabel(Fl_Widget* widget, const char* text) __asm__("_ZN9Fl_Widget10copy_labelEPKc");
void CopyTitle(Fl_Window* window, const char* text) __asm__("_ZN9Fl_Window10copy_labelEPKc");
void Activate(Fl_Widget* widget) __asm__("_ZN9Fl_Widget8activateEv");
void Deactivate(Fl_Widget* widget) __asm__("_ZN9Fl_Widget10deactivateEv");

void CopyLabel(Fl_Widget* widget, const char* text) {
  Log("label", text);
  static auto real = Real<void (*)(Fl_Widget*, const char*)>("_ZN9Fl_Widget10copy_labelEPKc");
  real(widget, text);
}

void CopyTitle(Fl_Window* window, const char* text) {
  Log("title", text);
  static auto real = Real<void (*)(Fl_Window*, const char*)>("_ZN9Fl_Window10copy_labelEPKc");
  real(window, text);
}

void Activate(Fl_Widget* widget) {
  Log("activate", widget->label());
  static auto real = Real<void (*)(Fl_Widget*)>("_ZN9Fl_Widget8activateEv");
  real(widget);
}

void Deactivate(Fl_Widget* widget) {
  Log("deactivate", widget->label());
  static auto real = Real<void (*)(Fl_Widget*)>("_ZN9Fl_Widget10deactivateEv");
  real(widget);
}
