#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include "platform/drawing_surface.h"

namespace corvane {

// 0x00BBGGRR as a Qt colour.
inline QColor ToQColor(uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// The drawing model over a QPainter: no antialiasing, pens of width 0 or 1
// one device pixel wide, wider pens with round caps and joins, arcs counter-
// clockwise on the output unless told otherwise. Serves windows, SVG, PDF
// and printers.
class QPainterSurface : public DrawingSurface {
 public:
  // `clipBox` is the paintable area in the painter's logical units.
  QPainterSurface(QPainter& painter, const DeviceRect& clipBox, bool printing);

  bool SelectPen(uint32_t color, int32_t width) override;
  bool SelectBrush(uint32_t color) override;
  void RestorePen() override;
  void RestoreBrush() override;
  void FillSolidRect(const DeviceRect& rect, uint32_t color) override;
  void Ellipse(const DeviceRect& rect) override;
  void MoveTo(DevicePoint point) override { current_ = point; }
  void LineTo(DevicePoint point) override;
  void Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override;
  void SetArcDirection(ArcDirection direction) override { arcDirection_ = direction; }
  uint32_t GetBackgroundColor() const override { return background_; }
  void SetBackgroundColor(uint32_t color) override { background_ = color; }
  bool IsPrinting() const override { return printing_; }
  DeviceRect GetClipBox() const override { return clipBox_; }
  // Groups are painted as they come, in the group's colour; only dark fills
  // are drawn (the standard renderer resolves clear ones for this surface).
  void BeginLayer(uint32_t color, bool erases) override;
  void EndLayer() override {}
  void FillPath(const DevicePath& path, FillMode mode) override;
  void FillDisc(SubPoint centre, int32_t diameter, FillMode mode) override;
  void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) override;
  void FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) override;

 protected:
  uint32_t LayerColor() const { return layerColor_; }

  // The selection as the faster surfaces need to know it; "selected" is
  // false while the painter's own pen or brush is in use.
  struct PenState {
    bool selected = false;
    uint32_t color = 0;
    int32_t width = 0;
  };
  struct BrushState {
    bool selected = false;
    uint32_t color = 0;
  };
  const PenState& Pen() const { return pen_; }
  const BrushState& Brush() const { return brush_; }
  DevicePoint Current() const { return current_; }
  QPainter& Painter() { return painter_; }
  // Hands the selected pen and brush to the painter before it draws.
  void ApplyTools();

 private:
  QPainter& painter_;
  DeviceRect clipBox_;
  bool printing_;
  QPen originalPen_;
  QBrush originalBrush_;
  PenState pen_;
  BrushState brush_;
  bool penPending_ = false;
  bool brushPending_ = false;
  DevicePoint current_;
  ArcDirection arcDirection_ = ArcDirection::kCounterClockwise;
  uint32_t background_ = 0xFFFFFF;
  uint32_t layerColor_ = 0;
};

}  // namespace corvane
