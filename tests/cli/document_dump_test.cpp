#include "cli/document_dump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/dump_run.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

std::string DataFile(const std::string& name) {
  return std::string(CORVANE_TEST_DATA_DIR) + "/gerber/" + name;
}

TEST(DocumentDumpTest, PrintsEveryKindOfRecordInOrder) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  PlotLayer layer;
  layer.fileName = "top \"a\".gbr";
  layer.color = 0x00FF00;
  layer.mirrorOnYAxis = 1;
  layer.offsetX = -2500;
  doc.AddLayer(layer);
  Aperture circle;
  circle.dcode = 10;
  circle.shape = kShapeCircle;
  circle.sizeX = circle.sizeY = 0.1;
  doc.AddAperture(circle);
  auto macro = std::make_unique<ApertureMacro>();
  macro->name = "M1";
  MacroPrimitive primitive;
  primitive.type = 0;
  primitive.paramCount = 2;
  primitive.values = {1.5, 3};
  primitive.isVariable = {0, 1};
  macro->primitives.push_back(primitive);
  doc.AddMacro(std::move(macro));
  Aperture byMacro;
  byMacro.layer = 0;
  byMacro.dcode = 11;
  byMacro.shape = kShapeMacro;
  byMacro.paramCount = 2;
  byMacro.params = {0.25, 4};
  doc.AddAperture(byMacro);
  doc.AddDrillTool(DrillTool{3, kPlatingPlated, 0.8, 12});
  doc.AddDrillHit(DrillHit{3, -1.25, 2});
  doc.AddItem(PlotItem{0, 0, 0, 0, 0.5, 0});
  doc.AddItem(PlotItem{0, kKindArcCentre, 0, 0, 1, 2});
  doc.AddItem(PlotItem{0, kKindStatement, kModeCounterClockwiseMulti, 1, 3, 0.1});
  doc.ComputeExtents();

  EXPECT_EQ(DumpDocumentText(doc, DumpOptions{true}),
            "layer 0 0x00FF00 0 1 -2500 0 1 \"top \\\"a\\\".gbr\"\n"
            "aperture -1 10 0 0.10000000000000001 0.10000000000000001 0 0 0\n"
            "aperture 0 11 6 0 0 0 0 2 0.25 4\n"
            "macro 0 0 \"M1\" 1\n"
            "primitive 0 0 2 1.5 $3\n"
            "tool 3 1 0.80000000000000004 12\n"
            "hit 3 -1.25 2\n"
            "extents 3 -1.6499999999999999 2.3999999999999999 -1.8984020906140024\n"
            "items 3\n"
            "item 0 0 0 0 0.5 0\n"
            "item 0 G 0 0 1 2\n"
            "item 0 D 4 1 3 0.10000000000000001\n");
  const std::string withoutItems = DumpDocumentText(doc, DumpOptions{false});
  EXPECT_EQ(withoutItems.find("item "), std::string::npos);
  EXPECT_NE(withoutItems.find("items 3\n"), std::string::npos);
}

TEST(DocumentDumpTest, QuotesNamesWithCEscapes) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain.gbr", "\"plain.gbr\""},
      {"a\\b", "\"a\\\\b\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"l\nc\rt\t", "\"l\\nc\\rt\\t\""},
      {std::string("\x01\x7F\xC3\xA9", 4), "\"\\x01\\x7F\\xC3\\xA9\""},
      {"", "\"\""},
  };
  for (const auto& [text, quoted] : cases) EXPECT_EQ(QuoteName(text), quoted);
}

struct ArgumentsCase {
  std::vector<std::string> args;
  bool valid;
  std::string apertureFile;
  std::vector<std::string> files;
  bool items;
  bool defaults;
};

