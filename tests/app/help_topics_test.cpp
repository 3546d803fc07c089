#include "app/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane {
namespace {

const std::filesystem::path kHelpDir =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "help").lexically_normal();

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(HelpTopicsTest, ParseAndResolve) {
  const HelpTopicMap map = HelpTopicMap::Parse(
      "# comment\n"
      "contents start.html\n"
      "0x2008F  gerber_format.html  # hex\n"
      "131222 gerber_files.html\r\n"
      "bogus page.html\n"
      "131999\n");
  EXPECT_EQ(map.ContentsPage(), "start.html");
  EXPECT_EQ(map.PageForTopic(131215), "gerber_format.html");
  EXPECT_EQ(map.Resolve(131222, kHelpContext), "gerber_files.html");
  EXPECT_EQ(map.Resolve(0, kHelpFinder), "start.html");
  EXPECT_EQ(map.Resolve(131999, kHelpContext), "start.html");  // unknown topic
  EXPECT_EQ(map.Resolve(0, 99), std::nullopt);
  EXPECT_EQ(map.Topics().size(), 2u);
}

TEST(HelpTopicsTest, DialogTopicNumbers) {
  EXPECT_EQ(HelpTopicForDialog(kDlgSetVisibility), 131215u);
  EXPECT_EQ(HelpTopicForDialog(kDlgDrillToolList), 131225u);
}

// The shipped map names a page for every dialog, and every page it names exists.
TEST(HelpTopicsTest, ShippedMapCoversEveryDialog) {
  const HelpTopicMap map = HelpTopicMap::Parse(ReadText(kHelpDir / "topics.map"));
  for (const uint32_t dialog :
       {kDlgSetVisibility, kDlgGerberFormat, kDlgDrillFormat, kDlgApertureFormat, kDlgGerberFiles,
        kDlgDrillToolFormat, kDlgApertureList, kDlgDrillToolList}) {
    const auto page = map.PageForTopic(HelpTopicForDialog(dialog));
    ASSERT_TRUE(page.has_value()) << dialog;
    EXPECT_TRUE(std::filesystem::exists(kHelpDir / *page)) << *page;
  }
  EXPECT_TRUE(std::filesystem::exists(kHelpDir / map.ContentsPage()));
  EXPECT_TRUE(std::filesystem::exists(kHelpDir / map.IndexPage()));
}

}  // namespace
}  // namespace corvane
