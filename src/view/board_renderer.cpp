#include "view/board_renderer.h"

#include <algorithm>

#include "view/plot_mapping.h"

namespace corvane {

Extents BoardRenderer::ExtentsOf(const BoardPicture& picture) {
  const GeoBox& b = picture.box;
  if (b.Empty()) return {};
  return {NanometresToInches(static_cast<double>(b.maxX)),
          NanometresToInches(static_cast<double>(b.minX)),
          NanometresToInches(static_cast<double>(b.maxY)),
          NanometresToInches(static_cast<double>(b.minY))};
}

int32_t BoardRenderer::MirrorLeftRight(const CCorvaneDoc& doc, BoardSide side) {
  const bool mirrored = doc.GetMirrorY() != 0;
  return (side == BoardSide::kBottom) != mirrored ? 1 : 0;
}

void BoardRenderer::OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, const BoardPicture& picture,
                           Viewport& viewport) {
  viewport.SetExtents(ExtentsOf(picture));
  viewport.SetFlags(doc.GetMirrorX(), MirrorLeftRight(doc, picture.side), doc.GetAutoOrigin());
  viewport.UpdateOrigin(dc.IsPrinting());
  const PlotMapping map = PlotMapping::Of(viewport);
  kx_ = map.kx / kNanometresPerInch;
  ky_ = map.ky / kNanometresPerInch;
  cx_ = map.cx;
  cy_ = map.cy;
  const DeviceRect clip = dc.GetClipBox();
  for (const BoardPicturePart& part : picture.parts) {
    if (Culled(part.box, clip)) continue;
    dc.BeginLayer(part.color, false);
    DrawPart(dc, part, clip);
    dc.EndLayer();
  }
}

bool BoardRenderer::Culled(const GeoBox& box, const DeviceRect& clip) const {
  if (box.Empty()) return true;
  const double x0 = kx_ * static_cast<double>(box.minX) + cx_;
  const double x1 = kx_ * static_cast<double>(box.maxX) + cx_;
  const double y0 = ky_ * static_cast<double>(box.minY) + cy_;
  const double y1 = ky_ * static_cast<double>(box.maxY) + cy_;
  // A unit beyond the clip on every side, for rounding.
  return std::max(x0, x1) < (clip.left - 1.0) * kSubUnits ||
         std::min(x0, x1) > (clip.right + 1.0) * kSubUnits ||
         std::max(y0, y1) < (clip.top - 1.0) * kSubUnits ||
         std::min(y0, y1) > (clip.bottom + 1.0) * kSubUnits;
}

void BoardRenderer::DrawPart(DrawingSurface& dc, const BoardPicturePart& part,
                             const DeviceRect& clip) {
  path_.Clear();
  for (const GeoPath& contour : part.paths) {
    // A hole lies inside its outer contour: leaving out a contour wholly
    // beyond the clip never leaves a hole without the contour around it.
    if (contour.size() < 3 || Culled(BoxOf(contour), clip)) continue;
    for (const GeoPoint& p : contour) {
      path_.points.push_back({ToSub(kx_ * static_cast<double>(p.x) + cx_),
                              ToSub(ky_ * static_cast<double>(p.y) + cy_)});
    }
    path_.CloseContour();
  }
  if (!path_.Empty()) dc.FillPath(path_, FillMode::kDark);
}

}  // namespace corvane
