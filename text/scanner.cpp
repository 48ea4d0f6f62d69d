// Character-by-character scanning under the double-byte rule, made fast on the
// mostly-ASCII text of web pages: a run of bytes below 0x80 that holds no byte
// that could begin a match is passed over a block at a time, since every byte in
// it is a character of its own.
#include "text/scanner.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace text_internal {
namespace {

#if !defined(__SSE2__)
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
#endif

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
#if defined(__SSE2__)
  const __m128i firstBlock = _mm_set1_epi8(static_cast<char>(first));
  const __m128i firstOtherBlock = _mm_set1_epi8(static_cast<char>(firstOther));
#endif
  while (i <= lastStart) {
#if defined(__SSE2__)
    // Jump straight to the next byte that is either >= 0x80 or a possible first
    // byte of a match; everything before it is plain one-byte characters.
    while (i + 16 <= rangeEnd) {
      __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scan.text + i));
      __m128i candidates =
          _mm_or_si128(_mm_cmpeq_epi8(block, firstBlock), _mm_cmpeq_epi8(block, firstOtherBlock));
      unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(block, candidates)));
      if (mask == 0) {
        i += 16;
        continue;
      }
      i += static_cast<std::size_t>(__builtin_ctz(mask));
      break;
    }
#else
    while (i + 8 <= rangeEnd) {
      std::uint64_t block = Load8(scan.text + i);
      if ((block & kHighBits) || HasByte(block, first) || HasByte(block, firstOther)) break;
      i += 8;
    }
#endif
    if (i > lastStart) break;
    unsigned char b = scan.text[i];
    if (b >= 0x80 && i + 1 == scan.length) {
      at = i;
      return ScanStop::kLoneLeadByte;
    }
    if (b >= 0x80 && first < 0x80) {
      // A run of two-byte characters cannot begin a match for an ASCII first
      // byte: step over it pair by pair without going back to the block scan.
      do {
        i += 2;
      } while (i <= lastStart && scan.text[i] >= 0x80 && i + 1 != scan.length);
      continue;
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
