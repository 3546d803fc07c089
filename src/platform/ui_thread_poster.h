#pragma once

// How work done on another thread reaches the window's thread: a task posted
// here runs later on the thread that runs the window (the Qt side queues a
// call to its event loop). Tests and headless runs use QueuedPoster and run
// what was posted when they choose.

#include <functional>
#include <mutex>
#include <vector>

namespace corvane {

class UiThreadPoster {
 public:
  virtual ~UiThreadPoster() = default;
  // May be called from any thread; `task` runs on the window's thread.
  virtual void Post(std::function<void()> task) = 0;
};

// Keeps posted tasks until RunPending, which runs them on the caller's thread
// in the order they came.
class QueuedPoster : public UiThreadPoster {
 public:
  void Post(std::function<void()> task) override;
  // Runs what was posted so far (and what those tasks post, on the next call);
  // returns how many ran.
  std::size_t RunPending();

 private:
  std::mutex mutex_;
  std::vector<std::function<void()>> tasks_;
};

}  // namespace corvane
