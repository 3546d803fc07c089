#include "view/plot_mapping.h"

#include <cmath>

namespace corvane {

PlotMapping PlotMapping::Of(const Viewport& viewport) {
  const double s = viewport.GetScale() * kSubUnits;
  const Extents e = viewport.GetExtents();
  const bool mirrorY = viewport.GetMirrorY() != 0;
  const bool mirrorX = viewport.GetMirrorX() != 0;
  PlotMapping map;
  map.kx = mirrorY ? -s : s;
  map.cx = s * ((mirrorY ? e.maxX + e.minX : 0.0) - viewport.GetOriginX());
  map.ky = mirrorX ? -s : s;
  map.cy = s * ((mirrorX ? e.maxY + e.minY : 0.0) - viewport.GetOriginY());
  return map;
}

SubPoint PlotMapping::Map(double x, double y) const {
  return {ToSub(kx * x + cx), ToSub(ky * y + cy)};
}

int32_t PlotMapping::Length(double size) const { return ToSub(std::fabs(size) * Scale()); }

}  // namespace corvane
