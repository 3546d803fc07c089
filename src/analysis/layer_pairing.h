#pragma once

// Which layer of one revision is which layer of the other: first by the
// identified function (side, type, inner number, drill plating) where each
// revision has exactly one layer of it, then by file name among the rest.
// What is left is unmatched and said so; nothing is paired by guess.

#include <cstdint>
#include <string>
#include <vector>

#include "standard/standard_model.h"

namespace corvane {

struct LayerPair {
  uint32_t before = 0;  // index into the old model's layers
  uint32_t after = 0;   // index into the new model's layers
  bool byName = false;  // paired by file name, not by function
};

struct LayerPairing {
  std::vector<LayerPair> pairs;  // in the new model's order
  std::vector<uint32_t> unmatchedBefore;
  std::vector<uint32_t> unmatchedAfter;
};

LayerPairing PairLayers(const StandardModel& before, const StandardModel& after);

// The file's own name: after the last folder or archive separator, in lower
// case ("Fab.zip/Board-F_Cu.GBR" gives "board-f_cu.gbr").
std::string PairingName(const std::string& path);

}  // namespace corvane
