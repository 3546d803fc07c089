#include "app/app_shell.h"

#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/command_line_info.h"
#include "app/command_table.h"
#include "fake_work_file_io.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

class FakeFrame : public FrameHost {
 public:
  bool IsToolBarVisible() const override { return toolBar; }
  void ShowToolBar(bool visible) override { toolBar = visible; }
  bool IsStatusBarVisible() const override { return statusBar; }
  void ShowStatusBar(bool visible) override { statusBar = visible; }
  void Close() override { ++closeCount; }
  void ShowAbout() override { ++aboutCount; }
  void ShowHelpPage(const std::string& page) override { pages.push_back(page); }
  void SetStatusText(std::string_view text) override { status = text; }
  void SetCaption(const std::string& text) override { caption = text; }

  bool toolBar = true;
  bool statusBar = true;
  int closeCount = 0;
  int aboutCount = 0;
  std::vector<std::string> pages;
  std::string status;
  std::string caption;
};

class AppShellTest : public ::testing::Test {
 protected:
  AppShellTest() : shell(store, prompter, io) {
    shell.AttachFrame(&frame);
    io.files["/w/a.wrk"] = 1;
    io.files["/w/b.wrk"] = 2;
  }
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  AppShell shell;
  FakeFrame frame;
};

TEST_F(AppShellTest, CommandsWithoutAHandlerYetAreDisabled) {
  for (const int32_t id : {kIdFilePrint, kIdFilePrintPreview, kIdFilePrintSetup, kIdZoomIn,
                           kIdZoomOut, kIdZoomExtents, kIdZoomTool, kIdMirrorX, kIdMeasure,
                           kIdGerberFormat, kIdGerberFile, kIdHelp, kIdContextHelp}) {
    EXPECT_FALSE(shell.Update(id).enabled) << id;
    EXPECT_FALSE(shell.Execute(id)) << id;
  }
  for (const int32_t id : {kIdFileNew, kIdFileOpen, kIdFileSave, kIdFileSaveAs, kIdAppExit,
                           kIdAppAbout, kIdHelpTopics, kIdViewToolbar, kIdViewStatusBar}) {
    EXPECT_TRUE(shell.Update(id).enabled) << id;
  }
}

TEST_F(AppShellTest, BarTogglesCheckTheirVisibility) {
  EXPECT_EQ(shell.Update(kIdViewToolbar).checked, true);
  EXPECT_TRUE(shell.Execute(kIdViewToolbar));
  EXPECT_FALSE(frame.toolBar);
  EXPECT_EQ(shell.Update(kIdViewToolbar).checked, false);
  EXPECT_TRUE(shell.Execute(kIdViewStatusBar));
  EXPECT_EQ(shell.Update(kIdViewStatusBar).checked, false);
  EXPECT_FALSE(shell.Update(kIdFileNew).checked.has_value());
}

TEST_F(AppShellTest, RecentFileEntriesAreEnabledWhileListed) {
  shell.InitInstance(CommandLineInfo{});
  EXPECT_FALSE(shell.Update(kIdFileMruFirst).enabled);
  shell.Lifecycle().OpenDocumentFile("/w/a.wrk");
  shell.Lifecycle().OpenDocumentFile("/w/b.wrk");
  EXPECT_TRUE(shell.Update(kIdFileMruFirst + 1).enabled);
  EXPECT_FALSE(shell.Update(kIdFileMruFirst + 2).enabled);
  EXPECT_TRUE(shell.Execute(kIdFileMruFirst + 1));
  EXPECT_EQ(shell.Doc().GetPathName(), "/w/a.wrk");
}

TEST_F(AppShellTest, HelpTopicsAndDialogHelpOpenTheirPages) {
  shell.SetHelpMap(HelpTopicMap::Parse("contents index.html\n131222 gerber_files.html\n"));
  EXPECT_TRUE(shell.Execute(kIdHelpTopics));
  shell.ShowHelpTopic(150);
  EXPECT_EQ(frame.pages, (std::vector<std::string>{"index.html", "gerber_files.html"}));
}

TEST_F(AppShellTest, ExitClosesTheFrameAndAboutShowsTheBox) {
  EXPECT_TRUE(shell.Execute(kIdAppExit));
  EXPECT_TRUE(shell.Execute(kIdAppAbout));
  EXPECT_EQ(frame.closeCount, 1);
  EXPECT_EQ(frame.aboutCount, 1);
}

TEST_F(AppShellTest, WithoutAFrameItsCommandsAreDisabled) {
  shell.AttachFrame(nullptr);
  for (const int32_t id : {kIdAppExit, kIdAppAbout, kIdHelpTopics, kIdViewToolbar}) {
    EXPECT_FALSE(shell.Execute(id)) << id;
  }
}

TEST_F(AppShellTest, DroppedFilesOpenInTurn) {
  shell.OpenDroppedFiles({"/w/a.wrk", "/w/b.wrk"});
  EXPECT_EQ(io.reads, (std::vector<std::string>{"/w/a.wrk", "/w/b.wrk"}));
  EXPECT_EQ(shell.Doc().GetPathName(), "/w/b.wrk");
  EXPECT_EQ(shell.RecentFiles().Get(1), "/w/a.wrk");
}

TEST_F(AppShellTest, TheCaptionFollowsTheDocument) {
  shell.InitInstance(ParseCommandLine(std::vector<std::string>{"/w/a.wrk"}));
  EXPECT_EQ(frame.caption, "a.wrk - Corvane");
  shell.Execute(kIdFileNew);
  EXPECT_EQ(frame.caption, "Untitled - Corvane");
}

TEST_F(AppShellTest, SaveAndSaveAsRunThroughTheDocument) {
  prompter.chosenFiles.push_back("/w/c.wrk");
  EXPECT_TRUE(shell.Execute(kIdFileSave));
  EXPECT_EQ(io.writes, (std::vector<std::string>{"/w/c.wrk"}));
  prompter.chosenFiles.push_back("/w/d.wrk");
  EXPECT_TRUE(shell.Execute(kIdFileSaveAs));
  EXPECT_EQ(shell.Doc().GetPathName(), "/w/d.wrk");
}

}  // namespace
}  // namespace corvane
