#include "cli/argument_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr OptionSpec kOptions[] = {
    {"--items"},
    {"--drill-file", {}, true, "a file name"},
    {"-o", {}, true},
    {"-pt", "--print-to", true, "a printer name"},
};

struct Row {
  std::vector<std::string> args;
  bool valid;
  // Given options as "name=value" (flags as "name"), then the operands.
  std::vector<std::string> options;
  std::vector<std::string> operands;
  const char* error = "";
};

std::vector<std::string> Given(const ParsedArguments& parsed) {
  std::vector<std::string> given;
  for (const ParsedArguments::Option& option : parsed.options) {
    given.push_back(std::string(option.name) + (option.value.empty() ? "" : "=" + option.value));
  }
  return given;
}

TEST(ArgumentParserTest, EveryCommandLineRule) {
  const Row rows[] = {
      {{}, true, {}, {}},
      {{"a.gbr", "b.gbr"}, true, {}, {"a.gbr", "b.gbr"}},
      {{"--items", "a.gbr"}, true, {"--items"}, {"a.gbr"}},
      {{"--drill-file", "b.drl"}, true, {"--drill-file=b.drl"}, {}},
      {{"--drill-file=b.drl"}, true, {"--drill-file=b.drl"}, {}},
      {{"--drill-file=a=b"}, true, {"--drill-file=a=b"}, {}},
      {{"--drill-file", "--items"}, true, {"--drill-file=--items"}, {}},
      {{"-o=x.wrk", "-o", "y.wrk"}, true, {"-o=x.wrk", "-o=y.wrk"}, {}},
      {{"--print-to", "lp0"}, true, {"-pt=lp0"}, {}},
      {{"-pt=lp0"}, true, {"-pt=lp0"}, {}},
      {{"--", "--items", "-o"}, true, {}, {"--items", "-o"}},
      {{"-", "--", "--"}, true, {}, {"-", "--"}},
      {{"--bogus"}, false, {}, {}, "unknown option --bogus"},
      {{"a.gbr", "-x"}, false, {}, {}, "unknown option -x"},
      {{"--items=1"}, false, {}, {}, "--items takes no value"},
      {{"--drill-file"}, false, {}, {}, "--drill-file needs a file name"},
      {{"--print-to"}, false, {}, {}, "--print-to needs a printer name"},
      {{"-o"}, false, {}, {}, "-o needs a value"},
      {{"--Items"}, false, {}, {}, "unknown option --Items"},
  };
  int checked = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    ParsedArguments parsed;
    std::string error;
    ASSERT_EQ(ParseArguments(row.args, kOptions, parsed, error), row.valid);
    if (row.valid) {
      EXPECT_EQ(Given(parsed), row.options);
      EXPECT_EQ(parsed.operands, row.operands);
    } else {
      EXPECT_EQ(error, row.error);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 19);
}

TEST(ArgumentParserTest, LastValueCountsAndCountsTell) {
  ParsedArguments parsed;
  std::string error;
  const std::vector<std::string> args = {"-o", "a", "--items", "-o=b", "--items"};
  ASSERT_TRUE(ParseArguments(args, kOptions, parsed, error));
  EXPECT_EQ(parsed.Count("-o"), 2);
  EXPECT_EQ(*parsed.Value("-o"), "b");
  EXPECT_EQ(parsed.Count("--items"), 2);
  EXPECT_EQ(parsed.Value("--drill-file"), nullptr);
  EXPECT_FALSE(parsed.Has("-pt"));
}

TEST(ArgumentParserTest, JoinedListsKeepTheirOrder) {
  constexpr OptionSpec first[] = {{"-a"}};
  constexpr OptionSpec second[] = {{"-b", {}, true}, {"-c"}};
  const std::vector<OptionSpec> joined = JoinOptions({first, second});
  ASSERT_EQ(joined.size(), 3u);
  EXPECT_EQ(joined[0].name, "-a");
  EXPECT_TRUE(joined[1].takesValue);
  EXPECT_EQ(joined[2].name, "-c");
}

}  // namespace
}  // namespace corvane
