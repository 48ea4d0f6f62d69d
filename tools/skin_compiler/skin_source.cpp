// Turns lines of the skin table into looks.
#include "tools/skin_compiler/skin_source.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

bool ParseColour(const std::string& s, she::Rgb* c) {
  if (s.size() != 6) return false;
  for (char ch : s) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return false;
  }
  unsigned long v = std::strtoul(s.c_str(), nullptr, 16);
  c->r = static_cast<unsigned char>(v >> 16);
  c->g = static_cast<unsigned char>(v >> 8);
  c->b = static_cast<unsigned char>(v);
  return true;
}

bool ParseInt(const std::string& s, int low, int high, int* out) {
  if (s.empty() || s.size() > 4) return false;
  std::size_t start = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (start == s.size()) return false;
  for (std::size_t i = start; i < s.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  int v = std::atoi(s.c_str());
  if (v < low || v > high) return false;
  *out = v;
  return true;
}

template <typename E>
bool ParseWord(const std::string& s, std::initializer_list<const char*> words, E* out) {
  int i = 0;
  for (const char* w : words) {
    if (s == w) {
      *out = static_cast<E>(i);
      return true;
    }
    ++i;
  }
  return false;
}

}  // namespace

bool ParseSkinLine(const std::string& line, int* number, she::Look* look, std::string* error) {
  std::istringstream in(line);
  std::vector<std::string> c;
  for (std::string word; in >> word;) c.push_back(word);
  constexpr std::size_t kColumns = 19;
  if (c.size() != kColumns) {
    *error = "expected " + std::to_string(kColumns) + " columns, found " + std::to_string(c.size());
    return false;
  }
  she::Look l;
  auto fail = [&](const char* what) {
    *error = std::string("bad ") + what;
    return false;
  };
  if (!ParseInt(c[0], 1, 9999, number)) return fail("number");
  if (c[1].size() > she::kMaxNameLength) return fail("name");
  l.name = c[1];
  if (!ParseColour(c[2], &l.windowTop) || !ParseColour(c[3], &l.windowBottom)) return fail("window colour");
  if (!ParseColour(c[4], &l.text)) return fail("text colour");
  if (!ParseColour(c[5], &l.field) || !ParseColour(c[6], &l.fieldBorder)) return fail("field colour");
  if (!ParseInt(c[7], 0, she::kMaxRadius, &l.fieldRadius)) return fail("field radius");
  if (!ParseColour(c[8], &l.selection)) return fail("selection colour");
  if (!ParseWord(c[9], {"flat", "gradient", "glossy"}, &l.buttonFill)) return fail("button fill");
  if (!ParseWord(c[10], {"square", "rounded", "pill"}, &l.buttonShape)) return fail("button shape");
  if (!ParseInt(c[11], 0, she::kMaxRadius, &l.buttonRadius)) return fail("button radius");
  if (!ParseColour(c[12], &l.buttonTop) || !ParseColour(c[13], &l.buttonBottom) ||
      !ParseColour(c[14], &l.buttonBorder)) {
    return fail("button colour");
  }
  if (!ParseInt(c[15], -she::kMaxShade, she::kMaxShade, &l.pressedShade)) return fail("pressed shade");
  if (!ParseWord(c[16], {"line", "groove", "rounded"}, &l.frameStyle)) return fail("frame style");
  if (!ParseColour(c[17], &l.frameDark) || !ParseColour(c[18], &l.frameLight)) return fail("frame colour");
  *look = l;
  return true;
}

bool ReadSkinTable(std::istream& in, std::vector<she::Look>* looks, std::string* error) {
  looks->clear();
  std::string line;
  for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
    std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    int number = 0;
    she::Look look;
    std::string why;
    if (!ParseSkinLine(line, &number, &look, &why)) {
      *error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    }
    if (number != static_cast<int>(looks->size()) + 1) {
      *error = "line " + std::to_string(lineNumber) + ": skin " + std::to_string(number) + " out of order";
      return false;
    }
    looks->push_back(look);
  }
  return true;
}
