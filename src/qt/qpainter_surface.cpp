#include "qt/qpainter_surface.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <cmath>
#include <numbers>

namespace corvane {
namespace {

QRect ToQRect(const DeviceRect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

// The angle, in degrees counter-clockwise on the output, at which the ray from
// the ellipse's centre through `p` meets it, as QPainterPath counts angles.
double RayAngle(const QRectF& r, DevicePoint p) {
  double dx = p.x - r.center().x();
  double dy = r.center().y() - p.y;
  if (r.width() > 0) dx /= r.width() / 2;
  if (r.height() > 0) dy /= r.height() / 2;
  return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

}  // namespace

QPainterSurface::QPainterSurface(QPainter& painter, const DeviceRect& clipBox, bool printing)
    : painter_(painter),
      clipBox_(clipBox),
      printing_(printing),
      originalPen_(painter.pen()),
      originalBrush_(painter.brush()),
      background_(FromQColor(painter.background().color())) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

// Pens and brushes reach the painter only when the painter draws: surfaces
// that fill rows themselves change pens far more often than the painter draws.
bool QPainterSurface::SelectPen(uint32_t color, int32_t width) {
  pen_ = {true, color, width <= 1 ? 0 : width};
  penPending_ = true;
  return true;
}

bool QPainterSurface::SelectBrush(uint32_t color) {
  brush_ = {true, color};
  brushPending_ = true;
  return true;
}

void QPainterSurface::RestorePen() {
  pen_ = PenState{};
  penPending_ = true;
}

void QPainterSurface::RestoreBrush() {
  brush_ = BrushState{};
  brushPending_ = true;
}

void QPainterSurface::ApplyTools() {
  if (penPending_) {
    if (!pen_.selected) {
      painter_.setPen(originalPen_);
    } else if (pen_.width == 0) {
      QPen pen(ToQColor(pen_.color), 0);
      pen.setCosmetic(true);
      painter_.setPen(pen);
    } else {
      painter_.setPen(QPen(QBrush(ToQColor(pen_.color)), pen_.width, Qt::SolidLine, Qt::RoundCap,
                           Qt::RoundJoin));
    }
    penPending_ = false;
  }
  if (brushPending_) {
    painter_.setBrush(brush_.selected ? QBrush(ToQColor(brush_.color)) : originalBrush_);
    brushPending_ = false;
  }
}

void QPainterSurface::FillSolidRect(const DeviceRect& rect, uint32_t color) {
  background_ = color;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  painter_.fillRect(ToQRect(rect), ToQColor(color));
}

void QPainterSurface::FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || opacity == 0) return;
  QColor veil = ToQColor(color);
  veil.setAlpha(opacity);
  painter_.fillRect(ToQRect(rect), veil);
}

void QPainterSurface::Ellipse(const DeviceRect& rect) {
  ApplyTools();
  painter_.drawEllipse(ToQRect(rect));
}

void QPainterSurface::LineTo(DevicePoint point) {
  ApplyTools();
  if (point == current_ && pen_.selected && pen_.width > 1) {
    // A zero-length stroke with round caps is a dot as wide as the pen.
    const QPen pen = painter_.pen();
    const QBrush brush = painter_.brush();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(pen.brush());
    const double radius = pen.widthF() / 2;
    painter_.drawEllipse(QPointF(point.x, point.y), radius, radius);
    painter_.setPen(pen);
    painter_.setBrush(brush);
  } else {
    painter_.drawLine(QPoint(current_.x, current_.y), QPoint(point.x, point.y));
  }
  current_ = point;
}

void QPainterSurface::Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) {
  const QRectF r(box.left, box.top, static_cast<double>(box.right) - box.left,
                 static_cast<double>(box.bottom) - box.top);
  const double from = RayAngle(r, start);
  double sweep = start == end ? 0.0 : RayAngle(r, end) - from;
  // Rays that coincide close the ellipse.
  if (arcDirection_ == ArcDirection::kCounterClockwise) {
    if (sweep <= 0.0) sweep += 360.0;
  } else if (sweep >= 0.0) {
    sweep -= 360.0;
  }
  ApplyTools();
  QPainterPath path;
  path.arcMoveTo(r, from);
  path.arcTo(r, from, sweep);
  painter_.strokePath(path, painter_.pen());
}

void QPainterSurface::BeginLayer(uint32_t color, bool) { layerColor_ = color; }

namespace {

QPointF ToQPointF(SubPoint p) {
  return QPointF(static_cast<double>(p.x) / kSubUnits, static_cast<double>(p.y) / kSubUnits);
}

}  // namespace

void QPainterSurface::FillPath(const DevicePath& path, FillMode mode) {
  if (mode == FillMode::kClear || path.Empty()) return;
  QPainterPath qpath;
  qpath.setFillRule(Qt::WindingFill);
  std::size_t start = 0;
  for (const uint32_t size : path.contourSizes) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(size));
    for (std::size_t i = start; i < start + size && i < path.points.size(); ++i) {
      polygon << ToQPointF(path.points[i]);
    }
    qpath.addPolygon(polygon);
    qpath.closeSubpath();
    start += size;
  }
  painter_.fillPath(qpath, ToQColor(layerColor_));
  penPending_ = brushPending_ = true;
}

void QPainterSurface::FillDisc(SubPoint centre, int32_t diameter, FillMode mode) {
  if (mode == FillMode::kClear || diameter <= 0) return;
  const double r = static_cast<double>(diameter) / kSubUnits / 2;
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(ToQColor(layerColor_));
  painter_.drawEllipse(ToQPointF(centre), r, r);
  penPending_ = brushPending_ = true;
}

void QPainterSurface::FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) {
  if (mode == FillMode::kClear || width <= 0) return;
  if (from == to) {
    FillDisc(from, width, mode);
    return;
  }
  painter_.setPen(QPen(QBrush(ToQColor(layerColor_)), static_cast<double>(width) / kSubUnits,
                       Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter_.drawLine(ToQPointF(from), ToQPointF(to));
  penPending_ = true;
}

}  // namespace corvane
