#pragma once

// The board's shape: the region the outline's closed contour bounds, with the
// region of every closed contour inside it cut out; or, for a set whose
// outline is missing or does not close, the copper's extents with a margin.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/layer_geometry.h"

namespace corvane {

// Gaps in an outline up to this wide (nanometres) are closed.
inline constexpr int64_t kOutlineGapClosed = 50'000;
// Around the copper's extents when there is no outline to go by.
inline constexpr int64_t kBoardExtentsMargin = 1'000'000;

struct BoardShape {
  GeoPaths region;  // the board less its cut-outs; holes are not yet cut
  GeoBox box;       // of the region
  bool fromOutline = false;
  uint32_t cutOuts = 0;
  // What was lacking or assumed, one sentence each.
  std::vector<std::string> notes;
};

// One outline layer: its name for the notes and its geometry.
struct OutlineLayer {
  std::string name;
  const LayerGeometry* geometry = nullptr;
};

// `fallback`: the copper's extents, or whatever is drawn when there is no copper.
BoardShape FindBoardShape(std::span<const OutlineLayer> outlines, const GeoBox& fallback);

// The region a drawn closed line bounds: each outer contour that holds a hole
// (a line that closes on itself), shrunk by half the line's width, which puts
// its edge on the line's centre. Largest first.
std::vector<GeoPaths> ClosedContourRegions(const GeoPaths& drawn);

}  // namespace corvane
