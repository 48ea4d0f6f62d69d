// The code page calls' argument meanings, substitutions and failures.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "code_page_helpers.h"

namespace {
constexpr char16_t R = 0xFFFD;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string units;
};
}  // namespace

TEST(Utf8Decoding, ReplacesEachIllFormedPartByOneReplacementCharacter) {
  const std::vector<DecodeCase> cases = {
      {"lone C0", "\xC0", {R}},
      {"C0 C0 80", "\xC0\xC0\x80", {R, R, R}},
      {"E0 20 C0", "\xE0\x20\xC0", {R, u' ', R}},
      {"F8 to FF", "\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF", std::u16string(8, R)},
      {"truncated three-byte at end", "a\xE4\xB8", {u'a', R}},
      {"truncated four-byte at end", "\xF0\x9F\x98", {R}},
      {"truncated sequence before ASCII", "\xE4\xB8" "A", {R, u'A'}},
      {"lone continuation", "\x80" "b", {R, u'b'}},
      {"overlong two-byte", "\xC1\xBF", {R, R}},
      {"overlong three-byte", "\xE0\x80\x80", {R, R, R}},
      {"encoded high surrogate", "\xED\xA0\x80", {R, R, R}},
      {"encoded low surrogate", "\xED\xBF\xBF", {R, R, R}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"valid between invalid", "\xFF\xE4\xB8\xAD\xFF", {R, 0x4E2D, R}},
      {"four-byte as surrogate pair", "\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},
      {"largest character", "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},
      {"two Chinese characters", "\xE4\xB8\xAD\xE6\x96\x87", {0x4E2D, 0x6587}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode(CP_UTF8, c.bytes), c.units) << c.name;
    bool wellFormed = c.units.find(R) == std::u16string::npos;
    int strict = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                     static_cast<int>(c.bytes.size()), nullptr, 0);
    EXPECT_EQ(strict, wellFormed ? static_cast<int>(c.units.size()) : 0) << c.name;
  }
}

TEST(Utf8Decoding, TruncatedSequenceBeforeTheTerminatorStillEndsWithIt) {
  char16_t out[4] = {1, 1, 1, 1};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE4\xB8", -1, out, 4), 2);
  EXPECT_EQ(out[0], R);
  EXPECT_EQ(out[1], 0);
}

TEST(Cp936Decoding, SingleBytesPairsAndBrokenPairs) {
  const std::vector<DecodeCase> cases = {
      {"euro sign", "\x80", {0x20AC}},
      {"0xFF", "\xFF", {0xF8F5}},
      {"two characters", "\xD6\xD0\xCE\xC4", {0x4E2D, 0x6587}},
      {"GBK middle dot", "\xA1\xA4", {0x00B7}},
      {"user-defined area AAA1", "\xAA\xA1", {0xE000}},
      {"user-defined area A140", "\xA1\x40", {0xE4C6}},
      {"user-defined area FEFE", "\xFE\xFE", {0xE4C5}},
      {"lead byte at the end", "a\x81", {u'a', R}},
      {"lead byte before a space", "\x81 ", {R, u' '}},
      {"lead byte before 0x7F", "\x81\x7F", {R, 0x7F}},
      {"lead byte before 0xFF", "\x81\xFF", {R, 0xF8F5}},
      {"broken pair then a whole one", "\x81" "0\x81\x40", {R, u'0', 0x4E02}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode(936, c.bytes), c.units) << c.name;
    bool wellFormed = c.units.find(R) == std::u16string::npos;
    EXPECT_EQ(MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                  static_cast<int>(c.bytes.size()), nullptr, 0),
              wellFormed ? static_cast<int>(c.units.size()) : 0)
        << c.name;
  }
}

