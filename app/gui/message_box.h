// Modal message boxes with no owner: every window of the program is disabled
// while one shows.
#pragma once

#include <string>

#include "text/values.h"

enum class MessageIcon { Plain, Error };

// Shows the box (caption and message in UTF-8) with one OK button and returns
// once it has been closed by OK, Enter, Esc or its close box.
void ShowMessageBox(const std::string& caption, const std::string& message, MessageIcon icon);

// The toolkit's fatal reporter: the run-time error box, or standard error when
// no display can be reached.
void ReportFatalError(int code, const Text& message);
