#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/view_host.h"

class QRubberBand;
class QScrollBar;

namespace corvane {

class CCorvaneDoc;
class CCorvaneView;
class PictureJob;
class PictureWorker;

// The window of the one view: a scroll area whose viewport CCorvaneView paints
// through the QPainter surface. It holds no rules: it hands the view its
// pointer buttons, movements, wheel turns, the pointer's leaving and keys as
// plain values, and scrolling, zooming, tool and painting decisions are the
// view's.
class CViewWindow : public QAbstractScrollArea, public ViewHost {
  Q_OBJECT

 public:
  CViewWindow(CCorvaneDoc& doc, QWidget* parent = nullptr);
  ~CViewWindow() override;

  CCorvaneView& View() { return *view_; }
  // Where the view's status texts go (the frame's message pane).
  void SetStatusSink(std::function<void(std::string_view)> sink) { statusSink_ = std::move(sink); }
  // Where the pointer's position goes (the frame's position pane).
  void SetPositionSink(std::function<void(std::string_view)> sink) {
    positionSink_ = std::move(sink);
  }
  // Runs the view's initial update now, or at the first showing when the
  // window has no size yet.
  void InitialUpdate();

  // ViewHost
  ClientSize GetClientSize() const override;
  void SetScrollBar(ScrollBarId bar, const ScrollBarSetup& setup) override;
  void SetScrollThumb(ScrollBarId bar, int32_t position) override;
  void Invalidate() override;
  void RepaintNow() override;
  void SetCursorShape(CursorShape shape) override;
  void ShowRubberBand(const DeviceRect& rect) override;
  void HideRubberBand() override;
  bool IsShiftDown() const override;
  void SetStatusText(std::string_view text) override;
  void SetPositionText(std::string_view text) override;
  void WaitForDrawing() override;
  bool DrawsElsewhere() const override { return true; }

  // An exact picture is being drawn on the worker, or waits to be.
  bool IsDrawingElsewhere() const;

  // The colour the client area is erased with before the view paints.
  static constexpr uint32_t kBackgroundColor = 0xFFFFFF;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  QScrollBar* Bar(ScrollBarId bar) const;
  void OnBarAction(ScrollBarId bar, int action);

  std::unique_ptr<CCorvaneView> view_;
  QRubberBand* rubberBand_ = nullptr;
  // A job's picture arrived on the window's thread.
  void OnPictureDrawn(const std::shared_ptr<PictureJob>& job, QImage picture,
                      std::chrono::nanoseconds took);

  QImage frameImage_;  // kept between paints so a repaint allocates nothing
  QImage exactImage_;  // the last exact picture, which previews are made from
  std::function<void(std::string_view)> statusSink_;
  std::function<void(std::string_view)> positionSink_;
  bool initialUpdatePending_ = false;
  // Until the first paint the window's layout may still settle (the docks
  // take their widths): every resize until then fits the picture again.
  bool fitUntilPainted_ = false;
  ScrollBarId actionBar_ = ScrollBarId::kHorizontal;
  bool inBarAction_ = false;
  // Last, so that it stops before anything it hands pictures to goes.
  std::unique_ptr<PictureWorker> worker_;
};

}  // namespace corvane
