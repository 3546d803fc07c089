#include "cli/save_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "document/work_file.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "temp_folder.h"

namespace corvane {
namespace {

constexpr const char* kPlot = "%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D02*X10000Y0D01*";

TEST(SaveArgumentsTest, FindsTheOutputUpToTheEndOfOptions) {
  struct Case {
    std::vector<std::string> args;
    bool found;
    std::string output;
    std::vector<std::string> rest;
  };
  const Case cases[] = {
      {{"-o", "a.wrk", "x.gbr"}, true, "a.wrk", {"x.gbr"}},
      {{"x.gbr", "-o=a.wrk"}, true, "a.wrk", {"x.gbr"}},
      {{"x.gbr"}, false, "", {"x.gbr"}},
      {{"x.gbr", "-o"}, false, "", {}},
      {{"-o", "a.wrk", "-o", "b.wrk"}, false, "", {}},
      {{"-o="}, false, "", {}},
      {{"--", "-o", "a.wrk"}, false, "", {}},
  };
  for (const Case& c : cases) {
    std::string output;
    WorkingSetArguments set;
    ASSERT_EQ(ParseSaveArguments(c.args, output, set), c.found) << c.args.size();
    if (!c.found) continue;
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(set.files, c.rest);
  }
}

class RunSaveTest : public ::testing::Test {
 protected:
  int Save(std::vector<std::string> args) { return RunSave(args, Environment()); }
  int Dump(std::vector<std::string> args) { return RunDump(args, Environment()); }

  DumpEnvironment Environment() {
    DumpEnvironment environment;
    environment.openUserSettings = []() -> std::unique_ptr<SettingsStore> {
      auto store = std::make_unique<MemorySettingsStore>();
      store->WriteText(kSectionDefaults, "DrillMultiplier", "2");
      store->WriteInt(kSectionDefaults, "MirrorX", 0);
      return store;
    };
    environment.prompter = &prompter_;
    environment.writeOutput = [this](std::string_view line) { out_ += std::string(line) + "\n"; };
    environment.writeError = [this](std::string_view line) { err_ += std::string(line) + "\n"; };
    return environment;
  }

  TempFolder folder_;
  RecordingPrompter prompter_;
  std::string out_;
  std::string err_;
};

TEST_F(RunSaveTest, WritesTheSetWithNamesBesideTheWorkFileBare) {
  const std::string top = folder_.Write("top.gbr", kPlot);
  const std::string drill = folder_.Write("board.drl", "X10000\n");
  const std::string other = folder_.Write("elsewhere/bottom.gbr", kPlot);
  const std::string out = folder_.File("board.wrk");
  // The work file is written; a file the command line names that cannot be
  // opened is warned about and makes the exit status 1.
  ASSERT_EQ(Save({"-o", out, "--drill-file", drill, top, other, folder_.File("missing.gbr")}),
            kExitFailure)
      << err_;
  EXPECT_EQ(err_, "warning: cannot open " + folder_.File("missing.gbr") + "\n");
  const std::string text = TempFolder::Read(out);
  EXPECT_NE(text.find("\r\nMirrorX=0\r\n"), std::string::npos) << "the stored defaults count";
  EXPECT_NE(text.find("\r\nDrillMultiplier=2.0000\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nLayerInfo=255,0,0,0,0,0,0,top.gbr\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nLayerInfo=0,0,255,0,0,0,0," + other + "\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nDrillFile=board.drl\r\n"), std::string::npos);
}

TEST_F(RunSaveTest, RelativeNamesAreStoredSoThatTheyOpenFromAnywhere) {
  folder_.Write("job/top.gbr", kPlot);
  folder_.Write("plots/bottom.gbr", kPlot);
  const std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(folder_.File("job"));
  const int status = Save({"--defaults", "-o", "board.wrk", "top.gbr", "../plots/bottom.gbr"});
  std::filesystem::current_path(saved);
  ASSERT_EQ(status, kExitSuccess) << err_;
  const std::string text = TempFolder::Read(folder_.File("job/board.wrk"));
  EXPECT_NE(text.find(",top.gbr\r\n"), std::string::npos);
  EXPECT_NE(text.find("," + folder_.File("plots/bottom.gbr") + "\r\n"), std::string::npos);
}

TEST_F(RunSaveTest, AnOutputThatCannotBeWrittenLeavesTheOldFile) {
  const std::string top = folder_.Write("top.gbr", kPlot);
  ASSERT_EQ(Save({"-o", folder_.File("no/such/board.wrk"), top}), kExitFailure);
  EXPECT_NE(err_.find("corvane save: "), std::string::npos);
  EXPECT_NE(err_.find("no/such/board.wrk"), std::string::npos);

  std::filesystem::create_directory(folder_.File("taken.wrk"));
  EXPECT_EQ(Save({"-o", folder_.File("taken.wrk"), top}), kExitFailure);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.File("taken.wrk")));
}

