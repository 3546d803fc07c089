#pragma once

// Circles, arcs, strokes and hulls as integer polygons within a tolerance.
// Flattened circles keep their true area: the chords are placed a little
// outside the circle so that what they cut off is given back, which keeps the
// boundary within the tolerance on both sides and the area exact.
//
// Coordinates are doubles relative to `base` (nanometres), rounded to whole
// nanometres and moved by `base` as they are appended.

#include <cstdint>

#include "geometry/geometry_types.h"

namespace corvane {

// Largest number of chords a full turn is given, whatever its size.
inline constexpr uint32_t kMaxChordsPerFullTurn = 16384;

// How many chords an arc of `radius` and `sweep` radians needs to stay within
// `tolerance` of the circle: at least one, at least four for a full turn.
uint32_t ChordCount(double radius, double sweep, double tolerance);

// A counter-clockwise polygon of the circle's area about (cx, cy).
void AppendCircle(double cx, double cy, double radius, double tolerance, GeoPoint base,
                  GeoPath& out);

// The points of the arc about (cx, cy) from angle `start` by `sweep` (both
// ends on the circle, the points between placed so that the fan from the
// centre keeps the sector's area); the first point only with `withStart`.
void AppendArcPoints(double cx, double cy, double radius, double start, double sweep,
                     double tolerance, GeoPoint base, bool withStart, GeoPath& out);

// A stroke with round ends from (x0, y0) to (x1, y1), `radius` half its
// width, counter-clockwise; a circle when the ends coincide.
void AppendStadium(double x0, double y0, double x1, double y1, double radius, double tolerance,
                   GeoPoint base, GeoPath& out);

// A round stroke of half width `halfWidth` along the arc that starts at the
// origin about (cx, cy) of `radius` (> halfWidth), by `sweep`, ending at
// (ex, ey): one polygon per quarter turn at most, each counter-clockwise.
void AppendRoundArc(double cx, double cy, double radius, double sweep, double halfWidth, double ex,
                    double ey, double tolerance, GeoPoint base, GeoPaths& out);

// The convex hull, counter-clockwise, collinear points dropped; fewer than
// three points when the input spans no area.
GeoPath ConvexHull(GeoPath points);

// One region contour filled by the nonzero rule, as polygons that cover it
// once: a convex contour as it is (turned counter-clockwise), any other
// through the booleans, which resolve a contour that runs into itself.
// Contours of fewer than three points or of no area add nothing.
void AppendFilledContour(GeoPath& contour, GeoPaths& out);

}  // namespace corvane
