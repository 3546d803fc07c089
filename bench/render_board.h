#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// A generated board for the paint and export benchmarks, written to a new
// folder under the system's temporary folder: four RS-274-X layers (format
// 2.4, inches, `inchesX` x `inchesY`) of thin and wide round draws, rectangular and
// round pads and a few arcs, an NC drill file (format 2.4, leading zeros
// omitted) and a drill tool table in the built-in column order.
struct RenderBoard {
  std::string folder;
  std::vector<std::string> layers;
  std::string drillFile;
  std::string toolFile;
  uint64_t statements = 0;
  uint64_t hits = 0;
  uint64_t bytes = 0;
};

// Empty folder on failure.
RenderBoard WriteRenderBoard(uint64_t statements, uint64_t hits, int inchesX, int inchesY);
// Deletes the folder and what is in it.
void RemoveRenderBoard(const RenderBoard& board);

}  // namespace corvane
