// The look shared by every window: the default GUI font and its size.
#pragma once

#include <string>

// 9 points on a 96-dpi screen.
constexpr int kGuiFontSize = 12;

// Makes a CJK-capable sans font (chosen through fontconfig) the toolkit's default.
void ChooseDefaultGuiFont();

// A label as the toolkit draws it literally: "@" would otherwise start a symbol.
std::string LiteralLabel(const std::string& utf8);
