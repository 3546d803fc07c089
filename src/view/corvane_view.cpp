#include "view/corvane_view.h"

#include <algorithm>
#include <cmath>

#include "loading/standard_model_cache.h"
#include "platform/settings_store.h"

namespace corvane {

CCorvaneView::CCorvaneView(CCorvaneDoc& doc, ViewHost& host)
    : doc_(doc), host_(host), viewport_(host) {
  // The first view of a document guards it; a second one on the same
  // document (a headless picture beside the window) draws on its own thread.
  if (doc_.ChangeGuard() == nullptr) doc_.SetChangeGuard(&changeStop_);
}

CCorvaneView::~CCorvaneView() {
  if (doc_.ChangeGuard() == &changeStop_) doc_.SetChangeGuard(nullptr);
}

void CCorvaneView::OnInitialUpdate() {
  InvalidateAll();
  viewport_.SetFlags(doc_.GetMirrorX(), MirrorLeftRight(), doc_.GetAutoOrigin());
  const DevicePoint pos = viewport_.ZoomToExtents(GetPlotExtents(), doc_.GetAutoOrigin() != 0);
  viewport_.SetScrollPosition(pos.x, pos.y);
  navigation_.ShowPointerPosition();
}

bool CCorvaneView::DrawsStandard() const {
  return interpretation_ == Interpretation::kStandard && standardModels_ != nullptr;
}

void CCorvaneView::SetBoardPicture(BoardSide side, std::shared_ptr<const BoardPicture> picture) {
  boards_[static_cast<int>(side)] = std::move(picture);
}

const BoardPicture* CCorvaneView::GetBoardPicture(BoardSide side) const {
  return boards_[static_cast<int>(side)].get();
}

bool CCorvaneView::DrawsBoard() const {
  if (picture_ == ViewPicture::kLayers) return false;
  return GetBoardPicture(picture_ == ViewPicture::kBoardTop ? BoardSide::kTop
                                                            : BoardSide::kBottom) != nullptr;
}

int32_t CCorvaneView::MirrorLeftRight() const {
  const BoardSide side =
      DrawsBoard() && picture_ == ViewPicture::kBoardBottom ? BoardSide::kBottom : BoardSide::kTop;
  return BoardRenderer::MirrorLeftRight(doc_, side);
}

Extents CCorvaneView::GetPlotExtents() const {
  if (DrawsBoard()) {
    return BoardRenderer::ExtentsOf(*GetBoardPicture(
        picture_ == ViewPicture::kBoardTop ? BoardSide::kTop : BoardSide::kBottom));
  }
  if (!DrawsStandard()) return doc_.GetExtents();
  return StandardRenderer::ExtentsOf(standardModels_->Current().model);
}

void CCorvaneView::OnSize(int32_t, int32_t) {
  viewport_.UpdateScrollBars();
  // The bars were set up at position 0; show where the view really is.
  viewport_.SyncScrollThumbs();
}

void CCorvaneView::OnHScroll(ScrollCode code, int32_t thumbPos) {
  if (viewport_.OnScroll(ScrollBarId::kHorizontal, code, thumbPos)) Repaint(true);
}

void CCorvaneView::OnVScroll(ScrollCode code, int32_t thumbPos) {
  if (viewport_.OnScroll(ScrollBarId::kVertical, code, thumbPos)) Repaint(true);
}

void CCorvaneView::RedrawView() { Repaint(false); }

void CCorvaneView::InvalidateAll() {
  kept_.valid = false;
  // No picture asked for before is wanted any more.
  refinement_.CancelAll();
  host_.Invalidate();
}

void CCorvaneView::Repaint(bool scrolled) {
  // The picture asked for before shows what is no longer wanted.
  refinement_.CancelAll();
  if (scrolled) {
    kept_.scrolled = true;
  } else {
    kept_.valid = false;
  }
  host_.RepaintNow();
  // The pointer may rest while the picture moves under it.
  navigation_.ShowPointerPosition();
}

bool CCorvaneView::ScrollTo(DevicePoint position) {
  if (position == viewport_.GetScrollPos()) return false;
  viewport_.SetScrollPosition(position.x, position.y);
  Repaint(true);
  return true;
}

WindowPaintPlan CCorvaneView::PlanWindowPaint(ClientSize client) {
  const DevicePoint scroll = viewport_.GetScrollPos();
  renderer_.KeepRunsForStrips(true);  // the window keeps its picture and scrolls it
  WindowPaintPlan plan;
  // Only a paint a scroll asked for may reuse the picture: any other paint
  // may follow a change nobody told the view of.
  const bool onlyScrolled = kept_.valid && kept_.scrolled && kept_.client == client &&
                            kept_.scale == viewport_.GetScale();
  const bool unmoved = onlyScrolled && kept_.scroll == scroll;
  // Whatever this paint shows supersedes every picture still being drawn.
  const uint64_t generation = refinement_.Ask();
  const PlotMapping mapping = WindowMapping();
  if (!unmoved && refinement_.Refines() && host_.DrawsElsewhere() && !DrawsBoard()) {
    plan.full = false;
    plan.refine = true;
    plan.preview = refinement_.PreviewFor(mapping);
    wanted_ = Wanted{generation, client, mapping};
    kept_ = {};  // the window shows a preview, not the picture
    return plan;
  }
  wanted_.reset();
  if (onlyScrolled) {
    const int64_t dx = int64_t{kept_.scroll.x} - scroll.x;
    const int64_t dy = int64_t{kept_.scroll.y} - scroll.y;
    if (std::abs(dx) < client.width && std::abs(dy) < client.height) {
      plan = PlanScrollRepaint(client, {static_cast<int32_t>(dx), static_cast<int32_t>(dy)},
                               CullReach());
    }
  }
  kept_ = {true, false, scroll, client, viewport_.GetScale()};
  refinement_.ExactAt(mapping, client);
  return plan;
}

PlotMapping CCorvaneView::WindowMapping() {
  // The setting up each renderer does at the start of its paint, on a copy.
  Viewport v = viewport_;
  v.SetExtents(GetPlotExtents());
  v.SetFlags(doc_.GetMirrorX(), MirrorLeftRight(), doc_.GetAutoOrigin());
  v.UpdateOrigin(false);
  return PlotMapping::Of(v);
}

std::unique_ptr<PictureJob> CCorvaneView::MakePictureJob(int32_t bands) {
  if (!wanted_ || !refinement_.IsCurrent(wanted_->generation)) return nullptr;
  PictureJob::Setup setup;
  setup.doc = &doc_;
  if (DrawsStandard()) {
    setup.load = standardModels_->Shared();
    setup.loadGeneration = standardModels_->Generation();
    standardRenderer_.PrepareFor(*setup.load, setup.loadGeneration);
  }
  setup.client = wanted_->client;
  setup.generation = wanted_->generation;
  setup.cancel = refinement_.CancelFor(wanted_->generation);
  setup.mapping = wanted_->mapping;
  setup.scroll = viewport_.GetScrollPos();
  setup.scale = viewport_.GetScale();
  wanted_.reset();
  refinement_.HandedOut();
  lastHandedOut_ = setup.generation;
  return std::make_unique<PictureJob>(std::move(setup), viewport_, renderer_, standardRenderer_,
                                      bands);
}

bool CCorvaneView::AcceptPicture(const PictureJob& job, std::chrono::nanoseconds took) {
  if (job.Generation() == lastHandedOut_) refinement_.AllReturned();
  if (!refinement_.IsCurrent(job.Generation()) || job.Cancelled()) return false;
  refinement_.FullPaintTook(took);
  refinement_.ExactAt(job.Mapping(), job.Client());
  renderer_.TakeCarriedStateOf(job.FirstRenderer());
  renderer_.AdoptRunsOf(job.FirstRenderer());
  // The next paint shows it as it is, and a scroll moves it.
  kept_ = {true, true, job.Scroll(), job.Client(), job.Scale()};
  return true;
}

void CCorvaneView::StopDrawingElsewhere() {
  if (!refinement_.Outstanding()) return;
  refinement_.CancelAll();
  host_.WaitForDrawing();
  refinement_.AllReturned();
}

int32_t CCorvaneView::CullReach() const {
  double widest = std::max(renderer_.CurrentAperture().sizeX, renderer_.CurrentAperture().sizeY);
  for (const Aperture& aperture : doc_.Apertures()) {
    widest = std::max({widest, aperture.sizeX, aperture.sizeY});
  }
  const double reach = std::ceil(std::fabs(widest * viewport_.GetScale()) / 2) + 2;
  // Not a number, or beyond any window: the plan then paints everything.
  return reach < 1e6 ? static_cast<int32_t>(reach) : 1000000;
}

void CCorvaneView::OnDraw(DrawingSurface& dc) {
  const bool whole = dc.PaintAreas().empty() && !dc.IsPrinting();
  const auto start = std::chrono::steady_clock::now();
  DrawPicture(dc);
  // What a whole picture costs decides whether the next one is drawn at once.
  if (whole) refinement_.FullPaintTook(std::chrono::steady_clock::now() - start);
  DrawOverlays(dc);
}

void CCorvaneView::DrawPicture(DrawingSurface& dc) {
  if (DrawsBoard()) {
    boardRenderer_.OnDraw(
        dc, doc_,
        *GetBoardPicture(picture_ == ViewPicture::kBoardTop ? BoardSide::kTop : BoardSide::kBottom),
        viewport_);
  } else if (!DrawsStandard()) {
    renderer_.OnDraw(dc, doc_, viewport_);
  } else {
    const StandardLoad& load = standardModels_->Current();
    standardRenderer_.OnDraw(dc, doc_, load, standardModels_->Generation(), viewport_);
  }
}

void CCorvaneView::DrawOverlays(DrawingSurface& dc) {
  // Both renderers left the viewport's origin as this paint computed it.
  DrawOverlays(dc, PlotMapping::Of(viewport_));
}

void CCorvaneView::DrawOverlays(DrawingSurface& dc, const PlotMapping& map) {
  for (ViewOverlay* overlay : overlays_) overlay->Draw(dc, map);
}

void CCorvaneView::AddOverlay(ViewOverlay* overlay) {
  if (overlay == nullptr) return;
  if (std::find(overlays_.begin(), overlays_.end(), overlay) == overlays_.end()) {
    overlays_.push_back(overlay);
  }
}

void CCorvaneView::RemoveOverlay(ViewOverlay* overlay) {
  overlays_.erase(std::remove(overlays_.begin(), overlays_.end(), overlay), overlays_.end());
}

bool CCorvaneView::ZoomToPlotBox(const Extents& box, double minimumSide) {
  if (!(box.maxX >= box.minX) || !(box.maxY >= box.minY)) return false;
  // A tenth of the box on each side, so the place is not on the window's edge.
  const double side = std::max(minimumSide, 0.0);
  const double width = std::max(box.maxX - box.minX, side) * 1.2;
  const double height = std::max(box.maxY - box.minY, side) * 1.2;
  const double cx = box.minX / 2 + box.maxX / 2;
  const double cy = box.minY / 2 + box.maxY / 2;
  viewport_.SetFlags(doc_.GetMirrorX(), MirrorLeftRight(), doc_.GetAutoOrigin());
  viewport_.SetExtents(GetPlotExtents());
  if (!viewport_.FitPlotBox({cx - width / 2, cy - height / 2}, {cx + width / 2, cy + height / 2})) {
    return false;
  }
  RedrawView();
  return true;
}

void CCorvaneView::OnPointerPress(const PointerEvent& event) {
  switch (event.button) {
    case PointerButton::kLeft:
      // A pan ends where it is, and the button does what it always did.
      navigation_.EndPan();
      tools_.OnLButtonDown(event.point);
      break;
    case PointerButton::kRight:
      navigation_.EndPan();
      tools_.OnRButtonDown(event.point);
      break;
    case PointerButton::kMiddle:
      navigation_.OnMButtonDown(event.point);
      break;
    case PointerButton::kOther:
    case PointerButton::kNone:
      break;
  }
}

void CCorvaneView::OnPointerRelease(const PointerEvent& event) {
  switch (event.button) {
    case PointerButton::kLeft:
      tools_.OnLButtonUp(event.point);
      break;
    case PointerButton::kRight:
      tools_.OnRButtonUp(event.point);
      break;
    case PointerButton::kMiddle:
      navigation_.OnMButtonUp(event.point);
      break;
    case PointerButton::kOther:
    case PointerButton::kNone:
      break;
  }
}

void CCorvaneView::OnPointerMove(const PointerEvent& event) {
  navigation_.OnMouseMove(event.point, event.button);
  // The tools follow only what moves with a button held, as they always have.
  if (event.button != PointerButton::kNone) tools_.OnMouseMove(event.point);
  if (event.button == PointerButton::kNone && inspector_ != nullptr)
    inspector_->PointerAt(event.point);
}

bool CCorvaneView::OnKeyDown(ViewKey key, bool shiftDown) {
  if (tools_.OnKeyDown(key)) return true;
  if (key == ViewKey::kEscape && inspector_ != nullptr && inspector_->EndChoice()) return true;
  const KeyScroll scroll = KeyScrollFor(key, shiftDown, viewport_.GetScrollPos(),
                                        viewport_.GetPageStep(), viewport_.GetLineStep());
  const DevicePoint position =
      scroll.zoomToExtents ? viewport_.ZoomToExtents(GetPlotExtents(), doc_.GetAutoOrigin() != 0)
                           : scroll.position;
  // Every key puts the thumbs back at the stored position, even one that
  // moves nothing.
  const bool moved = !scroll.zoomToExtents && position != viewport_.GetScrollPos();
  viewport_.SetScrollPosition(position.x, position.y);
  // A key that moves nothing (F5 among them) repaints everything, as it did.
  if (scroll.repaint) Repaint(moved);
  return scroll.repaint;
}

CursorShape CCorvaneView::OnSetCursor() const {
  return tools_.IsZoomToolOn() ? CursorShape::kZoom : CursorShape::kArrow;
}

void CCorvaneView::OnZoomIn() {
  const ClientSize client = host_.GetClientSize();
  viewport_.ZoomAt(client.width / 2, client.height / 2, kZoomInFactor);
  RedrawView();
}

void CCorvaneView::OnZoomOut() {
  const ClientSize client = host_.GetClientSize();
  viewport_.ZoomAt(client.width / 2, client.height / 2, kZoomOutFactor);
  RedrawView();
}

void CCorvaneView::OnZoomExtents() {
  const DevicePoint pos = viewport_.ZoomToExtents(GetPlotExtents(), doc_.GetAutoOrigin() != 0);
  viewport_.SetScrollPosition(pos.x, pos.y);
  RedrawView();
}

void CCorvaneView::OnZoomTool() {
  tools_.ToggleZoomTool();
  host_.SetCursorShape(OnSetCursor());
}

void CCorvaneView::OnAutoOrigin() { Toggle(Flag::kAutoOrigin); }
void CCorvaneView::OnMirrorX() { Toggle(Flag::kMirrorX); }
void CCorvaneView::OnMirrorY() { Toggle(Flag::kMirrorY); }

void CCorvaneView::Toggle(Flag flag) {
  struct Access {
    const char* key;
    int32_t (CCorvaneDoc::*get)() const;
    void (CCorvaneDoc::*set)(int32_t);
  };
  static constexpr Access kAccess[] = {
      {"AutoOrigin", &CCorvaneDoc::GetAutoOrigin, &CCorvaneDoc::SetAutoOrigin},
      {"MirrorX", &CCorvaneDoc::GetMirrorX, &CCorvaneDoc::SetMirrorX},
      {"MirrorY", &CCorvaneDoc::GetMirrorY, &CCorvaneDoc::SetMirrorY}};
  const auto index = static_cast<std::size_t>(flag);
  const Access& access = kAccess[index];
  // The document's flag decides; the view's copy and the stored default
  // follow it, so the next new document starts the same way. Scale and
  // scroll stay as they are.
  const int32_t value = (doc_.*access.get)() == 0 ? 1 : 0;
  (doc_.*access.set)(value);
  int32_t copies[] = {viewport_.GetAutoOrigin(), viewport_.GetMirrorX(), viewport_.GetMirrorY()};
  copies[index] = value;
  // The bottom board view turns the picture over by itself: its mapping
  // mirrors left to right unless the user's Mirror Y turns it back.
  if (flag == Flag::kMirrorY) copies[index] = MirrorLeftRight();
  viewport_.SetFlags(copies[1], copies[2], copies[0]);
  if (store_ != nullptr) store_->WriteInt(kSectionDefaults, access.key, value);
  doc_.SetModified(true);
  RedrawView();
}

void CCorvaneView::ApplyLayerVisibility() {
  if (visibilityDialog_ == nullptr) return;
  const std::vector<int32_t> shown = visibilityDialog_->GetSelectedLayers(kMaxShownLayers);
  for (int32_t i = 0; i < doc_.GetLayerCount(); ++i) doc_.SetLayerVisible(i, 0);
  for (const int32_t layer : shown) doc_.SetLayerVisible(layer, 1);
  const int32_t showDrillHoles = visibilityDialog_->GetShowDrillHoles();
  // The dialog's one drill box stands for every drill file: a change of it
  // shows or hides them all.
  if (showDrillHoles != doc_.GetShowDrillHoles()) {
    for (DrillFileEntry& entry : doc_.MutableDrillFiles()) entry.visible = showDrillHoles;
  }
  doc_.SetShowDrillHoles(showDrillHoles);
  RedrawView();
}

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
