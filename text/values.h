// The three value types that all of Mirovel's logic is written in: Text, Bytes, TextArray.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A byte string that never holds the zero byte. Unset and empty are the same value.
// Building a Text from bytes keeps only what comes before the first zero byte.
class Text {
 public:
  Text() = default;
  Text(const char* s) : bytes_(s ? s : "") {}  // NOLINT: literals read naturally
  Text(std::string_view s) : bytes_(s.substr(0, s.find('\0'))) {}  // NOLINT
  Text(const std::string& s) : Text(std::string_view(s)) {}  // NOLINT

  const std::string& str() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }
  const char* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  unsigned char operator[](std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }

  bool operator==(const Text& other) const { return bytes_ == other.bytes_; }
  bool operator!=(const Text& other) const { return bytes_ != other.bytes_; }

 private:
  std::string bytes_;
};

// A counted sequence of arbitrary bytes, zero bytes included.
class Bytes {
 public:
  Bytes() = default;
  Bytes(const void* data, std::size_t size)
      : bytes_(static_cast<const char*>(data), static_cast<const char*>(data) + size) {}
  explicit Bytes(std::string bytes) : bytes_(std::move(bytes)) {}

  const unsigned char* data() const { return reinterpret_cast<const unsigned char*>(bytes_.data()); }
  unsigned char* data() { return reinterpret_cast<unsigned char*>(bytes_.data()); }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  std::string_view view() const { return bytes_; }
  // Appending in place lets a reader grow a body without copying it each time.
  void Append(const void* data, std::size_t size) { bytes_.append(static_cast<const char*>(data), size); }
  void Reserve(std::size_t size) { bytes_.reserve(size); }

  bool operator==(const Bytes& other) const { return bytes_ == other.bytes_; }
  bool operator!=(const Bytes& other) const { return bytes_ != other.bytes_; }

 private:
  std::string bytes_;
};

// An ordered list of Text members numbered from 1; it owns copies of its members.
class TextArray {
 public:
  TextArray() = default;
  // Member i for 1 <= i <= ArraySize; any other index is a FatalError.
  const Text& operator[](int i) const;
  const std::vector<Text>& members() const { return members_; }

 private:
  friend void AppendMember(TextArray& array, const Text& text);
  std::vector<Text> members_;
};
