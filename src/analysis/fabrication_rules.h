#pragma once

// The values a shop builds to, one per fabrication rule, in millimetres. A
// rule without a value is not checked. The shop's usual values
// (kDefaultRuleValues) stand in for every rule that a rules file leaves out.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

enum class RuleValue : uint8_t {
  kWidth = 0,        // narrowest copper
  kClearance,        // narrowest gap between copper of one layer
  kAnnularRing,      // narrowest ring of copper around a plated hole
  kDrill,            // smallest hole diameter or slot width
  kHoleSpacing,      // smallest gap between the edges of two holes
  kDrillToCopper,    // smallest gap from a non-plated hole to copper
  kMaskWeb,          // narrowest solder-mask bridge between two openings
  kSilkClearance,    // smallest gap from silkscreen to a mask opening
};
inline constexpr std::size_t kRuleValueCount = 8;

// The option that sets a value, without its dashes: "min-width".
std::string_view RuleValueKey(RuleValue value);
std::optional<RuleValue> RuleValueNamed(std::string_view key);

// 0.10 mm width and clearance, 0.10 mm ring, 0.20 mm drill, 0.25 mm hole
// spacing, 0.25 mm drill to copper, 0.10 mm mask web, 0.15 mm silkscreen
// clearance: what a standard two- or four-layer process builds without
// asking.
inline constexpr std::array<double, kRuleValueCount> kDefaultRuleValues{
    0.10, 0.10, 0.10, 0.20, 0.25, 0.25, 0.10, 0.15};

struct FabricationRules {
  std::array<std::optional<double>, kRuleValueCount> values;

  const std::optional<double>& Get(RuleValue value) const {
    return values[static_cast<std::size_t>(value)];
  }
  void Set(RuleValue value, double mm) { values[static_cast<std::size_t>(value)] = mm; }
  bool AnyOn() const;
  // Every rule on at the shop's usual values.
  static FabricationRules Defaults();
};

// A rule value as typed: a positive, finite length in millimetres.
std::optional<double> ParseRuleLength(std::string_view text);

// A rules file over `rules` (which it starts from the defaults): JSON when
// its first character that is not a space is "{", else INI lines
// "min-width = 0.1" (a [section] line, "#" and ";" comments and blank lines
// are passed over). Returns false with `error` naming the key or line that
// is not a rule value or whose value is not a positive length.
bool ReadRulesText(std::string_view text, FabricationRules& rules, std::string& error);

}  // namespace corvane
