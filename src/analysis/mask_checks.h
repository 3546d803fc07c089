#pragma once

// The checks of one side's solder mask and silkscreen against its copper:
// a mask opening smaller than the pad it opens, and silkscreen over a mask
// opening or nearer to one than the minimum. Mask layers draw the openings.
// Lengths are in nanometres; findings are in millimetres.

#include <string>
#include <vector>

#include "analysis/finding.h"
#include "geometry/geometry_index.h"

namespace corvane {

// Each pad (a dark flash) of `copper` that a mask opening reaches but does
// not wholly uncover: measured is how far the pad reaches past the opening,
// as a negative expansion; required is no less than 0. A pad no opening
// reaches is covered on purpose and passed over.
std::vector<Finding> FindShortOpenings(const GeometryIndex& copper, const GeometryIndex& mask,
                                       unsigned threads);

// Each island of `silk` over or nearer than `minGap` to an opening of
// `mask`, one finding for each opening it comes near.
std::vector<Finding> FindSilkOnPads(const GeometryIndex& silk, const GeometryIndex& mask,
                                    double minGap, unsigned threads);

}  // namespace corvane
