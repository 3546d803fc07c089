#include "platform/drawing_surface.h"

#include <algorithm>
#include <cmath>

namespace corvane {

bool RecordingSurface::SelectPen(uint32_t color, int32_t width) {
  if (refuseObjects) return false;
  Record({SurfaceOp::kSelectPen, color, {width}});
  return true;
}

bool RecordingSurface::SelectBrush(uint32_t color) {
  if (refuseObjects) return false;
  Record({SurfaceOp::kSelectBrush, color, {}});
  return true;
}

void RecordingSurface::FillSolidRect(const DeviceRect& rect, uint32_t color) {
  background = color;
  Record({SurfaceOp::kFillSolidRect, color, {rect.left, rect.top, rect.right, rect.bottom}});
}

void RecordingSurface::Ellipse(const DeviceRect& rect) {
  Record({SurfaceOp::kEllipse, 0, {rect.left, rect.top, rect.right, rect.bottom}});
}

void RecordingSurface::MoveTo(DevicePoint point) {
  Record({SurfaceOp::kMoveTo, 0, {point.x, point.y}});
}

void RecordingSurface::LineTo(DevicePoint point) {
  Record({SurfaceOp::kLineTo, 0, {point.x, point.y}});
}

void RecordingSurface::Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) {
  Record({SurfaceOp::kArc,
          0,
          {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y}});
}

void RecordingSurface::SetArcDirection(ArcDirection direction) {
  Record({SurfaceOp::kSetArcDirection, 0, {direction == ArcDirection::kClockwise ? 1 : 0}});
}

void RecordingSurface::SetBackgroundColor(uint32_t color) {
  background = color;
  Record({SurfaceOp::kSetBackgroundColor, color, {}});
}

void RecordingSurface::BeginLayer(uint32_t color, bool erases) {
  Record({SurfaceOp::kBeginLayer, color, {erases ? 1 : 0}});
}

void RecordingSurface::FillPath(const DevicePath& path, FillMode mode) {
  SurfaceCall call{SurfaceOp::kFillPath, 0, {mode == FillMode::kClear ? 1 : 0}};
  call.path = path;
  Record(call);
}

void RecordingSurface::FillDisc(SubPoint centre, int32_t diameter, FillMode mode) {
  Record(
      {SurfaceOp::kFillDisc, 0, {mode == FillMode::kClear ? 1 : 0, centre.x, centre.y, diameter}});
}

void RecordingSurface::FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) {
  Record({SurfaceOp::kFillStroke,
          0,
          {mode == FillMode::kClear ? 1 : 0, from.x, from.y, to.x, to.y, width}});
}

std::vector<SurfaceCall> RecordingSurface::Calls(SurfaceOp op) const {
  std::vector<SurfaceCall> result;
  for (const SurfaceCall& call : calls) {
    if (call.op == op) result.push_back(call);
  }
  return result;
}

void DevicePath::CloseContour() {
  if (closedContours_ != contourSizes.size()) {
    closedPoints_ = 0;
    for (const uint32_t size : contourSizes) closedPoints_ += size;
  }
  if (points.size() > closedPoints_) {
    contourSizes.push_back(static_cast<uint32_t>(points.size() - closedPoints_));
    closedPoints_ = points.size();
  }
  closedContours_ = contourSizes.size();
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// Chords for a full turn of this radius (sub-units): within a quarter of a
// logical unit of the circle, between 8 and 256.
int ChordsPerTurn(double radius) {
  const double tolerance = kSubUnits / 4.0;
  if (radius <= tolerance) return 8;
  const double step = 2.0 * std::acos(1.0 - tolerance / radius);
  const double n = std::ceil(2.0 * kPi / step);
  return static_cast<int>(std::clamp(n, 8.0, 256.0));
}

SubPoint Round(double x, double y) {
  return {static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
}

}  // namespace

void AppendDiscContour(SubPoint centre, int32_t diameter, DevicePath& path) {
  const double r = std::max(diameter, 0) / 2.0;
  const int n = ChordsPerTurn(r);
  for (int i = 0; i < n; ++i) {
    const double a = 2.0 * kPi * i / n;
    path.points.push_back(Round(centre.x + r * std::cos(a), centre.y + r * std::sin(a)));
  }
  path.CloseContour();
}

void AppendStrokeContour(SubPoint from, SubPoint to, int32_t width, DevicePath& path) {
  const double r = std::max(width, 0) / 2.0;
  const double dx = static_cast<double>(to.x) - from.x;
  const double dy = static_cast<double>(to.y) - from.y;
  if (dx == 0.0 && dy == 0.0) {
    AppendDiscContour(from, width, path);
    return;
  }
  // Half a turn about each end, the sides between them.
  const double heading = std::atan2(dy, dx);
  const int half = std::max(4, ChordsPerTurn(r) / 2);
  for (int i = 0; i <= half; ++i) {
    const double a = heading - kPi / 2 + kPi * i / half;
    path.points.push_back(Round(to.x + r * std::cos(a), to.y + r * std::sin(a)));
  }
  for (int i = 0; i <= half; ++i) {
    const double a = heading + kPi / 2 + kPi * i / half;
    path.points.push_back(Round(from.x + r * std::cos(a), from.y + r * std::sin(a)));
  }
  path.CloseContour();
}

void DrawingSurface::FillDisc(SubPoint centre, int32_t diameter, FillMode mode) {
  DevicePath path;
  AppendDiscContour(centre, diameter, path);
  FillPath(path, mode);
}

void DrawingSurface::FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) {
  DevicePath path;
  AppendStrokeContour(from, to, width, path);
  FillPath(path, mode);
}

}  // namespace corvane
