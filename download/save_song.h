// Putting a downloaded song on the desktop.
#pragma once

#include "platform/files/safe_save.h"
#include "text/values.h"

// Saves data as the title's file name (see SongFileName) in the desktop folder,
// replacing a file of that name only when the whole save succeeds.
SaveProblem SaveSong(const Text& title, const Bytes& data);
