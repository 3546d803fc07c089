#include "view/board_renderer.h"

#include <algorithm>
#include <cstdlib>

#include "view/plot_mapping.h"

namespace corvane {
namespace {

constexpr int32_t kNear = kSubUnits / 16;

}  // namespace

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

bool BoardRenderer::Inside(const GeoBox& box, const DeviceRect& clip) const {
  if (box.Empty()) return false;
  const double x0 = kx_ * static_cast<double>(box.minX) + cx_;
  const double x1 = kx_ * static_cast<double>(box.maxX) + cx_;
  const double y0 = ky_ * static_cast<double>(box.minY) + cy_;
  const double y1 = ky_ * static_cast<double>(box.maxY) + cy_;
  return std::min(x0, x1) >= static_cast<double>(clip.left) * kSubUnits &&
         std::max(x0, x1) <= static_cast<double>(clip.right) * kSubUnits &&
         std::min(y0, y1) >= static_cast<double>(clip.top) * kSubUnits &&
         std::max(y0, y1) <= static_cast<double>(clip.bottom) * kSubUnits;
}

void BoardRenderer::DrawPart(DrawingSurface& dc, const BoardPicturePart& part,
                             const DeviceRect& clip) {
  path_.Clear();
  // A part wholly in view needs no contour's box.
  const bool cull = !Inside(part.box, clip);
  for (const GeoPath& contour : part.paths) {
    // A hole lies inside its outer contour: leaving out a contour wholly
    // beyond the clip never leaves a hole without the contour around it.
    if (contour.size() < 3 || (cull && Culled(BoxOf(contour), clip))) continue;
    const std::size_t first = path_.points.size();
    for (const GeoPoint& p : contour) {
      const SubPoint q{ToSub(kx_ * static_cast<double>(p.x) + cx_),
                       ToSub(ky_ * static_cast<double>(p.y) + cy_)};
      // A vertex within a sixteenth of a unit of the one before adds
      // nothing any output can show; a whole panel in a window is mostly such.
      if (path_.points.size() > first && std::abs(q.x - path_.points.back().x) < kNear &&
          std::abs(q.y - path_.points.back().y) < kNear) {
        continue;
      }
      path_.points.push_back(q);
    }
    if (path_.points.size() - first < 3) {
      path_.points.resize(first);
      continue;
    }
    path_.CloseContour();
  }
  if (!path_.Empty()) dc.FillPath(path_, FillMode::kDark);
}

}  // namespace corvane
