#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/layer_function.h"

namespace corvane {

// Aperture shapes; the renderer and the list dialogs test them by number.
enum ApertureShape : int32_t {
  kShapeNone = -1,
  kShapeCircle = 0,
  kShapeLine = 1,
  kShapeRectangle = 2,
  kShapeSquare = 3,
  kShapeEllipse = 4,
  kShapePolygon = 5,
  kShapeMacro = 6,
};

// Interpolation modes carried by every statement item.
enum InterpolationMode : uint8_t {
  kModeLinear = 0,
  kModeClockwise = 1,
  kModeCounterClockwise = 2,
  kModeClockwiseMulti = 3,
  kModeCounterClockwiseMulti = 4,
};

inline constexpr char kKindStatement = 'D';
inline constexpr char kKindArcCentre = 'G';

// One element of the flat item array shared by all layers. Kept small and
// trivially copyable: a board yields millions of them.
struct PlotItem {
  uint8_t layer = 0;
  char kind = 0;  // 'D' statement, 'G' arc centre, 0 before the file's first D word
  uint8_t mode = kModeLinear;
  int32_t dcode = 0;
  double x = 0.0;
  double y = 0.0;
};

struct PlotLayer {
  std::string fileName;
  uint32_t color = 0;  // 0x00BBGGRR
  int32_t mirrorOnXAxis = 0;
  int32_t mirrorOnYAxis = 0;
  int32_t offsetX = 0;  // thousandths of a plot unit
  int32_t offsetY = 0;
  int32_t visible = 1;
  // What the file draws, when the set it came from was identified.
  LayerFunction function{};
};

inline constexpr int kMaxMacroParams = 10;

struct Aperture {
  int32_t layer = -1;
  int32_t dcode = 0;
  int32_t shape = kShapeNone;
  double sizeX = 0.0;
  double sizeY = 0.0;
  int32_t quantity = 0;
  int32_t macroIndex = 0;
  int32_t paramCount = 0;
  std::array<double, kMaxMacroParams> params{};
};

inline constexpr int kMaxPrimitiveParams = 10;

struct MacroPrimitive {
  int32_t type = 0;
  int32_t paramCount = 0;
  std::array<int32_t, kMaxPrimitiveParams> isVariable{};
  std::array<double, kMaxPrimitiveParams> values{};
};

struct ApertureMacro {
  int32_t layer = 0;
  std::string name;
  std::vector<MacroPrimitive> primitives;
};

enum DrillPlating : uint8_t {
  kPlatingUnknown = 0,
  kPlatingPlated = 1,
  kPlatingUnplated = 2,
};

struct DrillTool {
  int32_t tool = 0;
  uint8_t plating = kPlatingUnknown;
  double diameter = 0.0;
  int32_t quantity = 0;
};

struct DrillHit {
  int32_t tool = 0;
  double x = 0.0;
  double y = 0.0;
};

// A drill file of the working set beyond its one NC drill file: today's sets
// bring a plated and a non-plated one. The standard reading draws it; the
// classic reading knows one drill file only.
struct DrillFileEntry {
  std::string fileName;
  LayerFunction function{};
  uint32_t color = 0;  // 0x00BBGGRR
  int32_t visible = 1;
};

// "Circle" .. "Ellipse" for shapes 0 to 4, the empty text for every other value.
std::string_view ShapeName(int32_t shape);

// "Unknown", "Plated", "Unplated" by plating value; "Unknown" for any other.
std::string_view PlatingName(int32_t plating);

}  // namespace corvane
