#pragma once

#include <cstdint>
#include <string>

#include "board_generator.h"

namespace corvane {

// Writes a Gerber board of about `statements` statements as today's CAD tools
// write them (X2 attributes, millimetres, format 4.6, G75 arcs): tracks with
// object attributes per net, rounded-rectangle macro pads, thermal reliefs,
// vias, copper pours (regions of lines and arcs) with clear cut-outs, to a new
// file in the system's temporary folder. Returns an empty path on failure.
GeneratedBoard WriteGeneratedModernBoard(uint64_t statements);

// An Excellon file of `hits` hits in a metric header (format 3.3, decimal
// points), with a few routed slots.
GeneratedBoard WriteGeneratedExcellon(uint64_t hits);

}  // namespace corvane
