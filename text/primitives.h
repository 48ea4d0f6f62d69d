// Making, measuring, joining, comparing and converting Text, Bytes and TextArray values.
#pragma once

#include "text/values.h"

int TextLength(const Text& text);
// Code 0 gives the empty Text.
Text CharFromCode(int code);
// n <= 0 gives the empty Text.
Text BlankText(int n);
// -1, 0 or 1; bytes compare unsigned, a prefix sorts first, case matters.
int CompareText(const Text& a, const Text& b);

Text JoinText(const Text& a, const Text& b);
Text JoinText(const Text& a, const Text& b, const Text& c);
Text JoinText(const Text& a, const Text& b, const Text& c, const Text& d);

Bytes TextToBytes(const Text& text);
// The bytes before the first zero byte.
Text BytesToText(const Bytes& bytes);
int BytesLength(const Bytes& bytes);
// n <= 0 gives the empty Bytes.
Bytes BlankBytes(int n);
Bytes JoinBytes(const Bytes& a, const Bytes& b);
Bytes JoinBytes(const Bytes& a, const Bytes& b, const Bytes& c);
// 0 when equal, otherwise not 0.
int CompareBytes(const Bytes& a, const Bytes& b);

int ArraySize(const TextArray& array);
void AppendMember(TextArray& array, const Text& text);
