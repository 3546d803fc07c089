#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../intake/archive_writer.h"
#include "cli/dump_run.h"
#include "cli/layers_run.h"
#include "temp_folder.h"

namespace corvane {
namespace {

class LayersRunTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out.clear();
    err.clear();
    return RunLayers(args, {[this](std::string_view line) { out += std::string(line) + "\n"; },
                            [this](std::string_view line) { err += std::string(line) + "\n"; }});
  }
  TempFolder folder;
  std::string out;
  std::string err;
};

const std::string kPlot = "%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%D10*X0Y0D03*M02*";

TEST_F(LayersRunTest, ListsEveryFileOneLineEachInStackOrder) {
  const std::string bottom = folder.Write("fab/board-B_Cu.gbr", kPlot);
  const std::string inner = folder.Write("fab/board-In1_Cu.gbr", kPlot);
  const std::string drill = folder.Write("fab/board-NPTH.drl", "M48\nMETRIC\nT1C3.2\n%\nT1\nX1Y1\nM30\n");
  ASSERT_EQ(Run({folder.File("fab")}), kExitSuccess);
  EXPECT_EQ(out, "gerber inner copper " + inner + "\ngerber bottom copper " + bottom +
                     "\nexcellon all drill " + drill + "\n");
  EXPECT_TRUE(err.empty());
}

TEST_F(LayersRunTest, JsonHasEveryFieldAndNullWhereNothingIsSaid) {
  folder.Write("fab/board-In2_Cu.gbr", kPlot);
  folder.Write("fab/board-PTH.drl", "M48\nMETRIC\nT1C0.3\n%\nT1\nX1Y1\nM30\n");
  ASSERT_EQ(Run({"--json", folder.File("fab")}), kExitSuccess);
  const nlohmann::json list = nlohmann::json::parse(out);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]["kind"], "gerber");
  EXPECT_EQ(list[0]["side"], "inner");
  EXPECT_EQ(list[0]["type"], "copper");
  EXPECT_EQ(list[0]["inner"], 2);
  EXPECT_TRUE(list[0]["plating"].is_null());
  EXPECT_EQ(list[0]["from"], "name");
  EXPECT_EQ(list[0]["path"], folder.File("fab/board-In2_Cu.gbr"));
  EXPECT_TRUE(list[1]["inner"].is_null());
  EXPECT_EQ(list[1]["plating"], "plated");
}

TEST_F(LayersRunTest, ARefusedArchiveOrUnreadableFileGivesALineAndStatusOne) {
  const std::string bad = folder.Write("bad.tar.gz", WriteTestArchive({{"/etc/x.gbr", kPlot}}, TestFormat::kTarGz));
  const std::string good = folder.Write("top.gtl", kPlot);
  EXPECT_EQ(Run({bad, good, folder.File("gone.gbr")}), kExitFailure);
  EXPECT_NE(out.find("gerber top copper " + good), std::string::npos) << out;
  EXPECT_NE(err.find("corvane layers: " + bad + ": refused: the entry /etc/x.gbr names an absolute path"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("cannot read " + folder.File("gone.gbr")), std::string::npos) << err;
}

TEST_F(LayersRunTest, BadUseGivesTheUsageLine) {
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_EQ(err, std::string(kLayersUsage) + "\n");
  EXPECT_EQ(Run({"--frobnicate", "x"}), kExitUsage);
}

}  // namespace
}  // namespace corvane
