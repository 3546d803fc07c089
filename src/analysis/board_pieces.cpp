#include "analysis/board_pieces.h"

#include <algorithm>
#include <span>
#include <tuple>
#include <unordered_map>

#include "geometry/box_clusters.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

__extension__ typedef __int128 Wide;

void Append(GeoPaths& to, const GeoPaths& paths) {
  to.insert(to.end(), paths.begin(), paths.end());
}

uint64_t Mix(uint64_t hash, int64_t value) {
  hash ^= static_cast<uint64_t>(value) + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
  return hash * 0xBF58476D1CE4E5B9ull;
}

GeoPoint Plus(GeoPoint a, GeoPoint b) { return {a.x + b.x, a.y + b.y}; }
GeoPoint Minus(GeoPoint a, GeoPoint b) { return {a.x - b.x, a.y - b.y}; }

// Contours as seen from `origin`: the same for every copy.
template <typename Rings>
uint64_t PrintOf(const Rings& rings, GeoPoint origin) {
  uint64_t hash = Mix(0x9E3779B97F4A7C15ull, static_cast<int64_t>(rings.size()));
  for (const auto& ring : rings) {
    hash = Mix(hash, static_cast<int64_t>(ring.size()));
    for (const GeoPoint& p : ring) hash = Mix(Mix(hash, p.x - origin.x), p.y - origin.y);
  }
  return hash;
}

GeoBox BoxOfShape(const GeoPaths& shape, GeoPoint at) { return BoxOf(shape).Moved(at); }

int64_t Along(GeoPoint p, bool alongX) { return alongX ? p.x : p.y; }

// Where a..b crosses the line (x or y = c), the other coordinate rounded
// half away from zero. a and b lie on either side of the line.
GeoPoint Crossing(GeoPoint a, GeoPoint b, bool alongX, int64_t c) {
  const int64_t a0 = Along(a, alongX);
  const int64_t b0 = Along(b, alongX);
  const int64_t a1 = alongX ? a.y : a.x;
  const int64_t b1 = alongX ? b.y : b.x;
  const Wide num = Wide{c - a0} * Wide{b1 - a1};
  const Wide den = b0 - a0;
  Wide q = num / den;
  const Wide r = num % den;
  // Round the quotient to the nearest: |2r| >= |den| moves it one step away from zero.
  if ((r < 0 ? -r : r) * 2 >= (den < 0 ? -den : den)) q += ((num < 0) != (den < 0)) ? -1 : 1;
  const int64_t other = a1 + static_cast<int64_t>(q);
  return alongX ? GeoPoint{c, other} : GeoPoint{other, c};
}

// The part of a closed path on one side of the line: at or below c when
// `low`, at or above it otherwise. Every point inside keeps the winding it
// had; the path may run along the line, which fills nothing.
GeoPath ClipPath(const GeoPath& path, bool alongX, int64_t c, bool low) {
  const auto inside = [&](GeoPoint p) {
    return low ? Along(p, alongX) <= c : Along(p, alongX) >= c;
  };
  GeoPath out;
  const auto add = [&](GeoPoint p) {
    if (out.empty() || !(out.back() == p)) out.push_back(p);
  };
  const std::size_t n = path.size();
  for (std::size_t i = 0; i < n; ++i) {
    const GeoPoint& prev = path[i == 0 ? n - 1 : i - 1];
    const GeoPoint& cur = path[i];
    const bool curIn = inside(cur);
    // A point on the line is its own crossing; add() keeps it once.
    if (curIn != inside(prev)) add(Crossing(prev, cur, alongX, c));
    if (curIn) add(cur);
  }
  while (out.size() > 1 && out.front() == out.back()) out.pop_back();
  if (out.size() < 3 || SignedArea(out) == 0.0) out.clear();
  return out;
}

std::size_t PointsOf(const GeoPaths& paths) {
  std::size_t count = 0;
  for (const GeoPath& path : paths) count += path.size();
  return count;
}

