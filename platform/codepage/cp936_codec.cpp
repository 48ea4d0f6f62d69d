// Code page 936 to UTF-16 and back by direct table lookup.
#include "platform/codepage/codec_sink.h"
#include "platform/codepage/codecs.h"
#include "platform/codepage/cp936_table.h"

namespace {
template <bool kCount>
CodecResult Decode(const unsigned char* in, std::size_t length, char16_t* out,
                   std::size_t capacity, bool stopOnInvalid) {
  const Cp936Table& table = Cp936();
  CodecSink<char16_t, kCount> sink(out, capacity);
  CodecResult result;
  std::size_t i = 0;
  while (i < length) {
    if (in[i] < 0x80) {
      if (!sink.CopyAsciiRun(in, length, i)) {
        result.noRoom = true;
        break;
      }
      continue;
    }
    char16_t u = table.single[in[i]];
    std::size_t taken = 1;
    if (u == Cp936Table::kNone && i + 1 < length) {
      unsigned code = in[i] << 8 | in[i + 1];
      if constexpr (kCount) {
        // Counting needs only whether the pair is a character; the bitmap stays in
        // the fastest cache where the whole table would not.
        if (table.pairValid[code >> 6] >> (code & 63) & 1) u = 0, taken = 2;
      } else {
        u = table.pair[code];
        if (u != Cp936Table::kNone) taken = 2;
      }
    }
    // A lead byte without a fitting trail byte is one bad character; the byte after
    // it is read again on its own, so an ASCII byte there survives.
    if (u == Cp936Table::kNone) {
      if (stopOnInvalid) {
        result.invalid = true;
        break;
      }
      u = 0xFFFD;
    }
    if (!sink.Fits(1)) {
      result.noRoom = true;
      break;
    }
    sink.Put(u);
    i += taken;
  }
  result.produced = sink.Produced();
  return result;
}

template <bool kCount>
CodecResult Encode(const char16_t* in, std::size_t length, unsigned char* out,
                   std::size_t capacity, const Cp936Default& replacement, bool* usedDefault) {
  const Cp936Table& table = Cp936();
  CodecSink<unsigned char, kCount> sink(out, capacity);
  CodecResult result;
  std::size_t i = 0;
  while (i < length) {
    char16_t u = in[i];
    if (u < 0x80) {
      if (!sink.CopyAsciiRun(in, length, i)) {
        result.noRoom = true;
        break;
      }
      continue;
    }
    std::size_t units = 1;
    unsigned code = 0;
    if (u >= 0xD800 && u <= 0xDFFF) {
      // A whole surrogate pair is one character and gets one replacement.
      if (u <= 0xDBFF && i + 1 < length && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) units = 2;
    } else if constexpr (kCount) {
      // Sizing needs only the byte count, from a table small enough to stay cached.
      if (unsigned size = EncodedSize(table, u)) {
        sink.Count(size);
        ++i;
        continue;
      }
    } else {
      code = table.encode[u];
    }
    if (code == 0) {
      if (!sink.Fits(replacement.size)) {
        result.noRoom = true;
        break;
      }
      for (std::size_t k = 0; k < replacement.size; ++k) sink.Put(replacement.bytes[k]);
      if (usedDefault) *usedDefault = true;
    } else if (code < 0x100) {
      if (!sink.Fits(1)) {
        result.noRoom = true;
        break;
      }
      sink.Put(static_cast<unsigned char>(code));
    } else {
      if (!sink.Fits(2)) {
        result.noRoom = true;
        break;
      }
      sink.Put(static_cast<unsigned char>(code >> 8));
      sink.Put(static_cast<unsigned char>(code & 0xFF));
    }
    i += units;
  }
  result.produced = sink.Produced();
  return result;
}
}  // namespace

CodecResult DecodeCp936(const unsigned char* in, std::size_t length, char16_t* out,
                        std::size_t capacity, bool stopOnInvalid) {
  return CountOrWrite(out, [&](auto count) {
    return Decode<decltype(count)::value>(in, length, out, capacity, stopOnInvalid);
  });
}

CodecResult EncodeCp936(const char16_t* in, std::size_t length, unsigned char* out,
                        std::size_t capacity, const Cp936Default& replacement,
                        bool* usedDefault) {
  return CountOrWrite(out, [&](auto count) {
    return Encode<decltype(count)::value>(in, length, out, capacity, replacement, usedDefault);
  });
}
