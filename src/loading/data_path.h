#pragma once

#include <string>
#include <string_view>

namespace corvane {

class CCorvaneDoc;

// The path to open for a data file name: a name with a folder in it as it
// stands (backslashes turned into slashes), a bare name in the folder of the
// document's work file, or, for a document without a folder, in the current
// folder.
std::string ResolveDataPath(const CCorvaneDoc& doc, std::string_view name);

}  // namespace corvane
