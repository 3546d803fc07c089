#pragma once

// Small pieces the fabrication checks share: a layer's copper near a place,
// a result taken apart into its pieces, a piece's centre, and the step from
// nanometres to the millimetres of a finding.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/finding.h"
#include "geometry/geometry_index.h"
#include "geometry/geometry_types.h"
#include "geometry/polygon_ops.h"

namespace corvane {

GeoPath RectanglePath(const GeoBox& box);
// `paths` cut to `box`.
GeoPaths ClippedTo(const GeoPaths& paths, const GeoBox& box);
// Every island of the index's layer that reaches into `box`, cut to it.
GeoPaths IslandsNear(const GeometryIndex& index, const GeoBox& box);
// The outer contours of a result, each a place of its own, largest first;
// contours of less than `minArea` square nanometres are left out.
std::vector<GeoPath> PiecesOf(const GeoPaths& paths, double minArea);
// The centre of the area of `paths` (holes taken away); the middle of their
// box when they cover no area.
GeoPoint CentreOf(const GeoPaths& paths);
// A round hole of `radius` about `centre`, or a slot swept from a to b.
GeoPaths CapsulePaths(GeoPoint a, GeoPoint b, double radius);

// Where the gap between `a` and `b` is narrowest, `closest` being what
// ClosestBetween found: the middle of the stretch that is within a hair of
// the narrowest (so a gap even along an edge is placed at the edge's middle),
// the middle of the overlap where they overlap.
GeoPoint WorstOfGap(const GeoPaths& a, const GeoPaths& b, const ClosestPoints& closest);

double ToMm(double nanometres);
FindingBox ToMm(const GeoBox& box);

// A finding of `rule` on `layer` at `at`, measured and required in nanometres.
Finding MakeFinding(const std::string& rule, const std::string& layer, GeoPoint at,
                    double measured, double required, const GeoBox& box);

}  // namespace corvane
