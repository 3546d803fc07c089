#include "qt/view_window.h"

#include <algorithm>
#include <optional>
#include <thread>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include "qt/picture_worker.h"
#include "qt/qimage_surface.h"
#include "qt/toolbar_icons.h"
#include "qt/window_picture.h"
#include "view/corvane_view.h"
#include "view/picture_job.h"

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
  setAccessibleName(QStringLiteral("Plot view"));
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setFocusPolicy(Qt::StrongFocus);
  // Every movement, so the position pane follows the pointer.
  viewport()->setMouseTracking(true);
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(ScrollBarId::kHorizontal, action); });
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(ScrollBarId::kVertical, action); });
  SetCursorShape(view_->OnSetCursor());
  worker_ = std::make_unique<PictureWorker>(
      kBackgroundColor,
      [this](std::shared_ptr<PictureJob> job, QImage picture, std::chrono::nanoseconds took) {
        QMetaObject::invokeMethod(
            this,
            [this, job = std::move(job), picture = std::move(picture), took]() mutable {
              OnPictureDrawn(job, std::move(picture), took);
            },
            Qt::QueuedConnection);
      });
}

CViewWindow::~CViewWindow() {
  view_->Refinement().CancelAll();
  worker_.reset();
}

void CViewWindow::WaitForDrawing() { worker_->WaitIdle(); }

bool CViewWindow::IsDrawingElsewhere() const { return worker_->Busy(); }

void CViewWindow::OnPictureDrawn(const std::shared_ptr<PictureJob>& job, QImage picture,
                                 std::chrono::nanoseconds took) {
  if (!view_->AcceptPicture(*job, took)) return;
  {
    QPainter painter(&picture);
    QImageSurface surface(picture, painter);
    surface.SetBackgroundColor(kBackgroundColor);
    view_->DrawOverlays(surface, job->Mapping());
  }
  frameImage_ = picture;
  exactImage_ = picture;
  viewport()->update();
}

void CViewWindow::InitialUpdate() {
  view_->OnInitialUpdate();
  // Before the first showing the viewport has no real size yet; fit again then.
  initialUpdatePending_ = !isVisible();
  fitUntilPainted_ = true;
}

void CViewWindow::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  // The view's keys work at once, without a click first.
  setFocus(Qt::OtherFocusReason);
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
  switch (shape) {
    case CursorShape::kZoom:
      viewport()->setCursor(ZoomCursor());
      break;
    case CursorShape::kPan:
      viewport()->setCursor(Qt::ClosedHandCursor);
      break;
    case CursorShape::kArrow:
      viewport()->setCursor(Qt::ArrowCursor);
      break;
  }
}

bool CViewWindow::IsShiftDown() const {
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void CViewWindow::SetStatusText(std::string_view text) {
  if (statusSink_) statusSink_(text);
}

void CViewWindow::SetPositionText(std::string_view text) {
  if (positionSink_) positionSink_(text);
}

void CViewWindow::scrollContentsBy(int, int) {
  // The view repaints itself after every scroll, moving its kept picture.
}

void CViewWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  view_->OnSize(viewport()->width(), viewport()->height());
  if (fitUntilPainted_ && isVisible()) view_->OnInitialUpdate();
}

void CViewWindow::paintEvent(QPaintEvent*) {
  fitUntilPainted_ = false;
  // Painted into an image first: the row-filling surface is many times faster
  // than painting on the window, and the window then shows it in one copy.
  // The image is kept, so that a scroll paints only what it uncovered.
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (frameImage_.size() != size) frameImage_ = QImage(size, QImage::Format_RGB32);
  if (frameImage_.isNull()) return;
  const WindowPaintPlan plan =
      PaintWindowPicture(frameImage_, exactImage_, kBackgroundColor, *view_);
  if (plan.refine) {
    worker_->Submit(view_->MakePictureJob(
        static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()))));
  } else {
    exactImage_ = frameImage_;  // shared until the next paint writes it
  }
  QPainter painter(viewport());
  painter.drawImage(0, 0, frameImage_);
}

