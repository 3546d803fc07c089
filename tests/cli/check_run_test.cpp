#include "cli/check_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace corvane {
namespace {

struct CheckOutput {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

CheckOutput RunWith(std::vector<std::string> args) {
  CheckOutput run;
  CheckEnvironment environment;
  environment.writeOutput = [&](std::string_view line) { run.out.emplace_back(line); };
  environment.writeError = [&](std::string_view line) { run.err.emplace_back(line); };
  environment.threads = 2;
  args.insert(args.begin(), "--defaults");
  run.status = RunCheck(args, environment);
  return run;
}

class CheckRunTest : public ::testing::Test {
 protected:
  CheckRunTest() {
    // Top copper: a 1 mm pad with a 0.08 mm stub running right from it.
    copper = folder.Write("top.gbr",
                          "%TF.FileFunction,Copper,L1,Top*%%FSLAX46Y46*%%MOMM*%"
                          "%ADD10R,1X1*%%ADD11C,0.08*%D10*X0Y0D03*D11*X500000Y0D02*"
                          "X1500000Y0D01*M02*");
  }
  TempFolder folder;
  std::string copper;
};

TEST_F(CheckRunTest, FindsTheStubAndSaysSoInLinesAndJson) {
  const CheckOutput lines = RunWith({"--min-width", "0.1", copper});
  EXPECT_EQ(lines.status, 1);
  ASSERT_EQ(lines.out.size(), 1u);
  EXPECT_EQ(lines.out[0].rfind("width " + copper + ": at 1.0", 0), 0u) << lines.out[0];
  EXPECT_NE(lines.out[0].find("required 0.100000 mm"), std::string::npos);

  const CheckOutput json = RunWith({"--json", "--min-width=0.1", copper});
  EXPECT_EQ(json.status, 1);
  ASSERT_EQ(json.out.size(), 1u);
  const auto parsed = nlohmann::json::parse(json.out[0]);
  ASSERT_EQ(parsed["findings"].size(), 1u);
  const auto& finding = parsed["findings"][0];
  EXPECT_EQ(finding["rule"], "width");
  EXPECT_EQ(finding["layer"], copper);
  EXPECT_NEAR(finding["measured_mm"].get<double>(), 0.08, 0.005);
  EXPECT_NEAR(finding["at_mm"][0].get<double>(), 1.05, 0.05);
  EXPECT_EQ(finding["box_mm"].size(), 4u);
  EXPECT_EQ(parsed["counts"]["width"], 1);
  EXPECT_EQ(parsed["counts"]["clearance"], 0);
}

TEST_F(CheckRunTest, NothingFoundIsExitZero) {
  const CheckOutput run = RunWith({"--min-width", "0.05", "--min-clearance", "0.1", copper});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.empty());
}

TEST_F(CheckRunTest, ARulesFileTurnsEveryRuleOnAndAnOptionOverridesIt) {
  const std::string rules = folder.Write("shop.ini", "[rules]\nmin-width = 0.05\n");
  const CheckOutput run = RunWith({"--rules", rules, copper});
  EXPECT_EQ(run.status, 0);
  // The other rules are on at the usual values and say what they lack.
  bool passedOver = false;
  for (const std::string& line : run.err) {
    passedOver = passedOver || line.find("annular-ring: not checked") != std::string::npos;
  }
  EXPECT_TRUE(passedOver);
  EXPECT_EQ(RunWith({"--rules", rules, "--min-width", "0.1", copper}).status, 1);
}

TEST_F(CheckRunTest, BadValuesAreRefusedNamingTheOption) {
  const std::string broken = folder.Write("broken.json", R"({"min-drill": 0})");
  struct Case {
    std::vector<std::string> args;
    const char* named;
  };
  const Case cases[] = {
      {{"--min-width", "0", copper}, "--min-width"},
      {{"--min-clearance", "-0.1", copper}, "--min-clearance"},
      {{"--min-mask-web", "thin", copper}, "--min-mask-web"},
      {{"--rules", folder.File("missing.ini"), copper}, "--rules"},
      {{"--rules", broken, copper}, "min-drill"},
      {{copper}, "no rule"},
      {{"--min-width", "0.1"}, ""},
  };
  for (const Case& c : cases) {
    const CheckOutput run = RunWith(c.args);
    EXPECT_EQ(run.status, 2) << c.named;
    EXPECT_TRUE(run.out.empty());
    ASSERT_FALSE(run.err.empty());
    EXPECT_NE(run.err[0].find(c.named), std::string::npos) << run.err[0];
  }
}

}  // namespace
}  // namespace corvane
