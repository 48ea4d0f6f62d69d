// Whole conversions through the code page calls, for tests: size, then convert.
#pragma once

#include <string>

#include "platform/codepage/code_page_conversion.h"

inline std::u16string Decode(unsigned int codePage, const std::string& bytes, unsigned int flags = 0) {
  int length = static_cast<int>(bytes.size());
  int units = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  if (units > 0) MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), units);
  return wide;
}

inline std::string Encode(unsigned int codePage, const std::u16string& wide, unsigned int flags = 0) {
  int length = static_cast<int>(wide.size());
  int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0) {
    WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  }
  return bytes;
}
