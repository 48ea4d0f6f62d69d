// The song state: what the last download left behind, kept until the program ends.
#pragma once

#include "text/values.h"

// The last fetched share page in code page 936, its song title and audio address.
extern Text g_pageText, g_songTitle, g_songUrl;
// The last downloaded audio file, whole.
extern Bytes g_songData;

// The exit handler: releases the four globals, skipping empty ones.
void ReleaseSongState();
