#include "analysis/copper_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

#include "analysis/check_shapes.h"
#include "geometry/box_clusters.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

// What is gone after opening must reach this many half-minimums beyond
// what came back to count as thin.
constexpr double kCornerAllowance = 1.1;
// Bisection steps of a measured width: half the minimum over 2^7, under
// half a micrometre for any minimum a shop asks for.
constexpr int kMeasureSteps = 7;
// Pieces smaller than this (square nanometres) are rounding, not copper.
constexpr double kMinPieceArea = 1e4;

int64_t Ceil(double nanometres) { return static_cast<int64_t>(std::ceil(nanometres)); }

// What opening `local` with a round tool of radius `radius` leaves out of
// `piece`, the corners such a tool cannot reach passed over.
GeoPaths LeftOut(const GeoPaths& local, const GeoPaths& place, double radius) {
  const GeoPaths opened = OffsetOf(OffsetOf(local, -radius), radius * (1.0 + kCornerAllowance));
  return IntersectionOf(DifferenceOf(local, opened), place);
}

// The narrowest width in `piece`: the smallest tool that leaves part of it
// out, and the part it leaves out first.
std::pair<double, GeoPoint> NarrowestIn(const GeoPaths& local, const GeoPaths& place,
                                        double half) {
  double lo = 0.0;
  double hi = half;
  GeoPoint at = CentreOf(place);
  for (int step = 0; step < kMeasureSteps; ++step) {
    const double mid = (lo + hi) / 2.0;
    const GeoPaths out = LeftOut(local, place, mid);
    if (SignedArea(out) > kMinPieceArea) {
      hi = mid;
      at = CentreOf(out);
    } else {
      lo = mid;
    }
  }
  return {hi, at};
}

// Thin pieces nearer each other than the minimum are one place: a jagged
// edge or a comb of slivers is one finding at its narrowest.
std::vector<GeoPaths> PlacesOf(std::vector<GeoPath> pieces, double minWidth) {
  std::vector<GeoBox> boxes;
  boxes.reserve(pieces.size());
  for (const GeoPath& piece : pieces) boxes.push_back(BoxOf(piece).Grown(Ceil(minWidth / 2.0)));
  std::vector<GeoPaths> places;
  for (const std::vector<uint32_t>& group : ClusterBoxes(boxes)) {
    GeoPaths place;
    for (const uint32_t i : group) place.push_back(std::move(pieces[i]));
    places.push_back(std::move(place));
  }
  return places;
}

void ThinPlacesOfIsland(const GeometryIndex& layer, uint32_t island, double minWidth,
                        const std::string& rule, std::vector<Finding>& out) {
  const double half = minWidth / 2.0;
  const GeoPaths paths = layer.Geometry().IslandPaths(island);
  const GeoPaths opened = OffsetOf(OffsetOf(paths, -half), half * (1.0 + kCornerAllowance));
  const GeoPaths thin = DifferenceOf(paths, opened);
  for (const GeoPaths& place : PlacesOf(PiecesOf(thin, kMinPieceArea), minWidth)) {
    const GeoBox box = BoxOf(place);
    const GeoPaths local = ClippedTo(paths, box.Grown(Ceil(minWidth)));
    const auto [radius, at] = NarrowestIn(local, place, half);
    const double width = 2.0 * radius;
    if (width >= minWidth) continue;
    out.push_back(MakeFinding(rule, layer.Layer().fileName, at, width, minWidth, box));
  }
}

