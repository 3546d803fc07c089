#include "geometry/layer_geometry_builder.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <utility>

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include "geometry/box_clusters.h"
#include "geometry/clipper_paths.h"
#include "geometry/parallel_tasks.h"
#include "geometry/polygon_ops.h"
#include "geometry/tile_stitch.h"

namespace corvane {
namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using IndexPoint = bg::model::point<int64_t, 2, bg::cs::cartesian>;
using IndexBox = bg::model::box<IndexPoint>;
using BoxEntry = std::pair<IndexBox, uint32_t>;
using BoxTree = bgi::rtree<BoxEntry, bgi::quadratic<16>>;

// Objects in one part of a split cluster: small enough that the booleans'
// sweep stays short.
constexpr std::size_t kPartObjects = 192;
// From this many clear objects in a cluster a tree finds those over an object.
constexpr std::size_t kClearTreeFrom = 24;
// Members whose centres lie in one tile of a cluster built in tiles, at most.
constexpr std::size_t kTileObjects = 192;

IndexBox ToIndex(const GeoBox& box) {
  return {IndexPoint(box.minX, box.minY), IndexPoint(box.maxX, box.maxY)};
}

struct LocalIsland {
  GeoPaths rings;  // the outer contour first
  GeoBox box;
  double area = 0.0;
};

// A point inside a surviving piece of a member's object: it locates the
// island the piece went into.
struct Mark {
  uint32_t member = 0;
  GeoPoint at;
};

struct Part {
  std::vector<LocalIsland> islands;
  std::vector<Mark> marks;
};

struct Cluster {
  std::vector<uint32_t> members;  // objects, in file order
  GeoPoint anchor;                // the corner the cluster is computed about
  std::vector<uint32_t> clears;   // members that are clear, in order
  std::unique_ptr<BoxTree> clearTree;
};

struct ClusterResult {
  GeoPoint anchor;
  std::vector<LocalIsland> islands;
  std::vector<std::pair<uint32_t, uint32_t>> memberIslands;  // (member, island)
};

void AddIslands(const ClipperLib::PolyNode& outer, std::vector<LocalIsland>& out) {
  const std::size_t at = out.size();
  out.emplace_back();
  out[at].rings.push_back(FromClipper(outer.Contour));
  out[at].box = BoxOf(out[at].rings.front());
  for (const ClipperLib::PolyNode* hole : outer.Childs) {
    out[at].rings.push_back(FromClipper(hole->Contour));
  }
  for (const GeoPath& ring : out[at].rings) out[at].area += SignedArea(ring);
  // Islands inside the holes are islands of their own.
  for (const ClipperLib::PolyNode* hole : outer.Childs) {
    for (const ClipperLib::PolyNode* inner : hole->Childs) AddIslands(*inner, out);
  }
}

// The union of `subject` as islands; false when the library gave up.
bool UnionIslands(const ClipperLib::Paths& subject, std::vector<LocalIsland>& out) {
  if (subject.empty()) return true;
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    ClipperLib::PolyTree tree;
    if (!clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero,
                         ClipperLib::pftNonZero)) {
      return false;
    }
    for (const ClipperLib::PolyNode* outer : tree.Childs) AddIslands(*outer, out);
    return true;
  } catch (...) {
    return false;
  }
}

// The union of `subject` within `rect` as islands; false when the library gave up.
bool ClipIslands(const ClipperLib::Paths& subject, const GeoBox& rect,
                 std::vector<LocalIsland>& out) {
  if (subject.empty()) return true;
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    const ClipperLib::Path frame{{rect.minX, rect.minY},
                                 {rect.maxX, rect.minY},
                                 {rect.maxX, rect.maxY},
                                 {rect.minX, rect.maxY}};
    clipper.AddPath(frame, ClipperLib::ptClip, true);
    ClipperLib::PolyTree tree;
    if (!clipper.Execute(ClipperLib::ctIntersection, tree, ClipperLib::pftNonZero,
                         ClipperLib::pftNonZero)) {
      return false;
    }
    for (const ClipperLib::PolyNode* outer : tree.Childs) AddIslands(*outer, out);
    return true;
  } catch (...) {
    return false;
  }
}

GeoPoint InteriorPoint(const GeoPath& outer, const GeoPaths& piece) {
  const std::size_t n = outer.size();
  __extension__ typedef __int128 Wide;
  Wide sx = 0;
  Wide sy = 0;
  for (const GeoPoint& p : outer) {
    sx += p.x;
    sy += p.y;
  }
  const GeoPoint centre{static_cast<int64_t>(sx / static_cast<Wide>(n)),
                        static_cast<int64_t>(sy / static_cast<Wide>(n))};
  if (LocatePoint(centre, piece) == PointPlace::kInside) return centre;
  for (std::size_t i = 0; i < n && i < 64; ++i) {
    const GeoPoint& a = outer[i];
    const GeoPoint& b = outer[(i + 1) % n];
    const GeoPoint& c = outer[(i + 2) % n];
    const GeoPoint p{static_cast<int64_t>((Wide{a.x} + b.x + c.x) / 3),
                     static_cast<int64_t>((Wide{a.y} + b.y + c.y) / 3)};
    if (LocatePoint(p, piece) == PointPlace::kInside) return p;
  }
  return outer.front();
}

