#include "geometry/object_flattener.h"

#include <algorithm>
#include <cmath>

#include "geometry/clipper_paths.h"
#include "geometry/polygon_ops.h"
#include "geometry/polygon_shapes.h"
#include "standard/plane_geometry.h"

namespace corvane {
namespace {

// Parts of a shape in order: dark ones added, clear ones taken away.
GeoPaths CombineParts(const std::vector<std::pair<GeoPath, bool>>& parts) {
  ClipperLib::Paths result;
  ClipperLib::Paths pending;
  ClipperLib::Paths clips;
  const auto flush = [&] {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(result, ClipperLib::ptSubject, true);
    clipper.AddPaths(pending, ClipperLib::ptSubject, true);
    clipper.AddPaths(clips, ClipperLib::ptClip, true);
    ClipperLib::Paths next;
    clipper.Execute(clips.empty() ? ClipperLib::ctUnion : ClipperLib::ctDifference, next,
                    ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    result.swap(next);
    pending.clear();
    clips.clear();
  };
  try {
    for (const auto& [path, clear] : parts) {
      if (path.size() < 3) continue;
      if (clear) {
        clips.push_back(ToClipper(path));
      } else {
        if (!clips.empty()) flush();
        // Each part is filled on its own: a clockwise outline covers its inside too.
        ClipperLib::Path part = ToClipper(path);
        if (!ClipperLib::Orientation(part)) ClipperLib::ReversePath(part);
        pending.push_back(std::move(part));
      }
    }
    flush();
  } catch (...) {
    return {};
  }
  return FromClipper(result);
}

}  // namespace

ObjectFlattener::ObjectFlattener(const StandardLayer& layer, FlattenOptions options)
    : layer_(layer), tolerance_(std::max<int64_t>(options.tolerance, 1)) {
  shapes_.reserve(layer.shapes.shapes.size());
  for (const StandardShape& shape : layer.shapes.shapes) shapes_.push_back(Prepare(shape));
}

ObjectFlattener::PreparedShape ObjectFlattener::Prepare(const StandardShape& shape) const {
  PreparedShape prepared;
  const double tolerance = static_cast<double>(tolerance_);
  if ((shape.flags & kShapeRound) != 0) {
    const double radius = shape.roundDiameter * kNanometresPerInch / 2.0;
    if (!(radius > 0.0) || !std::isfinite(radius)) return prepared;
    prepared.kind = PreparedShape::Kind::kRound;
    prepared.radius = std::min(radius, static_cast<double>(kMaxCoordinate) / 4.0);
    GeoPath circle;
    AppendCircle(0.0, 0.0, prepared.radius, tolerance, GeoPoint{}, circle);
    prepared.hull = circle;
    prepared.net.push_back(std::move(circle));
    prepared.reach = prepared.radius * 1.01;
    return prepared;
  }
  const StandardShapes& shapes = layer_.shapes;
  const uint64_t end = uint64_t{shape.firstPrimitive} + shape.primitiveCount;
  if (shape.primitiveCount == 0 || end > shapes.primitives.size()) return prepared;
  std::vector<std::pair<GeoPath, bool>> parts;
  GeoPath darkPoints;
  bool clamped = false;
  for (uint64_t i = shape.firstPrimitive; i < end; ++i) {
    const ShapePrimitive& part = shapes.primitives[i];
    GeoPath path;
    if (part.kind == PrimitiveKind::kCircle) {
      const double radius = part.diameter * kNanometresPerInch / 2.0;
      if (!(radius > 0.0) || !std::isfinite(radius)) continue;
      const GeoPoint centre = ToNanometres(part.cx, part.cy, clamped);
      AppendCircle(0.0, 0.0, std::min(radius, static_cast<double>(kMaxCoordinate) / 4.0), tolerance,
                   centre, path);
    } else {
      const uint64_t last = uint64_t{part.firstPoint} + part.pointCount;
      if (last > shapes.points.size()) continue;
      for (uint64_t k = part.firstPoint; k < last; ++k) {
        path.push_back(ToNanometres(shapes.points[k].x, shapes.points[k].y, clamped));
      }
    }
    const bool clear = part.polarity == StandardPolarity::kClear;
    if (!clear) darkPoints.insert(darkPoints.end(), path.begin(), path.end());
    parts.emplace_back(std::move(path), clear);
  }
  prepared.net = CombineParts(parts);
  if (prepared.net.empty()) return prepared;
  prepared.kind = PreparedShape::Kind::kPolygons;
  prepared.hull = ConvexHull(darkPoints);
  for (const GeoPoint& p : prepared.hull) {
    prepared.reach =
        std::max(prepared.reach, std::hypot(static_cast<double>(p.x), static_cast<double>(p.y)));
  }
  return prepared;
}

const ObjectFlattener::PreparedShape* ObjectFlattener::ShapeAt(uint32_t index) const {
  if (index >= shapes_.size() || shapes_[index].kind == PreparedShape::Kind::kEmpty) return nullptr;
  return &shapes_[index];
}

GeoBox ObjectFlattener::Box(std::size_t index, bool& clamped) const {
  if (index >= layer_.geometry.objects.size()) return {};
  const StandardObject& object = layer_.geometry.objects[index];
  if (!std::isfinite(object.x0) || !std::isfinite(object.y0) || !std::isfinite(object.x1) ||
      !std::isfinite(object.y1)) {
    clamped = true;
    return {};
  }
  const StandardBox box = ObjectBox(layer_, object);
  if (box.Empty()) return {};
  GeoBox out;
  out.Add(ToNanometres(box.minX, box.minY, clamped));
  out.Add(ToNanometres(box.maxX, box.maxY, clamped));
  // Flattened circles reach up to the tolerance beyond the true ones, and rounding 1 nm more.
  return out.Grown(tolerance_ + 2);
}

GeoPoint ObjectFlattener::Anchor(std::size_t index) const {
  if (index >= layer_.geometry.objects.size()) return {};
  const StandardObject& object = layer_.geometry.objects[index];
  bool clamped = false;
  return ToNanometres(object.x0, object.y0, clamped);
}

void ObjectFlattener::Flatten(std::size_t index, GeoPoint origin, GeoPaths& out,
                              bool& clamped) const {
  if (index >= layer_.geometry.objects.size()) return;
  const StandardObject& object = layer_.geometry.objects[index];
  switch (object.kind) {
    case StandardKind::kFlash:
      return FlattenFlash(object, origin, out, clamped);
    case StandardKind::kLine:
      return FlattenLine(object, origin, out, clamped);
    case StandardKind::kArc:
      return FlattenArc(object, origin, out, clamped);
    case StandardKind::kRegion:
      return FlattenRegion(object, origin, out, clamped);
  }
}

GeoPaths ObjectFlattener::Polygons(std::size_t index) const {
  GeoPaths out;
  bool clamped = false;
  Flatten(index, GeoPoint{}, out, clamped);
  return out;
}

void ObjectFlattener::FlattenFlash(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                                   bool& clamped) const {
  const PreparedShape* shape = ShapeAt(object.ref);
  if (shape == nullptr) return;
  const GeoPoint at = ToNanometres(object.x0, object.y0, clamped);
  const GeoPoint base{at.x - origin.x, at.y - origin.y};
  for (const GeoPath& path : shape->net) {
    GeoPath& moved = out.emplace_back();
    moved.reserve(path.size());
    for (const GeoPoint& p : path) moved.push_back({p.x + base.x, p.y + base.y});
  }
}

void ObjectFlattener::FlattenLine(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                                  bool& clamped) const {
  const PreparedShape* shape = ShapeAt(object.ref);
  if (shape == nullptr) return;
  const GeoPoint from = ToNanometres(object.x0, object.y0, clamped);
  const GeoPoint to = ToNanometres(object.x1, object.y1, clamped);
  const GeoPoint base{from.x - origin.x, from.y - origin.y};
  Sweep(*shape, base, 0.0, 0.0, static_cast<double>(to.x - from.x),
        static_cast<double>(to.y - from.y), out);
}

void ObjectFlattener::Sweep(const PreparedShape& shape, GeoPoint base, double fromX, double fromY,
                            double toX, double toY, GeoPaths& out) const {
  if (shape.kind == PreparedShape::Kind::kRound) {
    AppendStadium(fromX, fromY, toX, toY, shape.radius, static_cast<double>(tolerance_), base,
                  out.emplace_back());
    return;
  }
  // Any other shape sweeps its convex outline: the outline at both ends, and their hull.
  GeoPath points;
  points.reserve(2 * shape.hull.size());
  const GeoPoint a{std::llround(fromX), std::llround(fromY)};
  const GeoPoint b{std::llround(toX), std::llround(toY)};
  for (const GeoPoint& p : shape.hull) {
    points.push_back({base.x + a.x + p.x, base.y + a.y + p.y});
    points.push_back({base.x + b.x + p.x, base.y + b.y + p.y});
  }
  GeoPath hull = ConvexHull(points);
  if (hull.size() >= 3) out.push_back(std::move(hull));
}

void ObjectFlattener::FlattenArc(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                                 bool& clamped) const {
  if (object.ref >= layer_.geometry.arcs.size()) return;
  const StandardArc& arc = layer_.geometry.arcs[object.ref];
  const PreparedShape* shape = ShapeAt(arc.shape);
  if (shape == nullptr) return;
  const GeoPoint from = ToNanometres(object.x0, object.y0, clamped);
  const GeoPoint to = ToNanometres(object.x1, object.y1, clamped);
  const GeoPoint centre = ToNanometres(arc.cx, arc.cy, clamped);
  const GeoPoint base{from.x - origin.x, from.y - origin.y};
  const double cx = static_cast<double>(centre.x - from.x);
  const double cy = static_cast<double>(centre.y - from.y);
  const double ex = static_cast<double>(to.x - from.x);
  const double ey = static_cast<double>(to.y - from.y);
  const double radius = std::hypot(cx, cy);
  const double sweep = std::isfinite(arc.sweep) ? std::clamp(arc.sweep, -kTwoPi, kTwoPi) : 0.0;
  const double tolerance = static_cast<double>(tolerance_);
  if (radius <= 0.0 || sweep == 0.0) {
    Sweep(*shape, base, 0.0, 0.0, ex, ey, out);
    return;
  }
  if (shape->kind == PreparedShape::Kind::kRound && radius > shape->radius) {
    AppendRoundArc(cx, cy, radius, sweep, shape->radius, ex, ey, tolerance, base, out);
    return;
  }
  // A shape too wide for the circle's inside, or not round: swept chord by chord,
  // the chords within the tolerance of the circle at the shape's far side.
  const double start = std::atan2(-cy, -cx);
  const uint32_t chords = ChordCount(radius + shape->reach, sweep, tolerance);
  double px = 0.0;
  double py = 0.0;
  for (uint32_t i = 1; i <= chords; ++i) {
    const double angle = start + sweep * i / chords;
    const double qx = i == chords ? ex : cx + radius * std::cos(angle);
    const double qy = i == chords ? ey : cy + radius * std::sin(angle);
    Sweep(*shape, base, px, py, qx, qy, out);
    px = qx;
    py = qy;
  }
}

void ObjectFlattener::FlattenRegion(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                                    bool& clamped) const {
  const StandardGeometry& g = layer_.geometry;
  if (object.ref >= g.regions.size()) return;
  const StandardRegion& region = g.regions[object.ref];
  const GeoPoint anchor = ToNanometres(object.x0, object.y0, clamped);
  const GeoPoint base{anchor.x - origin.x, anchor.y - origin.y};
  GeoPath path;
  for (uint32_t c = 0; c < region.contourCount; ++c) {
    const uint64_t index = uint64_t{region.firstContour} + c;
    if (index >= g.contours.size()) break;
    const StandardContour& contour = g.contours[index];
    const uint64_t end = uint64_t{contour.firstPoint} + contour.pointCount;
    if (end > g.points.size()) continue;
    path.clear();
    for (uint64_t k = contour.firstPoint; k < end; ++k) {
      const GeoPoint p = ToNanometres(g.points[k].x, g.points[k].y, clamped);
      const GeoPoint q{p.x - anchor.x + base.x, p.y - anchor.y + base.y};
      if (path.empty() || !(path.back() == q)) path.push_back(q);
    }
    while (path.size() > 1 && path.back() == path.front()) path.pop_back();
    AppendFilledContour(path, out);
  }
}

}  // namespace corvane
