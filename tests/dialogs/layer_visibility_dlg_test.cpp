#include "dialogs/layer_visibility_dlg.h"

#include <gtest/gtest.h>

#include <numeric>

#include "platform/settings_store.h"

namespace corvane {
namespace {

int32_t CharacterCount(std::string_view text) { return static_cast<int32_t>(text.size()); }

class Recorder : public LayerVisibilityTarget {
 public:
  explicit Recorder(const CLayerVisibilityDlg& dialog) : dialog_(dialog) {}
  void ApplyLayerVisibility() override {
    applied.push_back(dialog_.GetSelectedLayers(CLayerVisibilityDlg::kTableSize));
  }
  std::vector<std::vector<int32_t>> applied;

 private:
  const CLayerVisibilityDlg& dialog_;
};

class LayerVisibilityDlgTest : public ::testing::Test {
 protected:
  // `visible` holds one flag per layer.
  void Open(const std::vector<int32_t>& visible, int32_t listWidth = 100) {
    for (std::size_t i = 0; i < visible.size(); ++i) {
      dialog.AddLayerName("/boards/layer" + std::to_string(i) + ".gbr", visible[i]);
    }
    dialog.SetView(&recorder);
    const CLayerVisibilityDlg::Fit wide{100, CharacterCount};
    dialog.OnInitDialog({listWidth, CharacterCount}, wide, wide, wide);
  }
  std::vector<int32_t> SelectedLines() const {
    std::vector<int32_t> lines;
    for (int32_t i = 0; i < static_cast<int32_t>(dialog.ListLines().size()); ++i) {
      if (dialog.IsLineSelected(i)) lines.push_back(i);
    }
    return lines;
  }
  MemorySettingsStore store;
  CLayerVisibilityDlg dialog{&store};
  Recorder recorder{dialog};
};

TEST_F(LayerVisibilityDlgTest, OpensWithTheVisibleLayersSelectedAndThePathsShortened) {
  dialog.SetApertureFileName("/home/u/boards/board.apr");
  dialog.SetNcDrillFileName("");
  dialog.SetDrillToolFileName("/a/b/tools.rck");
  dialog.AddLayerName("/home/u/boards/top.gbr", 1);
  dialog.AddLayerName("/home/u/boards/bottom.gbr", 0);
  dialog.AddLayerName("/home/u/boards/silk.gbr", 7);
  dialog.OnInitDialog({16, CharacterCount}, {17, CharacterCount}, {5, CharacterCount},
                      {100, CharacterCount});
  const std::vector<std::string> lines = {"/...../top.gbr", "/...../bottom.gbr", "/...../silk.gbr"};
  EXPECT_EQ(dialog.ListLines(), lines);
  EXPECT_EQ(SelectedLines(), (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(dialog.ShownApertureFile(), "/...../board.apr");
  EXPECT_EQ(dialog.ShownNcDrillFile(), "");
  EXPECT_EQ(dialog.ShownDrillToolFile(), "/a/b/tools.rck");
  EXPECT_TRUE(dialog.IsAutoApplyOn());                // nothing stored: on
  EXPECT_TRUE(dialog.GetSelectedLayers(20).empty());  // nothing read from the list yet
  EXPECT_EQ(dialog.ResourceId(), 143);
}

TEST_F(LayerVisibilityDlgTest, OnlyTheFirst256LayersKeepTheirVisibleFlag) {
  Open(std::vector<int32_t>(300, 1));
  const std::vector<int32_t> selected = SelectedLines();
  ASSERT_EQ(selected.size(), 256u);
  EXPECT_EQ(selected.back(), 255);
  EXPECT_EQ(dialog.ListLines().size(), 300u);
  // Reading the list keeps at most 256 selected lines too.
  dialog.OnSelectAll();
  const std::vector<int32_t> read = dialog.GetSelectedLayers(1000);
  ASSERT_EQ(read.size(), 256u);
  EXPECT_EQ(read.back(), 255);
}

TEST_F(LayerVisibilityDlgTest, WithAutoApplyEveryChangeIsAppliedAtOnce) {
  Open({1, 1, 0});
  dialog.OnSelChange({0});  // line 1 deselected
  dialog.OnSelectAll();
  dialog.OnDeselectAll();
  dialog.OnShowDrillHolesClicked(false);
  dialog.OnAutoApplyClicked(true);  // only read
  const std::vector<std::vector<int32_t>> expected = {{0}, {0, 1, 2}, {}, {}};
  EXPECT_EQ(recorder.applied, expected);
  EXPECT_EQ(dialog.GetShowDrillHoles(), 0);
}

TEST_F(LayerVisibilityDlgTest, WithoutAutoApplyNothingIsAppliedWhileOpen) {
  store.WriteInt(kSectionSettings, kAutoApplyVisibilityKey, 0);
  Open({1, 1, 0});
  EXPECT_FALSE(dialog.IsAutoApplyOn());
  dialog.OnSelChange({2});
  dialog.OnSelectAll();
  dialog.OnShowDrillHolesClicked(false);
  EXPECT_TRUE(recorder.applied.empty());
  EXPECT_TRUE(dialog.GetSelectedLayers(20).empty());
  dialog.OnOK();
  EXPECT_EQ(dialog.GetSelectedLayers(20), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(store.ReadInt(kSectionSettings, kAutoApplyVisibilityKey, -1), 0);
}

TEST_F(LayerVisibilityDlgTest, TheAutoApplyChoiceIsStoredOnlyOnOk) {
  Open({1});
  dialog.OnAutoApplyClicked(false);
  EXPECT_EQ(store.WriteCount(), 0u);  // Cancel would leave the store alone
  dialog.OnOK();
  EXPECT_EQ(store.ReadInt(kSectionSettings, kAutoApplyVisibilityKey, -1), 0);
  EXPECT_EQ(store.WriteCount(), 1u);
}

TEST_F(LayerVisibilityDlgTest, GetSelectedLayersCopiesAtMostTheAskedCount) {
  Open(std::vector<int32_t>(30, 0));
  std::vector<int32_t> lines(25);
  std::iota(lines.begin(), lines.end(), 3);  // 3 .. 27
  dialog.OnSelChange(lines);
  const std::vector<int32_t> first20 = dialog.GetSelectedLayers(20);
  ASSERT_EQ(first20.size(), 20u);
  EXPECT_EQ(first20.front(), 3);
  EXPECT_EQ(first20.back(), 22);
  EXPECT_EQ(dialog.GetSelectedLayers(100).size(), 25u);
  EXPECT_TRUE(dialog.GetSelectedLayers(0).empty());
  EXPECT_TRUE(dialog.GetSelectedLayers(-5).empty());
}

TEST_F(LayerVisibilityDlgTest, ASelectionWithLinesOutsideTheListKeepsTheRealOnes) {
  Open({0, 0, 0});
  dialog.OnSelChange({2, -1, 3, 0, 2});
  EXPECT_EQ(SelectedLines(), (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(recorder.applied.back(), (std::vector<int32_t>{0, 2}));
}

TEST(LayerVisibilityDlgNoStoreTest, WithoutAStoreAutoApplyIsOnAndOkWritesNothing) {
  CLayerVisibilityDlg dialog(nullptr);
  dialog.AddLayerName("a.gbr", 1);
  const CLayerVisibilityDlg::Fit fit{100, CharacterCount};
  dialog.OnInitDialog(fit, fit, fit, fit);
  EXPECT_TRUE(dialog.IsAutoApplyOn());
  dialog.OnSelChange({});  // no view to apply to: nothing happens
  dialog.OnOK();
  EXPECT_TRUE(dialog.GetSelectedLayers(20).empty());
}

}  // namespace
}  // namespace corvane
