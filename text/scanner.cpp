// Character-by-character scanning under the double-byte rule, made fast on the
// mostly-ASCII text of web pages: eight bytes at a time are passed over when none
// of them is a first byte of a two-byte character or could begin a match.
#include "text/scanner.h"

#include <cstdint>
#include <cstring>

namespace text_internal {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

inline std::uint64_t Load8(const unsigned char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline bool HasByte(std::uint64_t block, unsigned char c) {
  std::uint64_t x = block ^ (kOnes * c);
  return ((x - kOnes) & ~x & kHighBits) != 0;
}

bool MatchesAt(const Scan& scan, std::size_t at) {
  const unsigned char* p = scan.text + at;
  if (!scan.ignoreCase) return std::memcmp(p, scan.sought, scan.soughtLength) == 0;
  for (std::size_t k = 0; k < scan.soughtLength; ++k) {
    if (FoldAscii(p[k]) != FoldAscii(scan.sought[k])) return false;
  }
  return true;
}

}  // namespace

ScanStop NextMatch(const Scan& scan, std::size_t& at, std::size_t rangeEnd) {
  const std::size_t m = scan.soughtLength;
  if (rangeEnd < m) return ScanStop::kOutOfRange;
  const std::size_t lastStart = rangeEnd - m;

  // The bytes that may begin a match: the first sought byte, in both cases when
  // case is ignored.
  unsigned char first = scan.ignoreCase ? FoldAscii(scan.sought[0]) : scan.sought[0];
  unsigned char firstOther =
      (scan.ignoreCase && first >= 'a' && first <= 'z') ? static_cast<unsigned char>(first - 32) : first;

  std::size_t i = at;
  while (i <= lastStart) {
    while (i + 8 <= rangeEnd) {
      std::uint64_t block = Load8(scan.text + i);
      if ((block & kHighBits) || HasByte(block, first) || HasByte(block, firstOther)) break;
      i += 8;
    }
    if (i > lastStart) break;
    unsigned char b = scan.text[i];
    if (b >= 0x80 && i + 1 == scan.length) {
      at = i;
      return ScanStop::kLoneLeadByte;
    }
    if (MatchesAt(scan, i)) {
      at = i;
      return ScanStop::kFound;
    }
    i += (b >= 0x80) ? 2 : 1;
  }
  at = i;
  return ScanStop::kOutOfRange;
}

}  // namespace text_internal
