#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/view_host.h"
#include "view/plot_mapping.h"

namespace corvane {

// Where a picture's pixels go in another picture of the same plot: each
// axis maps on its own, new = scale * old + offset, in pixels (a negative
// scale is a mirrored axis).
struct PictureTransform {
  double scaleX = 1.0;
  double offsetX = 0.0;
  double scaleY = 1.0;
  double offsetY = 0.0;
  friend bool operator==(const PictureTransform&, const PictureTransform&) = default;
};

// The transform from the picture painted with `kept` to one painted with
// `wanted`; none when either mapping cannot be undone.
std::optional<PictureTransform> PreviewTransform(const PlotMapping& kept,
                                                 const PlotMapping& wanted);

// Fills the destination with the source moved and scaled by `t`, each pixel
// taking the source pixel under its centre (the nearest one); what the source
// does not cover becomes `fill`. Strides are in pixels.
void TransformPixels(const uint32_t* source, std::ptrdiff_t sourceStride, int32_t sourceWidth,
                     int32_t sourceHeight, uint32_t* target, std::ptrdiff_t targetStride,
                     int32_t targetWidth, int32_t targetHeight, const PictureTransform& t,
                     uint32_t fill);

// The rows of each band when a picture is drawn in `bands` horizontal bands:
// full width, as even as whole rows allow, top to bottom, none empty.
std::vector<DeviceRect> PictureBands(ClientSize client, int32_t bands);

// Whether a picture drawn away from the window's thread is still wanted: it
// stops being wanted once a newer picture is asked for. Renderers ask it
// every few thousand items and give up when it is not.
class PaintCancel {
 public:
  PaintCancel() = default;
  PaintCancel(const std::atomic<uint64_t>* current, uint64_t generation)
      : current_(current), generation_(generation) {}
  bool Cancelled() const {
    return current_ != nullptr && current_->load(std::memory_order_relaxed) != generation_;
  }
  uint64_t Generation() const { return generation_; }

 private:
  const std::atomic<uint64_t>* current_ = nullptr;
  uint64_t generation_ = 0;
};

// How the window's pictures are made: at once while a full paint is cheap;
// otherwise a preview made from the last exact picture is shown at once and
// the exact one is drawn elsewhere and shown when it is complete, unless a
// newer one was asked for meanwhile. Lives on the window's thread; only the
// generation is read elsewhere.
class PictureRefinement {
 public:
  // A full paint that took less than this is done at once.
  static constexpr std::chrono::nanoseconds kAtOnceLimit = std::chrono::milliseconds(8);

  // A full paint of the window's picture took `took`.
  void FullPaintTook(std::chrono::nanoseconds took) { lastFullPaint_ = took; }
  // The next picture is drawn elsewhere: the last full paint was measured and
  // was not cheap.
  bool Refines() const { return lastFullPaint_ && *lastFullPaint_ >= kAtOnceLimit; }

  // A new picture is wanted: its generation. Every older one is cancelled.
  uint64_t Ask() { return current_.fetch_add(1, std::memory_order_relaxed) + 1; }
  // Cancels every picture asked for, without a new one.
  void CancelAll() { Ask(); }
  bool IsCurrent(uint64_t generation) const {
    return current_.load(std::memory_order_relaxed) == generation;
  }
  PaintCancel CancelFor(uint64_t generation) const { return {&current_, generation}; }

  // The window now shows an exact picture painted with `mapping`.
  void ExactAt(const PlotMapping& mapping, ClientSize client) { exact_ = Exact{mapping, client}; }
  void ForgetExact() { exact_.reset(); }
  // How the last exact picture moves to the one painted with `mapping`; none
  // without one.
  std::optional<PictureTransform> PreviewFor(const PlotMapping& mapping) const;

  // Pictures handed out to be drawn elsewhere whose end nobody has seen yet.
  void HandedOut() { outstanding_ = true; }
  bool Outstanding() const { return outstanding_; }
  // The drawing elsewhere has stopped: nothing is outstanding.
  void AllReturned() { outstanding_ = false; }

 private:
  struct Exact {
    PlotMapping mapping;
    ClientSize client;
  };
  std::atomic<uint64_t> current_{0};
  std::optional<std::chrono::nanoseconds> lastFullPaint_;
  std::optional<Exact> exact_;
  bool outstanding_ = false;
};

}  // namespace corvane
