#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/drawing_surface.h"

namespace corvane {

// The x interval [lo, hi] where `a + x * b` lies in [min, max]; b may be 0
// (then every x, or none: false).
bool SolveRange(double a, double b, double min, double max, double& lo, double& hi);

// Layer groups and fills straight into the rows of a 32-bit picture. A pixel
// is covered when its centre lies inside the shape (left and top edges
// included). A group with clear fills is drawn into a coverage mask of its
// own, dark fills setting it and clear ones erasing it, and laid over the
// picture in its colour when it ends; a group without is drawn directly.
class LayerRaster {
 public:
  // The picture: `stride` pixels from one row to the next.
  void Attach(uint32_t* bits, std::ptrdiff_t stride, int32_t width, int32_t height);
  // Writes inside `area` only, which lies within the picture.
  void LimitTo(const DeviceRect& area) { limit_ = area; }

  void BeginLayer(uint32_t argb, bool erases);
  void EndLayer();
  void FillPath(const DevicePath& path, FillMode mode);
  void FillDisc(SubPoint centre, int32_t diameter, FillMode mode);
  void FillStroke(SubPoint from, SubPoint to, int32_t width, FillMode mode);

 private:
  struct Edge {
    int32_t firstRow = 0;
    int32_t lastRow = 0;
    double x = 0.0;      // at the first row's centre
    double slope = 0.0;  // x per row
    int32_t winding = 0;
  };
  struct Crossing {
    double x = 0.0;
    int32_t winding = 0;
    std::size_t edge = 0;
  };
  // Covers the pixels of row y whose centres lie in [left, right).
  void Span(int32_t y, double left, double right, bool dark);

  uint32_t* bits_ = nullptr;
  std::ptrdiff_t stride_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  DeviceRect limit_;
  uint32_t argb_ = 0xFF000000u;
  bool erases_ = false;
  std::vector<uint8_t> mask_;
  int32_t dirtyTop_ = 0;
  int32_t dirtyBottom_ = -1;
  int32_t dirtyLeft_ = 0;
  int32_t dirtyRight_ = 0;
  std::vector<Edge> edges_;
  std::vector<std::size_t> order_;  // the edges by first row
  std::vector<uint32_t> rowStart_;
  // The edges that reach the row, by where they cross the row before it.
  std::vector<std::size_t> active_;
  std::vector<Crossing> crossings_;
  std::vector<Crossing> starting_;
  std::vector<Crossing> merged_;
};

}  // namespace corvane
