#include "analysis/check_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/polygon_ops.h"

namespace corvane {

GeoPath RectanglePath(const GeoBox& box) {
  return {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
}

GeoPaths ClippedTo(const GeoPaths& paths, const GeoBox& box) {
  if (paths.empty() || box.Empty()) return {};
  return IntersectionOf(paths, GeoPaths{RectanglePath(box)});
}

GeoPaths IslandsNear(const GeometryIndex& index, const GeoBox& box) {
  GeoPaths near;
  for (const uint32_t island : index.IslandsIn(box)) {
    GeoPaths paths = index.Geometry().IslandPaths(island);
    for (GeoPath& path : paths) near.push_back(std::move(path));
  }
  return ClippedTo(near, box);
}

std::vector<GeoPath> PiecesOf(const GeoPaths& paths, double minArea) {
  std::vector<std::pair<double, const GeoPath*>> outer;
  for (const GeoPath& path : paths) {
    const double area = SignedArea(path);
    if (area >= minArea) outer.emplace_back(area, &path);
  }
  std::stable_sort(outer.begin(), outer.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<GeoPath> pieces;
  pieces.reserve(outer.size());
  for (const auto& entry : outer) pieces.push_back(*entry.second);
  return pieces;
}

GeoPoint CentreOf(const GeoPaths& paths) {
  double area = 0.0;
  double sx = 0.0;
  double sy = 0.0;
  for (const GeoPath& path : paths) {
    for (std::size_t i = 0; i < path.size(); ++i) {
      const GeoPoint& a = path[i];
      const GeoPoint& b = path[(i + 1) % path.size()];
      const double cross = static_cast<double>(a.x) * static_cast<double>(b.y) -
                           static_cast<double>(b.x) * static_cast<double>(a.y);
      area += cross;
      sx += (static_cast<double>(a.x) + static_cast<double>(b.x)) * cross;
      sy += (static_cast<double>(a.y) + static_cast<double>(b.y)) * cross;
    }
  }
  if (std::abs(area) < 1.0) {
    const GeoBox box = BoxOf(paths);
    if (box.Empty()) return {};
    return {box.minX / 2 + box.maxX / 2, box.minY / 2 + box.maxY / 2};
  }
  return {std::llround(sx / (3.0 * area)), std::llround(sy / (3.0 * area))};
}

GeoPaths CapsulePaths(GeoPoint a, GeoPoint b, double radius) {
  // Points outside the true circle by no more than the flattening tolerance
  // would overstate a hole; chords inside it understate by as little.
  const int steps = std::clamp(
      static_cast<int>(std::ceil(std::numbers::pi /
                                 std::acos(std::max(0.0, 1.0 - kDefaultFlatteningTolerance /
                                                              std::max(radius, 1.0))))),
      8, 720);
  const double along = std::atan2(static_cast<double>(b.y - a.y), static_cast<double>(b.x - a.x));
  GeoPath path;
  // Half a circle about each end, joined by the slot's sides.
  for (int end = 0; end < 2; ++end) {
    const GeoPoint c = end == 0 ? b : a;
    const double start = along - std::numbers::pi / 2 + end * std::numbers::pi;
    for (int i = 0; i <= steps / 2; ++i) {
      const double t = start + std::numbers::pi * i / (steps / 2);
      path.push_back({c.x + std::llround(radius * std::cos(t)),
                      c.y + std::llround(radius * std::sin(t))});
    }
  }
  return UnionOf(GeoPaths{path});
}

GeoPoint WorstOfGap(const GeoPaths& a, const GeoPaths& b, const ClosestPoints& closest) {
  // A micrometre, or a hundredth of the gap: far below what a shop can hold.
  const double hair = std::max(1000.0, closest.distance / 100.0);
  const double grow = (closest.distance + hair) / 2.0;
  const GeoPaths near = IntersectionOf(OffsetOf(a, grow), OffsetOf(b, grow));
  if (SignedArea(near) > 0.0) return CentreOf(near);
  return {std::llround((closest.ax + closest.bx) / 2.0), std::llround((closest.ay + closest.by) / 2.0)};
}

double ToMm(double nanometres) { return NanometresToMillimetres(nanometres); }

FindingBox ToMm(const GeoBox& box) {
  FindingBox mm;
  if (box.Empty()) return mm;
  mm.Add(ToMm(static_cast<double>(box.minX)), ToMm(static_cast<double>(box.minY)));
  mm.Add(ToMm(static_cast<double>(box.maxX)), ToMm(static_cast<double>(box.maxY)));
  return mm;
}

Finding MakeFinding(const std::string& rule, const std::string& layer, GeoPoint at,
                    double measured, double required, const GeoBox& box) {
  Finding finding;
  finding.rule = rule;
  finding.layers = {layer};
  finding.atX = ToMm(static_cast<double>(at.x));
  finding.atY = ToMm(static_cast<double>(at.y));
  finding.measured = ToMm(measured);
  finding.required = ToMm(required);
  finding.box = ToMm(box);
  finding.box.Add(finding.atX, finding.atY);
  return finding;
}

}  // namespace corvane
