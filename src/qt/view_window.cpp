#include "qt/view_window.h"

#include <algorithm>
#include <optional>

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>

#include "qt/qimage_surface.h"
#include "qt/toolbar_icons.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

// Windows-style bars carry their page inside the range; Qt's range ends at the
// last position the thumb can take.
int QtMaximum(const ScrollBarSetup& setup) {
  const int64_t last = int64_t{setup.maximum} - std::max(setup.page, 1) + 1;
  return static_cast<int>(std::clamp<int64_t>(last, setup.minimum, INT32_MAX));
}

std::optional<ScrollCode> ToScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return ScrollCode::kLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return ScrollCode::kLineDown;
    case QAbstractSlider::SliderPageStepSub:
      return ScrollCode::kPageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return ScrollCode::kPageDown;
    case QAbstractSlider::SliderMove:
      return ScrollCode::kThumbTrack;
    case QAbstractSlider::SliderToMinimum:
      return ScrollCode::kTop;
    case QAbstractSlider::SliderToMaximum:
      return ScrollCode::kBottom;
    default:
      return std::nullopt;
  }
}

}  // namespace

CViewWindow::CViewWindow(CCorvaneDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), view_(std::make_unique<CCorvaneView>(doc, *this)) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFrameShape(QFrame::NoFrame);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setFocusPolicy(Qt::StrongFocus);
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(ScrollBarId::kHorizontal, action); });
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(ScrollBarId::kVertical, action); });
}

CViewWindow::~CViewWindow() = default;

void CViewWindow::InitialUpdate() {
  view_->OnInitialUpdate();
  // Before the first showing the viewport has no real size yet; fit again then.
  initialUpdatePending_ = !isVisible();
}

void CViewWindow::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (initialUpdatePending_) {
    initialUpdatePending_ = false;
    view_->OnInitialUpdate();
  }
}

ClientSize CViewWindow::GetClientSize() const {
  return {viewport()->width(), viewport()->height()};
}

QScrollBar* CViewWindow::Bar(ScrollBarId bar) const {
  return bar == ScrollBarId::kHorizontal ? horizontalScrollBar() : verticalScrollBar();
}

void CViewWindow::SetScrollBar(ScrollBarId bar, const ScrollBarSetup& setup) {
  QScrollBar* b = Bar(bar);
  const QSignalBlocker block(b);
  b->setRange(setup.minimum, QtMaximum(setup));
  b->setPageStep(std::max(setup.page, 1));
  b->setSingleStep(std::max(setup.page / 10, 1));
  b->setValue(setup.position);
}

void CViewWindow::SetScrollThumb(ScrollBarId bar, int32_t position) {
  QScrollBar* b = Bar(bar);
  const QSignalBlocker block(b);
  // Inside a bar action Qt applies the slider position after the handler.
  if (inBarAction_ && bar == actionBar_) b->setSliderPosition(position);
  b->setValue(position);
}

void CViewWindow::OnBarAction(ScrollBarId bar, int action) {
  const auto code = ToScrollCode(action);
  if (!code) return;
  actionBar_ = bar;
  inBarAction_ = true;
  const int thumb = Bar(bar)->sliderPosition();
  if (bar == ScrollBarId::kHorizontal) {
    view_->OnHScroll(*code, thumb);
  } else {
    view_->OnVScroll(*code, thumb);
  }
  inBarAction_ = false;
}

void CViewWindow::Invalidate() { viewport()->update(); }

void CViewWindow::RepaintNow() { viewport()->repaint(); }

void CViewWindow::SetCursorShape(CursorShape shape) {
  viewport()->setCursor(shape == CursorShape::kZoom ? ZoomCursor() : QCursor(Qt::ArrowCursor));
}

bool CViewWindow::IsShiftDown() const {
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void CViewWindow::SetStatusText(std::string_view text) {
  if (statusSink_) statusSink_(text);
}

void CViewWindow::scrollContentsBy(int, int) {
  // The view repaints itself after every scroll; nothing is moved here.
}

void CViewWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  view_->OnSize(viewport()->width(), viewport()->height());
}

void CViewWindow::paintEvent(QPaintEvent*) {
  // Painted into an image first: the row-filling surface is many times faster
  // than painting on the window, and the window then shows it in one copy.
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (frameImage_.size() != size) frameImage_ = QImage(size, QImage::Format_RGB32);
  if (frameImage_.isNull()) return;
  frameImage_.fill(ToQColor(kBackgroundColor));
  {
    QPainter imagePainter(&frameImage_);
    QImageSurface surface(frameImage_, imagePainter);
    surface.SetBackgroundColor(kBackgroundColor);
    view_->OnDraw(surface);
  }
  QPainter painter(viewport());
  painter.drawImage(0, 0, frameImage_);
}

namespace {

// Follows the pointer while the button is held, for TrackRubberBand.
class RubberBandTracker : public QObject {
 public:
  RubberBandTracker(QWidget* area, QPoint origin)
      : band_(QRubberBand::Rectangle, area), origin_(origin), end_(origin) {
    band_.setGeometry(QRect(origin_, QSize()));
    band_.show();
  }
  bool Run() {
    loop_.exec();
    return accepted_;
  }
  QPoint End() const { return end_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseMove:
        end_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        band_.setGeometry(QRect(origin_, end_).normalized());
        return true;
      case QEvent::MouseButtonRelease:
        end_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        accepted_ = true;
        loop_.quit();
        return true;
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) loop_.quit();
        return true;
      case QEvent::MouseButtonPress:
        return true;
      default:
        return false;
    }
  }

 private:
  QRubberBand band_;
  QPoint origin_;
  QPoint end_;
  QEventLoop loop_;
  bool accepted_ = false;
};

}  // namespace

bool CViewWindow::TrackRubberBand(DevicePoint start, DeviceRect& tracked) {
  // Tracking follows a press; without a held button there is nothing to drag.
  if (QGuiApplication::mouseButtons() == Qt::NoButton) return false;
  const QPoint origin(start.x, start.y);
  RubberBandTracker tracker(viewport(), origin);
  viewport()->installEventFilter(&tracker);
  viewport()->grabMouse();
  viewport()->grabKeyboard();
  const bool accepted = tracker.Run();
  viewport()->releaseKeyboard();
  viewport()->releaseMouse();
  viewport()->removeEventFilter(&tracker);
  const QPoint end = tracker.End();
  if (!accepted || end == origin) return false;
  tracked = DeviceRect{origin.x(), origin.y(), end.x(), end.y()};
  return true;
}

}  // namespace corvane
