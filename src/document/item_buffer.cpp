#include "document/item_buffer.h"

#include <cstdlib>
#include <new>

namespace corvane {

ItemBuffer::~ItemBuffer() { std::free(data_); }

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

void ItemBuffer::Reallocate(std::size_t capacity) {
  if (capacity == 0) {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
    return;
  }
  if (capacity > SIZE_MAX / sizeof(PlotItem)) throw std::bad_alloc();
  void* block = std::realloc(data_, capacity * sizeof(PlotItem));
  if (block == nullptr) throw std::bad_alloc();
  data_ = static_cast<PlotItem*>(block);
  capacity_ = capacity;
}

}  // namespace corvane
