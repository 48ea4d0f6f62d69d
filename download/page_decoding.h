// Turns the fetched song page from UTF-8 into code page 936 text, through UTF-16.
#pragma once

#include <optional>

#include "text/values.h"

// UTF-16 units (two bytes each, little-endian) of `text` read in `codePage` (65001 when
// omitted), terminator included, zero units after it up to the buffer's size. The buffer
// is sized with the ANSI code page; the empty Text gives the empty Bytes.
Bytes MultiByteToWide(const Text& text, std::optional<int> codePage = std::nullopt);

// The text that `units` make in `codePage` (the ANSI code page when omitted), read up to
// the first zero unit and never past the end; empty when the conversion fails.
Text WideToMultiByte(const Bytes& units, std::optional<int> codePage = std::nullopt);

// The UTF-8 `text` in code page 936; what 936 lacks and ill-formed UTF-8 become "?".
Text Utf8ToAnsi(const Text& text);
