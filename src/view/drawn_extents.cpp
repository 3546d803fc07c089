#include "view/drawn_extents.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

struct Box {
  Extents e{0.0, kExtentsUnset, 0.0, kExtentsUnset};
  bool any = false;
  void Add(double x, double y, double halfX, double halfY) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (!any) {
      e = {x + halfX, x - halfX, y + halfY, y - halfY};
      any = true;
      return;
    }
    e.maxX = std::max(e.maxX, x + halfX);
    e.minX = std::min(e.minX, x - halfX);
    e.maxY = std::max(e.maxY, y + halfY);
    e.minY = std::min(e.minY, y - halfY);
  }
};

}  // namespace

// One pass as the renderer makes it: the aperture in force and the arc
// centre carry over from item to item and from layer to layer.
Extents ClassicDrawnExtents(const CCorvaneDoc& doc) {
  Box box;
  Aperture aperture;
  aperture.dcode = 0;
  aperture.sizeX = aperture.sizeY = 0.0;
  double x = 0.0;
  double y = 0.0;
  double i = 0.0;
  double j = 0.0;
  const std::vector<PlotLayer>& layers = doc.Layers();
  for (const PlotItem& item : doc.Items()) {
    const uint8_t layerIndex = item.layer;
    if (item.kind == kKindArcCentre) {
      const PlotLayer* layer = layerIndex < layers.size() ? &layers[layerIndex] : nullptr;
      i = item.x - (layer != nullptr ? layer->offsetX / 1000.0 : 0.0);
      j = item.y - (layer != nullptr ? layer->offsetY / 1000.0 : 0.0);
      continue;
    }
    if (item.kind != kKindStatement) continue;
    const double hx = std::fabs(aperture.sizeX) / 2;
    const double hy = std::max(std::fabs(aperture.sizeY), std::fabs(aperture.sizeX)) / 2;
    if (item.dcode == 1 && item.mode == kModeLinear) {
      box.Add(x, y, hy, hy);
      box.Add(item.x, item.y, hy, hy);
    } else if (item.dcode == 1) {
      const double r = std::sqrt(i * i + j * j) + hy;
      box.Add(x + i, y + j, r, r);
    } else if (item.dcode == 3 && aperture.dcode != 0) {
      box.Add(item.x, item.y, hx, std::fabs(aperture.sizeY) / 2);
    } else if (item.dcode >= 10) {
      aperture = doc.FindAperture(item.dcode, layerIndex);
    }
    x = item.x;
    y = item.y;
  }
  for (const DrillHit& hit : doc.DrillHits()) {
    DrillTool tool;
    const double r = doc.FindDrillTool(hit.tool, tool) ? std::fabs(tool.diameter) / 2 : 0.0;
    box.Add(hit.x, hit.y, r, r);
  }
  return box.e;
}

}  // namespace corvane
