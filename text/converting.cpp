// Trimming blanks, lowering ASCII capitals and reading a leading integer.
#include <cstdint>
#include <string>

#include "text/editing.h"

namespace {

const unsigned char* Raw(const Text& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Width of the blank at i (the space or the full-width space A1 A1), 0 when none.
std::size_t BlankWidth(const unsigned char* p, std::size_t i, std::size_t length) {
  if (p[i] == 0x20) return 1;
  if (p[i] == 0xA1 && i + 1 < length && p[i + 1] == 0xA1) return 2;
  return 0;
}

std::size_t CharWidth(unsigned char b) { return b >= 0x80 ? 2 : 1; }

bool IsLoneLeadByte(const unsigned char* p, std::size_t i, std::size_t length) {
  return p[i] >= 0x80 && i + 1 == length;
}

// The full-width forms that ToInt reads like their ASCII counterparts.
std::string FoldWidth(const Text& text) {
  const unsigned char* p = Raw(text);
  const std::size_t length = text.size();
  std::string out;
  out.reserve(length);
  for (std::size_t i = 0; i < length;) {
    unsigned char b = p[i];
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (i + 1 == length) break;
    unsigned char second = p[i + 1];
    if (b == 0xA1 && second == 0xA1) {
      out.push_back(' ');
    } else if (b == 0xA1 && second == 0xAB) {
      out.push_back('~');
    } else if (b == 0xA1 && (second == 0xEE || second == 0xEF)) {
      out.push_back('*');
    } else if (b == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      out.push_back(static_cast<char>(second - 0x80));
    } else {
      out.push_back(static_cast<char>(b));
      out.push_back(static_cast<char>(second));
    }
    i += 2;
  }
  return out;
}

}  // namespace

Text TrimBoth(const Text& text) {
  const unsigned char* p = Raw(text);
  const std::size_t length = text.size();
  std::size_t i = 0;
  while (i < length) {
    std::size_t w = BlankWidth(p, i, length);
    if (w == 0) break;
    i += w;
  }
  const std::size_t begin = i;
  std::size_t end = length;
  std::size_t runStart = std::string::npos;
  while (i < length) {
    if (IsLoneLeadByte(p, i, length)) {
      end = i;
      break;
    }
    std::size_t w = BlankWidth(p, i, length);
    if (w) {
      if (runStart == std::string::npos) runStart = i;
      i += w;
    } else {
      runStart = std::string::npos;
      i += CharWidth(p[i]);
    }
  }
  if (runStart != std::string::npos) end = runStart;
  if (end <= begin) return Text();
  return Text(std::string_view(text.str()).substr(begin, end - begin));
}

Text RemoveSpaces(const Text& text) {
  const unsigned char* p = Raw(text);
  const std::size_t length = text.size();
  std::string out;
  out.reserve(length);
  for (std::size_t i = 0; i < length;) {
    if (IsLoneLeadByte(p, i, length)) break;
    std::size_t w = BlankWidth(p, i, length);
    if (w) {
      i += w;
      continue;
    }
    std::size_t cw = CharWidth(p[i]);
    out.append(text.data() + i, cw);
    i += cw;
  }
  return Text(out);
}

Text ToLower(const Text& text) {
  const unsigned char* p = Raw(text);
  const std::size_t length = text.size();
  std::string out(text.str());
  for (std::size_t i = 0; i < length;) {
    if (p[i] >= 0x80) {
      i += 2;  // the second byte of a double-byte character is never folded
    } else {
      if (p[i] >= 'A' && p[i] <= 'Z') out[i] = static_cast<char>(p[i] + 32);
      ++i;
    }
  }
  return Text(out);
}

int ToInt(const Text& text) {
  const std::string folded = FoldWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= 0x09 && folded[i] <= 0x0D))) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;  // wraps around like the 32-bit arithmetic it stands for
  while (i < folded.size() && folded[i] >= '0' && folded[i] <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    ++i;
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}
