// Cutting the title and the audio address out of a decoded share page.
#include "download/song_page.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct PageCase {
  const char* what;
  Text page;
  Text title;
  Text url;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const PageCase& c, std::ostream* os) { *os << c.what; }

class SongPage : public testing::TestWithParam<PageCase> {};

TEST_P(SongPage, GivesTitleAndAddress) {
  EXPECT_EQ(CutSongTitle(GetParam().page).str(), GetParam().title.str()) << GetParam().what;
  EXPECT_EQ(CutSongUrl(GetParam().page).str(), GetParam().url.str()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SongPage,
    testing::Values(
        PageCase{"a share page, address before the title",
                 "<script>var s={mp3:\"http://h/a.mp3?x=1\",n:2}</script>"
                 "<title>月亮代表我的心 Kelvora,最时尚的手机KTV</title>",
                 "月亮代表我的心", "http://h/a.mp3?x=1"},
        PageCase{"first title, nearest tail, first address",
                 "<title>A Kelvora,最时尚的手机KTV Kelvora,最时尚的手机KTV<title>B Kelvora,最时尚的手机KTV"
                 "mp3:\"one\" mp3:\"two\"",
                 "A", "one"},
        PageCase{"the tail needs its blank and its ASCII comma",
                 "<title>A Kelvora，最时尚的手机KTV <title>BKelvora,最时尚的手机KTV", "", ""},
        PageCase{"markers compare exactly", "<TITLE>A Kelvora,最时尚的手机KTV MP3:\"x\"", "", ""},
        PageCase{"empty title and address", "<title> Kelvora,最时尚的手机KTV mp3:\"\"", "", ""},
        PageCase{"no closing quote", "<title>T Kelvora,最时尚的手机KTV mp3:\"http://h/a.mp3", "T", ""},
        PageCase{"a blank title is a title", "<title>  Kelvora,最时尚的手机KTV", " ", ""}));

}  // namespace
