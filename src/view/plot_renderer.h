#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "view/picture_refinement.h"
#include "view/viewport.h"

namespace corvane {

// Paints the document in one pass: every item of every visible layer in its
// layer's colour with the aperture in force, then the drill holes. The same
// pass serves the window, the picture files and the printed page.
class PlotRenderer {
 public:
  // Size, in device units, of a hole whose tool is not in the tool table: a
  // dot that is seen at every zoom rather than a hole of a guessed diameter.
  static constexpr int32_t kUnknownToolHoleSize = 5;

  PlotRenderer();

  void OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, Viewport& viewport);
  // Whether whole paints record runs of items, so that a later paint of a few
  // strips can leave out the runs that cannot reach them. Worth its time and
  // memory only for a picture that is kept and scrolled (the window's), not
  // for a picture painted once (an export).
  void KeepRunsForStrips(bool keep);
  // Whether this renderer records runs itself when it has none for the items;
  // copies that draw other bands of the same picture leave it to one of them.
  void RecordRuns(bool record) { recordRuns_ = record; }
  // Takes the runs another renderer recorded for the same items (they are
  // shared, never changed), when this one has none for them.
  void AdoptRunsOf(const PlotRenderer& other);
  // Takes the state that outlives a paint from a renderer that painted the
  // same document since this one did.
  void TakeCarriedStateOf(const PlotRenderer& other);
  // Asked every few thousand items: a cancelled paint stops where it is and
  // its picture is not to be shown.
  void SetCancel(PaintCancel cancel) { cancel_ = cancel; }
  void DrawPlotItems(DrawingSurface& dc, const CCorvaneDoc& doc, const Viewport& viewport);
  void DrawDrillHits(DrawingSurface& dc, const CCorvaneDoc& doc, const Viewport& viewport);

  // One primitive from the current point to, or at, the view point (u, v).
  // They use the scale and mirroring of the last pass begun.
  void DrawSegment(DrawingSurface& dc, double u, double v, const DeviceRect& clip);
  void DrawArc(DrawingSurface& dc, double u, double v, int32_t mode, const DeviceRect& clip);
  void DrawFlash(DrawingSurface& dc, double u, double v, const DeviceRect& clip);

  void SelectPen(DrawingSurface& dc, int32_t width, uint32_t color, int32_t shape);
  bool HasPenCached() const { return penSelected_; }
  bool HasBrushCached() const { return brushSelected_; }
  void SelectBrush(DrawingSurface& dc, uint32_t color);
  void ReleaseDrawingTools(DrawingSurface& dc);

  // Left and top edges belong to the rectangle, right and bottom do not.
  static bool SegmentTouchesRect(DevicePoint s, DevicePoint e, const DeviceRect& rect);
  static bool SegmentsCross(double x1, double y1, double x2, double y2, double x3, double y3,
                            double x4, double y4);
  static bool RectsOverlap(const DeviceRect& a, const DeviceRect& b);

  // State that outlives an item, and a paint.
  const Aperture& CurrentAperture() const { return currentAperture_; }
  void SetCurrentAperture(const Aperture& aperture) { currentAperture_ = aperture; }
  void SetCurrentPoint(double u, double v) {
    currentX_ = u;
    currentY_ = v;
  }
  void SetCurrentColor(uint32_t color) { currentColor_ = color; }
  void SetArcOffsets(double i, double j) {
    arcOffsetI_ = i;
    arcOffsetJ_ = j;
  }
  double ArcOffsetI() const { return arcOffsetI_; }
  double ArcOffsetJ() const { return arcOffsetJ_; }
  // Takes scale, mirroring and the printing flag for the primitives above.
  void BeginPass(const DrawingSurface& dc, const Viewport& viewport);

 private:
  void FillBox(DrawingSurface& dc, double left, double top, double right, double bottom);
  void DrawRectangularSegment(DrawingSurface& dc, double u, double v, DevicePoint s, DevicePoint e);
  DeviceRect DeviceBox(double left, double top, double right, double bottom) const;
  int32_t PenWidth(double size) const;
  void PutBackAfterHoles(DrawingSurface& dc);

  // Where a paint may take up the item list at the start of a run of
  // kRunLength items, and the box, in plot units, that the run may draw in.
  struct RunStart {
    uint32_t color = 0;
    bool visible = true;
    bool centreJustGiven = false;
    bool anywhere = false;  // from the pass's starting point, or no box
    uint8_t layerIndex = 0;
    uint8_t apertureLayer = 0;
    int32_t dcode = 0;              // the aperture in force; 0: the one the pass began with
    std::size_t lastStatement = 0;  // index + 1 of the statement before it; 0: none
    double offsetX = 0.0;
    double offsetY = 0.0;
    double arcI = 0.0;
    double arcJ = 0.0;
    double minX = HUGE_VAL;
    double minY = HUGE_VAL;
    double maxX = -HUGE_VAL;
    double maxY = -HUGE_VAL;
  };
  struct RunBox;  // a run's box while it is recorded
  static constexpr std::size_t kRunLength = 16;
  // Shared between the copies that draw the bands of one picture, and never
  // changed once recorded: a paint that records makes a new list.
  std::shared_ptr<const std::vector<RunStart>> runs_;
  const PlotItem* runsItems_ = nullptr;  // the item list the runs were taken from
  std::size_t runsCount_ = 0;
  bool keepRuns_ = false;
  bool recordRuns_ = true;
  PaintCancel cancel_;

  // Lookups of one paint, by D-code and layer: the document does not change
  // while it is painted, and boards select apertures hundreds of thousands
  // of times from a table of a few dozen.
  struct ApertureCacheEntry {
    bool valid = false;
    int32_t dcode = 0;
    int32_t layer = 0;
    Aperture aperture;
  };
  static constexpr std::size_t kApertureCacheSize = 64;
  const Aperture& LookUpAperture(const CCorvaneDoc& doc, int32_t dcode, int32_t layer);
  std::array<ApertureCacheEntry, kApertureCacheSize> apertureCache_{};

  Aperture currentAperture_;
  uint32_t currentColor_ = 0;
  double currentX_ = 0.0;
  double currentY_ = 0.0;
  double arcOffsetI_ = 0.0;
  double arcOffsetJ_ = 0.0;
  // A closed arc is a full circle only when its statement gave its own centre.
  // A statement that merely repeats the modal state (M02* after an arc, say)
  // is a closed arc too, and must not add a circle that the file never drew.
  bool closedArcIsCircle_ = true;

  // The cache key is kept apart from whether a pen was made for it: a pen that
  // could not be made keeps its key, and drawing goes on with the pen in use.
  bool penKeyValid_ = false;
  bool penSelected_ = false;
  uint32_t penColor_ = 0;
  int32_t penWidth_ = 0;
  int32_t penShape_ = 0;
  int32_t penSurfaceWidth_ = 0;
  bool brushKeyValid_ = false;
  bool brushSelected_ = false;
  uint32_t brushColor_ = 0;

  double scale_ = 1.0;
  bool mirrorX_ = false;
  bool mirrorY_ = false;
  bool printing_ = false;
};

}  // namespace corvane
