#pragma once

#include <QImage>
#include <cstdint>

namespace corvane {

class CCorvaneView;

// Paints the view into the window's picture as the view plans it: the whole
// picture erased to `background` and painted, or the picture kept from the
// last paint moved by the scroll and only the strips it lacks painted anew.
void PaintWindowPicture(QImage& image, uint32_t background, CCorvaneView& view);

}  // namespace corvane
