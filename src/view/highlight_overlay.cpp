#include "view/highlight_overlay.h"

#include <algorithm>

namespace corvane {

void HighlightOverlay::Add(const GeoPaths& polygons) {
  for (const GeoPath& path : polygons) {
    if (path.size() < 3) continue;
    const Contour contour{static_cast<uint32_t>(xy_.size() / 2),
                          static_cast<uint32_t>(path.size())};
    for (const GeoPoint& p : path) {
      const double x = NanometresToInches(static_cast<double>(p.x));
      const double y = NanometresToInches(static_cast<double>(p.y));
      xy_.push_back(x);
      xy_.push_back(y);
      if (contours_.empty() && xy_.size() == 2) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
      }
      minX_ = std::min(minX_, x);
      maxX_ = std::max(maxX_, x);
      minY_ = std::min(minY_, y);
      maxY_ = std::max(maxY_, y);
    }
    contours_.push_back(contour);
  }
}

void HighlightOverlay::Clear() {
  xy_.clear();
  contours_.clear();
  minX_ = minY_ = 0.0;
  maxX_ = maxY_ = -1.0;
}

void HighlightOverlay::Draw(DrawingSurface& dc, const PlotMapping& map) {
  if (!contours_.empty()) {
    DevicePath path;
    for (const Contour& contour : contours_) {
      for (uint32_t i = 0; i < contour.count; ++i) {
        const std::size_t at = 2 * (contour.first + i);
        path.points.push_back(map.Map(xy_[at], xy_[at + 1]));
      }
      path.CloseContour();
    }
    dc.BeginLayer(kHighlightColor, false);
    dc.FillPath(path, FillMode::kDark);
    dc.EndLayer();
    DrawOutlines(dc, map);
  }
  DrawSnap(dc, map);
}

// A one-pixel edge keeps a lit object apart from a lit neighbour.
void HighlightOverlay::DrawOutlines(DrawingSurface& dc, const PlotMapping& map) const {
  if (!dc.SelectPen(kHighlightEdgeColor, 1)) return;
  for (const Contour& contour : contours_) {
    for (uint32_t i = 0; i <= contour.count; ++i) {
      const std::size_t at = 2 * (contour.first + i % contour.count);
      const SubPoint p = map.Map(xy_[at], xy_[at + 1]);
      const DevicePoint logical{p.x / kSubUnits, p.y / kSubUnits};
      if (i == 0)
        dc.MoveTo(logical);
      else
        dc.LineTo(logical);
    }
  }
  dc.RestorePen();
}

void HighlightOverlay::DrawSnap(DrawingSurface& dc, const PlotMapping& map) const {
  if (!snap_ || !dc.SelectPen(kSnapMarkerColor, 2)) return;
  const SubPoint p = map.Map(snap_->first, snap_->second);
  const int32_t x = p.x / kSubUnits;
  const int32_t y = p.y / kSubUnits;
  const int32_t r = kSnapMarkerPixels;
  dc.MoveTo({x - r, y - r});
  dc.LineTo({x + r, y - r});
  dc.LineTo({x + r, y + r});
  dc.LineTo({x - r, y + r});
  dc.LineTo({x - r, y - r});
  dc.RestorePen();
}

}  // namespace corvane
