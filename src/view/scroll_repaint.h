#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/view_host.h"
#include "view/picture_refinement.h"

namespace corvane {

// What a paint of the window has to do: everything, or move the picture it
// kept from the last paint by `shift` and then erase and paint `areas` anew.
struct WindowPaintPlan {
  bool full = true;
  DevicePoint shift;  // pixels the kept picture moves; right and down positive
  std::vector<DeviceRect> areas;
  // Instead of all that: show a preview at once, the last exact picture
  // moved by `preview` (the background where it has none or covers
  // nothing), and have the exact picture drawn elsewhere.
  bool refine = false;
  std::optional<PictureTransform> preview;
  friend bool operator==(const WindowPaintPlan&, const WindowPaintPlan&) = default;
};

// The plan for a picture kept at one scroll position and wanted at another
// `shift` pixels away. A paint culls each draw by its centre line against its
// window, so near the edges of any picture wide draws are missing that a
// picture at another position shows, up to `reach` pixels in; coordinates
// left of or above the window also truncate toward zero. So with what
// scrolling uncovered, `reach` pixels more at that side and `reach` pixels
// along the side the picture moves out at are painted again. Everything when
// that would be most of the window.
WindowPaintPlan PlanScrollRepaint(ClientSize client, DevicePoint shift, int32_t reach);

// Moves the pixels of a picture by `shift`; what moves out is lost and what
// is uncovered keeps its old pixels. `stride`: pixels from one row to the next.
void ShiftPixels(uint32_t* bits, std::ptrdiff_t stride, int32_t width, int32_t height,
                 DevicePoint shift);

}  // namespace corvane
