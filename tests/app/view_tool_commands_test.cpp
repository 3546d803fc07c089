#include "app/view_tool_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "dialogs/layer_visibility_dlg.h"
#include "dialogs/offset_layer_dlg.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::filesystem::path kDemoWork =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "examples" / "demo" / "demo.wrk")
        .lexically_normal();

int32_t CharacterCount(std::string_view text) { return static_cast<int32_t>(text.size()); }

void OpenWindow(CLayerVisibilityDlg& dialog) {
  const CLayerVisibilityDlg::Fit fit{1000, CharacterCount};
  dialog.OnInitDialog(fit, fit, fit, fit);
}

// The whole program without its widgets: the shell, the view on a fake
// window, and dialogs played by scripts.
class ViewToolCommandsTest : public ::testing::Test {
 protected:
  ViewToolCommandsTest() : shell(store, prompter, io), view(shell.Doc(), host) {
    shell.AttachView(view);
    shell.AttachDialogRunner(&dialogs);
  }
  void OpenDemo() {
    ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile(kDemoWork.string()));
    ASSERT_EQ(doc().GetLayerCount(), 5);
  }
  CCorvaneDoc& doc() { return shell.Doc(); }
  void Click(DevicePoint point) {
    view.OnPointerPress({PointerButton::kLeft, point});
    view.OnPointerRelease({PointerButton::kLeft, point});
  }
  std::vector<int32_t> Visible() {
    std::vector<int32_t> flags;
    for (int32_t i = 0; i < doc().GetLayerCount(); ++i) flags.push_back(doc().IsLayerVisible(i));
    return flags;
  }

  MemorySettingsStore store;
  RecordingPrompter prompter;
  DiskWorkFileIo io;
  AppShell shell;
  FakeViewHost host;
  CCorvaneView view;
  ScriptedDialogRunner dialogs;
};

TEST_F(ViewToolCommandsTest, EveryViewCommandIsEnabledAndTheTogglesShowTheirState) {
  for (const int32_t id : {kIdZoomIn, kIdZoomOut, kIdZoomExtents, kIdZoomTool, kIdAutoOrigin,
                           kIdMirrorX, kIdMirrorY, kIdRedraw, kIdMeasure, kIdOffsetLayer}) {
    EXPECT_TRUE(shell.Update(id).enabled) << id;
  }
  for (const int32_t id : {kIdZoomIn, kIdRedraw, kIdMeasure, kIdOffsetLayer}) {
    EXPECT_FALSE(shell.Update(id).checked.has_value()) << id;
  }
  EXPECT_EQ(shell.Update(kIdZoomTool).checked, true);
  ASSERT_TRUE(shell.Execute(kIdZoomTool));
  EXPECT_EQ(shell.Update(kIdZoomTool).checked, false);

  OpenDemo();  // MirrorX=1, MirrorY=0, ResetOrigin=0
  EXPECT_EQ(shell.Update(kIdMirrorX).checked, true);
  EXPECT_EQ(shell.Update(kIdMirrorY).checked, false);
  EXPECT_EQ(shell.Update(kIdAutoOrigin).checked, false);
  ASSERT_TRUE(shell.Execute(kIdMirrorX));
  ASSERT_TRUE(shell.Execute(kIdAutoOrigin));
  EXPECT_EQ(shell.Update(kIdMirrorX).checked, false);
  EXPECT_EQ(shell.Update(kIdAutoOrigin).checked, true);
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "AutoOrigin", -1), 1);
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "MirrorX", -1), 0);
  EXPECT_TRUE(doc().IsModified());
}

