#include "analysis/fabrication_rules.h"

#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

namespace corvane {
namespace {

constexpr std::array<std::string_view, kRuleValueCount> kKeys{
    "min-width",       "min-clearance",        "min-annular-ring", "min-drill",
    "min-hole-spacing", "min-drill-to-copper", "min-mask-web",     "min-silk-clearance"};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool TakeValue(std::string_view key, std::optional<double> mm, FabricationRules& rules,
               std::string& error) {
  const auto value = RuleValueNamed(key);
  if (!value) {
    error = std::string(key) + ": not a rule value";
    return false;
  }
  if (!mm) {
    error = std::string(key) + ": not a positive length in millimetres";
    return false;
  }
  rules.Set(*value, *mm);
  return true;
}

bool ReadJson(std::string_view text, FabricationRules& rules, std::string& error) {
  const auto json = nlohmann::json::parse(text, nullptr, false);
  if (!json.is_object()) {
    error = "not a JSON object of rule values";
    return false;
  }
  for (const auto& [key, item] : json.items()) {
    std::optional<double> mm;
    if (item.is_number() && std::isfinite(item.get<double>()) && item.get<double>() > 0.0) {
      mm = item.get<double>();
    }
    if (!TakeValue(key, mm, rules, error)) return false;
  }
  return true;
}

bool ReadIniLine(std::string_view line, FabricationRules& rules, std::string& error) {
  line = Trimmed(line);
  if (line.empty() || line.front() == '#' || line.front() == ';' || line.front() == '[') {
    return true;
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) {
    error = std::string(line) + ": not \"name = value\"";
    return false;
  }
  return TakeValue(Trimmed(line.substr(0, equals)), ParseRuleLength(line.substr(equals + 1)),
                   rules, error);
}

}  // namespace

std::string_view RuleValueKey(RuleValue value) { return kKeys[static_cast<std::size_t>(value)]; }

std::optional<RuleValue> RuleValueNamed(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i] == key) return static_cast<RuleValue>(i);
  }
  return std::nullopt;
}

bool FabricationRules::AnyOn() const {
  for (const auto& value : values) {
    if (value) return true;
  }
  return false;
}

FabricationRules FabricationRules::Defaults() {
  FabricationRules rules;
  for (std::size_t i = 0; i < kRuleValueCount; ++i) rules.values[i] = kDefaultRuleValues[i];
  return rules;
}

std::optional<double> ParseRuleLength(std::string_view text) {
  text = Trimmed(text);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) ||
      value <= 0.0) {
    return std::nullopt;
  }
  return value;
}

bool ReadRulesText(std::string_view text, FabricationRules& rules, std::string& error) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && text[first] == '{') return ReadJson(text, rules, error);
  while (!text.empty()) {
    const auto end = text.find('\n');
    if (!ReadIniLine(text.substr(0, end), rules, error)) return false;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return true;
}

}  // namespace corvane
