#include "analysis/hole_checks.h"

#include <algorithm>
#include <cmath>

#include "analysis/check_shapes.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

double ShapeDiameter(const StandardLayer& layer, uint32_t ref) {
  if (ref >= layer.shapes.shapes.size()) return 0.0;
  const StandardShape& shape = layer.shapes.shapes[ref];
  if ((shape.flags & kShapeRound) != 0) return shape.roundDiameter;
  if (shape.box.Empty()) return 0.0;
  return std::min(shape.box.maxX - shape.box.minX, shape.box.maxY - shape.box.minY);
}

GeoBox BoxOfHole(const DrilledHole& hole) {
  GeoBox box;
  box.Add(hole.from);
  box.Add(hole.to);
  return box.Grown(static_cast<int64_t>(std::ceil(hole.radius)));
}

GeoPaths HolePaths(const DrilledHole& hole) {
  return CapsulePaths(hole.from, hole.to, hole.radius);
}

double Dot(double ax, double ay, double bx, double by) { return ax * bx + ay * by; }

// Distance from p to the segment a-b.
double PointToSegment(GeoPoint p, GeoPoint a, GeoPoint b) {
  const double dx = static_cast<double>(b.x - a.x);
  const double dy = static_cast<double>(b.y - a.y);
  const double px = static_cast<double>(p.x - a.x);
  const double py = static_cast<double>(p.y - a.y);
  const double length2 = Dot(dx, dy, dx, dy);
  const double t = length2 > 0.0 ? std::clamp(Dot(px, py, dx, dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(px - t * dx, py - t * dy);
}

// The centre lines of two holes do not cross in any drill file worth
// checking, so the nearest points lie at an end of one of them.
double CentreLineDistance(const DrilledHole& a, const DrilledHole& b) {
  return std::min({PointToSegment(a.from, b.from, b.to), PointToSegment(a.to, b.from, b.to),
                   PointToSegment(b.from, a.from, a.to), PointToSegment(b.to, a.from, a.to)});
}

GeoPoint Middle(GeoPoint a, GeoPoint b) { return {a.x / 2 + b.x / 2, a.y / 2 + b.y / 2}; }

struct PlacedHole {
  const HoleSet* set = nullptr;
  const DrilledHole* hole = nullptr;
  GeoBox box;
};

void FindCloseHoles(const std::vector<HoleSet>& sets, double minSpacing,
                    std::vector<Finding>& out) {
  std::vector<PlacedHole> placed;
  for (const HoleSet& set : sets) {
    for (const DrilledHole& hole : set.holes) placed.push_back({&set, &hole, BoxOfHole(hole)});
  }
  std::sort(placed.begin(), placed.end(),
            [](const PlacedHole& a, const PlacedHole& b) { return a.box.minX < b.box.minX; });
  const auto reach = static_cast<int64_t>(std::ceil(minSpacing));
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const GeoBox near = placed[i].box.Grown(reach);
    for (std::size_t j = i + 1; j < placed.size() && placed[j].box.minX <= near.maxX; ++j) {
      if (!near.Overlaps(placed[j].box)) continue;
      const DrilledHole& a = *placed[i].hole;
      const DrilledHole& b = *placed[j].hole;
      const double gap = std::max(0.0, CentreLineDistance(a, b) - a.radius - b.radius);
      if (!(gap < minSpacing)) continue;
      // A route drawn in several strokes overlaps itself where they join.
      const bool oneRoute = placed[i].set == placed[j].set && (a.Slot() || b.Slot());
      if (oneRoute && gap <= 0.0) continue;
      GeoBox box = placed[i].box;
      box.Add(placed[j].box);
      Finding finding = MakeFinding("drill", placed[i].set->layer->fileName,
                                    Middle(Middle(a.from, a.to), Middle(b.from, b.to)), gap,
                                    minSpacing, box);
      if (placed[j].set != placed[i].set) finding.layers.push_back(placed[j].set->layer->fileName);
      finding.detail = "hole spacing";
      out.push_back(std::move(finding));
    }
  }
}

std::optional<Finding> RingOf(const DrilledHole& hole, const GeometryIndex& copper,
                              double minRing, const std::string& drillName) {
  const auto reach = static_cast<int64_t>(std::ceil(2.0 * minRing + hole.radius));
  const GeoBox region = BoxOfHole(hole).Grown(reach);
  const GeoPaths local = IslandsNear(copper, region);
  const GeoPaths reached = IntersectionOf(local, CapsulePaths(hole.from, hole.to, hole.radius + minRing));
  if (SignedArea(reached) <= 0.0) return std::nullopt;
  const GeoPaths bare =
      DifferenceOf(GeoPaths{RectanglePath(region)}, UnionOf(local, HolePaths(hole)));
  const ClosestPoints nearest = ClosestTo(hole.from, bare);
  const double ring = std::max(0.0, nearest.distance - hole.radius);
  if (!(ring < minRing)) return std::nullopt;
  GeoPoint at = hole.from;
  const GeoPaths outside = DifferenceOf(HolePaths(hole), local);
  if (ring <= 0.0 && SignedArea(outside) > 0.0) {
    // Where the hole breaks out of its pad.
    at = CentreOf(outside);
  } else if (nearest.distance > 0.0) {
    // Half way across the ring, toward where it is narrowest.
    const double toward = (hole.radius + ring / 2.0) / nearest.distance;
    at = {hole.from.x + std::llround((nearest.bx - static_cast<double>(hole.from.x)) * toward),
          hole.from.y + std::llround((nearest.by - static_cast<double>(hole.from.y)) * toward)};
  }
  Finding finding =
      MakeFinding("annular-ring", copper.Layer().fileName, at, ring, minRing, BoxOfHole(hole));
  finding.layers.push_back(drillName);
  return finding;
}

std::optional<Finding> GapToCopper(const DrilledHole& hole, const GeometryIndex& copper,
                                   double minGap, const std::string& drillName) {
  const GeoBox region = BoxOfHole(hole).Grown(static_cast<int64_t>(std::ceil(minGap)) + 1);
  const GeoPaths local = IslandsNear(copper, region);
  if (local.empty()) return std::nullopt;
  const GeoPaths drilled = HolePaths(hole);
  const ClosestPoints nearest = ClosestBetween(drilled, local);
  if (!(nearest.distance < minGap)) return std::nullopt;
  const GeoPoint at = WorstOfGap(drilled, local, nearest);
  Finding finding = MakeFinding("drill-to-copper", copper.Layer().fileName, at,
                                nearest.distance, minGap, BoxOfHole(hole));
  finding.layers.push_back(drillName);
  return finding;
}

}  // namespace

