// The skin library image and the 33 skins, carried in the program's constant data.
#pragma once

#include "text/values.h"

extern "C" const unsigned char SkinLibraryImage[];
extern "C" const unsigned long SkinLibraryImage_size;
extern "C" const unsigned char SkinTable[];
extern "C" const unsigned long SkinTable_size;

// A copy of the whole library file, as it is written beside the program.
Bytes SkinLibraryBytes();
// A copy of skin `number` (1 to 33); the empty Bytes for any other number. Only
// that skin is copied.
Bytes CopySkin(int number);
