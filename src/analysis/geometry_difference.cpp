#include "analysis/geometry_difference.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>
#include <utility>

#include "geometry/box_clusters.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

// Joins of a union-find over the pieces of one difference.
class Groups {
 public:
  explicit Groups(std::size_t count) : parent_(count) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t Root(std::size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void Join(std::size_t a, std::size_t b) { parent_[Root(a)] = Root(b); }

 private:
  std::vector<std::size_t> parent_;
};

// Pieces that touch are one place; so are pieces closer than the tolerance,
// since the opening pulls apart pieces that met at a corner. Pairs are found
// by a sweep over the boxes, so a difference of many pieces stays linear in
// them where they do not crowd.
void JoinTouching(const std::vector<GeoPaths>& pieces, const std::vector<GeoBox>& rawBoxes,
                  int64_t gap, Groups& groups) {
  std::vector<GeoBox> boxes;
  boxes.reserve(rawBoxes.size());
  for (const GeoBox& box : rawBoxes) boxes.push_back(box.Grown(gap / 2 + 1));
  std::vector<std::size_t> order(pieces.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return boxes[a].minX < boxes[b].minX; });
  for (std::size_t i = 0; i < order.size(); ++i) {
    const GeoBox& a = boxes[order[i]];
    for (std::size_t k = i + 1; k < order.size() && boxes[order[k]].minX <= a.maxX; ++k) {
      if (!a.Overlaps(boxes[order[k]])) continue;
      if (groups.Root(order[i]) == groups.Root(order[k])) continue;
      if (ClosestBetween(pieces[order[i]], pieces[order[k]]).distance <= static_cast<double>(gap)) {
        groups.Join(order[i], order[k]);
      }
    }
  }
}

uint64_t HashIsland(const LayerGeometry& geometry, uint32_t island) {
  uint64_t hash = 1469598103934665603ull;
  const auto mix = [&hash](uint64_t value) {
    hash ^= value;
    hash *= 1099511628211ull;
  };
  const GeoIsland& is = geometry.islands[island];
  for (uint32_t r = is.firstRing; r < is.firstRing + is.ringCount; ++r) {
    mix(geometry.rings[r].pointCount);
    for (const GeoPoint& p : geometry.Ring(r)) {
      mix(static_cast<uint64_t>(p.x));
      mix(static_cast<uint64_t>(p.y));
    }
  }
  return hash;
}

bool SameIsland(const LayerGeometry& a, uint32_t ia, const LayerGeometry& b, uint32_t ib) {
  const GeoIsland& x = a.islands[ia];
  const GeoIsland& y = b.islands[ib];
  if (x.ringCount != y.ringCount || !(x.box == y.box)) return false;
  for (uint32_t r = 0; r < x.ringCount; ++r) {
    const auto ra = a.Ring(x.firstRing + r);
    const auto rb = b.Ring(y.firstRing + r);
    if (!std::equal(ra.begin(), ra.end(), rb.begin(), rb.end())) return false;
  }
  return true;
}

// Islands drawn exactly alike in both revisions differ nowhere and touch
// nothing else that differs (islands of one layer never overlap): they are
// set aside before any boolean is run, which makes comparing a board with
// itself cost a pass over its points.
struct Unequal {
  std::vector<uint32_t> before;
  std::vector<uint32_t> after;
};

Unequal UnequalIslands(const LayerGeometry& before, const LayerGeometry& after) {
  std::unordered_multimap<uint64_t, uint32_t> byHash;
  byHash.reserve(before.islands.size());
  for (uint32_t i = 0; i < before.islands.size(); ++i) byHash.emplace(HashIsland(before, i), i);
  std::vector<bool> beforeMatched(before.islands.size(), false);
  Unequal unequal;
  for (uint32_t i = 0; i < after.islands.size(); ++i) {
    bool matched = false;
    const auto [first, last] = byHash.equal_range(HashIsland(after, i));
    for (auto it = first; it != last && !matched; ++it) {
      if (beforeMatched[it->second] || !SameIsland(before, it->second, after, i)) continue;
      beforeMatched[it->second] = true;
      matched = true;
    }
    if (!matched) unequal.after.push_back(i);
  }
  for (uint32_t i = 0; i < before.islands.size(); ++i) {
    if (!beforeMatched[i]) unequal.before.push_back(i);
  }
  return unequal;
}

