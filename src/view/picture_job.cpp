#include "view/picture_job.h"

namespace corvane {

PictureJob::PictureJob(Setup setup, const Viewport& viewport, const PlotRenderer& renderer,
                       const StandardRenderer& standard, int32_t bands)
    : setup_(std::move(setup)) {
  const std::vector<DeviceRect> rows = PictureBands(setup_.client, bands);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto band = std::make_unique<Band>(rows[i], viewport, renderer, standard);
    band->plot.SetCancel(setup_.cancel);
    band->standard.SetCancel(setup_.cancel);
    // The runs the first band records serve the later pictures of the view.
    band->plot.RecordRuns(i == 0);
    bands_.push_back(std::move(band));
  }
}

void PictureJob::Draw(std::size_t band, DrawingSurface& dc) {
  if (band >= bands_.size() || setup_.doc == nullptr) return;
  Band& b = *bands_[band];
  if (setup_.load) {
    b.standard.OnDraw(dc, *setup_.doc, *setup_.load, setup_.loadGeneration, b.viewport);
  } else {
    b.plot.OnDraw(dc, *setup_.doc, b.viewport);
  }
}

}  // namespace corvane
