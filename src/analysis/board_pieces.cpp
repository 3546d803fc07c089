#include "analysis/board_pieces.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "geometry/box_clusters.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

__extension__ typedef __int128 Wide;

void Append(GeoPaths& to, const GeoPaths& paths) { to.insert(to.end(), paths.begin(), paths.end()); }

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
    for (const uint32_t i : group) Append(all, pieces[i].paths);
    joined[g].paths = UnionOf(all);
    joined[g].box = BoxOf(joined[g].paths);
  });
  std::erase_if(joined, [](const BoardPiece& piece) { return piece.paths.empty(); });
  return joined;
}

uint64_t Mix(uint64_t hash, int64_t value) {
  hash ^= static_cast<uint64_t>(value) + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
  return hash * 0xBF58476D1CE4E5B9ull;
}

void AddIslands(const LayerGeometry& geometry, BoardPieces& pieces) {
  for (uint32_t i = 0; i < geometry.islands.size(); ++i) {
    pieces.push_back({geometry.IslandPaths(i), geometry.islands[i].box});
  }
}

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

void Split(BoardPiece piece, std::size_t maxPoints, int depth, bool cut, BoardPieces& out) {
  const GeoBox& b = piece.box;
  const int64_t width = b.maxX - b.minX;
  const int64_t height = b.maxY - b.minY;
  if (PointsOf(piece.paths) <= maxPoints || depth == 0 || std::max(width, height) < 2) {
    if (cut) {
      // A clipped path runs along the cut where the piece went beyond it;
      // the booleans take such runs badly, so each tile is made clean once.
      piece.paths = UnionOf(piece.paths);
      if (piece.paths.empty()) return;
      piece.box = BoxOf(piece.paths);
    }
    out.push_back(std::move(piece));
    return;
  }
  const bool alongX = width >= height;
  const int64_t c = alongX ? b.minX + width / 2 : b.minY + height / 2;
  for (const bool low : {true, false}) {
    BoardPiece half;
    for (const GeoPath& path : piece.paths) {
      GeoPath kept = ClipPath(path, alongX, c, low);
      if (!kept.empty()) half.paths.push_back(std::move(kept));
    }
    if (half.paths.empty()) continue;
    half.box = BoxOf(half.paths);
    Split(std::move(half), maxPoints, depth - 1, true, out);
  }
}

}  // namespace

BoardPieces TiledPieces(BoardPieces pieces, std::size_t maxPoints) {
  BoardPieces tiled;
  tiled.reserve(pieces.size());
  for (BoardPiece& piece : pieces) {
    Split(std::move(piece), std::max<std::size_t>(maxPoints, 3), 40, false, tiled);
  }
  return tiled;
}

BoardPieces PiecesOf(const std::vector<const LayerGeometry*>& layers, unsigned threads) {
  BoardPieces pieces;
  std::size_t given = 0;
  for (const LayerGeometry* geometry : layers) {
    if (geometry == nullptr) continue;
    AddIslands(*geometry, pieces);
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

GeoPaths PathsOf(BoardPieces pieces) {
  GeoPaths paths;
  std::size_t count = 0;
  for (const BoardPiece& piece : pieces) count += piece.paths.size();
  paths.reserve(count);
  for (BoardPiece& piece : pieces) {
    for (GeoPath& path : piece.paths) paths.push_back(std::move(path));
  }
  return paths;
}

uint64_t ShapeOf(const BoardPiece& piece) {
  uint64_t hash = Mix(0x9E3779B97F4A7C15ull, static_cast<int64_t>(piece.paths.size()));
  for (const GeoPath& path : piece.paths) {
    hash = Mix(hash, static_cast<int64_t>(path.size()));
    for (const GeoPoint& p : path) hash = Mix(Mix(hash, p.x - piece.box.minX), p.y - piece.box.minY);
  }
  return hash;
}

bool SameShape(const BoardPiece& a, const BoardPiece& b) {
  if (a.paths.size() != b.paths.size()) return false;
  const int64_t dx = b.box.minX - a.box.minX;
  const int64_t dy = b.box.minY - a.box.minY;
  if (a.box.Moved({dx, dy}) != b.box) return false;
  for (std::size_t k = 0; k < a.paths.size(); ++k) {
    const GeoPath& pa = a.paths[k];
    const GeoPath& pb = b.paths[k];
    if (pa.size() != pb.size()) return false;
    for (std::size_t i = 0; i < pa.size(); ++i) {
      if (pa[i].x + dx != pb[i].x || pa[i].y + dy != pb[i].y) return false;
    }
  }
  return true;
}

PieceSet::PieceSet(const BoardPieces& pieces, unsigned threads)
    : pieces_(pieces), shapes_(pieces.size()), tree_([&] {
        std::vector<GeoBox> boxes;
        boxes.reserve(pieces.size());
        for (const BoardPiece& piece : pieces) boxes.push_back(piece.box);
        return BoxTree(boxes);
      }()) {
  ParallelFor(pieces.size(), threads, [&](std::size_t i) { shapes_[i] = ShapeOf(pieces[i]); });
}

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
    near.push_back({b.minX - box.minX, b.minY - box.minY, set->Shape(i), i});
  }
  std::sort(near.begin(), near.end());
  return near;
}

