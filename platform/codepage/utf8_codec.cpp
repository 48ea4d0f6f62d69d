// UTF-8 to UTF-16 and back, substituting U+FFFD for what is ill-formed the way
// current Windows does: one U+FFFD per maximal ill-formed part, so that a broken
// byte never swallows the valid bytes after it.
#include "platform/codepage/codec_sink.h"
#include "platform/codepage/codecs.h"

namespace {
constexpr char16_t kReplacement = 0xFFFD;

template <bool kCount>
CodecResult Decode(const unsigned char* in, std::size_t length, char16_t* out,
                   std::size_t capacity, bool stopOnInvalid) {
  CodecSink<char16_t, kCount> sink(out, capacity);
  CodecResult result;
  std::size_t i = 0;
  while (i < length) {
    unsigned lead = in[i];
    if (lead < 0x80) {
      if (!sink.CopyAsciiRun(in, length, i)) {
        result.noRoom = true;
        break;
      }
      continue;
    }
    // Most of a Chinese page: three-byte forms whose lead allows any continuation.
    if (lead >= 0xE1 && lead != 0xED && lead <= 0xEF && i + 2 < length &&
        (in[i + 1] & 0xC0) == 0x80 && (in[i + 2] & 0xC0) == 0x80) {
      if (!sink.Fits(1)) {
        result.noRoom = true;
        break;
      }
      sink.Put(static_cast<char16_t>((lead & 0x0F) << 12 | (in[i + 1] & 0x3F) << 6 | (in[i + 2] & 0x3F)));
      i += 3;
      continue;
    }
    // Continuation bytes and the second byte's narrower ranges rule out overlong
    // forms, encoded surrogates and anything above U+10FFFF.
    std::size_t need = 0;
    unsigned low = 0x80, high = 0xBF;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      need = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      need = 2;
      code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      need = 3;
      code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    std::size_t taken = 1;
    bool valid = need > 0;
    while (valid && taken <= need) {
      if (i + taken >= length) {
        valid = false;
        break;
      }
      unsigned next = in[i + taken];
      if (next < low || next > high) {
        valid = false;
        break;
      }
      code = code << 6 | (next & 0x3F);
      low = 0x80;
      high = 0xBF;
      ++taken;
    }
    if (!valid) {
      if (stopOnInvalid) {
        result.invalid = true;
        break;
      }
      if (!sink.Fits(1)) {
        result.noRoom = true;
        break;
      }
      sink.Put(kReplacement);
      i += taken;
      continue;
    }
    if (code >= 0x10000) {
      if (!sink.Fits(2)) {
        result.noRoom = true;
        break;
      }
      code -= 0x10000;
      sink.Put(static_cast<char16_t>(0xD800 + (code >> 10)));
      sink.Put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      if (!sink.Fits(1)) {
        result.noRoom = true;
        break;
      }
      sink.Put(static_cast<char16_t>(code));
    }
    i += taken;
  }
  result.produced = sink.Produced();
  return result;
}

template <bool kCount>
CodecResult Encode(const char16_t* in, std::size_t length, unsigned char* out,
                   std::size_t capacity, bool stopOnInvalid) {
  CodecSink<unsigned char, kCount> sink(out, capacity);
  CodecResult result;
  std::size_t i = 0;
  while (i < length) {
    char32_t code = in[i];
    std::size_t units = 1;
    if (code >= 0xD800 && code <= 0xDFFF) {
      if (code <= 0xDBFF && i + 1 < length && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (in[i + 1] - 0xDC00);
        units = 2;
      } else if (stopOnInvalid) {
        result.invalid = true;
        break;
      } else {
        code = kReplacement;
      }
    }
    std::size_t size = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    if (!sink.Fits(size)) {
      result.noRoom = true;
      break;
    }
    switch (size) {
      case 1:
        sink.Put(static_cast<unsigned char>(code));
        break;
      case 2:
        sink.Put(static_cast<unsigned char>(0xC0 | code >> 6));
        sink.Put(static_cast<unsigned char>(0x80 | (code & 0x3F)));
        break;
      case 3:
        sink.Put(static_cast<unsigned char>(0xE0 | code >> 12));
        sink.Put(static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F)));
        sink.Put(static_cast<unsigned char>(0x80 | (code & 0x3F)));
        break;
      default:
        sink.Put(static_cast<unsigned char>(0xF0 | code >> 18));
        sink.Put(static_cast<unsigned char>(0x80 | (code >> 12 & 0x3F)));
        sink.Put(static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F)));
        sink.Put(static_cast<unsigned char>(0x80 | (code & 0x3F)));
        break;
    }
    i += units;
  }
  result.produced = sink.Produced();
  return result;
}
}  // namespace

CodecResult DecodeUtf8(const unsigned char* in, std::size_t length, char16_t* out,
                       std::size_t capacity, bool stopOnInvalid) {
  return CountOrWrite(out, [&](auto count) {
    return Decode<decltype(count)::value>(in, length, out, capacity, stopOnInvalid);
  });
}

CodecResult EncodeUtf8(const char16_t* in, std::size_t length, unsigned char* out,
                       std::size_t capacity, bool stopOnInvalid) {
  return CountOrWrite(out, [&](auto count) {
    return Encode<decltype(count)::value>(in, length, out, capacity, stopOnInvalid);
  });
}
