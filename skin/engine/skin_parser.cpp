// Reads a ".SHE" skin into a Look, refusing anything that is not exactly well formed.
#include "skin/engine/skin_format.h"

#include <cstring>

namespace she {
namespace {

// A cursor that can only move inside the bytes it was given.
class Reader {
 public:
  Reader(const unsigned char* data, std::size_t length) : p_(data), left_(length) {}
  bool Has(std::size_t n) const { return n <= left_; }
  std::size_t Left() const { return left_; }
  unsigned char Byte() {
    --left_;
    return *p_++;
  }
  Rgb Colour() {
    Rgb c;
    c.r = Byte();
    c.g = Byte();
    c.b = Byte();
    return c;
  }
  void Skip(std::size_t n) {
    p_ += n;
    left_ -= n;
  }
  const unsigned char* Here() const { return p_; }

 private:
  const unsigned char* p_;
  std::size_t left_;
};

bool ReadName(Reader& r, std::size_t length, Look& look) {
  if (length == 0 || length > kMaxNameLength) return false;
  const unsigned char* s = r.Here();
  for (std::size_t i = 0; i < length; ++i) {
    if (s[i] < 0x20 || s[i] > 0x7E) return false;
  }
  look.name.assign(reinterpret_cast<const char*>(s), length);
  r.Skip(length);
  return true;
}

bool ReadWindow(Reader& r, Look& look) {
  look.windowTop = r.Colour();
  look.windowBottom = r.Colour();
  look.text = r.Colour();
  look.field = r.Colour();
  look.selection = r.Colour();
  return true;
}

bool ReadButton(Reader& r, Look& look) {
  unsigned char fill = r.Byte();
  unsigned char shape = r.Byte();
  unsigned char radius = r.Byte();
  look.buttonTop = r.Colour();
  look.buttonBottom = r.Colour();
  look.buttonBorder = r.Colour();
  int shade = static_cast<signed char>(r.Byte());
  if (fill > static_cast<unsigned char>(Fill::kGlossy)) return false;
  if (shape > static_cast<unsigned char>(Shape::kPill)) return false;
  if (radius > kMaxRadius || shade < -kMaxShade || shade > kMaxShade) return false;
  look.buttonFill = static_cast<Fill>(fill);
  look.buttonShape = static_cast<Shape>(shape);
  look.buttonRadius = radius;
  look.pressedShade = shade;
  return true;
}

bool ReadField(Reader& r, Look& look) {
  look.fieldBorder = r.Colour();
  unsigned char radius = r.Byte();
  if (radius > kMaxRadius) return false;
  look.fieldRadius = radius;
  return true;
}

bool ReadFrame(Reader& r, Look& look) {
  unsigned char style = r.Byte();
  look.frameDark = r.Colour();
  look.frameLight = r.Colour();
  if (style > static_cast<unsigned char>(FrameStyle::kRounded)) return false;
  look.frameStyle = static_cast<FrameStyle>(style);
  return true;
}

std::size_t ExpectedLength(unsigned char tag) {
  switch (tag) {
    case kTagWindow: return kWindowLength;
    case kTagButton: return kButtonLength;
    case kTagField: return kFieldLength;
    case kTagFrame: return kFrameLength;
    default: return 0;
  }
}

}  // namespace

bool ParseSkin(const unsigned char* data, std::size_t length, Look* look) {
  if (!data || !look) return false;
  Reader r(data, length);
  if (!r.Has(kHeaderSize) || std::memcmp(data, kMagic, sizeof kMagic) != 0) return false;
  r.Skip(sizeof kMagic);
  if (r.Byte() != kVersion) return false;
  r.Byte();  // revision
  unsigned count = r.Byte();
  count |= static_cast<unsigned>(r.Byte()) << 8;

  // Work on a copy so that a fault found late leaves the caller's look whole.
  Look parsed;
  unsigned seen = 0;
  for (unsigned i = 0; i < count; ++i) {
    if (!r.Has(2)) return false;
    unsigned char tag = r.Byte();
    std::size_t size = r.Byte();
    if (!r.Has(size)) return false;
    if (tag >= kTagName && tag <= kTagFrame) {
      unsigned bit = 1u << tag;
      if (seen & bit) return false;
      seen |= bit;
      if (tag != kTagName && size != ExpectedLength(tag)) return false;
    }
    bool ok = true;
    switch (tag) {
      case kTagName: ok = ReadName(r, size, parsed); break;
      case kTagWindow: ok = ReadWindow(r, parsed); break;
      case kTagButton: ok = ReadButton(r, parsed); break;
      case kTagField: ok = ReadField(r, parsed); break;
      case kTagFrame: ok = ReadFrame(r, parsed); break;
      default: r.Skip(size); break;
    }
    if (!ok) return false;
  }
  if (r.Left() != 0) return false;
  const unsigned required = (1u << kTagWindow) | (1u << kTagButton) | (1u << kTagField) | (1u << kTagFrame);
  if ((seen & required) != required) return false;
  *look = std::move(parsed);
  return true;
}

}  // namespace she
