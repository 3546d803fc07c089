#include "app/file_filter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FileFilterTest, ParseTheChooserFilterText) {
  const auto entries = ParseFileFilter(MakeFileFilter("NC Drill Files", "drl"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (FileFilterEntry{"NC Drill Files (*.drl)", {"*.drl"}}));
  EXPECT_EQ(entries[1], (FileFilterEntry{"All Files (*.*)", {"*.*"}}));
  EXPECT_EQ(ParseFileFilter("Plots|*.gbr;*.ger||ignored|*.x").size(), 1u);
  EXPECT_EQ(ParseFileFilter("Plots|*.gbr;*.ger|")[0].patterns.size(), 2u);
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("no patterns").empty());
}

TEST(FileFilterTest, ChooserPatternsMatchEveryFileAndBothCases) {
  using Patterns = std::vector<std::string>;
  const std::pair<Patterns, Patterns> cases[] = {
      {{"*.*"}, {"*"}},
      {{"*.ger"}, {"*.ger", "*.GER"}},
      {{"*.GBR"}, {"*.GBR", "*.gbr"}},
      {{"*.Drl"}, {"*.Drl", "*.drl", "*.DRL"}},
      {{"*.123"}, {"*.123"}},
      {{"*.gbr", "*.GBR", "*.*"}, {"*.gbr", "*.GBR", "*"}},
      {{}, {}},
  };
  for (const auto& [patterns, expected] : cases) EXPECT_EQ(ChooserPatterns(patterns), expected);
}

TEST(FileFilterTest, DefaultExtensionOnlyWhenTheNameHasNone) {
  EXPECT_EQ(WithDefaultExtension("/w/board", "wrk"), "/w/board.wrk");
  EXPECT_EQ(WithDefaultExtension("/w/board.txt", "wrk"), "/w/board.txt");
  EXPECT_EQ(WithDefaultExtension("/w.d/board", "wrk"), "/w.d/board.wrk");
  EXPECT_EQ(WithDefaultExtension("/w/", "wrk"), "/w/");
}

}  // namespace
}  // namespace corvane
