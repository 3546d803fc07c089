#include "cli/stats_run.h"

#include <array>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "geometry/layer_geometry_builder.h"
#include "loading/standard_loader.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr std::string_view kJsonFlag = "--json";
constexpr std::array<std::string_view, 1> kStatsFlags{kJsonFlag};

constexpr double kSquareNanometresPerSquareMillimetre = 1e12;

double Millimetres(int64_t nm) { return NanometresToMillimetres(static_cast<double>(nm)); }

std::string Fixed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

nlohmann::ordered_json JsonOf(const std::string& path, const LayerGeometry& geometry) {
  nlohmann::ordered_json layer;
  layer["path"] = path;
  layer["area_mm2"] = geometry.darkArea / kSquareNanometresPerSquareMillimetre;
  layer["islands"] = geometry.islands.size();
  layer["holes"] = geometry.holeCount;
  const GeoBox& e = geometry.extents;
  if (e.Empty()) {
    layer["extents_mm"] = nullptr;
  } else {
    layer["extents_mm"] = {Millimetres(e.minX), Millimetres(e.minY), Millimetres(e.maxX),
                           Millimetres(e.maxY)};
  }
  layer["objects"] = geometry.objectCount;
  return layer;
}

// What keeps a layer's numbers from being the whole truth, said once per layer.
bool WarnAboutLayer(const std::string& path, const LayerGeometry& geometry,
                    const StatsEnvironment& environment) {
  if ((geometry.flags & kGeometryClamped) != 0) {
    environment.writeError(
        WarningLine(path + ": coordinates too far from the origin were clamped"));
  }
  if ((geometry.flags & kGeometryBoundReached) != 0) {
    environment.writeError(WarningLine(path + ": geometry needs more than " +
                                       std::to_string(kMaxGeometryVertices) +
                                       " vertices; not built"));
    return true;
  }
  return false;
}

}  // namespace

std::string StatsLine(const std::string& path, const LayerGeometry& geometry) {
  std::string line = path + ": " + Fixed(geometry.darkArea / kSquareNanometresPerSquareMillimetre) +
                     " mm², " + std::to_string(geometry.islands.size()) + " islands, " +
                     std::to_string(geometry.holeCount) + " holes, extents ";
  const GeoBox& e = geometry.extents;
  if (e.Empty()) {
    line += "none";
  } else {
    line += Fixed(Millimetres(e.minX)) + " " + Fixed(Millimetres(e.minY)) + " " +
            Fixed(Millimetres(e.maxX)) + " " + Fixed(Millimetres(e.maxY)) + " mm";
  }
  return line + ", " + std::to_string(geometry.objectCount) + " objects";
}

int RunStats(std::span<const std::string> args, const StatsEnvironment& environment) {
  WorkingSetArguments parsed;
  std::string error;
  if (!ParseWorkingSetArguments(args, kStatsFlags, parsed, error)) {
    environment.writeError(kStatsUsage);
    return kExitUsage;
  }
  const auto loaded = HeadlessDocument::Load(parsed, environment.openUserSettings, nullptr,
                                             environment.writeError, "stats");
  if (loaded == nullptr) return kExitFailure;
  const StandardLoad load =
      LoadStandardModel(loaded->Doc(), loaded->Loader().SettingsBeforeGerberFiles());
  for (const std::string& path : load.unopened)
    environment.writeError(WarningLine("cannot open " + path));
  const bool json = parsed.HasFlag(kJsonFlag);
  nlohmann::ordered_json layers = nlohmann::ordered_json::array();
  bool incomplete = false;
  GeometryBuildOptions options;
  options.threads = environment.threads;
  for (const StandardLayer& layer : load.model.layers) {
    const LayerGeometry geometry = BuildLayerGeometry(layer, options);
    incomplete = WarnAboutLayer(layer.fileName, geometry, environment) || incomplete;
    if (json) {
      layers.push_back(JsonOf(layer.fileName, geometry));
    } else {
      environment.writeOutput(StatsLine(layer.fileName, geometry));
    }
  }
  if (json) environment.writeOutput(layers.dump(2));
  const bool unread = loaded->NamedFileUnopened() || !load.unopened.empty();
  return unread || incomplete ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
