#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace corvane {

// A point or rectangle in the surface's logical units (pixels on screen,
// hundredths of an inch on paper).
struct DevicePoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

struct DeviceRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

enum class ArcDirection { kCounterClockwise, kClockwise };

// The drawing context the renderer paints on: a window, a picture file or a
// printed page. Colours are 0x00BBGGRR.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // Selects a new solid pen. Width 0 or 1 is one device pixel whatever the
  // mapping; a wider pen is that many logical units wide with round ends and
  // joins. Returns false when the pen cannot be made; the pen in use stays.
  virtual bool SelectPen(uint32_t color, int32_t width) = 0;
  // Selects a new solid brush; false when it cannot be made.
  virtual bool SelectBrush(uint32_t color) = 0;
  // Put back the pen or brush the surface had before the first selection.
  virtual void RestorePen() = 0;
  virtual void RestoreBrush() = 0;

  // Fills with `color`, right and bottom edges excluded, no outline; an
  // inverted rectangle fills nothing. Leaves the background colour at `color`.
  virtual void FillSolidRect(const DeviceRect& rect, uint32_t color) = 0;
  // The ellipse inscribed in `rect`, filled with the brush, outlined with the pen.
  virtual void Ellipse(const DeviceRect& rect) = 0;
  virtual void MoveTo(DevicePoint point) = 0;
  // A line with the pen from the current point, which then moves to `point`.
  virtual void LineTo(DevicePoint point) = 0;
  // The outline of the ellipse inscribed in `box`, in the arc direction, from
  // the ray through `start` to the ray through `end`; a full ellipse when the
  // two points are equal. Directions are as seen on the output.
  virtual void Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) = 0;
  virtual void SetArcDirection(ArcDirection direction) = 0;

  virtual uint32_t GetBackgroundColor() const = 0;
  virtual void SetBackgroundColor(uint32_t color) = 0;
  virtual bool IsPrinting() const = 0;
  // The area that can be painted, in logical units.
  virtual DeviceRect GetClipBox() const = 0;
};

enum class SurfaceOp {
  kSelectPen,    // color, args: width
  kSelectBrush,  // color
  kRestorePen,
  kRestoreBrush,
  kFillSolidRect,       // color, args: left, top, right, bottom
  kEllipse,             // args: left, top, right, bottom
  kMoveTo,              // args: x, y
  kLineTo,              // args: x, y
  kArc,                 // args: box left, top, right, bottom, start x, y, end x, y
  kSetArcDirection,     // args: 0 counter-clockwise, 1 clockwise
  kSetBackgroundColor,  // color
};

struct SurfaceCall {
  SurfaceOp op = SurfaceOp::kMoveTo;
  uint32_t color = 0;
  std::array<int32_t, 8> args{};
  friend bool operator==(const SurfaceCall&, const SurfaceCall&) = default;
};

// Records every call with its integer arguments; for tests.
class RecordingSurface : public DrawingSurface {
 public:
  bool SelectPen(uint32_t color, int32_t width) override;
  bool SelectBrush(uint32_t color) override;
  void RestorePen() override { Record({SurfaceOp::kRestorePen}); }
  void RestoreBrush() override { Record({SurfaceOp::kRestoreBrush}); }
  void FillSolidRect(const DeviceRect& rect, uint32_t color) override;
  void Ellipse(const DeviceRect& rect) override;
  void MoveTo(DevicePoint point) override;
  void LineTo(DevicePoint point) override;
  void Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override;
  void SetArcDirection(ArcDirection direction) override;
  uint32_t GetBackgroundColor() const override { return background; }
  void SetBackgroundColor(uint32_t color) override;
  bool IsPrinting() const override { return printing; }
  DeviceRect GetClipBox() const override { return clipBox; }

  // The recorded calls of one kind, in order.
  std::vector<SurfaceCall> Calls(SurfaceOp op) const;
  void Clear() { calls.clear(); }

  std::vector<SurfaceCall> calls;
  bool printing = false;
  bool refuseObjects = false;  // pens and brushes cannot be made
  DeviceRect clipBox{0, 0, 800, 600};
  uint32_t background = 0xFFFFFF;

 private:
  void Record(const SurfaceCall& call) { calls.push_back(call); }
};

}  // namespace corvane
