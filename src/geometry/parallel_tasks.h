#pragma once

// Runs the tasks of a loop on a few threads: the calling thread and up to
// `threads` - 1 more, each taking the next task until none is left. Which
// thread runs a task never changes what it computes: results go to the
// task's own slot.

#include <cstddef>
#include <functional>

namespace corvane {

// One per core (at least one) when `requested` is 0.
unsigned ThreadCount(unsigned requested);

// Calls body(i) for every i below `count`. The body must not throw.
void ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& body);

}  // namespace corvane
