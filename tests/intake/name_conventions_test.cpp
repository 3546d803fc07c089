#include <gtest/gtest.h>

#include <string>

#include "intake/name_conventions.h"

namespace corvane {
namespace {

struct NameRow {
  const char* name;
  bool known;
  LayerSide side;
  LayerType type;
  int32_t inner;
};

using S = LayerSide;
using T = LayerType;

class NameConventionTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(NameConventionTest, ReadsTheDesignToolsConventions) {
  const NameRow& row = GetParam();
  const auto f = FunctionFromName(row.name, FileKind::kGerber);
  ASSERT_EQ(f.has_value(), row.known) << row.name;
  if (!f) return;
  EXPECT_EQ(f->side, row.side) << row.name;
  EXPECT_EQ(f->type, row.type) << row.name;
  EXPECT_EQ(f->inner, row.inner) << row.name;
  EXPECT_EQ(f->from, FunctionSource::kName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameConventionTest,
    ::testing::Values(
        NameRow{"board-F_Cu.gbr", true, S::kTop, T::kCopper, 0},
        NameRow{"board-B_Cu.gbr", true, S::kBottom, T::kCopper, 0},
        NameRow{"board-In1_Cu.gbr", true, S::kInner, T::kCopper, 1},
        NameRow{"board-In12_Cu.gbr", true, S::kInner, T::kCopper, 12},
        NameRow{"board-F_Mask.gbr", true, S::kTop, T::kSoldermask, 0},
        NameRow{"board-B_SilkS.gbr", true, S::kBottom, T::kSilkscreen, 0},
        NameRow{"board-F_Paste.gbr", true, S::kTop, T::kSolderpaste, 0},
        NameRow{"board-Edge_Cuts.gbr", true, S::kAll, T::kOutline, 0},
        NameRow{"/some/folder/BOARD.GTL", true, S::kTop, T::kCopper, 0},
        NameRow{"board.gbl", true, S::kBottom, T::kCopper, 0},
        NameRow{"board.G30", true, S::kInner, T::kCopper, 30},
        NameRow{"board.GTS", true, S::kTop, T::kSoldermask, 0},
        NameRow{"board.GBO", true, S::kBottom, T::kSilkscreen, 0},
        NameRow{"board.GTP", true, S::kTop, T::kSolderpaste, 0},
        NameRow{"board.GKO", true, S::kAll, T::kOutline, 0},
        NameRow{"board.GM1", true, S::kAll, T::kOutline, 0},
        NameRow{"board.GML", true, S::kAll, T::kOutline, 0},
        NameRow{"board.cmp", true, S::kTop, T::kCopper, 0},
        NameRow{"board.sol", true, S::kBottom, T::kCopper, 0},
        NameRow{"board.stc", true, S::kTop, T::kSoldermask, 0},
        NameRow{"board.sts", true, S::kBottom, T::kSoldermask, 0},
        NameRow{"board.plc", true, S::kTop, T::kSilkscreen, 0},
        NameRow{"board.pls", true, S::kBottom, T::kSilkscreen, 0},
        NameRow{"board.crc", true, S::kTop, T::kSolderpaste, 0},
        NameRow{"board.crs", true, S::kBottom, T::kSolderpaste, 0},
        NameRow{"board.top", true, S::kTop, T::kCopper, 0},
        NameRow{"board.bot", true, S::kBottom, T::kCopper, 0},
        NameRow{"board.smt", true, S::kTop, T::kSoldermask, 0},
        NameRow{"board.smb", true, S::kBottom, T::kSoldermask, 0},
        NameRow{"board.sst", true, S::kTop, T::kSilkscreen, 0},
        NameRow{"board.ssb", true, S::kBottom, T::kSilkscreen, 0},
        NameRow{"board.spt", true, S::kTop, T::kSolderpaste, 0},
        NameRow{"board.spb", true, S::kBottom, T::kSolderpaste, 0},
        NameRow{"Copper Top.gbr", true, S::kTop, T::kCopper, 0},
        NameRow{"copper_bottom.gbr", true, S::kBottom, T::kCopper, 0},
        NameRow{"TopLayer.gbr", true, S::kTop, T::kCopper, 0},
        NameRow{"Silkscreen Bottom.gbr", true, S::kBottom, T::kSilkscreen, 0},
        NameRow{"silkscreen.gbr", true, S::kNone, T::kSilkscreen, 0},
        NameRow{"Solder Mask Top.gbr", true, S::kTop, T::kSoldermask, 0},
        NameRow{"board_outline.gbr", true, S::kAll, T::kOutline, 0},
        NameRow{"Inner3.gbr", true, S::kInner, T::kCopper, 3},
        NameRow{"drill_map.gbr", true, S::kNone, T::kDrawing, 0},
        // Invalid rows: names that say nothing, or only look like a convention.
        NameRow{"board.gbr", false, S::kNone, T::kOther, 0},
        NameRow{"layer8.gbr", false, S::kNone, T::kOther, 0},
        NameRow{"board.G31", false, S::kNone, T::kOther, 0},
        NameRow{"board.G0", false, S::kNone, T::kOther, 0},
        NameRow{"boardF_Cu.gbr", false, S::kNone, T::kOther, 0},
        NameRow{"", false, S::kNone, T::kOther, 0}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return "n" + name + std::to_string(info.index);
    });

TEST(NameConventionTest, DrillFilesKeepTheirTypeAndTellPlating) {
  struct Row {
    const char* name;
    bool known;
    LayerPlating plating;
  };
  const Row rows[] = {{"board-PTH.drl", true, LayerPlating::kPlated},
                      {"board-NPTH.drl", true, LayerPlating::kNonPlated},
                      {"Drill Non-Plated.xln", true, LayerPlating::kNonPlated},
                      {"board.TXT", true, LayerPlating::kUnstated},
                      {"board-F_Cu.drl", true, LayerPlating::kUnstated},
                      {"x1.dat", false, LayerPlating::kUnstated}};
  int checked = 0;
  for (const Row& row : rows) {
    const auto f = FunctionFromName(row.name, FileKind::kExcellon);
    ASSERT_EQ(f.has_value(), row.known) << row.name;
    if (!f) continue;
    EXPECT_EQ(f->type, LayerType::kDrill) << row.name;
    EXPECT_EQ(f->plating, row.plating) << row.name;
    ++checked;
  }
  EXPECT_EQ(checked, 5);
}

}  // namespace
}  // namespace corvane
