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
constexpr double kSampleNudge = 1.0 / 128;

// Floor and ceiling without a library call, for values well inside 64 bits.
inline double FastFloor(double v) {
  const double t = static_cast<double>(static_cast<int64_t>(v));
  return t > v ? t - 1.0 : t;
}
inline double FastCeil(double v) {
  const double t = static_cast<double>(static_cast<int64_t>(v));
  return t < v ? t + 1.0 : t;
}

inline int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

uint32_t ToArgb(uint32_t color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
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
    layers_.Attach(bits_, stride_, width_, height_);
  }
  limit_ = {0, 0, image.width(), image.height()};
  limits_.push_back(limit_);
}

bool QImageSurface::LimitTo(const std::vector<DeviceRect>& areas) {
  if (!fast_) return false;
  const DeviceRect whole = GetClipBox();
  limits_.clear();
  for (const DeviceRect& area : areas) {
    const DeviceRect cut{std::clamp(area.left, whole.left, whole.right),
                         std::clamp(area.top, whole.top, whole.bottom),
                         std::clamp(area.right, whole.left, whole.right),
                         std::clamp(area.bottom, whole.top, whole.bottom)};
    if (cut.left < cut.right && cut.top < cut.bottom) limits_.push_back(cut);
  }
  limited_ = !(limits_.size() == 1 && limits_.front() == whole);
  limit_ = limits_.empty() ? DeviceRect{} : limits_.front();
  layers_.LimitTo(limit_);
  return true;
}

template <class Draw>
void QImageSurface::PainterInLimits(DeviceRect box, Draw&& draw) {
  if (!limited_) {
    draw();
    return;
  }
  const DeviceRect whole = GetClipBox();
  box = {std::max(box.left, whole.left), std::max(box.top, whole.top),
         std::min(box.right, whole.right), std::min(box.bottom, whole.bottom)};
  const auto touches = [&](const DeviceRect& area) {
    return box.left < area.right && area.left < box.right && box.top < area.bottom &&
           area.top < box.bottom;
  };
  if (box.left >= box.right || box.top >= box.bottom ||
      std::none_of(limits_.begin(), limits_.end(), touches)) {
    return;
  }
  const std::ptrdiff_t w = box.right - box.left;
  saved_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(box.bottom - box.top));
  for (int32_t y = box.top; y < box.bottom; ++y) {
    const uint32_t* row = bits_ + y * stride_ + box.left;
    std::copy(row, row + w, saved_.begin() + (y - box.top) * w);
  }
  draw();
  for (int32_t y = box.top; y < box.bottom; ++y) {
    uint32_t* row = bits_ + y * stride_;
    const uint32_t* old = saved_.data() + (y - box.top) * w;
    for (int32_t x = box.left; x < box.right; ++x) {
      const bool inside = std::any_of(limits_.begin(), limits_.end(), [&](const DeviceRect& a) {
        return x >= a.left && x < a.right && y >= a.top && y < a.bottom;
      });
      if (!inside) row[x] = old[x - box.left];
    }
  }
}

void QImageSurface::Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) {
  const int32_t reach = std::max(Pen().width, 1) / 2 + 3;
  PainterInLimits({std::min(box.left, box.right) - reach, std::min(box.top, box.bottom) - reach,
                   std::max(box.left, box.right) + reach, std::max(box.top, box.bottom) + reach},
                  [&] { QPainterSurface::Arc(box, start, end); });
}

template <class Draw>
void QImageSurface::InLimits(const DeviceRect& box, Draw&& draw) {
  if (!limited_) {
    draw();  // the whole picture: the row writers clip to it themselves
    return;
  }
  for (const DeviceRect& area : limits_) {
    if (box.right < area.left || box.left >= area.right || box.bottom < area.top ||
        box.top >= area.bottom) {
      continue;
    }
    if (!(limit_ == area)) {
      limit_ = area;
      layers_.LimitTo(area);
    }
    draw();
  }
}

