#include "qt/qimage_surface.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Qt's aliased rules, as measured against its raster engine: a one-pixel line
// lights, at each step along its longer axis, the pixel its position falls in
// (Qt agrees on about 94 of 100 pixels of oblique lines); a wide stroke lights
// a pixel when its centre, nudged up and left by less than Qt's coordinate
// precision, lies inside; an ellipse with its one-pixel outline is the
// ellipse grown by half a pixel, sampled at the pixel's corner.
constexpr double kHairBias = 0.0;
constexpr double kSampleNudge = 1.0 / 128;

uint32_t ToArgb(uint32_t color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

// The x interval [lo, hi] where `a + x * b` lies in [min, max]; b may be 0.
bool SolveRange(double a, double b, double min, double max, double& lo, double& hi) {
  if (b == 0.0) {
    if (a < min || a > max) return false;
    lo = -HUGE_VAL;
    hi = HUGE_VAL;
    return true;
  }
  lo = (min - a) / b;
  hi = (max - a) / b;
  if (lo > hi) std::swap(lo, hi);
  return true;
}

}  // namespace

QImageSurface::QImageSurface(QImage& image, QPainter& painter)
    : QPainterSurface(painter, {0, 0, image.width(), image.height()}, false) {
  const QImage::Format f = image.format();
  fast_ = (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied) &&
          painter.isActive() && painter.device() == &image && painter.transform().isIdentity() &&
          !painter.hasClipping() &&
          painter.compositionMode() == QPainter::CompositionMode_SourceOver;
  if (fast_) {
    bits_ = reinterpret_cast<uint32_t*>(image.bits());
    stride_ = image.bytesPerLine() / 4;
    width_ = image.width();
    height_ = image.height();
  }
}

// Fills the pixels x of row y whose sample point x + nudge lies in [left, right].
void QImageSurface::Span(int32_t y, double left, double right, uint32_t argb, double nudge) {
  if (y < 0 || y >= height_) return;
  const double first = std::ceil(left - nudge);
  const double end = std::floor(right - nudge) + 1.0;
  const int32_t x0 = static_cast<int32_t>(std::max(first, 0.0));
  const int32_t x1 = static_cast<int32_t>(std::min(end, static_cast<double>(width_)));
  if (x0 >= x1) return;
  std::fill(bits_ + y * stride_ + x0, bits_ + y * stride_ + x1, argb);
}

void QImageSurface::FillSolidRect(const DeviceRect& rect, uint32_t color) {
  if (!fast_) {
    QPainterSurface::FillSolidRect(rect, color);
    return;
  }
  SetBackgroundColor(color);
  const uint32_t argb = ToArgb(color);
  const int32_t top = std::max(rect.top, 0);
  const int32_t bottom = std::min(rect.bottom, height_);
  const int32_t left = std::max(rect.left, 0);
  const int32_t right = std::min(rect.right, width_);
  if (left >= right) return;
  for (int32_t y = top; y < bottom; ++y) {
    std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + right, argb);
  }
}

