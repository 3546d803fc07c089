#include "view/plot_renderer.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace corvane {
namespace {

DeviceRect EnlargedClip(const DrawingSurface& dc) {
  const DeviceRect box = dc.GetClipBox();
  return {ToDevice(box.left - 1.0), ToDevice(box.top - 1.0), ToDevice(box.right + 1.0),
          ToDevice(box.bottom + 1.0)};
}

// Cuts the segment, in unrounded device coordinates, to the safe range so
// that its rounded ends keep its direction. False when none of it lies there:
// then no window or page can show any of it either.
bool ClipToSafeRange(double& sx, double& sy, double& ex, double& ey) {
  constexpr double kL = kDeviceLimit;
  if (std::fabs(sx) <= kL && std::fabs(sy) <= kL && std::fabs(ex) <= kL && std::fabs(ey) <= kL) {
    return true;
  }
  if (std::isnan(sx) || std::isnan(sy) || std::isnan(ex) || std::isnan(ey)) return false;
  const double dx = ex - sx;
  const double dy = ey - sy;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {sx + kL, kL - sx, sy + kL, kL - sy};
  double t0 = 0.0;
  double t1 = 1.0;
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double nsx = sx + t0 * dx;
  const double nsy = sy + t0 * dy;
  ex = sx + t1 * dx;
  ey = sy + t1 * dy;
  sx = nsx;
  sy = nsy;
  return true;
}

bool IsRectangular(int32_t shape) { return shape == kShapeRectangle || shape == kShapeSquare; }

}  // namespace

PlotRenderer::PlotRenderer() {
  currentAperture_.dcode = 0;
  currentAperture_.shape = kShapeCircle;
}

void PlotRenderer::BeginPass(const DrawingSurface& dc, const Viewport& viewport) {
  scale_ = viewport.GetScale();
  mirrorX_ = viewport.GetMirrorX() != 0;
  mirrorY_ = viewport.GetMirrorY() != 0;
  printing_ = dc.IsPrinting();
}

void PlotRenderer::OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, Viewport& viewport) {
  const uint32_t background = dc.GetBackgroundColor();
  viewport.SetExtents(doc.GetExtents());
  viewport.SetFlags(doc.GetMirrorX(), doc.GetMirrorY(), doc.GetAutoOrigin());
  viewport.UpdateOrigin(dc.IsPrinting());
  DrawPlotItems(dc, doc, viewport);
  if (doc.GetShowDrillHoles()) DrawDrillHits(dc, doc, viewport);
  dc.SetBackgroundColor(background);
  ReleaseDrawingTools(dc);
}

void PlotRenderer::KeepRunsForStrips(bool keep) {
  keepRuns_ = keep;
  if (keep) return;
  runs_.reset();
  runsItems_ = nullptr;
  runsCount_ = 0;
}

void PlotRenderer::AdoptRunsOf(const PlotRenderer& other) {
  if (!keepRuns_ || !other.runs_ || other.runs_->empty()) return;
  if (runs_ && runsItems_ == other.runsItems_ && runsCount_ == other.runsCount_) return;
  runs_ = other.runs_;
  runsItems_ = other.runsItems_;
  runsCount_ = other.runsCount_;
}

void PlotRenderer::TakeCarriedStateOf(const PlotRenderer& other) {
  currentAperture_ = other.currentAperture_;
  currentColor_ = other.currentColor_;
  currentX_ = other.currentX_;
  currentY_ = other.currentY_;
  arcOffsetI_ = other.arcOffsetI_;
  arcOffsetJ_ = other.arcOffsetJ_;
}

// The box of a run of items while a whole paint records it: plain minima and
// maxima of its points and the widest reach, and a sum that stops being a
// finite number when any coordinate or reach is not one, so that such a run
// is marked as reaching anywhere.
struct PlotRenderer::RunBox {
  double minX = HUGE_VAL;
  double minY = HUGE_VAL;
  double maxX = -HUGE_VAL;
  double maxY = -HUGE_VAL;
  double reach = 0.0;
  double check = 0.0;

