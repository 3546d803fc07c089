#include "loading/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

#include "temp_folder.h"

namespace corvane {
namespace {

struct Line {
  std::string text;
  std::size_t consumed;
  friend bool operator==(const Line&, const Line&) = default;
};

std::vector<Line> ReadAllLines(const std::string& path, std::size_t limit) {
  TextFile file;
  EXPECT_TRUE(file.Open(path));
  std::vector<Line> lines;
  std::string buffer(limit + 1, 'Z');
  for (;;) {
    const std::size_t consumed = ReadLine(file, buffer.data(), limit);
    if (consumed == 0) break;
    lines.push_back({std::string(buffer.c_str()), consumed});
  }
  return lines;
}

struct LineCase {
  const char* name;
  std::string contents;
  std::vector<Line> lines;
};

class ReadLineEnds : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadLineEnds, SplitLines) {
  TempFolder folder;
  const std::string path = folder.Write("lines.txt", GetParam().contents);
  EXPECT_EQ(ReadAllLines(path, kLineLimit), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLineEnds,
    ::testing::Values(
        // CR LF reads as it always has: the LF opens the next line and is dropped.
        LineCase{"CarriageReturnLineFeed", "a\r\nbb\r\n", {{"a", 2}, {"bb", 4}, {"", 1}}},
        LineCase{"LineFeedOnly", "a\nbb\n", {{"a", 2}, {"bb", 3}}},
        LineCase{"CarriageReturnOnly", "a\rbb", {{"a", 2}, {"bb", 2}}},
        LineCase{"EmptyLinesBetweenLineFeeds", "a\n\nb", {{"a", 2}, {"", 1}, {"b", 1}}},
        LineCase{"LineFeedCarriageReturnIsTwoEnds", "a\n\rb", {{"a", 2}, {"", 1}, {"b", 1}}},
        LineCase{"EmptyFile", "", {}},
        LineCase{"NulIsStored", std::string("a\0b\n", 4), {{"a", 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadLineTest, LongLinesAreCutAtTheLimit) {
  TempFolder folder;
  const std::string path = folder.Write("long.txt", std::string(1200, 'x') + "\r\nend\r\n");
  const std::vector<Line> lines = ReadAllLines(path, kLineLimit);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text.size(), 510u);
  EXPECT_EQ(lines[1].text.size(), 510u);
  EXPECT_EQ(lines[2], (Line{std::string(180, 'x'), 181}));
  EXPECT_EQ(lines[3], (Line{"end", 5}));
}

TEST(ReadLineTest, HundredThousandCharacterLineOfBinaryBytes) {
  std::string contents;
  for (int i = 0; i < 100000; ++i) contents.push_back(static_cast<char>((i * 7) % 256));
  TempFolder folder;
  const std::string path = folder.Write("binary.bin", contents);
  std::size_t total = 0;
  for (const Line& line : ReadAllLines(path, kLineLimit)) {
    EXPECT_LE(line.consumed, kLineLimit + 2);
    total += line.consumed;
  }
  EXPECT_EQ(total, contents.size());
}

TEST(TextFileTest, OnlyRegularFilesOpen) {
  TempFolder folder;
  const std::string fifo = folder.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  TextFile file;
  EXPECT_FALSE(file.Open(folder.Path()));
  EXPECT_EQ(file.OpenError(), EISDIR);
  EXPECT_FALSE(file.Open("/dev/zero"));
  EXPECT_FALSE(file.Open(fifo));  // must not wait for a writer
  EXPECT_FALSE(file.Open(folder.File("missing")));
  EXPECT_EQ(file.OpenError(), ENOENT);
  EXPECT_FALSE(file.Open(""));
  EXPECT_TRUE(file.Open(folder.Write("ok.txt", "x")));
  EXPECT_EQ(file.Get(), 'x');
  EXPECT_EQ(file.Get(), -1);
}

}  // namespace
}  // namespace corvane
