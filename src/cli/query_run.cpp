#include "cli/query_run.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "geometry/layer_geometry_builder.h"
#include "loading/standard_loader.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;

constexpr OptionSpec kQueryOptions[] = {
    {"--json"},
    {"--inch"},
    {"--at", {}, true, "X,Y"},
    {"--net", {}, true, "a net's name"},
    {"--component", {}, true, "a component's reference"},
};

bool ParseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

bool ParsePoint(std::string_view text, double& x, double& y) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  return ParseNumber(text.substr(0, comma), x) && ParseNumber(text.substr(comma + 1), y);
}

std::string Fixed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

nlohmann::ordered_json BoxJson(const FindingBox& box) {
  if (box.Empty()) return nullptr;
  return {box.minX, box.minY, box.maxX, box.maxY};
}

// The layers whose drawing reaches the point, with their geometry built;
// the others answer nothing by place and cost nothing.
struct BuiltLayers {
  std::vector<LayerGeometry> geometries;
  std::vector<std::unique_ptr<GeometryIndex>> indexes;
  std::vector<QueryLayer> layers;
};

void BuildLayersAt(const StandardModel& model, const GeoPoint* at, BuiltLayers& built) {
  built.geometries.reserve(model.layers.size());
  for (std::size_t i = 0; i < model.layers.size(); ++i) {
    const StandardLayer& layer = model.layers[i];
    QueryLayer query{i, &layer, nullptr};
    bool clamped = false;
    const StandardBox& e = layer.extents;
    const bool reaches = at != nullptr && !e.Empty() && ToNanometres(e.minX, clamped) <= at->x &&
                         at->x <= ToNanometres(e.maxX, clamped) &&
                         ToNanometres(e.minY, clamped) <= at->y &&
                         at->y <= ToNanometres(e.maxY, clamped);
    if (reaches) {
      built.geometries.push_back(BuildLayerGeometry(layer));
      built.indexes.push_back(std::make_unique<GeometryIndex>(layer, built.geometries.back()));
      query.index = built.indexes.back().get();
    }
    built.layers.push_back(query);
  }
}

void WriteAnswer(const StandardModel& model, const std::vector<ObjectRef>& found, bool json,
                 const QueryEnvironment& environment) {
  std::vector<std::unique_ptr<ObjectDescriber>> describers(model.layers.size());
  nlohmann::ordered_json answer = nlohmann::ordered_json::array();
  for (const ObjectRef& ref : found) {
    if (describers[ref.layer] == nullptr)
      describers[ref.layer] = std::make_unique<ObjectDescriber>(model.layers[ref.layer], ref.layer);
    const ObjectReport report = describers[ref.layer]->Describe(ref.object);
    if (json)
      answer.push_back(QueryJson(report));
    else
      environment.writeOutput(QueryLine(report));
  }
  if (json) environment.writeOutput(answer.dump(2));
}

}  // namespace

bool ParseQueryArguments(std::span<const std::string> args, QueryRequest& request,
                         std::string& error) {
  ParsedArguments parsed;
  if (!ParseArguments(args, JoinOptions({kWorkingSetOptions, kQueryOptions}), parsed, error) ||
      !TakeWorkingSet(parsed, request.workingSet, error)) {
    return false;
  }
  request.json = parsed.Has("--json");
  request.inch = parsed.Has("--inch");
  const int asked = parsed.Count("--at") + parsed.Count("--net") + parsed.Count("--component");
  if (asked != 1) {
    error = "give one of --at, --net and --component";
    return false;
  }
  if (const std::string* at = parsed.Value("--at")) {
    request.atPoint = true;
    if (!ParsePoint(*at, request.x, request.y)) {
      error = "bad --at " + *at;
      return false;
    }
    return true;
  }
  const std::string* net = parsed.Value("--net");
  request.kind = net != nullptr ? NameKind::kNet : NameKind::kComponent;
  request.name = net != nullptr ? *net : *parsed.Value("--component");
  if (request.name.empty()) {
    error = net != nullptr ? "--net needs a net's name" : "--component needs a reference";
    return false;
  }
  return true;
}