// Islands of the same shape, moved (the copies of a panel, a part placed
// twice), have the same findings moved: each shape is checked once.
uint64_t ShapeHash(const LayerGeometry& g, uint32_t island) {
  const GeoIsland& is = g.islands[island];
  uint64_t hash = 1469598103934665603ull;
  const auto mix = [&hash](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
  for (uint32_t r = is.firstRing; r < is.firstRing + is.ringCount; ++r) {
    mix(g.rings[r].pointCount);
    for (const GeoPoint& p : g.Ring(r)) {
      mix(static_cast<uint64_t>(p.x - is.box.minX));
      mix(static_cast<uint64_t>(p.y - is.box.minY));
    }
  }
  return hash;
}

bool SameShape(const LayerGeometry& g, uint32_t a, uint32_t b) {
  const GeoIsland& ia = g.islands[a];
  const GeoIsland& ib = g.islands[b];
  if (ia.ringCount != ib.ringCount) return false;
  for (uint32_t k = 0; k < ia.ringCount; ++k) {
    const auto ra = g.Ring(ia.firstRing + k);
    const auto rb = g.Ring(ib.firstRing + k);
    if (ra.size() != rb.size()) return false;
    for (std::size_t i = 0; i < ra.size(); ++i) {
      if (ra[i].x - ia.box.minX != rb[i].x - ib.box.minX ||
          ra[i].y - ia.box.minY != rb[i].y - ib.box.minY) {
        return false;
      }
    }
  }
  return true;
}

// For each island, the first island of its shape.
std::vector<uint32_t> ShapeRepresentatives(const LayerGeometry& g) {
  std::vector<uint32_t> first(g.islands.size());
  std::map<uint64_t, std::vector<uint32_t>> byHash;
  for (uint32_t i = 0; i < g.islands.size(); ++i) {
    std::vector<uint32_t>& same = byHash[ShapeHash(g, i)];
    first[i] = i;
    for (const uint32_t candidate : same) {
      if (SameShape(g, candidate, i)) {
        first[i] = candidate;
        break;
      }
    }
    if (first[i] == i) same.push_back(i);
  }
  return first;
}

Finding Moved(Finding finding, GeoPoint by) {
  const double dx = ToMm(static_cast<double>(by.x));
  const double dy = ToMm(static_cast<double>(by.y));
  finding.atX += dx;
  finding.atY += dy;
  if (!finding.box.Empty()) {
    finding.box.minX += dx;
    finding.box.maxX += dx;
    finding.box.minY += dy;
    finding.box.maxY += dy;
  }
  return finding;
}

GeoPoint Between(const GeoBox& from, const GeoBox& to) {
  return {to.minX - from.minX, to.minY - from.minY};
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

}  // namespace

std::vector<Finding> FindThinCopper(const GeometryIndex& layer, double minWidth,
                                    const std::string& rule, unsigned threads) {
  const LayerGeometry& g = layer.Geometry();
  const std::vector<uint32_t> first = ShapeRepresentatives(g);
  std::vector<uint32_t> shapes;
  for (uint32_t i = 0; i < first.size(); ++i) {
    if (first[i] == i) shapes.push_back(i);
  }
  std::vector<std::vector<Finding>> ofShape(g.islands.size());
  ParallelFor(shapes.size(), threads, [&](std::size_t k) {
    ThinPlacesOfIsland(layer, shapes[k], minWidth, rule, ofShape[shapes[k]]);
  });
  std::vector<Finding> all;
  for (uint32_t i = 0; i < first.size(); ++i) {
    const GeoPoint by = Between(g.islands[first[i]].box, g.islands[i].box);
    for (const Finding& finding : ofShape[first[i]]) all.push_back(Moved(finding, by));
  }
  return all;
}

std::vector<Finding> FindNarrowGaps(const GeometryIndex& layer, double minGap,
                                    const std::string& rule, unsigned threads) {
  const LayerGeometry& g = layer.Geometry();
  const std::vector<uint32_t> first = ShapeRepresentatives(g);
  const std::vector<IslandPair> pairs = PairsWithin(layer, minGap);
  // A pair is its two shapes and how far apart they lie.
  std::map<std::tuple<uint32_t, uint32_t, int64_t, int64_t>, std::size_t> kinds;
  std::vector<std::size_t> kindOf(pairs.size());
  std::vector<IslandPair> checked;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const GeoPoint apart = Between(g.islands[pairs[i].a].box, g.islands[pairs[i].b].box);
    const auto key = std::make_tuple(first[pairs[i].a], first[pairs[i].b], apart.x, apart.y);
    const auto [at, added] = kinds.emplace(key, checked.size());
    if (added) checked.push_back(pairs[i]);
    kindOf[i] = at->second;
  }
  std::vector<std::vector<Finding>> ofKind(checked.size());
  ParallelFor(checked.size(), threads,
              [&](std::size_t k) { GapsOfPair(layer, checked[k], minGap, rule, ofKind[k]); });
  std::vector<Finding> all;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const GeoPoint by = Between(g.islands[checked[kindOf[i]].a].box, g.islands[pairs[i].a].box);
    for (const Finding& finding : ofKind[kindOf[i]]) all.push_back(Moved(finding, by));
  }
  return all;
}

}  // namespace corvane
