#include "view/compare_overlay.h"

#include <utility>

namespace corvane {
namespace {

void FillGroup(DrawingSurface& dc, const PlotMapping& map, uint32_t color,
               const std::vector<const GeoPaths*>& shapes) {
  if (shapes.empty()) return;
  DevicePath path;
  for (const GeoPaths* shape : shapes) AppendDevicePaths(*shape, map, path);
  if (path.Empty()) return;
  dc.BeginLayer(color, false);
  dc.FillPath(path, FillMode::kDark);
  dc.EndLayer();
}

}  // namespace

void AppendDevicePaths(const GeoPaths& paths, const PlotMapping& map, DevicePath& out) {
  for (const GeoPath& ring : paths) {
    if (ring.size() < 3) continue;
    for (const GeoPoint& p : ring) {
      out.points.push_back(map.Map(NanometresToInches(static_cast<double>(p.x)),
                                   NanometresToInches(static_cast<double>(p.y))));
    }
    // Sized here: CloseContour would add up every contour before it each time.
    out.contourSizes.push_back(static_cast<uint32_t>(ring.size()));
  }
}

void CompareOverlay::SetPicture(std::vector<GeoPaths> unchanged,
                                std::vector<DifferencePlace> places) {
  unchanged_ = std::move(unchanged);
  places_ = std::move(places);
}

void CompareOverlay::Clear() {
  unchanged_.clear();
  places_.clear();
  markers_.Clear();
}

void CompareOverlay::Draw(DrawingSurface& dc, const PlotMapping& map) {
  dc.FillSolidRect(dc.GetClipBox(), kCompareBackground);
  std::vector<const GeoPaths*> muted;
  for (const GeoPaths& layer : unchanged_) muted.push_back(&layer);
  FillGroup(dc, map, kCompareUnchanged, muted);
  std::vector<const GeoPaths*> added;
  std::vector<const GeoPaths*> removed;
  for (const DifferencePlace& place : places_) {
    (place.kind == DifferenceKind::kAdded ? added : removed).push_back(&place.shape);
  }
  FillGroup(dc, map, kCompareRemoved, removed);
  FillGroup(dc, map, kCompareAdded, added);
  markers_.Draw(dc, map);
}

}  // namespace corvane