  void Add(double x, double y, double r) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    reach = std::max(reach, std::fabs(r));
    check += x + y + r;
  }

  void StoreInto(RunStart& run) const {
    if (!std::isfinite(check)) {
      run.anywhere = true;
    } else if (minX <= maxX) {
      run.minX = minX - reach;
      run.maxX = maxX + reach;
      run.minY = minY - reach;
      run.maxY = maxY + reach;
    }
  }
};

void PlotRenderer::DrawPlotItems(DrawingSurface& dc, const CCorvaneDoc& doc,
                                 const Viewport& viewport) {
  BeginPass(dc, viewport);
  const DeviceRect clip = EnlargedClip(dc);
  const std::vector<PlotLayer>& layers = doc.Layers();
  const std::span<const PlotItem> items = doc.Items();
  bool visible = true;
  double offsetX = 0.0;
  double offsetY = 0.0;
  // An index without a layer record keeps the previous layer's settings.
  auto fetchLayer = [&](std::size_t index) {
    if (index >= layers.size()) return;
    currentColor_ = layers[index].color;
    visible = layers[index].visible != 0;
    offsetX = layers[index].offsetX / 1000.0;
    offsetY = layers[index].offsetY / 1000.0;
  };
  for (ApertureCacheEntry& entry : apertureCache_) entry.valid = false;
  const Aperture startAperture = currentAperture_;
  uint8_t layerIndex = 0;
  fetchLayer(0);
  currentX_ = 0.0;
  currentY_ = 0.0;
  bool centreJustGiven = false;
  // The statement before the present item, and the aperture in force.
  std::size_t lastStatement = 0;  // its index + 1; 0: none yet
  int32_t apertureDcode = 0;
  uint8_t apertureLayer = 0;

  // A paint of the whole window records where each run of items can be taken
  // up and what it may draw; a paint of a few strips then leaves out the runs
  // that cannot reach them.
  // A paint of one band of a picture records them too when there are none:
  // it walks every item anyway.
  const std::span<const DeviceRect> areas = dc.PaintAreas();
  const bool runsValid =
      runs_ && !runs_->empty() && runsItems_ == items.data() && runsCount_ == items.size();
  const bool recording = keepRuns_ && recordRuns_ && !printing_ && (areas.empty() || !runsValid);
  const bool skipping = !areas.empty() && !printing_ && runsValid;
  std::shared_ptr<std::vector<RunStart>> recorded;
  if (recording) {
    recorded = std::make_shared<std::vector<RunStart>>();
    recorded->reserve(items.size() / kRunLength + 2);  // no copies while it grows
  }
  const std::vector<RunStart>* runs = skipping ? runs_.get() : nullptr;
  auto takeUp = [&](const RunStart& r) {
    currentColor_ = r.color;
    visible = r.visible;
    offsetX = r.offsetX;
    offsetY = r.offsetY;
    layerIndex = r.layerIndex;
    centreJustGiven = r.centreJustGiven;
    arcOffsetI_ = r.arcI;
    arcOffsetJ_ = r.arcJ;
    lastStatement = r.lastStatement;
    apertureDcode = r.dcode;
    apertureLayer = r.apertureLayer;
    currentAperture_ = r.dcode == 0 ? startAperture : LookUpAperture(doc, r.dcode, r.apertureLayer);
    if (lastStatement == 0) {
      currentX_ = 0.0;
      currentY_ = 0.0;
    } else {
      currentX_ = viewport.ViewX(items[lastStatement - 1].x);
      currentY_ = viewport.ViewY(items[lastStatement - 1].y);
    }
  };
  auto here = [&] {
    RunStart r;
    r.color = currentColor_;
    r.visible = visible;
    r.offsetX = offsetX;
    r.offsetY = offsetY;
    r.layerIndex = layerIndex;
    r.centreJustGiven = centreJustGiven;
    r.arcI = arcOffsetI_;
    r.arcJ = arcOffsetJ_;
    r.lastStatement = lastStatement;
    r.dcode = apertureDcode;
    r.apertureLayer = apertureLayer;
    return r;
  };
  auto reaches = [&](const RunStart& r) {
    if (r.anywhere) return true;
    const double x0 = scale_ * viewport.ViewX(r.minX);
    const double x1 = scale_ * viewport.ViewX(r.maxX);
    const double y0 = scale_ * viewport.ViewY(r.minY);
    const double y1 = scale_ * viewport.ViewY(r.maxY);
    // Two pixels more for the truncation of coordinates and the samples.
    const double left = std::min(x0, x1) - 2.0;
    const double right = std::max(x0, x1) + 2.0;
    const double top = std::min(y0, y1) - 2.0;
    const double bottom = std::max(y0, y1) + 2.0;
    return std::any_of(areas.begin(), areas.end(), [&](const DeviceRect& a) {
      return left < a.right && right >= a.left && top < a.bottom && bottom >= a.top;
    });
  };

  bool takeUpNeeded = false;
  bool cancelled = false;
  constexpr std::size_t kRunsBetweenAsks = 256;
  for (std::size_t first = 0, run = 0; first < items.size(); first += kRunLength, ++run) {
    if (run % kRunsBetweenAsks == 0 && cancel_.Cancelled()) {
      cancelled = true;
      break;
    }
    const std::size_t end = std::min(first + kRunLength, items.size());
    if (runs != nullptr) {
      if (!reaches((*runs)[run])) {
        takeUpNeeded = true;
        continue;
      }
      if (takeUpNeeded) takeUp((*runs)[run]);
      takeUpNeeded = false;
    }
    RunStart* record = nullptr;
    if (recorded) {
      recorded->push_back(here());
      record = &recorded->back();
      record->anywhere = lastStatement == 0;
    }
    // The run's box: every statement point of the run and the point it starts
    // from, grown by the widest reach of any of its draws. Kept as plain
    // minima and maxima here, since a whole paint pays for it on every item.
    RunBox box;
    if (record != nullptr && lastStatement != 0) {
      box.Add(items[lastStatement - 1].x, items[lastStatement - 1].y, 0.0);
    }
    for (std::size_t i = first; i < end; ++i) {
      const PlotItem& item = items[i];
      if (item.layer != layerIndex) {
        layerIndex = item.layer;
        fetchLayer(layerIndex);
      }
      if (item.kind == kKindStatement) {
        closedArcIsCircle_ = centreJustGiven;
        centreJustGiven = false;
        const double u = viewport.ViewX(item.x);
        const double v = viewport.ViewY(item.y);
        if (record != nullptr) {
          // What a draw, a flash or an arc from the previous point may cover.
          double reach = std::max(currentAperture_.sizeX, currentAperture_.sizeY) / 2;
          if (item.dcode == 1 && item.mode != kModeLinear) {
            reach += 2 * std::sqrt(arcOffsetI_ * arcOffsetI_ + arcOffsetJ_ * arcOffsetJ_);
          }
          box.Add(item.x, item.y, reach);
        }
        if (item.dcode == 1) {
          if (visible) {
            if (item.mode == kModeLinear) {
              DrawSegment(dc, u, v, clip);
            } else {
              DrawArc(dc, u, v, item.mode, clip);
            }
          }
        } else if (item.dcode == 3) {
          if (visible) DrawFlash(dc, u, v, clip);
        } else if (item.dcode >= 10) {
          currentAperture_ = LookUpAperture(doc, item.dcode, layerIndex);
          apertureDcode = item.dcode;
          apertureLayer = layerIndex;
          if (record != nullptr) {
            box.Add(item.x, item.y, std::max(currentAperture_.sizeX, currentAperture_.sizeY) / 2);
          }
        }
        currentX_ = u;
        currentY_ = v;
        lastStatement = i + 1;
      } else if (item.kind == kKindArcCentre) {
        arcOffsetI_ = item.x - offsetX;
        arcOffsetJ_ = item.y - offsetY;
        centreJustGiven = true;
      }
    }
    if (record != nullptr) box.StoreInto(*record);
  }
  if (cancelled) {
    // The picture is thrown away; nothing of the unfinished pass is kept.
  } else if (recorded) {
    recorded->push_back(here());  // where the list ends
    runs_ = std::move(recorded);
    runsItems_ = items.data();
    runsCount_ = items.size();
  } else if (skipping && takeUpNeeded) {
    // The state a whole paint ends with outlives it.
    takeUp(runs->back());
  }
  closedArcIsCircle_ = true;
}

