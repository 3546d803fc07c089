#pragma once

#include <QObject>

#include "platform/ui_thread_poster.h"

namespace corvane {

// Posts to the event loop of the thread this object was made on (the
// window's): each task becomes a queued call, run in order.
class QtUiThreadPoster : public UiThreadPoster {
 public:
  void Post(std::function<void()> task) override;

 private:
  QObject context_;
};

}  // namespace corvane
