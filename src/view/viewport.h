#pragma once

#include <cstdint>

#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "platform/view_host.h"
#include "view/device_coordinates.h"

namespace corvane {

// Scroll bar input, as the window delivers it.
enum class ScrollCode {
  kLineUp,  // or line left
  kLineDown,
  kPageUp,
  kPageDown,
  kThumbPosition,
  kThumbTrack,
  kTop,  // or left end
  kBottom,
  kEndScroll,
};

struct PlotDelta {
  double dx = 0.0;
  double dy = 0.0;
};

struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
};

// How plot coordinates become window pixels: zoom scale, scroll offset,
// origin and mirroring, and the scroll bars over a fixed virtual canvas.
class Viewport {
 public:
  static constexpr int32_t kCanvasWidth = 1700;  // plot units
  static constexpr int32_t kCanvasHeight = 1100;

  explicit Viewport(ViewHost& host) : host_(host) {}

  // --- Mapping ------------------------------------------------------------------
  // The view coordinate of a plot coordinate: mirrored, then less the origin.
  double ViewX(double x) const { return (mirrorY_ ? maxX_ - x + minX_ : x) - originX_; }
  double ViewY(double y) const { return (mirrorX_ ? maxY_ - y + minY_ : y) - originY_; }
  // A view coordinate or size as a device value: scaled, clamped, truncated.
  int32_t Device(double view) const { return ToDevice(scale_ * view); }
  // Computes the origin once per paint from the flag and extents copies.
  void UpdateOrigin(bool printing);
  // Window distance from p1 to p2 in plot units; up the screen is positive.
  PlotDelta WindowDistance(DevicePoint p1, DevicePoint p2) const;
  // The plot point that maps to a client pixel: the mapping undone with the
  // present scale, scroll position, origin and mirroring, so a pad reads its
  // own coordinates however the picture is turned or moved. Not a number at a
  // scale that is not positive and finite.
  PlotPoint PlotPointAt(DevicePoint pixel) const;

  // --- Scrolling and zooming ------------------------------------------------------
  void UpdateScrollBars();
  void SetScrollPosition(int32_t x, int32_t y);
  // Moves both thumbs to the stored position without changing it.
  void SyncScrollThumbs();
  void ZoomAt(int32_t x, int32_t y, double factor);
  bool ZoomToRect(DeviceRect rect);
  // Fits the extents to the window and returns the scroll position that shows
  // them. Degenerate extents keep the scale (and return the scroll position).
  DevicePoint ZoomToExtents(const Extents& extents, bool documentAutoOrigin);
  // Fits the plot box between two corners to the client area about its
  // centre, at the present flags and extents (which stay); false, and nothing
  // changes, when no usable scale fits it.
  bool FitPlotBox(PlotPoint low, PlotPoint high);
  // One scroll bar message; true when the stored position changed.
  bool OnScroll(ScrollBarId bar, ScrollCode code, int32_t thumbPos);

  // --- State ----------------------------------------------------------------------
  double GetScale() const { return scale_; }
  void SetScale(double scale) { scale_ = scale; }
  DevicePoint GetScrollPos() const { return scrollPos_; }
  DevicePoint GetScrollRange() const { return scrollRange_; }
  DevicePoint GetPageStep() const { return pageStep_; }
  DevicePoint GetLineStep() const { return lineStep_; }
  int32_t GetMirrorX() const { return mirrorX_; }
  int32_t GetMirrorY() const { return mirrorY_; }
  int32_t GetAutoOrigin() const { return autoOrigin_; }
  void SetFlags(int32_t mirrorX, int32_t mirrorY, int32_t autoOrigin) {
    mirrorX_ = mirrorX;
    mirrorY_ = mirrorY;
    autoOrigin_ = autoOrigin;
  }
  void SetExtents(const Extents& extents);
  Extents GetExtents() const { return {maxX_, minX_, maxY_, minY_}; }
  double GetOriginX() const { return originX_; }
  double GetOriginY() const { return originY_; }
  ViewHost& Host() const { return host_; }

 private:
  ViewHost& host_;
  double scale_ = 0.001;
  DevicePoint scrollPos_;
  DevicePoint scrollRange_;
  DevicePoint pageStep_;
  DevicePoint lineStep_;
  int32_t mirrorX_ = 0;
  int32_t mirrorY_ = 0;
  int32_t autoOrigin_ = 1;
  double maxX_ = 0.0;
  double minX_ = 0.0;
  double maxY_ = 0.0;
  double minY_ = 0.0;
  double originX_ = 0.0;
  double originY_ = 0.0;
};

}  // namespace corvane
