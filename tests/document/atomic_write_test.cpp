#include "document/atomic_write.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_folder.h"

namespace corvane {
namespace {

std::size_t EntriesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicWriteTest, ReplacesTheFileAndKeepsItsPermissions) {
  TempFolder folder;
  const std::string path = folder.Write("board.wrk", "old contents that are longer");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const FileResult result = WriteFileAtomically(path, "new\r\n");
  EXPECT_TRUE(result.ok) << result.message;
  EXPECT_EQ(TempFolder::Read(path), "new\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST(AtomicWriteTest, LongestFileNameStillSaves) {
  TempFolder folder;
  const std::string path = folder.File(std::string(251, 'n') + ".wrk");
  ASSERT_TRUE(WriteFileAtomically(path, "x").ok);
  EXPECT_EQ(TempFolder::Read(path), "x");
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST(AtomicWriteTest, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  TempFolder folder;
  const std::string real = folder.Write("real.wrk", "old");
  const std::string link = folder.File("link.wrk");
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(link, "new").ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempFolder::Read(real), "new");
}

TEST(AtomicWriteTest, MissingFolderIsReportedWithTheFileName) {
  TempFolder folder;
  const std::string path = folder.File("no/such/folder/board.wrk");
  const FileResult result = WriteFileAtomically(path, "x");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find(path), std::string::npos);
  EXPECT_NE(result.message.find("No such file or directory"), std::string::npos);
}

TEST(AtomicWriteTest, TargetThatIsAFolderFailsAndLeavesNothingBehind) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("board.wrk"));
  EXPECT_FALSE(WriteFileAtomically(folder.File("board.wrk"), "x").ok);
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("board.wrk")));
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST(AtomicWriteTest, ReadOnlyFolderLeavesTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder folder;
  const std::string path = folder.Write("board.wrk", "old");
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
  EXPECT_FALSE(WriteFileAtomically(path, "new").ok);
  EXPECT_EQ(TempFolder::Read(path), "old");
}

// A write that fails half-way (here: the file size limit, which binds even the
// superuser, standing in for a full disk) must leave the old file whole.
TEST(AtomicWriteTest, WriteFailingHalfWayLeavesTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Write("board.wrk", "old contents");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileResult result = WriteFileAtomically(path, std::string(4096, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.message.empty());
  EXPECT_EQ(TempFolder::Read(path), "old contents");
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

}  // namespace
}  // namespace corvane
