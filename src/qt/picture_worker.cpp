#include "qt/picture_worker.h"

#include "qt/window_picture.h"
#include "view/picture_job.h"

namespace corvane {

PictureWorker::PictureWorker(uint32_t background, Done done)
    : background_(background), done_(std::move(done)), thread_([this] { Run(); }) {}

PictureWorker::~PictureWorker() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_.reset();
  }
  wake_.notify_all();
  thread_.join();
}

void PictureWorker::Submit(std::unique_ptr<PictureJob> job) {
  if (!job) return;
  {
    const std::lock_guard lock(mutex_);
    waiting_ = std::move(job);
  }
  wake_.notify_all();
}

void PictureWorker::WaitIdle() {
  std::unique_lock lock(mutex_);
  waiting_.reset();
  idle_.wait(lock, [this] { return !drawing_; });
}

bool PictureWorker::Busy() const {
  const std::lock_guard lock(mutex_);
  return drawing_ || waiting_ != nullptr;
}

void PictureWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || waiting_ != nullptr; });
    if (stopping_) return;
    std::shared_ptr<PictureJob> job = std::move(waiting_);
    drawing_ = true;
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    QImage picture = job->Cancelled() ? QImage() : DrawPictureJob(*job, background_);
    const auto took = std::chrono::steady_clock::now() - start;
    if (!picture.isNull() && !job->Cancelled()) done_(job, std::move(picture), took);
    lock.lock();
    drawing_ = false;
    idle_.notify_all();
  }
}

}  // namespace corvane
