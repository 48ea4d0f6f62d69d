// Member access of TextArray, the one place where a bad index stops the program.
#include "text/values.h"

#include "text/fatal_error.h"

const Text& TextArray::operator[](int i) const {
  if (i < 1) FatalError(0, "array member index below 1");
  if (static_cast<std::size_t>(i) > members_.size()) FatalError(0, "array member index past the last member");
  return members_[static_cast<std::size_t>(i) - 1];
}
