#pragma once

#include <cstdint>

#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "platform/print_service.h"
#include "platform/view_host.h"
#include "view/plot_renderer.h"
#include "view/print_info.h"
#include "view/print_mapping.h"
#include "view/viewport.h"

namespace corvane {

// The program's one view: the viewport, the renderer and the print mapping
// behind the window's ViewHost. It owns viewport state and the renderer's
// per-paint state only; it reads the document while painting.
class CCorvaneView {
 public:
  CCorvaneView(CCorvaneDoc& doc, ViewHost& host);

  // A document was created or opened: take its flags and show its extents.
  void OnInitialUpdate();
  // The client area changed size; scale and scroll position are kept.
  void OnSize(int32_t width, int32_t height);
  void OnHScroll(ScrollCode code, int32_t thumbPos);
  void OnVScroll(ScrollCode code, int32_t thumbPos);
  // Erases and repaints the whole client area before returning.
  void RedrawView();
  void OnDraw(DrawingSurface& dc);

  // The print hooks, in the order a job calls them. OnPreparePrinting shows
  // the print dialog unless the job is a preview or direct; false ends the
  // job before it began. OnPrepareDC gives the page mapping for a device's
  // resolution, or sets it on the device. OnPrint draws the one page.
  bool OnPreparePrinting(CPrintInfo& info);
  void OnBeginPrinting();
  PrintPageMapping OnPrepareDC(int32_t dotsPerInchX, int32_t dotsPerInchY) const;
  void OnPrepareDC(PrintDevice& dc) const;
  void OnPrint(DrawingSurface& dc) { OnDraw(dc); }
  void OnEndPrinting();

  CCorvaneDoc& GetDocument() const { return doc_; }
  ViewHost& Host() const { return host_; }
  Viewport& GetViewport() { return viewport_; }
  const Viewport& GetViewport() const { return viewport_; }
  PlotRenderer& Renderer() { return renderer_; }
  const PrintMapping& Printing() const { return printMapping_; }

 private:
  CCorvaneDoc& doc_;
  ViewHost& host_;
  Viewport viewport_;
  PlotRenderer renderer_;
  PrintMapping printMapping_;
};

}  // namespace corvane
