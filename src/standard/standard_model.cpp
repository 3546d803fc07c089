#include "standard/standard_model.h"

#include "document/plot_records.h"
#include "standard/plane_geometry.h"

namespace corvane {

// A board holds millions of objects: each must stay this small.
static_assert(sizeof(StandardObject) == 40);

namespace {

const StandardBox& ShapeBox(const StandardLayer& layer, uint32_t shape) {
  static const StandardBox kNone;
  return shape < layer.shapes.shapes.size() ? layer.shapes.shapes[shape].box : kNone;
}

}  // namespace

void StandardLayer::TakeSettings(const PlotLayer& settings, StandardSource from) {
  fileName = settings.fileName;
  source = from;
  color = settings.color;
  mirrorOnXAxis = settings.mirrorOnXAxis;
  mirrorOnYAxis = settings.mirrorOnYAxis;
  offsetX = settings.offsetX;
  offsetY = settings.offsetY;
  visible = settings.visible;
  function = settings.function;
}

const std::string* StandardLayer::FindAttribute(const std::string& name) const {
  for (const StandardAttribute& attribute : attributes)
    if (attribute.name == name) return &attribute.value;
  return nullptr;
}

StandardBox StandardModel::Extents() const {
  StandardBox box;
  for (const StandardLayer& layer : layers) box.Add(layer.extents);
  return box;
}

StandardBox ObjectBox(const StandardLayer& layer, const StandardObject& object) {
  StandardBox box;
  switch (object.kind) {
    case StandardKind::kFlash:
      box.Add(object.x0, object.y0);
      return box.Grown(ShapeBox(layer, object.ref));
    case StandardKind::kLine:
      box.Add(object.x0, object.y0);
      box.Add(object.x1, object.y1);
      return box.Grown(ShapeBox(layer, object.ref));
    case StandardKind::kArc: {
      if (object.ref >= layer.geometry.arcs.size()) return box;
      const StandardArc& arc = layer.geometry.arcs[object.ref];
      box = ArcBox({object.x0, object.y0}, {arc.cx, arc.cy}, arc.sweep);
      box.Add(object.x1, object.y1);
      return box.Grown(ShapeBox(layer, arc.shape));
    }
    case StandardKind::kRegion:
      box.Add(object.x0, object.y0);
      box.Add(object.x1, object.y1);
      return box;
  }
  return box;
}

void ComputeStandardExtents(StandardLayer& layer) {
  StandardBox extents;
  for (const StandardObject& object : layer.geometry.objects) extents.Add(ObjectBox(layer, object));
  layer.extents = extents;
}

StandardCounts CountObjects(const StandardLayer& layer) {
  StandardCounts counts;
  const StandardGeometry& g = layer.geometry;
  for (const StandardObject& object : g.objects) {
    ++counts.byKind[static_cast<int>(object.kind)];
    if (object.polarity == StandardPolarity::kClear) ++counts.clear;
    if (object.kind != StandardKind::kRegion || object.ref >= g.regions.size()) continue;
    const StandardRegion& region = g.regions[object.ref];
    counts.contours += region.contourCount;
    for (uint32_t i = 0; i < region.contourCount; ++i) {
      const uint64_t index = static_cast<uint64_t>(region.firstContour) + i;
      if (index < g.contours.size()) counts.points += g.contours[index].pointCount;
    }
  }
  return counts;
}

}  // namespace corvane
