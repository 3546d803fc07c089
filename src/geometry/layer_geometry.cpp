#include "geometry/layer_geometry.h"

namespace corvane {

GeoPaths LayerGeometry::IslandPaths(uint32_t island) const {
  GeoPaths paths;
  const GeoIsland& record = islands[island];
  for (uint32_t r = record.firstRing; r < record.firstRing + record.ringCount; ++r) {
    const std::span<const GeoPoint> ring = Ring(r);
    paths.emplace_back(ring.begin(), ring.end());
  }
  return paths;
}

GeoPaths LayerGeometry::AllPaths() const {
  GeoPaths paths;
  paths.reserve(rings.size());
  for (uint32_t r = 0; r < rings.size(); ++r) {
    const std::span<const GeoPoint> ring = Ring(r);
    paths.emplace_back(ring.begin(), ring.end());
  }
  return paths;
}

std::span<const uint32_t> LayerGeometry::IslandsOf(uint64_t object) const {
  if (object + 1 >= objectIslandStart.size()) return {};
  const uint32_t first = objectIslandStart[object];
  return {objectIslands.data() + first, objectIslandStart[object + 1] - first};
}

}  // namespace corvane
