#pragma once

// Two revisions of one layer compared as geometry: added is new less old,
// removed is old less new. Whatever is narrower than the tolerance is taken
// out of both by an opening (shrink by half the tolerance, grow back), so
// rounded coordinates, another number format, arcs written as chords or
// macros written as regions leave nothing behind, while a moved pad, a
// deleted track or an added via stays. The pieces that are left are grouped
// into places: pieces that touch, or come closer than the tolerance, are one
// place.

#include <atomic>
#include <cstdint>
#include <vector>

#include "analysis/difference_place.h"
#include "geometry/layer_geometry.h"

namespace corvane {

// 0.025 mm.
inline constexpr int64_t kDefaultCompareTolerance = 25'000;

struct DifferenceOptions {
  int64_t tolerance = kDefaultCompareTolerance;  // nanometres; 0 keeps every sliver
  unsigned threads = 0;                          // 0 for one per core
  // Checked between pieces of work; when it becomes true the comparison
  // stops early with what it has. May be null.
  const std::atomic<bool>* cancel = nullptr;
};

// The places where `after` differs from `before`, in PlaceBefore order.
std::vector<DifferencePlace> CompareGeometry(const LayerGeometry& before,
                                             const LayerGeometry& after,
                                             const DifferenceOptions& options = {});

// The places of one raw difference (`area` covered by the nonzero rule):
// opened by `tolerance`, taken apart, pieces within the tolerance grouped.
std::vector<DifferencePlace> PlacesOf(const GeoPaths& area, DifferenceKind kind, int64_t tolerance);

}  // namespace corvane
