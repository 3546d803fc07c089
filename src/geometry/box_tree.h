#pragma once

// Which of a fixed list of boxes overlap a given box (closed boxes: sharing
// an edge or a corner counts), from a box tree (Boost.Geometry's rtree)
// packed once. Questions may be asked from several threads at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/geometry_types.h"

namespace corvane {

class BoxTree {
 public:
  BoxTree();
  // Empty boxes are left out: they overlap nothing.
  explicit BoxTree(const std::vector<GeoBox>& boxes);
  ~BoxTree();
  BoxTree(BoxTree&&) noexcept;
  BoxTree& operator=(BoxTree&&) noexcept;

  // The indices of the boxes that overlap `box`, in increasing order.
  std::vector<uint32_t> Overlapping(const GeoBox& box) const;
  // Whether any box overlaps `box`.
  bool AnyOverlapping(const GeoBox& box) const;

 private:
  struct Tree;
  std::unique_ptr<Tree> tree_;
};

}  // namespace corvane