void QImageSurface::BeginLayer(uint32_t color, bool erases) {
  QPainterSurface::BeginLayer(color, erases);
  if (fast_) layers_.BeginLayer(ToArgb(color), erases);
}

void QImageSurface::EndLayer() {
  if (fast_) layers_.EndLayer();
}

namespace {

// Whole pixels about a box in sub-units, a pixel more on every side.
DeviceRect SubBox(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  const auto px = [](int64_t sub, int64_t extra) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(FloorDiv(sub, kSubUnits) + extra, INT32_MIN / 2, INT32_MAX / 2));
  };
  return {px(left, -1), px(top, -1), px(right, 1), px(bottom, 1)};
}

}  // namespace

void QImageSurface::FillPath(const DevicePath& path, FillMode mode) {
  if (!fast_) {
    QPainterSurface::FillPath(path, mode);
    return;
  }
  if (path.points.empty()) return;
  int64_t left = INT64_MAX;
  int64_t top = INT64_MAX;
  int64_t right = INT64_MIN;
  int64_t bottom = INT64_MIN;
  for (const SubPoint& p : path.points) {
    left = std::min<int64_t>(left, p.x);
    right = std::max<int64_t>(right, p.x);
    top = std::min<int64_t>(top, p.y);
    bottom = std::max<int64_t>(bottom, p.y);
  }
  InLimits(SubBox(left, top, right, bottom), [&] { layers_.FillPath(path, mode); });
}

void QImageSurface::FillDisc(SubPoint centre, int32_t diameter, FillMode mode) {
  if (!fast_) {
    QPainterSurface::FillDisc(centre, diameter, mode);
    return;
  }
  const int64_t r = std::abs(int64_t{diameter}) / 2 + 1;
  InLimits(SubBox(centre.x - r, centre.y - r, centre.x + r, centre.y + r),
           [&] { layers_.FillDisc(centre, diameter, mode); });
}

void QImageSurface::FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) {
  if (!fast_) {
    QPainterSurface::FillStroke(from, to, width, mode);
    return;
  }
  const int64_t r = std::abs(int64_t{width}) / 2 + 1;
  InLimits(SubBox(std::min(from.x, to.x) - r, std::min(from.y, to.y) - r,
                  std::max(from.x, to.x) + r, std::max(from.y, to.y) + r),
           [&] { layers_.FillStroke(from, to, width, mode); });
}

// Fills the pixels x of row y whose sample point x + nudge lies in [left, right].
void QImageSurface::Span(int32_t y, double left, double right, uint32_t argb, double nudge) {
  if (y < limit_.top || y >= limit_.bottom) return;
  left = std::max(left - nudge, -1.0);
  right = std::min(right - nudge, static_cast<double>(width_));
  if (left > right) return;
  const int32_t x0 = std::max(static_cast<int32_t>(FastCeil(left)), limit_.left);
  const int32_t x1 = std::min(static_cast<int32_t>(FastFloor(right)) + 1, limit_.right);
  uint32_t* row = bits_ + y * stride_;
  for (int32_t x = x0; x < x1; ++x) row[x] = argb;
}

void QImageSurface::FillSolidRect(const DeviceRect& rect, uint32_t color) {
  if (!fast_) {
    QPainterSurface::FillSolidRect(rect, color);
    return;
  }
  SetBackgroundColor(color);
  const uint32_t argb = ToArgb(color);
  InLimits(rect, [&] {
    const int32_t top = std::max(rect.top, limit_.top);
    const int32_t bottom = std::min(rect.bottom, limit_.bottom);
    const int32_t left = std::max(rect.left, limit_.left);
    const int32_t right = std::min(rect.right, limit_.right);
    if (left >= right) return;
    for (int32_t y = top; y < bottom; ++y) {
      std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + right, argb);
    }
  });
}

