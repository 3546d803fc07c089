#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {

class StandardModelCache;

// The view without a window, for pictures of a working set: a client area of
// a given size that nobody scrolls, resizes or clicks.
class HeadlessView {
 public:
  // Sets the view up as a window of that size would be right after opening
  // the document: its flags, zoomed to its extents, its scroll position. With
  // `standard` the view draws the standard reading from it.
  HeadlessView(CCorvaneDoc& doc, ClientSize clientSize, StandardModelCache* standard = nullptr);

  // Makes the client area just large enough for everything drawn at `dpi`
  // pixels per plot unit, `margin` pixels on every side, and scrolls it into
  // view. The size, or none when a side would exceed `maxSide`.
  std::optional<ClientSize> FitDrawingAt(double dpi, int32_t margin, int32_t maxSide);

  // Shows the board picture of its side instead of the layers, set up as
  // right after opening the document.
  void ShowBoard(std::shared_ptr<const BoardPicture> picture);

  // One paint of the client area, onto a surface of the client size.
  void PaintWindow(DrawingSurface& dc);
  // One printed page: the print mapping for the length of the paint, onto a
  // surface in hundredths of an inch with its origin at the page's corner.
  void PaintPage(DrawingSurface& dc);

  // As a window that has slow pictures drawn on another thread would: the
  // caller then makes and draws the view's jobs.
  void DrawElsewhere(bool elsewhere) { host_.drawsElsewhere = elsewhere; }

  CCorvaneView& View() { return view_; }
  ClientSize GetClientSize() const { return host_.GetClientSize(); }

 private:
  class Host : public ViewHost {
   public:
    explicit Host(ClientSize size) : size_(size) {}
    ClientSize GetClientSize() const override { return size_; }
    void SetClientSize(ClientSize size) { size_ = size; }
    void SetScrollBar(ScrollBarId, const ScrollBarSetup&) override {}
    void SetScrollThumb(ScrollBarId, int32_t) override {}
    void Invalidate() override {}
    void RepaintNow() override {}
    void SetCursorShape(CursorShape) override {}
    void ShowRubberBand(const DeviceRect&) override {}
    void HideRubberBand() override {}
    bool IsShiftDown() const override { return false; }
    void SetStatusText(std::string_view) override {}
    void SetPositionText(std::string_view) override {}
    bool DrawsElsewhere() const override { return drawsElsewhere; }
    bool drawsElsewhere = false;

   private:
    ClientSize size_;
  };

  Host host_;
  CCorvaneView view_;
};

}  // namespace corvane
