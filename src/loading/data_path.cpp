#include "loading/data_path.h"

#include <filesystem>
#include <system_error>

#include "document/corvane_doc.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace

std::string ResolveDataPath(const CCorvaneDoc& doc, std::string_view name) {
  // A name with a folder in it is never combined with the document's folder.
  if (LastSeparator(name) != std::string_view::npos) return WithForwardSlashes(name);
  if (LastSeparator(doc.GetPathName()) != std::string::npos) {
    return JoinPath(doc.GetDocumentDirectory(), name);
  }
  // Never saved, or saved under a bare name: the name is relative to the
  // current folder (command line, dropped files).
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error || current.empty()) return std::string(name);
  return JoinPath(current.string(), name);
}

}  // namespace corvane
