// Where a codec puts its output: a bounded buffer, or nowhere while it only counts.
// Counting is a template parameter so that the writing loop carries no extra test.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

// Length of the run of units below 0x80 that starts at `in`, eight bytes at a time.
template <typename Unit>
std::size_t AsciiRunLength(const Unit* in, std::size_t length) {
  static_assert(sizeof(Unit) == 1 || sizeof(Unit) == 2, "bytes or UTF-16 units");
  constexpr std::size_t kPerWord = 8 / sizeof(Unit);
  constexpr unsigned long long kHighBits =
      sizeof(Unit) == 1 ? 0x8080808080808080ULL : 0xFF80FF80FF80FF80ULL;
  std::size_t n = 0;
  while (n + kPerWord <= length) {
    unsigned long long word;
    std::memcpy(&word, in + n, 8);
    if (word & kHighBits) break;
    n += kPerWord;
  }
  while (n < length && in[n] < 0x80) ++n;
  return n;
}

template <typename Unit, bool kCount>
class CodecSink {
 public:
  CodecSink(Unit* out, std::size_t capacity) : begin_(out), at_(out), end_(out + (kCount ? 0 : capacity)) {}

  bool Fits(std::size_t n) const { return kCount || static_cast<std::size_t>(end_ - at_) >= n; }
  void Put(Unit u) {
    if constexpr (kCount) {
      ++counted_;
    } else {
      *at_++ = u;
    }
  }
  // Copies as much of a run of units as fits; false when not all of it did.
  template <typename From>
  bool PutRun(const From* run, std::size_t n) {
    if constexpr (kCount) {
      counted_ += n;
      return true;
    } else {
      std::size_t room = static_cast<std::size_t>(end_ - at_);
      std::size_t take = n < room ? n : room;
      if constexpr (sizeof(From) == sizeof(Unit)) {
        std::memcpy(at_, run, take * sizeof(Unit));
        at_ += take;
      } else {
        for (std::size_t k = 0; k < take; ++k) *at_++ = static_cast<Unit>(run[k]);
      }
      return take == n;
    }
  }
  // Copies the run of units below 0x80 that starts at in[at] and moves `at` past
  // it; false when the run did not fit.
  template <typename From>
  bool CopyAsciiRun(const From* in, std::size_t length, std::size_t& at) {
    std::size_t run = AsciiRunLength(in + at, length - at);
    at += run;
    return PutRun(in + at - run, run);
  }
  // Counting only: n more units.
  void Count(std::size_t n) { counted_ += n; }
  std::size_t Produced() const { return kCount ? counted_ : static_cast<std::size_t>(at_ - begin_); }

 private:
  Unit* begin_;
  Unit* at_;
  Unit* end_;
  std::size_t counted_ = 0;
};

// Runs `codec` (a generic lambda taking std::bool_constant<kCount>) in its counting
// form when there is no output buffer, else in its writing form.
template <typename Codec>
auto CountOrWrite(const void* out, Codec codec) {
  return out ? codec(std::false_type{}) : codec(std::true_type{});
}
