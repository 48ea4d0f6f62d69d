// The folder that holds the program's own file, learned once at start-up.
#pragma once

#include "text/values.h"

// Reads the program's path, keeps the part before its last "/" and makes that
// folder the current directory. A path without "/" leaves the folder empty and
// the current directory unchanged. Returns whether the folder was learned.
bool LearnProgramDirectory();
// A new copy of the program's folder without a trailing "/"; empty before
// LearnProgramDirectory has run or when it learned nothing.
Text ProgramDirectory();
// The folder part of a path: everything before its last "/", empty without one.
Text DirectoryOfPath(const Text& path);