void AppendIsland(const LayerGeometry& geometry, uint32_t island, GeoPaths& out) {
  GeoPaths paths = geometry.IslandPaths(island);
  for (GeoPath& path : paths) out.push_back(std::move(path));
}

// A cluster with more vertices than this is compared in tiles: booleans over
// two nearly equal long outlines slow down far faster than their size grows.
constexpr uint64_t kTileVertices = 4000;
constexpr int64_t kMaxTilesPerSide = 64;

struct Tile {
  std::size_t cluster = 0;
  GeoBox box;
  bool whole = true;  // the whole cluster: nothing to cut
};

struct TilePieces {
  std::vector<GeoPaths> added;
  std::vector<GeoPaths> removed;
};

GeoPath BoxPath(const GeoBox& box) {
  return {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
}

template <typename Vertices>
std::vector<Tile> TilesOf(const std::vector<std::vector<uint32_t>>& clusters,
                          const std::vector<GeoBox>& boxes, const Vertices& vertices) {
  std::vector<Tile> tiles;
  for (std::size_t c = 0; c < clusters.size(); ++c) {
    GeoBox box;
    uint64_t count = 0;
    for (uint32_t member : clusters[c]) {
      box.Add(boxes[member]);
      count += vertices(member);
    }
    const auto side = std::min<int64_t>(
        kMaxTilesPerSide,
        static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(count / kTileVertices)))));
    if (side <= 1) {
      tiles.push_back({c, box, true});
      continue;
    }
    const auto at = [side](int64_t from, int64_t to, int64_t i) {
      return from + static_cast<int64_t>(static_cast<double>(to - from) * static_cast<double>(i) /
                                         static_cast<double>(side));
    };
    for (int64_t i = 0; i < side; ++i) {
      for (int64_t k = 0; k < side; ++k) {
        const GeoBox part{at(box.minX, box.maxX, i), at(box.minY, box.maxY, k),
                          at(box.minX, box.maxX, i + 1), at(box.minY, box.maxY, k + 1)};
        tiles.push_back({c, part, false});
      }
    }
  }
  return tiles;
}

// What is left of `area` after the opening, as islands.
std::vector<GeoPaths> OpenedPieces(const GeoPaths& area, int64_t tolerance) {
  if (area.empty()) return {};
  const double radius = static_cast<double>(std::max<int64_t>(tolerance, 0)) / 2.0;
  const GeoPaths opened = radius > 0.0 ? OffsetOf(OffsetOf(area, -radius), radius) : area;
  return SeparateIslands(opened);
}

std::vector<GeoPaths> CutTo(std::vector<GeoPaths> pieces, const Tile& tile) {
  if (tile.whole) return pieces;
  std::vector<GeoPaths> cut;
  const GeoPaths frame{BoxPath(tile.box)};
  for (const GeoPaths& piece : pieces) {
    const GeoBox box = BoxOf(piece);
    if (box.minX >= tile.box.minX && box.maxX <= tile.box.maxX && box.minY >= tile.box.minY &&
        box.maxY <= tile.box.maxY) {
      cut.push_back(piece);
      continue;
    }
    for (GeoPaths& part : SeparateIslands(IntersectionOf(piece, frame))) {
      cut.push_back(std::move(part));
    }
  }
  return cut;
}

std::vector<DifferencePlace> GroupPieces(std::vector<GeoPaths> pieces, DifferenceKind kind,
                                         int64_t tolerance) {
  std::vector<GeoBox> boxes;
  boxes.reserve(pieces.size());
  for (const GeoPaths& piece : pieces) boxes.push_back(BoxOf(piece));
  Groups groups(pieces.size());
  JoinTouching(pieces, boxes, std::max<int64_t>(tolerance, 0), groups);

  std::unordered_map<std::size_t, std::size_t> placeOfRoot;
  std::vector<DifferencePlace> places;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const double pieceArea = SignedArea(pieces[i]);
    if (pieceArea <= 0.0) continue;
    const auto [it, fresh] = placeOfRoot.emplace(groups.Root(i), places.size());
    if (fresh) places.push_back({kind, {}, {}, 0.0});
    DifferencePlace& place = places[it->second];
    for (GeoPath& path : pieces[i]) place.shape.push_back(std::move(path));
    place.box.Add(boxes[i]);
    place.area += pieceArea;
  }
  return places;
}