TEST_F(RunSaveTest, BadArgumentsGiveTheUsageLine) {
  EXPECT_EQ(Save({"top.gbr"}), kExitUsage);
  EXPECT_EQ(Save({"-o", "a.wrk"}), kExitUsage);
  EXPECT_EQ(Save({"-o", "a.wrk", "--items", "top.gbr"}), kExitUsage);
  EXPECT_EQ(err_, std::string(kSaveUsage) + "\n" + std::string(kSaveUsage) + "\n" +
                      std::string(kSaveUsage) + "\n");
}

TEST_F(RunSaveTest, SavedWorkFileDumpsLikeTheSetItCameFrom) {
  const std::string top = folder_.Write("top.gbr", kPlot);
  const std::string tools = folder_.Write("board.rck", "T01 Plated x 35 1\r\n");
  const std::string drill = folder_.Write("board.drl", "T1\nX10000Y5000\n");
  const std::string apertures = folder_.Write("board.apr", "D11 CIRCLE 20\r\n");
  const std::vector<std::string> set = {
      "--defaults", "--aperture-file", apertures, "--drill-tool-file",
      tools,        "--drill-file",    drill,     top};
  ASSERT_EQ(Dump(set), kExitSuccess);
  const std::string direct = out_;
  std::vector<std::string> save = set;
  save.insert(save.begin(), {"-o", folder_.File("board.wrk")});
  ASSERT_EQ(Save(save), kExitSuccess) << err_;
  out_.clear();
  ASSERT_EQ(Dump({"--defaults", folder_.File("board.wrk")}), kExitSuccess) << err_;
  EXPECT_EQ(out_, direct);
  EXPECT_NE(direct.find("hit 1 1 0.5"), std::string::npos) << direct;
  EXPECT_NE(direct.find("tool 1 1 0.035"), std::string::npos) << direct;
}

TEST_F(RunSaveTest, WorkFileIsOpenedOverTheStoredDefaultsAndExtendedByTheArguments) {
  folder_.Write("a.drl", "X10000\n");
  folder_.Write("top.gbr", kPlot);
  const std::string extra = folder_.Write("extra.gbr", kPlot);
  const std::string wrk =
      folder_.Write("job.wrk", "DrillFile=a.drl\r\nLayerInfo=1,2,3,0,0,0,0,top.gbr\r\n");
  ASSERT_EQ(Dump({wrk, extra}), kExitSuccess) << err_;
  EXPECT_NE(out_.find("layer 0 0x030201"), std::string::npos) << out_;
  EXPECT_NE(out_.find("layer 1 0x"), std::string::npos) << out_;
  EXPECT_NE(out_.find("hit 0 2 0"), std::string::npos) << "stored DrillMultiplier 2 applies";

  out_.clear();
  ASSERT_EQ(Dump({"--defaults", wrk}), kExitSuccess);
  EXPECT_NE(out_.find("hit 0 1 0"), std::string::npos) << out_;
  EXPECT_TRUE(err_.empty()) << err_;
  // A file the work file names is no file of the command line: a warning only.
  folder_.Write("gone.wrk", "LayerInfo=1,2,3,0,0,0,0,gone.gbr\r\n");
  ASSERT_EQ(Dump({folder_.File("gone.wrk")}), kExitSuccess);
  EXPECT_EQ(err_, "warning: cannot open " + folder_.File("gone.gbr") + "\n");
  EXPECT_EQ(Dump({wrk, wrk}), kExitFailure);
  EXPECT_EQ(Dump({folder_.File("none.wrk")}), kExitFailure);
}

TEST(WorkingSetTablesTest, UnopenedTablesAreListedInOrder) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  WorkingSetArguments args;
  args.apertureFile = "no.apr";
  args.drillToolFile = "no.rck";
  args.drillFile = "no.drl";
  const WorkingSetLoad load = LoadWorkingSet(loader, args);
  EXPECT_TRUE(load.Succeeded());
  EXPECT_EQ(load.unopened, (std::vector<std::string>{"no.apr", "no.rck", "no.drl"}));
  EXPECT_TRUE(load.namedFileUnopened);
}

}  // namespace
}  // namespace corvane
