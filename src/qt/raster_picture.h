#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "cli/headless_view.h"

namespace corvane {

// A window-sized picture in memory, painted the way the window paints: the
// background erased, then one paint of the view. Keeps Qt out of its header
// so that benchmarks and tools can use it as they are.
class RasterPicture {
 public:
  RasterPicture(int32_t width, int32_t height, uint32_t background);
  // A picture with an alpha channel, transparent wherever the paint draws
  // nothing; its PNG keeps the alpha.
  static std::unique_ptr<RasterPicture> Transparent(int32_t width, int32_t height);
  ~RasterPicture();
  RasterPicture(const RasterPicture&) = delete;
  RasterPicture& operator=(const RasterPicture&) = delete;

  // False when the picture could not be allocated.
  bool IsValid() const;
  void Paint(HeadlessView& view);
  // Paints as the view's window does: after a scroll of the view, the picture
  // of the last such paint moved and only the strips it lacks painted.
  void PaintAsWindow(HeadlessView& view);
  // 0x00BBGGRR of one pixel; 0 outside the picture.
  uint32_t Pixel(int32_t x, int32_t y) const;
  // The opacity of one pixel, 0 to 255; 255 in a picture without alpha.
  uint32_t Alpha(int32_t x, int32_t y) const;
  // Writes PNG to a temporary file beside `path` and renames it over `path`,
  // so that a failure leaves no partial file. `error` says why it failed.
  bool SavePng(const std::string& path, std::string& error) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace corvane
