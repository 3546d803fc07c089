#include "view/corvane_view.h"

namespace corvane {

CCorvaneView::CCorvaneView(CCorvaneDoc& doc, ViewHost& host)
    : doc_(doc), host_(host), viewport_(host) {}

void CCorvaneView::OnInitialUpdate() {
  host_.Invalidate();
  viewport_.SetFlags(doc_.GetMirrorX(), doc_.GetMirrorY(), doc_.GetAutoOrigin());
  const DevicePoint pos = viewport_.ZoomToExtents(doc_.GetExtents(), doc_.GetAutoOrigin() != 0);
  viewport_.SetScrollPosition(pos.x, pos.y);
}

void CCorvaneView::OnSize(int32_t, int32_t) {
  viewport_.UpdateScrollBars();
  // The bars were set up at position 0; show where the view really is.
  viewport_.SyncScrollThumbs();
}

void CCorvaneView::OnHScroll(ScrollCode code, int32_t thumbPos) {
  if (viewport_.OnScroll(ScrollBarId::kHorizontal, code, thumbPos)) RedrawView();
}

void CCorvaneView::OnVScroll(ScrollCode code, int32_t thumbPos) {
  if (viewport_.OnScroll(ScrollBarId::kVertical, code, thumbPos)) RedrawView();
}

void CCorvaneView::RedrawView() { host_.RepaintNow(); }

void CCorvaneView::OnDraw(DrawingSurface& dc) { renderer_.OnDraw(dc, doc_, viewport_); }

bool CCorvaneView::OnPreparePrinting(CPrintInfo& info) { return DoPreparePrinting(info); }

void CCorvaneView::OnBeginPrinting() { printMapping_.OnBeginPrinting(viewport_, doc_); }

PrintPageMapping CCorvaneView::OnPrepareDC(int32_t dotsPerInchX, int32_t dotsPerInchY) const {
  return PrintMapping::OnPrepareDC(dotsPerInchX, dotsPerInchY);
}

void CCorvaneView::OnPrepareDC(PrintDevice& dc) const {
  const PrintPageMapping m = OnPrepareDC(dc.DotsPerInchX(), dc.DotsPerInchY());
  dc.SetMapping(m.windowExtentX, m.windowExtentY, m.viewportExtentX, m.viewportExtentY);
}

void CCorvaneView::OnEndPrinting() { printMapping_.OnEndPrinting(viewport_, doc_); }

}  // namespace corvane
