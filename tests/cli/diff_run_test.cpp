#include "cli/diff_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "../analysis/revision_writer.h"
#include "temp_folder.h"

namespace corvane {
namespace {

struct DiffOutput {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

DiffOutput Diff(std::vector<std::string> args) {
  DiffOutput run;
  DiffEnvironment environment;
  environment.writeOutput = [&](std::string_view line) { run.out.emplace_back(line); };
  environment.writeError = [&](std::string_view line) { run.err.emplace_back(line); };
  environment.threads = 2;
  args.insert(args.begin(), "--defaults");
  run.status = RunDiff(args, environment);
  return run;
}

const char kBottom[] =
    "%TF.FileFunction,Copper,L2,Bot*%\n%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,1*%\nD10*\n"
    "X5000000Y5000000D03*\nM02*\n";

class DiffRunTest : public ::testing::Test {
 protected:
  // A revision in its own folder: top copper, bottom copper (unless left
  // out) and the drills.
  std::string Revision(const std::string& name, const BoardWriting& writing,
                       const BoardChanges& changes, bool withBottom = true) {
    const RevisionWriter writer(writing, changes);
    folder.Write(name + "/board-F_Cu.gbr", writer.TopCopper());
    folder.Write(name + "/board.drl", writer.Drills());
    if (withBottom) folder.Write(name + "/board-B_Cu.gbr", kBottom);
    return folder.File(name);
  }
  TempFolder folder;
};

TEST_F(DiffRunTest, ExitStatusGatesAScript) {
  const std::string old = Revision("old", {}, {});
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::size_t lines;
  };
  const std::string rewritten = Revision("rewritten", {true, 5, 30, true, true}, {});
  const std::string via = Revision("via", {}, {0.0, false, true, 0.8});
  const std::string nudged = Revision("nudged", {}, {0.1, false, false, 0.8});
  const std::string lacking = Revision("lacking", {}, {}, false);
  const std::string missing = folder.File("missing");
  const Case cases[] = {
      {"written otherwise", {old, rewritten}, 0, 0},
      {"itself", {old, old}, 0, 0},
      {"a via added", {old, via}, 1, 2},
      {"a pad nudged", {old, nudged}, 1, 2},
      {"a pad nudged within a wide tolerance", {"--tolerance", "0.25", old, nudged}, 0, 0},
      {"a layer lacking", {old, lacking}, 1, 1},
      {"no sets", {}, 2, 0},
      {"one set", {old}, 2, 0},
      {"three sets", {old, old, old}, 2, 0},
      {"a negative tolerance", {"--tolerance=-1", old, old}, 2, 0},
      {"a tolerance that is no number", {"--tolerance", "wide", old, old}, 2, 0},
      {"an unknown option", {"--fast", old, old}, 2, 0},
      {"an old set that cannot be read", {missing, old}, 2, 0},
      {"a new set that cannot be read", {old, missing}, 2, 0},
  };
  for (const Case& c : cases) {
    const DiffOutput run = Diff(c.args);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out.size(), c.lines) << c.name;
    if (c.status == 2) {
      ASSERT_FALSE(run.err.empty()) << c.name;
      EXPECT_FALSE(run.err.back().empty()) << c.name;
    }
  }
  EXPECT_EQ(Diff({old}).err, (std::vector<std::string>{std::string(kDiffUsage)}));
  EXPECT_EQ(Diff({old, lacking}).out,
            (std::vector<std::string>{old + "/board-B_Cu.gbr unmatched"}));
  const DiffOutput unreadable = Diff({old, missing});
  EXPECT_NE(unreadable.err.back().find("corvane diff: "), std::string::npos);
}

TEST_F(DiffRunTest, LinesSayLayerKindAreaAndBox) {
  const std::string old = Revision("old", {}, {});
  const std::string via = Revision("via", {}, {0.0, false, true, 0.8});
  const DiffOutput run = Diff({old, via});
  ASSERT_EQ(run.out.size(), 2u);
  EXPECT_EQ(run.out[0].rfind(via + "/board-F_Cu.gbr added 1.767", 0), 0u) << run.out[0];
  EXPECT_NE(run.out[0].find(" mm² 29.25"), std::string::npos) << run.out[0];
  EXPECT_EQ(run.out[1].rfind(via + "/board.drl added 0.125", 0), 0u) << run.out[1];
  EXPECT_NE(run.out[1].find(" 30.200000 20.200000 mm"), std::string::npos) << run.out[1];
}

TEST_F(DiffRunTest, JsonHasTheLayersTheirRegionsAndWhatIsUnmatched) {
  const std::string old = Revision("old", {}, {});
  const std::string changed = Revision("changed", {}, {0.0, true, false, 1.0}, false);
  const DiffOutput run = Diff({"--json", old, changed});
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.out.size(), 1u);
  const nlohmann::ordered_json report = nlohmann::ordered_json::parse(run.out[0]);
  std::vector<std::string> keys;
  for (const auto& item : report.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"layers", "unmatched", "unlisted"}));
  EXPECT_EQ(report["unmatched"], nlohmann::ordered_json::array({old + "/board-B_Cu.gbr"}));
  ASSERT_EQ(report["layers"].size(), 2u);
  for (const auto& layer : report["layers"]) {
    keys.clear();
    for (const auto& item : layer.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"old", "new", "side", "type", "added_mm2",
                                              "removed_mm2", "regions"}));
  }
  const auto& top =
      report["layers"][0]["type"] == "copper" ? report["layers"][0] : report["layers"][1];
  EXPECT_EQ(top["side"], "top");
  EXPECT_EQ(top["added_mm2"], 0.0);
  EXPECT_NEAR(top["removed_mm2"].get<double>(), 2.1, 0.01);  // the deleted track
  ASSERT_EQ(top["regions"].size(), 1u);
  EXPECT_EQ(top["regions"][0]["kind"], "removed");
  EXPECT_NEAR(top["regions"][0]["box_mm"][0].get<double>(), 10.8, 1e-3);
}

TEST_F(DiffRunTest, PicturesForEachChangedLayer) {
  const std::string old = Revision("old", {}, {});
  const std::string via = Revision("via", {}, {0.0, false, true, 0.8});
  const std::string pictures = folder.File("pictures/of/via");
  EXPECT_EQ(Diff({"--png", pictures, old, via}).status, 1);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) {
    names.push_back(entry.path().filename().string());
    EXPECT_EQ(TempFolder::Read(entry.path().string()).substr(1, 3), "PNG");
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"board-f_cu.gbr.png", "board.drl.png"}));
  // A folder that cannot be made is bad use.
  const std::string file = folder.Write("plain-file", "x");
  EXPECT_EQ(Diff({"--png", file + "/under", old, via}).status, 2);
}

}  // namespace
}  // namespace corvane
