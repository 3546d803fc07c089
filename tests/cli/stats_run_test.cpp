#include "cli/stats_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace corvane {
namespace {

struct StatsOutput {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

StatsOutput Stats(std::vector<std::string> args) {
  StatsOutput run;
  StatsEnvironment environment;
  environment.writeOutput = [&](std::string_view line) { run.out.emplace_back(line); };
  environment.writeError = [&](std::string_view line) { run.err.emplace_back(line); };
  args.insert(args.begin(), "--defaults");
  run.status = RunStats(args, environment);
  return run;
}

class StatsRunTest : public ::testing::Test {
 protected:
  StatsRunTest() {
    // A 10 x 5 mm square and a 2 mm pad apart from it; a ring.
    pads = folder.Write("pads.gbr",
                        "%FSLAX46Y46*%%MOMM*%%ADD10R,10X5*%%ADD11C,2*%D10*X5000000Y2500000D03*"
                        "D11*X20000000Y0D03*M02*");
    ring = folder.Write("ring.gbr",
                        "%FSLAX46Y46*%%MOMM*%%ADD10C,4X2*%D10*X0Y0D03*M02*");
  }
  TempFolder folder;
  std::string pads;
  std::string ring;
};

TEST_F(StatsRunTest, PrintsEachLayersFigures) {
  const StatsOutput run = Stats({pads, ring});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.empty());
  ASSERT_EQ(run.out.size(), 2u);
  // The pad's flattened circle reaches up to the tolerance (0.5 um) beyond the true one.
  const std::string prefix = pads + ": 53.141593 mm², 2 islands, 0 holes, extents 0.000000 -1.000";
  EXPECT_EQ(run.out[0].substr(0, prefix.size()), prefix);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ASSERT_EQ(std::sscanf(run.out[0].c_str() + run.out[0].find("extents"), "extents %lf %lf %lf %lf",
                        &x0, &y0, &x1, &y1),
            4);
  EXPECT_NEAR(y0, -1.0, 5e-4);
  EXPECT_NEAR(x1, 21.0, 5e-4);
  EXPECT_EQ(y1, 5.0);
  EXPECT_NE(run.out[0].find(" mm, 2 objects"), std::string::npos);
  EXPECT_EQ(run.out[1].substr(0, ring.size() + 8), ring + ": 9.4247");
  EXPECT_NE(run.out[1].find(" mm², 1 islands, 1 holes, extents "), std::string::npos);
}

TEST_F(StatsRunTest, JsonHasExactlyTheKeysOfEachLayer) {
  const StatsOutput run = Stats({"--json", pads, ring});
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.out.size(), 1u);
  const nlohmann::ordered_json layers = nlohmann::ordered_json::parse(run.out[0]);
  ASSERT_TRUE(layers.is_array());
  ASSERT_EQ(layers.size(), 2u);
  const nlohmann::ordered_json& first = layers[0];
  std::vector<std::string> keys;
  for (const auto& item : first.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"path", "area_mm2", "islands", "holes", "extents_mm",
                                            "objects"}));
  EXPECT_EQ(first["path"], pads);
  EXPECT_NEAR(first["area_mm2"].get<double>(), 50.0 + 3.14159265, 1e-5);
  EXPECT_EQ(first["islands"], 2);
  EXPECT_EQ(first["holes"], 0);
  ASSERT_EQ(first["extents_mm"].size(), 4u);
  EXPECT_NEAR(first["extents_mm"][2].get<double>(), 21.0, 1e-3);
  EXPECT_EQ(first["objects"], 2);
  EXPECT_EQ(layers[1]["holes"], 1);
}

TEST_F(StatsRunTest, BadUseAndUnreadableFilesHaveTheirExitStatus) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::size_t layers;
  };
  const std::string missing = folder.File("missing.gbr");
  const std::string empty = folder.Write("empty.gbr", "");
  const Case cases[] = {
      {{}, 2, 0},
      {{"--bogus", pads}, 2, 0},
      {{"--json=yes", pads}, 2, 0},
      {{missing}, 1, 0},
      {{pads, missing}, 1, 1},
      {{empty}, 0, 1},
  };
  for (const Case& c : cases) {
    const StatsOutput run = Stats(c.args);
    EXPECT_EQ(run.status, c.status) << (c.args.empty() ? "" : c.args.front());
    EXPECT_EQ(run.out.size(), c.layers) << (c.args.empty() ? "" : c.args.front());
    if (c.status == 2) {
      ASSERT_EQ(run.err.size(), 1u);
      EXPECT_EQ(run.err[0], kStatsUsage);
    }
  }
  // An empty layer has no extents.
  const StatsOutput json = Stats({"--json", empty});
  EXPECT_TRUE(nlohmann::json::parse(json.out.at(0))[0]["extents_mm"].is_null());
  EXPECT_NE(Stats({empty}).out.at(0).find("extents none"), std::string::npos);
}

}  // namespace
}  // namespace corvane
