#include "geometry/tile_stitch.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

__extension__ typedef __int128 Wide;

constexpr uint32_t kNoRing = UINT32_MAX;

struct Edge {
  GeoPoint from;
  GeoPoint to;
  uint32_t piece = 0;
  uint32_t ring = kNoRing;  // the tile's ring it came from whole; none for a line's remainder
};

// An edge along a cut line: [lo, hi] on the line, +1 when it runs towards hi.
struct LineEdge {
  bool vertical = false;
  int64_t at = 0;  // the line: x = at when vertical, else y = at
  int64_t lo = 0;
  int64_t hi = 0;
  int sign = 0;
  uint32_t piece = 0;
};

class DisjointSets {
 public:
  explicit DisjointSets(std::size_t n) : parent_(n) {
    std::iota(parent_.begin(), parent_.end(), 0u);
  }
  uint32_t Find(uint32_t i) {
    while (parent_[i] != i) {
      parent_[i] = parent_[parent_[i]];
      i = parent_[i];
    }
    return i;
  }
  void Join(uint32_t a, uint32_t b) {
    a = Find(a);
    b = Find(b);
    if (a < b) std::swap(a, b);
    parent_[a] = b;
  }

 private:
  std::vector<uint32_t> parent_;
};

GeoPoint OnLine(const LineEdge& line, int64_t t) {
  return line.vertical ? GeoPoint{line.at, t} : GeoPoint{t, line.at};
}

// The edges of one line: where runs of both directions overlap they cancel
// and join their pieces; the rest is kept, in the direction that remains.
void ResolveLine(const LineEdge* first, const LineEdge* last, DisjointSets& sets,
                 std::vector<Edge>& out) {
  struct Event {
    int64_t t;
    bool start;
    uint32_t edge;
  };
  std::vector<Event> events;
  for (const LineEdge* e = first; e != last; ++e) {
    const uint32_t index = static_cast<uint32_t>(e - first);
    events.push_back({e->lo, true, index});
    events.push_back({e->hi, false, index});
  }
  std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.t, a.start, a.edge) < std::tie(b.t, b.start, b.edge);
  });
  std::vector<uint32_t> active;
  int64_t from = 0;
  for (std::size_t i = 0; i < events.size();) {
    const int64_t t = events[i].t;
    if (!active.empty() && t > from) {
      int balance = 0;
      uint32_t up = UINT32_MAX;
      uint32_t down = UINT32_MAX;
      for (const uint32_t a : active) {
        balance += first[a].sign;
        (first[a].sign > 0 ? up : down) = a;
      }
      if (up != UINT32_MAX && down != UINT32_MAX) {
        for (const uint32_t a : active) sets.Join(first[a].piece, first[active.front()].piece);
      }
      const LineEdge& line = first[active.front()];
      for (int k = 0; k < std::abs(balance); ++k) {
        const uint32_t piece = first[balance > 0 ? up : down].piece;
        if (balance > 0) {
          out.push_back({OnLine(line, from), OnLine(line, t), piece, kNoRing});
        } else {
          out.push_back({OnLine(line, t), OnLine(line, from), piece, kNoRing});
        }
      }
    }
    for (; i < events.size() && events[i].t == t; ++i) {
      if (events[i].start) {
        active.push_back(events[i].edge);
      } else {
        active.erase(std::find(active.begin(), active.end(), events[i].edge));
      }
    }
    from = t;
  }
}

bool Straight(GeoPoint a, GeoPoint b, GeoPoint c) {
  return Wide{b.x - a.x} * Wide{c.y - b.y} - Wide{b.y - a.y} * Wide{c.x - b.x} == 0;
}

// Drops points where the contour runs straight on (or turns straight back).
void DropStraightPoints(GeoPath& ring) {
  GeoPath kept;
  kept.reserve(ring.size());
  for (const GeoPoint& p : ring) {
    while (kept.size() >= 2 && Straight(kept[kept.size() - 2], kept.back(), p)) kept.pop_back();
    kept.push_back(p);
  }
  // Where the end meets the start.
  std::size_t begin = 0;
  bool changed = true;
  while (changed && kept.size() - begin >= 3) {
    changed = false;
    const std::size_t n = kept.size();
    if (Straight(kept[n - 2], kept[n - 1], kept[begin])) {
      kept.pop_back();
      changed = true;
    } else if (Straight(kept[n - 1], kept[begin], kept[begin + 1])) {
      ++begin;
      changed = true;
    }
  }
  ring.assign(kept.begin() + static_cast<std::ptrdiff_t>(begin), kept.end());
}

bool Before(const GeoPoint& a, const GeoPoint& b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); }

