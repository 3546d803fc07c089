#pragma once

#include "document/corvane_doc.h"

namespace corvane {

// The document's extents: the box of every point the plot draws and every
// drill hit. A draw counts with both its ends, an arc with the extremes of
// its sweep, a flash with its position; each grown by what the aperture in
// force covers as the renderer draws it (its pen, a rectangle's box, a filled
// flash shape). The maxima start at 0, so the extents always reach the
// origin; the minima stay at kExtentsUnset when nothing counts.
Extents PlotExtents(const CCorvaneDoc& doc);

}  // namespace corvane
