// Replacing occurrences and splitting at a separator.
#include <string>

#include "text/editing.h"
#include "text/primitives.h"
#include "text/scanner.h"

using text_internal::NextMatch;
using text_internal::Scan;
using text_internal::ScanStop;

namespace {
const unsigned char* Raw(const Text& text) { return reinterpret_cast<const unsigned char*>(text.data()); }
}  // namespace

Text ReplaceText(const Text& text, const Text& sought, const Text& replacement, std::optional<int> start,
                 std::optional<int> count, bool caseSensitive) {
  const std::size_t length = text.size();
  const std::size_t from = (!start || *start < 1) ? 0 : static_cast<std::size_t>(*start) - 1;
  const bool limited = count && *count >= 0;
  if (text.empty() || sought.empty() || from >= length || (limited && *count == 0)) return text;

  const std::string& in = text.str();
  std::string out;
  out.reserve(length);
  out.append(in, 0, from);

  Scan scan{Raw(text), length, Raw(sought), sought.size(), !caseSensitive};
  std::size_t at = from;
  std::size_t copiedUpTo = from;
  int replaced = 0;
  for (;;) {
    ScanStop stop = NextMatch(scan, at, length);
    if (stop == ScanStop::kFound) {
      out.append(in, copiedUpTo, at - copiedUpTo).append(replacement.str());
      at += sought.size();
      copiedUpTo = at;
      if (limited && ++replaced == *count) break;
      continue;
    }
    if (stop == ScanStop::kLoneLeadByte) {
      // A first byte without its second byte is dropped where the scan meets it.
      out.append(in, copiedUpTo, at - copiedUpTo);
      copiedUpTo = length;
    }
    break;
  }
  out.append(in, copiedUpTo, std::string::npos);
  return Text(out);
}

TextArray SplitText(const Text& text, const Text& separator, std::optional<int> maximumCount) {
  TextArray pieces;
  const bool limited = maximumCount.has_value();
  const int maximum = limited ? std::max(*maximumCount, 0) : 0;
  if (text.empty() || (limited && maximum == 0)) return pieces;
  if (separator.empty()) {
    AppendMember(pieces, text);
    return pieces;
  }

  const std::string_view in = text.str();
  Scan scan{Raw(text), text.size(), Raw(separator), separator.size(), false};
  std::size_t at = 0;
  std::size_t pieceStart = 0;
  int count = 0;
  while (NextMatch(scan, at, text.size()) == ScanStop::kFound) {
    AppendMember(pieces, Text(in.substr(pieceStart, at - pieceStart)));
    at += separator.size();
    pieceStart = at;
    if (limited && ++count == maximum) return pieces;
  }
  if (pieceStart < in.size()) AppendMember(pieces, Text(in.substr(pieceStart)));
  return pieces;
}
