#pragma once

// Two revisions of a drill layer compared hole by hole: a hole is the same
// when the other revision has one within the tolerance of its centre and of
// its diameter; any other is removed (old) or added (new). Slots, routed
// paths and holes of other shapes are compared by their shape, as geometry.

#include <cstdint>
#include <vector>

#include "analysis/difference_place.h"
#include "analysis/geometry_difference.h"
#include "standard/standard_model.h"

namespace corvane {

struct DrillHole {
  GeoPoint at;           // nanometres
  int64_t diameter = 0;  // nanometres
};

// The layer's round holes: dark flashes of a round tool.
std::vector<DrillHole> RoundHolesOf(const StandardLayer& layer);
// The layer with its round holes taken out: what is compared as geometry.
StandardLayer WithoutRoundHoles(const StandardLayer& layer);

// The holes of `after` that `before` lacks (added) and those of `before`
// that `after` lacks (removed), each a place of the hole's disc, in
// PlaceBefore order. Each hole answers for at most one of the other side,
// the nearest that fits.
std::vector<DifferencePlace> CompareHoles(const std::vector<DrillHole>& before,
                                          const std::vector<DrillHole>& after, int64_t tolerance);

}  // namespace corvane
