// Where the skin library lives beside the program.
#pragma once

#include "text/values.h"

constexpr const char kSkinLibraryFileName[] = "SkinH_EL.dll";

// The program's folder with a closing "/".
Text SkinLibraryFolder();
// The program's folder and "/SkinH_EL.dll", built anew on each call.
Text SkinLibraryPath();
