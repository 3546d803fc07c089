#include "geometry/parallel_tasks.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace corvane {

unsigned ThreadCount(unsigned requested) {
  if (requested != 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t)>& body) {
  const std::size_t helpers = std::min<std::size_t>(std::max(threads, 1u), count) - (count > 0);
  if (helpers == 0) {
    for (std::size_t i = 0; i < count; ++i) body(i);
    return;
  }
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) body(i);
  };
  std::vector<std::thread> pool;
  pool.reserve(helpers);
  try {
    for (std::size_t t = 0; t < helpers; ++t) pool.emplace_back(work);
  } catch (...) {
    // Fewer threads than asked for still finish every task.
  }
  work();
  for (std::thread& thread : pool) thread.join();
}

}  // namespace corvane
