// The one crossing between the program's code page 936 texts and the UTF-8 that
// FLTK, file names and the terminal speak.
#pragma once

#include <string>
#include <string_view>

#include "text/values.h"

std::string Cp936ToUtf8(const Text& text);
Text Utf8ToCp936(std::string_view utf8);
