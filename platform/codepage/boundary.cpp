// Stop-gap through glibc iconv until the table-driven code page layer exists.
#include "platform/codepage/boundary.h"

#include <iconv.h>

namespace {
std::string Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
      if (dstLeft == 0) break;
      *dst++ = '?';
      --dstLeft;
      ++src;
      --srcLeft;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}
}  // namespace

std::string Cp936ToUtf8(const Text& text) { return Convert("UTF-8", "CP936", text.str()); }
Text Utf8ToCp936(std::string_view utf8) { return Text(Convert("CP936", "UTF-8", utf8)); }
