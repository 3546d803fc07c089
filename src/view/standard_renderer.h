#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/standard_loader.h"
#include "platform/drawing_surface.h"
#include "view/picture_refinement.h"
#include "view/plot_mapping.h"
#include "view/polygon_booleans.h"
#include "view/viewport.h"

namespace corvane {

// Whether a layer of the standard reading is shown, and in which colour: the
// document's layer, drill file or NC drill data it was read from decides.
struct LayerLook {
  bool visible = true;
  uint32_t color = 0;
};
LayerLook StandardLayerLook(const CCorvaneDoc& doc, const StandardLoad& load, std::size_t layer);

// Paints the standard model through the same Viewport mapping as the classic
// renderer: one layer group per visible layer, in order, in the colour the
// working set gives it (the NC drill file black, shown with the drill holes).
// On a surface that composes layers every object is one fill, dark or clear;
// elsewhere a layer with clear objects is resolved with polygon booleans first.
class StandardRenderer {
 public:
  // `generation` names the model: shapes are prepared once per generation.
  void OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, const StandardLoad& load,
              uint64_t generation, Viewport& viewport);

  // Prepares the model's shapes now, on this thread; a copy of the renderer
  // made afterwards shares them (they never change) and draws at once.
  void PrepareFor(const StandardLoad& load, uint64_t generation) { Prepare(load, generation); }
  // Asked every few thousand objects: a cancelled paint stops where it is
  // and its picture is not to be shown.
  void SetCancel(PaintCancel cancel) { cancel_ = cancel; }

  // The model's extents as the viewport takes them; all 0 for an empty model.
  static Extents ExtentsOf(const StandardModel& model);

 private:
  // What a shape needs to be drawn, prepared once per model (shape units:
  // inches about the shape's origin).
  struct PreparedShape {
    enum class Kind : uint8_t { kEmpty, kRound, kParts, kNet };
    Kind kind = Kind::kEmpty;
    double diameter = 0.0;            // kRound
    std::vector<StandardPoint> hull;  // of the dark parts, counter-clockwise
    std::vector<StandardPoint> net;   // kNet: dark parts less clear ones, with holes
    std::vector<uint32_t> netSizes;
  };
  struct PreparedLayer {
    std::vector<PreparedShape> shapes;
    bool hasClear = false;
    std::size_t lastClear = 0;
  };
  void Prepare(const StandardLoad& load, uint64_t generation);
  static PreparedShape PrepareShape(const StandardShapes& shapes, const StandardShape& shape);
  void DrawLayer(DrawingSurface& dc, const StandardLayer& layer, const PreparedLayer& prepared,
                 std::size_t first, std::size_t end);
  void ResolveLayer(DrawingSurface& dc, const StandardLayer& layer, const PreparedLayer& prepared);
  bool Culled(const StandardLayer& layer, const StandardObject& object) const;
  void DrawObject(DrawingSurface& dc, const StandardLayer& layer, const PreparedLayer& prepared,
                  const StandardObject& object, FillMode mode);
  void DrawFlash(DrawingSurface& dc, const StandardLayer& layer, const PreparedShape& shape,
                 const StandardShape& model, double x, double y, FillMode mode);
  void DrawSweep(DrawingSurface& dc, const PreparedShape& shape, double x0, double y0, double x1,
                 double y1, FillMode mode);
  void FlattenArc(const StandardObject& object, const StandardArc& arc);
  void SweptHullPath(const PreparedShape& shape, double x0, double y0, double x1, double y1);
  // A size in sub-units; on screen a stroke or round pad is at least one unit wide.
  int32_t Width(double size, bool atLeastOneUnit) const;

  const StandardModel* preparedModel_ = nullptr;
  uint64_t preparedGeneration_ = 0;
  // Shared by the copies that draw the bands of one picture.
  std::shared_ptr<const std::vector<PreparedLayer>> prepared_;
  PaintCancel cancel_;

  PlotMapping map_;  // model inches to device sub-units
  bool printing_ = false;
  double clipLeft_ = 0.0;
  double clipTop_ = 0.0;
  double clipRight_ = 0.0;
  double clipBottom_ = 0.0;
  std::span<const DeviceRect> areas_;  // of the present paint; empty: all
  // Scratch of the paint, kept so that drawing an object allocates nothing.
  DevicePath path_;
  DevicePath sink_;
  std::vector<StandardPoint> arcPoints_;
  std::vector<LongPoint> hullPoints_;
  std::vector<LongPoint> hullScratch_;
};

}  // namespace corvane