// Cuts `shape` (as it lies, unmoved) into tiles while it holds too many points.
void Split(GeoPaths shape, const GeoBox& b, std::size_t maxPoints, int depth, bool cut,
           std::vector<std::shared_ptr<const GeoPaths>>& out) {
  const int64_t width = b.maxX - b.minX;
  const int64_t height = b.maxY - b.minY;
  if (PointsOf(shape) <= maxPoints || depth == 0 || std::max(width, height) < 2) {
    // A clipped path runs along the cut where the piece went beyond it;
    // the booleans take such runs badly, so each tile is made clean once.
    if (cut) shape = UnionOf(shape);
    if (!shape.empty()) out.push_back(std::make_shared<const GeoPaths>(std::move(shape)));
    return;
  }
  const bool alongX = width >= height;
  const int64_t c = alongX ? b.minX + width / 2 : b.minY + height / 2;
  for (const bool low : {true, false}) {
    GeoPaths half;
    for (const GeoPath& path : shape) {
      GeoPath kept = ClipPath(path, alongX, c, low);
      if (!kept.empty()) half.push_back(std::move(kept));
    }
    if (half.empty()) continue;
    const GeoBox box = BoxOf(half);
    Split(std::move(half), box, maxPoints, depth - 1, true, out);
  }
}

// Pieces that may overlap, joined by one union for each group of
// overlapping boxes; a piece alone in its group stays as it is.
BoardPieces Joined(BoardPieces pieces, unsigned threads) {
  std::vector<GeoBox> boxes;
  boxes.reserve(pieces.size());
  for (const BoardPiece& piece : pieces) boxes.push_back(piece.box);
  const std::vector<std::vector<uint32_t>> groups = ClusterBoxes(boxes);
  BoardPieces joined(groups.size());
  ParallelFor(groups.size(), threads, [&](std::size_t g) {
    const std::vector<uint32_t>& group = groups[g];
    if (group.size() == 1) {
      joined[g] = std::move(pieces[group.front()]);
      return;
    }
    GeoPaths all;
    for (const uint32_t i : group) Append(all, pieces[i].Paths());
    GeoPaths united = UnionOf(all);
    if (!united.empty())
      joined[g] = BoardPiece::Of(std::make_shared<const GeoPaths>(std::move(united)));
  });
  std::erase_if(joined, [](const BoardPiece& piece) { return piece.shape == nullptr; });
  return joined;
}

bool SameRings(const LayerGeometry& g, const GeoIsland& a, const GeoIsland& b) {
  if (a.ringCount != b.ringCount) return false;
  const int64_t dx = b.box.minX - a.box.minX;
  const int64_t dy = b.box.minY - a.box.minY;
  for (uint32_t r = 0; r < a.ringCount; ++r) {
    const std::span<const GeoPoint> ra = g.Ring(a.firstRing + r);
    const std::span<const GeoPoint> rb = g.Ring(b.firstRing + r);
    if (ra.size() != rb.size()) return false;
    for (std::size_t i = 0; i < ra.size(); ++i) {
      if (ra[i].x + dx != rb[i].x || ra[i].y + dy != rb[i].y) return false;
    }
  }
  return true;
}

// One layer's islands, each copy of an island sharing the first one's shape,
// kept as seen from its box's corner.
void AddIslands(const LayerGeometry& g, unsigned threads, BoardPieces& pieces) {
  const std::size_t count = g.islands.size();
  std::vector<uint64_t> prints(count);
  ParallelFor(count, threads, [&](std::size_t i) {
    const GeoIsland& island = g.islands[i];
    std::vector<std::span<const GeoPoint>> rings;
    for (uint32_t r = 0; r < island.ringCount; ++r) rings.push_back(g.Ring(island.firstRing + r));
    prints[i] = PrintOf(rings, {island.box.minX, island.box.minY});
  });
  std::unordered_map<uint64_t, std::vector<uint32_t>> firsts;
  std::vector<std::shared_ptr<const GeoPaths>> shapes(count);
  for (uint32_t i = 0; i < count; ++i) {
    const GeoIsland& island = g.islands[i];
    const GeoPoint corner{island.box.minX, island.box.minY};
    std::vector<uint32_t>& same = firsts[prints[i]];
    for (const uint32_t j : same) {
      if (SameRings(g, g.islands[j], island)) {
        shapes[i] = shapes[j];
        break;
      }
    }
    if (shapes[i] == nullptr) {
      GeoPaths shape = g.IslandPaths(i);
      for (GeoPath& path : shape) {
        for (GeoPoint& p : path) p = Minus(p, corner);
      }
      shapes[i] = std::make_shared<const GeoPaths>(std::move(shape));
      same.push_back(i);
    }
    pieces.push_back({shapes[i], corner, island.box, prints[i]});
  }
}

}  // namespace

