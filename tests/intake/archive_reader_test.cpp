#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_writer.h"
#include "intake/archive_cache.h"
#include "intake/archive_reader.h"
#include "loading/text_file.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using Type = TestEntry::Type;

const std::string kTop = "%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%D10*X0Y0D03*M02*";

TEST(ArchiveReaderTest, ReadsEveryFormatInMemory) {
  const std::vector<TestEntry> entries{{"gerbers/", "", Type::kDirectory},
                                       {"gerbers/board-F_Cu.gbr", kTop},
                                       {"./board.drl", "M48\nT1C0.3\n%\nT1\nX1Y1\nM30\n"}};
  int checked = 0;
  for (const TestFormat format : {TestFormat::kZip, TestFormat::kTarGz, TestFormat::kSevenZip}) {
    const ArchiveContents contents = ReadArchive(WriteTestArchive(entries, format));
    ASSERT_FALSE(contents.Refused()) << contents.refusal;
    ASSERT_EQ(contents.members.size(), 2u);
    EXPECT_EQ(contents.members[0].path, "gerbers/board-F_Cu.gbr");
    EXPECT_EQ(*contents.members[0].bytes, kTop);
    EXPECT_EQ(contents.members[1].path, "board.drl");  // "./" is no part of the name
    ++checked;
  }
  EXPECT_EQ(checked, 3);
}

TEST(ArchiveReaderTest, ReadsOneArchiveInsideAnother) {
  const std::string inner = WriteTestArchive({{"board-F_Cu.gbr", kTop}}, TestFormat::kZip);
  const ArchiveContents contents =
      ReadArchive(WriteTestArchive({{"panel.zip", inner}, {"notes.txt", "x"}}, TestFormat::kZip));
  ASSERT_FALSE(contents.Refused()) << contents.refusal;
  ASSERT_EQ(contents.members.size(), 2u);
  EXPECT_EQ(contents.members[0].path, "panel.zip/board-F_Cu.gbr");
  EXPECT_NE(FindArchiveMember(contents, "notes.txt"), nullptr);
  EXPECT_EQ(FindArchiveMember(contents, "panel.zip"), nullptr);
}

struct HostileRow {
  const char* name;
  std::vector<TestEntry> entries;
  TestFormat format;
  ArchiveLimits limits;
  std::string reason;  // a part of the refusal
};

class HostileArchiveTest : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileArchiveTest, IsRefusedAsAWholeWithOneReason) {
  const HostileRow& row = GetParam();
  const std::string bytes = WriteTestArchive(row.entries, row.format);
  if (bytes.empty()) GTEST_SKIP() << "libarchive cannot write this archive here";
  const ArchiveContents contents = ReadArchive(bytes, row.limits);
  ASSERT_TRUE(contents.Refused()) << row.name;
  EXPECT_NE(contents.refusal.find(row.reason), std::string::npos) << contents.refusal;
  EXPECT_TRUE(contents.members.empty());
}

ArchiveLimits Limits(uint64_t bytes, uint32_t entries) {
  ArchiveLimits limits;
  limits.maxExpandedBytes = bytes;
  limits.maxEntries = entries;
  return limits;
}

std::string Nested(int depth) {
  std::string bytes = WriteTestArchive({{"a.gbr", kTop}}, TestFormat::kZip);
  for (int i = 0; i < depth; ++i) bytes = WriteTestArchive({{"inner.zip", bytes}}, TestFormat::kZip);
  return bytes;
}

std::vector<TestEntry> ManyEntries(int count) {
  std::vector<TestEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back({"f" + std::to_string(i) + ".gbr", "x"});
  return entries;
}

