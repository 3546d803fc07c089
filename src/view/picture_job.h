#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/standard_loader.h"
#include "platform/drawing_surface.h"
#include "platform/view_host.h"
#include "view/picture_refinement.h"
#include "view/plot_mapping.h"
#include "view/plot_renderer.h"
#include "view/standard_renderer.h"
#include "view/viewport.h"

namespace corvane {

// One exact picture of the view to be drawn away from the window's thread,
// in horizontal bands that may each go to a thread of their own. It holds
// its own copies of everything of the view's that a paint changes or reads
// (viewport, renderers, the standard model it shares); the document it
// reads does not change while the job may run, since every change of it
// first cancels the job and waits for its drawing to stop.
class PictureJob {
 public:
  struct Setup {
    const CCorvaneDoc* doc = nullptr;
    std::shared_ptr<const StandardLoad> load;  // null: the classic reading
    uint64_t loadGeneration = 0;
    ClientSize client;
    uint64_t generation = 0;
    PaintCancel cancel;
    PlotMapping mapping;
    DevicePoint scroll;
    double scale = 0.0;
  };
  PictureJob(Setup setup, const Viewport& viewport, const PlotRenderer& renderer,
             const StandardRenderer& standard, int32_t bands);
  PictureJob(const PictureJob&) = delete;
  PictureJob& operator=(const PictureJob&) = delete;

  uint64_t Generation() const { return setup_.generation; }
  ClientSize Client() const { return setup_.client; }
  const PlotMapping& Mapping() const { return setup_.mapping; }
  DevicePoint Scroll() const { return setup_.scroll; }
  double Scale() const { return setup_.scale; }
  std::size_t BandCount() const { return bands_.size(); }
  // The rows band `band` draws, full width.
  DeviceRect BandRows(std::size_t band) const { return bands_[band]->rows; }
  // Draws band `band` onto a surface of the client's size that writes that
  // band's rows only (or, with one band, the whole picture), erased to its
  // background beforehand. Any thread; the bands at once on different ones.
  void Draw(std::size_t band, DrawingSurface& dc);
  bool Cancelled() const { return setup_.cancel.Cancelled(); }
  // The classic renderer of the first band, with the state a paint leaves.
  const PlotRenderer& FirstRenderer() const { return bands_.front()->plot; }

 private:
  struct Band {
    Band(DeviceRect bandRows, const Viewport& v, const PlotRenderer& p, const StandardRenderer& s)
        : rows(bandRows), viewport(v), plot(p), standard(s) {}
    DeviceRect rows;
    Viewport viewport;
    PlotRenderer plot;
    StandardRenderer standard;
  };
  Setup setup_;
  std::vector<std::unique_ptr<Band>> bands_;
};

}  // namespace corvane
