#pragma once

#include "document/corvane_doc.h"

namespace corvane {

// The box of everything the classic reading draws, in plot units: the
// extents grown by the stroke widths, flash sizes, arcs' circles and hole
// diameters. Minima stay at kExtentsUnset (and maxima at 0) when nothing is
// drawn, as the document's extents do.
Extents ClassicDrawnExtents(const CCorvaneDoc& doc);

}  // namespace corvane
