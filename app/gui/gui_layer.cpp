// The GUI layer over FLTK: start-up, the start window, the message loop, the end.
#include "app/gui_layer.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>

#include "app/gui/gui_style.h"
#include "app/gui/message_box.h"
#include "app/gui/top_window.h"
#include "app/gui/window_factory.h"
#include "platform/codepage/boundary.h"
#include "platform/library/library.h"
#include "platform/process/program_directory.h"
#include "text/fatal_error.h"

namespace {
ExitHandler g_exitHandler = nullptr;

// The fatal stop must never run the exit handler, so it is dropped before the
// error is shown.
void ReportFatalErrorWithoutExitHandler(int code, const Text& message) {
  g_exitHandler = nullptr;
  ReportFatalError(code, message);
}

[[noreturn]] void StartWindowFailed() { FatalError(0, Utf8ToCp936("加载启动窗口失败")); }
}  // namespace

void StartGuiLayer() {
  LearnProgramDirectory();
  SetFatalReporter(ReportFatalErrorWithoutExitHandler);
}

void RegisterExitHandler(ExitHandler handler) { g_exitHandler = handler; }

void OpenStartWindow(const Text& name) {
  // Opened here rather than by the toolkit, which would end the process itself
  // when no display is there.
  if (!fl_display) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) StartWindowFailed();
    fl_open_display(display);
  }
  ChooseDefaultGuiFont();
  InstallEventFilter();
  const WindowDefinition* definition = FindWindowDefinition(name);
  if (!definition) StartWindowFailed();
  TopWindow* window = CreateProgramWindow(*definition);
  ShowAndActivate(window);
}

void RunMessageLoop() { RunEventsUntilGone(nullptr); }

void EndProgram(int code) {
  if (ExitHandler handler = g_exitHandler) {
    g_exitHandler = nullptr;
    handler();
  }
  UnloadLoadedLibraries();
  std::exit(code);
}