TEST(WorkingSetArgumentsTest, ParsesTheSharedOptionsAndTheCommandsFlags) {
  const ArgumentsCase cases[] = {
      {{"a.gbr", "b.gbr"}, true, "", {"a.gbr", "b.gbr"}, false, false},
      {{"--items", "--defaults", "a.gbr"}, true, "", {"a.gbr"}, true, true},
      {{"--aperture-file", "t.apr", "a.gbr"}, true, "t.apr", {"a.gbr"}, false, false},
      {{"--aperture-file=t.apr"}, true, "t.apr", {}, false, false},
      {{"--", "--items"}, true, "", {"--items"}, false, false},
      {{"-"}, true, "", {"-"}, false, false},
      {{}, false, "", {}, false, false},
      {{"--items"}, false, "", {}, true, false},
      {{"--aperture-file"}, false, "", {}, false, false},
      {{"--aperture-file="}, false, "", {}, false, false},
      {{"--bogus", "a.gbr"}, false, "", {}, false, false},
      {{"-x", "a.gbr"}, false, "", {}, false, false},
  };
  const std::string_view flags[] = {"--items"};
  for (const ArgumentsCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    WorkingSetArguments parsed;
    std::string error;
    ASSERT_EQ(ParseWorkingSetArguments(c.args, flags, parsed, error), c.valid);
    if (!c.valid) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(parsed.apertureFile, c.apertureFile);
    EXPECT_EQ(parsed.files, c.files);
    EXPECT_EQ(parsed.HasFlag("--items"), c.items);
    EXPECT_EQ(parsed.useDefaults, c.defaults);
  }
}

TEST(WorkingSetTest, WorkFileNamesInAnyCase) {
  for (const char* name : {"a.wrk", "A.WRK", "dir/b.Wrk", ".wrk"})
    EXPECT_TRUE(IsWorkFileName(name));
  for (const char* name : {"a.wrk.gbr", "wrk", "a.wr", ""}) EXPECT_FALSE(IsWorkFileName(name));
}

TEST(WorkingSetTest, LoadsLayersInDefaultColoursAndListsUnopenedFiles) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  WorkingSetArguments args;
  args.files = {DataFile("worked_example.gbr"), DataFile("missing.gbr"),
                DataFile("macro_donut.gbr")};
  const WorkingSetLoad load = LoadWorkingSet(loader, args);
  ASSERT_TRUE(load.Succeeded());
  EXPECT_EQ(load.unopened, std::vector<std::string>{DataFile("missing.gbr")});
  ASSERT_EQ(doc.GetLayerCount(), 2);
  EXPECT_EQ(doc.Layers()[0].color, CCorvaneDoc::DefaultLayerColor(0));
  EXPECT_EQ(doc.Layers()[1].color, CCorvaneDoc::DefaultLayerColor(1));
  EXPECT_EQ(doc.Layers()[1].mirrorOnXAxis, 0);
  EXPECT_EQ(doc.Layers()[1].offsetX, 0);
}

TEST(WorkingSetTest, MissingWorkFileFailsBeforeAnythingLoads) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  WorkingSetArguments args;
  args.files = {DataFile("worked_example.gbr"), "board.WRK"};
  const WorkingSetLoad load = LoadWorkingSet(loader, args);
  EXPECT_FALSE(load.Succeeded());
  EXPECT_NE(load.error.find("board.WRK"), std::string::npos);
  EXPECT_EQ(doc.GetLayerCount(), 0);
}

// The dump command's rules, with the two streams captured.
class RunDumpTest : public testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    DumpEnvironment environment;
    environment.openUserSettings = [this]() -> std::unique_ptr<SettingsStore> {
      ++opened_;
      auto store = std::make_unique<MemorySettingsStore>();
      store->WriteText(kSectionDefaults, "GerberMultiplier", "10");
      return store;
    };
    environment.prompter = &prompter_;
    environment.writeOutput = [this](std::string_view line) { out_ += std::string(line) + "\n"; };
    environment.writeError = [this](std::string_view line) { err_ += std::string(line) + "\n"; };
    return RunDump(args, environment);
  }
  RecordingPrompter prompter_;
  std::string out_;
  std::string err_;
  int opened_ = 0;
};

