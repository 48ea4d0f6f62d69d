// Argument checks and results of the code page calls; the codecs do the converting.
#include "platform/codepage/code_page_conversion.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/codepage/codecs.h"
#include "platform/codepage/cp936_table.h"

namespace {
enum class CodePage { kUnknown, kUtf8, kCp936 };

CodePage Resolve(unsigned int codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case 936:
      return CodePage::kCp936;
    case CP_UTF8:
      return CodePage::kUtf8;
    default:
      return CodePage::kUnknown;
  }
}

// Scans a page of units several at a time. Aligned eight-byte reads never reach into
// a memory page the string does not touch, so reading a little past the terminator
// is harmless, as in the C library's own strlen; the address checker cannot know that.
__attribute__((no_sanitize("address"))) std::size_t UnitsUpToTerminator(const char16_t* wide) {
  const char16_t* p = wide;
  while (reinterpret_cast<std::uintptr_t>(p) % 8 != 0) {
    if (*p == 0) return static_cast<std::size_t>(p - wide) + 1;
    ++p;
  }
  for (;;) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if ((word - 0x0001000100010001ULL) & ~word & 0x8000800080008000ULL) break;
    p += 4;
  }
  while (*p != 0) ++p;
  return static_cast<std::size_t>(p - wide) + 1;
}

// The counted result, or 0 where the call as a whole fails.
int Outcome(const CodecResult& result) {
  if (result.noRoom || result.invalid || result.produced > static_cast<std::size_t>(INT_MAX)) return 0;
  return static_cast<int>(result.produced);
}
}  // namespace

int MultiByteToWideChar(unsigned int codePage, unsigned int flags, const char* multiByte,
                        int multiByteLength, char16_t* wide, int wideLength) {
  CodePage page = Resolve(codePage);
  if (page == CodePage::kUnknown || !multiByte || multiByteLength == 0 ||
      multiByteLength < -1 || wideLength < 0 || (wideLength > 0 && !wide)) {
    return 0;
  }
  unsigned int allowed = MB_ERR_INVALID_CHARS | (page == CodePage::kCp936 ? MB_PRECOMPOSED : 0);
  if (flags & ~allowed) return 0;

  const auto* in = reinterpret_cast<const unsigned char*>(multiByte);
  std::size_t length = multiByteLength == -1 ? std::strlen(multiByte) + 1
                                             : static_cast<std::size_t>(multiByteLength);
  char16_t* out = wideLength == 0 ? nullptr : wide;
  bool stop = (flags & MB_ERR_INVALID_CHARS) != 0;
  return Outcome(page == CodePage::kUtf8
                     ? DecodeUtf8(in, length, out, static_cast<std::size_t>(wideLength), stop)
                     : DecodeCp936(in, length, out, static_cast<std::size_t>(wideLength), stop));
}

int WideCharToMultiByte(unsigned int codePage, unsigned int flags, const char16_t* wide,
                        int wideLength, char* multiByte, int multiByteLength,
                        const char* defaultChar, int* usedDefaultChar) {
  CodePage page = Resolve(codePage);
  if (page == CodePage::kUnknown || !wide || wideLength == 0 || wideLength < -1 ||
      multiByteLength < 0 || (multiByteLength > 0 && !multiByte)) {
    return 0;
  }
  unsigned int allowed = page == CodePage::kUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  if (flags & ~allowed) return 0;
  // UTF-8 can say every character, so a replacement makes no sense there.
  if (page == CodePage::kUtf8 && (defaultChar || usedDefaultChar)) return 0;

  std::size_t length = wideLength == -1 ? UnitsUpToTerminator(wide)
                                        : static_cast<std::size_t>(wideLength);
  auto* out = multiByteLength == 0 ? nullptr : reinterpret_cast<unsigned char*>(multiByte);
  std::size_t capacity = static_cast<std::size_t>(multiByteLength);
  if (page == CodePage::kUtf8) {
    return Outcome(EncodeUtf8(wide, length, out, capacity, (flags & WC_ERR_INVALID_CHARS) != 0));
  }

  Cp936Default replacement;
  if (defaultChar) {
    // The replacement is one character: a two-byte one when it starts with a lead byte
    // and the pair is in the table.
    const auto* d = reinterpret_cast<const unsigned char*>(defaultChar);
    replacement.bytes[0] = d[0];
    replacement.size = 1;
    if (d[0] != 0 && Cp936().single[d[0]] == Cp936Table::kNone &&
        Cp936().pair[d[0] << 8 | d[1]] != Cp936Table::kNone) {
      replacement.bytes[1] = d[1];
      replacement.size = 2;
    }
  }
  bool used = false;
  int written = Outcome(EncodeCp936(wide, length, out, capacity, replacement, &used));
  if (usedDefaultChar) *usedDefaultChar = used ? 1 : 0;
  return written;
}
