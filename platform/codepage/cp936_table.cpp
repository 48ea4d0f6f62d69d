// Unpacks the compiled-in decoding table and derives the encoding table from it.
#include "platform/codepage/cp936_table.h"

#include <memory>

extern "C" const unsigned char cp936_decode_table[];
extern "C" const unsigned long cp936_decode_table_size;

namespace {
constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFE;
constexpr unsigned kTrailCount = kLastTrail - kFirstTrail + 1;
constexpr unsigned long kEntries = 256 + (kLastLead - kFirstLead + 1) * kTrailCount;

std::uint16_t Entry(unsigned long index) {
  // The file is little-endian whatever the host is.
  return static_cast<std::uint16_t>(cp936_decode_table[2 * index] |
                                    cp936_decode_table[2 * index + 1] << 8);
}

std::unique_ptr<Cp936Table> BuildTable() {
  auto table = std::make_unique<Cp936Table>();
  for (auto& u : table->pair) u = Cp936Table::kNone;
  for (auto& code : table->encode) code = 0;
  for (auto& bits : table->pairValid) bits = 0;
  for (auto& sizes : table->encodedSize) sizes = 0;
  // A short or damaged table must not be read past its end; every byte then stays
  // without a character rather than taking a wrong one.
  const bool whole = cp936_decode_table_size == 2 * kEntries;
  for (unsigned b = 0; b < 256; ++b) {
    table->single[b] = whole ? Entry(b) : (b < 0x80 ? b : Cp936Table::kNone);
  }
  if (!whole) return table;

  // Two-byte codes first, so that the single bytes 0x80 and 0xFF win should a
  // character ever appear twice.
  unsigned long index = 256;
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail, ++index) {
      std::uint16_t u = Entry(index);
      if (u == Cp936Table::kNone) continue;
      table->pair[lead << 8 | trail] = u;
      table->pairValid[lead << 2 | trail >> 6] |= std::uint64_t{1} << (trail & 63);
      table->encode[u] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  for (unsigned b = 0x80; b < 256; ++b) {
    if (table->single[b] != Cp936Table::kNone) table->encode[table->single[b]] = b;
  }
  for (unsigned u = 0; u < 65536; ++u) {
    unsigned size = u < 0x80 ? 1 : table->encode[u] == 0 ? 0 : table->encode[u] < 0x100 ? 1 : 2;
    table->encodedSize[u >> 2] |= static_cast<std::uint8_t>(size << (2 * (u & 3)));
  }
  return table;
}
}  // namespace

const Cp936Table& Cp936() {
  static const std::unique_ptr<Cp936Table> table = BuildTable();
  return *table;
}
