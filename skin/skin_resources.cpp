// Access to the embedded skin library image and skin table.
#include "skin/skin_resources.h"

#include <cstdint>

#include "skin/skin_table_layout.h"

namespace {

std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

Bytes SkinLibraryBytes() { return Bytes(SkinLibraryImage, SkinLibraryImage_size); }

Bytes CopySkin(int number) {
  if (number < 1 || number > kSkinCount) return Bytes();
  // The table is our own build output, but an index that points outside it would
  // turn a build fault into a read past the program's data, so it is checked.
  const unsigned long size = SkinTable_size;
  const unsigned long entry = 4 + kSkinTableEntrySize * static_cast<unsigned long>(number - 1);
  if (size < 4 || ReadU32(SkinTable) != static_cast<std::uint32_t>(kSkinCount) || entry + 8 > size) return Bytes();
  const unsigned long offset = ReadU32(SkinTable + entry);
  const unsigned long length = ReadU32(SkinTable + entry + 4);
  if (offset > size || length > size - offset) return Bytes();
  return Bytes(SkinTable + offset, length);
}
