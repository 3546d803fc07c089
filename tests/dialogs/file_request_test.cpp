#include "dialogs/file_request.h"

#include <gtest/gtest.h>

#include <string>

#include "app/file_filter.h"
#include "temp_folder.h"

namespace corvane {
namespace {

std::vector<std::string> Names(const std::vector<FileFilterEntry>& entries) {
  std::vector<std::string> names;
  for (const FileFilterEntry& entry : entries) names.push_back(entry.name);
  return names;
}

bool Lists(const FileFilterEntry& entry, const std::string& pattern) {
  for (const std::string& p : entry.patterns)
    if (p == pattern) return true;
  return false;
}

TEST(FileRequestTest, TodaysExtensionsComeBeforeAllFiles) {
  struct Case {
    const char* filter;
    FileFamily family;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"Gerber Plot Files (*.gbr)|*.gbr|All Files (*.*)|*.*||",
       FileFamily::kPlot,
       {"Gerber Plot Files (*.gbr)", "All Plot Files", "All Files (*.*)"}},
      {"NC Drill Files (*.drl)|*.drl|All Files (*.*)|*.*||",
       FileFamily::kDrill,
       {"NC Drill Files (*.drl)", "All Drill Files", "All Files (*.*)"}},
      // Without an "All Files" entry one is added after the new one.
      {"Work Files (*.wrk)|*.wrk||",
       FileFamily::kDrill,
       {"Work Files (*.wrk)", "All Drill Files", "All Files (*.*)"}},
      {"", FileFamily::kPlot, {"All Plot Files", "All Files (*.*)"}},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    const std::string filter = WithTodaysExtensions(c.filter, c.family);
    EXPECT_TRUE(filter.ends_with("||"));
    const std::vector<FileFilterEntry> entries = ParseFileFilter(filter);
    ASSERT_EQ(Names(entries), c.names);
    const FileFilterEntry& added = entries[entries.size() - 2];
    if (c.family == FileFamily::kPlot) {
      for (const char* p : {"*.gbr", "*.ger", "*.gtl", "*.gbs", "*.gko", "*.g[0-9]*", "*.cmp"})
        EXPECT_TRUE(Lists(added, p)) << p;
      EXPECT_FALSE(Lists(added, "*.drl"));
      EXPECT_FALSE(Lists(added, "*.gbr_outline"));
    } else {
      for (const char* p : {"*.drl", "*.xln", "*.exc", "*.txt", "*.nc"})
        EXPECT_TRUE(Lists(added, p)) << p;
      EXPECT_FALSE(Lists(added, "*.gbr"));
    }
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

TEST(FileRequestTest, ATypedNameOpensWhenItNamesAnExistingFile) {
  TempFolder folder;
  folder.Write("board.GKO", "x");
  folder.Write("sub/top.art", "x");
  struct Case {
    std::string typed;
    std::string expected;  // empty: nothing to open
  };
  const Case cases[] = {
      {"board.GKO", folder.File("board.GKO")},
      {"sub/top.art", folder.File("sub/top.art")},
      {"./sub/../board.GKO", folder.File("board.GKO")},
      {folder.File("sub/top.art"), folder.File("sub/top.art")},
      // Invalid rows: missing files, folders and nothing typed open nothing.
      {"board.gko2", ""},
      {"sub", ""},
      {folder.Path(), ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const auto opened = TypedFileToOpen(folder.Path(), c.typed);
    EXPECT_EQ(opened.value_or(""), c.expected);
  }
}

}  // namespace
}  // namespace corvane
