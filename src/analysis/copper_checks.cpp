#include "analysis/copper_checks.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/check_shapes.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

// What is gone after opening must reach this many half-minimums beyond
// what came back to count as thin.
constexpr double kCornerAllowance = 0.6;
// Bisection steps of a measured width: half the minimum over 2^12.
constexpr int kMeasureSteps = 12;
// Pieces smaller than this (square nanometres) are rounding, not copper.
constexpr double kMinPieceArea = 1e4;

int64_t Ceil(double nanometres) { return static_cast<int64_t>(std::ceil(nanometres)); }

// What opening `local` with a round tool of radius `radius` leaves out of
// `piece`, the corners such a tool cannot reach passed over.
GeoPaths LeftOut(const GeoPaths& local, const GeoPath& piece, double radius) {
  const GeoPaths opened = OffsetOf(OffsetOf(local, -radius), radius * (1.0 + kCornerAllowance));
  return IntersectionOf(DifferenceOf(local, opened), GeoPaths{piece});
}

// The narrowest width in `piece`: the smallest tool that leaves part of it
// out, and the part it leaves out first.
std::pair<double, GeoPoint> NarrowestIn(const GeoPaths& local, const GeoPath& piece,
                                        double half) {
  double lo = 0.0;
  double hi = half;
  GeoPoint at = CentreOf(GeoPaths{piece});
  for (int step = 0; step < kMeasureSteps; ++step) {
    const double mid = (lo + hi) / 2.0;
    const GeoPaths out = LeftOut(local, piece, mid);
    if (SignedArea(out) > kMinPieceArea) {
      hi = mid;
      at = CentreOf(out);
    } else {
      lo = mid;
    }
  }
  return {hi, at};
}

void ThinPlacesOfIsland(const GeometryIndex& layer, uint32_t island, double minWidth,
                        const std::string& rule, std::vector<Finding>& out) {
  const double half = minWidth / 2.0;
  const GeoPaths paths = layer.Geometry().IslandPaths(island);
  const GeoPaths opened = OffsetOf(OffsetOf(paths, -half), half * (1.0 + kCornerAllowance));
  const GeoPaths thin = DifferenceOf(paths, opened);
  for (const GeoPath& piece : PiecesOf(thin, kMinPieceArea)) {
    const GeoBox box = BoxOf(piece);
    const GeoPaths local = ClippedTo(paths, box.Grown(Ceil(minWidth)));
    const auto [radius, at] = NarrowestIn(local, piece, half);
    const double width = 2.0 * radius;
    if (width >= minWidth) continue;
    out.push_back(MakeFinding(rule, layer.Layer().fileName, at, width, minWidth, box));
  }
}

struct IslandPair {
  uint32_t a = 0;
  uint32_t b = 0;
};

std::vector<IslandPair> PairsWithin(const GeometryIndex& layer, double gap) {
  const auto& islands = layer.Geometry().islands;
  std::vector<IslandPair> pairs;
  for (uint32_t i = 0; i < islands.size(); ++i) {
    for (const uint32_t j : layer.IslandsIn(islands[i].box.Grown(Ceil(gap)))) {
      if (j > i) pairs.push_back({i, j});
    }
  }
  return pairs;
}

GeoBox Common(const GeoBox& a, const GeoBox& b) {
  GeoBox box{std::max(a.minX, b.minX), std::max(a.minY, b.minY), std::min(a.maxX, b.maxX),
             std::min(a.maxY, b.maxY)};
  return box.Empty() ? GeoBox{} : box;
}

void GapsOfPair(const GeometryIndex& layer, IslandPair pair, double minGap,
                const std::string& rule, std::vector<Finding>& out) {
  const LayerGeometry& g = layer.Geometry();
  const int64_t reach = Ceil(minGap);
  const GeoBox region = Common(g.islands[pair.a].box.Grown(reach), g.islands[pair.b].box.Grown(reach));
  if (region.Empty()) return;
  const GeoPaths a = ClippedTo(g.IslandPaths(pair.a), region);
  const GeoPaths b = ClippedTo(g.IslandPaths(pair.b), region);
  if (a.empty() || b.empty()) return;
  const GeoPaths meet = IntersectionOf(OffsetOf(a, minGap / 2.0), OffsetOf(b, minGap / 2.0));
  for (const GeoPath& piece : PiecesOf(meet, 1.0)) {
    const GeoBox box = BoxOf(piece);
    const GeoBox near = box.Grown(Ceil(minGap / 2.0) + 1);
    const GeoPaths nearA = ClippedTo(a, near);
    const GeoPaths nearB = ClippedTo(b, near);
    const ClosestPoints closest = ClosestBetween(nearA, nearB);
    if (!(closest.distance < minGap)) continue;
    const GeoPoint at = WorstOfGap(nearA, nearB, closest);
    out.push_back(MakeFinding(rule, layer.Layer().fileName, at, closest.distance, minGap, box));
  }
}

// Runs `body` over `count` tasks, each into its own list, and joins the lists.
template <typename Body>
std::vector<Finding> Gathered(std::size_t count, unsigned threads, Body body) {
  std::vector<std::vector<Finding>> found(count);
  ParallelFor(count, threads, [&](std::size_t i) { body(i, found[i]); });
  std::vector<Finding> all;
  for (auto& list : found) {
    for (Finding& finding : list) all.push_back(std::move(finding));
  }
  return all;
}

}  // namespace

std::vector<Finding> FindThinCopper(const GeometryIndex& layer, double minWidth,
                                    const std::string& rule, unsigned threads) {
  return Gathered(layer.Geometry().islands.size(), threads,
                  [&](std::size_t i, std::vector<Finding>& out) {
                    ThinPlacesOfIsland(layer, static_cast<uint32_t>(i), minWidth, rule, out);
                  });
}

std::vector<Finding> FindNarrowGaps(const GeometryIndex& layer, double minGap,
                                    const std::string& rule, unsigned threads) {
  const std::vector<IslandPair> pairs = PairsWithin(layer, minGap);
  return Gathered(pairs.size(), threads, [&](std::size_t i, std::vector<Finding>& out) {
    GapsOfPair(layer, pairs[i], minGap, rule, out);
  });
}

}  // namespace corvane
