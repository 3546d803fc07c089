#pragma once

// What one file may still multiply: the bounds of standard_limits.h, counted
// down as the reading goes, with the bits of the bounds it reached.

#include <cstdint>

#include "standard/standard_limits.h"
#include "standard/standard_model.h"

namespace corvane {

class ReadBudget {
 public:
  explicit ReadBudget(const ReadBounds& bounds = {}) : bounds_(bounds) {}

  // False, with the bound's bit set, once `count` more would pass it.
  bool TakeObjects(uint64_t count) {
    return Take(objects_, count, bounds_.expandedObjects, kLimitExpandedObjects);
  }
  bool TakePoints(uint64_t count) {
    return Take(points_, count, bounds_.addedPoints, kLimitPoints);
  }
  bool TakeShapeParts(uint64_t count) {
    return Take(shapeParts_, count, bounds_.shapeParts, kLimitShapeParts);
  }
  bool TakeMacroWork(uint64_t count) {
    return Take(macroWork_, count, bounds_.macroWork, kLimitMacroWork);
  }
  void Reach(StandardLimit limit) { reached_ |= limit; }
  uint32_t Reached() const { return reached_; }

 private:
  bool Take(uint64_t& used, uint64_t count, uint64_t bound, StandardLimit limit) {
    if (used > bound || count > bound - used) {
      reached_ |= limit;
      return false;
    }
    used += count;
    return true;
  }

  ReadBounds bounds_;
  uint64_t objects_ = 0;
  uint64_t points_ = 0;
  uint64_t shapeParts_ = 0;
  uint64_t macroWork_ = 0;
  uint32_t reached_ = 0;
};

}  // namespace corvane
