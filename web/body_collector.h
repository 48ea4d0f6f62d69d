// Gathers a response body of unknown length without ever holding it twice:
// pieces go into separately mapped blocks, which are handed back to the system
// one by one while the finished body is assembled.
#pragma once

#include <cstddef>
#include <vector>

#include "text/values.h"

class BodyCollector {
 public:
  BodyCollector() = default;
  ~BodyCollector();
  BodyCollector(const BodyCollector&) = delete;
  BodyCollector& operator=(const BodyCollector&) = delete;

  void Append(const void* data, std::size_t size);
  // The bytes gathered so far, in order; the collector is empty afterwards.
  Bytes Take();

 private:
  struct Block {
    unsigned char* data;
    std::size_t used;
  };
  std::vector<Block> blocks_;
  std::size_t total_ = 0;
};