const Aperture& PlotRenderer::LookUpAperture(const CCorvaneDoc& doc, int32_t dcode, int32_t layer) {
  const std::size_t slot =
      (static_cast<uint32_t>(dcode) * 31u + static_cast<uint32_t>(layer)) % kApertureCacheSize;
  ApertureCacheEntry& entry = apertureCache_[slot];
  if (!entry.valid || entry.dcode != dcode || entry.layer != layer) {
    entry = {true, dcode, layer, doc.FindAperture(dcode, layer)};
  }
  return entry.aperture;
}

int32_t PlotRenderer::PenWidth(double size) const { return std::max(0, ToDevice(scale_ * size)); }

DeviceRect PlotRenderer::DeviceBox(double left, double top, double right, double bottom) const {
  return {ToDevice(scale_ * left), ToDevice(scale_ * top), ToDevice(scale_ * right),
          ToDevice(scale_ * bottom)};
}

void PlotRenderer::FillBox(DrawingSurface& dc, double left, double top, double right,
                           double bottom) {
  dc.FillSolidRect(DeviceBox(left, top, right, bottom), currentColor_);
}

void PlotRenderer::DrawSegment(DrawingSurface& dc, double u, double v, const DeviceRect& clip) {
  double sx = scale_ * currentX_;
  double sy = scale_ * currentY_;
  double ex = scale_ * u;
  double ey = scale_ * v;
  if (!ClipToSafeRange(sx, sy, ex, ey)) return;
  const DevicePoint s{ToDevice(sx), ToDevice(sy)};
  const DevicePoint e{ToDevice(ex), ToDevice(ey)};
  if (!printing_ && !SegmentTouchesRect(s, e, clip)) return;
  SelectPen(dc, PenWidth(currentAperture_.sizeX), currentColor_, currentAperture_.shape);
  if (IsRectangular(currentAperture_.shape)) {
    DrawRectangularSegment(dc, u, v, s, e);
    return;
  }
  dc.MoveTo(s);
  dc.LineTo(e);
}