INSTANTIATE_TEST_SUITE_P(
    Archives, HostileArchiveTest,
    ::testing::Values(
        HostileRow{"ClimbsOut", {{"ok.gbr", kTop}, {"../evil.gbr", kTop}}, TestFormat::kZip, {},
                   "climbs out"},
        HostileRow{"ClimbsOutInTheMiddle", {{"a/../../evil.gbr", kTop}}, TestFormat::kTarGz, {},
                   "climbs out"},
        HostileRow{"BackslashesClimbToo", {{"a\\..\\..\\evil.gbr", kTop}}, TestFormat::kZip, {},
                   "climbs out"},
        HostileRow{"AbsoluteName", {{"/etc/passwd", "x"}}, TestFormat::kTarGz, {}, "absolute"},
        HostileRow{"DriveLetter", {{"C:/evil.gbr", "x"}}, TestFormat::kZip, {}, "absolute"},
        HostileRow{"SymbolicLink", {{"link.gbr", "", Type::kSymlink, "/etc/passwd"}},
                   TestFormat::kTarGz, {}, "is a link"},
        HostileRow{"HardLink", {{"a.gbr", kTop}, {"b.gbr", "", Type::kHardlink, "a.gbr"}},
                   TestFormat::kTarGz, {}, "is a link"},
        HostileRow{"TooManyEntries", ManyEntries(30), TestFormat::kZip, Limits(1 << 20, 20),
                   "more than 20 entries"},
        HostileRow{"ExpandsTooFar", {{"zeros.gbr", std::string(3 << 20, '0')}}, TestFormat::kZip,
                   Limits(2 << 20, 100), "expands beyond 2 MB"},
        HostileRow{"ExpandsTooFarTogether",
                   {{"a.gbr", std::string(1 << 20, '0')}, {"b.gbr", std::string(1 << 20, '0')},
                    {"c.gbr", std::string(1 << 20, '0')}},
                   TestFormat::kTarGz, Limits(2 << 20, 100), "expands beyond 2 MB"},
        HostileRow{"PasswordProtected", {{"a.gbr", kTop}}, TestFormat::kEncryptedZip, {},
                   "password-protected"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveReaderTest, RefusesNestingBeyondOneLevelAndCorruptArchives) {
  EXPECT_FALSE(ReadArchive(Nested(1)).Refused());
  const ArchiveContents deep = ReadArchive(Nested(2));
  ASSERT_TRUE(deep.Refused());
  EXPECT_NE(deep.refusal.find("deeper than one level"), std::string::npos) << deep.refusal;

  // Content that does not compress, so that half of the archive is half its data.
  std::string noise;
  uint32_t x = 1;
  for (int i = 0; i < 100000; ++i) {
    x = x * 1103515245u + 12345u;
    noise.push_back(static_cast<char>('a' + (x >> 16) % 26));
  }
  for (const TestFormat format : {TestFormat::kTarGz, TestFormat::kZip}) {
    std::string cut = WriteTestArchive({{"a.gbr", noise}}, format);
    cut.resize(cut.size() / 2);
    EXPECT_TRUE(ReadArchive(cut).Refused());
  }
  EXPECT_TRUE(ReadArchive("PK\x03\x04 not really").Refused());
  EXPECT_TRUE(ReadArchive("").Refused());
}

TEST(ArchiveCacheTest, ServesMembersByPathAndReadsAChangedArchiveAgain) {
  TempFolder folder;
  const std::string zip = folder.Write(
      "fab.zip", WriteTestArchive({{"gerbers/top.gbr", kTop}}, TestFormat::kZip));
  ArchiveCache cache;
  ArchiveCache::Member member = cache.FindMember(zip + "/gerbers/top.gbr");
  ASSERT_NE(member.bytes, nullptr);
  EXPECT_EQ(*member.bytes, kTop);
  EXPECT_EQ(member.archive, zip);
  EXPECT_EQ(cache.FindMember(zip + "/gerbers/none.gbr").bytes, nullptr);
  EXPECT_TRUE(cache.FindMember(folder.File("plain/top.gbr")).archive.empty());

  // A new archive under the same name (another size) is read again.
  folder.Write("fab.zip", WriteTestArchive({{"gerbers/top.gbr", kTop + "\n%"}}, TestFormat::kZip));
  member = cache.FindMember(zip + "/gerbers/top.gbr");
  ASSERT_NE(member.bytes, nullptr);
  EXPECT_EQ(*member.bytes, kTop + "\n%");

  // A hostile archive gives its reason and no bytes.
  const std::string bad = folder.Write("bad.zip", WriteTestArchive({{"../x.gbr", kTop}}, TestFormat::kZip));
  member = cache.FindMember(bad + "/x.gbr");
  EXPECT_EQ(member.bytes, nullptr);
  EXPECT_NE(member.refusal.find("climbs out"), std::string::npos);
}

TEST(ArchiveCacheTest, KeepsToItsBudget) {
  TempFolder folder;
  ArchiveCache cache(3 << 20);
  for (int i = 0; i < 4; ++i) {
    const std::string zip = folder.Write("a" + std::to_string(i) + ".zip",
                                         WriteTestArchive({{"big.gbr", std::string(1 << 20, 'x')}},
                                                          TestFormat::kZip));
    EXPECT_FALSE(cache.Open(zip)->Refused());
    EXPECT_LE(cache.HeldBytes(), 3u << 20);
  }
  EXPECT_GE(cache.HeldBytes(), 2u << 20);
}

TEST(ArchiveCacheTest, TextFileOpensAMemberOfTheSharedCache) {
  TempFolder folder;
  const std::string zip =
      folder.Write("fab.zip", WriteTestArchive({{"a.apr", "D10 CIRCLE 10\r\nD11 SQUARE 20\r\n"}},
                                               TestFormat::kZip));
  TextFile file;
  ASSERT_TRUE(file.Open(zip + "/a.apr"));
  char line[kLineLimit + 1];
  ASSERT_GT(ReadLine(file, line, kLineLimit), 0u);
  EXPECT_STREQ(line, "D10 CIRCLE 10");
  std::string rest;
  file.ReadRest(rest);
  EXPECT_EQ(rest, "\nD11 SQUARE 20\r\n");  // the rest begins after the carriage return
  EXPECT_FALSE(file.Open(zip + "/missing.apr"));
  EXPECT_FALSE(file.Open(folder.File("nothing/a.apr")));
}

}  // namespace
}  // namespace corvane
