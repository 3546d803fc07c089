#include "qt/window_picture.h"

#include <QPainter>

#include "qt/qimage_surface.h"
#include "view/corvane_view.h"
#include "view/scroll_repaint.h"

namespace corvane {
void PaintWindowPicture(QImage& image, uint32_t background, CCorvaneView& view) {
  if (image.isNull()) return;
  const WindowPaintPlan plan = view.PlanWindowPaint({image.width(), image.height()});
  if (!plan.full && plan.areas.empty()) {
    ShiftPixels(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                image.height(), plan.shift);
    return;
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
}

}  // namespace corvane
