#pragma once

// Objects lit up over the picture: a net or a component found by name, the
// object the user chose, and the point a measurement snapped to. The lit
// copper is kept as its exact polygons in plot units (inches) and filled in
// one layer group of the highlight colour over every layer, so that it shows
// in every output.

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/geometry_types.h"
#include "view/view_overlay.h"

namespace corvane {

inline constexpr uint32_t kHighlightColor = 0x00FFFF;  // yellow, 0x00BBGGRR
inline constexpr uint32_t kSnapMarkerColor = 0xFF00FF;
// How far the rest of the picture fades toward the background while
// something is lit (of 255).
inline constexpr uint8_t kDimOpacity = 160;
// Half the side of the square that marks a snap point, pixels.
inline constexpr int32_t kSnapMarkerPixels = 5;

class HighlightOverlay : public ViewOverlay {
 public:
  // Polygons in nanometres (the geometry's), drawn in inches.
  void Add(const GeoPaths& polygons);
  void Clear();
  bool Empty() const { return contours_.empty(); }
  std::size_t ContourCount() const { return contours_.size(); }
  // The box of everything lit, inches; empty when nothing is.
  double MinX() const { return minX_; }
  double MinY() const { return minY_; }
  double MaxX() const { return maxX_; }
  double MaxY() const { return maxY_; }

  // A small square where a measurement snapped, in inches; none hides it.
  void SetSnapMarker(std::optional<std::pair<double, double>> at) { snap_ = at; }

  void Draw(DrawingSurface& dc, const PlotMapping& map) override;

 private:
  struct Contour {
    uint32_t first = 0;
    uint32_t count = 0;
  };
  void DrawSnap(DrawingSurface& dc, const PlotMapping& map) const;

  std::vector<double> xy_;  // inches, x then y
  std::vector<Contour> contours_;
  double minX_ = 0.0, minY_ = 0.0, maxX_ = -1.0, maxY_ = -1.0;
  std::optional<std::pair<double, double>> snap_;
};

}  // namespace corvane
