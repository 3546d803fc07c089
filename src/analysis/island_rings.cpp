#include "analysis/island_rings.h"

#include <span>

namespace corvane {
namespace {

double Cross(GeoPoint o, GeoPoint a, GeoPoint b) {
  return static_cast<double>(a.x - o.x) * static_cast<double>(b.y - o.y) -
         static_cast<double>(a.y - o.y) * static_cast<double>(b.x - o.x);
}

bool OnSegment(GeoPoint p, GeoPoint a, GeoPoint b) {
  return Cross(a, b, p) == 0.0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
         std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Even-odd crossing test; a point on an edge is inside.
bool InRing(GeoPoint p, std::span<const GeoPoint> ring) {
  bool inside = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const GeoPoint a = ring[i];
    const GeoPoint b = ring[j];
    if (OnSegment(p, a, b)) return true;
    if ((a.y > p.y) != (b.y > p.y)) {
      const double x = static_cast<double>(a.x) + static_cast<double>(p.y - a.y) *
                                                      static_cast<double>(b.x - a.x) /
                                                      static_cast<double>(b.y - a.y);
      if (static_cast<double>(p.x) < x) inside = !inside;
    }
  }
  return inside;
}

bool InPaths(GeoPoint p, const GeoPaths& paths) {
  bool inside = false;
  for (const GeoPath& path : paths) {
    if (path.size() >= 3 && InRing(p, path)) inside = !inside;
  }
  return inside;
}

bool SegmentsMeet(GeoPoint a, GeoPoint b, GeoPoint c, GeoPoint d) {
  const double d1 = Cross(c, d, a);
  const double d2 = Cross(c, d, b);
  const double d3 = Cross(a, b, c);
  const double d4 = Cross(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
    return true;
  return OnSegment(a, c, d) || OnSegment(b, c, d) || OnSegment(c, a, b) || OnSegment(d, a, b);
}

bool EdgeMeetsShape(GeoPoint a, GeoPoint b, const GeoPaths& shape) {
  if (InPaths(a, shape)) return true;
  for (const GeoPath& path : shape) {
    for (std::size_t i = 0, j = path.size() - 1; i < path.size(); j = i++) {
      if (SegmentsMeet(a, b, path[j], path[i])) return true;
    }
  }
  return false;
}

}  // namespace

IslandRings::IslandRings(const LayerGeometry& geometry) : geometry_(geometry) {
  ringBoxes_.resize(geometry.rings.size());
  for (uint32_t r = 0; r < geometry.rings.size(); ++r) {
    for (const GeoPoint& p : geometry.Ring(r)) ringBoxes_[r].Add(p);
  }
}

bool IslandRings::Contains(uint32_t island, GeoPoint p) const {
  const GeoIsland& is = geometry_.islands[island];
  if (is.ringCount == 0 || !ringBoxes_[is.firstRing].Contains(p)) return false;
  if (!InRing(p, geometry_.Ring(is.firstRing))) return false;
  for (uint32_t r = is.firstRing + 1; r < is.firstRing + is.ringCount; ++r) {
    if (!ringBoxes_[r].Contains(p)) continue;
    const auto ring = geometry_.Ring(r);
    // A point on the hole's edge is still on the copper.
    bool onEdge = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size() && !onEdge; j = i++)
      onEdge = OnSegment(p, ring[i], ring[j]);
    if (!onEdge && InRing(p, ring)) return false;
  }
  return true;
}

bool IslandRings::Touches(uint32_t island, const GeoPaths& shape, const GeoBox& box,
                          GeoPoint inside) const {
  if (Contains(island, inside)) return true;
  const GeoIsland& is = geometry_.islands[island];
  for (uint32_t r = is.firstRing; r < is.firstRing + is.ringCount; ++r) {
    if (!ringBoxes_[r].Overlaps(box)) continue;
    const auto ring = geometry_.Ring(r);
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
      GeoBox edge;
      edge.Add(ring[i]);
      edge.Add(ring[j]);
      if (edge.Overlaps(box) && EdgeMeetsShape(ring[j], ring[i], shape)) return true;
    }
  }
  return false;
}

}  // namespace corvane
