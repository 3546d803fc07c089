#include "cli/query_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace corvane {
namespace {

struct QueryOutput {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

QueryOutput Query(std::vector<std::string> args) {
  QueryOutput run;
  QueryEnvironment environment;
  environment.writeOutput = [&](std::string_view line) { run.out.emplace_back(line); };
  environment.writeError = [&](std::string_view line) { run.err.emplace_back(line); };
  args.insert(args.begin(), "--defaults");
  run.status = RunQuery(args, environment);
  return run;
}

std::string Board(const std::string& name) {
  return std::string(CORVANE_TEST_DATA_DIR) + "/probe/" + name;
}

const std::vector<std::string> kBoard{Board("bottom.gbr"), Board("top.gbr"), Board("drill.drl")};

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.end(), kBoard.begin(), kBoard.end());
  return args;
}

nlohmann::json Answer(const QueryOutput& run) {
  EXPECT_EQ(run.out.size(), 1u);
  return run.out.empty() ? nlohmann::json() : nlohmann::json::parse(run.out[0]);
}

TEST(QueryRunTest, ThePointOfAViaListsEveryLayerTopFirst) {
  struct Case {
    std::vector<std::string> at;
  };
  // The same point in millimetres and in inches.
  const Case cases[] = {{{"--at", "20,10"}}, {{"--inch", "--at=0.7874,0.3937"}}};
  for (const Case& c : cases) {
    std::vector<std::string> args{"--json"};
    args.insert(args.end(), c.at.begin(), c.at.end());
    const QueryOutput run = Query(With(args));
    EXPECT_EQ(run.status, 0);
    const nlohmann::json answer = Answer(run);
    ASSERT_EQ(answer.size(), 5u);
    std::vector<std::string> seen;
    for (const nlohmann::json& object : answer)
      seen.push_back(object["side"].get<std::string>() + " " + object["kind"].get<std::string>() +
                     " " + object["net"].get<std::string>());
    EXPECT_EQ(seen, (std::vector<std::string>{"top flash VCC", "top line VCC", "bottom line VCC",
                                              "bottom flash VCC", "all drill hit VCC"}));
  }
}

TEST(QueryRunTest, JsonHasEveryKeyOfAnObject) {
  const QueryOutput run = Query(With({"--json", "--at", "13,10"}));
  const nlohmann::ordered_json answer = nlohmann::ordered_json::parse(run.out.at(0));
  ASSERT_EQ(answer.size(), 2u);  // R1's pad 2 and the track's end on it
  const nlohmann::ordered_json& pad = answer[1];
  std::vector<std::string> keys;
  for (const auto& item : pad.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"layer", "side", "type", "index", "kind", "polarity",
                                            "aperture", "net", "component", "pin", "function",
                                            "attributes", "box_mm"}));
  EXPECT_EQ(pad["layer"], Board("top.gbr"));
  EXPECT_EQ(pad["type"], "copper");
  EXPECT_EQ(pad["index"], 1);
  EXPECT_EQ(pad["polarity"], "dark");
  EXPECT_EQ(pad["aperture"]["code"], 10);
  EXPECT_EQ(pad["aperture"]["shape"], "rectangle");
  EXPECT_NEAR(pad["aperture"]["size_mm"][0].get<double>(), 1.5, 1e-9);
  EXPECT_EQ(pad["component"], "R1");
  EXPECT_EQ(pad["pin"], "2");
  EXPECT_EQ(pad["function"], "SMDPad,CuDef");
  EXPECT_EQ(pad["attributes"][".P"], "R1,2,Anode");
  EXPECT_EQ(pad["attributes"][".AperFunction"], "SMDPad,CuDef");
  EXPECT_NEAR(pad["box_mm"][0].get<double>(), 12.25, 1e-9);
}

TEST(QueryRunTest, ByNameAndWhatMatchesNothing) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::size_t lines;
    bool says;  // a line on the error stream
  };
  const Case cases[] = {
      {{"--net", "vcc"}, 0, 7, false},
      {{"--net", "GND"}, 0, 2, false},
      {{"--component", "u1"}, 0, 1, false},
      {{"--net", "NOPE"}, 1, 0, true},
      {{"--component", "GND"}, 1, 0, true},
      {{"--at", "-100,-100"}, 0, 0, false},  // outside everything: an empty answer
      {{"--at", "35,5"}, 0, 0, false},       // in the hole of the pour
  };
  for (const Case& c : cases) {
    const QueryOutput run = Query(With(c.args));
    EXPECT_EQ(run.status, c.status) << c.args[1];
    EXPECT_EQ(run.out.size(), c.lines) << c.args[1];
    EXPECT_EQ(!run.err.empty(), c.says) << c.args[1];
  }
  const QueryOutput pin = Query(With({"--component", "U1"}));
  ASSERT_EQ(pin.out.size(), 1u);
  EXPECT_NE(pin.out[0].find("flash 3 dark D13 circle 1.2000x1.2000 mm, net \"Net-(U1-Pad3)\", "
                            "component \"U1\", pin \"3\", function \"ComponentPad\""),
            std::string::npos)
      << pin.out[0];
  const QueryOutput none = Query(With({"--json", "--net", "NOPE"}));
  EXPECT_EQ(Answer(none), nlohmann::json::array());
}

TEST(QueryRunTest, AFileWithoutAttributesAnswersGeometryOnly) {
  TempFolder folder;
  const std::string plain =
      folder.Write("plain.gbr", "%FSLAX46Y46*%%MOMM*%%ADD10C,2*%D10*X0Y0D03*M02*");
  const QueryOutput run = Query({"--json", "--at", "0.5,0", plain});
  EXPECT_EQ(run.status, 0);
  const nlohmann::json answer = Answer(run);
  ASSERT_EQ(answer.size(), 1u);
  EXPECT_EQ(answer[0]["net"], "");
  EXPECT_EQ(answer[0]["function"], "");
  EXPECT_TRUE(answer[0]["attributes"].empty());
  EXPECT_EQ(answer[0]["aperture"]["shape"], "circle");
}

TEST(QueryRunTest, BadUseIsRefused) {
  const std::vector<std::string> cases[] = {
      {},
      {"--at", "1,2", "--net", "GND"},
      {"--at", "1"},
      {"--at", "a,b"},
      {"--at", "1,2,3"},
      {"--at", "1,nan"},
      {"--net="},
      {"--component="},
  };
  for (const std::vector<std::string>& args : cases) {
    const QueryOutput run = Query(With(args));
    EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.back(), kQueryUsage);
  }
}

}  // namespace
}  // namespace corvane
