#include "view/scroll_repaint.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace corvane {
namespace {

// The columns (or rows) to paint again along one axis: [first, end) at the
// side scrolling uncovered, and the strip along the side the picture moves
// out at.
struct AxisStrips {
  int32_t uncoveredFirst = 0;
  int32_t uncoveredEnd = 0;
  int32_t oppositeFirst = 0;
  int32_t oppositeEnd = 0;
};

AxisStrips Strips(int32_t size, int32_t shift, int32_t reach) {
  AxisStrips s;
  if (shift > 0) {
    s.uncoveredFirst = 0;
    s.uncoveredEnd = std::min(size, shift + reach);
    s.oppositeFirst = std::max(s.uncoveredEnd, size - reach);
    s.oppositeEnd = size;
  } else if (shift < 0) {
    s.uncoveredFirst = std::max(0, size + shift - reach);
    s.uncoveredEnd = size;
    s.oppositeFirst = 0;
    s.oppositeEnd = std::min(s.uncoveredFirst, reach);
  }
  return s;
}

}  // namespace

WindowPaintPlan PlanScrollRepaint(ClientSize client, DevicePoint shift, int32_t reach) {
  WindowPaintPlan plan;
  const int32_t w = client.width;
  const int32_t h = client.height;
  if (w <= 0 || h <= 0 || reach < 0) return plan;
  if (shift.x == 0 && shift.y == 0) {
    plan.full = false;
    return plan;
  }
  // Far moves and deep strips leave too little worth keeping.
  const int64_t dx = std::abs(static_cast<int64_t>(shift.x));
  const int64_t dy = std::abs(static_cast<int64_t>(shift.y));
  if ((dx > 0 ? dx + 2 * int64_t{reach} : 0) * 2 >= w ||
      (dy > 0 ? dy + 2 * int64_t{reach} : 0) * 2 >= h) {
    return plan;
  }
  plan.full = false;
  plan.shift = shift;
  // Full-height column strips first, then row strips between them.
  const AxisStrips cols = Strips(w, shift.x, reach);
  const AxisStrips rows = Strips(h, shift.y, reach);
  int32_t left = 0;
  int32_t right = w;
  for (const auto& [first, end] : {std::pair{cols.uncoveredFirst, cols.uncoveredEnd},
                                   std::pair{cols.oppositeFirst, cols.oppositeEnd}}) {
    if (first >= end) continue;
    plan.areas.push_back({first, 0, end, h});
    if (first == 0) left = end;
    if (end == w) right = first;
  }
  if (left >= right) return plan;
  for (const auto& [first, end] : {std::pair{rows.uncoveredFirst, rows.uncoveredEnd},
                                   std::pair{rows.oppositeFirst, rows.oppositeEnd}}) {
    if (first < end) plan.areas.push_back({left, first, right, end});
  }
  return plan;
}

void ShiftPixels(uint32_t* bits, std::ptrdiff_t stride, int32_t width, int32_t height,
                 DevicePoint shift) {
  if (bits == nullptr || width <= 0 || height <= 0) return;
  if (std::abs(static_cast<int64_t>(shift.x)) >= width ||
      std::abs(static_cast<int64_t>(shift.y)) >= height) {
    return;
  }
  const int32_t count = width - std::abs(shift.x);
  const int32_t from = shift.x < 0 ? -shift.x : 0;
  const int32_t to = shift.x > 0 ? shift.x : 0;
  const auto bytes = static_cast<std::size_t>(count) * sizeof(uint32_t);
  // Rows are taken in the order that never overwrites a row still to move.
  const auto move = [&](int32_t y) {
    std::memmove(bits + y * stride + to, bits + (y - shift.y) * stride + from, bytes);
  };
  if (shift.y > 0) {
    for (int32_t y = height - 1; y >= shift.y; --y) move(y);
  } else {
    for (int32_t y = 0; y < height + shift.y; ++y) move(y);
  }
}

}  // namespace corvane
