#pragma once

#include <cstdint>

#include "platform/drawing_surface.h"

namespace corvane {

// The keys the view tells apart, as the window translates them. Escape ends
// a zoom drag; to the keyboard table it is just another key.
enum class ViewKey {
  kPageUp,
  kPageDown,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kInsert,
  kDelete,
  kSpace,
  kF3,
  kF5,
  kF8,
  kEscape,
  kOther,
};

// What a key does to the view: the scroll position it moves to (unless it
// zooms to the extents, which gives its own) and whether the view repaints.
struct KeyScroll {
  DevicePoint position;
  bool zoomToExtents = false;
  bool repaint = true;
};

// The view's keyboard table. Positions are not clamped: Page Up at the top
// scrolls above the canvas.
KeyScroll KeyScrollFor(ViewKey key, bool shiftDown, DevicePoint scrollPos, DevicePoint pageStep,
                       DevicePoint lineStep);

}  // namespace corvane