void AddMarks(uint32_t member, const GeoPaths& piece, std::vector<Mark>& marks) {
  for (const GeoPath& path : piece) {
    if (path.size() >= 3 && SignedArea(path) > 0)
      marks.push_back({member, InteriorPoint(path, piece)});
  }
}

uint64_t Mix(uint64_t hash, int64_t value) {
  uint64_t z =
      hash ^ (static_cast<uint64_t>(value) + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2));
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

class Builder {
 public:
  Builder(const StandardLayer& layer, const GeometryBuildOptions& options)
      : layer_(layer),
        options_(options),
        flattener_(layer, options.flatten),
        threads_(ThreadCount(options.threads)) {}

  LayerGeometry Fast();
  LayerGeometry Whole();

 private:
  bool Stopped() const {
    return stop_.load() || (options_.cancel != nullptr && options_.cancel->load());
  }
  void StopAtBound() {
    bound_ = true;
    stop_ = true;
  }
  void Content(const Cluster& cluster, std::vector<int64_t>& out) const;
  uint64_t Digest(const Cluster& cluster) const;
  std::vector<uint32_t> Prototypes(const std::vector<Cluster>& clusters) const;
  void PrepareClears(Cluster& cluster) const;
  void LaterClears(const Cluster& cluster, uint32_t member, GeoPaths& clips) const;
  void Piece(const Cluster& cluster, uint32_t member, GeoPaths& polygons, GeoPaths& scratch);
  Part Leaf(const Cluster& cluster, const uint32_t* members, std::size_t count);
  Part Join(Part a, Part b);
  ClusterResult Compute(const Cluster& cluster, bool parallel);
  bool Tiled(const Cluster& cluster, bool parallel, ClusterResult& result);
  static void Locate(ClusterResult& result, const std::vector<Mark>& marks);
  LayerGeometry Assemble(const std::vector<Cluster>& clusters,
                         const std::vector<uint32_t>& prototypeOf,
                         const std::vector<ClusterResult>& results);
  LayerGeometry Unfinished() const;

  const StandardLayer& layer_;
  const GeometryBuildOptions& options_;
  ObjectFlattener flattener_;
  unsigned threads_;
  std::vector<GeoBox> boxes_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> bound_{false};
  std::atomic<bool> clamped_{false};
  std::atomic<uint64_t> vertices_{0};
};

void Builder::Content(const Cluster& cluster, std::vector<int64_t>& out) const {
  const StandardGeometry& g = layer_.geometry;
  bool clamped = false;
  const auto relative = [&](double x, double y) {
    const GeoPoint p = ToNanometres(x, y, clamped);
    out.push_back(p.x - cluster.anchor.x);
    out.push_back(p.y - cluster.anchor.y);
  };
  for (const uint32_t index : cluster.members) {
    const StandardObject& object = g.objects[index];
    out.push_back(static_cast<int64_t>(object.kind) | static_cast<int64_t>(object.polarity) << 8);
    relative(object.x0, object.y0);
    relative(object.x1, object.y1);
    if (object.kind == StandardKind::kFlash || object.kind == StandardKind::kLine) {
      out.push_back(object.ref);
    } else if (object.kind == StandardKind::kArc && object.ref < g.arcs.size()) {
      const StandardArc& arc = g.arcs[object.ref];
      int64_t sweep = 0;
      std::memcpy(&sweep, &arc.sweep, sizeof sweep);
      out.push_back(arc.shape);
      out.push_back(sweep);
      relative(arc.cx, arc.cy);
    } else if (object.kind == StandardKind::kRegion && object.ref < g.regions.size()) {
      const StandardRegion& region = g.regions[object.ref];
      out.push_back(region.contourCount);
      for (uint64_t c = region.firstContour;
           c < uint64_t{region.firstContour} + region.contourCount && c < g.contours.size(); ++c) {
        const StandardContour& contour = g.contours[c];
        out.push_back(contour.pointCount);
        const uint64_t end =
            std::min<uint64_t>(uint64_t{contour.firstPoint} + contour.pointCount, g.points.size());
        for (uint64_t k = contour.firstPoint; k < end; ++k) relative(g.points[k].x, g.points[k].y);
      }
    }
  }
}

// A hash of what most distinguishes a cluster (each member's kind, ends and
// aperture, each region contour's size), without every region point: equal
// content gives an equal digest, and equal digests are then compared in full.
uint64_t Builder::Digest(const Cluster& cluster) const {
  const StandardGeometry& g = layer_.geometry;
  bool clamped = false;
  uint64_t hash = cluster.members.size();
  const auto relative = [&](double x, double y) {
    const GeoPoint p = ToNanometres(x, y, clamped);
    hash = Mix(hash, p.x - cluster.anchor.x);
    hash = Mix(hash, p.y - cluster.anchor.y);
  };
  for (const uint32_t index : cluster.members) {
    const StandardObject& object = g.objects[index];
    hash = Mix(hash, static_cast<int64_t>(object.kind) | static_cast<int64_t>(object.polarity) << 8);
    // For a flash or a line the aperture; other kinds refer to their own records.
    if (object.kind == StandardKind::kFlash || object.kind == StandardKind::kLine)
      hash = Mix(hash, object.ref);
    relative(object.x0, object.y0);
    relative(object.x1, object.y1);
    if (object.kind == StandardKind::kRegion && object.ref < g.regions.size()) {
      const StandardRegion& region = g.regions[object.ref];
      for (uint64_t c = region.firstContour;
           c < uint64_t{region.firstContour} + region.contourCount && c < g.contours.size(); ++c) {
        hash = Mix(hash, g.contours[c].pointCount);
      }
    }
  }
  return hash;
}

