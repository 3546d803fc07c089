#include "app/app_startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_line_info.h"
#include "app/document_lifecycle.h"
#include "app/recent_file_list.h"
#include "fake_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

// A store that logs what is written to LastOpenResult, in order.
class LoggingStore : public MemorySettingsStore {
 public:
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    if (key == kLastOpenResultKey) log += std::string(value) + ";";
    MemorySettingsStore::WriteText(section, key, value);
  }
  std::string log;
};

// One start: what is stored, what exists, what the command line says; and
// what must come of it.
struct StartupRow {
  const char* name;
  const char* file1;       // nullptr: nothing stored
  const char* lastResult;  // nullptr: nothing stored
  bool file1Exists;
  bool file1Opens;
  const char* argument;  // nullptr: no command line
  bool run;
  const char* openedPath;  // nullptr: a new untitled document
  const char* writes;      // LastOpenResult writes in order
};

TEST(AppStartupTest, LastOpenResultRules) {
  const StartupRow rows[] = {
      {"first start", nullptr, nullptr, false, false, nullptr, true, nullptr, "Succeeded;"},
      {"reopen", "/w/a.wrk", "Succeeded", true, true, nullptr, true, "/w/a.wrk",
       "Failed;Succeeded;"},
      {"nothing stored reopens", "/w/a.wrk", nullptr, true, true, nullptr, true, "/w/a.wrk",
       "Failed;Succeeded;"},
      {"previous open crashed", "/w/a.wrk", "Failed", true, true, nullptr, true, nullptr,
       "Succeeded;"},
      {"exactly Succeeded", "/w/a.wrk", "succeeded", true, true, nullptr, true, nullptr,
       "Succeeded;"},
      {"deleted file", "/w/a.wrk", "Succeeded", false, false, nullptr, true, nullptr, "Succeeded;"},
      {"open reports failure", "/w/a.wrk", "Succeeded", true, false, nullptr, true, nullptr,
       "Failed;Succeeded;"},
      {"command line wins", "/w/a.wrk", "Failed", true, true, "/w/b.wrk", true, "/w/b.wrk", ""},
      {"command line failure ends", nullptr, nullptr, false, false, "/w/none.wrk", false, nullptr,
       ""},
  };
  for (const StartupRow& row : rows) {
    SCOPED_TRACE(row.name);
    LoggingStore store;
    if (row.file1) store.MemorySettingsStore::WriteText(kSectionRecentFiles, "File1", row.file1);
    if (row.lastResult) {
      store.MemorySettingsStore::WriteText(kSectionSettings, kLastOpenResultKey, row.lastResult);
    }
    RecordingPrompter prompter;
    FakeWorkFileIo io;
    io.files["/w/b.wrk"] = 2;
    if (row.file1Opens) io.files[row.file1] = 4;
    CCorvaneDoc doc;
    DocumentLoader loader(doc, &store, &prompter);
    loader.LoadStoredDefaults();
    RecentFileList recent(&store);
    DocumentLifecycle life(loader, prompter, io, recent);
    const std::vector<std::string> args =
        row.argument ? std::vector<std::string>{row.argument} : std::vector<std::string>{};
    const auto exists = [&](std::string_view path) {
      return row.file1Exists && row.file1 != nullptr && path == row.file1;
    };
    const StartupResult result = RunStartup(ParseCommandLine(args), store, life, exists);
    EXPECT_EQ(result.run, row.run);
    EXPECT_EQ(result.exitCode, row.run ? 0 : 1);
    EXPECT_EQ(doc.GetPathName(), row.openedPath ? row.openedPath : "");
    EXPECT_EQ(store.log, row.writes);
    EXPECT_FALSE(doc.IsModified());
  }
}

TEST(AppStartupTest, FailedIsStoredWhileTheLastFileIsRead) {
  MemorySettingsStore store;
  store.WriteText(kSectionRecentFiles, "File1", "/w/a.wrk");
  RecordingPrompter prompter;
  struct Io : FakeWorkFileIo {
    explicit Io(MemorySettingsStore& s) : store(s) {}
    WorkFileResult Read(DocumentLoader& loader, const std::string& path) override {
      during = store.ReadText(kSectionSettings, kLastOpenResultKey, "(none)");
      return FakeWorkFileIo::Read(loader, path);
    }
    MemorySettingsStore& store;
    std::string during;
  } io(store);
  io.files["/w/a.wrk"] = 1;
  CCorvaneDoc doc;
  DocumentLoader loader(doc, &store, &prompter);
  loader.LoadStoredDefaults();
  RecentFileList recent(&store);
  DocumentLifecycle life(loader, prompter, io, recent);
  const StartupResult result =
      RunStartup(CommandLineInfo{}, store, life, [](std::string_view) { return true; });
  EXPECT_TRUE(result.run);
  EXPECT_EQ(io.during, "Failed");
  EXPECT_EQ(store.ReadText(kSectionSettings, kLastOpenResultKey, ""), "Succeeded");
}

