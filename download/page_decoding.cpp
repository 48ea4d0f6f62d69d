// Page decoding in two stages through UTF-16, each sized by the ANSI code page first.
#include "download/page_decoding.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/codepage/code_page_conversion.h"
#include "text/primitives.h"

// The units travel in Bytes as the host lays out char16_t; they must be little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16 units are stored little-endian");

namespace {
char16_t* UnitsOf(Bytes& buffer) { return reinterpret_cast<char16_t*>(buffer.data()); }

// Index of the first zero unit, or `count`; four units at a time, since pages are long.
std::size_t FirstZeroUnit(const char16_t* units, std::size_t count) {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    std::uint64_t word;
    std::memcpy(&word, units + i, 8);
    if ((word - 0x0001000100010001ULL) & ~word & 0x8000800080008000ULL) break;
  }
  while (i < count && units[i] != 0) ++i;
  return i;
}

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
  std::size_t zero = FirstZeroUnit(wide, count);
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
  // least one byte in the ANSI count and at most two in 936. The buffer is left
  // unfilled: only what the conversion writes, up to its terminator, is ever read,
  // and a page's worth of blanks would cost more than the conversion's own work.
  std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(2 * m)]);
  int written = WideCharToMultiByte(page, 0, wide, -1, buffer.get(), 2 * m, nullptr, nullptr);
  if (written == 0) {
    // Other code pages (UTF-8 takes up to four bytes) can overrun the headroom; a failed
    // conversion must not pass off blanks or a cut-off text as the result.
    int needed = WideCharToMultiByte(page, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return Text();
    buffer.reset(new char[static_cast<std::size_t>(needed)]);
    written = WideCharToMultiByte(page, 0, wide, -1, buffer.get(), needed, nullptr, nullptr);
    if (written == 0) return Text();
  }
  // The conversion ran through the terminator, so the text ends at the first zero byte.
  return Text(std::string_view(buffer.get(), static_cast<std::size_t>(written)));
}

Text Utf8ToAnsi(const Text& text) {
  Bytes units = MultiByteToWide(text);
  return WideToMultiByte(units, 936);
}