// For each cluster the first one with the same content (itself when none
// comes before it). Digests are made on all threads; a cluster whose digest
// came before is compared in full with each earlier cluster of that digest that leads
// its own content, in order, so the answer does not depend on the threads.
std::vector<uint32_t> Builder::Prototypes(const std::vector<Cluster>& clusters) const {
  const std::size_t count = clusters.size();
  std::vector<uint64_t> hashes(count);
  ParallelFor(count, threads_, [&](std::size_t c) { hashes[c] = Digest(clusters[c]); });
  std::unordered_map<uint64_t, std::vector<uint32_t>> byHash;
  std::vector<uint32_t> earlier(count, UINT32_MAX);  // first earlier cluster of the same hash
  for (uint32_t c = 0; c < count; ++c) {
    std::vector<uint32_t>& same = byHash[hashes[c]];
    if (!same.empty()) earlier[c] = same.front();
    same.push_back(c);
  }
  // The first cluster of each hash keeps its content to be compared with.
  std::vector<std::vector<int64_t>> kept(count);
  std::vector<uint32_t> firsts;
  for (uint32_t c = 0; c < count; ++c) {
    if (earlier[c] == UINT32_MAX && byHash[hashes[c]].size() > 1) firsts.push_back(c);
  }
  ParallelFor(firsts.size(), threads_,
              [&](std::size_t k) { Content(clusters[firsts[k]], kept[firsts[k]]); });
  std::vector<uint32_t> prototypeOf(count);
  std::vector<uint8_t> unresolved(count, 0);
  ParallelFor(count, threads_, [&](std::size_t c) {
    prototypeOf[c] = static_cast<uint32_t>(c);
    if (earlier[c] == UINT32_MAX) return;
    std::vector<int64_t> mine;
    Content(clusters[c], mine);
    if (mine == kept[earlier[c]]) {
      prototypeOf[c] = earlier[c];
    } else {
      unresolved[c] = 1;  // a digest shared by different content: rare
    }
  });
  // Different content under one hash: compared with every earlier leader.
  std::vector<int64_t> mine;
  std::vector<int64_t> theirs;
  for (uint32_t c = 0; c < count; ++c) {
    if (!unresolved[c]) continue;
    mine.clear();
    Content(clusters[c], mine);
    for (const uint32_t p : byHash[hashes[c]]) {
      if (p >= c) break;
      if (prototypeOf[p] != p || p == earlier[c]) continue;
      theirs.clear();
      Content(clusters[p], theirs);
      if (theirs == mine) {
        prototypeOf[c] = p;
        break;
      }
    }
  }
  return prototypeOf;
}

void Builder::PrepareClears(Cluster& cluster) const {
  const std::vector<StandardObject>& objects = layer_.geometry.objects;
  for (uint32_t m = 0; m < cluster.members.size(); ++m) {
    if (objects[cluster.members[m]].polarity == StandardPolarity::kClear)
      cluster.clears.push_back(m);
  }
  if (cluster.clears.size() < kClearTreeFrom) return;
  std::vector<BoxEntry> entries;
  entries.reserve(cluster.clears.size());
  for (const uint32_t m : cluster.clears)
    entries.emplace_back(ToIndex(boxes_[cluster.members[m]]), m);
  cluster.clearTree = std::make_unique<BoxTree>(entries.begin(), entries.end());
}

void Builder::LaterClears(const Cluster& cluster, uint32_t member, GeoPaths& clips) const {
  clips.clear();
  if (cluster.clears.empty() || cluster.clears.back() < member) return;
  const GeoBox& box = boxes_[cluster.members[member]];
  bool clamped = false;
  const auto add = [&](uint32_t m) {
    if (m > member && boxes_[cluster.members[m]].Overlaps(box)) {
      flattener_.Flatten(cluster.members[m], cluster.anchor, clips, clamped);
    }
  };
  if (cluster.clearTree == nullptr) {
    for (const uint32_t m : cluster.clears) add(m);
    return;
  }
  std::vector<BoxEntry> found;
  cluster.clearTree->query(bgi::intersects(ToIndex(box)), std::back_inserter(found));
  std::sort(found.begin(), found.end(),
            [](const BoxEntry& a, const BoxEntry& b) { return a.second < b.second; });
  for (const BoxEntry& entry : found) add(entry.second);
}

