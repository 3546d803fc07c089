#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// What stands for the folders a shortened path leaves out.
inline constexpr std::string_view kPathEllipsis = ".....";
// Paths this long or longer are shown as they are.
inline constexpr std::size_t kUnshortenedPathLength = 261;

// The width of a text as the control that shows it would draw it.
using TextWidthFunction = std::function<int32_t(std::string_view text)>;

// One shortening step: the first component (with its separator) is kept, the
// folder after it (or after an earlier ".....") is replaced by ".....". Both
// '/' and '\' separate components and the path keeps its own. Nothing when the
// step is refused: the path is too long to shorten, or only its first
// component and file name are left.
std::optional<std::string> ShortenPathStep(std::string_view path);

// Shortens step by step while `measure` finds the path wider than `width`;
// stops when it fits or a step is refused.
std::string ShortenPathToFit(std::string_view path, int32_t width,
                             const TextWidthFunction& measure);

}  // namespace corvane
