#include "document/plot_records.h"

namespace corvane {

std::string_view ShapeName(int32_t shape) {
  static constexpr std::array<std::string_view, 5> kNames{"Circle", "Line", "Rectangle", "Square",
                                                          "Ellipse"};
  return shape >= 0 && shape < 5 ? kNames[static_cast<std::size_t>(shape)] : std::string_view();
}

std::string_view PlatingName(int32_t plating) {
  switch (plating) {
    case kPlatingPlated:
      return "Plated";
    case kPlatingUnplated:
      return "Unplated";
    default:
      return "Unknown";
  }
}

}  // namespace corvane