// A rectangular aperture sweeps its box along the draw; the boxes' edges are
// compared exactly to tell zero-length, vertical and horizontal draws apart.
void PlotRenderer::DrawRectangularSegment(DrawingSurface& dc, double u, double v, DevicePoint s,
                                          DevicePoint e) {
  const double w = currentAperture_.sizeX;
  const double h = currentAperture_.sizeY;
  const double sl = currentX_ - w / 2;
  const double st = currentY_ - h / 2;
  const double sr = sl + w;
  const double sb = st + h;
  const double el = u - w / 2;
  const double et = v - h / 2;
  const double er = el + w;
  const double eb = et + h;
  const bool sameX = sl == el && sr == er;
  const bool sameY = st == et && sb == eb;
  if (sameX && sameY) {
    FillBox(dc, el, et, er, eb);
  } else if (sameX) {
    FillBox(dc, el, std::min(st, et), er, std::max(sb, eb));
  } else if (sameY) {
    FillBox(dc, std::min(sl, el), et, std::max(sr, er), eb);
  } else {
    FillBox(dc, el, et, er, eb);
    FillBox(dc, sl, st, sr, sb);
    SelectPen(dc, PenWidth(w), currentColor_, kShapeLine);
    dc.MoveTo(s);
    dc.LineTo(e);
  }
}

