// The name a song is saved under on the desktop, made from its title.
#pragma once

#include "text/values.h"

// The title as one safe file name ending in ".mp3", in code page 936: character
// references decoded, the characters that common file systems refuse
// (/ \ : * ? " < > |) turned into their full-width forms, control characters and
// broken byte pairs dropped, and the name cut at a character boundary so that it
// still fits the file system's limit while a temporary suffix is attached.
// Blanks stay where they are. A title with nothing left gives "未命名.mp3".
Text SongFileName(const Text& title);
