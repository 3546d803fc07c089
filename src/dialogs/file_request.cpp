#include "dialogs/file_request.h"

#include <filesystem>
#include <system_error>

#include "intake/name_conventions.h"

namespace corvane {

std::string FormatFileFilter(std::string_view format, std::string_view extension) {
  constexpr std::string_view kPlaceholder = "%s";
  std::string filter;
  filter.reserve(format.size() + 2 * extension.size());
  std::size_t start = 0;
  for (std::size_t at = format.find(kPlaceholder); at != std::string_view::npos;
       at = format.find(kPlaceholder, start)) {
    filter.append(format.substr(start, at - start)).append(extension);
    start = at + kPlaceholder.size();
  }
  filter.append(format.substr(start));
  return filter;
}

std::string WithTodaysExtensions(std::string_view filter, FileFamily family) {
  const bool plot = family == FileFamily::kPlot;
  std::string entry(plot ? kAllPlotFilesName : kAllDrillFilesName);
  entry += '|';
  const std::vector<std::string> extensions = plot ? PlotFileExtensions() : DrillFileExtensions();
  for (std::size_t i = 0; i < extensions.size(); ++i) {
    entry.append(i == 0 ? "*." : ";*.").append(extensions[i]);
  }
  entry += '|';
  constexpr std::string_view kAllFiles = "All Files (*.*)|*.*|";
  const std::size_t all = filter.find(kAllFiles);
  if (all != std::string_view::npos) {
    return std::string(filter.substr(0, all)) + entry + std::string(filter.substr(all));
  }
  // The list ends at "||" or at its end; the new entries go there.
  std::string_view head = filter;
  while (!head.empty() && head.back() == '|') head.remove_suffix(1);
  std::string result(head);
  if (!result.empty()) result += '|';
  return result + entry + std::string(kAllFiles) + "|";
}

std::optional<std::string> TypedFileToOpen(std::string_view folder, std::string_view typed) {
  if (typed.empty()) return std::nullopt;
  std::filesystem::path path(typed);
  if (path.is_relative()) path = std::filesystem::path(folder) / path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return path.lexically_normal().string();
}

FileChooserRequest OpenFileRequest(std::string_view filterFormat, std::string_view extension,
                                   std::string initialDir) {
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kOpen;
  request.filter = FormatFileFilter(filterFormat, extension);
  request.defaultExt = std::string(extension);
  request.initialDir = std::move(initialDir);
  request.pathMustExist = true;
  return request;
}

}  // namespace corvane
