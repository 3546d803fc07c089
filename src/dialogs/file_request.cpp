#include "dialogs/file_request.h"

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
