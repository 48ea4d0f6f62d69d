// Writes a Look as a ".SHE" skin; the skin compiler and the tests' fixtures use it.
#include "skin/engine/skin_format.h"

namespace she {
namespace {

void PutColour(std::vector<unsigned char>& out, const Rgb& c) {
  out.push_back(c.r);
  out.push_back(c.g);
  out.push_back(c.b);
}

void PutRecord(std::vector<unsigned char>& out, Tag tag, const std::vector<unsigned char>& payload) {
  out.push_back(tag);
  out.push_back(static_cast<unsigned char>(payload.size()));
  out.insert(out.end(), payload.begin(), payload.end());
}

}  // namespace

std::vector<unsigned char> EncodeSkin(const Look& look) {
  std::vector<unsigned char> out(kMagic, kMagic + sizeof kMagic);
  out.push_back(kVersion);
  out.push_back(0);
  unsigned count = look.name.empty() ? 4 : 5;
  out.push_back(static_cast<unsigned char>(count & 0xFF));
  out.push_back(static_cast<unsigned char>(count >> 8));

  if (!look.name.empty()) {
    PutRecord(out, kTagName, std::vector<unsigned char>(look.name.begin(), look.name.end()));
  }
  std::vector<unsigned char> p;
  for (const Rgb& c : {look.windowTop, look.windowBottom, look.text, look.field, look.selection}) PutColour(p, c);
  PutRecord(out, kTagWindow, p);

  p.clear();
  p.push_back(static_cast<unsigned char>(look.buttonFill));
  p.push_back(static_cast<unsigned char>(look.buttonShape));
  p.push_back(static_cast<unsigned char>(look.buttonRadius));
  for (const Rgb& c : {look.buttonTop, look.buttonBottom, look.buttonBorder}) PutColour(p, c);
  p.push_back(static_cast<unsigned char>(static_cast<signed char>(look.pressedShade)));
  PutRecord(out, kTagButton, p);

  p.clear();
  PutColour(p, look.fieldBorder);
  p.push_back(static_cast<unsigned char>(look.fieldRadius));
  PutRecord(out, kTagField, p);

  p.clear();
  p.push_back(static_cast<unsigned char>(look.frameStyle));
  PutColour(p, look.frameDark);
  PutColour(p, look.frameLight);
  PutRecord(out, kTagFrame, p);
  return out;
}

}  // namespace she