// What survives of a dark member: its polygons less the clear objects after it.
void Builder::Piece(const Cluster& cluster, uint32_t member, GeoPaths& polygons,
                    GeoPaths& scratch) {
  polygons.clear();
  bool clamped = false;
  flattener_.Flatten(cluster.members[member], cluster.anchor, polygons, clamped);
  if (clamped) clamped_ = true;
  if (polygons.empty()) return;
  LaterClears(cluster, member, scratch);
  if (!scratch.empty()) polygons = DifferenceOf(polygons, scratch);
}

Part Builder::Leaf(const Cluster& cluster, const uint32_t* members, std::size_t count) {
  Part part;
  if (Stopped()) return part;
  const std::vector<StandardObject>& objects = layer_.geometry.objects;
  ClipperLib::Paths subject;
  GeoPaths piece;
  GeoPaths scratch;
  uint64_t vertices = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const uint32_t member = members[i];
    if (objects[cluster.members[member]].polarity == StandardPolarity::kClear) continue;
    Piece(cluster, member, piece, scratch);
    for (const GeoPath& path : piece) {
      vertices += path.size();
      if (path.size() >= 3) subject.push_back(ToClipper(path));
    }
    AddMarks(member, piece, part.marks);
    if (vertices > options_.maxVertices) {
      StopAtBound();
      return {};
    }
  }
  if (!UnionIslands(subject, part.islands)) StopAtBound();
  return part;
}

// Two parts of a cluster: only the islands that reach into the other part's
// box can change.
Part Builder::Join(Part a, Part b) {
  if (Stopped()) return {};
  GeoBox boxA;
  GeoBox boxB;
  for (const LocalIsland& island : a.islands) boxA.Add(island.box);
  for (const LocalIsland& island : b.islands) boxB.Add(island.box);
  Part joined;
  ClipperLib::Paths subject;
  const auto take = [&](std::vector<LocalIsland>& islands, const GeoBox& other) {
    for (LocalIsland& island : islands) {
      if (!island.box.Overlaps(other)) {
        joined.islands.push_back(std::move(island));
        continue;
      }
      for (const GeoPath& ring : island.rings) subject.push_back(ToClipper(ring));
    }
  };
  take(a.islands, boxB);
  take(b.islands, boxA);
  if (!subject.empty() && !UnionIslands(subject, joined.islands)) StopAtBound();
  joined.marks = std::move(a.marks);
  joined.marks.insert(joined.marks.end(), b.marks.begin(), b.marks.end());
  return joined;
}

void Builder::Locate(ClusterResult& result, const std::vector<Mark>& marks) {
  const std::vector<LocalIsland>& islands = result.islands;
  if (islands.empty()) return;
  if (islands.size() == 1) {
    for (const Mark& mark : marks) result.memberIslands.emplace_back(mark.member, 0);
    return;
  }
  std::vector<BoxEntry> entries;
  entries.reserve(islands.size());
  for (uint32_t i = 0; i < islands.size(); ++i) entries.emplace_back(ToIndex(islands[i].box), i);
  const BoxTree tree(entries.begin(), entries.end());
  std::vector<BoxEntry> found;
  for (const Mark& mark : marks) {
    found.clear();
    const IndexPoint at(mark.at.x, mark.at.y);
    tree.query(bgi::intersects(at), std::back_inserter(found));
    if (found.empty()) tree.query(bgi::nearest(at, 1), std::back_inserter(found));
    // The point lies in one of them: try the small ones, and the largest is
    // what is left.
    std::sort(found.begin(), found.end(), [&](const BoxEntry& x, const BoxEntry& y) {
      const std::size_t sx = islands[x.second].rings.front().size();
      const std::size_t sy = islands[y.second].rings.front().size();
      return sx != sy ? sx < sy : x.second < y.second;
    });
    uint32_t island = found.back().second;
    for (std::size_t k = 0; k + 1 < found.size(); ++k) {
      if (LocatePoint(mark.at, islands[found[k].second].rings) != PointPlace::kOutside) {
        island = found[k].second;
        break;
      }
    }
    result.memberIslands.emplace_back(mark.member, island);
  }
}

struct SplitNode {
  uint32_t begin = 0;
  uint32_t end = 0;
  int32_t left = -1;
  int32_t right = -1;
  uint32_t depth = 0;
};