BoardPiece BoardPiece::Of(std::shared_ptr<const GeoPaths> shape, GeoPoint at) {
  BoardPiece piece;
  piece.box = BoxOfShape(*shape, at);
  piece.print = PrintOf(*shape, Minus({piece.box.minX, piece.box.minY}, at));
  piece.shape = std::move(shape);
  piece.at = at;
  return piece;
}

GeoPaths BoardPiece::Paths() const {
  GeoPaths paths = *shape;
  if (at.x != 0 || at.y != 0) {
    for (GeoPath& path : paths) {
      for (GeoPoint& p : path) p = Plus(p, at);
    }
  }
  return paths;
}

std::size_t BoardPiece::PointCount() const { return PointsOf(*shape); }

bool SameShape(const BoardPiece& a, const BoardPiece& b) {
  const GeoPoint d{b.box.minX - a.box.minX, b.box.minY - a.box.minY};
  if (a.box.Moved(d) != b.box || a.print != b.print) return false;
  const GeoPoint shift = Minus(Plus(a.at, d), b.at);  // a's shape onto b's
  if (a.shape == b.shape) return shift.x == 0 && shift.y == 0;
  const GeoPaths& sa = *a.shape;
  const GeoPaths& sb = *b.shape;
  if (sa.size() != sb.size()) return false;
  for (std::size_t k = 0; k < sa.size(); ++k) {
    if (sa[k].size() != sb[k].size()) return false;
    for (std::size_t i = 0; i < sa[k].size(); ++i) {
      if (!(Plus(sa[k][i], shift) == sb[k][i])) return false;
    }
  }
  return true;
}

BoardPieces TiledPieces(BoardPieces pieces, std::size_t maxPoints) {
  maxPoints = std::max<std::size_t>(maxPoints, 3);
  // The tiles of each shape, made once for all its copies, as they lie
  // unmoved: a copy's tiles are those moved as far as it is.
  std::unordered_map<const GeoPaths*, BoardPieces> tilesOf;
  BoardPieces tiled;
  tiled.reserve(pieces.size());
  for (BoardPiece& piece : pieces) {
    if (piece.PointCount() <= maxPoints) {
      tiled.push_back(std::move(piece));
      continue;
    }
    auto [found, added] = tilesOf.try_emplace(piece.shape.get());
    if (added) {
      std::vector<std::shared_ptr<const GeoPaths>> tiles;
      Split(*piece.shape, BoxOf(*piece.shape), maxPoints, 40, false, tiles);
      for (std::shared_ptr<const GeoPaths>& tile : tiles) {
        found->second.push_back(BoardPiece::Of(std::move(tile)));
      }
    }
    for (const BoardPiece& tile : found->second) {
      tiled.push_back({tile.shape, Plus(tile.at, piece.at), tile.box.Moved(piece.at), tile.print});
    }
  }
  return tiled;
}

BoardPieces PiecesOf(const std::vector<const LayerGeometry*>& layers, unsigned threads) {
  BoardPieces pieces;
  std::size_t given = 0;
  for (const LayerGeometry* geometry : layers) {
    if (geometry == nullptr) continue;
    AddIslands(*geometry, threads, pieces);
    ++given;
  }
  // One layer's islands never overlap; several layers' may.
  return given > 1 ? Joined(std::move(pieces), threads) : pieces;
}

BoardPieces JoinedPieces(const BoardPieces& a, const BoardPieces& b, unsigned threads) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  BoardPieces all = a;
  all.insert(all.end(), b.begin(), b.end());
  return Joined(std::move(all), threads);
}

std::vector<PlacedPaths> PlacedOf(BoardPieces pieces) {
  std::vector<PlacedPaths> placed;
  placed.reserve(pieces.size());
  for (BoardPiece& piece : pieces) placed.push_back({std::move(piece.shape), piece.at, piece.box});
  return placed;
}

PieceSet::PieceSet(const BoardPieces& pieces)
    : pieces_(pieces), tree_([&] {
        std::vector<GeoBox> boxes;
        boxes.reserve(pieces.size());
        for (const BoardPiece& piece : pieces) boxes.push_back(piece.box);
        return BoxTree(boxes);
      }()) {}

RegionEdges::RegionEdges(GeoPaths region) : region_(std::move(region)) {
  std::vector<GeoBox> boxes;
  for (const GeoPath& path : region_) {
    if (path.size() < 3) continue;
    for (std::size_t k = 0; k < path.size(); ++k) {
      const GeoPoint a = path[k];
      const GeoPoint b = path[k + 1 == path.size() ? 0 : k + 1];
      edges_.push_back({a, b});
      GeoBox box;
      box.Add(a);
      box.Add(b);
      boxes.push_back(box);
      maxX_ = std::max({maxX_, a.x, b.x});
    }
  }
  tree_ = BoxTree(boxes);
}

