#include "dialogs/path_shortening.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace corvane {
namespace {

struct StepCase {
  const char* path;
  std::optional<std::string> shortened;  // nothing: the step is refused
};

TEST(PathShorteningTest, OneStepDropsTheFolderAfterTheFirstComponent) {
  const StepCase cases[] = {
      {R"(C:\a\b\c\x.gbr)", R"(C:\.....\b\c\x.gbr)"},
      {R"(C:\.....\b\c\x.gbr)", R"(C:\.....\c\x.gbr)"},
      {R"(C:\.....\c\x.gbr)", R"(C:\.....\x.gbr)"},
      {R"(C:\.....\x.gbr)", std::nullopt},  // the shortest form
      {"/home/u/boards/x.gbr", "/...../u/boards/x.gbr"},
      {"/...../u/boards/x.gbr", "/...../boards/x.gbr"},
      {"/...../boards/x.gbr", "/...../x.gbr"},
      {"/...../x.gbr", std::nullopt},
      {"boards/top/x.gbr", "boards/...../x.gbr"},  // a relative path keeps its first folder
      {R"(C:\a/b\x.gbr)", R"(C:\...../b\x.gbr)"},  // either separator, each kept where it was
      {R"(\\server\share\x.gbr)", R"(\.....\server\share\x.gbr)"},
      {R"(C:\.....more\b\x.gbr)", R"(C:\.....\x.gbr)"},  // a whole "....." component is skipped
      {"/x.gbr", std::nullopt},                          // only the file name after the root
      {"/a", std::nullopt},                              // the rest is one character
      {"/", std::nullopt},
      {"x.gbr", std::nullopt},  // no separator at all
      {"", std::nullopt},
  };
  for (const StepCase& c : cases) EXPECT_EQ(ShortenPathStep(c.path), c.shortened) << c.path;
}

TEST(PathShorteningTest, PathsOf261CharactersOrMoreAreNotShortened) {
  const std::string folder(249, 'f');
  const std::string at260 = "/a/" + folder + "/xyz.gbr";
  ASSERT_EQ(at260.size(), 260u);
  EXPECT_EQ(ShortenPathStep(at260), "/...../" + folder + "/xyz.gbr");
  const std::string at261 = at260 + "x";
  EXPECT_EQ(ShortenPathStep(at261), std::nullopt);
  const auto count = [](std::string_view text) { return static_cast<int32_t>(text.size()); };
  EXPECT_EQ(ShortenPathToFit(at261, 20, count), at261);
}

struct FitCase {
  const char* path;
  int32_t width;  // one unit per character
  const char* shown;
};

TEST(PathShorteningTest, ShortensStepByStepUntilThePathFits) {
  const FitCase cases[] = {
      {"/home/u/boards/x.gbr", 20, "/home/u/boards/x.gbr"},  // fits already
      {"/home/u/boards/x.gbr", 19, "/...../boards/x.gbr"},   // first step is 21 wide
      {"/home/u/boards/x.gbr", 13, "/...../x.gbr"},
      {"/home/u/boards/x.gbr", 1, "/...../x.gbr"},  // nothing shorter exists
      {"top.gbr", 3, "top.gbr"},
      {"", 0, ""},
  };
  int measured = 0;
  const auto count = [&measured](std::string_view text) {
    ++measured;
    return static_cast<int32_t>(text.size());
  };
  for (const FitCase& c : cases)
    EXPECT_EQ(ShortenPathToFit(c.path, c.width, count), c.shown) << c.path;
  EXPECT_GT(measured, static_cast<int>(std::size(cases)));
}

TEST(PathShorteningTest, RepeatedSeparatorsStillEnd) {
  const auto alwaysTooWide = [](std::string_view) { return 1000; };
  EXPECT_EQ(ShortenPathToFit("/////a//b/x.gbr", 10, alwaysTooWide), "/...../x.gbr");
}

}  // namespace
}  // namespace corvane
