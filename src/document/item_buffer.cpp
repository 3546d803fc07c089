#include "document/item_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

namespace corvane {
namespace {

// Blocks of at least this size are mapped directly, in whole units of it;
// smaller ones stay on the heap, where the sanitizers watch their bounds.
constexpr std::size_t kMappedUnit = std::size_t{2} << 20;

bool IsMapped(std::size_t capacity) { return capacity * sizeof(PlotItem) >= kMappedUnit; }

std::size_t MappedBytes(std::size_t capacity) {
  return (capacity * sizeof(PlotItem) + kMappedUnit - 1) / kMappedUnit * kMappedUnit;
}

// A mapped block asks for 2 MiB pages where the system allows them: a load
// writes the array from end to end, and with 4 KiB pages a fifth of its time
// went to the kernel's page faults. Whole 2 MiB units keep the block aligned
// to them, so that growing it moves whole pages and copies nothing.
void* MapBlock(std::size_t capacity) {
  const std::size_t bytes = MappedBytes(capacity);
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  madvise(block, bytes, MADV_HUGEPAGE);  // only a hint
  return block;
}

void ReleaseBlock(PlotItem* data, std::size_t capacity) {
  if (data == nullptr) return;
  if (IsMapped(capacity)) {
    munmap(data, MappedBytes(capacity));
  } else {
    std::free(data);
  }
}

}  // namespace

ItemBuffer::~ItemBuffer() { ReleaseBlock(data_, capacity_); }

void ItemBuffer::Reset(std::size_t capacity) {
  count_ = 0;
  // A document cleared again before anything was loaded keeps its block.
  if (capacity != capacity_) Reallocate(capacity);
}

void ItemBuffer::Trim() { Reallocate(count_); }

void ItemBuffer::Grow() {
  const std::size_t minimum = 1024;
  Reallocate(capacity_ < minimum ? minimum : capacity_ + capacity_ / 2);
}

// Callers keep count_ within the new capacity (Reset empties the buffer first).
void ItemBuffer::Reallocate(std::size_t capacity) {
  if (capacity > SIZE_MAX / sizeof(PlotItem) - kMappedUnit) throw std::bad_alloc();
  void* block = nullptr;
  if (capacity == 0) {
    ReleaseBlock(data_, capacity_);
  } else if (IsMapped(capacity_) && IsMapped(capacity)) {
    // The kernel moves the pages, whatever the size.
    block = mremap(data_, MappedBytes(capacity_), MappedBytes(capacity), MREMAP_MAYMOVE);
    if (block == MAP_FAILED) throw std::bad_alloc();
  } else if (!IsMapped(capacity_) && !IsMapped(capacity)) {
    block = std::realloc(data_, capacity * sizeof(PlotItem));
    if (block == nullptr) throw std::bad_alloc();
  } else {
    // Between the heap and a mapping: at most one unit's worth to copy.
    block = IsMapped(capacity) ? MapBlock(capacity) : std::malloc(capacity * sizeof(PlotItem));
    if (block == nullptr) throw std::bad_alloc();
    if (count_ > 0) std::memcpy(block, data_, count_ * sizeof(PlotItem));
    ReleaseBlock(data_, capacity_);
  }
  data_ = static_cast<PlotItem*>(block);
  capacity_ = capacity;
}

}  // namespace corvane
