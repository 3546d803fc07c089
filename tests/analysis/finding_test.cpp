#include "analysis/finding.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Finding At(const std::string& layer, double x, double y) {
  Finding f;
  f.rule = "width";
  f.layers = {layer};
  f.atX = x;
  f.atY = y;
  return f;
}

TEST(FindingListTest, KeepsTheFirstTenThousandAndCountsTheRest) {
  FindingList list;
  for (std::size_t i = 0; i < kMaxListedFindings + 25; ++i) list.Add(At("a", i, 0));
  EXPECT_EQ(list.listed.size(), kMaxListedFindings);
  EXPECT_EQ(list.unlisted, 25u);
  EXPECT_EQ(list.Total(), kMaxListedFindings + 25);
  EXPECT_DOUBLE_EQ(list.listed.back().atX, static_cast<double>(kMaxListedFindings - 1));
}

TEST(FindingListTest, SortsByLayerThenPosition) {
  FindingList list;
  list.Add(At("b.gbr", 0, 0));
  list.Add(At("a.gbr", 5, 1));
  list.Add(At("a.gbr", 9, 0));
  list.Add(At("a.gbr", 1, 1));
  Finding none = At("", 3, 3);
  none.layers.clear();
  list.Add(none);
  list.SortByLayerAndPosition();
  ASSERT_EQ(list.listed.size(), 5u);
  EXPECT_TRUE(list.listed[0].layers.empty());
  EXPECT_DOUBLE_EQ(list.listed[1].atX, 9);
  EXPECT_DOUBLE_EQ(list.listed[2].atX, 1);
  EXPECT_DOUBLE_EQ(list.listed[3].atX, 5);
  EXPECT_EQ(list.listed[4].layers[0], "b.gbr");
}

TEST(FindingBoxTest, GrowsOverPointsAndBoxesAndIgnoresEmptyOnes) {
  FindingBox box;
  EXPECT_TRUE(box.Empty());
  box.Add(FindingBox{});
  EXPECT_TRUE(box.Empty());
  box.Add(1, 2);
  box.Add(-1, 5);
  EXPECT_EQ(box, (FindingBox{-1, 2, 1, 5}));
  box.Add(FindingBox{0, 0, 0.5, 0.5});
  EXPECT_EQ(box, (FindingBox{-1, 0, 1, 5}));
}

}  // namespace
}  // namespace corvane
