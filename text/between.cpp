// Cutting out the text that lies between two markers.
#include "text/editing.h"
#include "text/primitives.h"

namespace {
// Markers cannot easily carry a double quote in the program's literals, so this
// token stands for one.
const Text kQuoteToken = "#引号";

Text ExpandQuoteToken(const Text& marker) { return ReplaceText(marker, kQuoteToken, "\"", std::nullopt, std::nullopt, true); }
}  // namespace

Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker, std::optional<int> start,
                 bool ignoreCase) {
  Text left = ExpandQuoteToken(leftMarker);
  Text right = ExpandQuoteToken(rightMarker);
  int p = FindText(text, left, start.value_or(0), ignoreCase);
  if (p == -1) return Text();
  p += TextLength(left);
  int q = FindText(text, right, p, ignoreCase);
  if (q == -1) return Text();
  return TextMid(text, p, q - p);
}
