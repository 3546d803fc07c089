#include "view/picture_refinement.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// One axis of the transform: the sub-unit mapping k * plot + c of both
// pictures, in pixels.
bool AxisTransform(double keptK, double keptC, double wantedK, double wantedC, double& scale,
                   double& offset) {
  if (!std::isfinite(keptK) || keptK == 0.0 || !std::isfinite(wantedK) || wantedK == 0.0 ||
      !std::isfinite(keptC) || !std::isfinite(wantedC)) {
    return false;
  }
  scale = wantedK / keptK;
  offset = (wantedC - scale * keptC) / kSubUnits;
  return std::isfinite(scale) && std::isfinite(offset) && scale != 0.0;
}

// For each target column (or row), the source column under its centre, or -1.
void SourceIndices(int32_t targetSize, int32_t sourceSize, double scale, double offset,
                   std::vector<int32_t>& out) {
  out.resize(static_cast<std::size_t>(std::max(targetSize, 0)));
  for (int32_t i = 0; i < targetSize; ++i) {
    const double s = std::floor((i + 0.5 - offset) / scale);
    out[static_cast<std::size_t>(i)] = s >= 0.0 && s < sourceSize ? static_cast<int32_t>(s) : -1;
  }
}

}  // namespace

std::optional<PictureTransform> PreviewTransform(const PlotMapping& kept,
                                                 const PlotMapping& wanted) {
  PictureTransform t;
  if (!AxisTransform(kept.kx, kept.cx, wanted.kx, wanted.cx, t.scaleX, t.offsetX) ||
      !AxisTransform(kept.ky, kept.cy, wanted.ky, wanted.cy, t.scaleY, t.offsetY)) {
    return std::nullopt;
  }
  return t;
}

void TransformPixels(const uint32_t* source, std::ptrdiff_t sourceStride, int32_t sourceWidth,
                     int32_t sourceHeight, uint32_t* target, std::ptrdiff_t targetStride,
                     int32_t targetWidth, int32_t targetHeight, const PictureTransform& t,
                     uint32_t fill) {
  if (target == nullptr || targetWidth <= 0 || targetHeight <= 0) return;
  std::vector<int32_t> columns;
  std::vector<int32_t> rows;
  const bool usable = source != nullptr && sourceWidth > 0 && sourceHeight > 0 &&
                      std::isfinite(t.scaleX) && std::isfinite(t.scaleY) && t.scaleX != 0.0 &&
                      t.scaleY != 0.0 && std::isfinite(t.offsetX) && std::isfinite(t.offsetY);
  if (usable) {
    SourceIndices(targetWidth, sourceWidth, t.scaleX, t.offsetX, columns);
    SourceIndices(targetHeight, sourceHeight, t.scaleY, t.offsetY, rows);
  }
  for (int32_t y = 0; y < targetHeight; ++y) {
    uint32_t* out = target + y * targetStride;
    const int32_t sy = usable ? rows[static_cast<std::size_t>(y)] : -1;
    if (sy < 0) {
      std::fill(out, out + targetWidth, fill);
      continue;
    }
    const uint32_t* in = source + sy * sourceStride;
    for (int32_t x = 0; x < targetWidth; ++x) {
      const int32_t sx = columns[static_cast<std::size_t>(x)];
      out[x] = sx >= 0 ? in[sx] : fill;
    }
  }
}

std::vector<DeviceRect> PictureBands(ClientSize client, int32_t bands) {
  std::vector<DeviceRect> out;
  if (client.width <= 0 || client.height <= 0) return out;
  const int32_t count = std::clamp(bands, 1, client.height);
  for (int32_t i = 0; i < count; ++i) {
    const auto top = static_cast<int32_t>(int64_t{client.height} * i / count);
    const auto bottom = static_cast<int32_t>(int64_t{client.height} * (i + 1) / count);
    out.push_back({0, top, client.width, bottom});
  }
  return out;
}

std::optional<PictureTransform> PictureRefinement::PreviewFor(const PlotMapping& mapping) const {
  if (!exact_) return std::nullopt;
  return PreviewTransform(exact_->mapping, mapping);
}

}  // namespace corvane