TEST(AppStartupTest, BadArgumentsEndWithStatus2AndPrintRequestsWithoutTheWindow) {
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  CCorvaneDoc doc;
  DocumentLoader loader(doc, &store, &prompter);
  loader.LoadStoredDefaults();
  RecentFileList recent(&store);
  DocumentLifecycle life(loader, prompter, io, recent);
  struct Row {
    std::vector<std::string> args;
    int exitCode;
  };
  const Row rows[] = {
      {{"--bogus"}, 2},
      {{"a.wrk", "b.wrk"}, 2},
      // Printed before start-up; start-up itself only ends.
      {{"-p", "a.wrk"}, 0},
      {{"--print-to", "lp0", "a.wrk"}, 0},
  };
  for (const Row& row : rows) {
    const StartupResult result = RunStartup(ParseCommandLine(row.args), store, life);
    EXPECT_FALSE(result.run);
    EXPECT_EQ(result.exitCode, row.exitCode);
    if (row.exitCode == 2) {
      EXPECT_EQ(result.message.rfind("corvane: ", 0), 0u) << result.message;
    }
  }
  EXPECT_TRUE(io.reads.empty());
  EXPECT_FALSE(store.Contains(kSectionSettings, kLastOpenResultKey));
}

TEST(CommandLineInfoTest, PrintRequests) {
  struct Row {
    std::vector<std::string> args;
    std::optional<PrintRequest> request;
  };
  const Row rows[] = {
      {{"-p", "board.wrk"}, PrintRequest{"board.wrk", std::nullopt}},
      {{"board.wrk", "--print"}, PrintRequest{"board.wrk", std::nullopt}},
      {{"-pt", "lp0", "board.wrk"}, PrintRequest{"board.wrk", "lp0"}},
      {{"board.wrk", "--print-to=PDF"}, PrintRequest{"board.wrk", "PDF"}},
      {{"board.wrk"}, std::nullopt},
      {{"-p"}, std::nullopt},
      {{"-pt", "lp0"}, std::nullopt},
      {{"--help"}, std::nullopt},
  };
  int printing = 0;
  for (const Row& row : rows) {
    const auto request = PrintRequestOf(ParseCommandLine(row.args));
    ASSERT_EQ(request.has_value(), row.request.has_value()) << ::testing::PrintToString(row.args);
    if (!request) continue;
    EXPECT_EQ(request->fileName, row.request->fileName);
    EXPECT_EQ(request->printer, row.request->printer);
    ++printing;
  }
  EXPECT_EQ(printing, 4);
}

struct CommandLineRow {
  std::vector<std::string> args;
  CommandLineInfo::Action action;
  const char* fileName;
};

TEST(CommandLineInfoTest, Parse) {
  using A = CommandLineInfo::Action;
  const CommandLineRow rows[] = {
      {{}, A::kFileNew, ""},
      {{"board.wrk"}, A::kFileOpen, "board.wrk"},
      {{"/abs/board.wrk"}, A::kFileOpen, "/abs/board.wrk"},
      {{"-p", "board.wrk"}, A::kFilePrint, "board.wrk"},
      {{"board.wrk", "--print"}, A::kFilePrint, "board.wrk"},
      {{"-pt", "lp0", "board.wrk"}, A::kFilePrintTo, "board.wrk"},
      {{"--print-to=lp0", "board.wrk"}, A::kFilePrintTo, "board.wrk"},
      {{"--help"}, A::kShowHelp, ""},
      {{"-h"}, A::kShowHelp, ""},
      {{"--version"}, A::kShowVersion, ""},
      {{"--version", "board.wrk"}, A::kUsageError, ""},
      {{"board.wrk", "--help"}, A::kUsageError, ""},
      {{"--print=1", "board.wrk"}, A::kUsageError, ""},
      {{"--", "-odd.wrk"}, A::kFileOpen, "-odd.wrk"},
      {{"-p"}, A::kUsageError, ""},
      {{"-pt"}, A::kUsageError, ""},
      {{"-x"}, A::kUsageError, ""},
      {{"a.wrk", "b.wrk"}, A::kUsageError, ""},
      // Sets of files open together; a work file only alone, one PATH prints.
      {{"fab"}, A::kFileOpen, "fab"},
      {{"top.gbr", "bottom.gbr", "board.drl"}, A::kFileOpen, "top.gbr"},
      {{"top.gbr", "board.wrk"}, A::kUsageError, ""},
      {{"-p", "top.gbr", "bottom.gbr"}, A::kUsageError, ""},
  };
  for (const CommandLineRow& row : rows) {
    const CommandLineInfo info = ParseCommandLine(row.args);
    EXPECT_EQ(info.action, row.action) << ::testing::PrintToString(row.args);
    if (row.action == A::kUsageError) {
      EXPECT_FALSE(info.error.empty());
    } else {
      EXPECT_EQ(info.fileName, row.fileName);
    }
  }
  EXPECT_EQ(ParseCommandLine(std::vector<std::string>{"a.gbr", "b.gbr"}).fileNames,
            (std::vector<std::string>{"a.gbr", "b.gbr"}));
}

TEST(FileExistsTest, OnlyReadableFilesCount) {
  const auto dir = std::filesystem::temp_directory_path() / "corvane_file_exists_test";
  std::filesystem::create_directories(dir);
  const auto file = dir / "a.wrk";
  std::ofstream(file) << "MirrorX=1\r\n";
  EXPECT_TRUE(FileExists(file.string()));
  EXPECT_FALSE(FileExists(dir.string()));
  EXPECT_FALSE(FileExists((dir / "missing.wrk").string()));
  EXPECT_FALSE(FileExists(""));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace corvane
