#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/drawing_surface.h"
#include "view/plot_mapping.h"

namespace corvane {

// What is drawn over the picture after the picture itself: highlights,
// places that differ, the markers of findings. Each output (window, export,
// print) draws the view's overlays through the same surface, so they show
// everywhere the picture does.
class ViewOverlay {
 public:
  virtual ~ViewOverlay() = default;
  // `map` takes plot coordinates of the reading shown to device sub-units.
  virtual void Draw(DrawingSurface& dc, const PlotMapping& map) = 0;
};

// A box in plot units, drawn as its outline with a cross at `at`: where a
// finding or a difference is.
struct PlotMarker {
  double minX = 0.0;
  double minY = 0.0;
  double maxX = 0.0;
  double maxY = 0.0;
  double atX = 0.0;
  double atY = 0.0;
  uint32_t color = 0x0000FF;  // 0x00BBGGRR
  bool current = false;       // the chosen one: drawn with a wider pen
};

// Outlines every marker at least kMinMarkerPixels wide, so a point still shows.
class MarkerOverlay : public ViewOverlay {
 public:
  static constexpr int32_t kMinMarkerPixels = 12;

  void SetMarkers(std::vector<PlotMarker> markers) { markers_ = std::move(markers); }
  const std::vector<PlotMarker>& Markers() const { return markers_; }
  void Clear() { markers_.clear(); }
  void Draw(DrawingSurface& dc, const PlotMapping& map) override;

 private:
  std::vector<PlotMarker> markers_;
};

}  // namespace corvane
