#pragma once

// Groups of boxes that overlap, directly or through others: the connected
// parts of the overlap graph (closed boxes: sharing an edge or a corner is
// overlapping). Objects of different groups cannot touch, so each group's
// geometry can be made on its own and the layer is their disjoint union.
//
// A grid of a few levels (cells doubling in size, each box in the level
// where it spans at most two cells a side) finds the pairs to test without
// comparing every box with every other: linear in the boxes for any board.

#include <cstdint>
#include <vector>

#include "geometry/geometry_types.h"

namespace corvane {

// The groups of `boxes`, each its indices in increasing order, the groups in
// the order of their first index. Empty boxes belong to no group.
std::vector<std::vector<uint32_t>> ClusterBoxes(const std::vector<GeoBox>& boxes);

}  // namespace corvane
