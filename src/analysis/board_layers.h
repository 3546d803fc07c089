#pragma once

// Which layers of a standard model make which part of the board, from each
// layer's identified function: the copper in stack order, the plated and the
// non-plated drill files, the outline, and each side's mask, silkscreen and
// paste. The netlist, the fabrication checks, the board picture and the
// pairing of two revisions all start here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/layer_function.h"
#include "standard/standard_model.h"

namespace corvane {

enum class BoardSide : uint8_t { kTop = 0, kBottom = 1 };

struct SideLayers {
  std::vector<uint32_t> mask;
  std::vector<uint32_t> silkscreen;
  std::vector<uint32_t> paste;
};

struct BoardLayers {
  // Indices into the model's layers. Copper from the top down: top, inner
  // copper by number, bottom (layers of one place keep the model's order).
  std::vector<uint32_t> copper;
  std::vector<uint32_t> platedDrills;     // plated, mixed, or plating not stated
  std::vector<uint32_t> nonPlatedDrills;  // non-plated only
  std::vector<uint32_t> outlines;
  SideLayers sides[2];  // by BoardSide

  const SideLayers& Side(BoardSide side) const { return sides[static_cast<int>(side)]; }
  // What a question of the board should say it lacks or assumed, one line
  // each: "no inner copper layers", "no plated drill file", "board-PTH.drl:
  // plating not stated, taken as plated".
  std::vector<std::string> notes;
};

// The copper layer's place from the top: 0 for top copper, the inner number
// for inner copper, a number below every inner layer for bottom copper; none
// for a layer that is no copper.
std::optional<int32_t> CopperDepth(const LayerFunction& function);

BoardLayers FindBoardLayers(const StandardModel& model);

}  // namespace corvane
