#pragma once

#include <sys/resource.h>

namespace corvane {

// The process's largest resident set so far, in KiB: what a step's peak memory
// is measured by.
inline long MaxResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace corvane
