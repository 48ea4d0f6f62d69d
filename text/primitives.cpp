// Making, measuring, joining, comparing and converting whole values.
#include "text/primitives.h"

#include <cstring>

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

Text CharFromCode(int code) {
  char c = static_cast<char>(static_cast<unsigned char>(code));
  return Text(std::string_view(&c, 1));  // code 0 is cut away as a zero byte
}

Text BlankText(int n) { return n <= 0 ? Text() : Text(std::string(static_cast<std::size_t>(n), ' ')); }

int CompareText(const Text& a, const Text& b) {
  int c = a.str().compare(b.str());  // char_traits<char> compares bytes as unsigned
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text JoinText(const Text& a, const Text& b) { return Text(a.str() + b.str()); }
Text JoinText(const Text& a, const Text& b, const Text& c) {
  std::string joined;
  joined.reserve(a.size() + b.size() + c.size());
  joined.append(a.str()).append(b.str()).append(c.str());
  return Text(joined);
}
Text JoinText(const Text& a, const Text& b, const Text& c, const Text& d) {
  return JoinText(JoinText(a, b), c, d);
}

Bytes TextToBytes(const Text& text) { return Bytes(text.data(), text.size()); }

Text BytesToText(const Bytes& bytes) {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  std::size_t n = zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes.data())
                       : bytes.size();
  return Text(std::string_view(reinterpret_cast<const char*>(bytes.data()), n));
}

int BytesLength(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes BlankBytes(int n) { return n <= 0 ? Bytes() : Bytes(std::string(static_cast<std::size_t>(n), '\0')); }

Bytes JoinBytes(const Bytes& a, const Bytes& b) {
  Bytes joined;
  joined.Reserve(a.size() + b.size());
  joined.Append(a.data(), a.size());
  joined.Append(b.data(), b.size());
  return joined;
}
Bytes JoinBytes(const Bytes& a, const Bytes& b, const Bytes& c) { return JoinBytes(JoinBytes(a, b), c); }

int CompareBytes(const Bytes& a, const Bytes& b) { return a == b ? 0 : 1; }

int ArraySize(const TextArray& array) { return static_cast<int>(array.members().size()); }

void AppendMember(TextArray& array, const Text& text) { array.members_.push_back(text); }
