#include "analysis/mask_checks.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/check_shapes.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

// Bisection steps of how far a pad reaches past its opening.
constexpr int kMeasureSteps = 12;
// Less uncovered than this (square nanometres) is rounding of the shapes.
constexpr double kMinUncoveredArea = 1e4;

template <typename Body>
std::vector<Finding> Gathered(std::size_t count, unsigned threads, Body body) {
  std::vector<std::optional<Finding>> found(count);
  ParallelFor(count, threads, [&](std::size_t i) { found[i] = body(i); });
  std::vector<Finding> all;
  for (auto& finding : found) {
    if (finding) all.push_back(std::move(*finding));
  }
  return all;
}

std::optional<Finding> OpeningOfPad(const GeometryIndex& copper, const GeometryIndex& mask,
                                    uint32_t object) {
  const StandardObject& o = copper.Layer().geometry.objects[object];
  if (o.kind != StandardKind::kFlash || o.polarity != StandardPolarity::kDark) return std::nullopt;
  const GeoPaths pad = copper.ObjectPolygons(object);
  const GeoBox box = BoxOf(pad);
  if (box.Empty()) return std::nullopt;
  const double size = static_cast<double>(std::max(box.maxX - box.minX, box.maxY - box.minY));
  const GeoPaths openings = IslandsNear(mask, box.Grown(static_cast<int64_t>(size) + 1));
  if (SignedArea(IntersectionOf(pad, openings)) <= 0.0) return std::nullopt;
  const GeoPaths uncovered = DifferenceOf(pad, openings);
  if (SignedArea(uncovered) < kMinUncoveredArea) return std::nullopt;
  double lo = 0.0;
  double hi = size;
  for (int step = 0; step < kMeasureSteps; ++step) {
    const double mid = (lo + hi) / 2.0;
    const bool covered = SignedArea(DifferenceOf(pad, OffsetOf(openings, mid))) < kMinUncoveredArea;
    (covered ? hi : lo) = mid;
  }
  Finding finding = MakeFinding("mask-expansion", mask.Layer().fileName, CentreOf(uncovered), -hi,
                                0.0, BoxOf(uncovered));
  finding.layers.push_back(copper.Layer().fileName);
  return finding;
}

void SilkNearOpenings(const GeometryIndex& silk, const GeometryIndex& mask, uint32_t island,
                      double minGap, std::vector<Finding>& out) {
  const auto reach = static_cast<int64_t>(std::ceil(minGap)) + 1;
  const GeoPaths ink = silk.Geometry().IslandPaths(island);
  for (const uint32_t opening : mask.IslandsIn(silk.Geometry().islands[island].box.Grown(reach))) {
    const GeoPaths open = mask.Geometry().IslandPaths(opening);
    const ClosestPoints nearest = ClosestBetween(ink, open);
    if (!(nearest.distance < minGap)) continue;
    const GeoPoint at = WorstOfGap(ink, open, nearest);
    Finding finding = MakeFinding("silk-on-pad", silk.Layer().fileName, at, nearest.distance,
                                  minGap, mask.Geometry().islands[opening].box);
    finding.layers.push_back(mask.Layer().fileName);
    out.push_back(std::move(finding));
  }
}

}  // namespace

std::vector<Finding> FindShortOpenings(const GeometryIndex& copper, const GeometryIndex& mask,
                                       unsigned threads) {
  return Gathered(copper.Layer().geometry.objects.size(), threads, [&](std::size_t i) {
    return OpeningOfPad(copper, mask, static_cast<uint32_t>(i));
  });
}

std::vector<Finding> FindSilkOnPads(const GeometryIndex& silk, const GeometryIndex& mask,
                                    double minGap, unsigned threads) {
  const std::size_t count = silk.Geometry().islands.size();
  std::vector<std::vector<Finding>> found(count);
  ParallelFor(count, threads, [&](std::size_t i) {
    SilkNearOpenings(silk, mask, static_cast<uint32_t>(i), minGap, found[i]);
  });
  std::vector<Finding> all;
  for (auto& list : found) {
    for (Finding& finding : list) all.push_back(std::move(finding));
  }
  return all;
}

}  // namespace corvane
