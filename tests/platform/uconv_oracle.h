// Runs ICU's uconv (Debian icu-devtools), the reference our code page tables are
// checked against, as a real process over files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The converter that reproduces Microsoft's code page 936 table.
inline constexpr const char* kOracle936 = "windows-936-2000";

// uconv's output for `input` converted from `from` to `to`, substituting for what it
// cannot convert; nothing when uconv is missing or fails.
std::optional<std::string> RunUconv(const std::string& from, const std::string& to,
                                    std::string_view input);

// UTF-16LE bytes and units, the form uconv reads and writes.
std::string ToUtf16le(std::u16string_view units);
std::u16string FromUtf16le(std::string_view bytes);