// Each channel moved `opacity`/255 of the way to the colour, rounded: the
// same pixels whichever strips are painted.
void QImageSurface::FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) {
  if (!fast_) {
    QPainterSurface::FadeRect(rect, color, opacity);
    return;
  }
  const uint32_t argb = ToArgb(color);
  const uint32_t keep = 255u - opacity;
  const auto blend = [&](uint32_t pixel, int shift) {
    const uint32_t below = (pixel >> shift) & 0xFFu;
    const uint32_t over = (argb >> shift) & 0xFFu;
    return ((below * keep + over * opacity + 127u) / 255u) << shift;
  };
  InLimits(rect, [&] {
    const int32_t top = std::max(rect.top, limit_.top);
    const int32_t bottom = std::min(rect.bottom, limit_.bottom);
    const int32_t left = std::max(rect.left, limit_.left);
    const int32_t right = std::min(rect.right, limit_.right);
    for (int32_t y = top; y < bottom; ++y) {
      uint32_t* row = bits_ + y * stride_;
      for (int32_t x = left; x < right; ++x) {
        row[x] = 0xFF000000u | blend(row[x], 16) | blend(row[x], 8) | blend(row[x], 0);
      }
    }
  });
}

// A filled ellipse outlined in the same colour is the ellipse grown by half
// the one-pixel outline; any other combination goes to the painter.
void QImageSurface::Ellipse(const DeviceRect& rect) {
  if (!fast_ || !Pen().selected || !Brush().selected || Pen().color != Brush().color ||
      Pen().width > 1) {
    const int32_t reach = std::max(Pen().width, 1) / 2 + 3;
    PainterInLimits(
        {std::min(rect.left, rect.right) - reach, std::min(rect.top, rect.bottom) - reach,
         std::max(rect.left, rect.right) + reach, std::max(rect.top, rect.bottom) + reach},
        [&] { QPainterSurface::Ellipse(rect); });
    return;
  }
  const uint32_t argb = ToArgb(Brush().color);
  if (rect.right == rect.left || rect.bottom == rect.top) return;
  const DeviceRect box{std::min(rect.left, rect.right) - 1, std::min(rect.top, rect.bottom) - 1,
                       std::max(rect.left, rect.right) + 1, std::max(rect.top, rect.bottom) + 1};
  InLimits(box, [&] { FillEllipse(rect, argb); });
}

void QImageSurface::FillEllipse(const DeviceRect& rect, uint32_t argb) {
  const double cx = (static_cast<double>(rect.left) + rect.right) / 2;
  const double cy = (static_cast<double>(rect.top) + rect.bottom) / 2;
  const double rx = std::fabs(static_cast<double>(rect.right) - rect.left) / 2 + 0.5;
  const double ry = std::fabs(static_cast<double>(rect.bottom) - rect.top) / 2 + 0.5;
  const int32_t y0 = std::max(limit_.top, static_cast<int32_t>(FastFloor(std::max(cy - ry, -1.0))));
  const int32_t y1 =
      std::min(limit_.bottom - 1, static_cast<int32_t>(FastCeil(std::min(cy + ry, 1.0 * height_))));
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
    const int32_t reach = std::max(Pen().width, 1) / 2 + 3;
    PainterInLimits({std::min(from.x, point.x) - reach, std::min(from.y, point.y) - reach,
                     std::max(from.x, point.x) + reach, std::max(from.y, point.y) + reach},
                    [&] { QPainterSurface::LineTo(point); });
    return;
  }
  MoveTo(point);
  const uint32_t argb = ToArgb(Pen().color);
  const int32_t reach = Pen().width <= 1 ? 1 : Pen().width / 2 + 2;
  const DeviceRect box{std::min(from.x, point.x) - reach, std::min(from.y, point.y) - reach,
                       std::max(from.x, point.x) + reach, std::max(from.y, point.y) + reach};
  InLimits(box, [&] {
    if (Pen().width <= 1) {
      HairLine(from, point, argb);
    } else {
      RoundLine(from, point, Pen().width / 2.0, argb);
    }
  });
}

