#include "analysis/difference_place.h"

#include <tuple>

namespace corvane {

std::string_view DifferenceKindName(DifferenceKind kind) {
  return kind == DifferenceKind::kAdded ? "added" : "removed";
}

bool PlaceBefore(const DifferencePlace& a, const DifferencePlace& b) {
  return std::tuple(a.box.minY, a.box.minX, a.kind, a.box.maxY, a.box.maxX, a.area) <
         std::tuple(b.box.minY, b.box.minX, b.kind, b.box.maxY, b.box.maxX, b.area);
}

}  // namespace corvane
