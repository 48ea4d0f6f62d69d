// Our code page tables against ICU's windows-936-2000 converter and UTF-8 codec,
// over every two-byte code of 936 and every character of the Basic Multilingual Plane.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "code_page_helpers.h"
#include "uconv_oracle.h"

namespace {
// Splits at every `separator`; each piece is what one input item turned into.
template <typename String>
std::vector<String> Pieces(const String& all, typename String::value_type separator) {
  std::vector<String> pieces;
  String current;
  for (auto c : all) {
    if (c == separator) {
      pieces.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  return pieces;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    out += buf;
  }
  return out;
}

std::string Hex(const std::u16string& units) {
  std::string out;
  char buf[6];
  for (char16_t u : units) {
    std::snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(u));
    out += buf;
  }
  return out;
}

// Every character of the BMP but the surrogates and the newline that separates them.
std::vector<char16_t> BmpCharacters() {
  std::vector<char16_t> chars;
  for (unsigned u = 1; u <= 0xFFFF; ++u) {
    if (u != '\n' && (u < 0xD800 || u > 0xDFFF)) chars.push_back(static_cast<char16_t>(u));
  }
  return chars;
}

// Each of `chars` followed by a newline, one UTF-16 text.
std::u16string OnePerLine(const std::vector<char16_t>& chars) {
  std::u16string text;
  for (char16_t c : chars) {
    text.push_back(c);
    text.push_back(u'\n');
  }
  return text;
}
}  // namespace

// Every lead byte with every possible second byte (invalid trails included, so the
// resynchronisation after a broken pair is checked too), then every single high byte.
TEST(Cp936Oracle, DecodesEveryByteAndPairAsMicrosoftsTable) {
  std::string input;
  for (unsigned b = 0x80; b <= 0xFF; ++b) input += {static_cast<char>(b), '\n'};
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      input += {static_cast<char>(lead), static_cast<char>(trail), '\n'};
    }
  }
  auto oracle = RunUconv(kOracle936, "UTF-16LE", input);
  ASSERT_TRUE(oracle) << "uconv (icu-devtools) must be installed";
  std::vector<std::u16string> expected = Pieces(FromUtf16le(*oracle), u'\n');
  std::vector<std::u16string> ours = Pieces(Decode(936, input), u'\n');
  ASSERT_EQ(ours.size(), expected.size());
  int mismatches = 0;
  for (std::size_t i = 0; i < ours.size() && mismatches < 10; ++i) {
    if (ours[i] != expected[i]) {
      ++mismatches;
      ADD_FAILURE() << "piece " << i << ": ours " << Hex(ours[i]) << "oracle " << Hex(expected[i]);
    }
  }
}

// What the oracle cannot map it replaces by "?", except the default-ignorable
// characters, which ICU drops and Windows replaces like any other.
TEST(Cp936Oracle, EncodesEveryBmpCharacterAsMicrosoftsTable) {
  std::vector<char16_t> chars = BmpCharacters();
  std::u16string text = OnePerLine(chars);
  auto oracle = RunUconv("UTF-16LE", kOracle936, ToUtf16le(text));
  ASSERT_TRUE(oracle) << "uconv (icu-devtools) must be installed";
  std::vector<std::string> expected = Pieces(*oracle, '\n');
  std::vector<std::string> ours = Pieces(Encode(936, text), '\n');
  ASSERT_EQ(expected.size(), chars.size());
  ASSERT_EQ(ours.size(), chars.size());
  int mismatches = 0;
  int mapped = 0;
  for (std::size_t i = 0; i < chars.size() && mismatches < 10; ++i) {
    std::string want = expected[i].empty() ? "?" : expected[i];
    if (ours[i] != want) {
      ++mismatches;
      ADD_FAILURE() << "U+" << Hex(std::u16string(1, chars[i])) << "ours " << Hex(ours[i])
                    << " oracle " << Hex(expected[i]);
    }
    if (want != "?" || chars[i] == u'?') ++mapped;
  }
  // ASCII less the newline, the euro sign, U+F8F5 and every two-byte character.
  EXPECT_EQ(mapped, 126 + 2 + 23940);
}

// Every character the table has comes back from its bytes; every other one is "?".
TEST(Cp936Oracle, EveryBmpCharacterRoundTripsOrBecomesQuestionMark) {
  std::vector<char16_t> chars = BmpCharacters();
  std::vector<std::string> encoded = Pieces(Encode(936, OnePerLine(chars)), '\n');
  ASSERT_EQ(encoded.size(), chars.size());
  int mismatches = 0;
  for (std::size_t i = 0; i < chars.size() && mismatches < 10; ++i) {
    if (chars[i] == u'?' || encoded[i] == "?") continue;
    std::u16string back = Decode(936, encoded[i]);
    if (back != std::u16string(1, chars[i])) {
      ++mismatches;
      ADD_FAILURE() << "U+" << Hex(std::u16string(1, chars[i])) << "-> " << Hex(encoded[i])
                    << " -> " << Hex(back);
    }
  }
}

TEST(Cp936Oracle, EveryTwoByteCodeRoundTrips) {
  int codes = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string wide = Decode(936, code);
      ASSERT_EQ(wide.size(), 1u) << Hex(code);
      ASSERT_NE(wide[0], 0xFFFD) << Hex(code);
      ASSERT_EQ(Encode(936, wide), code) << Hex(code);
      ++codes;
    }
  }
  EXPECT_EQ(codes, 23940);
}

// UTF-8 both ways against the oracle: every BMP character, lone surrogates excepted,
// and characters beyond it as surrogate pairs.
TEST(Utf8Oracle, EveryBmpCharacterAndSupplementarySamplesRoundTrip) {
  std::u16string text = OnePerLine(BmpCharacters());
  for (char32_t c : {0x10000u, 0x1F600u, 0x20000u, 0x10FFFFu}) {
    c -= 0x10000;
    text += {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF)),
             u'\n'};
  }
  auto oracle = RunUconv("UTF-16LE", "UTF-8", ToUtf16le(text));
  ASSERT_TRUE(oracle) << "uconv (icu-devtools) must be installed";
  std::string utf8 = Encode(CP_UTF8, text);
  EXPECT_TRUE(utf8 == *oracle) << "UTF-8 encoding differs from the oracle";
  EXPECT_TRUE(Decode(CP_UTF8, *oracle) == text) << "UTF-8 decoding differs from the oracle";
}
