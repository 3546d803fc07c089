#include "analysis/drill_difference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "geometry/polygon_shapes.h"

namespace corvane {
namespace {

bool IsRoundHole(const StandardLayer& layer, const StandardObject& object) {
  if (object.kind != StandardKind::kFlash || object.polarity != StandardPolarity::kDark) {
    return false;
  }
  const auto& shapes = layer.shapes.shapes;
  return object.ref < shapes.size() && (shapes[object.ref].flags & kShapeRound) != 0;
}

// Holes in a grid of cells a tolerance wide: a hole's match lies in its own
// cell or one of the eight around it.
class HoleGrid {
 public:
  HoleGrid(const std::vector<DrillHole>& holes, int64_t cell) : cell_(std::max<int64_t>(cell, 1)) {
    for (uint32_t i = 0; i < holes.size(); ++i)
      cells_[Key(Cell(holes[i].at.x), Cell(holes[i].at.y))].push_back(i);
  }

  // The nearest unused hole that fits `hole`, taken; -1 when none does.
  int64_t Take(const DrillHole& hole, const std::vector<DrillHole>& holes, int64_t tolerance) {
    const int64_t cx = Cell(hole.at.x);
    const int64_t cy = Cell(hole.at.y);
    std::vector<uint32_t>* bestCell = nullptr;
    std::size_t bestSlot = 0;
    double bestDistance = 0.0;
    for (int64_t dx = -1; dx <= 1; ++dx) {
      for (int64_t dy = -1; dy <= 1; ++dy) {
        const auto found = cells_.find(Key(cx + dx, cy + dy));
        if (found == cells_.end()) continue;
        std::vector<uint32_t>& list = found->second;
        for (std::size_t slot = 0; slot < list.size(); ++slot) {
          const DrillHole& other = holes[list[slot]];
          const double distance = std::hypot(static_cast<double>(other.at.x - hole.at.x),
                                             static_cast<double>(other.at.y - hole.at.y));
          if (distance > static_cast<double>(tolerance) ||
              std::llabs(other.diameter - hole.diameter) > tolerance) {
            continue;
          }
          if (bestCell == nullptr || distance < bestDistance) {
            bestCell = &list;
            bestSlot = slot;
            bestDistance = distance;
          }
        }
      }
    }
    if (bestCell == nullptr) return -1;
    const uint32_t taken = (*bestCell)[bestSlot];
    (*bestCell)[bestSlot] = bestCell->back();
    bestCell->pop_back();
    return taken;
  }

 private:
  int64_t Cell(int64_t v) const { return v >= 0 ? v / cell_ : -((-v + cell_ - 1) / cell_); }
  static uint64_t Key(int64_t x, int64_t y) {
    return (static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull) ^ static_cast<uint64_t>(y);
  }

  int64_t cell_;
  std::unordered_map<uint64_t, std::vector<uint32_t>> cells_;
};

DifferencePlace HolePlace(const DrillHole& hole, DifferenceKind kind) {
  DifferencePlace place;
  place.kind = kind;
  const double radius = static_cast<double>(hole.diameter) / 2.0;
  GeoPath circle;
  AppendCircle(0.0, 0.0, radius, static_cast<double>(kDefaultFlatteningTolerance), hole.at, circle);
  // The hole's own box: its flattened circle reaches a little beyond it.
  const int64_t r = (hole.diameter + 1) / 2;
  place.box = {hole.at.x - r, hole.at.y - r, hole.at.x + r, hole.at.y + r};
  place.area = std::numbers::pi * radius * radius;
  place.shape.push_back(std::move(circle));
  return place;
}

// The holes of `holes` that no hole of `others` answers for.
std::vector<bool> Unanswered(const std::vector<DrillHole>& holes,
                             const std::vector<DrillHole>& others, int64_t tolerance) {
  HoleGrid grid(others, tolerance);
  std::vector<bool> unanswered(holes.size(), false);
  for (std::size_t i = 0; i < holes.size(); ++i) {
    unanswered[i] = grid.Take(holes[i], others, tolerance) < 0;
  }
  return unanswered;
}

}  // namespace

std::vector<DrillHole> RoundHolesOf(const StandardLayer& layer) {
  std::vector<DrillHole> holes;
  for (const StandardObject& object : layer.geometry.objects) {
    if (!IsRoundHole(layer, object)) continue;
    bool clamped = false;
    const double diameter = layer.shapes.shapes[object.ref].roundDiameter;
    holes.push_back({ToNanometres(object.x0, object.y0, clamped), ToNanometres(diameter, clamped)});
  }
  return holes;
}

StandardLayer WithoutRoundHoles(const StandardLayer& layer) {
  StandardLayer rest = layer;
  auto& objects = rest.geometry.objects;
  objects.erase(std::remove_if(objects.begin(), objects.end(),
                               [&](const StandardObject& o) { return IsRoundHole(layer, o); }),
                objects.end());
  return rest;
}

std::vector<DifferencePlace> CompareHoles(const std::vector<DrillHole>& before,
                                          const std::vector<DrillHole>& after, int64_t tolerance) {
  tolerance = std::max<int64_t>(tolerance, 0);
  std::vector<DifferencePlace> places;
  const std::vector<bool> removed = Unanswered(before, after, tolerance);
  const std::vector<bool> added = Unanswered(after, before, tolerance);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (removed[i]) places.push_back(HolePlace(before[i], DifferenceKind::kRemoved));
  }
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (added[i]) places.push_back(HolePlace(after[i], DifferenceKind::kAdded));
  }
  std::sort(places.begin(), places.end(), PlaceBefore);
  return places;
}

}  // namespace corvane
