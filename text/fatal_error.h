// The program's one fatal stop. It knows no GUI: the application installs a
// reporter at start-up that shows the error box; without one the error goes to
// standard error. Either way the process then ends with exit code -1, and no
// exit handler runs.
#pragma once

#include "text/values.h"

using FatalReporter = void (*)(int code, const Text& message);

// Replaces the reporter; nullptr restores the standard-error fallback.
void SetFatalReporter(FatalReporter reporter);

// Code 0 means "no code". Never returns.
[[noreturn]] void FatalError(int code, const Text& message);
