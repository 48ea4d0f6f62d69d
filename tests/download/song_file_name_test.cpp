// The file name made from a song title: hostile titles must give one plain,
// legible name inside the desktop folder that the file system accepts.
#include "download/song_file_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "download/character_references.h"
#include "platform/codepage/boundary.h"
#include "platform/files/safe_save.h"

namespace {

struct Case {
  const char* what;
  Text input;
  Text expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class CharacterReferences : public testing::TestWithParam<Case> {};

TEST_P(CharacterReferences, DecodeOnlyWhatIsAReference) {
  EXPECT_EQ(DecodeCharacterReferences(GetParam().input).str(), GetParam().expected.str())
      << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterReferences,
    testing::Values(
        Case{"named", "AT&amp;T &lt;b&gt; &quot;q&quot; it&apos;s", "AT&T <b> \"q\" it's"},
        Case{"no-break space is a blank", "a&nbsp;b&#160;c&#xA0;d", "a b c d"},
        Case{"decimal and hex apostrophe", "&#39;&#x27;&#X27;&#0039;", "''''"},
        Case{"one pass only", "&amp;lt;&amp;#47;", "&lt;&#47;"},
        Case{"Chinese by number", "&#20013;&#x6587;", "中文"},
        Case{"a character code page 936 lacks", "x&#128512;y", "x?y"},
        Case{"zero, surrogate, past Unicode, overlong",
             "&#0;&#xD800;&#1114112;&#99999999999;", "&#0;&#xD800;&#1114112;&#99999999999;"},
        Case{"not references", "& &amp &#; &#x; &#12a; &AMP; &unknown; &#x110000;",
             "& &amp &#; &#x; &#12a; &AMP; &unknown; &#x110000;"},
        Case{"double-byte text around", "中&amp;文", "中&文"}));

class FileNames : public testing::TestWithParam<Case> {};

TEST_P(FileNames, AreOnePlainNameEndingInMp3) {
  Text name = SongFileName(GetParam().input);
  EXPECT_EQ(name.str(), GetParam().expected.str()) << GetParam().what;
  std::string native = Cp936ToUtf8(name);
  EXPECT_EQ(native.find('/'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, FileNames,
    testing::Values(
        Case{"plain Chinese", "月亮代表我的心", "月亮代表我的心.mp3"},
        Case{"climbs out of the folder", "../../etc/passwd", "..／..／etc／passwd.mp3"},
        Case{"absolute path", "/tmp/x", "／tmp／x.mp3"},
        Case{"every refused character", "a/b\\c:d*e?f\"g<h>i|j", "a／b＼c：d＊e？f＂g＜h＞i｜j"
                                                             ".mp3"},
        Case{"references decoded before cleaning", "AT&amp;T &#47;etc&#x2F; &lt;x&gt;",
             "AT&T ／etc／ ＜x＞.mp3"},
        Case{"blanks stay where they are", "  two  blanks  ", "  two  blanks  .mp3"},
        Case{"control characters dropped", "tab\there\r\nnew\x7f" "line&#10;", "tabherenewline.mp3"},
        Case{"dots are only a name", "..", "...mp3"},
        Case{"nothing left", "\x01\x02&#9;", "未命名.mp3"},
        Case{"second byte 0x5C or 0x7C is part of a character", "乗亅", "乗亅.mp3"},
        Case{"lone lead byte cannot hide a slash", "a\x81/b", "a／b.mp3"},
        Case{"euro sign is a character of its own", "\x80" "5", "\x80" "5.mp3"},
        Case{"missing character becomes a full-width question mark", "&#128512;", "？.mp3"}));

// Titles long enough to be cut, built of characters of 1, 2 and 3 UTF-8 bytes
// and of characters that grow when replaced, offset so the limit falls inside
// a character.
class LongTitles : public testing::TestWithParam<Case> {};

TEST_P(LongTitles, AreCutAtACharacterBoundaryToFitTheLimit) {
  Text title = GetParam().input;
  Text name = SongFileName(title);
  std::string native = Cp936ToUtf8(name);
  ASSERT_EQ(native.substr(native.size() - 4), ".mp3");
  EXPECT_LE(native.size() + kTemporaryNameGrowth, static_cast<size_t>(kLongestFileName))
      << GetParam().what;
  // Nothing more would fit: a character is at most 3 bytes in UTF-8.
  EXPECT_GT(native.size() + kTemporaryNameGrowth + 3, static_cast<size_t>(kLongestFileName))
      << GetParam().what;
  // A cut through a byte pair would not survive the trip to UTF-8 and back.
  EXPECT_EQ(Utf8ToCp936(native), name) << GetParam().what;
  // What is left is the start of the cleaned title.
  std::string stem = name.str().substr(0, name.size() - 4);
  EXPECT_EQ(GetParam().expected.str().compare(0, stem.size(), stem), 0) << GetParam().what;
}

std::string Repeat(const std::string& piece, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += piece;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LongTitles,
    testing::Values(
        Case{"ASCII", Text(Repeat("a", 400)), Text(Repeat("a", 400))},
        Case{"Chinese", Text(Repeat("中", 200)), Text(Repeat("中", 200))},
        Case{"Chinese after one letter", Text("a" + Repeat("中", 200)), Text("a" + Repeat("中", 200))},
        Case{"Chinese after two letters", Text("ab" + Repeat("中", 200)), Text("ab" + Repeat("中", 200))},
        Case{"slashes growing to full width", Text(Repeat("/", 200)), Text(Repeat("／", 200))},
        Case{"references growing", Text(Repeat("&#47;", 200)), Text(Repeat("／", 200))}));

}  // namespace