namespace {

PointerButton ToPointerButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return PointerButton::kLeft;
    case Qt::RightButton:
      return PointerButton::kRight;
    case Qt::MiddleButton:
      return PointerButton::kMiddle;
    case Qt::NoButton:
      return PointerButton::kNone;
    default:
      return PointerButton::kOther;
  }
}

PointerEvent ToPointerEvent(const QMouseEvent& event, Qt::MouseButton button) {
  const QPoint point = event.position().toPoint();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return PointerEvent{ToPointerButton(button), DevicePoint{point.x(), point.y()},
                      (modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0};
}

ViewKey ToViewKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      return ViewKey::kPageUp;
    case Qt::Key_PageDown:
      return ViewKey::kPageDown;
    case Qt::Key_Left:
      return ViewKey::kLeft;
    case Qt::Key_Right:
      return ViewKey::kRight;
    case Qt::Key_Up:
      return ViewKey::kUp;
    case Qt::Key_Down:
      return ViewKey::kDown;
    case Qt::Key_Home:
      return ViewKey::kHome;
    case Qt::Key_End:
      return ViewKey::kEnd;
    case Qt::Key_Insert:
      return ViewKey::kInsert;
    case Qt::Key_Delete:
      return ViewKey::kDelete;
    case Qt::Key_Space:
      return ViewKey::kSpace;
    case Qt::Key_F3:
      return ViewKey::kF3;
    case Qt::Key_F5:
      return ViewKey::kF5;
    case Qt::Key_F8:
      return ViewKey::kF8;
    case Qt::Key_Escape:
      return ViewKey::kEscape;
    default:
      return ViewKey::kOther;
  }
}

}  // namespace

void CViewWindow::mousePressEvent(QMouseEvent* event) {
  view_->OnPointerPress(ToPointerEvent(*event, event->button()));
}

void CViewWindow::mouseReleaseEvent(QMouseEvent* event) {
  view_->OnPointerRelease(ToPointerEvent(*event, event->button()));
}

void CViewWindow::mouseMoveEvent(QMouseEvent* event) {
  const Qt::MouseButtons held = event->buttons();
  const Qt::MouseButton button = (held & Qt::LeftButton)     ? Qt::LeftButton
                                 : (held & Qt::RightButton)  ? Qt::RightButton
                                 : (held & Qt::MiddleButton) ? Qt::MiddleButton
                                                             : Qt::NoButton;
  view_->OnPointerMove(ToPointerEvent(*event, button));
}

void CViewWindow::wheelEvent(QWheelEvent* event) {
  // Taken whole: the base class would scroll the bars on its own.
  const QPoint point = event->position().toPoint();
  const QPoint delta = event->angleDelta();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  view_->OnWheel(WheelEvent{DevicePoint{point.x(), point.y()}, delta.x(), delta.y(),
                            (modifiers & Qt::ShiftModifier) != 0,
                            (modifiers & Qt::ControlModifier) != 0});
  event->accept();
}

bool CViewWindow::viewportEvent(QEvent* event) {
  // The scroll area sees no Leave of its viewport; the pointer may still be on
  // the bars, but it has left the picture.
  if (event->type() == QEvent::Leave) view_->OnPointerLeave();
  return QAbstractScrollArea::viewportEvent(event);
}

void CViewWindow::keyPressEvent(QKeyEvent* event) {
  // Keys the view does nothing with go on to the main window; the base class
  // would scroll on its own, so it never sees them.
  const bool used =
      view_->OnKeyDown(ToViewKey(event->key()), (event->modifiers() & Qt::ShiftModifier) != 0);
  event->setAccepted(used);
}

void CViewWindow::ShowRubberBand(const DeviceRect& rect) {
  if (rubberBand_ == nullptr) rubberBand_ = new QRubberBand(QRubberBand::Rectangle, viewport());
  rubberBand_->setGeometry(
      QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
  rubberBand_->show();
}

void CViewWindow::HideRubberBand() {
  if (rubberBand_ != nullptr) rubberBand_->hide();
}

}  // namespace corvane
