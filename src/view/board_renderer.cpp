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
  thinned_.clear();
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

const BoardRenderer::Thinned& BoardRenderer::ThinnedOf(const GeoPaths& shape) {
  auto [found, added] = thinned_.try_emplace(&shape);
  Thinned& t = found->second;
  if (!added) return t;
  for (const GeoPath& contour : shape) {
    t.boxes.push_back(BoxOf(contour));
    t.starts.push_back(static_cast<uint32_t>(t.kept.size()));
    // A vertex within a sixteenth of a unit of the one before adds nothing
    // any output can show; a whole panel in a window is mostly such. Decided
    // once for all the copies of a shape, where the shape lies at the origin.
    SubPoint last{};
    for (uint32_t i = 0; i < contour.size(); ++i) {
      const SubPoint q{ToSub(kx_ * static_cast<double>(contour[i].x)),
                       ToSub(ky_ * static_cast<double>(contour[i].y))};
      if (t.kept.size() > t.starts.back() && std::abs(q.x - last.x) < kNear &&
          std::abs(q.y - last.y) < kNear) {
        continue;
      }
      t.kept.push_back(i);
      last = q;
    }
  }
  t.starts.push_back(static_cast<uint32_t>(t.kept.size()));
  return t;
}

void BoardRenderer::DrawPart(DrawingSurface& dc, const BoardPicturePart& part,
                             const DeviceRect& clip) {
  path_.Clear();
  // A part wholly in view needs no contour's box.
  const bool cullPart = !Inside(part.box, clip);
  for (const PlacedPaths& placed : part.placed) {
    if (cullPart && Culled(placed.box, clip)) continue;
    const bool cull = cullPart && !Inside(placed.box, clip);
    const GeoPaths& shape = *placed.paths;
    const Thinned& t = ThinnedOf(shape);
    for (std::size_t k = 0; k < shape.size(); ++k) {
      const GeoPath& contour = shape[k];
      // A hole lies inside its outer contour: leaving out a contour wholly
      // beyond the clip never leaves a hole without the contour around it.
      if (t.starts[k + 1] - t.starts[k] < 3 ||
          (cull && Culled(t.boxes[k].Moved(placed.at), clip))) {
        continue;
      }
      for (uint32_t j = t.starts[k]; j < t.starts[k + 1]; ++j) {
        const GeoPoint& p = contour[t.kept[j]];
        path_.points.push_back({ToSub(kx_ * static_cast<double>(p.x + placed.at.x) + cx_),
                                ToSub(ky_ * static_cast<double>(p.y + placed.at.y) + cy_)});
      }
      path_.CloseContour();
    }
  }
  if (!path_.Empty()) dc.FillPath(path_, FillMode::kDark);
}

}  // namespace corvane
