// The fatal stop: report, then end the process without any exit handler.
#include "text/fatal_error.h"

#include <cstdio>
#include <cstdlib>

namespace {
FatalReporter g_reporter = nullptr;
}  // namespace

void SetFatalReporter(FatalReporter reporter) { g_reporter = reporter; }

void FatalError(int code, const Text& message) {
  if (g_reporter) {
    g_reporter(code, message);
  } else {
    if (code != 0) {
      std::fprintf(stderr, "run-time error %d: %s\n", code, message.c_str());
    } else {
      std::fprintf(stderr, "run-time error: %s\n", message.c_str());
    }
  }
  std::fflush(nullptr);
  // _Exit skips atexit handlers and static destructors: the exit handler and
  // the libraries' clean-up belong to the normal end only.
  std::_Exit(-1);
}
