#include "app/window_placement.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"

namespace corvane {
namespace {

class FakeWindow : public PlacementWindow {
 public:
  bool GetPlacement(WindowPlacementState& p) const override {
    if (!readable) return false;
    p = state;
    return true;
  }
  void SetPlacement(const WindowPlacementState& p) override {
    state = p;
    ++setCount;
  }
  int32_t VirtualScreenWidth() const override { return 1280; }
  int32_t VirtualScreenHeight() const override { return 800; }

  WindowPlacementState state{{10, 20, 610, 420}, false, false};
  bool readable = true;
  int setCount = 0;
};

struct OnScreenRow {
  WindowRect rect;
  bool expected;
};

TEST(WindowPlacementTest, IsRectOnScreenBoundsInclusive) {
  const OnScreenRow rows[] = {
      {{0, 0, 1280, 800}, true},      {{100, 100, 500, 400}, true}, {{-1, 0, 500, 400}, false},
      {{0, -1, 500, 400}, false},     {{0, 0, 1281, 400}, false},   {{0, 0, 500, 801}, false},
      {{1280, 800, 1280, 800}, true},
  };
  for (const OnScreenRow& row : rows) {
    EXPECT_EQ(IsRectOnScreen(row.rect, 1280, 800), row.expected) << FormatWindowRect(row.rect);
  }
}

TEST(WindowPlacementTest, ParseAsScanfReadsIt) {
  EXPECT_EQ(ParseWindowRect("1, 2, 3, 4"), (WindowRect{1, 2, 3, 4}));
  EXPECT_EQ(ParseWindowRect("1,2,3,4"), (WindowRect{1, 2, 3, 4}));
  EXPECT_EQ(ParseWindowRect("  -5,  6,\t7, 8 trailing"), (WindowRect{-5, 6, 7, 8}));
  EXPECT_EQ(ParseWindowRect("1 , 2, 3, 4"), std::nullopt);
  EXPECT_EQ(ParseWindowRect("1, 2, 3"), std::nullopt);
  EXPECT_EQ(ParseWindowRect(""), std::nullopt);
  EXPECT_EQ(ParseWindowRect("99999999999, 0, 1, 1")->left, INT32_MAX);
  EXPECT_EQ(FormatWindowRect({-5, 6, 7, 8}), "-5, 6, 7, 8");
}

struct LoadRow {
  const char* stored;  // nullptr: nothing stored
  bool applied;
};

TEST(WindowPlacementTest, LoadAppliesOnlyASizedOnScreenRectangle) {
  const LoadRow rows[] = {
      {nullptr, false},
      {"0, 0, 0, 0", false},
      {"100, 100, 100, 500", false},
      {"-10, 100, 600, 500", false},
      {"100, 100, 1300, 500", false},
      {"garbage", false},
      {"600, 500, 100, 100", false},
      {"100, 50, 900, 650", true},
  };
  for (const LoadRow& row : rows) {
    MemorySettingsStore store;
    if (row.stored != nullptr) store.WriteText(kSectionWindowPlacement, kMainWindowKey, row.stored);
    FakeWindow window;
    window.state.maximized = true;
    LoadWindowPlacement(store, &window);
    EXPECT_EQ(window.setCount, row.applied ? 1 : 0) << (row.stored ? row.stored : "(none)");
    if (row.applied) {
      EXPECT_EQ(window.state.normal, (WindowRect{100, 50, 900, 650}));
      EXPECT_FALSE(window.state.maximized);  // restored, never maximized
    }
  }
}

TEST(WindowPlacementTest, SaveStoresTheNormalRectangleAlsoWhenMaximized) {
  MemorySettingsStore store;
  FakeWindow window;
  window.state.maximized = true;
  SaveWindowPlacement(store, &window);
  EXPECT_EQ(store.ReadText(kSectionWindowPlacement, kMainWindowKey, ""), "10, 20, 610, 420");
  EXPECT_EQ(store.ReadInt(kSectionWindowPlacement, kMainWindowZoomedKey, -1), 1);

  // The next start restores that rectangle, not maximized.
  FakeWindow next;
  next.state = {{0, 0, 300, 200}, false, false};
  LoadWindowPlacement(store, &next);
  EXPECT_EQ(next.state.normal, (WindowRect{10, 20, 610, 420}));
  EXPECT_FALSE(next.state.maximized);
}

TEST(WindowPlacementTest, NoWindowOrUnreadablePlacementDoesNothing) {
  MemorySettingsStore store;
  SaveWindowPlacement(store, nullptr);
  LoadWindowPlacement(store, nullptr);
  FakeWindow window;
  window.readable = false;
  SaveWindowPlacement(store, &window);
  store.WriteText(kSectionWindowPlacement, kMainWindowKey, "100, 50, 900, 650");
  LoadWindowPlacement(store, &window);
  EXPECT_EQ(window.setCount, 0);
  EXPECT_FALSE(store.Contains(kSectionWindowPlacement, kMainWindowZoomedKey));
}

}  // namespace
}  // namespace corvane
