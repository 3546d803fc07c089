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

int64_t ToNanometres(double inches, bool& clamped) {
  const double nm = inches * kNanometresPerInch;
  if (std::isnan(nm)) {
    clamped = true;
    return 0;
  }
  constexpr double kLimit = static_cast<double>(kMaxCoordinate);
  if (nm > kLimit || nm < -kLimit) {
    clamped = true;
    return nm > 0 ? kMaxCoordinate : -kMaxCoordinate;
  }
  // Half away from zero, without the library call: millions of points pass here.
  return static_cast<int64_t>(nm >= 0.0 ? nm + 0.5 : nm - 0.5);
}

GeoPoint ToNanometres(double x, double y, bool& clamped) {
  return {ToNanometres(x, clamped), ToNanometres(y, clamped)};
}

}  // namespace corvane
