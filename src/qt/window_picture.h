#pragma once

#include <QImage>
#include <cstdint>

#include "view/scroll_repaint.h"

namespace corvane {

class CCorvaneView;
class PictureJob;

// Paints the view into the window's picture as the view plans it: the whole
// picture erased to `background` and painted, or the picture kept from the
// last paint moved by the scroll and only the strips it lacks painted anew,
// or, when the plan says refine, a preview made from `exact` (the last exact
// picture) at once; the caller then has the view's job draw the exact one.
WindowPaintPlan PaintWindowPicture(QImage& image, const QImage& exact, uint32_t background,
                                   CCorvaneView& view);
inline void PaintWindowPicture(QImage& image, uint32_t background, CCorvaneView& view) {
  PaintWindowPicture(image, QImage(), background, view);
}

// Draws a job's picture in its bands, each on a thread of its own (the
// first on this one) into an image of its own limited to its rows, and
// gathers the rows into one image. A null image when the job was cancelled.
QImage DrawPictureJob(PictureJob& job, uint32_t background);

}  // namespace corvane
