#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The one line the window program prints instead of starting when there is no
// display to show it on; nothing when there is one (or the user chose a Qt
// platform, such as offscreen, explicitly). `displayReachable` is false when
// DISPLAY is set but the X server could not be reached.
std::optional<std::string> NoDisplayMessage(std::string_view qpaPlatform, std::string_view display,
                                            std::string_view waylandDisplay, bool displayReachable);

// The one line the window program prints when the window system could not be
// started after all (the display stopped answering, or the platform the user
// chose cannot run): the display it tried, DISPLAY's or WAYLAND_DISPLAY's
// value, or the platform's name when neither is set.
std::string PlatformFailedMessage(std::string_view qpaPlatform, std::string_view display,
                                  std::string_view waylandDisplay);

}  // namespace corvane
