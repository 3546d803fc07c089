#pragma once

// Where a file stands in a board's stack, and the colour it is drawn in by
// default: a scheme a CAM engineer reads at once, top side in reds and warm
// tones, bottom side in blues, inner copper in shades of its own, the outline
// in dark yellow, holes in black.

#include <cstdint>
#include <vector>

#include "document/layer_function.h"

namespace corvane {

// The stack from the top down: top silkscreen, top paste, top mask, top
// copper, inner copper in order, bottom copper, bottom mask, bottom paste,
// bottom silkscreen, outline, drills, everything else; then the files that
// are no layers (tables, job file, netlist, unknown). Lower comes first.
int32_t StackRank(const LayerFunction& function);

// 0x00BBGGRR.
uint32_t FunctionColor(const LayerFunction& function);

// Indices of `functions` in stack order; files of equal rank keep their order.
std::vector<std::size_t> StackOrder(const std::vector<LayerFunction>& functions);

}  // namespace corvane
