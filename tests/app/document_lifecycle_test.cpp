#include "app/document_lifecycle.h"

#include <gtest/gtest.h>

#include "app/recent_file_list.h"
#include "fake_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

struct Observer : DocumentObserver {
  void OnDocumentReplaced() override { ++replaced; }
  void OnTitleChanged(const std::string& caption) override { captions.push_back(caption); }
  int replaced = 0;
  std::vector<std::string> captions;
};

class LifecycleTest : public ::testing::Test {
 protected:
  LifecycleTest()
      : loader(doc, &store, &prompter), recent(&store), life(loader, prompter, io, recent) {
    loader.LoadStoredDefaults();
    life.SetObserver(&observer);
    io.files["/w/a.wrk"] = 5;
    io.files["/w/b.wrk"] = 7;
  }

  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  CCorvaneDoc doc;
  DocumentLoader loader;
  RecentFileList recent;
  DocumentLifecycle life;
  Observer observer;
};

TEST_F(LifecycleTest, TitlesAndCaption) {
  EXPECT_EQ(life.GetCaption(), "Untitled - Corvane");
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  EXPECT_EQ(life.GetTitle(), "a.wrk");
  EXPECT_EQ(observer.captions.back(), "a.wrk - Corvane");
  EXPECT_EQ(observer.replaced, 1);
}

TEST_F(LifecycleTest, OpenSetsThePathBeforeReadingAndEntersRecentFiles) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  EXPECT_EQ(io.pathDuringRead, "/w/a.wrk");
  EXPECT_EQ(doc.GetMirrorX(), 5);
  EXPECT_EQ(store.ReadText(kSectionRecentFiles, "File1", ""), "/w/a.wrk");
  EXPECT_EQ(prompter.waitCursorCount, 1);
  EXPECT_EQ(prompter.waitCursorDepth, 0);
}

TEST_F(LifecycleTest, NewClearsThenReadsTheStoredDefaults) {
  store.WriteInt(kSectionDefaults, "MirrorX", 0);
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  doc.SetModified(false);
  ASSERT_TRUE(life.OnFileNew());
  EXPECT_EQ(doc.GetMirrorX(), 0);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(life.GetCaption(), "Untitled - Corvane");
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LifecycleTest, OpenFailureKeepsTheDocumentAndSaysSo) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  doc.SetModified(true);
  prompter.reply = Prompter::Answer::kNo;
  EXPECT_FALSE(life.OpenDocumentFile("/w/missing.wrk"));
  EXPECT_EQ(prompter.messages.back(), "Failed to open document.");
  EXPECT_EQ(doc.GetPathName(), "/w/a.wrk");
  EXPECT_EQ(doc.GetMirrorX(), 5);
  EXPECT_TRUE(doc.IsModified());

  io.readMessage = "Cannot open /w/missing.wrk: No such file or directory";
  life.OpenDocumentFile("/w/missing.wrk");
  EXPECT_EQ(prompter.messages.back(), io.readMessage);
  EXPECT_EQ(recent.Count(), 1);
}

TEST_F(LifecycleTest, ReadFailingAfterClearingLeavesANewDocument) {
  io.failAfterClear = true;
  EXPECT_FALSE(life.OpenDocumentFile("/w/a.wrk"));
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(life.GetCaption(), "Untitled - Corvane");
}

TEST_F(LifecycleTest, SaveOfAnUntitledDocumentAsksForAName) {
  prompter.chosenFiles.push_back("/w/new");
  ASSERT_TRUE(life.OnFileSave());
  ASSERT_EQ(prompter.fileRequests.size(), 1u);
  const FileChooserRequest& request = prompter.fileRequests[0];
  EXPECT_EQ(request.mode, FileChooserRequest::Mode::kSave);
  EXPECT_EQ(request.title, "Save As");
  EXPECT_EQ(request.filter, "Corvane Work Files (*.wrk)|*.wrk|All Files (*.*)|*.*||");
  EXPECT_EQ(request.defaultExt, "wrk");
  EXPECT_EQ(request.initialName, "Untitled.wrk");
  EXPECT_EQ(io.writes, (std::vector<std::string>{"/w/new.wrk"}));
  EXPECT_EQ(life.GetCaption(), "new.wrk - Corvane");
  EXPECT_EQ(recent.Get(0), "/w/new.wrk");
}