int RegionEdges::WindingAt(GeoPoint p) const {
  // Only edges that reach the ray from `p` to the right can cross it.
  GeoBox ray;
  ray.Add(p);
  ray.Add(GeoPoint{std::max(maxX_, p.x), p.y});
  int winding = 0;
  for (const uint32_t i : tree_.Overlapping(ray)) {
    const Edge& e = edges_[i];
    const Wide cross =
        Wide{e.b.x - e.a.x} * Wide{p.y - e.a.y} - Wide{e.b.y - e.a.y} * Wide{p.x - e.a.x};
    if (e.a.y <= p.y) {
      if (e.b.y > p.y && cross > 0) ++winding;
    } else if (e.b.y <= p.y && cross < 0) {
      --winding;
    }
  }
  return winding;
}

BoxPlace RegionEdges::Locate(const GeoBox& box) const {
  if (box.Empty()) return BoxPlace::kOutside;
  if (tree_.AnyOverlapping(box)) return BoxPlace::kAcross;
  // No edge comes into the box: all of it lies on one side of every contour.
  return WindingAt({box.minX, box.minY}) != 0 ? BoxPlace::kInside : BoxPlace::kOutside;
}

namespace {

// What lies near one piece, as seen from its box's corner: the region's
// place, and the pieces of each set near it, each by its shape and where it
// lies from the corner, in that order.
struct Surroundings {
  BoxPlace place = BoxPlace::kInside;
  struct Near {
    int64_t dx = 0;
    int64_t dy = 0;
    uint64_t shape = 0;
    uint32_t piece = 0;
    friend bool operator<(const Near& a, const Near& b) {
      return std::tie(a.dx, a.dy, a.shape, a.piece) < std::tie(b.dx, b.dy, b.shape, b.piece);
    }
  };
  std::vector<Near> within;
  std::vector<Near> less;
  uint64_t key = 0;
};

std::vector<Surroundings::Near> NearOf(const PieceSet* set, const GeoBox& box) {
  std::vector<Surroundings::Near> near;
  if (set == nullptr) return near;
  for (const uint32_t i : set->Near(box)) {
    const GeoBox& b = set->Piece(i).box;
    near.push_back({b.minX - box.minX, b.minY - box.minY, set->Piece(i).print, i});
  }
  std::sort(near.begin(), near.end());
  return near;
}

uint64_t KeyOf(uint64_t shape, const Surroundings& s) {
  uint64_t key = Mix(shape, static_cast<int64_t>(s.place));
  for (const auto* list : {&s.within, &s.less}) {
    key = Mix(key, static_cast<int64_t>(list->size()));
    for (const Surroundings::Near& n : *list)
      key = Mix(Mix(Mix(key, n.dx), n.dy), static_cast<int64_t>(n.shape));
  }
  return key;
}

bool SameNear(const PieceSet* set, const std::vector<Surroundings::Near>& a,
              const std::vector<Surroundings::Near>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].dx != b[k].dx || a[k].dy != b[k].dy || a[k].shape != b[k].shape) return false;
    if (!SameShape(set->Piece(a[k].piece), set->Piece(b[k].piece))) return false;
  }
  return true;
}

// The paths of the pieces of `near`, in the set's order.
GeoPaths PathsNear(const PieceSet& set, std::vector<Surroundings::Near> near) {
  std::sort(near.begin(), near.end(), [](const Surroundings::Near& a, const Surroundings::Near& b) {
    return a.piece < b.piece;
  });
  GeoPaths paths;
  for (const Surroundings::Near& n : near) Append(paths, set.Piece(n.piece).Paths());
  return paths;
}

BoardPiece ClipOne(const BoardPiece& piece, const Surroundings& s, const PieceClip& clip) {
  if (s.place == BoxPlace::kOutside) return {};
  if (clip.within != nullptr && s.within.empty()) return {};
  GeoPaths paths = piece.Paths();
  if (s.place == BoxPlace::kAcross) paths = IntersectionOf(paths, clip.region->Region());
  if (clip.within != nullptr) paths = IntersectionOf(paths, PathsNear(*clip.within, s.within));
  if (!s.less.empty()) paths = DifferenceOf(paths, PathsNear(*clip.less, s.less));
  if (paths.empty()) return {};
  return BoardPiece::Of(std::make_shared<const GeoPaths>(std::move(paths)));
}

}  // namespace

