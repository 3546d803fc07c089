#include "platform/drawing_surface.h"

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

std::vector<SurfaceCall> RecordingSurface::Calls(SurfaceOp op) const {
  std::vector<SurfaceCall> result;
  for (const SurfaceCall& call : calls) {
    if (call.op == op) result.push_back(call);
  }
  return result;
}

}  // namespace corvane
