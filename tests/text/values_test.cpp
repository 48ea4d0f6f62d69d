// Value behaviour of Text, Bytes and TextArray and the whole-value primitives.
#include <gtest/gtest.h>

#include "text/primitives.h"

namespace {

Bytes B(std::string_view s) { return Bytes(s.data(), s.size()); }

TEST(TextValue, BuildingFromBytesStopsAtZero) {
  EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).str(), "ab");
  EXPECT_EQ(BytesToText(B(std::string_view("\0abc", 4))), Text());
  EXPECT_EQ(BytesToText(B(std::string_view("ab\0cd", 5))), Text("ab"));
  EXPECT_EQ(BytesToText(B("abc")), Text("abc"));
  EXPECT_EQ(BytesToText(Bytes()), Text());
  EXPECT_EQ(TextToBytes(Text()), Bytes());
  EXPECT_EQ(TextToBytes("xy"), B("xy"));
}

TEST(TextValue, CompareTextOrdersBytesUnsignedWithPrefixFirst) {
  struct Case { Text a, b; int expected; };
  const Case cases[] = {
      {Text(), Text(""), 0},
      {"", "a", -1},
      {"a", "", 1},
      {"ab", "abc", -1},
      {"abc", "abd", -1},
      {"\x80", "\x7f", 1},  // unsigned: 0x80 sorts after 0x7F
      {"B", "a", -1},        // case matters
      {"same", "same", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(c.a, c.b), c.expected) << '"' << c.a.str() << "\" vs \"" << c.b.str() << '"';
  }
}

TEST(BytesValue, CompareBytesIsEqualityOnLengthAndContent) {
  EXPECT_EQ(CompareBytes(Bytes(), Bytes()), 0);
  EXPECT_NE(CompareBytes(B("a"), B("ab")), 0);
  EXPECT_NE(CompareBytes(B(std::string_view("a\0", 2)), B("a")), 0);
  EXPECT_EQ(CompareBytes(B(std::string_view("a\0b", 3)), B(std::string_view("a\0b", 3))), 0);
}

TEST(Filling, CountsAtOrBelowZeroGiveEmptyValues) {
  EXPECT_EQ(CharFromCode(0), Text());
  EXPECT_EQ(CharFromCode(0x41), Text("A"));
  EXPECT_EQ(TextLength(CharFromCode(0xD6)), 1);
  for (int n : {0, -1, -1000}) {
    EXPECT_EQ(BlankText(n), Text());
    EXPECT_EQ(BlankBytes(n), Bytes());
  }
  EXPECT_EQ(BlankText(3), Text("   "));
  EXPECT_EQ(BlankBytes(3), B(std::string_view("\0\0\0", 3)));
  EXPECT_EQ(BytesLength(BlankBytes(1024)), 1024);
}

TEST(Joining, EmptyPiecesAddNothing) {
  EXPECT_EQ(JoinText("", "", ""), Text());
  EXPECT_EQ(JoinText("/home/u/Desktop/", "song", ".mp3"), Text("/home/u/Desktop/song.mp3"));
  EXPECT_EQ(JoinText("", "b"), Text("b"));
  EXPECT_EQ(JoinBytes(B(std::string_view("a\0", 2)), Bytes(), B("b")), B(std::string_view("a\0b", 3)));
}

TEST(TextArrayValue, AppendMemberCopiesAndCountsEmptyMembers) {
  TextArray array;
  EXPECT_EQ(ArraySize(array), 0);
  Text member = "x";
  AppendMember(array, member);
  AppendMember(array, Text());
  member = "changed";
  ASSERT_EQ(ArraySize(array), 2);
  EXPECT_EQ(array[1], Text("x"));
  EXPECT_EQ(array[2], Text());
}

}  // namespace
