#pragma once

// The standard model: what today's Gerber and Excellon files draw, read as
// their published formats define them, beside the classic reading. One
// StandardLayer per file; everything in inches (millimetres / 25.4), so that
// the print magnification keeps its meaning.
//
// A layer is a flat list of graphical objects in file order, each with its
// polarity: dark objects add, clear objects erase what the layer drew before
// them (never what other layers drew). Blocks, step and repeat and aperture
// macros are already expanded: a drawer walks the objects once and never
// recurses. Objects are small fixed records; the geometry they refer to
// (arc centres, region contours, aperture shapes) lives in side arrays of the
// layer, so a board of millions of objects costs no allocation per object.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "document/format_settings.h"
#include "document/layer_function.h"

namespace corvane {

struct PlotLayer;

struct StandardPoint {
  double x = 0.0;
  double y = 0.0;
  friend bool operator==(const StandardPoint&, const StandardPoint&) = default;
};

// An axis-aligned box; empty until something is added.
struct StandardBox {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool Empty() const { return minX > maxX || minY > maxY; }
  void Add(double x, double y) {
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
  }
  void Add(const StandardBox& other) {
    if (other.Empty()) return;
    Add(other.minX, other.minY);
    Add(other.maxX, other.maxY);
  }
  // This box moved by every point of `shape`: the box of a shape swept over it.
  StandardBox Grown(const StandardBox& shape) const {
    if (Empty() || shape.Empty()) return Empty() ? StandardBox{} : *this;
    return {minX + shape.minX, minY + shape.minY, maxX + shape.maxX, maxY + shape.maxY};
  }
};

enum class StandardPolarity : uint8_t { kDark = 0, kClear = 1 };

enum class StandardKind : uint8_t {
  // The shape `ref` placed with its origin at (x0, y0); x1, y1 repeat it.
  kFlash = 0,
  // The shape `ref` swept in a straight line from (x0, y0) to (x1, y1). A
  // round shape (kShapeRound) makes a stroke with round ends; any other shape
  // sweeps its convex outline (a rectangle gives the swept rectangle).
  kLine = 1,
  // The shape of arcs[ref] swept along a circular arc from (x0, y0) to
  // (x1, y1) about arcs[ref]'s centre.
  kArc = 2,
  // The filled area regions[ref]; (x0, y0) and (x1, y1) are the lower-left and
  // upper-right corners of its box.
  kRegion = 3,
};
inline constexpr int kStandardKindCount = 4;

struct StandardObject {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  uint32_t ref = 0;
  StandardKind kind = StandardKind::kFlash;
  StandardPolarity polarity = StandardPolarity::kDark;
};

struct StandardArc {
  double cx = 0.0;
  double cy = 0.0;
  // Radians, positive counter-clockwise; ±2π for a full circle. The radius is
  // the start point's distance from the centre.
  double sweep = 0.0;
  uint32_t shape = 0;
};

// The union of its contours, each filled on its own by the nonzero rule: two
// overlapping contours both stay filled, and a contour that runs into itself
// along a cut-in leaves the inside of the cut-in open.
struct StandardRegion {
  uint32_t firstContour = 0;
  uint32_t contourCount = 0;
};

// A closed polygon; the last point joins the first. Arcs are already flattened.
struct StandardContour {
  uint32_t firstPoint = 0;
  uint32_t pointCount = 0;
};

// Objects and the records they refer to.
struct StandardGeometry {
  std::vector<StandardObject> objects;
  std::vector<StandardArc> arcs;
  std::vector<StandardRegion> regions;
  std::vector<StandardContour> contours;
  std::vector<StandardPoint> points;
};

enum class PrimitiveKind : uint8_t { kCircle = 0, kPolygon = 1 };

// One part of a shape. The parts are laid down in order: a dark part adds, a
// clear part erases the parts before it within this shape only, so a hole in
// a pad or an exposure-off macro primitive shows whatever lies under the flash.
struct ShapePrimitive {
  PrimitiveKind kind = PrimitiveKind::kCircle;
  StandardPolarity polarity = StandardPolarity::kDark;
  uint32_t firstPoint = 0;  // polygon: its points in StandardShapes::points
  uint32_t pointCount = 0;
  double cx = 0.0;  // circle
  double cy = 0.0;
  double diameter = 0.0;
};

inline constexpr uint8_t kShapeRound = 1;  // one dark circle about the origin: round strokes

// What an aperture, a drill tool or a transformed copy of one looks like, about
// its own origin.
struct StandardShape {
  uint32_t firstPrimitive = 0;
  uint32_t primitiveCount = 0;
  uint8_t flags = 0;
  double roundDiameter = 0.0;  // the circle's diameter when kShapeRound is set
  StandardBox box;             // of the dark parts
  // The shape this one is a turned, mirrored or scaled copy of (an aperture
  // flashed under LR, LM or LS, or inside a transformed block), so that an
  // object can name its aperture; kNoBaseShape for a shape of its own.
  uint32_t base = UINT32_MAX;
};

inline constexpr uint32_t kNoBaseShape = UINT32_MAX;

struct StandardShapes {
  std::vector<StandardShape> shapes;
  std::vector<ShapePrimitive> primitives;
  std::vector<StandardPoint> points;
};

enum class StandardSource : uint8_t { kGerber = 0, kExcellon = 1 };
enum class StandardUnits : uint8_t { kUnstated = 0, kInch = 1, kMillimetre = 2 };

// What a file uses that the classic reading draws differently or not at all:
// the next step's hint names the switch when any of these is set.
enum StandardFeature : uint32_t {
  kFeatureRegion = 1u << 0,
  kFeatureClearPolarity = 1u << 1,
  kFeatureStepRepeat = 1u << 2,
  kFeatureBlock = 1u << 3,
  kFeatureMacroFlash = 1u << 4,
  kFeaturePolygonFlash = 1u << 5,
  kFeatureObroundFlash = 1u << 6,
  kFeatureMetricWithoutG71 = 1u << 7,
  kFeatureApertureTransform = 1u << 8,
  kFeatureImageTransform = 1u << 9,
  kFeatureHeaderFormat = 1u << 10,  // an Excellon header format unlike the document's
  kFeatureRouting = 1u << 11,
  kFeatureSlot = 1u << 12,
};
inline constexpr int kStandardFeatureCount = 13;

// Bounds that a hostile file ran into; what was cut is said in standard_limits.h.
enum StandardLimit : uint32_t {
  kLimitExpandedObjects = 1u << 0,
  kLimitPoints = 1u << 1,
  kLimitShapeParts = 1u << 2,
  kLimitRepeats = 1u << 3,
  kLimitBlockDepth = 1u << 4,
  kLimitExpressionDepth = 1u << 5,
  kLimitMacroWork = 1u << 6,
  kLimitOutlineVertices = 1u << 7,
  kLimitMacroVariables = 1u << 8,
};
inline constexpr int kStandardLimitCount = 9;

struct StandardAttribute {
  std::string name;   // ".FileFunction", with its dot
  std::string value;  // the fields after the name, commas kept
};

// An entry of a file's aperture dictionary or tool list.
enum class ApertureOrigin : uint8_t {
  kStandard = 0,   // AD with C, R, O or P
  kMacro = 1,      // AD with a macro
  kBlock = 2,      // AB; `shape` is the block's number
  kTable = 3,      // an RS-274-D D-code taken from the loaded aperture table
  kTool = 4,       // an Excellon tool defined in the file
  kToolTable = 5,  // an Excellon tool whose diameter came from the drill tool table
};

struct StandardAperture {
  int32_t code = 0;  // D-code or tool number
  ApertureOrigin origin = ApertureOrigin::kStandard;
  uint32_t shape = 0;
  std::string definition;  // the file's text after the code ("C,0.5X0.25"), or what stood in for it
  std::string attributes;  // the aperture attributes in force when it was defined, "name,value;..."
};

// From `firstObject` on, the objects were made under the object attributes
// objectAttributeSets[set] (the empty text when none were in force).
struct AttributeRun {
  uint32_t firstObject = 0;
  uint32_t set = 0;
};

struct StandardLayer {
  std::string fileName;
  StandardSource source = StandardSource::kGerber;
  // The working set's settings of the layer, as the classic reading applies
  // them: already applied to every coordinate below.
  uint32_t color = 0;  // 0x00BBGGRR
  int32_t mirrorOnXAxis = 0;
  int32_t mirrorOnYAxis = 0;
  int32_t offsetX = 0;  // thousandths of an inch
  int32_t offsetY = 0;
  int32_t visible = 1;
  // What the file draws, as the working set identified it.
  LayerFunction function{};

