#include "app/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "app/status_texts.h"

namespace corvane {
namespace {

TEST(CommandTableTest, EveryMenuCommandIsInTheTableAndInOneMenuOnly) {
  std::map<int32_t, int> seen;
  for (const MenuInfo& menu : MainMenu()) {
    for (const MenuEntry& entry : menu.entries) {
      if (entry.kind == MenuEntry::Kind::kSeparator) continue;
      ASSERT_NE(FindCommand(entry.id), nullptr) << entry.id;
      ++seen[entry.id];
    }
  }
  for (const CommandInfo& command : AllCommands()) {
    if (command.id == kIdZoomTool) {
      EXPECT_EQ(seen.count(command.id), 0u) << "the zoom tool is on the toolbar only";
      continue;
    }
    EXPECT_EQ(seen[command.id], 1) << command.id;
  }
}

TEST(CommandTableTest, MenusInOrderWithTheirSeparators) {
  const auto menus = MainMenu();
  std::vector<std::string_view> titles;
  for (const MenuInfo& menu : menus) titles.push_back(menu.title);
  EXPECT_EQ(titles, (std::vector<std::string_view>{"&Workspace", "&Files", "&View", "&Zoom",
                                                   "&Tools", "&Options", "&Help"}));
  // Workspace: New Open OpenFolder CompareWith CompareWithFolder LeaveCompare Save SaveAs |
  // Print Preview Setup | Recent | Exit
  std::string shape;
  for (const MenuEntry& entry : menus[0].entries) {
    shape += entry.kind == MenuEntry::Kind::kSeparator     ? '|'
             : entry.kind == MenuEntry::Kind::kRecentFiles ? 'R'
                                                           : 'c';
  }
  EXPECT_EQ(shape, "cccccccc|ccc|R|c");
  EXPECT_EQ(menus[0].entries[2].id, kIdFileOpenFolder);
  EXPECT_EQ(menus[0].entries[3].id, kIdCompareWith);
  EXPECT_EQ(menus[0].entries[5].id, kIdLeaveCompare);
  // Options: the four formats, then the reading's switch.
  const MenuInfo& options = menus[5];
  ASSERT_EQ(options.entries.size(), 6u);
  EXPECT_EQ(options.entries[4].kind, MenuEntry::Kind::kSeparator);
  EXPECT_EQ(options.entries[5].id, kIdStandardInterpretation);
}

struct TextRow {
  int32_t id;
  std::string_view menuText;
  std::string_view prompt;
  std::string_view tooltip;
};

// The texts most easily mistyped, exactly as the program shows them.
TEST(CommandTableTest, TextsAreExact) {
  const TextRow rows[] = {
      {kIdFileNew, "&New\tCtrl+N", "Create a new document", "New Work File"},
      {kIdAppExit, "E&xit", "Quit the application; prompts to save documents", "Exit"},
      {kIdZoomIn, "&In", "Increase magnification of display window", "Zoom In"},
      {kIdZoomExtents, "&Extents\tShift+F8", "Reset magnification to display all of plot image",
       "Zoom Extents"},
      {kIdApertureFile, "&Aperture File", "Loads a Gerber Aperture File", "Load Apertures"},
      {kIdNcDrillFile, "&NC Drill File", "Load NC drill file", "Load NC drill list"},
      {kIdRedraw, "&Redraw\tF5", "", ""},
      {kIdHelpTopics, "&Help Topics", "", ""},
      {kIdViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
      {kIdZoomTool, "", "Zoom pointer tool", "Zoom Tool"},
      {kIdStandardInterpretation, "&Standard Interpretation",
       "Draws the files as today's Gerber and Excellon formats define them",
       "Standard Interpretation"},
  };
  for (const TextRow& row : rows) {
    const CommandInfo* info = FindCommand(row.id);
    ASSERT_NE(info, nullptr) << row.id;
    EXPECT_EQ(info->menuText, row.menuText) << row.id;
    EXPECT_EQ(info->prompt, row.prompt) << row.id;
    EXPECT_EQ(info->tooltip, row.tooltip) << row.id;
  }
}

TEST(CommandTableTest, RecentFileNumbersShareOneEntry) {
  for (int32_t id = kIdFileMruFirst; id <= kIdFileMruLast; ++id) {
    ASSERT_NE(FindCommand(id), nullptr);
    EXPECT_EQ(StatusPrompt(id), "Open this document");
  }
  EXPECT_EQ(FindCommand(kIdFileMruLast + 1), nullptr);
  EXPECT_EQ(StatusPrompt(12345), "");
}

TEST(CommandTableTest, ToolbarOrderSeparatorsAndImages) {
  const auto buttons = ToolbarButtons();
  ASSERT_EQ(buttons.size(), 21u);
  const std::set<std::size_t> separators = {4, 6, 11, 15, 19};  // positions from 1
  int32_t image = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const bool isSeparator = buttons[i] == kToolbarSeparator;
    EXPECT_EQ(isSeparator, separators.count(i + 1) == 1) << i + 1;
    if (isSeparator) continue;
    EXPECT_EQ(ToolbarImageIndex(buttons[i]), image++);
    EXPECT_FALSE(ToolTipText(buttons[i]).empty()) << buttons[i];
  }
  EXPECT_EQ(image, 16);
  EXPECT_EQ(buttons.front(), kIdFileNew);
  EXPECT_EQ(buttons[15], kIdZoomTool);
  EXPECT_EQ(buttons[19], kIdZoomExtents);
  // The reading's switch sits beside the zoom buttons.
  EXPECT_EQ(buttons.back(), kIdStandardInterpretation);
  EXPECT_EQ(ToolbarImageIndex(kIdMirrorX), -1);
}

TEST(CommandTableTest, AcceleratorsReachNewOpenSavePrintFindAndTheDifferences) {
  using Key = std::tuple<Accelerator::Key, bool, bool>;  // key, Ctrl, Shift
  std::map<Key, int32_t> keys;
  for (const Accelerator& a : Accelerators()) {
    EXPECT_TRUE(keys.emplace(Key{a.key, a.ctrl, a.shift}, a.id).second) << a.id;
  }
  EXPECT_EQ(keys, (std::map<Key, int32_t>{
                      {{Accelerator::Key::kN, true, false}, kIdFileNew},
                      {{Accelerator::Key::kO, true, false}, kIdFileOpen},
                      {{Accelerator::Key::kS, true, false}, kIdFileSave},
                      {{Accelerator::Key::kP, true, false}, kIdFilePrint},
                      {{Accelerator::Key::kF, true, false}, kIdFindNetOrComponent},
                      {{Accelerator::Key::kF8, false, false}, kIdNextDifference},
                      {{Accelerator::Key::kF8, false, true}, kIdPreviousDifference}}));
}

TEST(StatusTextsTest, IndicatorsShowTheirTextOnlyWhileOn) {
  EXPECT_EQ(IndicatorPaneText(KeyIndicator::kCapsLock, true), "CAP");
  EXPECT_EQ(IndicatorPaneText(KeyIndicator::kNumLock, true), "NUM");
  EXPECT_EQ(IndicatorPaneText(KeyIndicator::kScrollLock, true), "SCRL");
  EXPECT_EQ(IndicatorPaneText(KeyIndicator::kScrollLock, false), "");
}

}  // namespace
}  // namespace corvane
