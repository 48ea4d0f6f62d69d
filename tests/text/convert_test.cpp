// Trimming, blank removal, ASCII lowering and integer reading.
#include <gtest/gtest.h>

#include "text/editing.h"

namespace {

struct TextCase {
  const char* name;
  Text input, expected;
};

TEST(TrimBoth, Table) {
  const TextCase cases[] = {
      {"spaces both ends", "  a b  ", "a b"},
      {"full-width spaces", "\xA1\xA1" "a\xA1\xA1", "a"},
      {"mixed blanks", " \xA1\xA1 a \xA1\xA1", "a"},
      {"tabs and line breaks stay", "\t a \r\n", "\t a \r\n"},
      {"only blanks", "  \xA1\xA1 ", ""},
      {"empty", "", ""},
      {"inner blanks stay", "a  b", "a  b"},
      {"A1 A1 as a second byte pair is not a blank", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
      {"lone lead byte dropped", "a\xD6", "a"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TrimBoth(c.input).str(), c.expected.str()) << c.name;
}

TEST(RemoveSpaces, Table) {
  const TextCase cases[] = {
      {"cookie text", " a = 1 ; b=2", "a=1;b=2"},
      {"full-width space", "q=a\xA1\xA1" "b", "q=ab"},
      {"tabs stay", "a\tb", "a\tb"},
      {"lone lead byte dropped", "a b\xD6", "ab"},
      {"double-byte kept whole", "\xD6\x20x", "\xD6\x20x"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(RemoveSpaces(c.input).str(), c.expected.str()) << c.name;
}

TEST(ToLower, Table) {
  const TextCase cases[] = {
      {"ASCII", "HTTPS://Shop.TEST/X", "https://shop.test/x"},
      {"full-width letters unchanged", "\xA3\xC1", "\xA3\xC1"},
      {"second byte capital unchanged", "\xD6" "A" "B", "\xD6" "Ab"},
      {"lone lead byte kept", "A\xD6", "a\xD6"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(ToLower(c.input).str(), c.expected.str()) << c.name;
}

TEST(ToInt, Table) {
  struct Case {
    const char* name;
    Text input;
    int expected;
  };
  const Case cases[] = {
      {"plain", "443", 443},
      {"leading blanks and breaks", " \t\r\n81", 81},
      {"sign then letters", "-12abc", -12},
      {"plus sign", "+7", 7},
      {"no digits", "abc", 0},
      {"sign without digits", "-x", 0},
      {"empty", "", 0},
      {"full-width digits", "\xA3\xB1\xA3\xB2", 12},
      {"full-width minus and space", "\xA1\xA1\xA3\xAD" "5", -5},
      {"2^32 + 1 wraps to 1", "4294967297", 1},
      {"2^31 wraps negative", "2147483648", -2147483647 - 1},
      {"port after colon", "81/x", 81},
      {"lone lead byte dropped", "9\xA3", 9},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt(c.input), c.expected) << c.name;
}

}  // namespace