uint64_t KeyOf(uint64_t shape, const Surroundings& s) {
  uint64_t key = Mix(shape, static_cast<int64_t>(s.place));
  for (const auto* list : {&s.within, &s.less}) {
    key = Mix(key, static_cast<int64_t>(list->size()));
    for (const Surroundings::Near& n : *list) key = Mix(Mix(Mix(key, n.dx), n.dy), static_cast<int64_t>(n.shape));
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
  std::sort(near.begin(), near.end(),
            [](const Surroundings::Near& a, const Surroundings::Near& b) { return a.piece < b.piece; });
  GeoPaths paths;
  for (const Surroundings::Near& n : near) Append(paths, set.Piece(n.piece).paths);
  return paths;
}

BoardPiece ClipOne(const BoardPiece& piece, const Surroundings& s, const PieceClip& clip) {
  if (s.place == BoxPlace::kOutside) return {};
  if (clip.within != nullptr && s.within.empty()) return {};
  GeoPaths paths;
  const GeoPaths* now = &piece.paths;
  if (s.place == BoxPlace::kAcross) {
    paths = IntersectionOf(*now, clip.region->Region());
    now = &paths;
  }
  if (clip.within != nullptr) {
    paths = IntersectionOf(*now, PathsNear(*clip.within, s.within));
    now = &paths;
  }
  if (!s.less.empty()) {
    paths = DifferenceOf(*now, PathsNear(*clip.less, s.less));
    now = &paths;
  }
  if (now == &piece.paths) return piece;
  BoardPiece kept;
  kept.box = BoxOf(paths);
  kept.paths = std::move(paths);
  return kept;
}

BoardPiece Moved(const BoardPiece& piece, GeoPoint by) {
  BoardPiece moved{piece.paths, piece.box.Moved(by)};
  for (GeoPath& path : moved.paths) {
    for (GeoPoint& p : path) p = {p.x + by.x, p.y + by.y};
  }
  return moved;
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
    if (!asIs[i]) s.key = KeyOf(ShapeOf(piece), s);
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
  ParallelFor(firsts.size(), threads,
              [&](std::size_t k) { kept[firsts[k]] = ClipOne(pieces[firsts[k]], around[firsts[k]], clip); });
  ParallelFor(count, threads, [&](std::size_t i) {
    const uint32_t j = original[i];
    if (asIs[i]) {
      kept[i] = std::move(pieces[i]);
    } else if (j != i && !kept[j].paths.empty()) {
      kept[i] = Moved(kept[j], {pieces[i].box.minX - pieces[j].box.minX,
                                pieces[i].box.minY - pieces[j].box.minY});
    }
  });
  std::erase_if(kept, [](const BoardPiece& piece) { return piece.paths.empty(); });
  return kept;
}

GeoPaths RegionLess(const RegionEdges& region, const BoardPieces& pieces) {
  GeoPaths across;
  std::vector<const BoardPiece*> inside;
  for (const BoardPiece& piece : pieces) {
    switch (region.Locate(piece.box)) {
      case BoxPlace::kAcross:
        Append(across, piece.paths);
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
  if (left.empty()) return left;
  for (const BoardPiece* piece : inside) {
    for (const GeoPath& path : piece->paths) left.emplace_back(path.rbegin(), path.rend());
  }
  return left;
}

}  // namespace corvane