TEST_F(LifecycleTest, SaveWritesUnderTheSameNameAndMovesItToTheTop) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  ASSERT_TRUE(life.OpenDocumentFile("/w/b.wrk"));
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  doc.SetMirrorX(9);
  doc.SetModified(true);
  recent.Add("/w/b.wrk");
  ASSERT_TRUE(life.OnFileSave());
  EXPECT_TRUE(prompter.fileRequests.empty());
  EXPECT_EQ(io.files["/w/a.wrk"], 9);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(recent.Get(0), "/w/a.wrk");
}

TEST_F(LifecycleTest, SaveAsCancelledOrFailedChangesNothing) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  doc.SetModified(true);
  EXPECT_FALSE(life.OnFileSaveAs());  // chooser cancelled
  EXPECT_TRUE(io.writes.empty());

  io.unwritable.insert("/ro/x.wrk");
  prompter.chosenFiles.push_back("/ro/x.wrk");
  EXPECT_FALSE(life.OnFileSaveAs());
  EXPECT_EQ(prompter.messages.back(), "Failed to save document.");
  EXPECT_EQ(doc.GetPathName(), "/w/a.wrk");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(recent.Get(0), "/w/a.wrk");
}

// What each answer to "Save changes to a.wrk?" does to a command that replaces
// or closes the modified document.
struct SaveChangesRow {
  const char* command;
  Prompter::Answer answer;
  bool saved;
  bool commandRuns;
};

TEST_F(LifecycleTest, SaveChangesBeforeReplacingOrClosing) {
  using A = Prompter::Answer;
  const SaveChangesRow rows[] = {
      {"new", A::kYes, true, true},       {"new", A::kNo, false, true},
      {"new", A::kCancel, false, false},  {"open", A::kYes, true, true},
      {"open", A::kNo, false, true},      {"open", A::kCancel, false, false},
      {"recent", A::kYes, true, true},    {"recent", A::kCancel, false, false},
      {"exit", A::kYes, true, true},      {"exit", A::kNo, false, true},
      {"exit", A::kCancel, false, false},
  };
  for (const SaveChangesRow& row : rows) {
    SCOPED_TRACE(std::string(row.command) + " " + std::to_string(static_cast<int>(row.answer)));
    doc.SetModified(false);
    ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
    recent.Add("/w/b.wrk");
    doc.SetMirrorX(3);
    doc.SetModified(true);
    prompter.messages.clear();
    prompter.reply = row.answer;
    io.writes.clear();
    bool ran = false;
    const std::string command = row.command;
    if (command == "new") ran = life.OnFileNew();
    if (command == "open") {
      prompter.chosenFiles.push_back("/w/b.wrk");
      ran = life.OnFileOpen();
    }
    if (command == "recent") ran = life.OpenRecentFile(0);
    if (command == "exit") ran = life.CanClose();
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.front(), "Save changes to a.wrk?");
    EXPECT_EQ(io.writes.size(), row.saved ? 1u : 0u);
    EXPECT_EQ(ran, row.commandRuns);
    if (!row.commandRuns) {
      EXPECT_TRUE(doc.IsModified());
      EXPECT_EQ(doc.GetPathName(), "/w/a.wrk");
      EXPECT_EQ(recent.Get(0), "/w/b.wrk");  // a cancelled recent file stays listed
    }
  }
}

TEST_F(LifecycleTest, AnUnmodifiedDocumentIsReplacedWithoutAsking) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  ASSERT_TRUE(life.OpenDocumentFile("/w/b.wrk"));
  ASSERT_TRUE(life.CanClose());
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LifecycleTest, AFailedSaveOnYesAbandonsTheCommand) {
  ASSERT_TRUE(life.OpenDocumentFile("/w/a.wrk"));
  doc.SetModified(true);
  io.unwritable.insert("/w/a.wrk");
  prompter.reply = Prompter::Answer::kYes;
  EXPECT_FALSE(life.OnFileNew());
  EXPECT_EQ(prompter.messages.back(), "Failed to save document.");
  EXPECT_EQ(doc.GetPathName(), "/w/a.wrk");
}

TEST_F(LifecycleTest, ARecentFileThatFailsToOpenLeavesTheList) {
  recent.Add("/w/gone.wrk");
  recent.Add("/w/b.wrk");
  EXPECT_FALSE(life.OpenRecentFile(1));
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"/w/b.wrk"}));
  EXPECT_TRUE(life.OpenRecentFile(0));
  EXPECT_FALSE(life.OpenRecentFile(3));
}

TEST(FullPathTest, RelativeNamesBecomeAbsolute) {
  EXPECT_EQ(FullPath("/w/./x/../a.wrk"), "/w/a.wrk");
  EXPECT_EQ(FullPath("").size(), 0u);
  EXPECT_EQ(FullPath("a.wrk").front(), '/');
}

}  // namespace
}  // namespace corvane
