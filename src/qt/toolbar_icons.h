#pragma once

#include <QCursor>
#include <QPixmap>

namespace corvane {

// The toolbar's pictures, 16 by 15 pixels each, in button order (separators
// take none): New, Open, Save, Print, Gerber File, Aperture File, NC Drill
// File, Drill Tool File, Set Visibility, Offset Layer, Measure, Zoom Tool,
// Zoom In, Zoom Out, Zoom Extents, Standard Interpretation.
inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;
inline constexpr int kToolbarImageCount = 16;

QPixmap ToolbarImage(int index);
// All pictures side by side, as one strip.
QPixmap ToolbarStrip();
// The zoom tool's pointer: a 32 by 32 magnifying glass with a plus in the
// lens, hot spot at the lens centre (8, 8).
QCursor ZoomCursor();
// The program's icon, 32 by 32: a board with a track, pads and a hole.
QPixmap AppIconPixmap();

}  // namespace corvane
