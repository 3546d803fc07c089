#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "document/plot_records.h"

namespace corvane {

// The flat item array. PlotItem is trivially copyable, so a large buffer is
// mapped memory that grows by remapping its pages rather than copying them,
// which keeps both the time per item and the peak memory of a
// multi-million-item load low; a small one lives on the heap. Growth is
// geometric, so appending is amortised constant time.
class ItemBuffer {
  static_assert(std::is_trivially_copyable_v<PlotItem>);

 public:
  ItemBuffer() = default;
  ItemBuffer(const ItemBuffer&) = delete;
  ItemBuffer& operator=(const ItemBuffer&) = delete;
  ~ItemBuffer();

  void Append(const PlotItem& item) {
    if (count_ == capacity_) Grow();
    data_[count_++] = item;
  }
  // Empties the buffer and reserves room for `capacity` items.
  void Reset(std::size_t capacity);
  // Cuts the reserved room back to the items in use.
  void Trim();

  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return capacity_; }
  PlotItem& operator[](std::size_t index) { return data_[index]; }
  const PlotItem& operator[](std::size_t index) const { return data_[index]; }
  std::span<PlotItem> Items() { return {data_, count_}; }
  std::span<const PlotItem> Items() const { return {data_, count_}; }

 private:
  void Grow();
  void Reallocate(std::size_t capacity);

  PlotItem* data_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace corvane
