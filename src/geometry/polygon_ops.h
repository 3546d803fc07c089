#pragma once

// The operations every question asked of layer geometry is made of, as plain
// functions over GeoPaths (filled by the nonzero rule), over the Clipper
// library. Results never overlap themselves: outer contours counter-clockwise,
// holes clockwise, so their signed areas add up to the covered area.
//
// None of these throws; input the library refuses (coordinates beyond
// kMaxCoordinate) gives an empty result.

#include <cstdint>
#include <limits>

#include "geometry/geometry_types.h"

namespace corvane {

// Signed area in square nanometres: positive counter-clockwise.
double SignedArea(const GeoPath& path);
// The sum of the signed areas: the covered area of a result of these functions.
double SignedArea(const GeoPaths& paths);

enum class PointPlace : uint8_t { kOutside = 0, kInside = 1, kOnEdge = 2 };

// Where `p` lies against one closed path (its orientation does not matter).
PointPlace LocatePoint(GeoPoint p, const GeoPath& path);
// Where `p` lies against the nonzero fill of `paths`: on an edge of a path
// when it touches one, else inside or outside by the winding number.
PointPlace LocatePoint(GeoPoint p, const GeoPaths& paths);

GeoPaths UnionOf(const GeoPaths& paths);
GeoPaths UnionOf(const GeoPaths& a, const GeoPaths& b);
GeoPaths DifferenceOf(const GeoPaths& a, const GeoPaths& b);
GeoPaths IntersectionOf(const GeoPaths& a, const GeoPaths& b);
GeoPaths XorOf(const GeoPaths& a, const GeoPaths& b);

// `paths` grown by `delta` nanometres (shrunk when negative), with round
// corners flattened to `tolerance` (chords inside the true arcs): grow copper by half a clearance, shrink an
// island by half a width and grow it back (an opening), and so on.
GeoPaths OffsetOf(const GeoPaths& paths, double delta,
                  int64_t tolerance = kDefaultFlatteningTolerance);

// The union of `paths` taken apart into islands: each an outer contour
// (counter-clockwise) followed by its holes; an island inside a hole is an
// island of its own. Empty when the library refuses the input.
std::vector<GeoPaths> SeparateIslands(const GeoPaths& paths);

// The nearest points of two polygon sets. `distance` is 0 where they touch or
// overlap; infinity when either is empty.
struct ClosestPoints {
  double distance = std::numeric_limits<double>::infinity();
  double ax = 0.0;  // on a
  double ay = 0.0;
  double bx = 0.0;  // on b
  double by = 0.0;
};
// Edge to edge: the clearance between two islands, or between two objects'
// polygons; the points are where it is measured.
ClosestPoints ClosestBetween(const GeoPaths& a, const GeoPaths& b);
// From `p` to the nearest edge of `paths`; 0 when `p` is covered.
ClosestPoints ClosestTo(GeoPoint p, const GeoPaths& paths);

}  // namespace corvane
