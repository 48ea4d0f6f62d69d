// Blocks are mapped directly rather than taken from malloc, whose freed memory
// may stay with the process and so would still count while the body is copied.
#include "web/body_collector.h"

#include <sys/mman.h>

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kBlockSize = 1u << 20;

void ReleaseBlock(unsigned char* data) { munmap(data, kBlockSize); }

}  // namespace

BodyCollector::~BodyCollector() {
  for (const Block& block : blocks_) ReleaseBlock(block.data);
}

void BodyCollector::Append(const void* data, std::size_t size) {
  const unsigned char* from = static_cast<const unsigned char*>(data);
  while (size > 0) {
    if (blocks_.empty() || blocks_.back().used == kBlockSize) {
      void* mapped = mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (mapped == MAP_FAILED) throw std::bad_alloc();
      blocks_.push_back(Block{static_cast<unsigned char*>(mapped), 0});
    }
    Block& block = blocks_.back();
    const std::size_t piece = size < kBlockSize - block.used ? size : kBlockSize - block.used;
    std::memcpy(block.data + block.used, from, piece);
    block.used += piece;
    from += piece;
    size -= piece;
    total_ += piece;
  }
}

Bytes BodyCollector::Take() {
  Bytes body;
  // Pages of the reserved body are only claimed as they are written, and each
  // block is returned as soon as it is copied, so the peak stays near one body.
  body.Reserve(total_);
  for (const Block& block : blocks_) {
    body.Append(block.data, block.used);
    ReleaseBlock(block.data);
  }
  blocks_.clear();
  total_ = 0;
  return body;
}
