// libFuzzer target for the .SHE reader: any bytes must be read without going out
// of bounds, and whatever is accepted must survive writing and reading again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/engine/skin_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that a read one past the end is caught.
  std::vector<unsigned char> skin(data, data + size);
  she::Look look;
  if (!she::ParseSkin(skin.empty() ? nullptr : skin.data(), skin.size(), &look)) return 0;
  std::vector<unsigned char> again = she::EncodeSkin(look);
  she::Look reread;
  if (!she::ParseSkin(again.data(), again.size(), &reread)) std::abort();
  if (she::EncodeSkin(reread) != again) std::abort();
  return 0;
}
