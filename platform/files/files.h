// Stand-ins for the file functions. Paths are code page 936 texts with "/" as
// separator; they are handed to the file system as UTF-8.
#pragma once

#include "text/values.h"

constexpr int FILE_ATTRIBUTE_READONLY = 1;
constexpr int FILE_ATTRIBUTE_HIDDEN = 2;
constexpr int FILE_ATTRIBUTE_SYSTEM = 4;
constexpr int FILE_ATTRIBUTE_ARCHIVE = 32;

// True for any entry of that name: a file, a folder or anything else.
bool FileExists(const Text& path);
// Creates or truncates the file and writes all bytes in one piece. False for an
// empty path or when creating, writing or closing fails.
bool WriteWholeFile(const Text& path, const Bytes& data);
// Read-only maps to the write permission bits; hidden, system and archive have no
// Linux bit and are accepted without effect. False when the file does not exist.
bool SetFileAttribute(const Text& path, int attributes);
