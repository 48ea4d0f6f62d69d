// The character-stepping scan that searching, replacing and splitting share.
// Internal to the text toolkit.
#pragma once

#include <cstddef>

namespace text_internal {

// What the scan looks for, in which text.
struct Scan {
  const unsigned char* text;
  std::size_t length;  // of the whole text, not of the range
  const unsigned char* sought;
  std::size_t soughtLength;  // at least 1
  bool ignoreCase;
};

enum class ScanStop {
  kFound,         // a match starts at the returned position
  kOutOfRange,    // fewer than soughtLength bytes of the range remain
  kLoneLeadByte,  // the scan reached a first byte of 0x80 or above that ends the text
};

// Steps from position `at` (0-based, a character boundary) character by character
// and stops at the first place where the sought bytes match and end within
// `rangeEnd` (exclusive). On return `at` is where the scan stopped.
ScanStop NextMatch(const Scan& scan, std::size_t& at, std::size_t rangeEnd);

inline unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace text_internal