// One pixel per step along the longer axis, both ends included; the minor
// coordinate is the exact floor of the line's position there.
void QImageSurface::HairLine(DevicePoint a, DevicePoint b, uint32_t argb) {
  if (std::min(a.x, b.x) >= limit_.left && std::max(a.x, b.x) < limit_.right &&
      std::min(a.y, b.y) >= limit_.top && std::max(a.y, b.y) < limit_.bottom) {
    InsideHairLine(a, b, argb);
    return;
  }
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const double major0 = xMajor ? a.x : a.y;
  const double minor0 = xMajor ? a.y : a.x;
  const double majorD = xMajor ? dx : dy;
  const double slope = majorD == 0.0 ? 0.0 : (xMajor ? dy : dx) / majorD;
  // Only the steps that fall into the limit, a pixel wider across.
  const double majorFirst = xMajor ? limit_.left : limit_.top;
  const double majorLast = (xMajor ? limit_.right : limit_.bottom) - 1.0;
  const double minorFirst = (xMajor ? limit_.top : limit_.left) - 1.0;
  const double minorLast = (xMajor ? limit_.bottom : limit_.right) + 1.0;
  double lo = std::max(std::min(major0, major0 + majorD), majorFirst);
  double hi = std::min(std::max(major0, major0 + majorD), majorLast);
  double mlo = 0.0;
  double mhi = 0.0;
  if (!SolveRange(minor0 - major0 * slope, slope, minorFirst, minorLast, mlo, mhi)) return;
  lo = std::max(lo, FastFloor(mlo));
  hi = std::min(hi, FastCeil(mhi));
  if (lo > hi) return;
  // Exact floors of minor0 + (m - major0) * n / d, kept as quotient and remainder.
  const int64_t d = static_cast<int64_t>(std::fabs(majorD));
  const int64_t n =
      d == 0 ? 0 : static_cast<int64_t>(majorD > 0 ? (xMajor ? dy : dx) : -(xMajor ? dy : dx));
  const int32_t first = static_cast<int32_t>(lo);
  const int32_t last = static_cast<int32_t>(hi);
  const int64_t den = d == 0 ? 1 : d;
  const int64_t num = static_cast<int64_t>(minor0) * den +
                      (first - static_cast<int64_t>(major0)) * (d == 0 ? 0 : n);
  int64_t q = FloorDiv(num, den);
  int64_t r = num - q * den;
  const int64_t stepQ = FloorDiv(n, den);
  const int64_t stepR = n - stepQ * den;
  for (int32_t m = first; m <= last; ++m) {
    const int32_t x = xMajor ? m : static_cast<int32_t>(q);
    const int32_t y = xMajor ? static_cast<int32_t>(q) : m;
    if (x >= limit_.left && x < limit_.right && y >= limit_.top && y < limit_.bottom) {
      bits_[y * stride_ + x] = argb;
    }
    q += stepQ;
    r += stepR;
    if (r >= den) {
      r -= den;
      ++q;
    }
  }
}

// The same pixels for a line with both ends in the picture, the common case:
// whole steps from the end with the smaller major coordinate, no division
// and no bounds test per pixel.
void QImageSurface::InsideHairLine(DevicePoint a, DevicePoint b, uint32_t argb) {
  const bool xMajor = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
  if ((xMajor ? b.x - a.x : b.y - a.y) < 0) std::swap(a, b);
  const int32_t d = xMajor ? b.x - a.x : b.y - a.y;  // 0 <= |n| <= d
  const int32_t n = xMajor ? b.y - a.y : b.x - a.x;
  uint32_t* p = bits_ + a.y * stride_ + a.x;
  if (d == 0) {
    *p = argb;
    return;
  }
  // n = stepQ * d + stepR with 0 <= stepR < d.
  const int32_t stepQ = n == d ? 1 : (n < 0 ? -1 : 0);
  const int32_t stepR = n - stepQ * d;
  const qsizetype minorStep = xMajor ? stride_ : 1;
  const qsizetype advance = (xMajor ? 1 : stride_) + stepQ * minorStep;
  int32_t r = 0;
  for (int32_t i = 0;; ++i) {
    *p = argb;
    if (i == d) break;
    p += advance;
    r += stepR;
    if (r >= d) {
      r -= d;
      p += minorStep;
    }
  }
}

