#include "view/view_overlay.h"

#include <algorithm>

namespace corvane {
namespace {

// A sub-unit coordinate as a logical one: pens and lines work in those.
int32_t Logical(int32_t sub) { return sub / kSubUnits; }

void WidenTo(int32_t& low, int32_t& high, int32_t minimum) {
  if (high - low >= minimum) return;
  const int32_t centre = low + (high - low) / 2;
  low = centre - minimum / 2;
  high = low + minimum;
}

}  // namespace

void MarkerOverlay::Draw(DrawingSurface& dc, const PlotMapping& map) {
  for (const PlotMarker& marker : markers_) {
    const SubPoint a = map.Map(marker.minX, marker.minY);
    const SubPoint b = map.Map(marker.maxX, marker.maxY);
    const SubPoint at = map.Map(marker.atX, marker.atY);
    int32_t left = Logical(std::min(a.x, b.x));
    int32_t right = Logical(std::max(a.x, b.x));
    int32_t top = Logical(std::min(a.y, b.y));
    int32_t bottom = Logical(std::max(a.y, b.y));
    WidenTo(left, right, kMinMarkerPixels);
    WidenTo(top, bottom, kMinMarkerPixels);
    if (!dc.SelectPen(marker.color, marker.current ? 3 : 1)) continue;
    dc.MoveTo({left, top});
    dc.LineTo({right, top});
    dc.LineTo({right, bottom});
    dc.LineTo({left, bottom});
    dc.LineTo({left, top});
    const int32_t x = Logical(at.x);
    const int32_t y = Logical(at.y);
    const int32_t arm = kMinMarkerPixels / 2;
    dc.MoveTo({x - arm, y});
    dc.LineTo({x + arm, y});
    dc.MoveTo({x, y - arm});
    dc.LineTo({x, y + arm});
  }
  if (!markers_.empty()) dc.RestorePen();
}

}  // namespace corvane