  // How the file's numbers were read.
  StandardUnits units = StandardUnits::kUnstated;
  NumberFormat xFormat;
  NumberFormat yFormat;
  ZeroSuppression zeros = kLeadingZerosOmitted;
  bool formatFromFile = false;  // false: the document's format stood in
  bool negative = false;        // a negative image (the deprecated IPNEG)

  uint32_t features = 0;       // StandardFeature bits
  uint32_t limitsReached = 0;  // StandardLimit bits

  std::vector<StandardAttribute> attributes;  // file attributes in file order
  std::vector<StandardAperture> apertures;    // in order of definition
  std::vector<std::string> objectAttributeSets;
  std::vector<AttributeRun> objectAttributeRuns;

  StandardGeometry geometry;
  StandardShapes shapes;
  StandardBox extents;  // of everything drawn, stroke widths and flash sizes included

  // The value of a file attribute, or nullptr.
  const std::string* FindAttribute(const std::string& name) const;
  // Begins the layer of the file `settings` names, read as `from`.
  void TakeSettings(const PlotLayer& settings, StandardSource from);
};

struct StandardModel {
  std::vector<StandardLayer> layers;
  StandardBox Extents() const;
};

// The box of one object of `layer`, its shape included.
StandardBox ObjectBox(const StandardLayer& layer, const StandardObject& object);
// Recomputes layer.extents from its objects.
void ComputeStandardExtents(StandardLayer& layer);

struct StandardCounts {
  uint64_t byKind[kStandardKindCount] = {};
  uint64_t clear = 0;
  uint64_t contours = 0;
  uint64_t points = 0;  // of region contours
};
StandardCounts CountObjects(const StandardLayer& layer);

}  // namespace corvane
