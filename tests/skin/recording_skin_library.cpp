// A skin library that writes down how it was called, to the file named by
// MIROVEL_SKIN_RECORD: a line "<skin null> <length> <text null> <text> <a> <b> <c>",
// then the skin's bytes.
#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(const void* skin, int length,
                                                                      const char* text, int a, int b, int c) {
  const char* path = std::getenv("MIROVEL_SKIN_RECORD");
  if (!path) return 0;
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  std::fprintf(f, "%d %d %d [%s] %d %d %d\n", skin == nullptr, length, text == nullptr, text ? text : "", a, b, c);
  if (skin && length > 0) std::fwrite(skin, 1, static_cast<std::size_t>(length), f);
  std::fclose(f);
  return 1;
}
