#include "cli/headless_view.h"

namespace corvane {

HeadlessView::HeadlessView(CCorvaneDoc& doc, ClientSize clientSize)
    : host_(clientSize), view_(doc, host_) {
  view_.OnInitialUpdate();
}

void HeadlessView::PaintWindow(DrawingSurface& dc) { view_.OnDraw(dc); }

void HeadlessView::PaintPage(DrawingSurface& dc) {
  view_.OnBeginPrinting();
  view_.OnDraw(dc);
  view_.OnEndPrinting();
}

}  // namespace corvane
