// The program's crossing between code page 936 texts and UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codepage/boundary.h"

TEST(Boundary, ConvertsBothWays) {
  struct Case {
    const char* name;
    std::string cp936;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {"empty", "", ""},
      {"ASCII", "Kelvora song.mp3", "Kelvora song.mp3"},
      {"Chinese", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"euro sign", "\x80", "\xE2\x82\xAC"},
      {"mixed", "a\xCF\xC2\xD4\xD8" "b", "a\xE4\xB8\x8B\xE8\xBD\xBD" "b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp936ToUtf8(Text(c.cp936)), c.utf8) << c.name;
    EXPECT_EQ(Utf8ToCp936(c.utf8), Text(c.cp936)) << c.name;
  }
}

TEST(Boundary, WhatTheOtherSideCannotSay) {
  EXPECT_EQ(Cp936ToUtf8(Text("a\x81")), "a\xEF\xBF\xBD");  // lead byte without trail
  EXPECT_EQ(Utf8ToCp936("\xEA\xB0\x80"), Text("?"));      // Hangul is not in 936
  EXPECT_EQ(Utf8ToCp936("x\xC0y"), Text("x?y"));          // ill-formed UTF-8
  EXPECT_EQ(Utf8ToCp936(std::string_view("ab\0cd", 5)), Text("ab"));
}

TEST(Boundary, EveryTwoByteCodeSurvivesTheRoundTrip) {
  std::string all;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F) all += {static_cast<char>(lead), static_cast<char>(trail)};
    }
  }
  std::string utf8 = Cp936ToUtf8(Text(all));
  EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_TRUE(Utf8ToCp936(utf8) == Text(all));
}
