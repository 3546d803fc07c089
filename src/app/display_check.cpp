#include "app/display_check.h"

namespace corvane {

namespace {

constexpr std::string_view kHow =
    "; to run the window without a screen: xvfb-run -a corvane examples/demo/demo.wrk";

}  // namespace

std::optional<std::string> NoDisplayMessage(std::string_view qpaPlatform, std::string_view display,
                                            std::string_view waylandDisplay,
                                            bool displayReachable) {
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

std::string PlatformFailedMessage(std::string_view qpaPlatform, std::string_view display,
                                  std::string_view waylandDisplay) {
  const bool wayland = qpaPlatform.starts_with("wayland") ||
                       (qpaPlatform.empty() && display.empty() && !waylandDisplay.empty());
  std::string what;
  if (wayland && !waylandDisplay.empty()) {
    what = "cannot open display " + std::string(waylandDisplay);
  } else if (!wayland && (qpaPlatform.empty() || qpaPlatform == "xcb") && !display.empty()) {
    what = "cannot open display " + std::string(display);
  } else if (!qpaPlatform.empty()) {
    what = "cannot start the window system " + std::string(qpaPlatform);
  } else {
    what = "no display available";
  }
  return "corvane: " + what + std::string(kHow);
}

}  // namespace corvane
