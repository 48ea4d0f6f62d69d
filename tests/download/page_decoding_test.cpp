// The two-stage page decoding: buffer sizes, zero fill, substitutions, and the
// whole page against ICU's windows-936-2000 converter.
#include "download/page_decoding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "uconv_oracle.h"

namespace {
Bytes BytesOf(const std::string& s) { return Bytes(s.data(), s.size()); }
Bytes UnitsOf(const std::u16string& units) { return BytesOf(ToUtf16le(units)); }
}  // namespace

TEST(Utf8ToAnsi, ConvertsPagesToCodePage936) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp936;
  };
  const std::vector<Case> cases = {
      {"empty", "", ""},
      {"every ASCII byte unchanged", ascii, ascii},
      {"two Chinese characters", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
      {"Hangul 936 lacks", "a\xEA\xB0\x80" "b", "a?b"},
      {"character beyond the BMP", "\xF0\x9F\x98\x80x", "?x"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
      {"ill-formed UTF-8", "x\xC0y\xE4\xB8", "x?y?"},
      // UTF-8 reads these bytes one by one where the ANSI sizing pairs them, so the
      // first stage needs more units than it was sized for; nothing may be lost.
      {"ill-formed bytes 936 would pair", "\x81\x40\x81\x40" "abc", "?@?@abc"},
  };
  for (const char* locale : {"C", "C.UTF-8"}) {
    std::setlocale(LC_ALL, locale);
    for (const auto& c : cases) {
      Text input(c.utf8);
      EXPECT_EQ(Utf8ToAnsi(input), Text(c.cp936)) << c.name << " in " << locale;
      EXPECT_EQ(input, Text(c.utf8)) << c.name;
    }
  }
  std::setlocale(LC_ALL, "C");
}

TEST(MultiByteToWide, SizedByTheAnsiCodePageAndZeroFilled) {
  struct Case {
    const char* name;
    std::string text;
    std::optional<int> codePage;
    std::u16string units;  // all of the result, terminator and zero fill included
  };
  const std::vector<Case> cases = {
      {"empty", "", std::nullopt, u""},
      {"three letters", "abc", std::nullopt, std::u16string(u"abc\0", 4)},
      // Six UTF-8 bytes are three 936 characters: one unit of zero fill after the terminator.
      {"two Chinese characters", "\xE4\xB8\xAD\xE6\x96\x87", std::nullopt,
       std::u16string(u"\u4E2D\u6587\0\0", 4)},
      {"code page 936", "\xD6\xD0", 936, std::u16string(u"\u4E2D\0", 2)},
      {"code page 0 is the ANSI one", "\xD6\xD0", 0, std::u16string(u"\u4E2D\0", 2)},
      {"ill-formed bytes 936 would pair", "\x81\x40", std::nullopt,
       std::u16string(u"\uFFFD@\0", 3)},
      {"code page we do not have", "abc", 1252, std::u16string(4, u'\0')},
      {"negative code page", "abc", -1, std::u16string(4, u'\0')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MultiByteToWide(Text(c.text), c.codePage), UnitsOf(c.units)) << c.name;
  }
}

TEST(WideToMultiByte, ReadsUpToTheFirstZeroUnitAndNeverPastTheEnd) {
  struct Case {
    const char* name;
    Bytes units;
    std::optional<int> codePage;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"empty", Bytes(), std::nullopt, ""},
      {"zero unit in the middle", UnitsOf(std::u16string(u"a\0b\0", 4)), std::nullopt, "a"},
      {"no zero unit at all", UnitsOf(u"ab"), std::nullopt, "ab"},
      {"only a zero unit", UnitsOf(std::u16string(1, u'\0')), std::nullopt, ""},
      {"odd byte left over", BytesOf(std::string("a\0b", 3)), std::nullopt, "a"},
      {"a single byte", BytesOf("a"), std::nullopt, ""},
      {"ANSI code page by default", UnitsOf(u"\u4E2D"), std::nullopt, "\xD6\xD0"},
      {"936 lacks it", UnitsOf(u"x\uAC00y"), 936, "x?y"},
      {"lone surrogate", UnitsOf(u"x\xD800y"), 936, "x?y"},
      // Three bytes a character in UTF-8 overrun twice the ANSI size.
      {"UTF-8 beyond the headroom", UnitsOf(u"\uAC00\uB098\uB2E4"), 65001,
       "\xEA\xB0\x80\xEB\x82\x98\xEB\x8B\xA4"},
      {"code page we do not have", UnitsOf(u"abc"), 1252, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideToMultiByte(c.units, c.codePage), Text(c.text)) << c.name;
  }
}

// A page of Chinese, ASCII markup, punctuation and characters 936 lacks, decoded whole.
TEST(Utf8ToAnsi, WholePageMatchesTheOracle) {
  std::mt19937 random(936);
  auto pick = [&](char32_t low, char32_t high) {
    return std::uniform_int_distribution<char32_t>(low, high)(random);
  };
  std::u16string page;
  while (page.size() < 200000) {
    switch (random() % 6) {
      case 0: page += u"<title> Kelvora</title>\n mp3:\"http://example.test/a.mp3\""; break;
      case 1: page += static_cast<char16_t>(pick(0x20, 0x7E)); break;
      case 2: page += static_cast<char16_t>(pick(0x3000, 0x303F)); break;
      case 3: page += static_cast<char16_t>(pick(0xAC00, 0xD7A3)); break;  // Hangul
      case 4: page += u"\U0001F3B5"; break;
      default: page += static_cast<char16_t>(pick(0x4E00, 0x9FA5)); break;
    }
  }
  auto utf8 = RunUconv("UTF-16LE", "UTF-8", ToUtf16le(page));
  ASSERT_TRUE(utf8) << "uconv (icu-devtools) must be installed";
  auto expected = RunUconv("UTF-8", kOracle936, *utf8);
  ASSERT_TRUE(expected);
  Text ours = Utf8ToAnsi(Text(*utf8));
  ASSERT_EQ(ours.size(), expected->size());
  EXPECT_TRUE(ours == Text(*expected)) << "the converted page differs from the oracle";
}
