// The one crossing between the program's code page 936 texts and the UTF-8 that
// FLTK, file names and the terminal speak.
#pragma once

#include <string>
#include <string_view>

#include "text/values.h"

// A byte pair that is no character becomes U+FFFD.
std::string Cp936ToUtf8(const Text& text);
// Ill-formed UTF-8 and characters code page 936 lacks become "?"; the result ends
// before the first zero byte of the input.
Text Utf8ToCp936(std::string_view utf8);
