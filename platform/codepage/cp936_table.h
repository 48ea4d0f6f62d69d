// Microsoft's code page 936 table in both directions, ready for direct indexing.
#pragma once

#include <cstdint>

struct Cp936Table {
  static constexpr std::uint16_t kNone = 0xFFFF;
  // Unicode of each single byte; kNone for a lead byte.
  std::uint16_t single[256];
  // Unicode of each lead * 256 + trail; kNone where the pair is no character.
  std::uint16_t pair[65536];
  // Bit lead * 256 + trail set where that pair is a character.
  std::uint64_t pairValid[65536 / 64];
  // Code page bytes of each BMP character: below 0x100 one byte, else lead * 256 + trail;
  // 0 for a character the table lacks (U+0000 itself is the byte 0).
  std::uint16_t encode[65536];
  // Bytes each BMP character takes, two bits apiece (0 for a character the table
  // lacks), so that sizing reads a table small enough for the fastest cache.
  std::uint8_t encodedSize[65536 / 4];
};

// Built once, on first use, from the table compiled into the program.
const Cp936Table& Cp936();

inline unsigned EncodedSize(const Cp936Table& table, char16_t u) {
  return table.encodedSize[u >> 2] >> (2 * (u & 3)) & 3;
}
