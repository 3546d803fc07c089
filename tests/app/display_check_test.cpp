#include "app/display_check.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DisplayCheckTest, OneLineWithTheWayOutWhenThereIsNoDisplay) {
  struct Row {
    const char* qpa;
    const char* display;
    const char* wayland;
    bool reachable;
    bool blocked;
  };
  const Row rows[] = {
      {"", "", "", false, true},           {"", ":0", "", true, false},
      {"", ":99", "", false, true},        {"offscreen", "", "", false, false},
      {"", "", "wayland-0", false, false}, {"xcb", "", "wayland-0", false, true},
  };
  for (const Row& row : rows) {
    const auto message = NoDisplayMessage(row.qpa, row.display, row.wayland, row.reachable);
    EXPECT_EQ(message.has_value(), row.blocked) << row.qpa << "|" << row.display;
    if (message) {
      EXPECT_EQ(message->find('\n'), std::string::npos);
      EXPECT_NE(message->find("xvfb-run"), std::string::npos);
    }
  }
}

TEST(DisplayCheckTest, AWindowSystemThatFailsLaterIsNamedInOneLine) {
  struct Row {
    const char* qpa;
    const char* display;
    const char* wayland;
    const char* named;
  };
  const Row rows[] = {
      {"", ":99", "", "cannot open display :99"},
      {"xcb", ":5", "wayland-0", "cannot open display :5"},
      {"", "", "wayland-7", "cannot open display wayland-7"},
      {"wayland", ":0", "wayland-1", "cannot open display wayland-1"},
      {"wayland-egl", ":0", "", "cannot start the window system wayland-egl"},
      {"nosuch", ":0", "", "cannot start the window system nosuch"},
      {"", "", "", "no display available"},
  };
  for (const Row& row : rows) {
    const std::string message = PlatformFailedMessage(row.qpa, row.display, row.wayland);
    EXPECT_EQ(message.rfind(std::string("corvane: ") + row.named + ";", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos);
    EXPECT_NE(message.find("xvfb-run"), std::string::npos);
  }
}

}  // namespace
}  // namespace corvane
