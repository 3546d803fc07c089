#pragma once

// Quick questions of one layer's islands for the netlist: whether a point
// lies in an island, whether a hole's shape meets it. A ground pour is one
// island of thousands of rings; each question looks only at the rings whose
// boxes reach the place asked about, and copies none of them.

#include <cstdint>
#include <vector>

#include "geometry/layer_geometry.h"

namespace corvane {

class IslandRings {
 public:
  // The geometry must outlive this.
  explicit IslandRings(const LayerGeometry& geometry);

  // Inside the island's outer contour and in none of its holes; a point on
  // an edge counts as inside.
  bool Contains(uint32_t island, GeoPoint p) const;
  // Whether `shape` (closed polygons, `box` their box) and the island share
  // any area: `inside` is a point of the shape tried first; then any edge of
  // the island's contours near the shape that lies in it or crosses it.
  bool Touches(uint32_t island, const GeoPaths& shape, const GeoBox& box, GeoPoint inside) const;

 private:
  const LayerGeometry& geometry_;
  std::vector<GeoBox> ringBoxes_;
};

}  // namespace corvane
