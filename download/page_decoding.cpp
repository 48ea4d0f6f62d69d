// Page decoding in two stages through UTF-16, each sized by the ANSI code page first.
#include "download/page_decoding.h"

#include <climits>
#include <string>

#include "platform/codepage/code_page_conversion.h"
#include "text/primitives.h"

// The units travel in Bytes as the host lays out char16_t; they must be little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16 units are stored little-endian");

namespace {
char16_t* UnitsOf(Bytes& buffer) { return reinterpret_cast<char16_t*>(buffer.data()); }

// A platform code page number; a negative one is no code page and makes the calls fail.
unsigned int CodePageNumber(int codePage) {
  return codePage < 0 ? UINT_MAX : static_cast<unsigned int>(codePage);
}
}  // namespace

Bytes MultiByteToWide(const Text& text, std::optional<int> codePage) {
  unsigned int page = CodePageNumber(codePage.value_or(static_cast<int>(CP_UTF8)));
  // The absent Text reaches the platform as no string at all, so both calls fail.
  const char* bytes = text.empty() ? nullptr : text.c_str();
  int n = MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0);
  if (n <= 0 || n > INT_MAX / 2) return Bytes();
  Bytes buffer = BlankBytes(2 * n);
  if (MultiByteToWideChar(page, 0, bytes, -1, UnitsOf(buffer), n) == 0) {
    // Ill-formed UTF-8 can need more units than the ANSI count: code page 936 pairs
    // bytes that UTF-8 replaces one by one. Sizing again with the requested code page
    // keeps the rest of the page and its terminator instead of cutting them off.
    int needed = MultiByteToWideChar(page, 0, bytes, -1, nullptr, 0);
    if (needed > n && needed <= INT_MAX / 2) {
      buffer = BlankBytes(2 * needed);
      MultiByteToWideChar(page, 0, bytes, -1, UnitsOf(buffer), needed);
    }
  }
  return buffer;
}

Text WideToMultiByte(const Bytes& units, std::optional<int> codePage) {
  unsigned int page = CodePageNumber(codePage.value_or(static_cast<int>(CP_ACP)));
  std::size_t count = units.size() / 2;
  const auto* wide = reinterpret_cast<const char16_t*>(units.data());
  std::size_t zero = 0;
  while (zero < count && wide[zero] != 0) ++zero;
  // Without a zero unit the platform calls would read past the end, so they get a
  // terminated copy; the empty Bytes reaches them as no string at all.
  std::u16string terminated;
  if (count == 0) {
    wide = nullptr;
  } else if (zero == count) {
    terminated.assign(wide, count);
    wide = terminated.c_str();
  }

  int m = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (m <= 0 || m > INT_MAX / 2) return Text();
  // Twice the ANSI size holds any code page 936 form, as every character takes at
  // least one byte in the ANSI count and at most two in 936.
  std::string buffer(static_cast<std::size_t>(2 * m), ' ');
  if (WideCharToMultiByte(page, 0, wide, -1, buffer.data(), 2 * m, nullptr, nullptr) == 0) {
    // Other code pages (UTF-8 takes up to four bytes) can overrun the headroom; a failed
    // conversion must not pass off blanks or a cut-off text as the result.
    int needed = WideCharToMultiByte(page, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return Text();
    buffer.assign(static_cast<std::size_t>(needed), ' ');
    if (WideCharToMultiByte(page, 0, wide, -1, buffer.data(), needed, nullptr, nullptr) == 0) {
      return Text();
    }
  }
  return Text(buffer);  // Text ends at the terminator the conversion wrote
}

Text Utf8ToAnsi(const Text& text) {
  Bytes units = MultiByteToWide(text);
  return WideToMultiByte(units, 936);
}
