// How the 33 skins are packed into the one block that the program carries.
//
//   0        4         count of skins (little-endian)
//   4        8*count   per skin: offset from the block's start, length (both little-endian)
//   ...                the skins' bytes
#pragma once

#include <cstddef>

constexpr int kSkinCount = 33;
constexpr std::size_t kSkinTableEntrySize = 8;
