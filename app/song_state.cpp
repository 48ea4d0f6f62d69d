// The song state globals and their release at the program's normal end.
#include "app/song_state.h"

#include <new>

Text g_pageText, g_songTitle, g_songUrl;
Bytes g_songData;

namespace {
// Assigning an empty value may keep the old buffer; ending the value's life and
// starting a fresh one really gives the memory back.
template <typename Value>
void Release(Value& value) {
  if (value.empty()) return;
  value.~Value();
  new (&value) Value();
}
}  // namespace

void ReleaseSongState() {
  Release(g_pageText);
  Release(g_songTitle);
  Release(g_songUrl);
  Release(g_songData);
}
