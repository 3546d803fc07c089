#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_writer.h"
#include "intake/intake_set.h"
#include "temp_folder.h"

namespace corvane {
namespace {

const std::string kPlot = "%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%D10*X0Y0D03*M02*";
const std::string kDrill = "M48\nMETRIC\nT1C0.3\n%\nT1\nX1.0Y1.0\nM30\n";

std::vector<std::string> Names(const IntakeSet& set) {
  std::vector<std::string> names;
  for (const IntakeFile& file : set.files) names.push_back(file.path.substr(file.path.rfind('/') + 1));
  return names;
}

TEST(IntakeSetTest, AFolderIsWalkedAndStacked) {
  TempFolder folder;
  folder.Write("fab/board-B_Cu.gbr", kPlot);
  folder.Write("fab/sub/board-F_Cu.gbr", kPlot);
  folder.Write("fab/board-Edge_Cuts.gbr", kPlot);
  folder.Write("fab/board-F_SilkS.gbr", kPlot);
  folder.Write("fab/board-NPTH.drl", kDrill);
  folder.Write("fab/readme.txt", "Thanks\n");
  folder.Write("fab/.hidden/board-In1_Cu.gbr", kPlot);  // hidden folders are passed over
  folder.Write("fab/copy.zip", WriteTestArchive({{"board-F_Cu.gbr", kPlot}}, TestFormat::kZip));
  const IntakeSet set = GatherIntake(std::vector<std::string>{folder.File("fab/")});
  EXPECT_TRUE(set.gathered);
  EXPECT_TRUE(set.stacked);
  EXPECT_TRUE(set.UsesTodaysFormats());
  EXPECT_FALSE(set.HasProblems());
  EXPECT_EQ(Names(set), (std::vector<std::string>{"board-F_SilkS.gbr", "board-F_Cu.gbr",
                                                  "board-B_Cu.gbr", "board-Edge_Cuts.gbr",
                                                  "board-NPTH.drl", "copy.zip", "readme.txt"}));
  // The archive beside the files is listed, not opened: it is most often them once more.
  EXPECT_EQ(set.files[5].function.kind, FileKind::kUnknown);
  EXPECT_EQ(set.files[1].path, folder.File("fab/sub/board-F_Cu.gbr"));
}

TEST(IntakeSetTest, ArchiveMembersAreNamedBelowTheArchive) {
  TempFolder folder;
  const std::string zip = folder.Write(
      "fab.zip", WriteTestArchive({{"g/board-B_Cu.gbr", kPlot}, {"g/board-F_Cu.gbr", kPlot}},
                                  TestFormat::kZip));
  const IntakeSet set = GatherIntake(std::vector<std::string>{zip});
  ASSERT_EQ(set.files.size(), 2u);
  EXPECT_EQ(set.files[0].path, zip + "/g/board-F_Cu.gbr");
  EXPECT_EQ(set.files[0].function.side, LayerSide::kTop);
  // The member path opens again on its own, as a work file saved from the set names it.
  const IntakeSet again = GatherIntake(std::vector<std::string>{zip + "/g/board-B_Cu.gbr"});
  ASSERT_EQ(again.files.size(), 1u);
  EXPECT_TRUE(again.files[0].problem.empty());
  EXPECT_EQ(again.files[0].function.side, LayerSide::kBottom);
}

TEST(IntakeSetTest, WhatCannotBeReadIsListedAndTheRestStays) {
  TempFolder folder;
  const std::string bad = folder.Write("bad.zip", WriteTestArchive({{"../x.gbr", kPlot}}, TestFormat::kZip));
  const std::string good = folder.Write("top.gbr", kPlot);
  const std::string job = folder.Write(
      "board.gbrjob", R"({"Header": {}, "FilesAttributes": [{"Path": "gone.gbr", "FileFunction": "Copper,L1,Top"}]})");
  const IntakeSet set = GatherIntake(std::vector<std::string>{bad, good, folder.File("nowhere.gbr"), job});
  EXPECT_TRUE(set.HasProblems());
  ASSERT_EQ(set.refusals.size(), 1u);
  EXPECT_EQ(set.refusals[0].rfind(bad + ": refused: ", 0), 0u) << set.refusals[0];
  int unreadable = 0;
  bool goodFound = false;
  for (const IntakeFile& file : set.files) {
    if (!file.problem.empty()) ++unreadable;
    goodFound = goodFound || (file.path == good && file.problem.empty());
  }
  EXPECT_EQ(unreadable, 2);  // nowhere.gbr, and gone.gbr of the job
  EXPECT_TRUE(goodFound);
}

TEST(IntakeSetTest, APlainListKeepsItsOrderAndWorkFilesStandApart) {
  TempFolder folder;
  const std::string top = folder.Write("top.gtl", kPlot);
  const std::string bottom = folder.Write("bottom.gbl", kPlot);
  const std::string work = folder.Write("set.WRK", "MirrorX=1\r\n");
  const IntakeSet plain = GatherIntake(std::vector<std::string>{bottom, top, work});
  EXPECT_FALSE(plain.stacked);
  EXPECT_EQ(Names(plain), (std::vector<std::string>{"bottom.gbl", "top.gtl"}));
  EXPECT_EQ(plain.workFiles, std::vector<std::string>{work});
  const IntakeSet stacked = GatherIntake(std::vector<std::string>{bottom, top}, IntakeOptions{true});
  EXPECT_EQ(Names(stacked), (std::vector<std::string>{"top.gtl", "bottom.gbl"}));
}

}  // namespace
}  // namespace corvane
