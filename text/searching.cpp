// Forward and backward search for a text inside a text.
#include <algorithm>

#include "text/editing.h"
#include "text/scanner.h"

using text_internal::NextMatch;
using text_internal::Scan;
using text_internal::ScanStop;

namespace {
Scan MakeScan(const Text& text, const Text& sought, bool ignoreCase) {
  return Scan{reinterpret_cast<const unsigned char*>(text.data()), text.size(),
              reinterpret_cast<const unsigned char*>(sought.data()), sought.size(), ignoreCase};
}
}  // namespace

int FindText(const Text& text, const Text& sought, std::optional<int> start, bool ignoreCase) {
  const std::size_t length = text.size();
  std::size_t from = (!start || *start <= 1) ? 0 : static_cast<std::size_t>(*start) - 1;
  if (from >= length) return -1;
  if (sought.empty()) return 1;
  Scan scan = MakeScan(text, sought, ignoreCase);
  std::size_t at = from;
  return NextMatch(scan, at, length) == ScanStop::kFound ? static_cast<int>(at) + 1 : -1;
}

int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start, bool ignoreCase) {
  const std::size_t length = text.size();
  std::size_t rangeEnd = length;
  if (start) {
    if (*start <= 1) return -1;
    rangeEnd = std::min(length, static_cast<std::size_t>(*start) - 1);
  }
  if (rangeEnd == 0) return -1;
  if (sought.empty()) return 1;
  Scan scan = MakeScan(text, sought, ignoreCase);
  int last = -1;
  std::size_t at = 0;
  // Character boundaries are only known by stepping from the front, so the
  // backward search is a forward scan that remembers the latest match.
  while (NextMatch(scan, at, rangeEnd) == ScanStop::kFound) {
    last = static_cast<int>(at) + 1;
    at += (scan.text[at] >= 0x80) ? 2 : 1;
  }
  return last;
}
