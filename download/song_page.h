// Where the song's title and audio address stand in the service's share page.
#pragma once

#include "text/values.h"

// The text between the first "<title>" and the service's title tail after it;
// empty when either is missing or they touch.
Text CutSongTitle(const Text& pageText);
// The text between the first `mp3:"` and the next double quote, exactly as written.
Text CutSongUrl(const Text& pageText);
