#include "qt/qt_ui_thread_poster.h"

#include <QMetaObject>

namespace corvane {

void QtUiThreadPoster::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

}  // namespace corvane