// The tiles' pieces joined into places, cluster by cluster.
std::vector<DifferencePlace> PlacesOfTiles(const std::vector<Tile>& tiles,
                                           std::vector<TilePieces> pieces, std::size_t clusterCount,
                                           int64_t tolerance, unsigned threads) {
  std::vector<TilePieces> byCluster(clusterCount);
  for (std::size_t t = 0; t < tiles.size(); ++t) {
    TilePieces& into = byCluster[tiles[t].cluster];
    for (GeoPaths& piece : pieces[t].added) into.added.push_back(std::move(piece));
    for (GeoPaths& piece : pieces[t].removed) into.removed.push_back(std::move(piece));
  }
  std::vector<std::vector<DifferencePlace>> found(clusterCount);
  ParallelFor(clusterCount, threads, [&](std::size_t c) {
    found[c] = GroupPieces(std::move(byCluster[c].added), DifferenceKind::kAdded, tolerance);
    for (DifferencePlace& place :
         GroupPieces(std::move(byCluster[c].removed), DifferenceKind::kRemoved, tolerance)) {
      found[c].push_back(std::move(place));
    }
  });
  std::vector<DifferencePlace> places;
  for (std::vector<DifferencePlace>& group : found) {
    for (DifferencePlace& place : group) places.push_back(std::move(place));
  }
  std::sort(places.begin(), places.end(), PlaceBefore);
  return places;
}

}  // namespace

std::vector<DifferencePlace> PlacesOf(const GeoPaths& area, DifferenceKind kind,
                                      int64_t tolerance) {
  return GroupPieces(OpenedPieces(area, tolerance), kind, tolerance);
}

std::vector<DifferencePlace> CompareGeometry(const LayerGeometry& before,
                                             const LayerGeometry& after,
                                             const DifferenceOptions& options) {
  const Unequal unequal = UnequalIslands(before, after);
  // Islands whose boxes overlap, directly or through others, are compared
  // together; separate groups cannot meet, so each is a problem of its own.
  std::vector<GeoBox> boxes;
  boxes.reserve(unequal.before.size() + unequal.after.size());
  for (uint32_t i : unequal.before) boxes.push_back(before.islands[i].box);
  for (uint32_t i : unequal.after) boxes.push_back(after.islands[i].box);
  const std::vector<std::vector<uint32_t>> clusters = ClusterBoxes(boxes);
  const auto beforeCount = static_cast<uint32_t>(unequal.before.size());
  const auto vertices = [&](uint32_t member) {
    const LayerGeometry& g = member < beforeCount ? before : after;
    const uint32_t island =
        member < beforeCount ? unequal.before[member] : unequal.after[member - beforeCount];
    const GeoIsland& is = g.islands[island];
    uint64_t count = 0;
    for (uint32_t r = is.firstRing; r < is.firstRing + is.ringCount; ++r) {
      count += g.rings[r].pointCount;
    }
    return count;
  };
  const std::vector<Tile> tiles = TilesOf(clusters, boxes, vertices);

  const int64_t tolerance = std::max<int64_t>(options.tolerance, 0);
  std::vector<TilePieces> pieces(tiles.size());
  ParallelFor(tiles.size(), options.threads, [&](std::size_t t) {
    if (options.cancel != nullptr && options.cancel->load()) return;
    const Tile& tile = tiles[t];
    // The opening at a point depends on what lies within the tolerance of
    // it: each tile is computed over itself and that much more, then cut
    // back, so the tiles' pieces are what one pass would give.
    const GeoBox reach = tile.box.Grown(tolerance + 2);
    GeoPaths old;
    GeoPaths now;
    for (uint32_t member : clusters[tile.cluster]) {
      if (tile.whole || boxes[member].Overlaps(reach)) {
        if (member < beforeCount) {
          AppendIsland(before, unequal.before[member], old);
        } else {
          AppendIsland(after, unequal.after[member - beforeCount], now);
        }
      }
    }
    if (!tile.whole) {
      old = IntersectionOf(old, {BoxPath(reach)});
      now = IntersectionOf(now, {BoxPath(reach)});
    }
    const GeoPaths added = old.empty() ? now : DifferenceOf(now, old);
    const GeoPaths removed = now.empty() ? old : DifferenceOf(old, now);
    pieces[t].added = CutTo(OpenedPieces(added, tolerance), tile);
    pieces[t].removed = CutTo(OpenedPieces(removed, tolerance), tile);
  });
  return PlacesOfTiles(tiles, std::move(pieces), clusters.size(), tolerance, options.threads);
}

}  // namespace corvane
