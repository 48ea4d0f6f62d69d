// The program's one tie to the skin library: finding SkinH_AttachRes and calling it.
#pragma once

// Calls the library's SkinH_AttachRes(skin, length, "", 0, 0, 0) and returns its
// result. The first call loads the library from the program's folder, else by its
// bare name through the system's library search; it stays loaded until the
// program's normal end. A library that cannot be loaded or lacks the export is a
// FatalError.
int CallSkinAttach(const unsigned char* skin, int length);
