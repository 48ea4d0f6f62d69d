// The share page markers; they are code page 936 texts like the decoded page.
#include "download/song_page.h"

#include "text/editing.h"

Text CutSongTitle(const Text& pageText) {
  return TextBetween(pageText, "<title>", " Kelvora,最时尚的手机KTV");
}

Text CutSongUrl(const Text& pageText) { return TextBetween(pageText, "mp3:\"", "\""); }