TEST(Encoding, Cp936AndUtf8Forms) {
  struct Case {
    const char* name;
    unsigned int codePage;
    std::u16string units;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"936 Chinese", 936, {0x4E2D, 0x6587}, "\xD6\xD0\xCE\xC4"},
      {"936 euro sign", 936, {0x20AC}, "\x80"},
      {"936 U+F8F5", 936, {0xF8F5}, "\xFF"},
      {"936 private use", 936, {0xE000}, "\xAA\xA1"},
      {"936 Hangul it lacks", 936, {u'a', 0xAC00, u'b'}, "a?b"},
      {"936 lone high surrogate", 936, {0xD800, u'A'}, "?A"},
      {"936 lone low surrogate at end", 936, {u'A', 0xDC00}, "A?"},
      {"936 reversed pair", 936, {0xDC00, 0xD800}, "??"},
      {"936 character beyond the BMP", 936, {0xD83D, 0xDE00}, "?"},
      {"UTF-8 Chinese", CP_UTF8, {0x4E2D}, "\xE4\xB8\xAD"},
      {"UTF-8 two-byte", CP_UTF8, {0x00E9}, "\xC3\xA9"},
      {"UTF-8 surrogate pair", CP_UTF8, {0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
      {"UTF-8 lone surrogate", CP_UTF8, {u'a', 0xD800, u'b'}, "a\xEF\xBF\xBD" "b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(c.codePage, c.units), c.bytes) << c.name;

  const char16_t lone[] = {u'a', 0xDC00, 0};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, nullptr, 0, nullptr, nullptr), 0);
}

TEST(Encoding, DefaultCharacterAndItsIndicator) {
  const char16_t text[] = {u'x', 0xAC00, 0x4E2D, 0};
  struct Case {
    const char* defaultChar;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {nullptr, std::string("x?\xD6\xD0", 5)},
      {"*", std::string("x*\xD6\xD0", 5)},
      {"\xCE\xC4", std::string("x\xCE\xC4\xD6\xD0", 6)},  // a two-byte default character
  };
  for (const auto& c : cases) {
    int used = -1;
    char out[16];
    int size = WideCharToMultiByte(936, 0, text, -1, nullptr, 0, c.defaultChar, &used);
    ASSERT_EQ(size, static_cast<int>(c.bytes.size()));
    ASSERT_EQ(WideCharToMultiByte(936, 0, text, -1, out, size, c.defaultChar, &used), size);
    EXPECT_EQ(std::string(out, static_cast<std::size_t>(size)), c.bytes);
    EXPECT_EQ(used, 1);
  }
  int used = -1;
  const char16_t mapped[] = {0x4E2D, 0};
  EXPECT_EQ(WideCharToMultiByte(936, 0, mapped, -1, nullptr, 0, nullptr, &used), 3);
  EXPECT_EQ(used, 0);
}

TEST(Sizing, TerminatorSizeQueryAndShortBuffers) {
  char16_t wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "", -1, nullptr, 0), 1);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, wide, 4), 4);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"abc", 4));

  // Too small: the call fails, what fits has been written and nothing beyond it.
  std::u16string shortBuffer(4, u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, shortBuffer.data(), 3), 0);
  EXPECT_EQ(shortBuffer, u"abc#");
  // A surrogate pair is never split.
  std::u16string pairBuffer(2, u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xF0\x9F\x98\x80", 5, pairBuffer.data(), 2), 0);
  EXPECT_EQ(pairBuffer, u"a#");

  const char16_t chinese[] = {u'a', 0x4E2D, 0};
  EXPECT_EQ(WideCharToMultiByte(936, 0, chinese, -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, chinese, -1, nullptr, 0, nullptr, nullptr), 5);
  std::string narrow(3, '#');
  // Half of a two-byte character is never written.
  EXPECT_EQ(WideCharToMultiByte(936, 0, chinese, -1, narrow.data(), 2, nullptr, nullptr), 0);
  EXPECT_EQ(narrow, "a##");
}

TEST(Sizing, RefusedArguments) {
  char16_t wide[4];
  char bytes[4];
  const char16_t text[] = {u'a', 0};
  int used = 0;
  struct Case {
    const char* name;
    int result;
  };
  const std::vector<Case> cases = {
      {"no input", MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, nullptr, 0)},
      {"length 0", MultiByteToWideChar(CP_UTF8, 0, "a", 0, nullptr, 0)},
      {"length below -1", MultiByteToWideChar(CP_UTF8, 0, "a", -2, nullptr, 0)},
      {"negative output size", MultiByteToWideChar(CP_UTF8, 0, "a", -1, wide, -1)},
      {"size without buffer", MultiByteToWideChar(CP_UTF8, 0, "a", -1, nullptr, 4)},
      {"unknown code page", MultiByteToWideChar(1252, 0, "a", -1, wide, 4)},
      {"MB_PRECOMPOSED with UTF-8", MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", -1, wide, 4)},
      {"unknown flag", MultiByteToWideChar(936, 0x2, "a", -1, wide, 4)},
      {"wide: no input", WideCharToMultiByte(936, 0, nullptr, -1, nullptr, 0, nullptr, nullptr)},
      {"wide: length 0", WideCharToMultiByte(936, 0, text, 0, nullptr, 0, nullptr, nullptr)},
      {"wide: length below -1", WideCharToMultiByte(936, 0, text, -5, nullptr, 0, nullptr, nullptr)},
      {"wide: size without buffer", WideCharToMultiByte(936, 0, text, -1, nullptr, 4, nullptr, nullptr)},
      {"wide: unknown code page", WideCharToMultiByte(437, 0, text, -1, bytes, 4, nullptr, nullptr)},
      {"wide: UTF-8 with default", WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, 4, "?", nullptr)},
      {"wide: UTF-8 with indicator", WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, 4, nullptr, &used)},
      {"wide: 936 strict flag", WideCharToMultiByte(936, WC_ERR_INVALID_CHARS, text, -1, bytes, 4, nullptr, nullptr)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, 0) << c.name;
  EXPECT_EQ(MultiByteToWideChar(936, MB_PRECOMPOSED, "a", -1, wide, 4), 2);
  EXPECT_EQ(WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text, -1, bytes, 4, nullptr, nullptr), 2);
}

// The ANSI code page is 936 whatever locale the process runs in.
TEST(AnsiCodePage, Is936InEveryLocale) {
  for (const char* locale : {"C", "C.UTF-8", "POSIX"}) {
    std::setlocale(LC_ALL, locale);
    for (unsigned int codePage : {CP_ACP, CP_OEMCP, CP_THREAD_ACP}) {
      EXPECT_EQ(Decode(codePage, "\xD6\xD0\x80"), std::u16string({0x4E2D, 0x20AC})) << locale;
      EXPECT_EQ(Encode(codePage, {0x6587, 0xAC00}), "\xCE\xC4?") << locale;
    }
  }
  std::setlocale(LC_ALL, "C");
}
