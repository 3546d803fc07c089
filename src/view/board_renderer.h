#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "analysis/board_picture.h"
#include "document/corvane_doc.h"
#include "platform/drawing_surface.h"
#include "view/viewport.h"

namespace corvane {

// What the view shows: the layers in their colours, or the board as made.
enum class ViewPicture : uint8_t { kLayers = 0, kBoardTop, kBoardBottom };

// Paints a board picture through the viewport's mapping: one layer group per
// part, in the picture's order, each a dark fill of the part's exact
// polygons. Nothing is drawn outside the board or in its holes, so on a
// transparent surface they stay transparent, on raster and vector outputs
// alike. The bottom side is drawn as seen from below: the view's left-right
// mirroring turned over, about the board's box.
class BoardRenderer {
 public:
  void OnDraw(DrawingSurface& dc, const CCorvaneDoc& doc, const BoardPicture& picture,
              Viewport& viewport);

  // The picture's box in plot units (inches), as the viewport takes extents.
  static Extents ExtentsOf(const BoardPicture& picture);
  // The document's left-right mirroring, turned over for the bottom side.
  static int32_t MirrorLeftRight(const CCorvaneDoc& doc, BoardSide side);

 private:
  // A shape's contours at this scale: each one's box, and the points worth
  // drawing (kept[starts[k] .. starts[k + 1]) of contour k).
  struct Thinned {
    std::vector<GeoBox> boxes;
    std::vector<uint32_t> starts;
    std::vector<uint32_t> kept;
  };
  const Thinned& ThinnedOf(const GeoPaths& shape);
  void DrawPart(DrawingSurface& dc, const BoardPicturePart& part, const DeviceRect& clip);
  bool Culled(const GeoBox& box, const DeviceRect& clip) const;
  bool Inside(const GeoBox& box, const DeviceRect& clip) const;

  double kx_ = 0.0;  // nanometres to sub-units
  double cx_ = 0.0;
  double ky_ = 0.0;
  double cy_ = 0.0;
  DevicePath path_;
  // By shape, for one drawing: copies share theirs.
  std::unordered_map<const GeoPaths*, Thinned> thinned_;
};

}  // namespace corvane
