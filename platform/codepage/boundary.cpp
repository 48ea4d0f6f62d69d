// The program's one crossing between code page 936 and UTF-8, over our own code
// page calls so that it behaves alike on every machine whatever the locale.
#include "platform/codepage/boundary.h"

#include <climits>
#include <string>

#include "platform/codepage/code_page_conversion.h"

namespace {
// Decodes whole, with explicit lengths, so no terminator is needed or produced.
std::u16string Decode(unsigned int codePage, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  int length = static_cast<int>(bytes.size());
  int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  if (units > 0) MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units);
  return wide;
}

std::string Encode(unsigned int codePage, const std::u16string& wide) {
  if (wide.empty()) return {};
  int length = static_cast<int>(wide.size());
  int size = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0) {
    WideCharToMultiByte(codePage, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  }
  return bytes;
}
}  // namespace

std::string Cp936ToUtf8(const Text& text) { return Encode(CP_UTF8, Decode(936, text.str())); }

// A zero byte from the UTF-8 side would become a zero byte here, and Text stops there.
Text Utf8ToCp936(std::string_view utf8) { return Text(Encode(936, Decode(CP_UTF8, utf8))); }
