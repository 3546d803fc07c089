#include "app/recent_file_list.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"

namespace corvane {
namespace {

std::vector<std::string> Stored(const MemorySettingsStore& store) {
  std::vector<std::string> out;
  for (int i = 1; i <= 4; ++i) {
    out.push_back(store.ReadText(kSectionRecentFiles, "File" + std::to_string(i), "-"));
  }
  return out;
}

TEST(RecentFileListTest, NewestFirstAtMostFourWrittenAtOnce) {
  MemorySettingsStore store;
  RecentFileList list(&store);
  for (const char* p : {"/a.wrk", "/b.wrk", "/c.wrk", "/d.wrk", "/e.wrk"}) list.Add(p);
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/e.wrk", "/d.wrk", "/c.wrk", "/b.wrk"}));
  EXPECT_EQ(Stored(store), list.Paths());
}

TEST(RecentFileListTest, AKnownFileMovesToTheTop) {
  MemorySettingsStore store;
  RecentFileList list(&store);
  for (const char* p : {"/a.wrk", "/b.wrk", "/c.wrk"}) list.Add(p);
  list.Add("/a.wrk");
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/a.wrk", "/c.wrk", "/b.wrk"}));
  EXPECT_EQ(Stored(store), (std::vector<std::string>{"/a.wrk", "/c.wrk", "/b.wrk", ""}));
}

TEST(RecentFileListTest, LoadSkipsGapsAndRepeats) {
  MemorySettingsStore store;
  store.WriteText(kSectionRecentFiles, "File1", "/x.wrk");
  store.WriteText(kSectionRecentFiles, "File3", "/y.wrk");
  store.WriteText(kSectionRecentFiles, "File4", "/x.wrk");
  RecentFileList list(&store);
  list.Load();
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/x.wrk", "/y.wrk"}));
  list.Remove(0);
  EXPECT_EQ(Stored(store), (std::vector<std::string>{"/y.wrk", "", "", ""}));
  EXPECT_EQ(list.Get(5), "");
}

TEST(RecentFileListTest, MenuTextNumbersAndEscapes) {
  RecentFileList list(nullptr);
  list.Add("/boards/R&D.wrk");
  EXPECT_EQ(list.MenuText(0, "/boards"), "&1 R&&D.wrk");
  EXPECT_EQ(list.MenuText(0, "/home"), "&1 /boards/R&&D.wrk");
}

struct AbbreviateRow {
  const char* path;
  const char* currentDir;
  const char* expected;
};

TEST(RecentFileListTest, AbbreviatePath) {
  const AbbreviateRow rows[] = {
      {"/home/ann/demo.wrk", "/home/ann", "demo.wrk"},
      {"/home/ann/demo.wrk", "", "/home/ann/demo.wrk"},
      {"/home/ann/boards/project/rev2/demo.wrk", "/tmp", "/home/.../rev2/demo.wrk"},
      {"/home/ann/boards/project/a-very-long-revision-name/demo.wrk", "/tmp", "/home/.../demo.wrk"},
      {"relative-name-that-is-longer-than-thirty.wrk", "/tmp",
       "relative-name-that-is-longer-than-thirty.wrk"},
      {"C:\\boards\\customer\\project\\rev2\\demo.wrk", "", "C:\\...\\project\\rev2\\demo.wrk"},
  };
  for (const AbbreviateRow& row : rows) {
    EXPECT_EQ(AbbreviatePath(row.path, row.currentDir), row.expected) << row.path;
  }
}

}  // namespace
}  // namespace corvane
