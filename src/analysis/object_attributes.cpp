#include "analysis/object_attributes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace corvane {
namespace {

// The attribute names the format defines that a person reads, with words for them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 25> kReadableNames{{
    {".N", "Net"},
    {".C", "Component"},
    {".P", "Pin"},
    {".AperFunction", "Aperture function"},
    {".DrillTolerance", "Drill tolerance"},
    {".FlashText", "Flash text"},
    {".CRot", "Component rotation"},
    {".CMfr", "Manufacturer"},
    {".CMPN", "Manufacturer part number"},
    {".CVal", "Component value"},
    {".CMnt", "Mounting"},
    {".CFtp", "Footprint"},
    {".CPgN", "Package name"},
    {".CPgD", "Package description"},
    {".CHgt", "Component height"},
    {".CLbN", "Library name"},
    {".CLbD", "Library description"},
    {".CSup", "Supplier"},
    {".FileFunction", "File function"},
    {".FilePolarity", "File polarity"},
    {".Part", "Part"},
    {".SameCoordinates", "Same coordinates"},
    {".CreationDate", "Creation date"},
    {".GenerationSoftware", "Generation software"},
    {".ProjectId", "Project"},
}};

// The next field of a comma-separated value, taken from its front.
std::string_view TakeField(std::string_view& rest) {
  const std::size_t comma = rest.find(',');
  const std::string_view field = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
  return field;
}

}  // namespace

std::vector<StandardAttribute> SplitAttributeText(std::string_view text) {
  std::vector<StandardAttribute> attributes;
  while (!text.empty()) {
    const std::size_t semicolon = text.find(';');
    std::string_view entry = text.substr(0, semicolon);
    text = semicolon == std::string_view::npos ? std::string_view{} : text.substr(semicolon + 1);
    if (entry.empty()) continue;
    const std::size_t comma = entry.find(',');
    StandardAttribute attribute;
    attribute.name = std::string(entry.substr(0, comma));
    if (comma != std::string_view::npos) attribute.value = std::string(entry.substr(comma + 1));
    attributes.push_back(std::move(attribute));
  }
  return attributes;
}

std::string ReadableAttributeName(std::string_view name) {
  for (const auto& [code, words] : kReadableNames) {
    if (code == name) return std::string(words);
  }
  return std::string(name);
}

uint32_t ObjectAttributeSet(const StandardLayer& layer, uint32_t object) {
  const std::vector<AttributeRun>& runs = layer.objectAttributeRuns;
  // The last run that begins at or before the object.
  const auto after = std::upper_bound(
      runs.begin(), runs.end(), object,
      [](uint32_t value, const AttributeRun& run) { return value < run.firstObject; });
  if (after == runs.begin()) return 0;
  const uint32_t set = std::prev(after)->set;
  return set < layer.objectAttributeSets.size() ? set : 0;
}

PinReference ParsePinReference(std::string_view value) {
  PinReference pin;
  pin.component = std::string(TakeField(value));
  pin.pin = std::string(TakeField(value));
  pin.function = std::string(value);
  return pin;
}

std::vector<std::string> NetNames(std::string_view value) {
  std::vector<std::string> names;
  while (!value.empty()) {
    const std::string_view name = TakeField(value);
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

}  // namespace corvane
