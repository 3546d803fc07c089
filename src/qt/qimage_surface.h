#pragma once

#include <QImage>
#include <QPainter>
#include <vector>

#include "qt/layer_raster.h"
#include "qt/qpainter_surface.h"

namespace corvane {

// A QPainterSurface over a 32-bit QImage that fills lines, rectangles and
// ellipses straight into the image's rows: a board of millions of items
// paints in a fraction of QPainter's time. Pixels follow Qt's aliased rules
// (a pixel is painted when its centre lies inside the shape; one-pixel lines
// include both ends). Arcs, and anything the fast path cannot do exactly,
// go through the painter, which writes into the same rows.
class QImageSurface : public QPainterSurface {
 public:
  // `painter` must be active on `image`.
  QImageSurface(QImage& image, QPainter& painter);

  // Writes pixels inside `areas` only (cut to the image), while what is drawn
  // and culled stays that of the whole image: a part of a paint is the same
  // pixels as that part of the whole paint. Several areas take one pass.
  // False, and nothing limited, on an image whose rows it cannot write.
  bool LimitTo(const std::vector<DeviceRect>& areas);
  std::span<const DeviceRect> PaintAreas() const override {
    return limited_ ? std::span<const DeviceRect>(limits_) : std::span<const DeviceRect>();
  }

  void FillSolidRect(const DeviceRect& rect, uint32_t color) override;
  void Ellipse(const DeviceRect& rect) override;
  void LineTo(DevicePoint point) override;
  void Arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override;
  // Layer groups compose in the picture's rows: clear fills truly erase.
  bool ComposesLayers() const override { return fast_; }
  void BeginLayer(uint32_t color, bool erases) override;
  void EndLayer() override;
  void FillPath(const DevicePath& path, FillMode mode) override;
  void FillDisc(SubPoint centre, int32_t diameter, FillMode mode) override;
  void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode) override;
  void FadeRect(const DeviceRect& rect, uint32_t color, uint8_t opacity) override;

 private:
  // Runs `draw` with the limit set to each area that `box` (inclusive, in
  // pixels) may touch.
  template <class Draw>
  void InLimits(const DeviceRect& box, Draw&& draw);
  // Runs a painter's `draw`, reaching no further than `box`, and puts back
  // the pixels it changed outside the limits. A clipped painter would not do:
  // it places lines cut at the clip's edges differently.
  template <class Draw>
  void PainterInLimits(DeviceRect box, Draw&& draw);
  void Span(int32_t y, double left, double right, uint32_t argb, double nudge);
  void FillEllipse(const DeviceRect& rect, uint32_t argb);
  void HairLine(DevicePoint a, DevicePoint b, uint32_t argb);
  void InsideHairLine(DevicePoint a, DevicePoint b, uint32_t argb);
  void RoundLine(DevicePoint a, DevicePoint b, double radius, uint32_t argb);
  void BuildCapTable(double radius);

  uint32_t* bits_ = nullptr;
  qsizetype stride_ = 0;  // pixels per row
  int32_t width_ = 0;
  int32_t height_ = 0;
  DeviceRect limit_;  // the pixels the present primitive may write
  std::vector<DeviceRect> limits_;
  bool limited_ = false;  // limits_ is not the whole image
  std::vector<uint32_t> saved_;
  bool fast_ = false;
  double capRadius_ = -1.0;
  int32_t capReach_ = 0;
  std::vector<double> capHalf_;
  LayerRaster layers_;
};

}  // namespace corvane
