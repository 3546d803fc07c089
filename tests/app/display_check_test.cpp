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

}  // namespace
}  // namespace corvane
