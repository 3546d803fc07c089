#pragma once

// One place where two revisions of a layer differ: copper (or mask, or a
// hole) that the new revision adds or the old one had and the new one lacks,
// as its exact shape in nanometres.

#include <cstdint>
#include <string_view>

#include "geometry/geometry_types.h"

namespace corvane {

enum class DifferenceKind : uint8_t { kAdded = 0, kRemoved = 1 };

// "added", "removed".
std::string_view DifferenceKindName(DifferenceKind kind);

struct DifferencePlace {
  DifferenceKind kind = DifferenceKind::kAdded;
  GeoPaths shape;     // outer contours counter-clockwise, holes clockwise
  GeoBox box;         // of the shape
  double area = 0.0;  // square nanometres
};

// Box order: by the bottom edge, then the left edge, then the kind; what a
// list of places reads top to bottom on a board turned upside down is the
// same on every run.
bool PlaceBefore(const DifferencePlace& a, const DifferencePlace& b);

}  // namespace corvane
