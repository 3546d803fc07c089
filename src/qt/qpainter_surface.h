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

 protected:
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
};

}  // namespace corvane