ClusterResult Builder::Compute(const Cluster& cluster, bool parallel) {
  // Members split in halves across the longer side of their centres' box.
  std::vector<uint32_t> order(cluster.members.size());
  for (uint32_t m = 0; m < order.size(); ++m) order[m] = m;
  std::vector<SplitNode> nodes;
  const auto centre = [&](uint32_t m, bool alongX) {
    const GeoBox& box = boxes_[cluster.members[m]];
    return alongX ? box.minX / 2 + box.maxX / 2 : box.minY / 2 + box.maxY / 2;
  };
  const auto split = [&](auto&& self, uint32_t begin, uint32_t end, uint32_t depth) -> int32_t {
    const int32_t index = static_cast<int32_t>(nodes.size());
    nodes.push_back({begin, end, -1, -1, depth});
    if (end - begin <= kPartObjects) return index;
    GeoBox spread;
    for (uint32_t i = begin; i < end; ++i) {
      spread.Add(GeoPoint{centre(order[i], true), centre(order[i], false)});
    }
    const bool alongX = spread.maxX - spread.minX >= spread.maxY - spread.minY;
    const uint32_t middle = begin + (end - begin) / 2;
    std::nth_element(order.begin() + begin, order.begin() + middle, order.begin() + end,
                     [&](uint32_t a, uint32_t b) {
                       const int64_t ca = centre(a, alongX);
                       const int64_t cb = centre(b, alongX);
                       return ca != cb ? ca < cb : a < b;
                     });
    const int32_t left = self(self, begin, middle, depth + 1);
    const int32_t right = self(self, middle, end, depth + 1);
    nodes[static_cast<std::size_t>(index)].left = left;
    nodes[static_cast<std::size_t>(index)].right = right;
    return index;
  };
  split(split, 0, static_cast<uint32_t>(order.size()), 0);

  std::vector<Part> parts(nodes.size());
  std::vector<std::size_t> leaves;
  uint32_t deepest = 0;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].left < 0) leaves.push_back(i);
    deepest = std::max(deepest, nodes[i].depth);
  }
  const unsigned threads = parallel ? threads_ : 1;
  ParallelFor(leaves.size(), threads, [&](std::size_t k) {
    const SplitNode& node = nodes[leaves[k]];
    parts[leaves[k]] = Leaf(cluster, order.data() + node.begin, node.end - node.begin);
  });
  for (uint32_t depth = deepest + 1; depth-- > 0;) {
    std::vector<std::size_t> joins;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].depth == depth && nodes[i].left >= 0) joins.push_back(i);
    }
    ParallelFor(joins.size(), threads, [&](std::size_t k) {
      const SplitNode& node = nodes[joins[k]];
      parts[joins[k]] = Join(std::move(parts[static_cast<std::size_t>(node.left)]),
                             std::move(parts[static_cast<std::size_t>(node.right)]));
    });
  }
  ClusterResult result;
  result.anchor = cluster.anchor;
  result.islands = std::move(parts.front().islands);
  Locate(result, parts.front().marks);
  return result;
}

struct Tile {
  GeoBox rect;  // closed; about the cluster's corner
  std::vector<uint32_t> members;  // dark members that reach the tile
  uint32_t begin = 0;             // members whose centres lie in the tile, in
  uint32_t end = 0;               // the split's order: their marks are made here
};

// For each mark the piece (numbered over all tiles in order) that holds it,
// looked for in the tiles whose rectangles hold the mark; none when no piece
// does.
std::vector<uint32_t> LocateInTiles(const std::vector<Tile>& tiles,
                                    const std::vector<std::vector<LocalIsland>>& tileIslands,
                                    const std::vector<Mark>& marks, unsigned threads) {
  std::vector<uint32_t> firstPiece(tiles.size() + 1, 0);
  std::vector<BoxEntry> entries;
  for (uint32_t t = 0; t < tiles.size(); ++t) {
    firstPiece[t + 1] = firstPiece[t] + static_cast<uint32_t>(tileIslands[t].size());
    entries.emplace_back(ToIndex(tiles[t].rect), t);
  }
  const BoxTree tree(entries.begin(), entries.end());
  std::vector<uint32_t> pieces(marks.size(), UINT32_MAX);
  constexpr std::size_t kChunk = 256;
  ParallelFor((marks.size() + kChunk - 1) / kChunk, threads, [&](std::size_t chunk) {
    std::vector<BoxEntry> found;
    for (std::size_t k = chunk * kChunk; k < marks.size() && k < (chunk + 1) * kChunk; ++k) {
      const GeoPoint at = marks[k].at;
      found.clear();
      tree.query(bgi::intersects(IndexPoint(at.x, at.y)), std::back_inserter(found));
      std::sort(found.begin(), found.end(),
                [](const BoxEntry& a, const BoxEntry& b) { return a.second < b.second; });
      for (const BoxEntry& entry : found) {
        const std::vector<LocalIsland>& islands = tileIslands[entry.second];
        for (uint32_t i = 0; i < islands.size() && pieces[k] == UINT32_MAX; ++i) {
          if (islands[i].box.Contains(at) &&
              LocatePoint(at, islands[i].rings) != PointPlace::kOutside) {
            pieces[k] = firstPiece[entry.second] + i;
          }
        }
        if (pieces[k] != UINT32_MAX) break;
      }
    }
  });
  return pieces;
}

