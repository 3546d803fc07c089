#pragma once

#include <QImage>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace corvane {

class PictureJob;

// The thread the window's exact pictures are drawn on: one job at a time,
// a newer one replacing one still waiting. Each job's picture goes to `done`
// on this thread, with how long it took; a cancelled job's goes nowhere.
class PictureWorker {
 public:
  using Done =
      std::function<void(std::shared_ptr<PictureJob>, QImage, std::chrono::nanoseconds took)>;
  PictureWorker(uint32_t background, Done done);
  // Waits for the job being drawn (cancelled by its view beforehand).
  ~PictureWorker();
  PictureWorker(const PictureWorker&) = delete;
  PictureWorker& operator=(const PictureWorker&) = delete;

  void Submit(std::unique_ptr<PictureJob> job);
  // Drops the job still waiting and returns once none is being drawn.
  void WaitIdle();
  bool Busy() const;

 private:
  void Run();

  const uint32_t background_;
  Done done_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::shared_ptr<PictureJob> waiting_;
  bool drawing_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace corvane
