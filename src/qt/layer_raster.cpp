#include "qt/layer_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace corvane {
namespace {

constexpr double kUnit = kSubUnits;

double Px(int32_t sub) { return sub / kUnit; }

// Rows whose centres lie in [top, bottom).
int32_t FirstRow(double top) { return static_cast<int32_t>(std::ceil(top - 0.5)); }
int32_t EndRow(double bottom) { return static_cast<int32_t>(std::ceil(bottom - 0.5)); }

}  // namespace

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

void LayerRaster::Attach(uint32_t* bits, std::ptrdiff_t stride, int32_t width, int32_t height) {
  bits_ = bits;
  stride_ = stride;
  width_ = width;
  height_ = height;
  limit_ = {0, 0, width, height};
}

void LayerRaster::BeginLayer(uint32_t argb, bool erases) {
  argb_ = argb;
  erases_ = erases;
  if (!erases_ || bits_ == nullptr) return;
  const auto size = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  if (mask_.size() != size) mask_.assign(size, 0);
  dirtyTop_ = height_;
  dirtyBottom_ = -1;
  dirtyLeft_ = width_;
  dirtyRight_ = 0;
}

void LayerRaster::EndLayer() {
  if (!erases_ || bits_ == nullptr) return;
  erases_ = false;
  for (int32_t y = dirtyTop_; y <= dirtyBottom_; ++y) {
    uint8_t* cover = mask_.data() + static_cast<std::ptrdiff_t>(y) * width_;
    uint32_t* row = bits_ + y * stride_;
    for (int32_t x = dirtyLeft_; x < dirtyRight_; ++x) {
      if (cover[x] != 0) row[x] = argb_;
    }
    std::memset(cover + dirtyLeft_, 0, static_cast<std::size_t>(dirtyRight_ - dirtyLeft_));
  }
}

void LayerRaster::Span(int32_t y, double left, double right, bool dark) {
  if (y < limit_.top || y >= limit_.bottom || bits_ == nullptr) return;
  left = std::max(left, -1.0);
  right = std::min(right, width_ + 1.0);
  const int32_t x0 = std::max(static_cast<int32_t>(std::ceil(left - 0.5)), limit_.left);
  const int32_t x1 = std::min(static_cast<int32_t>(std::ceil(right - 0.5)), limit_.right);
  if (x0 >= x1) return;
  if (!erases_) {
    if (dark) std::fill(bits_ + y * stride_ + x0, bits_ + y * stride_ + x1, argb_);
    return;
  }
  uint8_t* cover = mask_.data() + static_cast<std::ptrdiff_t>(y) * width_;
  std::memset(cover + x0, dark ? 1 : 0, static_cast<std::size_t>(x1 - x0));
  if (!dark) return;
  dirtyTop_ = std::min(dirtyTop_, y);
  dirtyBottom_ = std::max(dirtyBottom_, y);
  dirtyLeft_ = std::min(dirtyLeft_, x0);
  dirtyRight_ = std::max(dirtyRight_, x1);
}

void LayerRaster::FillDisc(SubPoint centre, int32_t diameter, FillMode mode) {
  const double cx = Px(centre.x);
  const double cy = Px(centre.y);
  const double r = diameter / kUnit / 2;
  if (!(r > 0.0)) return;
  const bool dark = mode == FillMode::kDark;
  const int32_t first = std::max(FirstRow(cy - r), limit_.top);
  const int32_t end = std::min(EndRow(cy + r), limit_.bottom);
  for (int32_t y = first; y < end; ++y) {
    const double dy = y + 0.5 - cy;
    const double h2 = r * r - dy * dy;
    if (h2 < 0.0) continue;
    const double h = std::sqrt(h2);
    Span(y, cx - h, cx + h, dark);
  }
}

// Every row of a stroke with round ends is one span: it is convex, so the
// pieces the two end discs and the band between them give join up.
void LayerRaster::FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) {
  const double ax = Px(from.x);
  const double ay = Px(from.y);
  const double bx = Px(to.x);
  const double by = Px(to.y);
  const double r = width / kUnit / 2;
  if (!(r > 0.0)) return;
  const double dx = bx - ax;
  const double dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double reach = r * std::sqrt(len2);
  const bool dark = mode == FillMode::kDark;
  const int32_t first = std::max(FirstRow(std::min(ay, by) - r), limit_.top);
  const int32_t end = std::min(EndRow(std::max(ay, by) + r), limit_.bottom);
  for (int32_t y = first; y < end; ++y) {
    const double yc = y + 0.5;
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    for (const double* e : {&ax, &bx}) {
      const double ey = e == &ax ? ay : by;
      const double h2 = r * r - (yc - ey) * (yc - ey);
      if (h2 < 0.0) continue;
      const double h = std::sqrt(h2);
      lo = std::min(lo, *e - h);
      hi = std::max(hi, *e + h);
    }
    if (len2 > 0.0) {
      // Along: 0 <= (p - a).d <= |d|^2; across: |(p - a) x d| <= r |d|.
      double alo = 0.0;
      double ahi = 0.0;
      double clo = 0.0;
      double chi = 0.0;
      if (SolveRange((yc - ay) * dy - ax * dx, dx, 0.0, len2, alo, ahi) &&
          SolveRange(-ax * dy - (yc - ay) * dx, dy, -reach, reach, clo, chi)) {
        const double slo = std::max(alo, clo);
        const double shi = std::min(ahi, chi);
        if (slo <= shi) {
          lo = std::min(lo, slo);
          hi = std::max(hi, shi);
        }
      }
    }
    if (lo <= hi) Span(y, lo, hi, dark);
  }
}

