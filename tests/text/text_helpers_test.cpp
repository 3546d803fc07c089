#include <gtest/gtest.h>

#include <string>

#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

TEST(AsciiTest, ClassesIgnoreTheLocaleAndBytesAboveAscii) {
  int digits = 0;
  int spaces = 0;
  for (int c = -128; c < 128; ++c) {
    const char ch = static_cast<char>(c);
    digits += IsDigit(ch) ? 1 : 0;
    spaces += IsCSpace(ch) ? 1 : 0;
    EXPECT_EQ(UpperAscii(LowerAscii(ch)), UpperAscii(ch)) << c;
    if (c < 0) {
      EXPECT_EQ(UpperAscii(ch), ch) << c;
    }
  }
  EXPECT_EQ(digits, 10);
  EXPECT_EQ(spaces, 6);
  EXPECT_TRUE(IsBlankOrTab('\t'));
  EXPECT_FALSE(IsBlankOrTab('\n'));
}

TEST(AsciiTest, ComparisonsWithoutCase) {
  struct Row {
    const char* a;
    const char* b;
    bool equal;
    bool endsWith;
  };
  const Row rows[] = {
      {"MirrorX", "mirrorx", true, true},    {"a.WRK", ".wrk", false, true},
      {"MirrorX ", "MirrorX", false, false}, {"", "", true, true},
      {"wrk", ".wrk", false, false},         {"\xC3\xA9", "\xC3\x89", false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(EqualNoCase(row.a, row.b), row.equal) << row.a << "|" << row.b;
    EXPECT_EQ(EndsWithNoCase(row.a, row.b), row.endsWith) << row.a << "|" << row.b;
  }
  EXPECT_STREQ(FindNoCase("D10 Circle 5", "CIRCLE"), "Circle 5");
  EXPECT_EQ(FindNoCase("D10", "D100"), nullptr);
  EXPECT_EQ(FindNoCase("", ""), nullptr);
}

TEST(PathPartsTest, BothSeparatorsSplit) {
  struct Row {
    const char* path;
    const char* folder;
    const char* name;
  };
  const Row rows[] = {
      {"/boards/a/top.gbr", "/boards/a", "top.gbr"},
      {"C:\\boards\\top.gbr", "C:\\boards", "top.gbr"},
      {"sub/dir\\x.drl", "sub/dir", "x.drl"},
      {"top.gbr", "", "top.gbr"},
      {"/top.gbr", "", "top.gbr"},
      {"boards/", "boards", ""},
      {"", "", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PathFolder(row.path), row.folder) << row.path;
    EXPECT_EQ(PathFileName(row.path), row.name) << row.path;
  }
  EXPECT_EQ(WithForwardSlashes("C:\\a\\b/c"), "C:/a/b/c");
  EXPECT_EQ(LastSeparator("a"), std::string::npos);
}

}  // namespace
}  // namespace corvane
