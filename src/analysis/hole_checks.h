#pragma once

// The checks of drilled holes: their sizes and spacing, the copper ring a
// plated hole leaves on each copper layer, and a non-plated hole's distance
// to copper. Lengths are in nanometres; findings are in millimetres.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/finding.h"
#include "geometry/geometry_index.h"
#include "standard/standard_model.h"

namespace corvane {

// A hole as drilled: round (from == to) or a slot swept from `from` to `to`.
struct DrilledHole {
  GeoPoint from;
  GeoPoint to;
  double radius = 0.0;
  bool Slot() const { return !(from == to); }
};

// Every dark flash and stroke of a drill layer, as a hole.
std::vector<DrilledHole> HolesOf(const StandardLayer& drill);

struct HoleSet {
  const StandardLayer* layer = nullptr;
  std::vector<DrilledHole> holes;
};

// Holes narrower than `minDrill` (slots by their width), and pairs of holes
// of any of the sets whose edges come nearer than `minSpacing` (either may
// be absent).
std::vector<Finding> FindDrillFaults(const std::vector<HoleSet>& sets,
                                     std::optional<double> minDrill,
                                     std::optional<double> minSpacing);

// For each round hole of `plated`, the narrowest copper ring it leaves on
// `copper` when below `minRing`; 0 where the hole breaks out of its pad. A
// layer without copper within the minimum of the hole (no pad there) is
// passed over for that hole.
std::vector<Finding> FindThinRings(const HoleSet& plated, const GeometryIndex& copper,
                                   double minRing);

// Each hole of `nonPlated` nearer than `minGap` to copper on `copper`.
std::vector<Finding> FindHolesNearCopper(const HoleSet& nonPlated, const GeometryIndex& copper,
                                         double minGap);

}  // namespace corvane
