// The conversions behind the code page calls, on counted buffers. Each runs in one
// pass; with a null output it only counts.
#pragma once

#include <cstddef>

struct CodecResult {
  std::size_t produced = 0;  // units or bytes written, or counted when the output is null
  bool noRoom = false;       // stopped because the next character did not fit
  bool invalid = false;      // stopped at an invalid sequence (only when asked to)
};

// Invalid sequences become U+FFFD, one per maximal ill-formed part, unless
// stopOnInvalid is set.
CodecResult DecodeUtf8(const unsigned char* in, std::size_t length, char16_t* out,
                       std::size_t capacity, bool stopOnInvalid);
CodecResult DecodeCp936(const unsigned char* in, std::size_t length, char16_t* out,
                        std::size_t capacity, bool stopOnInvalid);

// A lone surrogate becomes U+FFFD unless stopOnInvalid is set.
CodecResult EncodeUtf8(const char16_t* in, std::size_t length, unsigned char* out,
                       std::size_t capacity, bool stopOnInvalid);

// The replacement for characters code page 936 lacks: one or two bytes.
struct Cp936Default {
  unsigned char bytes[2] = {'?', 0};
  std::size_t size = 1;
};
CodecResult EncodeCp936(const char16_t* in, std::size_t length, unsigned char* out,
                        std::size_t capacity, const Cp936Default& replacement,
                        bool* usedDefault);
