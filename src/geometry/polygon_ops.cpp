#include "geometry/polygon_ops.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include "geometry/clipper_paths.h"

namespace corvane {
namespace {

__extension__ typedef __int128 Wide;

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using IndexPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using IndexBox = bg::model::box<IndexPoint>;
using SegmentEntry = std::pair<IndexBox, std::size_t>;

// The sign of (b - a) x (p - a), exactly.
int Turn(GeoPoint a, GeoPoint b, GeoPoint p) {
  const Wide cross = Wide{b.x - a.x} * Wide{p.y - a.y} - Wide{b.y - a.y} * Wide{p.x - a.x};
  return cross > 0 ? 1 : cross < 0 ? -1 : 0;
}

bool OnSegment(GeoPoint a, GeoPoint b, GeoPoint p) {
  return Turn(a, b, p) == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
         p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

// The winding number of `path` about `p`; `onEdge` when `p` lies on it.
int Winding(GeoPoint p, const GeoPath& path, bool& onEdge) {
  int winding = 0;
  const std::size_t n = path.size();
  for (std::size_t i = 0; i < n; ++i) {
    const GeoPoint& a = path[i];
    const GeoPoint& b = path[i + 1 == n ? 0 : i + 1];
    if (OnSegment(a, b, p)) {
      onEdge = true;
      return 0;
    }
    if (a.y <= p.y) {
      if (b.y > p.y && Turn(a, b, p) > 0) ++winding;
    } else if (b.y <= p.y && Turn(a, b, p) < 0) {
      --winding;
    }
  }
  return winding;
}

GeoPaths Run(const GeoPaths& a, const GeoPaths& b, ClipperLib::ClipType type) {
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(ToClipper(a), ClipperLib::ptSubject, true);
    clipper.AddPaths(ToClipper(b), ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    if (!clipper.Execute(type, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero)) return {};
    return FromClipper(solution);
  } catch (...) {
    return {};
  }
}

double PointSegmentDistance(double px, double py, GeoPoint a, GeoPoint b, double& qx, double& qy) {
  const double dx = static_cast<double>(b.x - a.x);
  const double dy = static_cast<double>(b.y - a.y);
  const double length2 = dx * dx + dy * dy;
  double t = 0.0;
  if (length2 > 0.0) {
    t = ((px - static_cast<double>(a.x)) * dx + (py - static_cast<double>(a.y)) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
  }
  qx = static_cast<double>(a.x) + t * dx;
  qy = static_cast<double>(a.y) + t * dy;
  return std::hypot(px - qx, py - qy);
}

bool SegmentsCross(GeoPoint a, GeoPoint b, GeoPoint c, GeoPoint d) {
  const int t1 = Turn(a, b, c);
  const int t2 = Turn(a, b, d);
  const int t3 = Turn(c, d, a);
  const int t4 = Turn(c, d, b);
  if (t1 != t2 && t3 != t4 && t1 != 0 && t2 != 0 && t3 != 0 && t4 != 0) return true;
  return OnSegment(a, b, c) || OnSegment(a, b, d) || OnSegment(c, d, a) || OnSegment(c, d, b);
}

// The nearest points of segments ab and cd into `best` when nearer.
void Nearer(GeoPoint a, GeoPoint b, GeoPoint c, GeoPoint d, ClosestPoints& best) {
  if (SegmentsCross(a, b, c, d)) {
    // Where they meet matters less than that they do; an end on the other is near enough.
    best = {0.0, static_cast<double>(a.x), static_cast<double>(a.y), static_cast<double>(a.x),
            static_cast<double>(a.y)};
    return;
  }
  double qx = 0.0;
  double qy = 0.0;
  const auto consider = [&](GeoPoint p, GeoPoint s0, GeoPoint s1, bool pOnA) {
    const double px = static_cast<double>(p.x);
    const double py = static_cast<double>(p.y);
    const double distance = PointSegmentDistance(px, py, s0, s1, qx, qy);
    if (distance >= best.distance) return;
    best = pOnA ? ClosestPoints{distance, px, py, qx, qy} : ClosestPoints{distance, qx, qy, px, py};
  };
  consider(a, c, d, true);
  consider(b, c, d, true);
  consider(c, a, b, false);
  consider(d, a, b, false);
}

IndexBox SegmentBox(GeoPoint a, GeoPoint b, double grow) {
  return IndexBox(IndexPoint(static_cast<double>(std::min(a.x, b.x)) - grow,
                             static_cast<double>(std::min(a.y, b.y)) - grow),
                  IndexPoint(static_cast<double>(std::max(a.x, b.x)) + grow,
                             static_cast<double>(std::max(a.y, b.y)) + grow));
}

struct SegmentRef {
  uint32_t path = 0;
  uint32_t index = 0;
};

}  // namespace

double SignedArea(const GeoPath& path) {
  Wide sum = 0;
  const std::size_t n = path.size();
  for (std::size_t i = 0; i < n; ++i) {
    const GeoPoint& a = path[i];
    const GeoPoint& b = path[i + 1 == n ? 0 : i + 1];
    sum += Wide{a.x} * Wide{b.y} - Wide{b.x} * Wide{a.y};
  }
  return static_cast<double>(sum) / 2.0;
}

double SignedArea(const GeoPaths& paths) {
  double sum = 0.0;
  for (const GeoPath& path : paths) sum += SignedArea(path);
  return sum;
}

PointPlace LocatePoint(GeoPoint p, const GeoPath& path) {
  bool onEdge = false;
  const int winding = Winding(p, path, onEdge);
  if (onEdge) return PointPlace::kOnEdge;
  return winding != 0 ? PointPlace::kInside : PointPlace::kOutside;
}

PointPlace LocatePoint(GeoPoint p, const GeoPaths& paths) {
  int winding = 0;
  for (const GeoPath& path : paths) {
    if (path.size() < 3) continue;
    bool onEdge = false;
    winding += Winding(p, path, onEdge);
    if (onEdge) return PointPlace::kOnEdge;
  }
  return winding != 0 ? PointPlace::kInside : PointPlace::kOutside;
}

GeoPaths UnionOf(const GeoPaths& paths) { return Run(paths, {}, ClipperLib::ctUnion); }
GeoPaths UnionOf(const GeoPaths& a, const GeoPaths& b) { return Run(a, b, ClipperLib::ctUnion); }
GeoPaths DifferenceOf(const GeoPaths& a, const GeoPaths& b) {
  return Run(a, b, ClipperLib::ctDifference);
}
GeoPaths IntersectionOf(const GeoPaths& a, const GeoPaths& b) {
  return Run(a, b, ClipperLib::ctIntersection);
}
GeoPaths XorOf(const GeoPaths& a, const GeoPaths& b) { return Run(a, b, ClipperLib::ctXor); }

GeoPaths OffsetOf(const GeoPaths& paths, double delta, int64_t tolerance) {
  try {
    // The offsetter wants its input clean: overlapping parts first become one.
    const GeoPaths clean = UnionOf(paths);
    ClipperLib::ClipperOffset offset;
    offset.ArcTolerance = static_cast<double>(std::max<int64_t>(tolerance, 1));
    offset.AddPaths(ToClipper(clean), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths solution;
    offset.Execute(solution, delta);
    return FromClipper(solution);
  } catch (...) {
    return {};
  }
}

namespace {

void AddIsland(const ClipperLib::PolyNode& outer, std::vector<GeoPaths>& out) {
  GeoPaths island{FromClipper(outer.Contour)};
  for (const ClipperLib::PolyNode* hole : outer.Childs) island.push_back(FromClipper(hole->Contour));
  out.push_back(std::move(island));
  for (const ClipperLib::PolyNode* hole : outer.Childs) {
    for (const ClipperLib::PolyNode* inner : hole->Childs) AddIsland(*inner, out);
  }
}

}  // namespace

std::vector<GeoPaths> SeparateIslands(const GeoPaths& paths) {
  std::vector<GeoPaths> islands;
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(ToClipper(paths), ClipperLib::ptSubject, true);
    ClipperLib::PolyTree tree;
    if (!clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero,
                         ClipperLib::pftNonZero)) {
      return {};
    }
    for (const ClipperLib::PolyNode* outer : tree.Childs) AddIsland(*outer, islands);
  } catch (...) {
    return {};
  }
  return islands;
}

ClosestPoints ClosestBetween(const GeoPaths& a, const GeoPaths& b) {
  ClosestPoints best;
  std::vector<SegmentEntry> entries;
  std::vector<SegmentRef> refs;
  for (uint32_t i = 0; i < b.size(); ++i) {
    const GeoPath& path = b[i];
    if (path.size() < 2) continue;
    for (uint32_t k = 0; k < path.size(); ++k) {
      const GeoPoint& p = path[k];
      const GeoPoint& q = path[k + 1 == path.size() ? 0 : k + 1];
      entries.emplace_back(SegmentBox(p, q, 0.0), refs.size());
      refs.push_back({i, k});
    }
  }
  if (entries.empty()) return best;
  // One inside the other is no gap at all.
  for (const GeoPath& path : a) {
    if (path.empty()) continue;
    if (LocatePoint(path.front(), b) != PointPlace::kOutside) {
      const double x = static_cast<double>(path.front().x);
      const double y = static_cast<double>(path.front().y);
      return {0.0, x, y, x, y};
    }
  }
  for (const GeoPath& path : b) {
    if (path.empty()) continue;
    if (LocatePoint(path.front(), a) != PointPlace::kOutside) {
      const double x = static_cast<double>(path.front().x);
      const double y = static_cast<double>(path.front().y);
      return {0.0, x, y, x, y};
    }
  }
  const bgi::rtree<SegmentEntry, bgi::quadratic<16>> tree(entries.begin(), entries.end());
  const auto segment = [&](std::size_t ref, GeoPoint& p, GeoPoint& q) {
    const GeoPath& path = b[refs[ref].path];
    const uint32_t k = refs[ref].index;
    p = path[k];
    q = path[k + 1 == path.size() ? 0 : k + 1];
  };
  std::vector<SegmentEntry> found;
  for (const GeoPath& path : a) {
    for (std::size_t k = 0; k < path.size() && best.distance > 0.0; ++k) {
      const GeoPoint& p = path[k];
      const GeoPoint& q = path[k + 1 == path.size() ? 0 : k + 1];
      found.clear();
      if (std::isinf(best.distance)) {
        tree.query(bgi::nearest(IndexPoint(static_cast<double>(p.x), static_cast<double>(p.y)), 1),
                   std::back_inserter(found));
      } else {
        tree.query(bgi::intersects(SegmentBox(p, q, best.distance)), std::back_inserter(found));
      }
      for (const SegmentEntry& entry : found) {
        GeoPoint c;
        GeoPoint d;
        segment(entry.second, c, d);
        Nearer(p, q, c, d, best);
      }
      // The first estimate only bounds the search: look at this segment again with it.
      if (found.size() == 1 && k == 0 && !std::isinf(best.distance) && best.distance > 0.0) {
        found.clear();
        tree.query(bgi::intersects(SegmentBox(p, q, best.distance)), std::back_inserter(found));
        for (const SegmentEntry& entry : found) {
          GeoPoint c;
          GeoPoint d;
          segment(entry.second, c, d);
          Nearer(p, q, c, d, best);
        }
      }
    }
  }
  return best;
}

ClosestPoints ClosestTo(GeoPoint p, const GeoPaths& paths) {
  ClosestPoints best;
  const double px = static_cast<double>(p.x);
  const double py = static_cast<double>(p.y);
  if (LocatePoint(p, paths) != PointPlace::kOutside) return {0.0, px, py, px, py};
  for (const GeoPath& path : paths) {
    for (std::size_t k = 0; k < path.size(); ++k) {
      double qx = 0.0;
      double qy = 0.0;
      const double distance =
          PointSegmentDistance(px, py, path[k], path[k + 1 == path.size() ? 0 : k + 1], qx, qy);
      if (distance < best.distance) best = {distance, px, py, qx, qy};
    }
  }
  return best;
}

}  // namespace corvane