int RunQuery(std::span<const std::string> args, const QueryEnvironment& environment) {
  QueryRequest request;
  std::string error;
  if (!ParseQueryArguments(args, request, error)) {
    environment.writeError("corvane query: " + error);
    environment.writeError(kQueryUsage);
    return kExitUsage;
  }
  const auto loaded = HeadlessDocument::Load(request.workingSet, environment.openUserSettings,
                                             nullptr, environment.writeError, "query");
  if (loaded == nullptr) return kExitFailure;
  const StandardLoad load =
      LoadStandardModel(loaded->Doc(), loaded->Loader().SettingsBeforeGerberFiles());
  for (const std::string& path : load.unopened)
    environment.writeError(WarningLine("cannot open " + path));
  const double toInches = request.inch ? 1.0 : 1.0 / kMillimetresPerInch;
  bool clamped = false;
  const GeoPoint at = ToNanometres(request.x * toInches, request.y * toInches, clamped);
  BuiltLayers built;
  BuildLayersAt(load.model, request.atPoint ? &at : nullptr, built);
  const std::vector<ObjectRef> found = request.atPoint
                                           ? ObjectsAtPoint(built.layers, at)
                                           : ObjectsNamed(built.layers, request.kind, request.name);
  WriteAnswer(load.model, found, request.json, environment);
  const bool unread = loaded->NamedFileUnopened() || !load.unopened.empty();
  if (!request.atPoint && found.empty()) {
    environment.writeError("corvane query: no " +
                           std::string(request.kind == NameKind::kNet ? "net" : "component") +
                           " named " + request.name);
    return kExitFailure;
  }
  return unread ? kExitFailure : kExitSuccess;
}

nlohmann::ordered_json QueryJson(const ObjectReport& report) {
  nlohmann::ordered_json object;
  object["layer"] = report.path;
  object["side"] = LayerSideName(report.layerFunction.side);
  object["type"] = LayerTypeName(report.layerFunction.type);
  object["index"] = report.index;
  object["kind"] = report.kind;
  object["polarity"] = report.polarity == StandardPolarity::kDark ? "dark" : "clear";
  if (report.aperture.known) {
    object["aperture"] = {{"code", report.aperture.code},
                          {"shape", report.aperture.shape},
                          {"size_mm", {report.aperture.widthMm, report.aperture.heightMm}}};
  } else {
    object["aperture"] = nullptr;
  }
  object["net"] = report.net;
  object["component"] = report.component;
  object["pin"] = report.pin;
  object["function"] = report.function;
  nlohmann::ordered_json attributes = nlohmann::ordered_json::object();
  for (const ReadableAttribute& attribute : report.attributes)
    attributes[attribute.name] = attribute.value;
  object["attributes"] = std::move(attributes);
  object["box_mm"] = BoxJson(report.box);
  return object;
}

std::string QueryLine(const ObjectReport& report) {
  std::string line = report.path + ": " + report.kind + " " + std::to_string(report.index) +
                     (report.polarity == StandardPolarity::kDark ? " dark" : " clear");
  if (report.aperture.known) {
    line += std::string(report.aperture.tool ? " T" : " D") + std::to_string(report.aperture.code) +
            " " + report.aperture.shape + " " + Fixed(report.aperture.widthMm) + "x" +
            Fixed(report.aperture.heightMm) + " mm";
  }
  line += ", net \"" + report.net + "\", component \"" + report.component + "\", pin \"" +
          report.pin + "\", function \"" + report.function + "\"";
  if (!report.box.Empty()) {
    line += ", box " + Fixed(report.box.minX) + " " + Fixed(report.box.minY) + " " +
            Fixed(report.box.maxX) + " " + Fixed(report.box.maxY) + " mm";
  }
  return line;
}

}  // namespace corvane
