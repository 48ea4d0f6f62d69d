// Compiles the readable skin table into ".SHE" skins and the packed skin table.
// Usage: skin_compiler <skins.txt> <output folder>
// Writes skin_01.she ... skin_33.she and skin_table.bin into the output folder.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/skin_table_layout.h"
#include "tools/skin_compiler/skin_source.h"

namespace {

void PutU32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: skin_compiler <skins.txt> <output folder>\n";
    return 2;
  }
  std::ifstream source(argv[1]);
  if (!source) {
    std::cerr << argv[1] << ": cannot read\n";
    return 1;
  }
  std::vector<she::Look> looks;
  std::string error;
  if (!ReadSkinTable(source, &looks, &error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  if (looks.size() != kSkinCount) {
    std::cerr << argv[1] << ": " << looks.size() << " skins, expected " << kSkinCount << "\n";
    return 1;
  }

  const std::string folder = argv[2];
  std::vector<unsigned char> table(4 + kSkinTableEntrySize * looks.size());
  PutU32(table, 0, static_cast<std::uint32_t>(looks.size()));
  for (std::size_t i = 0; i < looks.size(); ++i) {
    std::vector<unsigned char> skin = she::EncodeSkin(looks[i]);
    // A skin the engine would refuse must fail the build, not the program.
    she::Look check;
    if (!she::ParseSkin(skin.data(), skin.size(), &check)) {
      std::cerr << argv[1] << ": skin " << i + 1 << " does not read back\n";
      return 1;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/skin_%02zu.she", i + 1);
    if (!WriteFile(folder + name, skin)) {
      std::cerr << folder << name << ": cannot write\n";
      return 1;
    }
    PutU32(table, 4 + kSkinTableEntrySize * i, static_cast<std::uint32_t>(table.size()));
    PutU32(table, 8 + kSkinTableEntrySize * i, static_cast<std::uint32_t>(skin.size()));
    table.insert(table.end(), skin.begin(), skin.end());
  }
  if (!WriteFile(folder + "/skin_table.bin", table)) {
    std::cerr << folder << "/skin_table.bin: cannot write\n";
    return 1;
  }
  return 0;
}