std::vector<DrilledHole> HolesOf(const StandardLayer& drill) {
  std::vector<DrilledHole> holes;
  bool clamped = false;
  for (const StandardObject& object : drill.geometry.objects) {
    if (object.polarity != StandardPolarity::kDark) continue;
    if (object.kind != StandardKind::kFlash && object.kind != StandardKind::kLine) continue;
    const double diameter = ShapeDiameter(drill, object.ref);
    if (!(diameter > 0.0)) continue;
    DrilledHole hole;
    hole.from = ToNanometres(object.x0, object.y0, clamped);
    hole.to = object.kind == StandardKind::kLine ? ToNanometres(object.x1, object.y1, clamped)
                                                  : hole.from;
    hole.radius = diameter * kNanometresPerInch / 2.0;
    holes.push_back(hole);
  }
  return holes;
}

std::vector<Finding> FindDrillFaults(const std::vector<HoleSet>& sets,
                                     std::optional<double> minDrill,
                                     std::optional<double> minSpacing) {
  std::vector<Finding> out;
  for (const HoleSet& set : sets) {
    if (!minDrill) break;
    for (const DrilledHole& hole : set.holes) {
      if (!(2.0 * hole.radius < *minDrill)) continue;
      Finding finding = MakeFinding("drill", set.layer->fileName, Middle(hole.from, hole.to),
                                    2.0 * hole.radius, *minDrill, BoxOfHole(hole));
      finding.detail = hole.Slot() ? "slot width" : "hole diameter";
      out.push_back(std::move(finding));
    }
  }
  if (minSpacing) FindCloseHoles(sets, *minSpacing, out);
  return out;
}

std::vector<Finding> FindThinRings(const HoleSet& plated, const GeometryIndex& copper,
                                   double minRing) {
  std::vector<Finding> out;
  for (const DrilledHole& hole : plated.holes) {
    if (hole.Slot()) continue;
    if (auto finding = RingOf(hole, copper, minRing, plated.layer->fileName)) {
      out.push_back(std::move(*finding));
    }
  }
  return out;
}

std::vector<Finding> FindHolesNearCopper(const HoleSet& nonPlated, const GeometryIndex& copper,
                                         double minGap) {
  std::vector<Finding> out;
  for (const DrilledHole& hole : nonPlated.holes) {
    if (auto finding = GapToCopper(hole, copper, minGap, nonPlated.layer->fileName)) {
      out.push_back(std::move(*finding));
    }
  }
  return out;
}

}  // namespace corvane
