#pragma once

// The state of one standard Gerber reading and the commands that change it.
// Private to the standard reader; its statement loop and operations live in
// gerber_interpreter.cpp, the extended (%...%) commands in
// gerber_extended_commands.cpp.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standard/coordinate_decoder.h"
#include "standard/geometry_writer.h"
#include "standard/plane_geometry.h"
#include "standard/read_budget.h"
#include "standard/standard_context.h"
#include "standard/standard_model.h"

namespace corvane {

class GerberInterpreter {
 public:
  GerberInterpreter(const StandardContext& context, StandardLayer& layer);
  GerberInterpreter(const GerberInterpreter&) = delete;
  GerberInterpreter& operator=(const GerberInterpreter&) = delete;

  void Read(std::string_view text);

 private:
  // What a D-code stands for in this file.
  struct Entry {
    bool block = false;
    uint32_t target = 0;  // shape, or block number
    uint8_t kind = 0;     // the standard template's letter, 'M' for a macro, 0 otherwise
  };
  struct Macro {
    std::string name;
    std::string body;
  };
  // The words of one data block.
  struct Words {
    double x = 0.0;
    double y = 0.0;
    double i = 0.0;
    double j = 0.0;
    bool hasX = false;
    bool hasY = false;
    bool hasI = false;
    bool hasJ = false;
    int32_t d = -1;
    int32_t m = -1;
  };
  enum class Interpolation : uint8_t { kLinear, kClockwise, kCounterClockwise };

  // --- Statements (gerber_interpreter.cpp)
  const char* DataBlock(const char* p, const char* end);
  const char* Comment(const char* p, const char* end);
  void ApplyGCode(int32_t code);
  void Execute(const Words& words);
  StandardPoint Target(const Words& words) const;
  void Interpolate(StandardPoint target, const Words& words);
  void Flash(StandardPoint target);
  bool ArcCentre(StandardPoint target, const Words& words, StandardPoint& centre,
                 double& sweep) const;
  void SelectAperture(int32_t dcode);
  const Entry* FindEntry(int32_t dcode);
  const Entry* TableEntry(int32_t dcode);
  void Define(int32_t dcode, const Entry& entry);
  uint32_t CurrentShape(const Entry& entry);
  void UseFallbackFormatIfNeeded();
  void Finish();

  // --- Extended commands (gerber_extended_commands.cpp)
  const char* ExtendedBlock(const char* p, const char* end);
  void Command(std::string_view text);
  void FormatCommand(std::string_view text);
  void UnitCommand(std::string_view text);
  void ApertureDefinition(std::string_view text);
  void MacroDefinition(std::string_view text);
  void ApertureBlock(std::string_view text);
  void StepRepeat(std::string_view text);
  void ApertureTransform(std::string_view code, std::string_view text);
  void Attribute(std::string_view code, std::string_view text);
  void ImageCommand(std::string_view code, std::string_view text);
  uint32_t StandardApertureShape(char letter, const std::vector<double>& p);
  std::string AttributeText(const std::vector<StandardAttribute>& dictionary) const;
  void ObjectAttributesChanged();
  void EndRegionForCommand();
  Affine ImageTransform() const;

  double Unit() const { return millimetres_ ? 1.0 / 25.4 : 1.0; }

  const StandardContext& context_;
  StandardLayer& layer_;
  ReadBudget budget_;
  GeometryWriter writer_;

  // Number format and units.
  AxisFormat xFormat_;
  AxisFormat yFormat_;
  bool formatSeen_ = false;
  bool fallbackFormat_ = false;
  bool incremental_ = false;
  bool millimetres_ = false;
  bool unitSeen_ = false;
  bool metricApertures_ = false;  // MO MM seen
  bool g71Seen_ = false;

  // Graphics state.
  StandardPoint current_;
  Interpolation interpolation_ = Interpolation::kLinear;
  bool multiQuadrant_ = false;
  int32_t lastOperation_ = 0;
  int32_t apertureCode_ = -1;
  StandardPolarity polarity_ = StandardPolarity::kDark;
  bool ended_ = false;

  // Aperture transformation (LM, LR, LS) and its generation for the shape cache.
  bool mirrorX_ = false;
  bool mirrorY_ = false;
  double rotation_ = 0.0;
  double scale_ = 1.0;
  Affine apertureLinear_;
  uint64_t generation_ = 0;

  // The aperture dictionary: small D-codes directly, the rest by map.
  std::vector<int32_t> directEntries_;
  std::unordered_map<int32_t, int32_t> otherEntries_;
  std::vector<Entry> entries_;
  std::vector<Macro> macros_;
  std::vector<int32_t> openBlocks_;  // D-codes of the AB blocks being defined

  // Attribute dictionaries.
  std::vector<StandardAttribute> apertureAttributes_;
  std::vector<StandardAttribute> objectAttributes_;

  // Deprecated image parameters, applied to the whole image at the end.
  bool swapAxes_ = false;
  bool mirrorImageA_ = false;
  bool mirrorImageB_ = false;
  double scaleA_ = 1.0;
  double scaleB_ = 1.0;
  double offsetA_ = 0.0;
  double offsetB_ = 0.0;
  double imageRotation_ = 0.0;
};

}  // namespace corvane
