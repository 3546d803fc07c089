#pragma once

// The pictures of diff --png: one PNG for each layer that differs, the new
// revision's layer in a muted grey, what was added in green and what was
// removed in red, each place framed so that a small one still shows.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/board_comparison.h"
#include "geometry/geometry_types.h"

namespace corvane {

// The longer side of a picture, in pixels.
inline constexpr int32_t kDiffPictureSize = 1600;

// A picture as 0x00RRGGBB words, row by row from the top.
struct DiffPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// Maps the box `area` (nanometres, y up) onto a picture whose longer side is
// `size` pixels, with a margin.
class PictureFrame {
 public:
  PictureFrame(const GeoBox& area, int32_t size);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  double X(double nm) const { return (nm - originX_) * scale_; }
  double Y(double nm) const { return static_cast<double>(height_) - (nm - originY_) * scale_; }

 private:
  double originX_ = 0.0;
  double originY_ = 0.0;
  double scale_ = 1.0;
  int32_t width_ = 1;
  int32_t height_ = 1;
};

// Fills `paths` by the nonzero rule, pixel centres inside painted.
void FillPaths(const GeoPaths& paths, const PictureFrame& frame, uint32_t color,
               DiffPicture& picture);
// A one-pixel frame round `box`, grown to at least `minPixels` a side.
void FrameBox(const GeoBox& box, const PictureFrame& frame, int32_t minPixels, uint32_t color,
              DiffPicture& picture);

// Writes one picture per layer that differs into `folder` (made when
// missing), named after the new layer's file with ".png" added. False with
// `error` saying why when a picture cannot be written.
bool WriteDifferencePictures(const std::string& folder, const StandardModel& after,
                             const BoardComparison& comparison, std::string& error);

}  // namespace corvane
