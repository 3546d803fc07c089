#include "cli/netlist_report.h"

#include <cstdio>

namespace corvane {
namespace {

std::string Fixed3(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string At(double x, double y) { return "at " + Fixed3(x) + ", " + Fixed3(y) + " mm"; }

std::string Joined(const std::vector<std::string>& texts, std::string_view between) {
  std::string out;
  for (const std::string& text : texts) {
    if (!out.empty()) out += between;
    out += text;
  }
  return out;
}

std::string ReferenceLine(const NetlistCheck& check) {
  if (check.referenceSource.empty()) return "reference: none, the copper's nets only";
  std::string line = "reference: " + check.referenceSource + ", " +
                     std::to_string(check.referencePoints) + " points";
  if (check.malformedLines > 0)
    line += ", " + std::to_string(check.malformedLines) + " malformed lines skipped";
  return line;
}

std::string OpenLine(const NetOpen& open) {
  std::string line = "open " + open.net + ": " + std::to_string(open.parts.size()) + " parts";
  for (const auto& part : open.parts) line += " [" + Joined(part, " ") + "]";
  if (open.locations.size() >= 2) line += " " + At(open.locations[0], open.locations[1]);
  return line;
}

nlohmann::ordered_json Point(double x, double y) { return {x, y}; }

}  // namespace

std::vector<std::string> NetlistReportLines(const NetlistCheck& check) {
  std::vector<std::string> lines{ReferenceLine(check)};
  for (const std::string& note : check.notes) lines.push_back("note: " + note);
  lines.push_back(std::to_string(check.nets.size()) + " nets, " +
                  std::to_string(check.opens.size()) + " opens, " +
                  std::to_string(check.shorts.size()) + " shorts, " +
                  std::to_string(check.unconnected.size()) + " unconnected points");
  for (const NetOpen& open : check.opens) lines.push_back(OpenLine(open));
  for (const NetShort& found : check.shorts) {
    lines.push_back("short " + Joined(found.nets, " + ") + " " + At(found.x, found.y) +
                    (found.layer.empty() ? "" : " on " + found.layer));
  }
  for (const UnconnectedPoint& point : check.unconnected)
    lines.push_back("unconnected " + point.net + " " + point.point + " " + At(point.x, point.y));
  return lines;
}

nlohmann::ordered_json NetlistReportJson(const NetlistCheck& check) {
  nlohmann::ordered_json out;
  out["reference"] = check.referenceSource.empty() ? nlohmann::ordered_json(nullptr)
                                                   : nlohmann::ordered_json(check.referenceSource);
  out["reference_points"] = check.referencePoints;
  out["malformed_lines"] = check.malformedLines;
  out["notes"] = check.notes;
  out["nets"] = nlohmann::ordered_json::array();
  for (const ExtractedNet& net : check.nets)
    out["nets"].push_back({{"name", net.name}, {"points", net.points}, {"layers", net.layers}});
  out["opens"] = nlohmann::ordered_json::array();
  for (const NetOpen& open : check.opens) {
    nlohmann::ordered_json locations = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i + 1 < open.locations.size(); i += 2)
      locations.push_back(Point(open.locations[i], open.locations[i + 1]));
    out["opens"].push_back({{"net", open.net}, {"parts", open.parts}, {"locations_mm", locations}});
  }
  out["shorts"] = nlohmann::ordered_json::array();
  for (const NetShort& found : check.shorts) {
    out["shorts"].push_back(
        {{"nets", found.nets}, {"location_mm", Point(found.x, found.y)}, {"layer", found.layer}});
  }
  out["unconnected"] = nlohmann::ordered_json::array();
  for (const UnconnectedPoint& point : check.unconnected) {
    out["unconnected"].push_back(
        {{"net", point.net}, {"point", point.point}, {"location_mm", Point(point.x, point.y)}});
  }
  return out;
}

}  // namespace corvane
