#include "app/file_dialog_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "dialogs/aperture_list_dlg.h"
#include "dialogs/drill_tool_list_dlg.h"
#include "dialogs/gerber_files_dlg.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::filesystem::path kDemoDir =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "examples" / "demo")
        .lexically_normal();

int32_t Length(std::string_view text) { return static_cast<int32_t>(text.size()); }

// The shell with the view on a fake window and the dialogs played by scripts.
class FileDialogCommandsTest : public ::testing::Test {
 protected:
  FileDialogCommandsTest() : shell(store, prompter, io), view(shell.Doc(), host) {
    shell.AttachDialogRunner(&dialogs);
    shell.AttachView(view);
  }
  std::string Demo(const char* name) const { return (kDemoDir / name).string(); }

  MemorySettingsStore store;
  RecordingPrompter prompter;
  DiskWorkFileIo io;
  AppShell shell;
  FakeViewHost host;
  CCorvaneView view;
  ScriptedDialogRunner dialogs;
};

TEST_F(FileDialogCommandsTest, TheThreeCommandsAreEnabledOnAnEmptyDocument) {
  for (const int32_t id : {kIdGerberFile, kIdApertureFile, kIdDrillToolFile}) {
    EXPECT_TRUE(shell.Update(id).enabled) << id;
  }
}

TEST_F(FileDialogCommandsTest, GerberFileBuildsAWorkingSetFromNothing) {
  prompter.chosenFiles = {Demo("demo_top.ger"), Demo("demo_bottom.ger")};
  dialogs.Then<CGerberFilesDlg>([](CGerberFilesDlg& dialog) {
    dialog.OnInitDialog(500, Length);
    dialog.OnAddFile();
    dialog.OnAddFile();
    dialog.OnSelChange(1);
    dialog.OnMirrorYClicked(true);
    dialog.OnOffsetXEdited("2500");
    dialog.OnColorSelChange(3);
    return dialog.OnOK() ? DialogResult::kOk : DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdGerberFile));
  EXPECT_EQ(dialogs.ranIds, std::vector<int32_t>{CGerberFilesDlg::kResourceId});
  const CCorvaneDoc& doc = shell.Doc();
  ASSERT_EQ(doc.GetLayerCount(), 2);
  PlotLayer top;
  PlotLayer bottom;
  doc.GetLayer(0, top);
  doc.GetLayer(1, bottom);
  EXPECT_EQ(top.fileName, Demo("demo_top.ger"));
  EXPECT_EQ(top.color, 0x0000FFu);
  EXPECT_EQ(bottom.color, 0x00FFFFu);
  EXPECT_EQ(bottom.mirrorOnYAxis, 1);
  EXPECT_EQ(bottom.offsetX, 2500);
  EXPECT_GT(doc.GetItemCount(), 0);  // reloaded
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(prompter.waitCursorCount, 1);
  EXPECT_EQ(prompter.waitCursorDepth, 0);
  EXPECT_GT(view.GetViewport().GetScale(), 0.001);  // fitted
  EXPECT_EQ(host.repaintCount, 1);
}

TEST_F(FileDialogCommandsTest, GerberFileHandsTheDocumentsLayersToTheDialog) {
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile(Demo("demo.wrk")));
  const std::vector<PlotLayer> before = shell.Doc().Layers();
  ASSERT_FALSE(before.empty());
  std::vector<std::string> seen;
  dialogs.Then<CGerberFilesDlg>([&seen](CGerberFilesDlg& dialog) {
    for (const PlotLayer& entry : dialog.Entries()) seen.push_back(entry.fileName);
    dialog.OnInitDialog(500, Length);
    dialog.OnSelChange(0);
    dialog.OnRemove();
    return DialogResult::kCancel;
  });
  const int32_t items = shell.Doc().GetItemCount();
  const int repaints = host.repaintCount;
  ASSERT_TRUE(shell.Execute(kIdGerberFile));
  ASSERT_EQ(seen.size(), before.size());
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], before[i].fileName);
  // Cancel: layers, items, modified flag and view as they were.
  EXPECT_EQ(shell.Doc().Layers().size(), before.size());
  EXPECT_EQ(shell.Doc().GetItemCount(), items);
  EXPECT_FALSE(shell.Doc().IsModified());
  EXPECT_EQ(host.repaintCount, repaints);
  EXPECT_EQ(prompter.waitCursorCount, 1);  // the open only
}

TEST_F(FileDialogCommandsTest, ListCommandsRepaintHoweverTheDialogCloses) {
  prompter.chosenFiles = {Demo("demo.rck")};
  dialogs.Then<CDrillToolListDlg>([](CDrillToolListDlg& dialog) {
    dialog.OnInitDialog(500, Length);
    dialog.OnLoad();
    return DialogResult::kCancel;
  });
  dialogs.Then<CApertureListDlg>([](CApertureListDlg&) { return DialogResult::kOk; });
  ASSERT_TRUE(shell.Execute(kIdDrillToolFile));
  EXPECT_EQ(host.repaintCount, 1);
  EXPECT_GT(shell.Doc().GetDrillToolCount(), 0);  // the load stays
  EXPECT_EQ(shell.Doc().GetDrillToolFileName(), Demo("demo.rck"));
  EXPECT_TRUE(shell.Doc().IsModified());
  ASSERT_TRUE(shell.Execute(kIdApertureFile));
  EXPECT_EQ(host.repaintCount, 2);
  EXPECT_EQ(dialogs.ranIds,
            (std::vector<int32_t>{CDrillToolListDlg::kResourceId, CApertureListDlg::kResourceId}));
  EXPECT_EQ(dialogs.mismatches, 0);
}

}  // namespace
}  // namespace corvane
