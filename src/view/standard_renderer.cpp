#include "view/standard_renderer.h"

#include <algorithm>
#include <cmath>

#include "standard/plane_geometry.h"
#include "view/device_coordinates.h"

namespace corvane {
namespace {

// Arcs become chords within a quarter of a logical unit of the arc.
constexpr double kArcTolerance = kSubUnits / 4.0;
constexpr uint32_t kMaxArcChords = 1024;
// Shape outlines are combined in units of 1e-7 inch.
constexpr double kShapeUnits = 1e7;
// Circles of a shape's convex outline.
constexpr uint32_t kHullCirclePoints = 32;

template <typename P>
double Cross(const P& o, const P& a, const P& b) {
  return (static_cast<double>(a.x) - o.x) * (static_cast<double>(b.y) - o.y) -
         (static_cast<double>(a.y) - o.y) * (static_cast<double>(b.x) - o.x);
}

// Andrew's monotone chain: the convex hull of `points` into `hull`,
// counter-clockwise (y up), collinear points dropped. `points` is sorted.
template <typename P>
void ConvexHull(std::vector<P>& points, std::vector<P>& hull) {
  std::sort(points.begin(), points.end(),
            [](const P& a, const P& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  points.erase(std::unique(points.begin(), points.end()), points.end());
  hull.clear();
  const std::size_t n = points.size();
  if (n < 3) {
    hull = points;
    return;
  }
  hull.resize(2 * n);
  std::size_t k = 0;
  for (std::size_t i = 0; i < n; ++i) {
    while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (std::size_t i = n - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
}

// The points of one part of a shape, circles as polygons.
void PartPoints(const StandardShapes& shapes, const ShapePrimitive& part, uint32_t circlePoints,
                std::vector<StandardPoint>& out) {
  if (part.kind == PrimitiveKind::kCircle) {
    AppendCirclePoints(part.cx, part.cy, part.diameter / 2, circlePoints, out);
    return;
  }
  const uint64_t end = uint64_t{part.firstPoint} + part.pointCount;
  if (end > shapes.points.size()) return;
  out.insert(out.end(), shapes.points.begin() + part.firstPoint, shapes.points.begin() + end);
}

LongPolygon ToShapeUnits(const std::vector<StandardPoint>& points) {
  LongPolygon polygon;
  polygon.reserve(points.size());
  for (const StandardPoint& p : points) {
    polygon.push_back({std::llround(p.x * kShapeUnits), std::llround(p.y * kShapeUnits)});
  }
  return polygon;
}

void Append(LongPolygons& to, const LongPolygons& from) {
  to.insert(to.end(), from.begin(), from.end());
}

// Collects what an object fills as polygons that may be filled together by
// the nonzero rule: each covers its area once, outer contours counter-clockwise.
class PolygonSink : public DrawingSurface {
 public:
  explicit PolygonSink(LongPolygons& out) : out_(out) {}
  bool SelectPen(uint32_t, int32_t) override { return true; }
  bool SelectBrush(uint32_t) override { return true; }
  void RestorePen() override {}
  void RestoreBrush() override {}
  void FillSolidRect(const DeviceRect&, uint32_t) override {}
  void Ellipse(const DeviceRect&) override {}
  void MoveTo(DevicePoint) override {}
  void LineTo(DevicePoint) override {}
  void Arc(const DeviceRect&, DevicePoint, DevicePoint) override {}
  void SetArcDirection(ArcDirection) override {}
  uint32_t GetBackgroundColor() const override { return 0; }
  void SetBackgroundColor(uint32_t) override {}
  bool IsPrinting() const override { return false; }
  DeviceRect GetClipBox() const override { return {}; }
  void BeginLayer(uint32_t, bool) override {}
  void EndLayer() override {}

  void FillPath(const DevicePath& path, FillMode) override {
    if (path.contourSizes.size() == 1) {
      // A region's contour or a macro's outline may run into itself.
      Append(out_, SimplifyContour(Contour(path, 0, path.points.size())));
      return;
    }
    // A shape with holes, already clean; a mirroring map turned it round.
    const std::size_t first = out_.size();
    double area = 0.0;
    std::size_t start = 0;
    for (const uint32_t size : path.contourSizes) {
      out_.push_back(Contour(path, start, size));
      area += SignedArea2(out_.back());
      start += size;
    }
    if (area < 0.0) {
      for (std::size_t i = first; i < out_.size(); ++i)
        std::reverse(out_[i].begin(), out_[i].end());
    }
  }
  void FillDisc(SubPoint centre, int32_t diameter, FillMode) override {
    scratch_.Clear();
    AppendDiscContour(centre, diameter, scratch_);
    out_.push_back(Contour(scratch_, 0, scratch_.points.size()));
  }
  void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode) override {
    scratch_.Clear();
    AppendStrokeContour(from, to, width, scratch_);
    out_.push_back(Contour(scratch_, 0, scratch_.points.size()));
  }

 private:
  static LongPolygon Contour(const DevicePath& path, std::size_t start, std::size_t size) {
    LongPolygon polygon;
    polygon.reserve(size);
    for (std::size_t i = start; i < start + size && i < path.points.size(); ++i) {
      polygon.push_back({path.points[i].x, path.points[i].y});
    }
    return polygon;
  }

  LongPolygons& out_;
  DevicePath scratch_;
};

}  // namespace

Extents StandardRenderer::ExtentsOf(const StandardModel& model) {
  const StandardBox box = model.Extents();
  if (box.Empty()) return Extents{};
  return {box.maxX, box.minX, box.maxY, box.minY};
}

StandardRenderer::PreparedShape StandardRenderer::PrepareShape(const StandardShapes& shapes,
                                                               const StandardShape& shape) {
  PreparedShape prepared;
  const uint64_t end = uint64_t{shape.firstPrimitive} + shape.primitiveCount;
  if (shape.primitiveCount == 0 || end > shapes.primitives.size()) return prepared;
  const auto first = shapes.primitives.begin() + shape.firstPrimitive;
  const auto last = shapes.primitives.begin() + static_cast<std::ptrdiff_t>(end);
  std::vector<StandardPoint> points;
  bool anyClear = false;
  for (auto part = first; part != last; ++part) {
    if (part->polarity == StandardPolarity::kClear) {
      anyClear = true;
    } else {
      PartPoints(shapes, *part, kHullCirclePoints, points);
    }
  }
  ConvexHull(points, prepared.hull);
  if ((shape.flags & kShapeRound) != 0) {
    prepared.kind = PreparedShape::Kind::kRound;
    prepared.diameter = shape.roundDiameter;
    return prepared;
  }
  if (!anyClear) {
    prepared.kind = PreparedShape::Kind::kParts;
    return prepared;
  }
  // Parts in order: runs of dark ones added, runs of clear ones taken away.
  LongPolygons result;
  LongPolygons pending;
  LongPolygons clips;
  const auto flush = [&] {
    Append(result, pending);
    result =
        CombinePolygons(result, clips, clips.empty() ? BooleanOp::kUnion : BooleanOp::kDifference);
    pending.clear();
    clips.clear();
  };
  for (auto part = first; part != last; ++part) {
    points.clear();
    const uint32_t circle = ArcChordCount(part->diameter / 2, kTwoPi);
    PartPoints(shapes, *part, circle, points);
    if (points.size() < 3) continue;
    if (part->polarity == StandardPolarity::kClear) {
      clips.push_back(ToShapeUnits(points));
    } else {
      if (!clips.empty()) flush();
      pending.push_back(ToShapeUnits(points));
    }
  }
  flush();
  for (const LongPolygon& contour : result) {
    for (const LongPoint& p : contour)
      prepared.net.push_back({p.x / kShapeUnits, p.y / kShapeUnits});
    prepared.netSizes.push_back(static_cast<uint32_t>(contour.size()));
  }
  prepared.kind = result.empty() ? PreparedShape::Kind::kEmpty : PreparedShape::Kind::kNet;
  return prepared;
}

void StandardRenderer::Prepare(const StandardLoad& load, uint64_t generation) {
  if (preparedModel_ == &load.model && preparedGeneration_ == generation) return;
  preparedModel_ = &load.model;
  preparedGeneration_ = generation;
  auto layers = std::make_shared<std::vector<PreparedLayer>>();
  for (const StandardLayer& layer : load.model.layers) {
    PreparedLayer& prepared = layers->emplace_back();
    prepared.shapes.reserve(layer.shapes.shapes.size());
    for (const StandardShape& shape : layer.shapes.shapes) {
      prepared.shapes.push_back(PrepareShape(layer.shapes, shape));
    }
    const std::vector<StandardObject>& objects = layer.geometry.objects;
    for (std::size_t i = 0; i < objects.size(); ++i) {
      if (objects[i].polarity == StandardPolarity::kClear) {
        prepared.hasClear = true;
        prepared.lastClear = i;
      }
    }
  }
  prepared_ = std::move(layers);
}

LayerLook StandardLayerLook(const CCorvaneDoc& doc, const StandardLoad& load, std::size_t i) {
  const StandardLayer& layer = load.model.layers[i];
  const int32_t index = i < load.documentLayers.size() ? load.documentLayers[i] : -1;
  const std::vector<PlotLayer>& docLayers = doc.Layers();
  LayerLook look{layer.visible != 0, layer.color};
  if (const auto drill = DrillFileOfDocumentLayer(index)) {
    look.visible = *drill < doc.DrillFiles().size() && doc.DrillFiles()[*drill].visible != 0;
    if (*drill < doc.DrillFiles().size()) look.color = doc.DrillFiles()[*drill].color;
  } else if (index < 0) {
    look.visible = doc.GetShowDrillHoles() != 0;
    look.color = doc.GetNcDrillColor();
  } else if (static_cast<std::size_t>(index) < docLayers.size()) {
    look.visible = docLayers[static_cast<std::size_t>(index)].visible != 0;
    look.color = docLayers[static_cast<std::size_t>(index)].color;
  }
  return look;
}

void StandardRenderer::OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, const StandardLoad& load,
                              uint64_t generation, Viewport& viewport) {
  const uint32_t background = dc.GetBackgroundColor();
  viewport.SetExtents(ExtentsOf(load.model));
  viewport.SetFlags(doc.GetMirrorX(), doc.GetMirrorY(), doc.GetAutoOrigin());
  printing_ = dc.IsPrinting();
  viewport.UpdateOrigin(printing_);
  Prepare(load, generation);

  map_ = PlotMapping::Of(viewport);
  const DeviceRect clip = dc.GetClipBox();
  clipLeft_ = (clip.left - 1.0) * kSubUnits;
  clipTop_ = (clip.top - 1.0) * kSubUnits;
  clipRight_ = (clip.right + 1.0) * kSubUnits;
  clipBottom_ = (clip.bottom + 1.0) * kSubUnits;
  // A paint of a few strips leaves out what cannot reach them.
  areas_ = printing_ ? std::span<const DeviceRect>() : dc.PaintAreas();

  const bool composes = dc.ComposesLayers();
  const std::vector<PreparedLayer>& preparedLayers = *prepared_;
  for (std::size_t i = 0; i < load.model.layers.size() && i < preparedLayers.size(); ++i) {
    if (cancel_.Cancelled()) break;
    const StandardLayer& layer = load.model.layers[i];
    const auto [visible, color] = StandardLayerLook(doc, load, i);
    if (!visible) continue;
    const PreparedLayer& prepared = preparedLayers[i];
    dc.BeginLayer(color, prepared.hasClear && composes);
    if (prepared.hasClear && !composes) {
      ResolveLayer(dc, layer, prepared);
    } else {
      DrawLayer(dc, layer, prepared, 0, layer.geometry.objects.size());
    }
    dc.EndLayer();
  }
  areas_ = {};
  dc.SetBackgroundColor(background);
}

bool StandardRenderer::Culled(const StandardLayer& layer, const StandardObject& object) const {
  if (printing_) return false;  // the page clips; nothing is culled on paper
  const StandardBox box = ObjectBox(layer, object);
  if (box.Empty()) return true;
  const double x0 = map_.kx * box.minX + map_.cx;
  const double x1 = map_.kx * box.maxX + map_.cx;
  const double y0 = map_.ky * box.minY + map_.cy;
  const double y1 = map_.ky * box.maxY + map_.cy;
  if (std::max(x0, x1) < clipLeft_ || std::min(x0, x1) > clipRight_ ||
      std::max(y0, y1) < clipTop_ || std::min(y0, y1) > clipBottom_) {
    return true;
  }
  if (areas_.empty()) return false;
  // Two pixels more for the samples and the narrowest strokes' widening.
  constexpr double kMargin = 2.0 * kSubUnits;
  const double left = std::min(x0, x1) - kMargin;
  const double right = std::max(x0, x1) + kMargin;
  const double top = std::min(y0, y1) - kMargin;
  const double bottom = std::max(y0, y1) + kMargin;
  return std::none_of(areas_.begin(), areas_.end(), [&](const DeviceRect& a) {
    return left < a.right * double{kSubUnits} && right >= a.left * double{kSubUnits} &&
           top < a.bottom * double{kSubUnits} && bottom >= a.top * double{kSubUnits};
  });
}

void StandardRenderer::DrawLayer(DrawingSurface& dc, const StandardLayer& layer,
                                 const PreparedLayer& prepared, std::size_t first,
                                 std::size_t end) {
  const std::vector<StandardObject>& objects = layer.geometry.objects;
  for (std::size_t i = first; i < end && i < objects.size(); ++i) {
    if ((i - first) % 4096 == 4095 && cancel_.Cancelled()) return;
    const StandardObject& object = objects[i];
    if (Culled(layer, object)) continue;
    DrawObject(dc, layer, prepared, object,
               object.polarity == StandardPolarity::kClear ? FillMode::kClear : FillMode::kDark);
  }
}

// Everything up to the last clear object becomes one set of polygons; what
// follows it is only ever added, and is drawn as it comes.
void StandardRenderer::ResolveLayer(DrawingSurface& dc, const StandardLayer& layer,
                                    const PreparedLayer& prepared) {
  LongPolygons result;
  LongPolygons pending;
  LongPolygons clips;
  const auto flush = [&] {
    if (clips.empty()) return;
    Append(result, pending);
    result = CombinePolygons(result, clips, BooleanOp::kDifference);
    pending.clear();
    clips.clear();
  };
  const std::vector<StandardObject>& objects = layer.geometry.objects;
  for (std::size_t i = 0; i <= prepared.lastClear && i < objects.size(); ++i) {
    const StandardObject& object = objects[i];
    if (Culled(layer, object)) continue;
    if (object.polarity == StandardPolarity::kClear) {
      PolygonSink sink(clips);
      DrawObject(sink, layer, prepared, object, FillMode::kDark);
    } else {
      flush();
      PolygonSink sink(pending);
      DrawObject(sink, layer, prepared, object, FillMode::kDark);
    }
  }
  flush();
  sink_.Clear();
  for (const LongPolygon& contour : result) {
    for (const LongPoint& p : contour) {
      sink_.points.push_back({static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)});
    }
    sink_.CloseContour();
  }
  if (!sink_.Empty()) dc.FillPath(sink_, FillMode::kDark);
  DrawLayer(dc, layer, prepared, prepared.lastClear + 1, objects.size());
}

int32_t StandardRenderer::Width(double size, bool atLeastOneUnit) const {
  double width = size * map_.Scale();
  if (atLeastOneUnit && !printing_ && width < kSubUnits) width = kSubUnits;
  return ToSub(width);
}

void StandardRenderer::DrawObject(DrawingSurface& dc, const StandardLayer& layer,
                                  const PreparedLayer& prepared, const StandardObject& object,
                                  FillMode mode) {
  const std::vector<PreparedShape>& shapes = prepared.shapes;
  switch (object.kind) {
    case StandardKind::kFlash:
      if (object.ref < shapes.size()) {
        DrawFlash(dc, layer, shapes[object.ref], layer.shapes.shapes[object.ref], object.x0,
                  object.y0, mode);
      }
      return;
    case StandardKind::kLine:
      if (object.ref < shapes.size()) {
        DrawSweep(dc, shapes[object.ref], object.x0, object.y0, object.x1, object.y1, mode);
      }
      return;
    case StandardKind::kArc: {
      if (object.ref >= layer.geometry.arcs.size()) return;
      const StandardArc& arc = layer.geometry.arcs[object.ref];
      if (arc.shape >= shapes.size()) return;
      FlattenArc(object, arc);
      for (std::size_t i = 1; i < arcPoints_.size(); ++i) {
        DrawSweep(dc, shapes[arc.shape], arcPoints_[i - 1].x, arcPoints_[i - 1].y, arcPoints_[i].x,
                  arcPoints_[i].y, mode);
      }
      return;
    }
    case StandardKind::kRegion: {
      const StandardGeometry& g = layer.geometry;
      if (object.ref >= g.regions.size()) return;
      const StandardRegion& region = g.regions[object.ref];
      // Each contour is filled on its own; the region is their union.
      for (uint32_t c = 0; c < region.contourCount; ++c) {
        const uint64_t index = uint64_t{region.firstContour} + c;
        if (index >= g.contours.size()) break;
        const StandardContour& contour = g.contours[index];
        if (contour.pointCount < 3 ||
            uint64_t{contour.firstPoint} + contour.pointCount > g.points.size()) {
          continue;
        }
        path_.Clear();
        for (uint32_t k = 0; k < contour.pointCount; ++k) {
          const StandardPoint& p = g.points[contour.firstPoint + k];
          path_.points.push_back(map_.Map(p.x, p.y));
        }
        path_.CloseContour();
        dc.FillPath(path_, mode);
      }
      return;
    }
  }
}

void StandardRenderer::DrawFlash(DrawingSurface& dc, const StandardLayer& layer,
                                 const PreparedShape& shape, const StandardShape& model, double x,
                                 double y, FillMode mode) {
  switch (shape.kind) {
    case PreparedShape::Kind::kEmpty:
      return;
    case PreparedShape::Kind::kRound:
      dc.FillDisc(map_.Map(x, y), Width(shape.diameter, true), mode);
      return;
    case PreparedShape::Kind::kParts: {
      const StandardShapes& shapes = layer.shapes;
      for (uint32_t i = 0; i < model.primitiveCount; ++i) {
        const ShapePrimitive& part = shapes.primitives[model.firstPrimitive + i];
        if (part.kind == PrimitiveKind::kCircle) {
          dc.FillDisc(map_.Map(x + part.cx, y + part.cy), Width(part.diameter, false), mode);
          continue;
        }
        if (uint64_t{part.firstPoint} + part.pointCount > shapes.points.size()) continue;
        path_.Clear();
        for (uint32_t k = 0; k < part.pointCount; ++k) {
          const StandardPoint& p = shapes.points[part.firstPoint + k];
          path_.points.push_back(map_.Map(x + p.x, y + p.y));
        }
        path_.CloseContour();
        if (part.pointCount >= 3) dc.FillPath(path_, mode);
      }
      return;
    }
    case PreparedShape::Kind::kNet: {
      path_.Clear();
      std::size_t start = 0;
      for (const uint32_t size : shape.netSizes) {
        for (std::size_t k = start; k < start + size; ++k) {
          path_.points.push_back(map_.Map(x + shape.net[k].x, y + shape.net[k].y));
        }
        path_.CloseContour();
        start += size;
      }
      dc.FillPath(path_, mode);
      return;
    }
  }
}

void StandardRenderer::DrawSweep(DrawingSurface& dc, const PreparedShape& shape, double x0,
                                 double y0, double x1, double y1, FillMode mode) {
  if (shape.kind == PreparedShape::Kind::kEmpty) return;
  if (shape.kind == PreparedShape::Kind::kRound) {
    dc.FillStroke(map_.Map(x0, y0), map_.Map(x1, y1), Width(shape.diameter, true), mode);
    return;
  }
  SweptHullPath(shape, x0, y0, x1, y1);
  if (!path_.Empty()) dc.FillPath(path_, mode);
}

// Any other shape sweeps its convex outline: the hull of the outline at both ends.
void StandardRenderer::SweptHullPath(const PreparedShape& shape, double x0, double y0, double x1,
                                     double y1) {
  hullPoints_.clear();
  for (const StandardPoint& p : shape.hull) {
    const SubPoint a = map_.Map(x0 + p.x, y0 + p.y);
    const SubPoint b = map_.Map(x1 + p.x, y1 + p.y);
    hullPoints_.push_back({a.x, a.y});
    hullPoints_.push_back({b.x, b.y});
  }
  ConvexHull(hullPoints_, hullScratch_);
  path_.Clear();
  if (hullScratch_.size() < 3) return;
  for (const LongPoint& p : hullScratch_) {
    path_.points.push_back({static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)});
  }
  path_.CloseContour();
}

void StandardRenderer::FlattenArc(const StandardObject& object, const StandardArc& arc) {
  arcPoints_.clear();
  const double sx = object.x0 - arc.cx;
  const double sy = object.y0 - arc.cy;
  const double r = std::sqrt(sx * sx + sy * sy);
  const double a0 = std::atan2(sy, sx);
  const double deviceRadius = r * map_.Scale();
  const double sweep = std::fabs(arc.sweep);
  double chords = std::ceil(sweep / (kPi / 2));
  if (deviceRadius > kArcTolerance) {
    chords = std::ceil(sweep / (2.0 * std::acos(1.0 - kArcTolerance / deviceRadius)));
  }
  const uint32_t n = std::isfinite(chords)
                         ? static_cast<uint32_t>(std::clamp(chords, 1.0, 1.0 * kMaxArcChords))
                         : 1;
  arcPoints_.push_back({object.x0, object.y0});
  for (uint32_t i = 1; i < n; ++i) {
    const double a = a0 + arc.sweep * i / n;
    arcPoints_.push_back({arc.cx + r * std::cos(a), arc.cy + r * std::sin(a)});
  }
  arcPoints_.push_back({object.x1, object.y1});
}

}  // namespace corvane
