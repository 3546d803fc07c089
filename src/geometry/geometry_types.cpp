#include "geometry/geometry_types.h"

#include <cmath>

namespace corvane {

GeoBox BoxOf(const GeoPath& path) {
  GeoBox box;
  for (const GeoPoint& p : path) box.Add(p);
  return box;
}

GeoBox BoxOf(const GeoPaths& paths) {
  GeoBox box;
  for (const GeoPath& path : paths) box.Add(BoxOf(path));
  return box;
}

}  // namespace corvane
