// The full path of the skin library beside the program.
#include "skin/skin_library_name.h"

#include "platform/process/program_directory.h"
#include "text/primitives.h"

Text SkinLibraryFolder() { return JoinText(ProgramDirectory(), "/"); }

Text SkinLibraryPath() { return JoinText(SkinLibraryFolder(), kSkinLibraryFileName); }
