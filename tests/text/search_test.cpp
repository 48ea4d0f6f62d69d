// Forward and backward search: ranges, empty sought text, case folding and the double-byte rule.
#include <gtest/gtest.h>

#include "text/editing.h"

namespace {

constexpr std::nullopt_t kOmitted = std::nullopt;

struct FindCase {
  const char* name;
  Text text, sought;
  std::optional<int> start;
  bool ignoreCase;
  int expected;
};

TEST(FindText, Table) {
  const FindCase cases[] = {
      {"plain", "hello world", "o", kOmitted, false, 5},
      {"start 0 is the whole text", "abcabc", "a", 0, false, 1},
      {"start 1 is the whole text", "abcabc", "a", 1, false, 1},
      {"negative start is the whole text", "abcabc", "a", -5, false, 1},
      {"start skips earlier match", "abcabc", "a", 2, false, 4},
      {"start at the match", "abcabc", "a", 4, false, 4},
      {"start past the end", "abc", "a", 4, false, -1},
      {"empty sought, whole text", "abc", "", kOmitted, false, 1},
      {"empty sought, start 3 answers 1", "abcde", "", 5, false, 1},
      {"empty sought past the end", "abc", "", 4, false, -1},
      {"empty sought in empty text", "", "", kOmitted, false, -1},
      {"not found", "abc", "d", kOmitted, false, -1},
      {"sought longer than text", "ab", "abc", kOmitted, false, -1},
      {"occurrence at the very end", "abcxyz", "xyz", kOmitted, false, 4},
      {"case matters by default", "User-Agent: x", "user-agent:", kOmitted, false, -1},
      {"ignore case folds ASCII", "uSeR-aGeNt: x", "User-Agent:", kOmitted, true, 1},
      {"full-width letters never fold", "\xA3\xC1", "\xA3\xE1", kOmitted, true, -1},
      // 0xD6 0x41 is one character; the "A" inside it is not a match.
      {"no match on a second byte", "\xD6" "A" "A", "A", kOmitted, false, 3},
      {"second byte not folded into a match either", "\xD6" "a", "A", kOmitted, true, -1},
      {"double-byte sought", "ab\xD6\xD0\xCE\xC4", "\xCE\xC4", kOmitted, false, 5},
      {"lone lead byte at the end is never a match", "ab\xD6", "\xD6", kOmitted, false, -1},
      {"lone lead byte stops the scan", "a\xD6", "a", 2, false, -1},
      {"start inside a character steps from there", "\xD6" "AB", "A", 2, false, 2},
      {"long ASCII run before the match", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaX", "X", kOmitted, false, 41},
      {"run of double bytes with ASCII second bytes", "\xB0" "A" "\xB0" "A" "\xB0" "A" "A", "A", kOmitted, false, 7},
      {"long run of double bytes with ASCII second bytes",
       "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A" "\xB0" "A"
       "\xB0" "A" "A",
       "A", kOmitted, false, 23},
      {"lone lead byte after a long run", "\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0\xB0",
       "x", kOmitted, false, -1},
      {"ASCII run then double bytes", "aaaaaaaaaaaaaaa\xD6" "Xaaaaaa" "X", "X", kOmitted, false, 24},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected) << c.name;
  }
}

TEST(FindTextReverse, Table) {
  const FindCase cases[] = {
      {"last occurrence", "a.b.c", ".", kOmitted, false, 4},
      {"occurrence ending at the last byte, start omitted", "a.b.", ".", kOmitted, false, 4},
      {"start equal to length excludes the last byte", "a.b.", ".", 4, false, 2},
      {"start 1 finds nothing", "....", ".", 1, false, -1},
      {"start 0 finds nothing", "....", ".", 0, false, -1},
      {"multi-byte sought must end before start", "abcabc", "bc", 6, false, 2},
      {"start past the end is the whole text", "abcabc", "bc", 100, false, 5},
      {"empty sought with a range", "abc", "", 3, false, 1},
      {"empty sought with an empty range", "abc", "", 1, false, -1},
      {"not on a second byte", "\xD6" ".", ".", kOmitted, false, -1},
      {"ignore case", "xAxa", "a", kOmitted, true, 4},
      {"lone lead byte at the end", "a\xD6", "\xD6", kOmitted, false, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start, c.ignoreCase), c.expected) << c.name;
  }
}

TEST(FindTextReverse, RepeatedCallsWalkBackwardsThroughOccurrences) {
  const Text host = "a.b.shop.co.test";
  std::vector<int> dots;
  for (int at = FindTextReverse(host, "."); at != -1; at = FindTextReverse(host, ".", at)) dots.push_back(at);
  EXPECT_EQ(dots, (std::vector<int>{12, 9, 4, 2}));
}

}  // namespace
