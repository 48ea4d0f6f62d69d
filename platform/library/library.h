// Loading shared libraries by path or name, looking up exports, and unloading
// every library loaded this way at the program's normal end.
#pragma once

#include "text/values.h"

using LibraryHandle = void*;

// Null on failure. A path containing "/" is loaded from there; a bare name goes
// through the system's library search.
LibraryHandle LoadLibraryByName(const Text& pathOrName);
// Null when the library does not export the name.
void* FindExport(LibraryHandle library, const char* name);
// Unloads every library that LoadLibraryByName loaded, newest first.
void UnloadLoadedLibraries();
