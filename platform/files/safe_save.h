// Saving a whole file so that a good file of the same name is replaced only by a
// complete new one.
#pragma once

#include "text/values.h"

// The longest file name the file system takes, in UTF-8 bytes.
constexpr int kLongestFileName = 255;
// What a file name grows by while its contents are written under a temporary name.
constexpr int kTemporaryNameGrowth = 12;

enum class SaveProblem {
  kNone,
  kNoFolder,      // the folder is empty, missing or not a folder
  kBadName,       // the name is not one plain name inside the folder, or too long
  kDiskFull,      // no space left (or the user's quota is used up)
  kNoPermission,  // the folder or the old file may not be written
  kOther,         // anything else; errno tells more
};

// Writes data to a temporary file in folder (a code page 936 path ending in "/"),
// flushes it to disk and renames it to name. On any failure the temporary file is
// removed and an existing file of that name stays as it was.
SaveProblem SaveFileSafely(const Text& folder, const Text& name, const Bytes& data);
