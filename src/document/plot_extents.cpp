#include "document/plot_extents.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace corvane {
namespace {

class ExtentsBox {
 public:
  void Add(double x, double y, double halfX, double halfY) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    e_.maxX = std::max(e_.maxX, x + halfX);
    e_.minX = std::min(e_.minX, x - halfX);
    e_.maxY = std::max(e_.maxY, y + halfY);
    e_.minY = std::min(e_.minY, y - halfY);
  }
  const Extents& Result() const { return e_; }

 private:
  Extents e_{0.0, kExtentsUnset, 0.0, kExtentsUnset};
};

bool Rectangular(int32_t shape) { return shape == kShapeRectangle || shape == kShapeSquare; }

// What each kind of item covers about its points, as the renderer draws it:
// a pen as wide as the aperture (a rectangle also sweeps its box along a
// draw), and a flash only of the shapes it fills.
struct Reach {
  double strokeX = 0.0;
  double strokeY = 0.0;
  double arc = 0.0;
  double flashX = 0.0;
  double flashY = 0.0;

  explicit Reach(const Aperture& a) {
    const double halfX = std::fabs(a.sizeX) / 2;
    const double halfY = std::fabs(a.sizeY) / 2;
    strokeX = arc = halfX;
    strokeY = Rectangular(a.shape) ? std::max(halfX, halfY) : halfX;
    const bool filled = a.shape == kShapeCircle || a.shape == kShapeEllipse || Rectangular(a.shape);
    if (filled && a.dcode != 0) {
      flashX = halfX;
      flashY = halfY;
    }
  }
};

bool Clockwise(uint8_t mode) { return mode == kModeClockwise || mode == kModeClockwiseMulti; }

// The angle swept from `from` to `to` in the arc's sense, in (0, 2 pi]: equal
// rays draw the whole circle.
double Sweep(double from, double to, bool clockwise) {
  constexpr double kTurn = 2 * std::numbers::pi;
  double sweep = clockwise ? from - to : to - from;
  sweep = std::fmod(sweep, kTurn);
  if (sweep <= 0.0) sweep += kTurn;
  return sweep;
}

// An arc from `start` round the centre start + (i, j) to the ray through
// `end`, as the renderer draws it: both ends, and each quarter point of the
// circle that the sweep passes. An arc that ends where it starts is the whole
// circle right after its centre was given, and nothing but its point after any
// other statement.
void AddArc(ExtentsBox& box, double sx, double sy, double ex, double ey, double i, double j,
            uint8_t mode, double half, bool centreJustGiven) {
  const double cx = sx + i;
  const double cy = sy + j;
  const double r = std::hypot(i, j);
  box.Add(sx, sy, half, half);
  box.Add(ex, ey, half, half);
  if (!(r > 0.0) || !std::isfinite(r)) return;
  if (sx == ex && sy == ey && !centreJustGiven) return;
  const bool clockwise = Clockwise(mode);
  const double from = std::atan2(-j, -i);
  const double to = std::atan2(ey - cy, ex - cx);
  const double sweep = Sweep(from, to, clockwise);
  box.Add(cx + r * std::cos(to), cy + r * std::sin(to), half, half);
  constexpr double kQuarter = std::numbers::pi / 2;
  for (int k = 0; k < 4; ++k) {
    const double angle = k * kQuarter;
    if (Sweep(from, angle, clockwise) <= sweep) {
      box.Add(cx + r * std::cos(angle), cy + r * std::sin(angle), half, half);
    }
  }
}

}  // namespace

// One pass as the renderer makes it: the aperture in force, the current
// point and the arc centre carry over from item to item and layer to layer.
Extents PlotExtents(const CCorvaneDoc& doc) {
  ExtentsBox box;
  const std::vector<PlotLayer>& layers = doc.Layers();
  Aperture none;
  none.dcode = 0;
  Reach reach(none);
  double x = 0.0;
  double y = 0.0;
  double i = 0.0;
  double j = 0.0;
  bool centreJustGiven = false;
  for (const PlotItem& item : doc.Items()) {
    if (item.kind == kKindArcCentre) {
      const PlotLayer* layer = item.layer < layers.size() ? &layers[item.layer] : nullptr;
      i = item.x - (layer != nullptr ? layer->offsetX / 1000.0 : 0.0);
      j = item.y - (layer != nullptr ? layer->offsetY / 1000.0 : 0.0);
      centreJustGiven = true;
      continue;
    }
    if (item.kind != kKindStatement) continue;
    const bool closedArcIsCircle = centreJustGiven;
    centreJustGiven = false;
    if (item.dcode == 1 && item.mode == kModeLinear) {
      box.Add(x, y, reach.strokeX, reach.strokeY);
      box.Add(item.x, item.y, reach.strokeX, reach.strokeY);
    } else if (item.dcode == 1) {
      AddArc(box, x, y, item.x, item.y, i, j, item.mode, reach.arc, closedArcIsCircle);
    } else if (item.dcode == 3) {
      box.Add(item.x, item.y, reach.flashX, reach.flashY);
    } else if (item.dcode >= 10) {
      reach = Reach(doc.FindAperture(item.dcode, item.layer));
    }
    x = item.x;
    y = item.y;
  }
  // A hole reaches as far as its tool's radius, as it is drawn.
  for (const DrillHit& hit : doc.DrillHits()) {
    DrillTool tool;
    const double r = doc.FindDrillTool(hit.tool, tool) && std::isfinite(tool.diameter)
                         ? std::fabs(tool.diameter) / 2
                         : 0.0;
    box.Add(hit.x, hit.y, r, r);
  }
  return box.Result();
}

}  // namespace corvane
