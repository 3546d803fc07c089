#pragma once

// What the headless "netlist" command prints of a check: a line per count
// and per finding, or one JSON document.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/netlist_check.h"

namespace corvane {

// "reference: ...", the notes, the counts, then one line per open, short and
// unconnected point.
std::vector<std::string> NetlistReportLines(const NetlistCheck& check);

// {"reference", "reference_points", "malformed_lines", "notes", "nets",
//  "opens", "shorts", "unconnected"}.
nlohmann::ordered_json NetlistReportJson(const NetlistCheck& check);

}  // namespace corvane
