#include "geometry/geometry_index.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <mutex>

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using IndexPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using IndexBox = bg::model::box<IndexPoint>;
using BoxEntry = std::pair<IndexBox, uint32_t>;
using PointEntry = std::pair<IndexPoint, uint32_t>;
using BoxTree = bgi::rtree<BoxEntry, bgi::rstar<16>>;
using PointTree = bgi::rtree<PointEntry, bgi::rstar<16>>;

IndexBox ToIndex(const GeoBox& box) {
  return {IndexPoint(static_cast<double>(box.minX), static_cast<double>(box.minY)),
          IndexPoint(static_cast<double>(box.maxX), static_cast<double>(box.maxY))};
}

IndexPoint ToIndex(GeoPoint p) {
  return IndexPoint(static_cast<double>(p.x), static_cast<double>(p.y));
}

IndexBox Around(GeoPoint p, double distance) {
  const double x = static_cast<double>(p.x);
  const double y = static_cast<double>(p.y);
  return {IndexPoint(x - distance, y - distance), IndexPoint(x + distance, y + distance)};
}

std::vector<uint32_t> Sorted(const std::vector<BoxEntry>& found) {
  std::vector<uint32_t> out;
  out.reserve(found.size());
  for (const BoxEntry& entry : found) out.push_back(entry.second);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

struct GeometryIndex::Trees {
  BoxTree objects;
  BoxTree islands;
  mutable std::once_flag snapOnce;
  mutable PointTree snaps;
  mutable std::vector<SnapPoint> snapPoints;
};

GeometryIndex::GeometryIndex(const StandardLayer& layer, const LayerGeometry& geometry)
    : layer_(layer),
      geometry_(geometry),
      flattener_(layer, FlattenOptions{geometry.tolerance}),
      trees_(std::make_unique<Trees>()) {
  std::vector<BoxEntry> entries;
  const std::size_t count = layer.geometry.objects.size();
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const GeoBox box = flattener_.Box(i);
    if (!box.Empty()) entries.emplace_back(ToIndex(box), static_cast<uint32_t>(i));
  }
  trees_->objects = BoxTree(entries.begin(), entries.end());
  entries.clear();
  for (uint32_t i = 0; i < geometry.islands.size(); ++i) {
    entries.emplace_back(ToIndex(geometry.islands[i].box), i);
  }
  trees_->islands = BoxTree(entries.begin(), entries.end());
}

GeometryIndex::~GeometryIndex() = default;

bool GeometryIndex::Covers(uint32_t object, GeoPoint p) const {
  const StandardGeometry& g = layer_.geometry;
  if (object >= g.objects.size()) return false;
  const StandardObject& o = g.objects[object];
  if (o.kind != StandardKind::kRegion) {
    return LocatePoint(p, flattener_.Polygons(object)) != PointPlace::kOutside;
  }
  // A region's contours each filled on their own: the winding of each
  // answers, without resolving the region first.
  if (o.ref >= g.regions.size()) return false;
  const StandardRegion& region = g.regions[o.ref];
  GeoPath contour;
  bool clamped = false;
  for (uint64_t c = region.firstContour;
       c < uint64_t{region.firstContour} + region.contourCount && c < g.contours.size(); ++c) {
    const StandardContour& record = g.contours[c];
    const uint64_t end = uint64_t{record.firstPoint} + record.pointCount;
    if (record.pointCount < 3 || end > g.points.size()) continue;
    contour.clear();
    for (uint64_t k = record.firstPoint; k < end; ++k) {
      contour.push_back(ToNanometres(g.points[k].x, g.points[k].y, clamped));
    }
    if (LocatePoint(p, contour) != PointPlace::kOutside) return true;
  }
  return false;
}

std::vector<uint32_t> GeometryIndex::ObjectsAt(GeoPoint p) const {
  std::vector<BoxEntry> found;
  trees_->objects.query(bgi::intersects(ToIndex(p)), std::back_inserter(found));
  std::vector<uint32_t> out;
  for (const uint32_t object : Sorted(found)) {
    if (Covers(object, p)) out.push_back(object);
  }
  return out;
}

std::vector<uint32_t> GeometryIndex::DarkObjectsAt(GeoPoint p) const {
  std::vector<uint32_t> covering = ObjectsAt(p);
  const auto lastClear = std::find_if(covering.rbegin(), covering.rend(), [&](uint32_t object) {
    return layer_.geometry.objects[object].polarity == StandardPolarity::kClear;
  });
  covering.erase(covering.begin(), lastClear.base());
  return covering;
}

std::vector<uint32_t> GeometryIndex::ObjectsIn(const GeoBox& box) const {
  if (box.Empty()) return {};
  std::vector<BoxEntry> found;
  trees_->objects.query(bgi::intersects(ToIndex(box)), std::back_inserter(found));
  return Sorted(found);
}