TEST_F(ViewToolCommandsTest, OffsetLayerListsTheLayersAndTheDrillDataThenMovesTheChosenLayer) {
  OpenDemo();
  doc().SetModified(false);
  const std::size_t writes = store.WriteCount();
  std::vector<std::string> listed;
  dialogs.Then<COffsetLayerDlg>([&](COffsetLayerDlg& dialog) {
    dialog.OnInitDialog(1000, CharacterCount);
    listed = dialog.ListLines();
    dialog.OnSelChange(2);
    dialog.OnOK();
    return DialogResult::kOk;
  });
  ASSERT_TRUE(shell.Execute(kIdOffsetLayer));
  ASSERT_EQ(listed.size(), 6u);
  EXPECT_EQ(listed[2], doc().GetLayerFileName(2));
  EXPECT_EQ(listed[5], "NC Drill file");
  EXPECT_EQ(dialogs.ranIds, std::vector<int32_t>{158});
  EXPECT_EQ(host.statusTexts.back(), "Select first offset point.");

  view.GetViewport().SetScale(1000.0);
  const int32_t items = doc().GetItemCount();
  Click({100, 100});
  Click({150, 80});
  PlotLayer layer;
  ASSERT_TRUE(doc().GetLayer(2, layer));
  EXPECT_EQ(layer.offsetX, 50);
  EXPECT_EQ(layer.offsetY, 20);
  ASSERT_TRUE(doc().GetLayer(1, layer));
  EXPECT_EQ(layer.offsetX, 0);
  EXPECT_EQ(doc().GetItemCount(), items);  // everything read again
  EXPECT_TRUE(doc().IsModified());
  EXPECT_EQ(host.statusTexts.back(), "");
  EXPECT_DOUBLE_EQ(doc().Settings().drillOffsetX, 0.0);
  EXPECT_EQ(store.WriteCount(), writes);  // offsets are not defaults
}

TEST_F(ViewToolCommandsTest, CancellingOffsetLayerLeavesAWaitingToolAsItWas) {
  OpenDemo();
  view.StartOffsetTool(1);
  dialogs.Then<COffsetLayerDlg>([](COffsetLayerDlg& dialog) {
    dialog.OnInitDialog(1000, CharacterCount);
    dialog.OnSelChange(5);
    return DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdOffsetLayer));
  EXPECT_EQ(view.Tools().OffsetTarget(), 1);
  EXPECT_EQ(view.Tools().OffsetState(), kToolWantsFirstPoint);
  // Without a window for the dialog the command cancels too.
  shell.AttachDialogRunner(nullptr);
  ASSERT_TRUE(shell.Execute(kIdOffsetLayer));
  EXPECT_EQ(view.Tools().OffsetTarget(), 1);
}

TEST_F(ViewToolCommandsTest, OkWithNothingChosenWaitsForPointsThatChangeNothing) {
  OpenDemo();
  dialogs.Then<COffsetLayerDlg>([](COffsetLayerDlg& dialog) {
    dialog.OnOK();
    return DialogResult::kOk;
  });
  ASSERT_TRUE(shell.Execute(kIdOffsetLayer));
  EXPECT_EQ(view.Tools().OffsetTarget(), -1);
  EXPECT_EQ(view.Tools().OffsetState(), kToolWantsFirstPoint);
  Click({0, 0});
  Click({300, 300});
  for (const PlotLayer& layer : doc().Layers()) EXPECT_EQ(layer.offsetX, 0);
}

TEST_F(ViewToolCommandsTest, SetVisibilityIsEnabledOnlyWithSomethingLoaded) {
  EXPECT_FALSE(shell.Update(kIdSetVisibility).enabled);
  EXPECT_FALSE(shell.Execute(kIdSetVisibility));
  EXPECT_TRUE(dialogs.ranIds.empty());
  OpenDemo();
  EXPECT_TRUE(shell.Update(kIdSetVisibility).enabled);
}

