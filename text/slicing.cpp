// Cutting pieces out of a Text or Bytes by raw byte counts.
#include <algorithm>

#include "text/editing.h"

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return Text();
  return Text(std::string_view(text.str()).substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return Text();
  std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
  return Text(std::string_view(text.str()).substr(text.size() - count));
}

Text TextMid(const Text& text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return Text();
  return Text(std::string_view(text.str()).substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

Bytes BytesLeft(const Bytes& bytes, int n) {
  if (n <= 0) return Bytes();
  return Bytes(bytes.data(), std::min(static_cast<std::size_t>(n), bytes.size()));
}