TEST_F(RunDumpTest, UsesTheStoredSettingsUnlessDefaultsAreAsked) {
  ASSERT_EQ(Run({DataFile("worked_example.gbr")}), kExitSuccess);
  EXPECT_EQ(opened_, 1);
  // The draws of an aperture 0.01 wide (0.1 at the stored multiplier of 10).
  EXPECT_NE(out_.find("extents 20.004999999999999 -0.0050000000000000001 10.005000000000001 "
                      "-0.0050000000000000001\n"),
            std::string::npos)
      << out_;
  out_.clear();
  ASSERT_EQ(Run({"--defaults", DataFile("worked_example.gbr")}), kExitSuccess);
  EXPECT_EQ(opened_, 1);
  EXPECT_NE(out_.find("extents 2.0049999999999999 -0.0050000000000000001 1.0049999999999999 "
                      "-0.0050000000000000001\n"),
            std::string::npos)
      << out_;
  EXPECT_TRUE(err_.empty());
}

TEST_F(RunDumpTest, BadArgumentsGiveTheUsageLineAndStatusTwo) {
  EXPECT_EQ(Run({"--frobnicate", "a.gbr"}), kExitUsage);
  EXPECT_EQ(err_, std::string(kDumpUsage) + "\n");
  EXPECT_TRUE(out_.empty());
}

TEST_F(RunDumpTest, UnopenedFilesAreWarnedAboutAndSkipped) {
  // The dump is complete; the missing file the command line names makes the status 1.
  ASSERT_EQ(Run({"--defaults", "nowhere.gbr", DataFile("worked_example.gbr")}), kExitFailure);
  EXPECT_EQ(err_, "warning: cannot open nowhere.gbr\n");
  EXPECT_EQ(out_.rfind("layer 0 0x0000FF", 0), 0u) << out_;
}

TEST_F(RunDumpTest, MixedUnitsWarningGoesToThePrompter) {
  ASSERT_EQ(Run({"--defaults", DataFile("metric_apertures_only.gbr")}), kExitSuccess);
  EXPECT_EQ(
      prompter_.messages,
      std::vector<std::string>{"Warning: Both English and Meter units specified in Gerber files."});
}

TEST_F(RunDumpTest, StandardPrintsTheStandardModelWithoutTheClassicWarning) {
  // The file that makes the classic reading warn about mixed units.
  ASSERT_EQ(Run({"--standard", "--defaults", DataFile("metric_apertures_only.gbr")}), kExitSuccess);
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_EQ(out_.rfind("layer 0 gerber 0x0000FF 0 0 0 0 1 ", 0), 0u) << out_;
  EXPECT_NE(out_.find("\nformat mm "), std::string::npos) << out_;
  EXPECT_EQ(out_.find("\nobject "), std::string::npos) << out_;
  EXPECT_TRUE(err_.empty());
  out_.clear();
  ASSERT_EQ(Run({"--items", "--standard", "--defaults", DataFile("worked_example.gbr")}),
            kExitSuccess);
  EXPECT_NE(out_.find("\nobject 0 line dark 0 0 1 0 0\n"), std::string::npos) << out_;
  // The classic records never appear in a standard dump.
  EXPECT_EQ(out_.find("\nitems "), std::string::npos) << out_;
}

TEST_F(RunDumpTest, StandardWarnsAboutUnopenedFilesLikeTheClassicDump) {
  EXPECT_EQ(Run({"--standard", "--defaults", "nowhere.gbr", DataFile("worked_example.gbr")}),
            kExitFailure);
  EXPECT_EQ(err_, "warning: cannot open nowhere.gbr\n");
  EXPECT_EQ(out_.rfind("layer 0 gerber", 0), 0u) << out_;
  EXPECT_EQ(out_.find("layer 1 "), std::string::npos) << out_;
}

TEST_F(RunDumpTest, MissingWorkFileGivesAClearErrorAndNoOutput) {
  EXPECT_EQ(Run({"--defaults", DataFile("worked_example.gbr"), "job.wrk"}), kExitFailure);
  EXPECT_TRUE(out_.empty());
  EXPECT_NE(err_.find("job.wrk"), std::string::npos);
}

}  // namespace
}  // namespace corvane
