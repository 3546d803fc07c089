#pragma once

#include <array>
#include <cstdint>
#include <span>
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

// Filled geometry keeps a fraction of a logical unit: a logical unit is 1/100
// inch on paper, and features finer than that must not vanish. Positions and
// sizes of filled paths, discs and strokes are in 1/kSubUnits logical units.
inline constexpr int32_t kSubUnits = 256;

struct SubPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const SubPoint&, const SubPoint&) = default;
};

// Closed polygons, the last point of each joined to its first, filled together
// by the nonzero rule: a contour inside another and running the other way is a
// hole.
struct DevicePath {
  std::vector<SubPoint> points;
  std::vector<uint32_t> contourSizes;  // points of each contour, in order

  void Clear() {
    points.clear();
    contourSizes.clear();
    closedPoints_ = 0;
    closedContours_ = 0;
  }
  // Closes the contour made of the points added since the last one.
  void CloseContour();
  bool Empty() const { return contourSizes.empty(); }
  friend bool operator==(const DevicePath& a, const DevicePath& b) {
    return a.points == b.points && a.contourSizes == b.contourSizes;
  }

 private:
  // The points of the closed contours, as of closedContours_ contours: a
  // path of many contours is closed one at a time without adding them all up
  // again each time. Counted again when contourSizes was changed directly.
  std::size_t closedPoints_ = 0;
  std::size_t closedContours_ = 0;
};

// Within a layer group a dark fill adds to the layer and a clear fill erases
// what the layer drew before it.
enum class FillMode : uint8_t { kDark, kClear };

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
  // The parts of the clip box a paint writes when it writes only those;
  // empty for all of it. What cannot reach them may be left out.
  virtual std::span<const DeviceRect> PaintAreas() const { return {}; }

  // --- Layer groups and fills (the standard reading) ---------------------------
  // A layer group: the fills until EndLayer make one layer, which is then laid
  // over what lies below in `color`. `erases`: the group holds clear fills.
  virtual void BeginLayer(uint32_t color, bool erases) = 0;
  virtual void EndLayer() = 0;
  // True when clear fills truly erase within their group (a raster surface
  // keeps each group apart until it ends). Otherwise only dark fills may be
  // given, and the caller resolves clear ones beforehand with polygon booleans.
  virtual bool ComposesLayers() const { return false; }
  virtual void FillPath(const DevicePath& path, FillMode mode) = 0;
  // A disc and a stroke with round ends; both are paths flattened here unless
  // a surface draws them itself.
  virtual void FillDisc(SubPoint centre, int32_t diameter, FillMode mode);
  virtual void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode);

  // Lays `color` over `rect` at `opacity` (0 to 255) of its full strength,
  // what lies below showing through: the picture dimmed under what is lit.
  // A surface that cannot blend leaves the picture as it is.
  virtual void FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) {
    (void)rect, (void)color, (void)opacity;
  }
};

// Appends a counter-clockwise (as seen with y up) polygon within a quarter of
// a logical unit of the disc or the round-ended stroke.
void AppendDiscContour(SubPoint centre, int32_t diameter, DevicePath& path);
void AppendStrokeContour(SubPoint from, SubPoint to, int32_t width, DevicePath& path);

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
  kBeginLayer,          // color, args: erases
  kEndLayer,
  kFillPath,   // args: 0 dark, 1 clear; path
  kFillDisc,   // args: mode, centre x, y, diameter (sub-units)
  kFillStroke,  // args: mode, from x, y, to x, y, width (sub-units)
  kFadeRect     // color, args: left, top, right, bottom, opacity
};

struct SurfaceCall {
  SurfaceCall(SurfaceOp callOp = SurfaceOp::kMoveTo, uint32_t callColor = 0,
              std::array<int32_t, 8> callArgs = {})
      : op(callOp), color(callColor), args(callArgs) {}

  SurfaceOp op = SurfaceOp::kMoveTo;
  uint32_t color = 0;
  std::array<int32_t, 8> args{};
  DevicePath path;
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
  void BeginLayer(uint32_t color, bool erases) override;
  void EndLayer() override { Record({SurfaceOp::kEndLayer}); }
  bool ComposesLayers() const override { return composes; }
  void FillPath(const DevicePath& path, FillMode mode) override;
  void FillDisc(SubPoint centre, int32_t diameter, FillMode mode) override;
  void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) override;
  void FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) override {
    Record({SurfaceOp::kFadeRect, color, {rect.left, rect.top, rect.right, rect.bottom, opacity}});
  }

  // The recorded calls of one kind, in order.
  std::vector<SurfaceCall> Calls(SurfaceOp op) const;
  void Clear() { calls.clear(); }

  std::vector<SurfaceCall> calls;
  bool printing = false;
  bool refuseObjects = false;  // pens and brushes cannot be made
  DeviceRect clipBox{0, 0, 800, 600};
  uint32_t background = 0xFFFFFF;
  bool composes = true;  // false: records as a vector surface would be given it

 private:
  void Record(const SurfaceCall& call) { calls.push_back(call); }
};

}  // namespace corvane
