#include <gtest/gtest.h>

#include <string>

#include "intake/file_identity.h"
#include "intake/job_file.h"

namespace corvane {
namespace {

constexpr const char* kPlain = "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.2*%\nD10*\nX0Y0D02*\nX1000000Y0D01*\nX1000000Y1000000D03*\nM02*\n";

std::string WithFunction(const std::string& function, const std::string& polarity = "Positive") {
  return "%TF.FileFunction," + function + "*%\n%TF.FilePolarity," + polarity + "*%\n" + kPlain;
}

std::string Excellon(const std::string& comment) {
  return "M48\n" + comment + "METRIC\nT1C0.300\n%\nT1\nX1.0Y1.0\nM30\n";
}

struct IdentityRow {
  const char* test;
  std::string name;
  std::string content;
  FileKind kind;
  LayerSide side;
  LayerType type;
  int32_t inner;
  LayerPlating plating;
  FunctionSource from;
};

using K = FileKind;
using S = LayerSide;
using T = LayerType;
using P = LayerPlating;
using F = FunctionSource;

class IdentityTest : public ::testing::TestWithParam<IdentityRow> {};

TEST_P(IdentityTest, TakesTheStrongestEvidence) {
  const IdentityRow& row = GetParam();
  const LayerFunction f = IdentifyFile(row.name, row.content, row.content.size(), nullptr).function;
  EXPECT_EQ(f.kind, row.kind);
  EXPECT_EQ(f.side, row.side);
  EXPECT_EQ(f.type, row.type);
  EXPECT_EQ(f.inner, row.inner);
  EXPECT_EQ(f.plating, row.plating);
  EXPECT_EQ(f.from, row.from);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IdentityTest,
    ::testing::Values(
        IdentityRow{"TopCopperAttribute", "x.gbr", WithFunction("Copper,L1,Top,Signal"), K::kGerber,
                    S::kTop, T::kCopper, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"InnerCopperAttribute", "x.gbr", WithFunction("Copper,L3,Inr,Plane"), K::kGerber,
                    S::kInner, T::kCopper, 2, P::kUnstated, F::kAttributes},
        IdentityRow{"CommentFormAttribute", "x.gbr",
                    std::string("G04 #@! TF.FileFunction,Soldermask,Bot*\n") + kPlain, K::kGerber,
                    S::kBottom, T::kSoldermask, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"LegendAttribute", "x.gbr", WithFunction("Legend,Top"), K::kGerber, S::kTop,
                    T::kSilkscreen, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"ProfileAttribute", "x.gbr", WithFunction("Profile,NP"), K::kGerber, S::kAll,
                    T::kOutline, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"AttributesWinOverName", "board-F_Cu.gbr", WithFunction("Copper,L2,Bot"),
                    K::kGerber, S::kBottom, T::kCopper, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"AttributesWinOverExtension", "board.GTO", WithFunction("Paste,Bot"), K::kGerber,
                    S::kBottom, T::kSolderpaste, 0, P::kUnstated, F::kAttributes},
        IdentityRow{"ExcellonAttributeWinsOverName", "board-NPTH.drl",
                    Excellon("; #@! TF.FileFunction,Plated,1,4,PTH\n"), K::kExcellon, S::kAll,
                    T::kDrill, 0, P::kPlated, F::kAttributes},
        IdentityRow{"BlindDrill", "x.drl", Excellon(";#@! TF.FileFunction,Plated,1,2,Blind\n"),
                    K::kExcellon, S::kTop, T::kDrill, 0, P::kPlated, F::kAttributes},
        IdentityRow{"LayerSuffixName", "board-In2_Cu.gbr", kPlain, K::kGerber, S::kInner,
                    T::kCopper, 2, P::kUnstated, F::kName},
        IdentityRow{"OlderDottedSuffix", "board-B.SilkS.gbr", kPlain, K::kGerber, S::kBottom,
                    T::kSilkscreen, 0, P::kUnstated, F::kName},
        IdentityRow{"ExtensionName", "BOARD.GBS", kPlain, K::kGerber, S::kBottom, T::kSoldermask, 0,
                    P::kUnstated, F::kName},
        IdentityRow{"NumberedInnerExtension", "board.G3", kPlain, K::kGerber, S::kInner, T::kCopper,
                    3, P::kUnstated, F::kName},
        IdentityRow{"DrillPlatingByName", "board-NPTH.drl", Excellon(""), K::kExcellon, S::kAll,
                    T::kDrill, 0, P::kNonPlated, F::kName},
        IdentityRow{"DrillPlatingByComment", "board.drl", Excellon(";TYPE=NON_PLATED\n"),
                    K::kExcellon, S::kAll, T::kDrill, 0, P::kNonPlated, F::kName},
        IdentityRow{"DrillNamedTxt", "board.txt", Excellon(""), K::kExcellon, S::kAll, T::kDrill, 0,
                    P::kUnstated, F::kName},
        IdentityRow{"DrillByContentOnly", "x1.dat", Excellon(""), K::kExcellon, S::kAll, T::kDrill,
                    0, P::kUnstated, F::kContent},
        IdentityRow{"OutlineByContent", "layer7.gbr",
                    "%FSLAX46Y46*%%MOMM*%%ADD10C,0.1*%D10*X0Y0D02*X5000000Y0D01*"
                    "X5000000Y3000000D01*X0Y3000000D01*X0Y0D01*M02*",
                    K::kGerber, S::kAll, T::kOutline, 0, P::kUnstated, F::kContent},
        // Invalid rows: what says nothing, says nothing.
        IdentityRow{"OpenDrawingIsNoOutline", "layer8.gbr",
                    "%FSLAX46Y46*%%MOMM*%%ADD10C,0.1*%D10*X0Y0D02*X5000000Y0D01*"
                    "X5000000Y3000000D01*M02*",
                    K::kGerber, S::kNone, T::kOther, 0, P::kUnstated, F::kContent},
        IdentityRow{"FlashesAreNoOutline", "layer9.gbr", kPlain, K::kGerber, S::kNone, T::kOther, 0,
                    P::kUnstated, F::kContent},
        IdentityRow{"UnknownAttributeFallsToName", "board-F_Mask.gbr",
                    WithFunction("Frobnicate,Top"), K::kGerber, S::kTop, T::kSoldermask, 0,
                    P::kUnstated, F::kName},
        IdentityRow{"NoLayerAtAll", "readme.gbr", "Just words.\n", K::kUnknown, S::kNone, T::kOther,
                    0, P::kUnstated, F::kContent}),
    [](const auto& info) { return std::string(info.param.test); });

TEST(IdentityTest, JobFileNamesWhatNamesAndContentCannot) {
  const std::optional<JobFile> job = ParseJobFile(
      R"({"Header": {}, "GeneralSpecs": {"LayerNumber": 4},
          "FilesAttributes": [{"Path": "gerbers/a.gbr", "FileFunction": "Copper,L4",
                               "FilePolarity": "Positive"},
                              {"Path": "b.gbr", "FileFunction": "Legend,Bot"}]})");
  ASSERT_TRUE(job);
  // L4 of a four-layer board is its bottom layer.
  const LayerFunction a = IdentifyFile("fab/A.GBR", kPlain, 1000, &*job).function;
  EXPECT_EQ(a.side, LayerSide::kBottom);
  EXPECT_EQ(a.type, LayerType::kCopper);
  EXPECT_EQ(a.from, FunctionSource::kJob);
  // The file's own attributes still win over the job.
  const LayerFunction b = IdentifyFile("b.gbr", WithFunction("Legend,Top"), 1000, &*job).function;
  EXPECT_EQ(b.side, LayerSide::kTop);
  EXPECT_EQ(b.from, FunctionSource::kAttributes);
  // A file the job does not list goes by its name.
  EXPECT_EQ(IdentifyFile("c-F_Cu.gbr", kPlain, 1000, &*job).function.from, FunctionSource::kName);
}

TEST(IdentityTest, TodaysFormatsAreSeen) {
  EXPECT_TRUE(IdentifyFile("a.gbr", kPlain, 1000, nullptr).usesTodaysFormats);  // millimetres
  EXPECT_TRUE(IdentifyFile("a.gbr", WithFunction("Copper,L1,Top"), 1000, nullptr).usesTodaysFormats);
  EXPECT_FALSE(IdentifyFile("a.gbr", "%FSLAX24Y24*%%MOIN*%%ADD10C,0.01*%D10*X0Y0D03*M02*", 100,
                            nullptr)
                   .usesTodaysFormats);
  EXPECT_TRUE(IdentifyFile("a.gbr", "%FSLAX24Y24*%%MOIN*%G36*X0Y0D02*X1Y0D01*X0Y0D01*G37*M02*", 100,
                           nullptr)
                  .usesTodaysFormats);
  EXPECT_FALSE(IdentifyFile("a.drl", "M48\nINCH\nT1C0.03\n%\nT1\nX1Y1\nM30\n", 100, nullptr)
                   .usesTodaysFormats);
}

TEST(JobFileTest, RefusesWhatIsNoJob) {
  EXPECT_FALSE(ParseJobFile("not json"));
  EXPECT_FALSE(ParseJobFile("[1, 2]"));
  EXPECT_FALSE(ParseJobFile(std::string(100000, '[')));
  // Fields of the wrong type read as empty; entries without a path are left out.
  const auto job = ParseJobFile(
      R"({"FilesAttributes": [{"Path": 7}, {"Path": "a.gbr", "FileFunction": 3}, "x"],
          "GeneralSpecs": {"LayerNumber": "two"}})");
  ASSERT_TRUE(job);
  ASSERT_EQ(job->files.size(), 1u);
  EXPECT_EQ(job->files[0].path, "a.gbr");
  EXPECT_TRUE(job->files[0].fileFunction.empty());
  EXPECT_EQ(job->layerCount, 0);
}

}  // namespace
}  // namespace corvane