void PlotRenderer::DrawArc(DrawingSurface& dc, double u, double v, int32_t mode,
                           const DeviceRect& clip) {
  const double r = std::sqrt(arcOffsetI_ * arcOffsetI_ + arcOffsetJ_ * arcOffsetJ_);
  const double i = mirrorY_ ? -arcOffsetI_ : arcOffsetI_;
  const double j = mirrorX_ ? -arcOffsetJ_ : arcOffsetJ_;
  const double cu = currentX_ + i;
  const double cv = currentY_ + j;
  const DeviceRect box = DeviceBox(cu - r, cv - r, cu + r, cv + r);
  if (!printing_ && !RectsOverlap(box, clip)) return;
  DevicePoint p{ToDevice(scale_ * u), ToDevice(scale_ * v)};
  DevicePoint q{ToDevice(scale_ * currentX_), ToDevice(scale_ * currentY_)};
  // The surface draws counter-clockwise; a clockwise arc runs the other way
  // round, and each mirror turns the sense of rotation once more.
  bool exchange = mode == kModeClockwise || mode == kModeClockwiseMulti;
  if (mirrorY_) exchange = !exchange;
  if (mirrorX_) exchange = !exchange;
  if (exchange) std::swap(p, q);
  SelectPen(dc, PenWidth(currentAperture_.sizeX), currentColor_, currentAperture_.shape);
  dc.SetArcDirection(ArcDirection::kCounterClockwise);
  if (p != q) {
    dc.Arc(box, p, q);
  } else if (closedArcIsCircle_ && scale_ * currentX_ == scale_ * u &&
             scale_ * currentY_ == scale_ * v) {
    dc.Arc(box, p, q);  // a closed arc: the full circle
  }
}

void PlotRenderer::DrawFlash(DrawingSurface& dc, double u, double v, const DeviceRect& clip) {
  if (currentAperture_.dcode == 0) return;
  SelectBrush(dc, currentColor_);
  SelectPen(dc, 0, currentColor_, currentAperture_.shape);
  const double left = u - currentAperture_.sizeX / 2;
  const double top = v - currentAperture_.sizeY / 2;
  const DeviceRect rect =
      DeviceBox(left, top, left + currentAperture_.sizeX, top + currentAperture_.sizeY);
  if (!printing_ && !RectsOverlap(rect, clip)) return;
  switch (currentAperture_.shape) {
    case kShapeCircle:
    case kShapeEllipse:
      dc.Ellipse(rect);
      break;
    case kShapeRectangle:
    case kShapeSquare:
      dc.FillSolidRect(rect, currentColor_);
      break;
    default:
      break;
  }
}

void PlotRenderer::DrawDrillHits(DrawingSurface& dc, const CCorvaneDoc& doc,
                                 const Viewport& viewport) {
  BeginPass(dc, viewport);
  dc.SelectPen(doc.GetNcDrillColor(), 1);
  dc.SelectBrush(doc.GetNcDrillColor());
  const DeviceRect clip = EnlargedClip(dc);
  DrillTool tool;
  tool.tool = 0;
  tool.diameter = 0.0;
  bool lookedUp = false;
  bool known = false;
  std::size_t count = 0;
  for (const DrillHit& hit : doc.DrillHits()) {
    if (++count % 4096 == 0 && cancel_.Cancelled()) break;
    if (!lookedUp || hit.tool != tool.tool) {
      DrillTool found;
      known = doc.FindDrillTool(hit.tool, found);
      tool.tool = hit.tool;
      tool.diameter = known ? found.diameter : 0.0;
      lookedUp = true;
    }
    const double d = known ? scale_ * tool.diameter : kUnknownToolHoleSize;
    const double px = scale_ * viewport.ViewX(hit.x) - d / 2;
    const double py = scale_ * viewport.ViewY(hit.y) - d / 2;
    const DeviceRect rect{ToDevice(px), ToDevice(py), ToDevice(px + d), ToDevice(py + d)};
    if (!printing_ && !RectsOverlap(rect, clip)) continue;
    dc.Ellipse(rect);
  }
  PutBackAfterHoles(dc);
}