TEST_F(ViewToolCommandsTest, TheVisibilityDialogOpensWithTheDocumentsState) {
  OpenDemo();
  const std::size_t writes = store.WriteCount();
  doc().SetLayerVisible(1, 0);
  doc().SetShowDrillHoles(0);
  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    EXPECT_EQ(view.VisibilityDialog(), &dialog);
    OpenWindow(dialog);
    EXPECT_EQ(dialog.ListLines().size(), 5u);
    EXPECT_TRUE(dialog.IsLineSelected(0));
    EXPECT_FALSE(dialog.IsLineSelected(1));
    EXPECT_EQ(dialog.GetShowDrillHoles(), 0);
    EXPECT_TRUE(dialog.IsDrillHoleBoxShown());
    EXPECT_EQ(dialog.ShownApertureFile(), doc().GetApertureFileName());
    EXPECT_EQ(dialog.ShownNcDrillFile(), doc().GetNcDrillFileName());
    EXPECT_EQ(dialog.ShownDrillToolFile(), doc().GetDrillToolFileName());
    return DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  EXPECT_EQ(dialogs.Pending(), 0u);
  EXPECT_EQ(dialogs.mismatches, 0);
  EXPECT_EQ(view.VisibilityDialog(), nullptr);
  EXPECT_EQ(store.WriteCount(), writes);  // Cancel stores nothing
}

TEST_F(ViewToolCommandsTest, WithAutoApplyADeselectedLayerHidesAtOnceAndStaysHiddenOnCancel) {
  OpenDemo();
  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    OpenWindow(dialog);
    const int repaints = host.repaintCount;
    dialog.OnSelChange({0, 2, 3, 4});
    EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 0, 1, 1, 1}));
    EXPECT_EQ(host.repaintCount, repaints + 1);
    return DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 0, 1, 1, 1}));
  EXPECT_FALSE(store.Contains(kSectionSettings, kAutoApplyVisibilityKey));
}

TEST_F(ViewToolCommandsTest, WithoutAutoApplyChangesWaitForOk) {
  OpenDemo();
  store.WriteInt(kSectionSettings, kAutoApplyVisibilityKey, 0);
  const auto hideTwoAndTheHoles = [&](CLayerVisibilityDlg& dialog) {
    OpenWindow(dialog);
    dialog.OnSelChange({0, 1, 4});
    dialog.OnShowDrillHolesClicked(false);
    EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(doc().GetShowDrillHoles(), 1);
  };
  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    hideTwoAndTheHoles(dialog);
    return DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(doc().GetShowDrillHoles(), 1);

  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    hideTwoAndTheHoles(dialog);
    dialog.OnAutoApplyClicked(true);  // kept, but nothing applied by the click itself
    EXPECT_EQ(doc().GetShowDrillHoles(), 1);
    dialog.OnOK();
    return DialogResult::kOk;
  });
  const int repaints = host.repaintCount;
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 1, 0, 0, 1}));
  EXPECT_EQ(doc().GetShowDrillHoles(), 0);
  EXPECT_EQ(host.repaintCount, repaints + 1);
  EXPECT_EQ(store.ReadInt(kSectionSettings, kAutoApplyVisibilityKey, -1), 1);
}

TEST_F(ViewToolCommandsTest, SelectAllThenOkShowsEveryLayer) {
  OpenDemo();
  for (int32_t i = 0; i < 5; ++i) doc().SetLayerVisible(i, 0);
  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    OpenWindow(dialog);
    dialog.OnAutoApplyClicked(false);
    dialog.OnSelectAll();
    dialog.OnOK();
    return DialogResult::kOk;
  });
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  EXPECT_EQ(Visible(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
}

TEST_F(ViewToolCommandsTest, TwentyFiveOfThirtySelectedShowOnlyTheFirstTwenty) {
  OpenDemo();
  for (int i = 0; i < 25; ++i) doc().AddLayer(PlotLayer{"extra.gbr"});
  ASSERT_EQ(doc().GetLayerCount(), 30);
  dialogs.Then<CLayerVisibilityDlg>([&](CLayerVisibilityDlg& dialog) {
    OpenWindow(dialog);
    std::vector<int32_t> lines(25);
    std::iota(lines.begin(), lines.end(), 0);
    dialog.OnSelChange(lines);  // applied at once, and again on OK
    dialog.OnOK();
    return DialogResult::kOk;
  });
  ASSERT_TRUE(shell.Execute(kIdSetVisibility));
  const std::vector<int32_t> visible = Visible();
  EXPECT_EQ(std::accumulate(visible.begin(), visible.end(), 0), 20);
  EXPECT_EQ(visible[19], 1);
  EXPECT_EQ(visible[20], 0);
}

}  // namespace
}  // namespace corvane