// The cluster in tiles: split in halves across the longer side while a tile
// holds the centres of many members, each tile the union of the members that
// reach it clipped to its rectangle, the tiles stitched into islands. False
// when the stitch did not close; the caller then builds the cluster by joins.
bool Builder::Tiled(const Cluster& cluster, bool parallel, ClusterResult& result) {
  const unsigned threads = parallel ? threads_ : 1;
  const std::size_t count = cluster.members.size();
  std::vector<GeoBox> boxes(count);
  GeoBox all;
  for (std::size_t m = 0; m < count; ++m) {
    boxes[m] = boxes_[cluster.members[m]].Moved({-cluster.anchor.x, -cluster.anchor.y});
    all.Add(boxes[m]);
  }
  std::vector<Tile> tiles;
  std::vector<int64_t> cutX;
  std::vector<int64_t> cutY;
  std::vector<uint32_t> order(count);
  for (uint32_t m = 0; m < count; ++m) order[m] = m;
  const auto centre = [&](uint32_t m, bool alongX) {
    const GeoBox& box = boxes[m];
    return alongX ? box.minX / 2 + box.maxX / 2 : box.minY / 2 + box.maxY / 2;
  };
  const auto split = [&](auto&& self, GeoBox rect, uint32_t begin, uint32_t end) -> void {
    const bool alongX = rect.maxX - rect.minX >= rect.maxY - rect.minY;
    if (end - begin > kTileObjects) {
      const uint32_t middle = begin + (end - begin) / 2;
      std::nth_element(order.begin() + begin, order.begin() + middle, order.begin() + end,
                       [&](uint32_t a, uint32_t b) {
                         const int64_t ca = centre(a, alongX);
                         const int64_t cb = centre(b, alongX);
                         return ca != cb ? ca < cb : a < b;
                       });
      const int64_t cut = centre(order[middle], alongX);
      const int64_t low = alongX ? rect.minX : rect.minY;
      const int64_t high = alongX ? rect.maxX : rect.maxY;
      if (cut > low && cut < high) {
        GeoBox first = rect;
        GeoBox second = rect;
        (alongX ? first.maxX : first.maxY) = cut;
        (alongX ? second.minX : second.minY) = cut;
        (alongX ? cutX : cutY).push_back(cut);
        self(self, first, begin, middle);
        self(self, second, middle, end);
        return;
      }
    }
    tiles.push_back({rect, {}, begin, end});
  };
  split(split, all.Grown(1), 0, static_cast<uint32_t>(count));
  if (tiles.size() < 2) return false;
  {
    std::vector<BoxEntry> entries;
    entries.reserve(count);
    for (uint32_t m = 0; m < count; ++m) {
      if (layer_.geometry.objects[cluster.members[m]].polarity != StandardPolarity::kClear)
        entries.emplace_back(ToIndex(boxes[m]), m);
    }
    const BoxTree tree(entries.begin(), entries.end());
    std::vector<BoxEntry> found;
    for (Tile& tile : tiles) {
      found.clear();
      tree.query(bgi::intersects(ToIndex(tile.rect)), std::back_inserter(found));
      for (const BoxEntry& entry : found) tile.members.push_back(entry.second);
      std::sort(tile.members.begin(), tile.members.end());
    }
  }
  // What survives of each member is made in every tile it reaches, so that
  // a tile holds only its own polygons; its marks only in its own tile.
  std::vector<std::vector<Mark>> tileMarks(tiles.size());
  std::vector<std::vector<LocalIsland>> tileIslands(tiles.size());
  ParallelFor(tiles.size(), threads, [&](std::size_t t) {
    if (Stopped()) return;
    const Tile& tile = tiles[t];
    std::vector<uint8_t> mine(tile.members.size(), 0);
    for (std::size_t k = 0; k < tile.members.size(); ++k) {
      const uint32_t m = tile.members[k];
      mine[k] = std::find(order.begin() + tile.begin, order.begin() + tile.end, m) !=
                order.begin() + tile.end;
    }
    ClipperLib::Paths subject;
    GeoPaths piece;
    GeoPaths scratch;
    uint64_t vertices = 0;
    for (std::size_t k = 0; k < tile.members.size(); ++k) {
      Piece(cluster, tile.members[k], piece, scratch);
      if (mine[k]) AddMarks(tile.members[k], piece, tileMarks[t]);
      for (const GeoPath& path : piece) {
        vertices += path.size();
        if (path.size() >= 3) subject.push_back(ToClipper(path));
      }
      if (vertices > options_.maxVertices) {
        StopAtBound();
        return;
      }
    }
    if (!ClipIslands(subject, tile.rect, tileIslands[t])) StopAtBound();
  });
  if (Stopped()) return true;
  std::vector<Mark> marks;
  for (const std::vector<Mark>& part : tileMarks) marks.insert(marks.end(), part.begin(), part.end());
  std::vector<uint32_t> markPieces = LocateInTiles(tiles, tileIslands, marks, threads);
  std::vector<StitchIsland> parts;
  for (std::vector<LocalIsland>& islands : tileIslands) {
    for (LocalIsland& island : islands) parts.push_back({std::move(island.rings)});
  }
  StitchResult stitched = StitchTiles(std::move(parts), std::move(cutX), std::move(cutY));
  if (!stitched.closed) return false;
  result.anchor = cluster.anchor;
  result.islands.clear();
  for (StitchIsland& island : stitched.islands) {
    LocalIsland& local = result.islands.emplace_back();
    local.rings = std::move(island.rings);
    local.box = BoxOf(local.rings.front());
    for (const GeoPath& ring : local.rings) local.area += SignedArea(ring);
  }
  // Each mark goes where its tile's piece went; one no piece held is looked for.
  std::vector<Mark> unplaced;
  for (std::size_t k = 0; k < marks.size(); ++k) {
    const uint32_t piece = markPieces[k];
    if (piece == UINT32_MAX || stitched.islandOfPiece[piece] == UINT32_MAX) {
      unplaced.push_back(marks[k]);
    } else {
      result.memberIslands.emplace_back(marks[k].member, stitched.islandOfPiece[piece]);
    }
  }
  Locate(result, unplaced);
  return true;
}

