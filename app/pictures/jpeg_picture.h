// Decoding JPEG pictures to RGB pixels with libjpeg, and stretching them to a box.
#pragma once

#include <cstddef>
#include <vector>

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows top to bottom, no padding
};

enum class DecodeStatus { Ok, NotJpeg, Corrupt, TooLarge };

// Larger pictures are refused before any pixel memory is taken.
constexpr int kLargestPictureSide = 8192;

// Decodes to the smallest size that libjpeg's scaled decoding offers and that
// still covers coverWidth x coverHeight (0 x 0: the full size). Any libjpeg
// warning, such as data cut short, makes the result Corrupt; *picture is then empty.
DecodeStatus DecodeJpeg(const unsigned char* data, std::size_t size, int coverWidth, int coverHeight,
                        Picture* picture);

// The picture scaled to exactly width x height, each axis on its own (bilinear).
// An empty picture or a size below 1 gives the empty picture.
Picture StretchPicture(const Picture& source, int width, int height);
