// HTML character references over code page 936 text.
#include "download/character_references.h"

#include <string>
#include <string_view>

#include "platform/codepage/boundary.h"

namespace {

struct NamedReference {
  std::string_view name;
  char character;
};

constexpr NamedReference kNamedReferences[] = {
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '},
};

// Longest run of digits worth reading: U+10FFFF has 7 decimal digits; more than
// that (leading zeros aside) is no character anyway, and stopping early keeps the
// number from overflowing.
constexpr size_t kMostDigits = 8;
constexpr size_t kLongestReference = 32;

std::string Utf8FromCodePoint(unsigned long cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

int DigitValue(char c, int base) {
  unsigned char u = static_cast<unsigned char>(c);
  int v = -1;
  if (u >= '0' && u <= '9') v = u - '0';
  else if (u >= 'a' && u <= 'f') v = u - 'a' + 10;
  else if (u >= 'A' && u <= 'F') v = u - 'A' + 10;
  return v < base ? v : -1;
}

// The code page 936 form of the reference starting at s[0] == '&', and how many
// bytes it spans; a span of 0 when it is no reference we decode.
std::string DecodeOne(std::string_view s, size_t* span) {
  *span = 0;
  // Nothing we decode is longer than this; looking no further keeps a text full
  // of lone "&" from costing a scan to its end at each one.
  size_t semicolon = s.substr(0, kLongestReference).find(';');
  if (semicolon == std::string_view::npos) return std::string();
  std::string_view body = s.substr(1, semicolon - 1);

  if (body.size() >= 2 && body[0] == '#') {
    int base = 10;
    std::string_view digits = body.substr(1);
    if (digits[0] == 'x' || digits[0] == 'X') {
      base = 16;
      digits = digits.substr(1);
    }
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > kMostDigits) return std::string();
    unsigned long cp = 0;
    for (char c : digits) {
      int v = DigitValue(c, base);
      if (v < 0) return std::string();
      cp = cp * base + v;
    }
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::string();
    *span = semicolon + 1;
    // A no-break space has no code page 936 form; the blank is what it looks like.
    if (cp == 0xA0) return " ";
    std::string converted = Utf8ToCp936(Utf8FromCodePoint(cp)).str();
    return converted.empty() ? std::string("?") : converted;
  }

  for (const NamedReference& ref : kNamedReferences) {
    if (body == ref.name) {
      *span = semicolon + 1;
      return std::string(1, ref.character);
    }
  }
  return std::string();
}

}  // namespace

Text DecodeCharacterReferences(const Text& text) {
  const std::string& in = text.str();
  std::string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    if (c == '&') {
      size_t span = 0;
      std::string decoded = DecodeOne(std::string_view(in).substr(i), &span);
      if (span > 0) {
        out += decoded;
        i += span;
        continue;
      }
    }
    // A double-byte character is copied whole; "&" is never its second byte, but
    // stepping by characters keeps the scan in step with the text's own reading.
    size_t width = (c >= 0x81 && c <= 0xFE && i + 1 < in.size()) ? 2 : 1;
    out.append(in, i, width);
    i += width;
  }
  return Text(out);
}
