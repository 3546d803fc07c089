#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "analysis/board_picture.h"
#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "platform/print_service.h"
#include "platform/view_host.h"
#include "view/board_renderer.h"
#include "view/interpretation.h"
#include "view/key_scroll.h"
#include "view/layer_visibility.h"
#include "view/picture_job.h"
#include "view/picture_refinement.h"
#include "view/plot_renderer.h"
#include "view/pointer_probe.h"
#include "view/pointer_tools.h"
#include "view/print_info.h"
#include "view/print_mapping.h"
#include "view/scroll_repaint.h"
#include "view/standard_renderer.h"
#include "view/view_navigation.h"
#include "view/view_overlay.h"
#include "view/viewport.h"

namespace corvane {

class StandardModelCache;
class DocumentLoader;
class SettingsStore;

// The program's one view: the viewport, the renderer and the print mapping
// behind the window's ViewHost, with the view commands and the pointer tools.
// It owns viewport state, tool state and the renderer's per-paint state only;
// it reads the document while painting.
class CCorvaneView : public LayerVisibilityTarget {
 public:
  CCorvaneView(CCorvaneDoc& doc, ViewHost& host);
  ~CCorvaneView() override;
  CCorvaneView(const CCorvaneView&) = delete;
  CCorvaneView& operator=(const CCorvaneView&) = delete;

  // Where the standard reading of the document comes from; without it the
  // view draws the classic reading whatever it is set to.
  void AttachStandardModels(StandardModelCache* models) { standardModels_ = models; }
  StandardModelCache* StandardModels() const { return standardModels_; }
  void SetInterpretation(Interpretation interpretation) { interpretation_ = interpretation; }
  Interpretation GetInterpretation() const { return interpretation_; }
  // The standard reading is set and can be drawn.
  bool DrawsStandard() const;
  // The extents of what the view draws: the document's for the classic
  // reading, the standard model's (stroke widths and flash sizes included)
  // for the standard one.
  Extents GetPlotExtents() const;
  // Where the toggles keep their defaults, and the loader the offset tool has
  // read the document again with. Either may be null: nothing is stored, and
  // an offset changes the layer without reading it again.
  void AttachServices(SettingsStore* store, DocumentLoader* loader) {
    store_ = store;
    loader_ = loader;
  }
  DocumentLoader* GetLoader() const { return loader_; }

  // --- The board as made --------------------------------------------------------
  // Which picture the view shows. A board side whose picture has not been
  // given yet shows the layers until it is.
  void ShowPicture(ViewPicture picture) { picture_ = picture; }
  ViewPicture GetPicture() const { return picture_; }
  // The picture of its side, composed for the present document; null drops it.
  void SetBoardPicture(BoardSide side, std::shared_ptr<const BoardPicture> picture);
  const BoardPicture* GetBoardPicture(BoardSide side) const;
  // A board picture is chosen and at hand: the view draws it.
  bool DrawsBoard() const;
  // The left-right mirroring of what the view draws: the document's, turned
  // over while the bottom is seen from below.
  int32_t MirrorLeftRight() const;

  // A document was created or opened: take its flags and show its extents.
  void OnInitialUpdate();
  // The client area changed size; scale and scroll position are kept.
  void OnSize(int32_t width, int32_t height);
  void OnHScroll(ScrollCode code, int32_t thumbPos);
  void OnVScroll(ScrollCode code, int32_t thumbPos);
  // Erases and repaints the whole client area before returning.
  void RedrawView();
  // Moves the picture to a scroll position at the present scale and repaints;
  // false (and no paint) when it is there already. The wheel's scrolling and
  // the middle-button drag go this way.
  bool ScrollTo(DevicePoint position);
  void OnDraw(DrawingSurface& dc);

  // --- The window's picture -----------------------------------------------------
  // How the window's next paint goes, taken as done: everything, or, when the
  // scroll position is all that changed since the picture the window keeps,
  // that picture moved and the strips it lacks painted anew.
  WindowPaintPlan PlanWindowPaint(ClientSize client);
  // When the plan says refine, the window shows a preview at once (the last
  // exact picture moved by the plan's transform, or the background without
  // one) and has this job draw the exact picture elsewhere in `bands`
  // bands. Null when the plan did not say so.
  std::unique_ptr<PictureJob> MakePictureJob(int32_t bands);
  // A job's picture is complete and drawn `took` long: true when it is still
  // the picture wanted, which the window then shows (the overlays drawn over
  // it) and keeps as its exact picture.
  bool AcceptPicture(const PictureJob& job, std::chrono::nanoseconds took);
  // Draws the overlays over a picture the renderers drew: the present paint's,
  // or the one a job drew with its mapping.
  void DrawOverlays(DrawingSurface& dc);
  void DrawOverlays(DrawingSurface& dc, const PlotMapping& map);
  PictureRefinement& Refinement() { return refinement_; }
  // Cancels every picture being drawn elsewhere and waits for its drawing to
  // stop: the document is about to change. The document calls it before
  // every change of what a paint reads.
  void StopDrawingElsewhere();
  // How many pixels beyond a draw's centre line the widest aperture reaches
  // at this scale, and two more for rounding.
  int32_t CullReach() const;
  // The whole client area is to be painted anew later.
  void InvalidateAll();