// The black pen and brush displaced whatever the plot items left selected.
void PlotRenderer::PutBackAfterHoles(DrawingSurface& dc) {
  if (penSelected_) {
    dc.SelectPen(penColor_, penSurfaceWidth_);
  } else {
    dc.RestorePen();
  }
  if (brushSelected_) {
    dc.SelectBrush(brushColor_);
  } else {
    dc.RestoreBrush();
  }
}

void PlotRenderer::SelectPen(DrawingSurface& dc, int32_t width, uint32_t color, int32_t shape) {
  if (penKeyValid_ && color == penColor_ && width == penWidth_ && shape == penShape_) return;
  if (penSelected_) dc.RestorePen();
  penSelected_ = false;
  penKeyValid_ = true;
  penColor_ = color;
  penWidth_ = width;
  penShape_ = shape;
  penSurfaceWidth_ = IsRectangular(shape) ? 0 : width;
  penSelected_ = dc.SelectPen(color, penSurfaceWidth_);
}

void PlotRenderer::SelectBrush(DrawingSurface& dc, uint32_t color) {
  if (brushKeyValid_ && color == brushColor_) return;
  if (brushSelected_) dc.RestoreBrush();
  brushKeyValid_ = true;
  brushColor_ = color;
  brushSelected_ = dc.SelectBrush(color);
}

void PlotRenderer::ReleaseDrawingTools(DrawingSurface& dc) {
  if (penSelected_) dc.RestorePen();
  if (brushSelected_) dc.RestoreBrush();
  penSelected_ = brushSelected_ = false;
  penKeyValid_ = brushKeyValid_ = false;
}

bool PlotRenderer::SegmentTouchesRect(DevicePoint s, DevicePoint e, const DeviceRect& rect) {
  auto inside = [&rect](DevicePoint p) {
    return p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom;
  };
  if (inside(s) || inside(e)) return true;
  const double l = rect.left;
  const double t = rect.top;
  const double r = rect.right;
  const double b = rect.bottom;
  return SegmentsCross(s.x, s.y, e.x, e.y, l, t, r, t) ||
         SegmentsCross(s.x, s.y, e.x, e.y, l, t, l, b) ||
         SegmentsCross(s.x, s.y, e.x, e.y, l, b, r, b) ||
         SegmentsCross(s.x, s.y, e.x, e.y, r, t, r, b);
}

bool PlotRenderer::SegmentsCross(double x1, double y1, double x2, double y2, double x3, double y3,
                                 double x4, double y4) {
  const double d = (y4 - y3) * (x2 - x1) - (x4 - x3) * (y2 - y1);
  const double na = (x4 - x3) * (y1 - y3) - (y4 - y3) * (x1 - x3);
  const double nb = (x2 - x1) * (y1 - y3) - (y2 - y1) * (x1 - x3);
  if (d != 0.0) {
    const double ua = na / d;
    const double ub = nb / d;
    return ua >= 0.0 && ua <= 1.0 && ub >= 0.0 && ub <= 1.0;
  }
  if (na != 0.0 && nb != 0.0) return false;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x3 > x4) std::swap(x3, x4);
  if (y3 > y4) std::swap(y3, y4);
  if (x1 == x2) return y1 <= y3 && y3 <= y2 && x3 <= x1 && x1 <= x4;
  return y3 <= y1 && y1 <= y4 && x1 <= x3 && x3 <= x2;
}

bool PlotRenderer::RectsOverlap(const DeviceRect& a, const DeviceRect& b) {
  if (a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom) {
    return false;
  }
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace corvane
