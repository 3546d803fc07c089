#include "qt/window_picture.h"

#include <QPainter>
#include <cstring>
#include <thread>
#include <vector>

#include "qt/qimage_surface.h"
#include "view/corvane_view.h"
#include "view/picture_job.h"
#include "view/scroll_repaint.h"

namespace corvane {
namespace {

uint32_t ToArgb(uint32_t color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

void PaintPreview(QImage& image, const QImage& exact, uint32_t background,
                  const WindowPaintPlan& plan) {
  auto* target = reinterpret_cast<uint32_t*>(image.bits());
  const std::ptrdiff_t stride = image.bytesPerLine() / 4;
  const bool usable = plan.preview && !exact.isNull() && exact.depth() == 32;
  if (!usable) {
    TransformPixels(nullptr, 0, 0, 0, target, stride, image.width(), image.height(), {},
                    ToArgb(background));
    return;
  }
  TransformPixels(reinterpret_cast<const uint32_t*>(exact.constBits()), exact.bytesPerLine() / 4,
                  exact.width(), exact.height(), target, stride, image.width(), image.height(),
                  *plan.preview, ToArgb(background));
}

// One band: erased and drawn as a whole paint would, writing its rows only.
bool DrawBand(PictureJob& job, std::size_t band, QImage& image, uint32_t background) {
  QPainter painter(&image);
  QImageSurface surface(image, painter);
  const DeviceRect rows = job.BandRows(band);
  if (job.BandCount() > 1 && !surface.LimitTo({rows})) return false;
  surface.FillSolidRect(
      job.BandCount() > 1 ? rows : DeviceRect{0, 0, image.width(), image.height()}, background);
  surface.SetBackgroundColor(background);
  job.Draw(band, surface);
  return true;
}

}  // namespace

WindowPaintPlan PaintWindowPicture(QImage& image, const QImage& exact, uint32_t background,
                                   CCorvaneView& view) {
  if (image.isNull()) return {};
  const WindowPaintPlan plan = view.PlanWindowPaint({image.width(), image.height()});
  if (plan.refine) {
    if (image.depth() == 32) {
      PaintPreview(image, exact, background, plan);
    } else {
      image.fill(ToQColor(background));
    }
    return plan;
  }
  if (!plan.full && plan.areas.empty()) {
    ShiftPixels(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                image.height(), plan.shift);
    return plan;
  }
  QPainter painter(&image);
  QImageSurface surface(image, painter);
  // Pixels move as 32-bit words, and only a surface that writes the rows
  // itself can keep to the strips.
  if (!plan.full && image.depth() == 32 && surface.LimitTo(plan.areas)) {
    ShiftPixels(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                image.height(), plan.shift);
    for (const DeviceRect& area : plan.areas) surface.FillSolidRect(area, background);
  } else {
    surface.FillSolidRect({0, 0, image.width(), image.height()}, background);
  }
  surface.SetBackgroundColor(background);
  view.OnDraw(surface);
  return plan;
}

QImage DrawPictureJob(PictureJob& job, uint32_t background) {
  const ClientSize client = job.Client();
  QImage result(client.width, client.height, QImage::Format_RGB32);
  if (result.isNull() || job.BandCount() == 0) return QImage();
  // Each further band paints into an image of its own: a painter that draws
  // what the row writers cannot puts back pixels beyond its band, which
  // another band may be writing meanwhile.
  std::vector<QImage> others;
  for (std::size_t band = 1; band < job.BandCount(); ++band) {
    others.emplace_back(client.width, client.height, QImage::Format_RGB32);
    if (others.back().isNull()) return QImage();
  }
  std::vector<std::thread> threads;
  std::vector<char> drawn(job.BandCount(), 0);
  for (std::size_t band = 1; band < job.BandCount(); ++band) {
    threads.emplace_back(
        [&, band] { drawn[band] = DrawBand(job, band, others[band - 1], background) ? 1 : 0; });
  }
  drawn[0] = DrawBand(job, 0, result, background) ? 1 : 0;
  for (std::thread& thread : threads) thread.join();
  if (job.Cancelled()) return QImage();
  for (std::size_t band = 1; band < job.BandCount(); ++band) {
    if (drawn[band] == 0) return QImage();
    const DeviceRect rows = job.BandRows(band);
    const QImage& from = others[band - 1];
    for (int32_t y = rows.top; y < rows.bottom; ++y) {
      std::memcpy(result.scanLine(y), from.constScanLine(y),
                  static_cast<std::size_t>(client.width) * 4);
    }
  }
  return drawn[0] != 0 ? result : QImage();
}

}  // namespace corvane
