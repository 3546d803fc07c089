#include "app/display_check.h"

namespace corvane {

std::optional<std::string> NoDisplayMessage(std::string_view qpaPlatform, std::string_view display,
                                            std::string_view waylandDisplay,
                                            bool displayReachable) {
  constexpr std::string_view kHow =
      "; to run the window without a screen: xvfb-run -a corvane examples/demo/demo.wrk";
  if (!qpaPlatform.empty() && qpaPlatform != "xcb") return std::nullopt;
  if (!waylandDisplay.empty() && qpaPlatform.empty()) return std::nullopt;
  if (display.empty()) {
    return "corvane: no display available (DISPLAY is not set)" + std::string(kHow);
  }
  if (!displayReachable) {
    return "corvane: cannot open display " + std::string(display) + std::string(kHow);
  }
  return std::nullopt;
}

}  // namespace corvane
