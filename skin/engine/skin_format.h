// The look a skin describes, and the ".SHE" layout that carries it.
//
// Layout (all multi-byte numbers little-endian):
//   0  4  ".SHE"
//   4  1  format version, 1 (a reader refuses any other)
//   5  1  revision, ignored, so that later writers may mark additions
//   6  2  number of records
//   8     records, each: tag (1 byte), payload length (1 byte), payload
// The records must end exactly at the end of the skin. Every known tag must
// appear once with its exact length; unknown tags are skipped, so a later
// revision can add records that this reader does not need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace she {

constexpr unsigned char kMagic[4] = {'.', 'S', 'H', 'E'};
constexpr unsigned char kVersion = 1;
constexpr std::size_t kHeaderSize = 8;

enum Tag : unsigned char {
  kTagName = 1,    // 1..32 printable ASCII bytes
  kTagWindow = 2,  // window top, window bottom, text, field, selection (5 colours)
  kTagButton = 3,  // fill, shape, radius, top, bottom, border, pressed shade
  kTagField = 4,   // border colour, radius
  kTagFrame = 5,   // style, dark, light
};
constexpr std::size_t kWindowLength = 15;
constexpr std::size_t kButtonLength = 13;
constexpr std::size_t kFieldLength = 4;
constexpr std::size_t kFrameLength = 7;
constexpr std::size_t kMaxNameLength = 32;
constexpr int kMaxRadius = 16;
constexpr int kMaxShade = 60;

struct Rgb {
  unsigned char r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

enum class Fill : unsigned char { kFlat = 0, kGradient = 1, kGlossy = 2 };
enum class Shape : unsigned char { kSquare = 0, kRounded = 1, kPill = 2 };
enum class FrameStyle : unsigned char { kLine = 0, kGroove = 1, kRounded = 2 };

struct Look {
  std::string name;
  // The window backdrop runs from top to bottom colour down the window.
  Rgb windowTop, windowBottom;
  Rgb text, field, selection;
  Fill buttonFill = Fill::kGradient;
  Shape buttonShape = Shape::kRounded;
  int buttonRadius = 3;
  Rgb buttonTop, buttonBottom, buttonBorder;
  // Percent by which a pressed button is lightened (>0) or darkened (<0).
  int pressedShade = -15;
  Rgb fieldBorder;
  int fieldRadius = 0;
  FrameStyle frameStyle = FrameStyle::kLine;
  Rgb frameDark, frameLight;
};

// True and *look filled only for a well-formed skin; on any fault *look is left
// as it was. Never reads outside [data, data + length); null data is a fault.
bool ParseSkin(const unsigned char* data, std::size_t length, Look* look);

// The skin bytes for a look whose values lie in the ranges ParseSkin accepts.
std::vector<unsigned char> EncodeSkin(const Look& look);

}  // namespace she