// A filled ellipse outlined in the same colour is the ellipse grown by half
// the one-pixel outline; any other combination goes to the painter.
void QImageSurface::Ellipse(const DeviceRect& rect) {
  if (!fast_ || !Pen().selected || !Brush().selected || Pen().color != Brush().color ||
      Pen().width > 1) {
    QPainterSurface::Ellipse(rect);
    return;
  }
  const uint32_t argb = ToArgb(Brush().color);
  if (rect.right == rect.left || rect.bottom == rect.top) return;
  const double cx = (static_cast<double>(rect.left) + rect.right) / 2;
  const double cy = (static_cast<double>(rect.top) + rect.bottom) / 2;
  const double rx = std::fabs(static_cast<double>(rect.right) - rect.left) / 2 + 0.5;
  const double ry = std::fabs(static_cast<double>(rect.bottom) - rect.top) / 2 + 0.5;
  const int32_t y0 = std::max(0, static_cast<int32_t>(std::floor(cy - ry)));
  const int32_t y1 = std::min(height_ - 1, static_cast<int32_t>(std::ceil(cy + ry)));
  for (int32_t y = y0; y <= y1; ++y) {
    const double dy = (y + kSampleNudge - cy) / ry;
    if (dy <= -1.0 || dy >= 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    Span(y, cx - half, cx + half, argb, kSampleNudge);
  }
}

void QImageSurface::LineTo(DevicePoint point) {
  const DevicePoint from = Current();
  if (!fast_ || !Pen().selected) {
    QPainterSurface::LineTo(point);
    return;
  }
  MoveTo(point);
  const uint32_t argb = ToArgb(Pen().color);
  if (Pen().width <= 1) {
    HairLine(from, point, argb);
  } else {
    RoundLine(from, point, Pen().width / 2.0, argb);
  }
}

// One pixel per step along the longer axis, both ends included.
void QImageSurface::HairLine(DevicePoint a, DevicePoint b, uint32_t argb) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const double major0 = xMajor ? a.x : a.y;
  const double minor0 = xMajor ? a.y : a.x;
  const double majorD = xMajor ? dx : dy;
  const double slope = majorD == 0.0 ? 0.0 : (xMajor ? dy : dx) / majorD;
  const double majorLimit = (xMajor ? width_ : height_) - 1;
  const double minorLimit = (xMajor ? height_ : width_) + 1.0;
  double lo = std::max(std::min(major0, major0 + majorD), 0.0);
  double hi = std::min(std::max(major0, major0 + majorD), majorLimit);
  // Only the steps whose minor coordinate rounds into the image.
  double mlo = 0.0;
  double mhi = 0.0;
  if (!SolveRange(minor0 - major0 * slope, slope, -kHairBias, minorLimit, mlo, mhi)) return;
  lo = std::max(lo, std::floor(mlo));
  hi = std::min(hi, std::ceil(mhi));
  for (double m = lo; m <= hi; m += 1.0) {
    const double minor = std::floor(minor0 + (m - major0) * slope + kHairBias);
    const int32_t x = static_cast<int32_t>(xMajor ? m : minor);
    const int32_t y = static_cast<int32_t>(xMajor ? minor : m);
    if (x >= 0 && x < width_ && y >= 0 && y < height_) bits_[y * stride_ + x] = argb;
  }
}

// Every pixel whose centre lies within `radius` of the segment: a stroke with
// round caps. Each row of such a shape is one span.
void QImageSurface::RoundLine(DevicePoint a, DevicePoint b, double radius, uint32_t argb) {
  const double ax = a.x;
  const double ay = a.y;
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const double len2 = dx * dx + dy * dy;
  const double len = std::sqrt(len2);
  const double r2 = radius * radius;
  const int32_t y0 = std::max(0, static_cast<int32_t>(std::floor(std::min(ay, ay + dy) - radius)));
  const int32_t y1 =
      std::min(height_ - 1, static_cast<int32_t>(std::ceil(std::max(ay, ay + dy) + radius)));
  for (int32_t y = y0; y <= y1; ++y) {
    const double py = y + 0.5 - kSampleNudge;
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    for (int end = 0; end < 2; ++end) {  // the two round ends
      const double cx = end == 0 ? ax : ax + dx;
      const double cy = end == 0 ? ay : ay + dy;
      const double h2 = r2 - (py - cy) * (py - cy);
      if (h2 < 0.0) continue;
      const double h = std::sqrt(h2);
      lo = std::min(lo, cx - h);
      hi = std::max(hi, cx + h);
    }
    double tlo = 0.0;
    double thi = 0.0;
    double clo = 0.0;
    double chi = 0.0;
    const double rel = py - ay;
    // Along the segment (0 <= t <= 1) and within the radius across it.
    if (len2 > 0.0 && SolveRange(rel * dy - ax * dx, dx, 0.0, len2, tlo, thi) &&
        SolveRange(-ax * dy - rel * dx, dy, -radius * len, radius * len, clo, chi)) {
      const double slo = std::max(tlo, clo);
      const double shi = std::min(thi, chi);
      if (slo <= shi) {
        lo = std::min(lo, slo);
        hi = std::max(hi, shi);
      }
    }
    if (lo <= hi) Span(y, lo, hi, argb, 0.5 - kSampleNudge);
  }
}

}  // namespace corvane
