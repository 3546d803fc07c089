#pragma once

// Everything the files say about one object of a standard layer, in the
// words the Inspector shows and the headless query prints: its layer, kind,
// polarity, aperture or tool, place and size, and its attributes and its
// aperture's, with the net, component, pin and function taken out of them.
// Lengths are in millimetres.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/finding.h"
#include "document/layer_function.h"
#include "standard/standard_model.h"

namespace corvane {

struct ObjectAperture {
  bool known = false;  // false for a region, or a shape the reading made on its own
  int32_t code = 0;    // D-code or tool number
  bool tool = false;   // a drill tool: shown as T<code>
  std::string shape;   // "circle", "rectangle", "obround", "polygon", "block", a macro's name
  double widthMm = 0.0;
  double heightMm = 0.0;
  std::string definition;  // as the file wrote it
};

struct ReadableAttribute {
  std::string name;   // ".N"
  std::string words;  // "Net"
  std::string value;
  bool ofAperture = false;  // an attribute of the aperture, not of the object
};

struct ObjectReport {
  std::size_t layer = 0;  // index into the model's layers
  std::string path;
  LayerFunction layerFunction;
  uint32_t index = 0;  // the object's index in its layer, in file order
  std::string kind;    // "flash", "line", "arc", "region", "drill hit", "slot"
  StandardPolarity polarity = StandardPolarity::kDark;
  ObjectAperture aperture;
  double startXMm = 0.0;  // a flash's place, a stroke's start, a region's lower left
  double startYMm = 0.0;
  double endXMm = 0.0;  // a stroke's end; the same as the start for a flash
  double endYMm = 0.0;
  std::string net;        // ".N" as written ("" for none)
  std::string component;  // ".C", or the component of ".P"
  std::string pin;        // the pin number of ".P"
  std::string pinFunction;
  std::string function;  // the aperture's ".AperFunction"
  std::vector<ReadableAttribute> attributes;
  FindingBox box;
};

// Describes the objects of one layer. Made once per layer (it maps the
// layer's shapes to their apertures); the layer must outlive it.
class ObjectDescriber {
 public:
  ObjectDescriber(const StandardLayer& layer, std::size_t layerIndex);

  ObjectReport Describe(uint32_t object) const;
  // The aperture or tool whose shape the object draws with; nullptr for a
  // region or a shape made by an aperture transformation.
  const StandardAperture* ApertureOf(uint32_t object) const;

 private:
  const StandardLayer& layer_;
  std::size_t layerIndex_;
  LayerFunction function_;
  std::unordered_map<uint32_t, uint32_t> apertureOfShape_;
};

// What the layer draws: as the working set identified it, or, for a layer
// that came unidentified (a plain list of files), as its own .FileFunction says.
LayerFunction KnownFunction(const StandardLayer& layer);

// "flash", "drill hit"...: the kind of an object in words, its layer's source taken into account.
std::string ObjectKindWords(StandardSource source, StandardKind kind);
// The template's name of an aperture: "circle" for "C,0.5", the macro's name for a macro.
std::string ApertureShapeWords(const StandardAperture& aperture);

}  // namespace corvane