LayerGeometry Builder::Unfinished() const {
  LayerGeometry geometry;
  geometry.objectCount = layer_.geometry.objects.size();
  geometry.objectIslandStart.assign(geometry.objectCount + 1, 0);
  geometry.tolerance = flattener_.Tolerance();
  if (bound_) geometry.flags |= kGeometryBoundReached;
  if (!bound_) geometry.flags |= kGeometryCancelled;
  if (clamped_) geometry.flags |= kGeometryClamped;
  return geometry;
}

LayerGeometry Builder::Fast() {
  const std::size_t count = layer_.geometry.objects.size();
  boxes_.resize(count);
  constexpr std::size_t kChunk = 1 << 16;
  ParallelFor((count + kChunk - 1) / kChunk, threads_, [&](std::size_t chunk) {
    bool clamped = false;
    for (std::size_t i = chunk * kChunk; i < count && i < (chunk + 1) * kChunk; ++i) {
      boxes_[i] = flattener_.Box(i, clamped);
    }
    if (clamped) clamped_ = true;
  });
  std::vector<Cluster> clusters;
  for (std::vector<uint32_t>& members : ClusterBoxes(boxes_)) {
    Cluster& cluster = clusters.emplace_back();
    GeoBox box;
    for (const uint32_t m : members) box.Add(boxes_[m]);
    cluster.anchor = {box.minX, box.minY};
    cluster.members = std::move(members);
  }
  // Clusters that repeat another are made once.
  const std::vector<uint32_t> prototypeOf = Prototypes(clusters);
  std::vector<uint32_t> copies(clusters.size(), 0);
  for (uint32_t c = 0; c < clusters.size(); ++c) ++copies[prototypeOf[c]];
  std::vector<uint32_t> small;
  std::vector<uint32_t> large;
  for (uint32_t c = 0; c < clusters.size(); ++c) {
    if (prototypeOf[c] != c) continue;
    PrepareClears(clusters[c]);
    (clusters[c].members.size() > 4 * kPartObjects ? large : small).push_back(c);
  }
  std::vector<ClusterResult> results(clusters.size());
  const auto tally = [&](uint32_t c) {
    uint64_t vertices = 0;
    for (const LocalIsland& island : results[c].islands) {
      for (const GeoPath& ring : island.rings) vertices += ring.size();
    }
    if ((vertices_ += vertices * copies[c]) > options_.maxVertices) StopAtBound();
  };
  const auto compute = [&](uint32_t c, bool parallel) {
    if (clusters[c].members.size() <= kTileObjects || !Tiled(clusters[c], parallel, results[c])) {
      results[c] = Compute(clusters[c], parallel);
    }
    tally(c);
  };
  ParallelFor(small.size(), threads_, [&](std::size_t k) {
    if (!Stopped()) compute(small[k], false);
  });
  for (const uint32_t c : large) {
    if (Stopped()) break;
    compute(c, true);
  }
  if (Stopped()) return Unfinished();
  return Assemble(clusters, prototypeOf, results);
}

