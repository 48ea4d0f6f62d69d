// Slicing, replacing, splitting and cutting between markers.
#include <gtest/gtest.h>

#include <vector>

#include "text/editing.h"

namespace {

constexpr std::nullopt_t kOmitted = std::nullopt;

std::vector<std::string> Members(const TextArray& array) {
  std::vector<std::string> out;
  for (const Text& t : array.members()) out.push_back(t.str());
  return out;
}

TEST(Slicing, CountsAreClamped) {
  const Text five = "abcde";
  EXPECT_EQ(TextLeft(five, 0), Text());
  EXPECT_EQ(TextLeft(five, -3), Text());
  EXPECT_EQ(TextLeft(five, 2), Text("ab"));
  EXPECT_EQ(TextLeft(five, 99), five);
  EXPECT_EQ(TextRight(five, 0), Text());
  EXPECT_EQ(TextRight(five, 2), Text("de"));
  EXPECT_EQ(TextRight(five, 99), five);
  EXPECT_EQ(TextMid(five, 0, 3), Text());
  EXPECT_EQ(TextMid(five, 6, 3), Text());
  EXPECT_EQ(TextMid(five, 2, 0), Text());
  EXPECT_EQ(TextMid(five, 4, 10), Text("de"));
  EXPECT_EQ(TextLeft("\xD6\xD0", 1), Text("\xD6"));  // raw bytes: may cut a character
  Bytes bytes("a\0b", 3);
  EXPECT_EQ(BytesLeft(bytes, 2), Bytes("a\0", 2));
  EXPECT_EQ(BytesLeft(bytes, -1), Bytes());
  EXPECT_EQ(BytesLeft(bytes, 10), bytes);
}

struct ReplaceCase {
  const char* name;
  Text text, sought, replacement;
  std::optional<int> start, count;
  bool caseSensitive;
  Text expected;
};

TEST(ReplaceText, Table) {
  const ReplaceCase cases[] = {
      {"deletes with empty replacement", "a-b-c", "-", "", kOmitted, kOmitted, false, "abc"},
      {"count 1 replaces the first", "a-b-c", "-", "+", kOmitted, 1, false, "a+b-c"},
      {"count 0 replaces nothing", "a-b-c", "-", "+", kOmitted, 0, false, "a-b-c"},
      {"negative count has no limit", "a-b-c", "-", "+", kOmitted, -1, false, "a+b+c"},
      {"case ignored unless asked", "Set-Cookie: set-cookie", "set-cookie", "Set-Cookie", kOmitted, kOmitted,
       false, "Set-Cookie: Set-Cookie"},
      {"case-sensitive", "http://HTTP://", "http://", "", kOmitted, kOmitted, true, "HTTP://"},
      {"start past the end", "abc", "a", "x", 4, kOmitted, false, "abc"},
      {"start keeps earlier text", "aaa", "a", "b", 2, kOmitted, false, "abb"},
      {"start below 1 counts as 1", "aaa", "a", "b", -7, kOmitted, false, "bbb"},
      {"empty text", "", "a", "b", kOmitted, kOmitted, false, ""},
      {"empty sought", "abc", "", "x", kOmitted, kOmitted, false, "abc"},
      {"replacement containing sought ends", "aa", "a", "aa", kOmitted, kOmitted, false, "aaaa"},
      {"no overlap, left to right", "aaa", "aa", "b", kOmitted, kOmitted, false, "ba"},
      {"second byte is not a match", "\xD6" "A-", "A", "x", kOmitted, kOmitted, true, "\xD6" "A-"},
      {"lone lead byte dropped when reached", "a-\xD6", "-", "+", kOmitted, kOmitted, false, "a+"},
      {"lone lead byte kept when scan ends first", "a\xD6", "abc", "x", kOmitted, kOmitted, false, "a\xD6"},
      {"rest kept after the count is reached", "a-b-\xD6", "-", "+", kOmitted, 1, false, "a+b-\xD6"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive).str(),
              c.expected.str())
        << c.name;
  }
}

TEST(ReplaceText, OmittedReplacementDeletes) { EXPECT_EQ(ReplaceText("x=Set-Cookie: a", "set-cookie:"), Text("x= a")); }

struct SplitCase {
  const char* name;
  Text text, separator;
  std::optional<int> maximum;
  std::vector<std::string> expected;
};

TEST(SplitText, Table) {
  const SplitCase cases[] = {
      {"plain", "a;b;c", ";", kOmitted, {"a", "b", "c"}},
      {"separator at the start", ";a", ";", kOmitted, {"", "a"}},
      {"two in a row", "a;;b", ";", kOmitted, {"a", "", "b"}},
      {"separator at the end adds nothing", "a;", ";", kOmitted, {"a"}},
      {"text shorter than separator", "a", "\r\n", kOmitted, {"a"}},
      {"empty text", "", ";", kOmitted, {}},
      {"empty separator", "a;b", "", kOmitted, {"a;b"}},
      {"maximum 1 without separator", "abc", ";", 1, {"abc"}},
      {"maximum 1", "a;b;c", ";", 1, {"a"}},
      {"maximum 0", "a;b", ";", 0, {}},
      {"negative maximum counts as 0", "a;b", ";", -2, {}},
      {"multi-byte separator", "a\r\nb\r\n\r\nc", "\r\n", kOmitted, {"a", "b", "", "c"}},
      {"case matters", "aXbxc", "x", kOmitted, {"aXb", "c"}},
      {"not on a second byte", "\xD6;a;b", ";", kOmitted, {"\xD6;a", "b"}},
      {"lone lead byte stays in the last member", "a;b\xD6", ";", kOmitted, {"a", "b\xD6"}},
      {"comma by default", "x,y", ",", kOmitted, {"x", "y"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(Members(SplitText(c.text, c.separator, c.maximum)), c.expected) << c.name;
  }
  EXPECT_EQ(Members(SplitText("x,y")), (std::vector<std::string>{"x", "y"}));
}

struct BetweenCase {
  const char* name;
  Text text, left, right;
  Text expected;
};

TEST(TextBetween, Table) {
  const BetweenCase cases[] = {
      {"plain", "<title>T Kelvora</title>", "<title>", " Kelvora", "T"},
      {"missing left marker", "abc", "<", ">", ""},
      {"right marker only before the left", "> <x", "<", ">", ""},
      {"markers touching", "<>", "<", ">", ""},
      {"first left, nearest right", "<a><b>", "<", ">", "a"},
      {"left marker at the very end", "ab<", "<", ">", ""},
      {"quote token in a marker", "mp3:\"http://x/y.mp3\",", "mp3:#引号", "#引号", "http://x/y.mp3"},
      {"no right marker after left", "mp3:\"abc", "mp3:\"", "\"", ""},
      {"double-byte title", "<title>\xB8\xE8 Kelvora,", "<title>", " Kelvora,", "\xB8\xE8"},
      {"empty text", "", "<", ">", ""},
  };
  for (const BetweenCase& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.left, c.right).str(), c.expected.str()) << c.name;
  }
  EXPECT_EQ(TextBetween("<A>x</a>", "<a>", "</A>", kOmitted, true), Text("x"));
  EXPECT_EQ(TextBetween("<a>1</a><a>2</a>", "<a>", "</a>", 5), Text("2"));
}

TEST(TextBetween, QuoteTokenIsCodePage936) {
  // The token must be the code page 936 bytes, whatever the source encoding.
  EXPECT_EQ(Text("#引号").str(), "\x23\xD2\xFD\xBA\xC5");
}

}  // namespace