// Scanlines through the rows' centres with an active edge list; spans where
// the winding number is not zero.
void LayerRaster::FillPath(const DevicePath& path, FillMode mode) {
  edges_.clear();
  std::size_t start = 0;
  int32_t top = height_;
  int32_t bottom = 0;
  for (const uint32_t size : path.contourSizes) {
    for (std::size_t i = 0; i < size && start + i < path.points.size(); ++i) {
      const SubPoint a = path.points[start + i];
      const SubPoint b = path.points[start + (i + 1 == size ? 0 : i + 1)];
      if (a.y == b.y) continue;
      const bool down = a.y < b.y;
      const double x0 = Px(down ? a.x : b.x);
      const double y0 = Px(down ? a.y : b.y);
      const double x1 = Px(down ? b.x : a.x);
      const double y1 = Px(down ? b.y : a.y);
      Edge edge;
      edge.firstRow = std::max(FirstRow(y0), 0);
      edge.lastRow = std::min(EndRow(y1), height_) - 1;
      if (edge.firstRow > edge.lastRow) continue;
      edge.slope = (x1 - x0) / (y1 - y0);
      edge.x = x0 + (edge.firstRow + 0.5 - y0) * edge.slope;
      edge.winding = down ? 1 : -1;
      edges_.push_back(edge);
      top = std::min(top, edge.firstRow);
      bottom = std::max(bottom, edge.lastRow);
    }
    start += size;
  }
  if (edges_.empty()) return;
  // The edges by first row, counted into place: a panel has many thousands.
  rowStart_.assign(static_cast<std::size_t>(height_) + 1, 0);
  for (const Edge& edge : edges_) ++rowStart_[static_cast<std::size_t>(edge.firstRow) + 1];
  for (std::size_t r = 1; r < rowStart_.size(); ++r) rowStart_[r] += rowStart_[r - 1];
  order_.resize(edges_.size());
  for (std::size_t i = 0; i < edges_.size(); ++i) {
    order_[rowStart_[static_cast<std::size_t>(edges_[i].firstRow)]++] = i;
  }
  const bool dark = mode == FillMode::kDark;
  active_.clear();
  std::size_t next = 0;
  // Crossings are reckoned from each edge's first row in the picture, so a
  // limited fill meets the same pixels as the whole one.
  top = std::max(top, limit_.top);
  bottom = std::min(bottom, limit_.bottom - 1);
  const auto byX = [](const Crossing& a, const Crossing& b) { return a.x < b.x; };
  for (int32_t y = top; y <= bottom; ++y) {
    // The edges that went on keep their order from row to row but where they
    // pass each other: put back in order in a step or two each.
    crossings_.clear();
    for (const std::size_t index : active_) {
      const Edge& edge = edges_[index];
      if (edge.lastRow < y) continue;
      const Crossing c{edge.x + (y - edge.firstRow) * edge.slope, edge.winding, index};
      std::size_t at = crossings_.size();
      crossings_.push_back(c);
      for (; at > 0 && crossings_[at - 1].x > c.x; --at) crossings_[at] = crossings_[at - 1];
      crossings_[at] = c;
    }
    starting_.clear();
    for (; next < order_.size() && edges_[order_[next]].firstRow <= y; ++next) {
      const Edge& edge = edges_[order_[next]];
      if (edge.lastRow < y) continue;
      starting_.push_back({edge.x + (y - edge.firstRow) * edge.slope, edge.winding, order_[next]});
    }
    if (!starting_.empty()) {
      std::sort(starting_.begin(), starting_.end(), byX);
      merged_.resize(crossings_.size() + starting_.size());
      std::merge(crossings_.begin(), crossings_.end(), starting_.begin(), starting_.end(),
                 merged_.begin(), byX);
      crossings_.swap(merged_);
    }
    active_.resize(crossings_.size());
    for (std::size_t i = 0; i < crossings_.size(); ++i) active_[i] = crossings_[i].edge;
    // Crossings at one x leave nothing between them, whatever their order.
    int32_t winding = 0;
    for (std::size_t i = 0; i + 1 < crossings_.size(); ++i) {
      winding += crossings_[i].winding;
      if (winding != 0) Span(y, crossings_[i].x, crossings_[i + 1].x, dark);
    }
  }
}

}  // namespace corvane
