#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawing_surface.h"

namespace corvane {

struct ClientSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

enum class ScrollBarId { kHorizontal, kVertical };

struct ScrollBarSetup {
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t page = 0;
  int32_t position = 0;
  friend bool operator==(const ScrollBarSetup&, const ScrollBarSetup&) = default;
};

// kPan: the closed hand while the middle button drags the picture.
enum class CursorShape { kArrow, kZoom, kPan };

// The window the view lives in: what the core needs of it and nothing more.
class ViewHost {
 public:
  virtual ~ViewHost() = default;

  // The client area in pixels.
  virtual ClientSize GetClientSize() const = 0;
  // Range, page and position of one bar at once, redrawn.
  virtual void SetScrollBar(ScrollBarId bar, const ScrollBarSetup& setup) = 0;
  // Moves the thumb only; the window keeps it inside its bar.
  virtual void SetScrollThumb(ScrollBarId bar, int32_t position) = 0;
  // Marks the whole client area for erasing and painting later.
  virtual void Invalidate() = 0;
  // Erases and paints the whole client area before returning.
  virtual void RepaintNow() = 0;
  // The pointer's shape over the client area.
  virtual void SetCursorShape(CursorShape shape) = 0;
  // Shows the rubber band of a zoom drag at `rect` (left <= right, top <=
  // bottom), or moves it there.
  virtual void ShowRubberBand(const DeviceRect& rect) = 0;
  virtual void HideRubberBand() = 0;
  virtual bool IsShiftDown() const = 0;
  // The message pane of the status bar.
  virtual void SetStatusText(std::string_view text) = 0;
  // The status bar's pane for the pointer's position; empty clears it.
  virtual void SetPositionText(std::string_view text) = 0;
  // Returns once none of the view's pictures is being drawn on another
  // thread; the view cancelled them first. A window that draws everything
  // on its own thread has nothing to wait for.
  virtual void WaitForDrawing() {}
  // Whether the window can have pictures drawn on another thread and shown
  // when they are complete; a picture without a window is painted at once.
  virtual bool DrawsElsewhere() const { return false; }
};

// Remembers what the view asked of its window; for tests.
class FakeViewHost : public ViewHost {
 public:
  ClientSize GetClientSize() const override { return clientSize; }
  void SetScrollBar(ScrollBarId bar, const ScrollBarSetup& setup) override {
    Bar(bar) = setup;
    barCalls.push_back(bar);
  }
  void SetScrollThumb(ScrollBarId bar, int32_t position) override {
    Bar(bar).position = position;
    thumbCalls.push_back(bar);
  }
  void Invalidate() override { ++invalidateCount; }
  void RepaintNow() override {
    ++repaintCount;
    if (onRepaint) onRepaint();
  }
  void SetCursorShape(CursorShape shape) override { cursor = shape; }
  void ShowRubberBand(const DeviceRect& rect) override {
    rubberBand = rect;
    rubberBandVisible = true;
    ++rubberBandShows;
  }
  void HideRubberBand() override { rubberBandVisible = false; }
  bool IsShiftDown() const override { return shiftDown; }
  void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
  void SetPositionText(std::string_view text) override { positionTexts.emplace_back(text); }
  void WaitForDrawing() override { ++drawingWaits; }
  bool DrawsElsewhere() const override { return drawsElsewhere; }

  ScrollBarSetup& Bar(ScrollBarId bar) {
    return bar == ScrollBarId::kHorizontal ? horizontal : vertical;
  }

  ClientSize clientSize{800, 600};
  ScrollBarSetup horizontal;
  ScrollBarSetup vertical;
  std::vector<ScrollBarId> barCalls;
  std::vector<ScrollBarId> thumbCalls;
  int invalidateCount = 0;
  int repaintCount = 0;
  int drawingWaits = 0;
  bool drawsElsewhere = false;
  std::function<void()> onRepaint;
  CursorShape cursor = CursorShape::kArrow;
  DeviceRect rubberBand;
  bool rubberBandVisible = false;
  int rubberBandShows = 0;
  bool shiftDown = false;
  std::vector<std::string> statusTexts;
  std::vector<std::string> positionTexts;
};

}  // namespace corvane
