// Slicing, searching, replacing, splitting, trimming and converting inside a Text.
// Positions are 1-based byte positions; searches answer -1 when nothing is found.
// Scans step by the double-byte rule: a byte >= 0x80 starts a two-byte character.
// An omitted optional argument is std::nullopt; where omitted and a given value
// behave differently (the count of ReplaceText, the maximum of SplitText), only
// std::nullopt means "omitted".
#pragma once

#include <optional>

#include "text/values.h"

// n <= 0 gives the empty Text; n past the end gives the whole text.
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
// Empty when start < 1, start > length or n <= 0.
Text TextMid(const Text& text, int start, int n);
Bytes BytesLeft(const Bytes& bytes, int n);

// Omitted start, 0 and 1 all search the whole text.
int FindText(const Text& text, const Text& sought, std::optional<int> start = std::nullopt,
             bool ignoreCase = false);
// Only occurrences that end before position start count.
int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

// Omitted count means no limit (as does a negative one); a given 0 replaces nothing.
// Note the sense of the flag: case is ignored unless caseSensitive is true.
Text ReplaceText(const Text& text, const Text& sought, const Text& replacement = Text(),
                 std::optional<int> start = std::nullopt, std::optional<int> count = std::nullopt,
                 bool caseSensitive = false);

// Omitted maximum means no limit; a negative one counts as 0.
TextArray SplitText(const Text& text, const Text& separator = ",",
                    std::optional<int> maximumCount = std::nullopt);

// Blanks are the space and the full-width space A1 A1.
Text TrimBoth(const Text& text);
Text RemoveSpaces(const Text& text);
// Only A-Z are folded; double-byte characters are copied whole.
Text ToLower(const Text& text);
// The leading decimal integer after width folding; wraps around on overflow.
int ToInt(const Text& text);

// The text between the first left marker and the nearest right marker after it.
// "#引号" in either marker stands for a double quote.
Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker,
                 std::optional<int> start = std::nullopt, bool ignoreCase = false);
