#include "analysis/object_report.h"

#include "analysis/object_attributes.h"
#include "intake/file_attributes.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;

void TakeAttributes(std::string_view text, bool ofAperture, ObjectReport& report) {
  for (StandardAttribute& attribute : SplitAttributeText(text)) {
    std::string words = ReadableAttributeName(attribute.name);
    report.attributes.push_back(
        {std::move(attribute.name), std::move(words), std::move(attribute.value), ofAperture});
  }
}

// Net, component, pin and function out of the attributes; a later one of
// the same name wins, as in the file.
void TakeNamedFields(ObjectReport& report) {
  std::string pinComponent;
  for (const ReadableAttribute& attribute : report.attributes) {
    if (attribute.name == ".N" && !attribute.ofAperture) {
      report.net = attribute.value;
    } else if (attribute.name == ".C" && !attribute.ofAperture) {
      report.component = attribute.value;
    } else if (attribute.name == ".P" && !attribute.ofAperture) {
      PinReference pin = ParsePinReference(attribute.value);
      pinComponent = std::move(pin.component);
      report.pin = std::move(pin.pin);
      report.pinFunction = std::move(pin.function);
    } else if (attribute.name == ".AperFunction") {
      report.function = attribute.value;
    }
  }
  if (report.component.empty()) report.component = std::move(pinComponent);
}

void TakeAperture(const StandardLayer& layer, const StandardAperture& aperture,
                  ObjectReport& report) {
  ObjectAperture& out = report.aperture;
  out.known = true;
  out.code = aperture.code;
  out.tool =
      aperture.origin == ApertureOrigin::kTool || aperture.origin == ApertureOrigin::kToolTable;
  out.shape = ApertureShapeWords(aperture);
  out.definition = aperture.definition;
  if (aperture.origin != ApertureOrigin::kBlock && aperture.shape < layer.shapes.shapes.size()) {
    const StandardBox& box = layer.shapes.shapes[aperture.shape].box;
    if (!box.Empty()) {
      out.widthMm = (box.maxX - box.minX) * kMillimetresPerInch;
      out.heightMm = (box.maxY - box.minY) * kMillimetresPerInch;
    }
  }
  TakeAttributes(aperture.attributes, true, report);
}

}  // namespace

LayerFunction KnownFunction(const StandardLayer& layer) {
  if (layer.function.Identified()) return layer.function;
  const std::string* fileFunction = layer.FindAttribute(".FileFunction");
  if (fileFunction == nullptr) return layer.function;
  const std::string* polarity = layer.FindAttribute(".FilePolarity");
  const FileKind kind =
      layer.source == StandardSource::kExcellon ? FileKind::kExcellon : FileKind::kGerber;
  return FunctionFromAttribute(*fileFunction, polarity == nullptr ? "" : *polarity, kind)
      .value_or(layer.function);
}

std::string ObjectKindWords(StandardSource source, StandardKind kind) {
  const bool drill = source == StandardSource::kExcellon;
  switch (kind) {
    case StandardKind::kFlash:
      return drill ? "drill hit" : "flash";
    case StandardKind::kLine:
      return drill ? "slot" : "line";
    case StandardKind::kArc:
      return drill ? "slot" : "arc";
    case StandardKind::kRegion:
      break;
  }
  return "region";
}

std::string ApertureShapeWords(const StandardAperture& aperture) {
  switch (aperture.origin) {
    case ApertureOrigin::kBlock:
      return "block";
    case ApertureOrigin::kTool:
    case ApertureOrigin::kToolTable:
      return "circle";
    case ApertureOrigin::kMacro: {
      const std::string_view definition = aperture.definition;
      return std::string(definition.substr(0, definition.find(',')));
    }
    case ApertureOrigin::kStandard:
    case ApertureOrigin::kTable:
      break;
  }
  const std::string_view definition = aperture.definition;
  const char letter = definition.empty() ? '\0' : definition.front();
  if (letter == 'C') return "circle";
  if (letter == 'R') return "rectangle";
  if (letter == 'O') return "obround";
  if (letter == 'P') return "polygon";
  return std::string(definition.substr(0, definition.find(',')));
}

ObjectDescriber::ObjectDescriber(const StandardLayer& layer, std::size_t layerIndex)
    : layer_(layer), layerIndex_(layerIndex), function_(KnownFunction(layer)) {
  // A redefined code draws with its newer shape; each shape belongs to one definition.
  for (std::size_t i = 0; i < layer.apertures.size(); ++i) {
    const StandardAperture& aperture = layer.apertures[i];
    if (aperture.origin == ApertureOrigin::kBlock) continue;
    apertureOfShape_[aperture.shape] = static_cast<uint32_t>(i);
  }
}

const StandardAperture* ObjectDescriber::ApertureOf(uint32_t object) const {
  const std::vector<StandardObject>& objects = layer_.geometry.objects;
  if (object >= objects.size()) return nullptr;
  const StandardObject& o = objects[object];
  uint32_t shape = o.ref;
  if (o.kind == StandardKind::kRegion) return nullptr;
  if (o.kind == StandardKind::kArc) {
    if (o.ref >= layer_.geometry.arcs.size()) return nullptr;
    shape = layer_.geometry.arcs[o.ref].shape;
  }
  auto found = apertureOfShape_.find(shape);
  // A turned or mirrored copy of an aperture's shape draws with that aperture.
  const std::vector<StandardShape>& shapes = layer_.shapes.shapes;
  if (found == apertureOfShape_.end() && shape < shapes.size() &&
      shapes[shape].base != kNoBaseShape) {
    found = apertureOfShape_.find(shapes[shape].base);
  }
  return found == apertureOfShape_.end() ? nullptr : &layer_.apertures[found->second];
}

ObjectReport ObjectDescriber::Describe(uint32_t object) const {
  ObjectReport report;
  report.layer = layerIndex_;
  report.path = layer_.fileName;
  report.layerFunction = function_;
  report.index = object;
  if (object >= layer_.geometry.objects.size()) return report;
  const StandardObject& o = layer_.geometry.objects[object];
  report.kind = ObjectKindWords(layer_.source, o.kind);
  report.polarity = o.polarity;
  report.startXMm = o.x0 * kMillimetresPerInch;
  report.startYMm = o.y0 * kMillimetresPerInch;
  const bool flash = o.kind == StandardKind::kFlash;
  report.endXMm = (flash ? o.x0 : o.x1) * kMillimetresPerInch;
  report.endYMm = (flash ? o.y0 : o.y1) * kMillimetresPerInch;
  TakeAttributes(
      layer_.objectAttributeSets.empty()
          ? std::string_view{}
          : std::string_view(layer_.objectAttributeSets[ObjectAttributeSet(layer_, object)]),
      false, report);
  if (const StandardAperture* aperture = ApertureOf(object))
    TakeAperture(layer_, *aperture, report);
  TakeNamedFields(report);
  const StandardBox box = ObjectBox(layer_, o);
  if (!box.Empty()) {
    report.box.Add(box.minX * kMillimetresPerInch, box.minY * kMillimetresPerInch);
    report.box.Add(box.maxX * kMillimetresPerInch, box.maxY * kMillimetresPerInch);
  }
  return report;
}

}  // namespace corvane
