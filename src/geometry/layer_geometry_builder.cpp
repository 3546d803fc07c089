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
  void PrepareClears(Cluster& cluster) const;
  void LaterClears(const Cluster& cluster, uint32_t member, GeoPaths& clips) const;
  void Piece(const Cluster& cluster, uint32_t member, GeoPaths& polygons, GeoPaths& scratch);
  Part Leaf(const Cluster& cluster, const uint32_t* members, std::size_t count);
  Part Join(Part a, Part b);
  ClusterResult Compute(const Cluster& cluster, bool parallel);
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
  std::vector<uint64_t> hashes(clusters.size());
  ParallelFor(clusters.size(), threads_, [&](std::size_t c) {
    std::vector<int64_t> content;
    Content(clusters[c], content);
    uint64_t hash = content.size();
    for (const int64_t value : content) hash = Mix(hash, value);
    hashes[c] = hash;
  });
  std::vector<uint32_t> prototypeOf(clusters.size());
  std::vector<uint32_t> copies(clusters.size(), 0);
  std::unordered_map<uint64_t, std::vector<uint32_t>> byHash;
  std::vector<int64_t> mine;
  std::vector<int64_t> theirs;
  for (uint32_t c = 0; c < clusters.size(); ++c) {
    std::vector<uint32_t>& candidates = byHash[hashes[c]];
    prototypeOf[c] = c;
    mine.clear();
    if (!candidates.empty()) Content(clusters[c], mine);
    for (const uint32_t p : candidates) {
      theirs.clear();
      Content(clusters[p], theirs);
      if (theirs == mine) {
        prototypeOf[c] = p;
        break;
      }
    }
    if (prototypeOf[c] == c) candidates.push_back(c);
    ++copies[prototypeOf[c]];
  }
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
  ParallelFor(small.size(), threads_, [&](std::size_t k) {
    if (Stopped()) return;
    results[small[k]] = Compute(clusters[small[k]], false);
    tally(small[k]);
  });
  for (const uint32_t c : large) {
    if (Stopped()) break;
    results[c] = Compute(clusters[c], true);
    tally(c);
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
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // (object, island)
  for (std::size_t c = 0; c < clusters.size(); ++c) {
    const ClusterResult& result = results[prototypeOf[c]];
    // Made about the prototype's corner: each copy is placed at its own.
    const GeoPoint delta = clusters[c].anchor;
    const uint32_t first = static_cast<uint32_t>(g.islands.size());
    for (const LocalIsland& local : result.islands) {
      GeoIsland& island = g.islands.emplace_back();
      island.firstRing = static_cast<uint32_t>(g.rings.size());
      island.ringCount = static_cast<uint32_t>(local.rings.size());
      island.box = local.box.Moved(delta);
      for (const GeoPath& ring : local.rings) {
        g.rings.push_back(
            {static_cast<uint32_t>(g.points.size()), static_cast<uint32_t>(ring.size())});
        for (const GeoPoint& p : ring) g.points.push_back({p.x + delta.x, p.y + delta.y});
      }
      island.area = local.area;
      g.darkArea += island.area;
      g.holeCount += local.rings.size() - 1;
      g.extents.Add(island.box);
    }
    for (const auto& [member, island] : result.memberIslands) {
      pairs.emplace_back(clusters[c].members[member], first + island);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  g.objectIslandStart.assign(g.objectCount + 1, 0);
  for (const auto& pair : pairs) ++g.objectIslandStart[pair.first + 1];
  for (std::size_t i = 0; i < g.objectCount; ++i)
    g.objectIslandStart[i + 1] += g.objectIslandStart[i];
  g.objectIslands.reserve(pairs.size());
  for (const auto& pair : pairs) g.objectIslands.push_back(pair.second);
  std::vector<uint32_t> fill(g.islands.size(), 0);
  for (const auto& pair : pairs) ++g.islands[pair.second].objectCount;
  uint32_t start = 0;
  for (GeoIsland& island : g.islands) {
    island.firstObject = start;
    start += island.objectCount;
  }
  g.islandObjects.resize(pairs.size());
  for (const auto& [object, island] : pairs) {
    g.islandObjects[g.islands[island].firstObject + fill[island]++] = object;
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
