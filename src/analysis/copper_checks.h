#pragma once

// The checks of one layer's own shapes: copper too thin (width) and two
// islands too close (clearance, and between the openings of a solder mask,
// the mask web). Lengths are in nanometres; findings are in millimetres.

#include <string>
#include <vector>

#include "analysis/finding.h"
#include "geometry/geometry_index.h"

namespace corvane {

// Where an island is narrower than `minWidth`: each island is shrunk by half
// the minimum and grown back; what does not come back is too thin. The
// corners a round tool cannot reach and the flattening's chords are not:
// what is gone must lie farther than 1.1 half-minimums from what came back
// (so a square corner, or the end of a thermal's spoke, is no finding, a
// corner sharper than about 57° is, and a narrow neck shorter than 1.1
// minimums between two wide parts is passed over). Thin pieces nearer each
// other than the minimum are one place, found at its narrowest with the
// width measured there. Islands of one shape moved are checked once.
std::vector<Finding> FindThinCopper(const GeometryIndex& layer, double minWidth,
                                    const std::string& rule, unsigned threads);

// Where two islands of the layer come nearer than `minGap`: each pair whose
// islands, grown by half the minimum, meet, one finding per place where
// they meet, at the middle of the narrowest gap there. Pairs of the same
// two shapes the same distance apart are checked once.
std::vector<Finding> FindNarrowGaps(const GeometryIndex& layer, double minGap,
                                    const std::string& rule, unsigned threads);

}  // namespace corvane
