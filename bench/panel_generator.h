#pragma once

#include <cstdint>

#include "board_generator.h"

namespace corvane {

// Writes a copper layer of today's kind (X2, millimetres, format 4.6) for a
// board of about 1 500 objects and 26 000 region points: pours with long
// irregular outlines, clear cut-outs and thermal reliefs in them, tracks,
// pads and vias; stepped `columns` x `rows` with %SR at a pitch that leaves a
// gap between the copies. A 10 x 10 panel is the geometry benchmark's panel.
GeneratedBoard WriteGeneratedPanel(uint32_t columns, uint32_t rows);

}  // namespace corvane
