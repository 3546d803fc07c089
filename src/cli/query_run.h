#pragma once

// The rules of the headless "query" command: the objects covering a point,
// or every object of a net or a component, each with its layer, kind,
// aperture, attributes and box, as plain lines or JSON. The Qt side only
// opens the user's settings and connects the two streams.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "analysis/board_query.h"
#include "analysis/object_report.h"
#include "cli/working_set.h"

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kQueryUsage =
    "usage: corvane query [--json] [--inch] --at X,Y | --net NAME | --component REF "
    "[--defaults] [--aperture-file F] [--drill-tool-file F] [--drill-file F] PATH...";

struct QueryRequest {
  WorkingSetArguments workingSet;
  bool json = false;
  bool inch = false;  // the point of --at is in inches
  bool atPoint = false;
  double x = 0.0;  // the point, in the units asked for
  double y = 0.0;
  NameKind kind = NameKind::kNet;
  std::string name;  // of --net or --component
};

// Exactly one of --at, --net and --component; "X,Y" two numbers. Returns
// false with `error` saying why otherwise.
bool ParseQueryArguments(std::span<const std::string> args, QueryRequest& request,
                         std::string& error);

struct QueryEnvironment {
  // Opens the user's settings; called only without --defaults. Only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
};

// `args` are the arguments after "query". Returns 0 after the answer (an
// empty one included for a point), 1 when a name matches nothing, a file
// could not be read or the working set not loaded, 2 with the usage line on
// bad arguments.
int RunQuery(std::span<const std::string> args, const QueryEnvironment& environment);

// One object as the JSON of the answer, and as its plain line.
nlohmann::ordered_json QueryJson(const ObjectReport& report);
std::string QueryLine(const ObjectReport& report);

}  // namespace corvane
