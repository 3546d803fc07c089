#pragma once

// Where the standard readers put what a file draws: objects in file order into
// the layer, regions contour by contour, and the two ways a file multiplies
// what it drew: aperture blocks (kept aside and copied where they are
// flashed) and step and repeat (copied in place when the repeat closes). Both
// work on the tail of the layer's objects, so they nest freely.
//
// Coordinates here are the file's, in inches; the layer's own mirroring and
// offsets (and the deprecated image transformations) are applied once, to
// everything, when the file is done (ApplyLayerTransform).

#include <cstdint>
#include <vector>

#include "standard/plane_geometry.h"
#include "standard/read_budget.h"
#include "standard/shape_builder.h"
#include "standard/standard_model.h"

namespace corvane {

class GeometryWriter {
 public:
  GeometryWriter(StandardLayer& layer, ReadBudget& budget);
  GeometryWriter(const GeometryWriter&) = delete;
  GeometryWriter& operator=(const GeometryWriter&) = delete;

  void Flash(StandardPoint at, uint32_t shape, StandardPolarity polarity);
  void Line(StandardPoint from, StandardPoint to, uint32_t shape, StandardPolarity polarity);
  void Arc(StandardPoint from, StandardPoint to, StandardPoint centre, double sweep, uint32_t shape,
           StandardPolarity polarity);

  // A region: contours of straight segments and flattened arcs. Starting a
  // contour closes the one before; a contour of fewer than three points
  // encloses nothing and is dropped, and so is a region without contours.
  void BeginRegion();
  bool InRegion() const { return inRegion_; }
  void StartContour(StandardPoint at);
  bool InContour() const { return inContour_; }
  void ContourLine(StandardPoint to);
  void ContourArc(StandardPoint to, StandardPoint centre, double sweep);
  void EndRegion(StandardPolarity polarity);

  // Aperture blocks. OpenBlock is false past kMaxBlockDepth; the content then
  // stays in the enclosing level. CloseBlock returns the closed block's
  // number, or -1 when no block is open.
  bool OpenBlock();
  int32_t CloseBlock();
  // Places block `block` by `place` (the flash point and the aperture
  // transformation); `invert` swaps dark and clear, as a flash under clear
  // polarity does. `generation` names the aperture transformation for the
  // shape cache.
  void FlashBlock(int32_t block, const Affine& place, uint64_t generation, bool invert);
  bool BlockOpen() const;

  // Step and repeat: what is drawn until CloseRepeat is copied to every
  // position, the columns of the first X position first (Y first, then X).
  void OpenRepeat(uint32_t countX, uint32_t countY, double stepX, double stepY);
  bool RepeatOpen() const;
  void CloseRepeat();

  // At the end of the file: open repeats are copied as if closed, open blocks
  // are dropped (never flashed).
  void FinishFile();

  // Objects from now on carry object attribute set `set`.
  void SetObjectAttributes(uint32_t set) { attributeSet_ = set; }

  ShapeBuilder& Shapes() { return shapes_; }
  // Shape `shape` under the aperture transformation `linear`, made once per
  // shape and generation.
  uint32_t InstanceShape(uint32_t shape, uint64_t generation, const Affine& linear);

 private:
  struct Marks {
    uint32_t objects = 0;
    uint32_t arcs = 0;
    uint32_t regions = 0;
    uint32_t contours = 0;
    uint32_t points = 0;
  };
  struct Frame {
    bool repeat = false;
    Marks marks;
    uint32_t countX = 1;
    uint32_t countY = 1;
    double stepX = 0.0;
    double stepY = 0.0;
  };
  struct BlockRange {
    uint32_t firstObject = 0;
    uint32_t objectCount = 0;
  };
  struct Instance {
    uint64_t generation = 0;  // 0: none yet
    uint32_t shape = 0;
  };

  Marks CurrentMarks() const;
  void Append(const StandardObject& object);
  void Truncate(const Marks& marks);
  void CloseFrame();
  void Replicate(const Frame& frame);
  // Copies `object` of `from` into `to` through `transform`; false when the
  // budget leaves no room.
  bool Copy(const StandardGeometry& from, StandardObject object, StandardGeometry& to,
            const Affine& transform, uint64_t generation, bool invert, bool counted);
  void CloseContour();

  StandardLayer& layer_;
  StandardGeometry& out_;
  ReadBudget& budget_;
  ShapeBuilder shapes_;
  std::vector<Frame> frames_;
  int skippedBlocks_ = 0;  // AB opened past the depth bound, to be matched by closes
  StandardGeometry blockStore_;
  std::vector<BlockRange> blocks_;
  std::vector<Instance> instances_;
  uint32_t attributeSet_ = 0;
  bool inRegion_ = false;
  bool inContour_ = false;
  uint32_t regionFirstContour_ = 0;
  uint32_t contourFirstPoint_ = 0;
};

// Applies `transform` to every object, arc, region point and shape of the
// layer (arcs change direction under a mirroring transform), then recomputes
// the region boxes. A map that does not keep circles round (the deprecated SF
// with unequal factors) turns the circles of shapes into polygons within the
// budget; arcs keep their circles through the mapped ends and centre.
void ApplyLayerTransform(StandardLayer& layer, const Affine& transform, ReadBudget& budget);

// The layer's mirroring and offsets, as the classic reading applies them:
// mirroring on the X axis negates y, on the Y axis negates x, then the offsets
// (thousandths of an inch) are added.
Affine LayerSettingsTransform(const StandardLayer& layer);

}  // namespace corvane