// Half the width, at each row offset from an end point, of the round cap
// about that point; negative where the row misses the cap. End points are
// whole pixels, so one table serves every stroke of a pen.
void QImageSurface::BuildCapTable(double radius) {
  capRadius_ = radius;
  capReach_ = static_cast<int32_t>(std::ceil(radius)) + 1;
  capHalf_.assign(static_cast<std::size_t>(2 * capReach_ + 1), -1.0);
  for (int32_t k = -capReach_; k <= capReach_; ++k) {
    const double d = k + 0.5 - kSampleNudge;
    const double h2 = radius * radius - d * d;
    if (h2 >= 0.0) capHalf_[static_cast<std::size_t>(k + capReach_)] = std::sqrt(h2);
  }
}

// Every pixel whose centre, nudged, lies within `radius` of the segment: a
// stroke with round caps. Each row of it is one span: the union of the two
// caps' spans and the span between the two pairs of parallel edges.
void QImageSurface::RoundLine(DevicePoint a, DevicePoint b, double radius, uint32_t argb) {
  if (radius != capRadius_) BuildCapTable(radius);
  const double ax = a.x;
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const double len2 = dx * dx + dy * dy;
  const double reach = radius * std::sqrt(len2);
  // Across the segment: x = ax + rel * dx / dy +- reach / |dy| (0 <= t <= 1
  // along it likewise), rel being the row's height above a.
  const double alongSlope = dx != 0.0 ? -dy / dx : 0.0;
  const double alongWidth = dx != 0.0 ? len2 / dx : 0.0;
  const double acrossSlope = dy != 0.0 ? dx / dy : 0.0;
  const double acrossHalf = dy != 0.0 ? reach / std::fabs(dy) : 0.0;
  const int32_t top = std::max(limit_.top, std::min(a.y, b.y) - capReach_);
  const int32_t bottom = std::min(limit_.bottom - 1, std::max(a.y, b.y) + capReach_);
  for (int32_t y = top; y <= bottom; ++y) {
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    const int32_t ka = y - a.y;
    const int32_t kb = y - b.y;
    if (ka >= -capReach_ && ka <= capReach_) {
      const double h = capHalf_[static_cast<std::size_t>(ka + capReach_)];
      if (h >= 0.0) {
        lo = ax - h;
        hi = ax + h;
      }
    }
    if (kb >= -capReach_ && kb <= capReach_) {
      const double h = capHalf_[static_cast<std::size_t>(kb + capReach_)];
      if (h >= 0.0) {
        lo = std::min(lo, b.x - h);
        hi = std::max(hi, b.x + h);
      }
    }
    if (len2 > 0.0) {
      const double rel = ka + 0.5 - kSampleNudge;
      double slo = -HUGE_VAL;
      double shi = HUGE_VAL;
      bool inside = true;
      if (dx != 0.0) {
        const double base = ax + rel * alongSlope;
        slo = base + std::min(0.0, alongWidth);
        shi = base + std::max(0.0, alongWidth);
      } else {
        inside = rel * dy >= 0.0 && rel * dy <= len2;
      }
      if (dy != 0.0) {
        const double base = ax + rel * acrossSlope;
        slo = std::max(slo, base - acrossHalf);
        shi = std::min(shi, base + acrossHalf);
      } else {
        inside = inside && std::fabs(rel * dx) <= reach;
      }
      if (inside && slo <= shi) {
        lo = std::min(lo, slo);
        hi = std::max(hi, shi);
      }
    }
    if (lo <= hi) Span(y, lo, hi, argb, 0.5 - kSampleNudge);
  }
}

}  // namespace corvane
