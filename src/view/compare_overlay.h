#pragma once

// The picture of compare mode, drawn over the view's own: the view's picture
// covered in the background colour, the new revision's layers in a muted
// grey, and over them what was added in one colour and what was removed in
// another, each place's marker on top. Plot units are the standard
// reading's inches.

#include <cstdint>
#include <vector>

#include "analysis/board_comparison.h"
#include "geometry/layer_geometry.h"
#include "view/view_overlay.h"

namespace corvane {

inline constexpr uint32_t kCompareBackground = 0x000000;
inline constexpr uint32_t kCompareUnchanged = 0x505050;  // 0x00BBGGRR
inline constexpr uint32_t kCompareAdded = 0x40D020;
inline constexpr uint32_t kCompareRemoved = 0x3030E0;

class CompareOverlay : public ViewOverlay {
 public:
  // The muted layers and the places; both kept by value.
  void SetPicture(std::vector<GeoPaths> unchanged, std::vector<DifferencePlace> places);
  void SetMarkers(std::vector<PlotMarker> markers) { markers_.SetMarkers(std::move(markers)); }
  void Clear();
  bool Empty() const { return unchanged_.empty() && places_.empty(); }
  void Draw(DrawingSurface& dc, const PlotMapping& map) override;

 private:
  std::vector<GeoPaths> unchanged_;
  std::vector<DifferencePlace> places_;
  MarkerOverlay markers_;
};

// Nanometre paths as a device path through `map` (plot units in inches).
void AppendDevicePaths(const GeoPaths& paths, const PlotMapping& map, DevicePath& out);

}  // namespace corvane
