// Turning a data file name into the path to open.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "document/corvane_doc.h"

namespace corvane {
namespace {

// Work files written elsewhere hold backslashes; both count as separators.
std::size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::string WithForwardSlashes(std::string_view path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace

std::string CCorvaneDoc::GetDocumentDirectory() const {
  const std::size_t cut = LastSeparator(pathName_);
  if (cut == std::string::npos) return {};
  // A work file in the root folder: the folder is the root itself.
  if (cut == 0) return "/";
  return WithForwardSlashes(std::string_view(pathName_).substr(0, cut));
}

std::string CCorvaneDoc::ResolveDataPath(std::string_view name) const {
  // A name with a folder in it is never combined with the document's folder.
  if (LastSeparator(name) != std::string_view::npos) return WithForwardSlashes(name);
  if (LastSeparator(pathName_) != std::string::npos) return JoinPath(GetDocumentDirectory(), name);
  // Never saved, or saved under a bare name: the name is relative to the
  // current folder (command line, dropped files).
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error || current.empty()) return std::string(name);
  return JoinPath(current.string(), name);
}

}  // namespace corvane
