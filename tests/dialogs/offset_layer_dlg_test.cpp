#include "dialogs/offset_layer_dlg.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

int32_t CharacterCount(std::string_view text) { return static_cast<int32_t>(text.size()); }

COffsetLayerDlg ThreeLayers() {
  COffsetLayerDlg dialog;
  dialog.AddName("/boards/top.gbr");
  dialog.AddName("/boards/bottom.gbr");
  dialog.AddName("/home/u/boards/rev2/silk.gbr");
  dialog.AddName(std::string(kOffsetDrillEntry));
  return dialog;
}

TEST(OffsetLayerDlgTest, ListsTheNamesInOrderShortenedToTheListWidthWithNothingChosen) {
  COffsetLayerDlg dialog = ThreeLayers();
  dialog.OnInitDialog(20, CharacterCount);
  const std::vector<std::string> expected = {"/boards/top.gbr", "/boards/bottom.gbr",
                                             "/...../rev2/silk.gbr", "NC Drill file"};
  EXPECT_EQ(dialog.ListLines(), expected);
  EXPECT_EQ(dialog.ListSelection(), -1);
  EXPECT_EQ(dialog.ResourceId(), 158);
}

struct ChoiceCase {
  std::vector<int32_t> clicks;  // the list's selection after each click, -1 for none
  int32_t chosen;
};

TEST(OffsetLayerDlgTest, OkHandsBackTheSelectedLineOrMinusOne) {
  const ChoiceCase cases[] = {
      {{}, -1},       // OK with nothing chosen
      {{3}, 3},       // the NC drill entry after three layers
      {{0, 2}, 2},    // the last selection counts
      {{1, -1}, -1},  // deselected again
      {{4}, -1},      // no such line
      {{-7}, -1},
  };
  for (const ChoiceCase& c : cases) {
    COffsetLayerDlg dialog = ThreeLayers();
    dialog.OnInitDialog(100, CharacterCount);
    for (const int32_t line : c.clicks) dialog.OnSelChange(line);
    EXPECT_EQ(dialog.GetSelection(), -1);  // nothing is handed back before OK
    dialog.OnOK();
    EXPECT_EQ(dialog.GetSelection(), c.chosen);
  }
}

}  // namespace
}  // namespace corvane