  // --- Pointer and keys, as the window delivers them ------------------------
  void OnPointerPress(const PointerEvent& event);
  void OnPointerRelease(const PointerEvent& event);
  // Every movement over the client area, and beyond it while a button is held.
  void OnPointerMove(const PointerEvent& event);
  void OnPointerLeave() { navigation_.OnMouseLeave(); }
  void OnWheel(const WheelEvent& event) { navigation_.OnWheel(event); }
  // False for a key the view does nothing with, which the window passes on.
  bool OnKeyDown(ViewKey key, bool shiftDown);
  // The pointer over the client area: the zoom cursor while the zoom tool is on.
  // A pan shows the closed hand for its length and then puts this back.
  CursorShape OnSetCursor() const;

  // --- Commands -------------------------------------------------------------
  void OnZoomIn();
  void OnZoomOut();
  void OnZoomExtents();
  void OnZoomTool();
  void OnAutoOrigin();
  void OnMirrorX();
  void OnMirrorY();
  void OnRedraw() { RedrawView(); }
  void OnMeasure() { tools_.OnMeasure(); }
  // The offset tool waits for its points; `target` is a layer index, or the
  // layer count for the NC drill data.
  void StartOffsetTool(int32_t target) { tools_.StartOffset(target); }

  // --- Overlays and places ------------------------------------------------------
  // Drawn over the picture in the order added, by every paint, print and
  // export of this view; not owned, and removed before they go.
  void AddOverlay(ViewOverlay* overlay);
  void RemoveOverlay(ViewOverlay* overlay);
  // Expires when this view goes: whoever outlives it by chance (the shell's
  // commands, at the end of the program) asks this before touching it.
  std::weak_ptr<const void> Lifetime() const { return lifetime_; }
  // Shows the box (plot units of the reading drawn) filling the window with a
  // margin, each side at least `minimumSide` long, and repaints. False (and
  // nothing changes) when no usable scale shows it.
  bool ZoomToPlotBox(const Extents& box, double minimumSide);

  // --- Inspecting ----------------------------------------------------------------
  // Told of free movements, clicks no tool takes and Escape; not owned, may be null.
  void AttachInspector(PointerInspector* inspector) { inspector_ = inspector; }
  PointerInspector* Inspector() const { return inspector_; }
  // --- Layer visibility ---------------------------------------------------------
  // The open Set Layer Visibility dialog, for the length of its run.
  void SetVisibilityDialog(const LayerVisibilityChoice* dialog) { visibilityDialog_ = dialog; }
  const LayerVisibilityChoice* VisibilityDialog() const { return visibilityDialog_; }
  // Shows the first 20 layers selected in the open dialog and hides the rest,
  // takes its drill-hole choice, and repaints.
  void ApplyLayerVisibility() override;

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
  StandardRenderer& StandardDrawing() { return standardRenderer_; }
  const PrintMapping& Printing() const { return printMapping_; }
  PointerTools& Tools() { return tools_; }
  const PointerTools& Tools() const { return tools_; }
  ViewNavigation& Navigation() { return navigation_; }
  const ViewNavigation& Navigation() const { return navigation_; }

 private:
  enum class Flag { kAutoOrigin, kMirrorX, kMirrorY };  // in Toggle's table order
  void Toggle(Flag flag);
  // Repaints now; `scrolled`: nothing but the scroll position changed.
  void Repaint(bool scrolled);

  // The mapping a paint of the window's picture takes now.
  PlotMapping WindowMapping();
  void DrawPicture(DrawingSurface& dc);

  // Tells the view of every document change before it happens.
  class ChangeStop : public DocumentChangeGuard {
   public:
    explicit ChangeStop(CCorvaneView& view) : view_(view) {}
    void BeforeDocumentChange() override { view_.StopDrawingElsewhere(); }

   private:
    CCorvaneView& view_;
  };

  // What the window's kept picture shows; valid while only scrolling happened.
  struct KeptPicture {
    bool valid = false;
    bool scrolled = false;  // a scroll asked for the next paint
    DevicePoint scroll;
    ClientSize client;
    double scale = 0.0;
  };
  KeptPicture kept_;

  CCorvaneDoc& doc_;
  ViewHost& host_;
  SettingsStore* store_ = nullptr;
  DocumentLoader* loader_ = nullptr;
  Viewport viewport_;
  PlotRenderer renderer_;
  StandardRenderer standardRenderer_;
  BoardRenderer boardRenderer_;
  ViewPicture picture_ = ViewPicture::kLayers;
  std::shared_ptr<const BoardPicture> boards_[2];
  StandardModelCache* standardModels_ = nullptr;
  Interpretation interpretation_ = Interpretation::kClassic;
  PrintMapping printMapping_;
  PointerTools tools_{*this};
  ViewNavigation navigation_{*this};
  const LayerVisibilityChoice* visibilityDialog_ = nullptr;
  std::vector<ViewOverlay*> overlays_;
  PointerInspector* inspector_ = nullptr;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
  PictureRefinement refinement_;
  // The picture the last plan said to refine, until a job is made for it.
  struct Wanted {
    uint64_t generation = 0;
    ClientSize client;
    PlotMapping mapping;
  };
  std::optional<Wanted> wanted_;
  uint64_t lastHandedOut_ = 0;
  ChangeStop changeStop_{*this};
};

}  // namespace corvane
