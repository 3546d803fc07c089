#include "dialogs/path_shortening.h"

namespace corvane {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t FindSeparator(std::string_view text, std::size_t from = 0) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (IsSeparator(text[i])) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string> ShortenPathStep(std::string_view path) {
  if (path.size() >= kUnshortenedPathLength) return std::nullopt;
  // The first component with its separator: "C:\", or "/" for an absolute
  // Linux path.
  const std::size_t first = FindSeparator(path);
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view head = path.substr(0, first + 1);
  std::string_view rest = path.substr(first + 1);
  if (rest.size() <= 1) return std::nullopt;
  if (rest.starts_with(kPathEllipsis)) {
    // Skip what an earlier step left there, and its separator.
    const std::size_t end = FindSeparator(rest);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  const std::size_t next = FindSeparator(rest);
  if (next == std::string_view::npos) return std::nullopt;  // only the file name is left
  std::string shortened;
  shortened.reserve(head.size() + kPathEllipsis.size() + rest.size() - next);
  shortened.append(head).append(kPathEllipsis).append(rest.substr(next));
  return shortened;
}

std::string ShortenPathToFit(std::string_view path, int32_t width,
                             const TextWidthFunction& measure) {
  std::string shown(path);
  // Every step but an odd first one drops a component, so the path's length
  // bounds the steps; the bound only guards against a measure that lies.
  for (std::size_t steps = 0; steps <= path.size() && measure(shown) > width; ++steps) {
    std::optional<std::string> shorter = ShortenPathStep(shown);
    if (!shorter) break;
    shown = std::move(*shorter);
  }
  return shown;
}

}  // namespace corvane
