// Skin deployment and attachment at start-up.
#pragma once

// Writes the embedded skin library beside the program when no entry of that name
// exists there (a folder of that name counts and is left alone), then marks it
// hidden. An existing entry is never written or touched.
void EnsureSkinLibrary();
// EnsureSkinLibrary, then hands skin `number` (1 to 33) to the library; any other
// number hands it a null skin of length 0. The library's answer is not looked at.
void ApplySkin(int number);
