#include "analysis/board_layers.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

StandardLayer Layer(const std::string& name, LayerSide side, LayerType type, int32_t inner = 0,
                    LayerPlating plating = LayerPlating::kUnstated) {
  StandardLayer layer;
  layer.fileName = name;
  layer.function.kind = type == LayerType::kDrill ? FileKind::kExcellon : FileKind::kGerber;
  layer.function.side = side;
  layer.function.type = type;
  layer.function.inner = inner;
  layer.function.plating = plating;
  layer.function.from = FunctionSource::kName;
  layer.source = type == LayerType::kDrill ? StandardSource::kExcellon : StandardSource::kGerber;
  return layer;
}

TEST(BoardLayersTest, FourLayersInStackOrderWithTheirDrillsAndSides) {
  StandardModel model;
  model.layers = {
      Layer("bottom.gbr", LayerSide::kBottom, LayerType::kCopper),
      Layer("in2.gbr", LayerSide::kInner, LayerType::kCopper, 2),
      Layer("npth.drl", LayerSide::kAll, LayerType::kDrill, 0, LayerPlating::kNonPlated),
      Layer("top.gbr", LayerSide::kTop, LayerType::kCopper),
      Layer("in1.gbr", LayerSide::kInner, LayerType::kCopper, 1),
      Layer("pth.drl", LayerSide::kAll, LayerType::kDrill, 0, LayerPlating::kPlated),
      Layer("topmask.gbr", LayerSide::kTop, LayerType::kSoldermask),
      Layer("botsilk.gbr", LayerSide::kBottom, LayerType::kSilkscreen),
      Layer("edge.gbr", LayerSide::kAll, LayerType::kOutline),
      Layer("paste.gbr", LayerSide::kTop, LayerType::kSolderpaste),
  };
  const BoardLayers board = FindBoardLayers(model);
  EXPECT_EQ(board.copper, (std::vector<uint32_t>{3, 4, 1, 0}));
  EXPECT_EQ(board.platedDrills, (std::vector<uint32_t>{5}));
  EXPECT_EQ(board.nonPlatedDrills, (std::vector<uint32_t>{2}));
  EXPECT_EQ(board.outlines, (std::vector<uint32_t>{8}));
  EXPECT_EQ(board.Side(BoardSide::kTop).mask, (std::vector<uint32_t>{6}));
  EXPECT_EQ(board.Side(BoardSide::kTop).paste, (std::vector<uint32_t>{9}));
  EXPECT_EQ(board.Side(BoardSide::kBottom).silkscreen, (std::vector<uint32_t>{7}));
  EXPECT_TRUE(board.Side(BoardSide::kBottom).mask.empty());
  EXPECT_TRUE(board.notes.empty());
}

TEST(BoardLayersTest, SaysWhatItLacksAndWhatItAssumed) {
  StandardModel model;
  model.layers = {Layer("top.gbr", LayerSide::kTop, LayerType::kCopper),
                  Layer("bottom.gbr", LayerSide::kBottom, LayerType::kCopper),
                  Layer("holes.drl", LayerSide::kAll, LayerType::kDrill)};
  StandardLayer unidentified;  // an older work file's drill layer
  unidentified.fileName = "old.drl";
  unidentified.source = StandardSource::kExcellon;
  model.layers.push_back(unidentified);
  const BoardLayers board = FindBoardLayers(model);
  EXPECT_EQ(board.platedDrills, (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(board.notes,
            (std::vector<std::string>{"no inner copper layers",
                                      "holes.drl: plating not stated, taken as plated",
                                      "old.drl: plating not stated, taken as plated"}));

  const BoardLayers empty = FindBoardLayers(StandardModel{});
  EXPECT_EQ(empty.notes, (std::vector<std::string>{"no copper layers", "no plated drill file"}));
}

struct DepthCase {
  LayerSide side;
  LayerType type;
  int32_t inner;
  std::optional<int32_t> depth;
};

TEST(BoardLayersTest, CopperDepthOrdersTopInnerBottomAndNothingElse) {
  const DepthCase cases[] = {
      {LayerSide::kTop, LayerType::kCopper, 0, 0},
      {LayerSide::kInner, LayerType::kCopper, 3, 3},
      {LayerSide::kInner, LayerType::kCopper, 0, 1},  // an inner layer without its number
      {LayerSide::kBottom, LayerType::kCopper, 0, std::numeric_limits<int32_t>::max()},
      {LayerSide::kTop, LayerType::kSoldermask, 0, std::nullopt},
      {LayerSide::kAll, LayerType::kCopper, 0, std::nullopt},
      {LayerSide::kNone, LayerType::kCopper, 0, std::nullopt},
  };
  for (const DepthCase& c : cases) {
    LayerFunction f;
    f.side = c.side;
    f.type = c.type;
    f.inner = c.inner;
    EXPECT_EQ(CopperDepth(f), c.depth) << LayerSideName(c.side) << " " << LayerTypeName(c.type);
  }
}

}  // namespace
}  // namespace corvane
