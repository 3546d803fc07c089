#include "platform/ui_thread_poster.h"

namespace corvane {

void QueuedPoster::Post(std::function<void()> task) {
  const std::lock_guard<std::mutex> lock(mutex_);
  tasks_.push_back(std::move(task));
}

std::size_t QueuedPoster::RunPending() {
  std::vector<std::function<void()>> tasks;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tasks.swap(tasks_);
  }
  for (const std::function<void()>& task : tasks) task();
  return tasks.size();
}

}  // namespace corvane
