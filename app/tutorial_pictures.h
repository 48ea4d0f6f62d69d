// The three tutorial pictures, compiled into the program as JPEG files.
#pragma once

#include <cstddef>

struct EmbeddedFile {
  const unsigned char* data;
  std::size_t size;
};

// Pictures 1 to 3; any other number gives an empty file.
EmbeddedFile TutorialPicture(int number);