// Chains the edges into rings, each with the piece of its first edge; false
// when an edge leads nowhere.
bool Chain(const std::vector<Edge>& edges, std::vector<std::pair<GeoPath, uint32_t>>& rings) {
  std::vector<uint32_t> byStart(edges.size());
  std::iota(byStart.begin(), byStart.end(), 0u);
  std::sort(byStart.begin(), byStart.end(), [&](uint32_t a, uint32_t b) {
    if (!(edges[a].from == edges[b].from)) return Before(edges[a].from, edges[b].from);
    return a < b;
  });
  std::vector<uint8_t> used(edges.size(), 0);
  const auto next = [&](const Edge& at) -> uint32_t {
    auto it = std::lower_bound(byStart.begin(), byStart.end(), at.to, [&](uint32_t e, GeoPoint p) {
      return Before(edges[e].from, p);
    });
    uint32_t any = UINT32_MAX;
    for (; it != byStart.end() && edges[*it].from == at.to; ++it) {
      if (used[*it]) continue;
      if (at.ring != kNoRing && edges[*it].ring == at.ring) return *it;
      if (any == UINT32_MAX) any = *it;
    }
    return any;
  };
  for (uint32_t s = 0; s < edges.size(); ++s) {
    if (used[s]) continue;
    GeoPath ring;
    uint32_t e = s;
    while (true) {
      used[e] = 1;
      ring.push_back(edges[e].from);
      const uint32_t n = next(edges[e]);
      const bool home = edges[e].to == edges[s].from;
      if (home && (n == UINT32_MAX || edges[e].ring == kNoRing || edges[n].ring != edges[e].ring ||
                   edges[s].ring == edges[e].ring)) {
        break;
      }
      if (n == UINT32_MAX) return false;
      e = n;
    }
    DropStraightPoints(ring);
    if (ring.size() >= 3) rings.emplace_back(std::move(ring), edges[s].piece);
  }
  return true;
}

}  // namespace

StitchResult StitchTiles(std::vector<StitchIsland> pieces, std::vector<int64_t> cutX,
                         std::vector<int64_t> cutY) {
  std::sort(cutX.begin(), cutX.end());
  std::sort(cutY.begin(), cutY.end());
  const auto onCutX = [&](int64_t x) { return std::binary_search(cutX.begin(), cutX.end(), x); };
  const auto onCutY = [&](int64_t y) { return std::binary_search(cutY.begin(), cutY.end(), y); };
  // Rings with no edge along a cut pass as they are; the others become edges.
  std::vector<std::pair<GeoPath, uint32_t>> rings;
  std::vector<Edge> edges;
  std::vector<LineEdge> lines;
  uint32_t ringId = 0;
  for (uint32_t p = 0; p < pieces.size(); ++p) {
    for (GeoPath& ring : pieces[p].rings) {
      const std::size_t n = ring.size();
      bool alongCut = false;
      for (std::size_t i = 0; i < n && !alongCut; ++i) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[i + 1 == n ? 0 : i + 1];
        alongCut = (a.x == b.x && onCutX(a.x)) || (a.y == b.y && onCutY(a.y));
      }
      if (!alongCut) {
        if (n >= 3) rings.emplace_back(std::move(ring), p);
        continue;
      }
      for (std::size_t i = 0; i < n; ++i) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[i + 1 == n ? 0 : i + 1];
        if (a == b) continue;
        if (a.x == b.x && onCutX(a.x)) {
          lines.push_back({true, a.x, std::min(a.y, b.y), std::max(a.y, b.y), b.y > a.y ? 1 : -1, p});
        } else if (a.y == b.y && onCutY(a.y)) {
          lines.push_back({false, a.y, std::min(a.x, b.x), std::max(a.x, b.x), b.x > a.x ? 1 : -1, p});
        } else {
          edges.push_back({a, b, p, ringId});
        }
      }
      ++ringId;
    }
  }
  DisjointSets sets(pieces.size());
  std::sort(lines.begin(), lines.end(), [](const LineEdge& a, const LineEdge& b) {
    return std::tie(a.vertical, a.at, a.lo) < std::tie(b.vertical, b.at, b.lo);
  });
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t j = i;
    while (j < lines.size() && lines[j].vertical == lines[i].vertical && lines[j].at == lines[i].at)
      ++j;
    ResolveLine(lines.data() + i, lines.data() + j, sets, edges);
    i = j;
  }
  StitchResult result;
  if (!Chain(edges, rings)) {
    result.closed = false;
    return result;
  }
  // Rings by island: the outer contours, then each hole to its own.
  std::vector<uint32_t> islandOf(pieces.size(), UINT32_MAX);
  std::vector<std::vector<uint32_t>> holesOf;
  std::vector<std::vector<uint32_t>> outersOf;
  for (uint32_t r = 0; r < rings.size(); ++r) {
    const uint32_t root = sets.Find(rings[r].second);
    if (islandOf[root] == UINT32_MAX) {
      islandOf[root] = static_cast<uint32_t>(outersOf.size());
      outersOf.emplace_back();
      holesOf.emplace_back();
    }
    (SignedArea(rings[r].first) > 0 ? outersOf : holesOf)[islandOf[root]].push_back(r);
  }
  std::vector<uint32_t> firstIsland(outersOf.size());
  for (std::size_t g = 0; g < outersOf.size(); ++g) {
    if (outersOf[g].empty()) {
      result.closed = false;
      return result;
    }
    const std::size_t first = result.islands.size();
    firstIsland[g] = static_cast<uint32_t>(first);
    for (const uint32_t r : outersOf[g]) result.islands.push_back({{std::move(rings[r].first)}});
    for (const uint32_t r : holesOf[g]) {
      std::size_t owner = first;
      for (std::size_t k = first; k < result.islands.size() && outersOf[g].size() > 1; ++k) {
        if (LocatePoint(rings[r].first.front(), result.islands[k].rings.front()) ==
            PointPlace::kInside) {
          owner = k;
          break;
        }
      }
      result.islands[owner].rings.push_back(std::move(rings[r].first));
    }
  }
  // A group of pieces with more than one outer contour (joined only through
  // a point) gives each piece the first of them.
  result.islandOfPiece.resize(pieces.size(), UINT32_MAX);
  for (uint32_t p = 0; p < pieces.size(); ++p) {
    const uint32_t group = islandOf[sets.Find(p)];
    if (group != UINT32_MAX) result.islandOfPiece[p] = firstIsland[group];
  }
  return result;
}

}  // namespace corvane
