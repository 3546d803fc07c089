#include "cli/headless_view.h"

#include <cmath>

#include "view/drawn_extents.h"
#include "view/interpretation.h"

namespace corvane {

HeadlessView::HeadlessView(CCorvaneDoc& doc, ClientSize clientSize, StandardModelCache* standard)
    : host_(clientSize), view_(doc, host_) {
  if (standard != nullptr) {
    view_.AttachStandardModels(standard);
    view_.SetInterpretation(Interpretation::kStandard);
  }
  view_.OnInitialUpdate();
}

std::optional<ClientSize> HeadlessView::FitDrawingAt(double dpi, int32_t margin, int32_t maxSide) {
  const CCorvaneDoc& doc = view_.GetDocument();
  const Extents e = view_.GetPlotExtents();
  // The standard model's extents already hold every width and size, and the
  // board picture's are its outline's.
  Extents d = view_.DrawsStandard() || view_.DrawsBoard() ? e : ClassicDrawnExtents(doc);
  if (!(d.maxX >= d.minX && d.maxY >= d.minY)) d = Extents{};
  // Mirrored as the view mirrors: about the extents, onto themselves.
  double left = d.minX;
  double right = d.maxX;
  double top = d.minY;
  double bottom = d.maxY;
  if (view_.MirrorLeftRight() != 0) {
    left = e.maxX + e.minX - d.maxX;
    right = e.maxX + e.minX - d.minX;
  }
  if (doc.GetMirrorX() != 0) {
    top = e.maxY + e.minY - d.maxY;
    bottom = e.maxY + e.minY - d.minY;
  }
  const double width = std::ceil(dpi * (right - left)) + 2.0 * margin + 1.0;
  const double height = std::ceil(dpi * (bottom - top)) + 2.0 * margin + 1.0;
  if (!(width <= maxSide && height <= maxSide)) return std::nullopt;
  const ClientSize size{static_cast<int32_t>(width), static_cast<int32_t>(height)};
  host_.SetClientSize(size);
  Viewport& viewport = view_.GetViewport();
  viewport.SetScale(dpi);
  viewport.UpdateScrollBars();
  const bool autoOrigin = doc.GetAutoOrigin() != 0;
  const double originX = autoOrigin ? e.minX : 0.0;
  const double originY = autoOrigin ? e.minY : 0.0;
  viewport.SetScrollPosition(ToScroll(std::floor(dpi * (left - originX)) - margin),
                             ToScroll(std::floor(dpi * (top - originY)) - margin));
  return size;
}

void HeadlessView::ShowBoard(std::shared_ptr<const BoardPicture> picture) {
  if (picture == nullptr) return;
  const BoardSide side = picture->side;
  view_.SetBoardPicture(side, std::move(picture));
  view_.ShowPicture(side == BoardSide::kTop ? ViewPicture::kBoardTop : ViewPicture::kBoardBottom);
  view_.OnInitialUpdate();
}

void HeadlessView::PaintWindow(DrawingSurface& dc) { view_.OnDraw(dc); }

void HeadlessView::PaintPage(DrawingSurface& dc) {
  view_.OnBeginPrinting();
  view_.OnDraw(dc);
  view_.OnEndPrinting();
}

}  // namespace corvane
