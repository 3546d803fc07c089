#include "app/view_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::filesystem::path kDemoDir =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "examples" / "demo")
        .lexically_normal();

// The shell over the real work-file reader, with the view on a fake window.
class ViewCommandsTest : public ::testing::Test {
 protected:
  ViewCommandsTest() : shell(store, prompter, io), view(shell.Doc(), host) {
    shell.AttachView(view);
  }
  MemorySettingsStore store;
  RecordingPrompter prompter;
  DiskWorkFileIo io;
  AppShell shell;
  FakeViewHost host;
  CCorvaneView view;
};

TEST_F(ViewCommandsTest, ReloadAllIsEnabledOnlyWithSomethingLoaded) {
  EXPECT_FALSE(shell.Update(kIdReloadAll).enabled);
  EXPECT_FALSE(shell.Execute(kIdReloadAll));
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile((kDemoDir / "demo.wrk").string()));
  EXPECT_TRUE(shell.Update(kIdReloadAll).enabled);
}

TEST_F(ViewCommandsTest, ReloadAllKeepsTheModifiedFlagAndRepaints) {
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile((kDemoDir / "demo.wrk").string()));
  const int32_t items = shell.Doc().GetItemCount();
  ASSERT_GT(items, 0);
  for (const bool modified : {false, true}) {
    shell.Doc().SetModified(modified);
    const int repaints = host.repaintCount;
    ASSERT_TRUE(shell.Execute(kIdReloadAll));
    EXPECT_EQ(shell.Doc().IsModified(), modified);
    EXPECT_EQ(shell.Doc().GetItemCount(), items);
    EXPECT_EQ(host.repaintCount, repaints + 1);
  }
  EXPECT_EQ(prompter.waitCursorDepth, 0);
  EXPECT_GE(prompter.waitCursorCount, 3);  // the open and both reloads
}

TEST_F(ViewCommandsTest, OpeningAWorkFileGivesTheViewItsInitialUpdate) {
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile((kDemoDir / "demo.wrk").string()));
  EXPECT_GT(view.GetViewport().GetScale(), 0.001);  // fitted to the 800 x 600 window
  EXPECT_EQ(view.GetViewport().GetMirrorX(), shell.Doc().GetMirrorX());
  EXPECT_GE(host.invalidateCount, 1);
}

TEST_F(ViewCommandsTest, NcDrillFileAsksWithItsFilterLoadsAndFits) {
  shell.Doc().Settings().drillFileExt = "drl";
  prompter.chosenFiles.push_back((kDemoDir / "demo.drl").string());
  ASSERT_TRUE(shell.Execute(kIdNcDrillFile));
  ASSERT_EQ(prompter.fileRequests.size(), 1u);
  const FileChooserRequest& request = prompter.fileRequests[0];
  EXPECT_TRUE(request.filter.starts_with("NC Drill Files (*.drl)|*.drl|All Drill Files|*.drl;"));
  EXPECT_TRUE(request.filter.ends_with("|All Files (*.*)|*.*||"));
  EXPECT_EQ(request.defaultExt, "drl");
  EXPECT_TRUE(request.pathMustExist);
  EXPECT_GT(shell.Doc().GetDrillHitCount(), 0);
  EXPECT_EQ(shell.Doc().GetNcDrillFileName(), (kDemoDir / "demo.drl").string());
  EXPECT_TRUE(shell.Doc().IsModified());
  EXPECT_EQ(host.repaintCount, 1);
  EXPECT_EQ(prompter.waitCursorCount, 1);
  EXPECT_GT(view.GetViewport().GetScale(), 0.001);
}

TEST_F(ViewCommandsTest, NcDrillFileCancelledChangesNothing) {
  ASSERT_TRUE(shell.Execute(kIdNcDrillFile));
  EXPECT_EQ(shell.Doc().GetDrillHitCount(), 0);
  EXPECT_FALSE(shell.Doc().IsModified());
  EXPECT_EQ(host.repaintCount, 0);
}

TEST_F(ViewCommandsTest, SaveWritesAWorkFileThatOpensToTheSameSet) {
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile((kDemoDir / "demo.wrk").string()));
  const auto dir = std::filesystem::temp_directory_path() / "corvane_view_commands_test";
  std::filesystem::create_directories(dir);
  const std::string target = (dir / "copy").string();
  prompter.chosenFiles.push_back(target);
  ASSERT_TRUE(shell.Execute(kIdFileSaveAs));
  EXPECT_EQ(shell.Doc().GetPathName(), target + ".wrk");
  const int32_t layers = shell.Doc().GetLayerCount();
  const int32_t items = shell.Doc().GetItemCount();
  shell.Execute(kIdFileNew);
  EXPECT_EQ(shell.Doc().GetLayerCount(), 0);
  ASSERT_TRUE(shell.Execute(kIdFileMruFirst));
  EXPECT_EQ(shell.Doc().GetLayerCount(), layers);
  EXPECT_EQ(shell.Doc().GetItemCount(), items);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace corvane