std::optional<NearestObject> GeometryIndex::Nearest(GeoPoint p, double maxDistance) const {
  if (trees_->objects.empty() || !(maxDistance >= 0.0)) return std::nullopt;
  double reach = maxDistance;
  if (std::isinf(reach)) {
    // The nearest box bounds the search: no polygon is farther than its box's far corner.
    std::vector<BoxEntry> first;
    trees_->objects.query(bgi::nearest(ToIndex(p), 1), std::back_inserter(first));
    const ClosestPoints closest = ClosestTo(p, flattener_.Polygons(first.front().second));
    reach = std::isinf(closest.distance) ? bg::distance(ToIndex(p), first.front().first)
                                         : closest.distance;
    reach = std::max(reach, 1.0);
  }
  std::vector<BoxEntry> found;
  trees_->objects.query(bgi::intersects(Around(p, reach)), std::back_inserter(found));
  std::optional<NearestObject> best;
  for (const uint32_t object : Sorted(found)) {
    const double distance =
        Covers(object, p) ? 0.0 : ClosestTo(p, flattener_.Polygons(object)).distance;
    if (distance <= maxDistance && (!best || distance < best->distance)) {
      best = NearestObject{object, distance};
    }
  }
  return best;
}

std::optional<uint32_t> GeometryIndex::IslandAt(GeoPoint p) const {
  std::vector<BoxEntry> found;
  trees_->islands.query(bgi::intersects(ToIndex(p)), std::back_inserter(found));
  for (const uint32_t island : Sorted(found)) {
    if (LocatePoint(p, geometry_.IslandPaths(island)) != PointPlace::kOutside) return island;
  }
  return std::nullopt;
}

std::vector<uint32_t> GeometryIndex::IslandsIn(const GeoBox& box) const {
  if (box.Empty()) return {};
  std::vector<BoxEntry> found;
  trees_->islands.query(bgi::intersects(ToIndex(box)), std::back_inserter(found));
  return Sorted(found);
}

void GeometryIndex::MakeSnapTree() const {
  const StandardGeometry& g = layer_.geometry;
  std::vector<SnapPoint>& points = trees_->snapPoints;
  bool clamped = false;
  const auto add = [&](double x, double y, SnapKind kind, uint32_t object) {
    points.push_back({ToNanometres(x, y, clamped), kind, object});
  };
  for (uint32_t i = 0; i < g.objects.size(); ++i) {
    const StandardObject& o = g.objects[i];
    switch (o.kind) {
      case StandardKind::kFlash:
        add(o.x0, o.y0, SnapKind::kPadCentre, i);
        break;
      case StandardKind::kArc:
        if (o.ref < g.arcs.size()) add(g.arcs[o.ref].cx, g.arcs[o.ref].cy, SnapKind::kArcCentre, i);
        [[fallthrough]];
      case StandardKind::kLine:
        add(o.x0, o.y0, SnapKind::kLineEnd, i);
        add(o.x1, o.y1, SnapKind::kLineEnd, i);
        break;
      case StandardKind::kRegion: {
        if (o.ref >= g.regions.size()) break;
        const StandardRegion& region = g.regions[o.ref];
        for (uint64_t c = region.firstContour;
             c < uint64_t{region.firstContour} + region.contourCount && c < g.contours.size();
             ++c) {
          const uint64_t end = std::min<uint64_t>(
              uint64_t{g.contours[c].firstPoint} + g.contours[c].pointCount, g.points.size());
          for (uint64_t k = g.contours[c].firstPoint; k < end; ++k) {
            add(g.points[k].x, g.points[k].y, SnapKind::kRegionCorner, i);
          }
        }
        break;
      }
    }
  }
  std::vector<PointEntry> entries;
  entries.reserve(points.size());
  for (uint32_t i = 0; i < points.size(); ++i) entries.emplace_back(ToIndex(points[i].at), i);
  trees_->snaps = PointTree(entries.begin(), entries.end());
}

std::optional<SnapPoint> GeometryIndex::NearestSnap(GeoPoint p, double maxDistance) const {
  std::call_once(trees_->snapOnce, [this] { MakeSnapTree(); });
  if (!(maxDistance >= 0.0)) return std::nullopt;
  std::vector<PointEntry> found;
  trees_->snaps.query(bgi::intersects(Around(p, maxDistance)), std::back_inserter(found));
  std::optional<SnapPoint> best;
  double bestDistance = 0.0;
  uint32_t bestIndex = 0;
  for (const PointEntry& entry : found) {
    const SnapPoint& snap = trees_->snapPoints[entry.second];
    const double distance =
        std::hypot(static_cast<double>(snap.at.x - p.x), static_cast<double>(snap.at.y - p.y));
    if (distance > maxDistance) continue;
    if (!best || distance < bestDistance ||
        (distance == bestDistance && entry.second < bestIndex)) {
      best = snap;
      bestDistance = distance;
      bestIndex = entry.second;
    }
  }
  return best;
}

GeoPaths GeometryIndex::ObjectPolygons(uint32_t object) const {
  return flattener_.Polygons(object);
}

}  // namespace corvane
