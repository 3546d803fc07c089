#pragma once

// Polygon booleans for the vector outputs of the standard reading, over a
// maintained library (the Clipper library): a clear object must truly erase
// what its layer drew before it, and a PDF or SVG has no layer of its own to
// erase in. Coordinates are integers (device sub-units, or shape units).

#include <cstdint>
#include <vector>

namespace corvane {

struct LongPoint {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const LongPoint&, const LongPoint&) = default;
};
using LongPolygon = std::vector<LongPoint>;
using LongPolygons = std::vector<LongPolygon>;

enum class BooleanOp { kUnion, kDifference };

// `subject` op `clip`, each filled by the nonzero rule. The result does not
// overlap itself: outer contours run counter-clockwise (y up), holes the other
// way, so any fill rule gives the same area. Empty when the library refuses
// the input.
LongPolygons CombinePolygons(const LongPolygons& subject, const LongPolygons& clip, BooleanOp op);

// The nonzero fill of one contour as such polygons: a contour that runs into
// itself, or clockwise, becomes one that may be filled with others.
LongPolygons SimplifyContour(const LongPolygon& contour);

// Twice the signed area; positive for a counter-clockwise contour (y up).
double SignedArea2(const LongPolygon& contour);

}  // namespace corvane