BoardPieces ClipPieces(BoardPieces pieces, const PieceClip& clip, unsigned threads) {
  const std::size_t count = pieces.size();
  std::vector<Surroundings> around(count);
  // Pieces inside the board with nothing near them stay as they are.
  std::vector<uint8_t> asIs(count, 0);
  ParallelFor(count, threads, [&](std::size_t i) {
    const BoardPiece& piece = pieces[i];
    Surroundings& s = around[i];
    if (clip.region != nullptr) s.place = clip.region->Locate(piece.box);
    if (s.place == BoxPlace::kOutside) return;
    s.within = NearOf(clip.within, piece.box);
    s.less = NearOf(clip.less, piece.box);
    asIs[i] = s.place == BoxPlace::kInside && clip.within == nullptr && s.less.empty();
    if (!asIs[i]) s.key = KeyOf(piece.print, s);
  });
  // Each piece's original: the first piece with the same shape and the same
  // surroundings; across the board's edge every piece is its own.
  std::vector<uint32_t> original(count);
  std::unordered_map<uint64_t, std::vector<uint32_t>> originals;
  for (uint32_t i = 0; i < count; ++i) {
    original[i] = i;
    const Surroundings& s = around[i];
    if (s.place != BoxPlace::kInside || asIs[i]) continue;
    std::vector<uint32_t>& same = originals[s.key];
    for (const uint32_t j : same) {
      if (SameShape(pieces[j], pieces[i]) && SameNear(clip.within, around[j].within, s.within) &&
          SameNear(clip.less, around[j].less, s.less)) {
        original[i] = j;
        break;
      }
    }
    if (original[i] == i) same.push_back(i);
  }
  BoardPieces kept(count);
  std::vector<uint32_t> firsts;
  for (uint32_t i = 0; i < count; ++i) {
    if (original[i] == i && !asIs[i]) firsts.push_back(i);
  }
  ParallelFor(firsts.size(), threads, [&](std::size_t k) {
    kept[firsts[k]] = ClipOne(pieces[firsts[k]], around[firsts[k]], clip);
  });
  ParallelFor(count, threads, [&](std::size_t i) {
    const uint32_t j = original[i];
    if (asIs[i]) {
      kept[i] = std::move(pieces[i]);
    } else if (j != i && kept[j].shape != nullptr) {
      // The original's result, shared, moved as far as this copy lies from it.
      const GeoPoint by{pieces[i].box.minX - pieces[j].box.minX,
                        pieces[i].box.minY - pieces[j].box.minY};
      kept[i] = kept[j];
      kept[i].at = Plus(kept[j].at, by);
      kept[i].box = kept[j].box.Moved(by);
    }
  });
  std::erase_if(kept, [](const BoardPiece& piece) { return piece.shape == nullptr; });
  return kept;
}

std::vector<PlacedPaths> RegionLess(const RegionEdges& region, const BoardPieces& pieces) {
  GeoPaths across;
  std::vector<const BoardPiece*> inside;
  for (const BoardPiece& piece : pieces) {
    switch (region.Locate(piece.box)) {
      case BoxPlace::kAcross:
        Append(across, piece.Paths());
        break;
      case BoxPlace::kInside:
        inside.push_back(&piece);
        break;
      case BoxPlace::kOutside:
        break;
    }
  }
  // The boolean also gives the region's contours their orientation, which
  // the turned-round pieces rely on: covered once inside, not at all outside.
  GeoPaths left = DifferenceOf(region.Region(), across);
  if (left.empty()) return {};
  std::vector<PlacedPaths> placed;
  placed.reserve(inside.size() + 1);
  const GeoBox box = BoxOf(left);
  placed.push_back({std::make_shared<const GeoPaths>(std::move(left)), {}, box});
  std::unordered_map<const GeoPaths*, std::shared_ptr<const GeoPaths>> turned;
  for (const BoardPiece* piece : inside) {
    std::shared_ptr<const GeoPaths>& hole = turned[piece->shape.get()];
    if (hole == nullptr) {
      GeoPaths round;
      for (const GeoPath& path : *piece->shape) round.emplace_back(path.rbegin(), path.rend());
      hole = std::make_shared<const GeoPaths>(std::move(round));
    }
    placed.push_back({hole, piece->at, piece->box});
  }
  return placed;
}

}  // namespace corvane
