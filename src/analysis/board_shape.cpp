#include "analysis/board_shape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

// An outer contour with the holes it is the nearest outer contour of.
struct Contour {
  const GeoPath* outer = nullptr;
  double area = 0.0;
  std::vector<const GeoPath*> holes;
};

std::vector<Contour> GroupContours(const GeoPaths& paths) {
  std::vector<Contour> contours;
  for (const GeoPath& path : paths) {
    const double area = SignedArea(path);
    if (area > 0) contours.push_back({&path, area, {}});
  }
  for (const GeoPath& path : paths) {
    if (path.empty() || SignedArea(path) >= 0) continue;
    Contour* nearest = nullptr;
    for (Contour& c : contours) {
      if (LocatePoint(path.front(), *c.outer) == PointPlace::kOutside) continue;
      if (nearest == nullptr || c.area < nearest->area) nearest = &c;
    }
    if (nearest != nullptr) nearest->holes.push_back(&path);
  }
  return contours;
}

// The squared distance from `p` to the segment a..b.
double SquaredDistance(GeoPoint p, GeoPoint a, GeoPoint b) {
  const double dx = static_cast<double>(b.x - a.x);
  const double dy = static_cast<double>(b.y - a.y);
  const double px = static_cast<double>(p.x - a.x);
  const double py = static_cast<double>(p.y - a.y);
  const double length = dx * dx + dy * dy;
  const double t = length > 0 ? std::clamp((px * dx + py * dy) / length, 0.0, 1.0) : 0.0;
  const double ex = px - t * dx;
  const double ey = py - t * dy;
  return ex * ex + ey * ey;
}

// Points spread evenly along a closed path, about `count` of them.
std::vector<GeoPoint> SpreadAlong(const GeoPath& path, std::size_t count) {
  double length = 0.0;
  for (std::size_t i = 0; i < path.size(); ++i) length += std::sqrt(SquaredDistance(path[i], path[(i + 1) % path.size()], path[(i + 1) % path.size()]));
  std::vector<GeoPoint> points;
  if (!(length > 0)) return points;
  const double step = length / static_cast<double>(count);
  double next = step / 2;
  double at = 0.0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const GeoPoint a = path[i];
    const GeoPoint b = path[(i + 1) % path.size()];
    const double edge = std::sqrt(SquaredDistance(a, b, b));
    for (; next <= at + edge && edge > 0; next += step) {
      const double t = (next - at) / edge;
      points.push_back({a.x + std::llround(t * static_cast<double>(b.x - a.x)),
                        a.y + std::llround(t * static_cast<double>(b.y - a.y))});
    }
    at += edge;
  }
  return points;
}

// The line's width: the distance from its inner edge to its outer one, at
// points spread along the inner edge. Along every straight run that is the
// width; a corner adds to it and a closed gap's bridge takes from it, so the
// median is the width.
double LineWidth(const Contour& c) {
  constexpr std::size_t kSamples = 512;
  const GeoPath& outer = *c.outer;
  std::vector<double> distances;
  for (const GeoPath* hole : c.holes) {
    for (const GeoPoint p : SpreadAlong(*hole, kSamples)) {
      double least = std::numeric_limits<double>::infinity();
      for (std::size_t k = 0; k < outer.size(); ++k) {
        least = std::min(least, SquaredDistance(p, outer[k], outer[(k + 1) % outer.size()]));
      }
      distances.push_back(least);
    }
  }
  if (distances.empty()) return 0.0;
  const auto middle = distances.begin() + static_cast<std::ptrdiff_t>(distances.size() / 2);
  std::nth_element(distances.begin(), middle, distances.end());
  return std::isfinite(*middle) ? std::sqrt(*middle) : 0.0;
}

GeoPaths RegionOf(const Contour& c) { return OffsetOf(GeoPaths{*c.outer}, -LineWidth(c) / 2); }

std::string Names(std::span<const OutlineLayer> outlines) {
  std::string names;
  for (const OutlineLayer& o : outlines) names += (names.empty() ? "" : ", ") + o.name;
  return names;
}

BoardShape FromExtents(const GeoBox& fallback, std::string why) {
  BoardShape shape;
  const GeoBox b = fallback.Grown(kBoardExtentsMargin);
  if (b.Empty()) {
    shape.notes.push_back(why + "; nothing to draw the board from");
    return shape;
  }
  shape.region = {{{b.minX, b.minY}, {b.maxX, b.minY}, {b.maxX, b.maxY}, {b.minX, b.maxY}}};
  shape.box = b;
  shape.notes.push_back(why + "; the board is drawn as the copper's extents with a 1 mm margin");
  return shape;
}

}  // namespace

std::vector<GeoPaths> ClosedContourRegions(const GeoPaths& drawn) {
  std::vector<GeoPaths> regions;
  for (const Contour& c : GroupContours(drawn)) {
    if (c.holes.empty()) continue;
    GeoPaths region = RegionOf(c);
    if (SignedArea(region) > 0) regions.push_back(std::move(region));
  }
  std::stable_sort(regions.begin(), regions.end(), [](const GeoPaths& a, const GeoPaths& b) {
    return SignedArea(a) > SignedArea(b);
  });
  return regions;
}

BoardShape FindBoardShape(std::span<const OutlineLayer> outlines, const GeoBox& fallback) {
  GeoPaths drawn;
  for (const OutlineLayer& o : outlines) {
    if (o.geometry == nullptr) continue;
    const GeoPaths paths = o.geometry->AllPaths();
    drawn.insert(drawn.end(), paths.begin(), paths.end());
  }
  if (outlines.empty()) return FromExtents(fallback, "no outline layer");
  if (drawn.empty()) return FromExtents(fallback, Names(outlines) + ": the outline draws nothing");
  drawn = UnionOf(drawn);
  std::vector<GeoPaths> regions = ClosedContourRegions(drawn);
  bool closedGap = false;
  if (regions.empty()) {
    // Closing by growing and shrinking back bridges every gap up to the bound.
    const GeoPaths bridged = OffsetOf(OffsetOf(drawn, kOutlineGapClosed / 2.0), -kOutlineGapClosed / 2.0);
    regions = ClosedContourRegions(bridged);
    closedGap = !regions.empty();
  }
  if (regions.empty()) {
    return FromExtents(fallback, Names(outlines) + ": the outline does not close (a gap wider than 0.05 mm)");
  }
  BoardShape shape;
  shape.fromOutline = true;
  if (closedGap) shape.notes.push_back(Names(outlines) + ": a gap of 0.05 mm or less in the outline was closed");
  shape.region = std::move(regions.front());
  const GeoBox board = BoxOf(shape.region);
  GeoPaths cutOuts;
  for (std::size_t i = 1; i < regions.size(); ++i) {
    const GeoBox b = BoxOf(regions[i]);
    if (b.minX < board.minX || b.maxX > board.maxX || b.minY < board.minY || b.maxY > board.maxY)
      continue;  // another board beside this one: not a cut-out of it
    cutOuts.insert(cutOuts.end(), regions[i].begin(), regions[i].end());
    ++shape.cutOuts;
  }
  if (!cutOuts.empty()) {
    shape.region = DifferenceOf(shape.region, cutOuts);
    shape.notes.push_back(Names(outlines) + ": " + std::to_string(shape.cutOuts) +
                          (shape.cutOuts == 1 ? " inner contour" : " inner contours") +
                          " cut out of the board");
  }
  shape.box = BoxOf(shape.region);
  return shape;
}

}  // namespace corvane