LayerGeometry Builder::Assemble(const std::vector<Cluster>& clusters,
                                const std::vector<uint32_t>& prototypeOf,
                                const std::vector<ClusterResult>& results) {
  LayerGeometry g;
  g.objectCount = layer_.geometry.objects.size();
  g.tolerance = flattener_.Tolerance();
  if (clamped_) g.flags |= kGeometryClamped;
  // Where each cluster's islands, rings and points begin: the clusters are
  // then placed on all threads at once.
  struct Start {
    std::size_t island = 0;
    std::size_t ring = 0;
    std::size_t point = 0;
  };
  std::vector<Start> starts(clusters.size() + 1);
  for (std::size_t c = 0; c < clusters.size(); ++c) {
    Start next = starts[c];
    for (const LocalIsland& local : results[prototypeOf[c]].islands) {
      ++next.island;
      next.ring += local.rings.size();
      for (const GeoPath& ring : local.rings) next.point += ring.size();
    }
    starts[c + 1] = next;
  }
  g.islands.resize(starts.back().island);
  g.rings.resize(starts.back().ring);
  g.points.resize(starts.back().point);
  ParallelFor(clusters.size(), threads_, [&](std::size_t c) {
    // Made about the prototype's corner: each copy is placed at its own.
    const GeoPoint delta = clusters[c].anchor;
    Start at = starts[c];
    for (const LocalIsland& local : results[prototypeOf[c]].islands) {
      GeoIsland& island = g.islands[at.island++];
      island.firstRing = static_cast<uint32_t>(at.ring);
      island.ringCount = static_cast<uint32_t>(local.rings.size());
      island.box = local.box.Moved(delta);
      island.area = local.area;
      for (const GeoPath& ring : local.rings) {
        g.rings[at.ring++] = {static_cast<uint32_t>(at.point), static_cast<uint32_t>(ring.size())};
        for (const GeoPoint& p : ring) g.points[at.point++] = {p.x + delta.x, p.y + delta.y};
      }
    }
  });
  for (const GeoIsland& island : g.islands) {
    g.darkArea += island.area;
    g.holeCount += island.ringCount - 1;
    g.extents.Add(island.box);
  }
  // Objects and islands both ways, each list in increasing order.
  g.objectIslandStart.assign(g.objectCount + 1, 0);
  for (std::size_t c = 0; c < clusters.size(); ++c) {
    for (const auto& pair : results[prototypeOf[c]].memberIslands) {
      ++g.objectIslandStart[clusters[c].members[pair.first] + 1];
    }
  }
  for (std::size_t i = 0; i < g.objectCount; ++i)
    g.objectIslandStart[i + 1] += g.objectIslandStart[i];
  g.objectIslands.resize(g.objectIslandStart.back());
  {
    std::vector<uint32_t> fill(g.objectIslandStart.begin(), g.objectIslandStart.end() - 1);
    for (std::size_t c = 0; c < clusters.size(); ++c) {
      const uint32_t first = static_cast<uint32_t>(starts[c].island);
      for (const auto& [member, island] : results[prototypeOf[c]].memberIslands) {
        g.objectIslands[fill[clusters[c].members[member]]++] = first + island;
      }
    }
  }
  // Sorted and without repeats (an object marked twice in one island).
  uint32_t kept = 0;
  for (std::size_t i = 0; i < g.objectCount; ++i) {
    const auto begin = g.objectIslands.begin() + g.objectIslandStart[i];
    const auto end = g.objectIslands.begin() + g.objectIslandStart[i + 1];
    std::sort(begin, end);
    const uint32_t from = kept;
    for (auto it = begin; it != end; ++it) {
      if (kept == from || g.objectIslands[kept - 1] != *it) g.objectIslands[kept++] = *it;
    }
    g.objectIslandStart[i] = from;
  }
  g.objectIslandStart[g.objectCount] = kept;
  g.objectIslands.resize(kept);
  for (const uint32_t island : g.objectIslands) ++g.islands[island].objectCount;
  uint32_t start = 0;
  for (GeoIsland& island : g.islands) {
    island.firstObject = start;
    start += island.objectCount;
  }
  std::vector<uint32_t> fill(g.islands.size(), 0);
  g.islandObjects.resize(kept);
  for (uint32_t object = 0; object < g.objectCount; ++object) {
    for (uint32_t k = g.objectIslandStart[object]; k < g.objectIslandStart[object + 1]; ++k) {
      const uint32_t island = g.objectIslands[k];
      g.islandObjects[g.islands[island].firstObject + fill[island]++] = object;
    }
  }
  return g;
}

// The reference: the layer laid down object by object in one boolean pass.
LayerGeometry Builder::Whole() {
  const std::size_t count = layer_.geometry.objects.size();
  boxes_.resize(count);
  Cluster all;
  bool clamped = false;
  for (uint32_t i = 0; i < count; ++i) {
    boxes_[i] = flattener_.Box(i, clamped);
    if (!boxes_[i].Empty()) all.members.push_back(i);
  }
  if (clamped) clamped_ = true;
  PrepareClears(all);
  ClusterResult result;
  ClipperLib::Paths done;
  ClipperLib::Paths pending;
  ClipperLib::Paths clips;
  const auto flush = [&] {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(done, ClipperLib::ptSubject, true);
    clipper.AddPaths(pending, ClipperLib::ptSubject, true);
    clipper.AddPaths(clips, ClipperLib::ptClip, true);
    ClipperLib::Paths next;
    clipper.Execute(clips.empty() ? ClipperLib::ctUnion : ClipperLib::ctDifference, next,
                    ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    done.swap(next);
    pending.clear();
    clips.clear();
  };
  std::vector<Mark> marks;
  GeoPaths polygons;
  GeoPaths scratch;
  try {
    for (uint32_t m = 0; m < all.members.size(); ++m) {
      polygons.clear();
      bool clamped = false;
      flattener_.Flatten(all.members[m], all.anchor, polygons, clamped);
      if (clamped) clamped_ = true;
      const bool clear =
          layer_.geometry.objects[all.members[m]].polarity == StandardPolarity::kClear;
      if (!clear && !clips.empty()) flush();
      for (const GeoPath& path : polygons) (clear ? clips : pending).push_back(ToClipper(path));
      if (clear) continue;
      Piece(all, m, polygons, scratch);
      AddMarks(m, polygons, marks);
    }
    flush();
  } catch (...) {
    StopAtBound();
    return Unfinished();
  }
  if (!UnionIslands(done, result.islands)) return Unfinished();
  Locate(result, marks);
  std::vector<Cluster> clusters(1);
  clusters[0].members = std::move(all.members);
  std::vector<ClusterResult> results;
  results.push_back(std::move(result));
  return Assemble(clusters, {0}, results);
}

}  // namespace

LayerGeometry BuildLayerGeometry(const StandardLayer& layer, const GeometryBuildOptions& options) {
  Builder builder(layer, options);
  return options.wholeLayerInOnePass ? builder.Whole() : builder.Fast();
}

}  // namespace corvane
