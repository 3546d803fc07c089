#include "cli/diff_run.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "cli/argument_parser.h"
#include "cli/diff_pictures.h"
#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "loading/standard_loader.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr OptionSpec kDiffOptions[] = {
    {"--json"},
    {"--defaults"},
    {"--tolerance", {}, true, "a number of millimetres"},
    {"--png", {}, true, "a folder"},
};

constexpr double kSquareNanometresPerSquareMillimetre = 1e12;
constexpr double kMaxToleranceMm = 1000.0;

std::string Fixed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

double Mm(int64_t nm) { return NanometresToMillimetres(static_cast<double>(nm)); }
double SquareMm(double nm2) { return nm2 / kSquareNanometresPerSquareMillimetre; }

struct DiffRequest {
  bool json = false;
  bool useDefaults = false;
  int64_t tolerance = kDefaultCompareTolerance;
  std::string pictures;  // folder for --png, or empty
  std::string before;
  std::string after;
};

bool TakeRequest(std::span<const std::string> args, DiffRequest& request) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, kDiffOptions, parsed, error) || parsed.operands.size() != 2) {
    return false;
  }
  request.json = parsed.Has("--json");
  request.useDefaults = parsed.Has("--defaults");
  if (const std::string* text = parsed.Value("--tolerance")) {
    const std::optional<double> mm = ParseTolerance(*text);
    if (!mm) return false;
    request.tolerance = std::llround(*mm * kNanometresPerMillimetre);
  }
  if (const std::string* folder = parsed.Value("--png")) {
    if (folder->empty()) return false;
    request.pictures = *folder;
  }
  request.before = parsed.operands[0];
  request.after = parsed.operands[1];
  return true;
}

// One side's standard reading, or nothing after saying why it cannot be read.
std::optional<StandardLoad> LoadSide(const std::string& path, const DiffRequest& request,
                                     const DiffEnvironment& environment) {
  WorkingSetArguments set;
  set.useDefaults = request.useDefaults;
  set.files = {path};
  const auto loaded = HeadlessDocument::Load(set, environment.openUserSettings, nullptr,
                                             environment.writeError, "diff");
  if (loaded == nullptr) return std::nullopt;
  if (loaded->NamedFileUnopened()) {
    environment.writeError("corvane diff: cannot read " + path);
    return std::nullopt;
  }
  StandardLoad load =
      LoadStandardModel(loaded->Doc(), loaded->Loader().SettingsBeforeGerberFiles());
  if (!load.unopened.empty()) {
    environment.writeError("corvane diff: cannot read " + load.unopened.front());
    return std::nullopt;
  }
  return load;
}

const std::string& PathOf(const StandardModel& before, const StandardModel& after,
                          const LayerComparison& layer, DifferenceKind kind) {
  return kind == DifferenceKind::kAdded ? after.layers[layer.after].fileName
                                        : before.layers[layer.before].fileName;
}

nlohmann::ordered_json JsonOf(const StandardModel& before, const StandardModel& after,
                              const BoardComparison& comparison) {
  nlohmann::ordered_json layers = nlohmann::ordered_json::array();
  for (const LayerComparison& layer : comparison.layers) {
    const StandardLayer& now = after.layers[layer.after];
    nlohmann::ordered_json entry;
    entry["old"] = before.layers[layer.before].fileName;
    entry["new"] = now.fileName;
    entry["side"] = LayerSideName(now.function.side);
    entry["type"] = LayerTypeName(now.function.type);
    entry["added_mm2"] = SquareMm(layer.addedArea);
    entry["removed_mm2"] = SquareMm(layer.removedArea);
    entry["regions"] = nlohmann::ordered_json::array();
    for (const DifferencePlace& place : layer.places) {
      nlohmann::ordered_json region;
      region["kind"] = DifferenceKindName(place.kind);
      region["box_mm"] = {Mm(place.box.minX), Mm(place.box.minY), Mm(place.box.maxX),
                          Mm(place.box.maxY)};
      region["area_mm2"] = SquareMm(place.area);
      entry["regions"].push_back(std::move(region));
    }
    layers.push_back(std::move(entry));
  }
  nlohmann::ordered_json unmatched = nlohmann::ordered_json::array();
  for (uint32_t i : comparison.unmatchedBefore) unmatched.push_back(before.layers[i].fileName);
  for (uint32_t i : comparison.unmatchedAfter) unmatched.push_back(after.layers[i].fileName);
  nlohmann::ordered_json out;
  out["layers"] = std::move(layers);
  out["unmatched"] = std::move(unmatched);
  out["unlisted"] = comparison.unlistedPlaces;
  return out;
}

void WriteLines(const StandardModel& before, const StandardModel& after,
                const BoardComparison& comparison, const DiffEnvironment& environment) {
  for (const LayerComparison& layer : comparison.layers) {
    for (const DifferencePlace& place : layer.places) {
      environment.writeOutput(DiffLine(PathOf(before, after, layer, place.kind), place));
    }
  }
  for (uint32_t i : comparison.unmatchedBefore) {
    environment.writeOutput(before.layers[i].fileName + " unmatched");
  }
  for (uint32_t i : comparison.unmatchedAfter) {
    environment.writeOutput(after.layers[i].fileName + " unmatched");
  }
  if (comparison.unlistedPlaces > 0) {
    environment.writeOutput(std::to_string(comparison.unlistedPlaces) + " more places not listed");
  }
}

void WarnAboutIncomplete(const StandardModel& after, const BoardComparison& comparison,
                         const DiffEnvironment& environment) {
  for (const LayerComparison& layer : comparison.layers) {
    if (!layer.incomplete) continue;
    environment.writeError(WarningLine(after.layers[layer.after].fileName +
                                       ": geometry too large to build whole; compared in part"));
  }
}

}  // namespace

std::optional<double> ParseTolerance(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || !std::isfinite(value) || value < 0.0 ||
      value > kMaxToleranceMm) {
    return std::nullopt;
  }
  return value;
}

std::string DiffLine(const std::string& path, const DifferencePlace& place) {
  const GeoBox& b = place.box;
  return path + " " + std::string(DifferenceKindName(place.kind)) + " " +
         Fixed(SquareMm(place.area)) + " mm² " + Fixed(Mm(b.minX)) + " " + Fixed(Mm(b.minY)) + " " +
         Fixed(Mm(b.maxX)) + " " + Fixed(Mm(b.maxY)) + " mm";
}

int RunDiff(std::span<const std::string> args, const DiffEnvironment& environment) {
  DiffRequest request;
  if (!TakeRequest(args, request)) {
    environment.writeError(kDiffUsage);
    return kExitUsage;
  }
  const std::optional<StandardLoad> before = LoadSide(request.before, request, environment);
  if (!before) return kExitUsage;
  const std::optional<StandardLoad> after = LoadSide(request.after, request, environment);
  if (!after) return kExitUsage;

  CompareOptions options;
  options.tolerance = request.tolerance;
  options.threads = environment.threads;
  const BoardComparison comparison = CompareBoards(before->model, after->model, options);
  WarnAboutIncomplete(after->model, comparison, environment);
  if (request.json) {
    environment.writeOutput(JsonOf(before->model, after->model, comparison).dump(2));
  } else {
    WriteLines(before->model, after->model, comparison, environment);
  }
  if (!request.pictures.empty()) {
    std::string error;
    if (!WriteDifferencePictures(request.pictures, after->model, comparison, error)) {
      environment.writeError("corvane diff: " + error);
      return kExitUsage;
    }
  }
  return comparison.Same() ? kExitSuccess : kExitFailure;
}

}  // namespace corvane
