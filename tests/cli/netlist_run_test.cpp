#include "cli/netlist_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace corvane {
namespace {

// The boards tools/make_netlist_boards.py writes.
const std::string kBoards = std::string(CORVANE_TEST_DATA_DIR) + "/netlist/";

struct NetlistOutput {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
  nlohmann::json Json() const {
    std::string text;
    for (const std::string& line : out) text += line + "\n";
    return nlohmann::json::parse(text);
  }
};

NetlistOutput Netlist(std::vector<std::string> args) {
  NetlistOutput run;
  NetlistEnvironment environment;
  environment.writeOutput = [&](std::string_view line) { run.out.emplace_back(line); };
  environment.writeError = [&](std::string_view line) { run.err.emplace_back(line); };
  environment.threads = 1;
  args.insert(args.begin(), "--defaults");
  run.status = RunNetlist(args, environment);
  return run;
}

std::vector<std::string> ShortNets(const nlohmann::json& json) {
  std::vector<std::string> nets;
  for (const auto& found : json["shorts"])
    for (const auto& net : found["nets"]) nets.push_back(net.get<std::string>());
  return nets;
}

TEST(NetlistRunTest, EachBoardGivesWhatItsCopperMakesOfItsNetlist) {
  struct Case {
    std::string_view board;
    int status;
    std::size_t nets;
    std::size_t opens;
    std::vector<std::string> shortNets;  // of the one short, when there is one
    std::size_t unconnected;
  };
  const Case cases[] = {
      {"bridge", 1, 1, 0, {"A", "B"}, 0},  // two nets bridged by a sliver
      {"apart", 0, 2, 0, {}, 0},           // the same without the sliver
      {"gap", 1, 2, 1, {}, 0},             // a net split by a gap
      {"via", 0, 1, 0, {}, 0},             // joined only through a via
      {"via_no_drill", 1, 2, 1, {}, 0},    // the same without its drill file
      {"via_inch_long_name", 0, 1, 0, {}, 0},
      {"via_cut_long_name", 0, 1, 0, {}, 0},
      {"thermal", 0, 1, 0, {}, 0},            // a thermal relief joins the pad to the pour
      {"thermal_no_spokes", 1, 2, 1, {}, 0},  // the pad alone in its clearance
      {"non_plated", 0, 2, 0, {}, 0},         // a non-plated hole joins nothing
      {"inner", 0, 2, 0, {}, 0},              // an inner track joins two outer pads
      {"attributes", 1, 1, 0, {"A", "B"}, 0},  // the copper's own net names
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.board);
    const NetlistOutput run = Netlist({"--json", kBoards + std::string(c.board)});
    EXPECT_EQ(run.status, c.status);
    const nlohmann::json json = run.Json();
    EXPECT_EQ(json["nets"].size(), c.nets);
    EXPECT_EQ(json["opens"].size(), c.opens);
    EXPECT_EQ(json["shorts"].size(), c.shortNets.empty() ? 0u : 1u);
    EXPECT_EQ(ShortNets(json), c.shortNets);
    EXPECT_EQ(json["unconnected"].size(), c.unconnected);
  }
}

TEST(NetlistRunTest, NamesTheNetsAndSaysWhereTheFaultIs) {
  const nlohmann::json bridge = Netlist({"--json", kBoards + "bridge"}).Json();
  // The sliver runs from (5, 0) to (5, 5), 0.1 mm wide.
  const auto at = bridge["shorts"][0]["location_mm"];
  EXPECT_NEAR(at[0].get<double>(), 5.0, 0.06);
  EXPECT_GE(at[1].get<double>(), 0.0);
  EXPECT_LE(at[1].get<double>(), 5.0);
  EXPECT_EQ(bridge["nets"][0]["name"], "A+B");

  const nlohmann::json gap = Netlist({"--json", kBoards + "gap"}).Json();
  const auto& open = gap["opens"][0];
  EXPECT_EQ(open["net"], "SIG");
  EXPECT_EQ(open["parts"], nlohmann::json::parse(R"([["U1-1"], ["U2-1"]])"));
  EXPECT_EQ(open["locations_mm"], nlohmann::json::parse("[[10.0, 0.0]]"));
  EXPECT_EQ(gap["nets"][0]["name"], "SIG");
  EXPECT_EQ(gap["nets"][1]["name"], "SIG#2");

  const nlohmann::json inner = Netlist({"--json", kBoards + "inner"}).Json();
  EXPECT_EQ(inner["nets"][0]["name"], "LINK");
  EXPECT_EQ(inner["nets"][0]["layers"].size(), 4u);  // top, inner 1, bottom and the drills
  EXPECT_EQ(inner["nets"][1]["layers"].size(), 1u);  // the pour alone on inner 2

  const nlohmann::json longName = Netlist({"--json", kBoards + "via_inch_long_name"}).Json();
  EXPECT_EQ(longName["nets"][0]["name"], "SUPPLY_RAIL_OF_THE_CORE_1V2");
  // The netlist file keeps 14 characters; the copper's X2 name gives the rest.
  const nlohmann::json cut = Netlist({"--json", kBoards + "via_cut_long_name"}).Json();
  EXPECT_EQ(cut["nets"][0]["name"], "SUPPLY_RAIL_OF_THE_CORE_1V2");
  EXPECT_EQ(cut["reference"], kBoards + "via_cut_long_name/board.ipc");
}

TEST(NetlistRunTest, TheExtractedNetlistReadBackIsTheBoardsOwn) {
  // The generated boards, and the example fabrication set as design tools write it today.
  const std::string boards[] = {kBoards + "bridge",     kBoards + "gap",
                                kBoards + "inner",      kBoards + "thermal",
                                kBoards + "non_plated", kBoards + "via",
                                std::string(CORVANE_TEST_DATA_DIR) + "/../../examples/fab"};
  for (const std::string& board : boards) {
    SCOPED_TRACE(board);
    TempFolder folder;
    const std::string written = folder.File("extracted.ipc");
    const NetlistOutput first = Netlist({"--write-ipc", written, board});
    ASSERT_NE(first.status, 2);
    const NetlistOutput again = Netlist({"--json", "--reference", written, board});
    EXPECT_EQ(again.status, 0);
    const nlohmann::json json = again.Json();
    EXPECT_TRUE(json["opens"].empty());
    EXPECT_TRUE(json["shorts"].empty());
    EXPECT_TRUE(json["unconnected"].empty());
    EXPECT_GT(json["reference_points"].get<int>(), 0);
  }
}

TEST(NetlistRunTest, AReferenceOfAnotherBoardIsSaidSoNotReportedNetByNet) {
  TempFolder folder;
  // The gap board's netlist moved 50 mm away.
  const std::string moved = folder.Write(
      "moved.ipc",
      "P  UNITS CUST 1\n"
      "327SIG                U1    -1          A01X+050000Y+050000\n"
      "327SIG                U2    -1          A01X+070000Y+050000\n"
      "327OTHER              U3    -1          A01X+000000Y+000000\n"
      "this line is no record\n");
  const NetlistOutput run = Netlist({"--json", "--reference", moved, kBoards + "gap"});
  EXPECT_EQ(run.status, 2);
  const nlohmann::json json = run.Json();
  EXPECT_TRUE(json["opens"].empty());
  EXPECT_TRUE(json["unconnected"].empty());
  EXPECT_EQ(json["malformed_lines"], 1);
  ASSERT_FALSE(json["notes"].empty());
  EXPECT_NE(json["notes"].back().get<std::string>().find("1 of 3 points"), std::string::npos);
}

TEST(NetlistRunTest, TextLinesGiveTheCountsAndEachFinding) {
  const NetlistOutput run = Netlist({kBoards + "gap"});
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> expected{
      "reference: " + kBoards + "gap/board.ipc, 2 points",
      "note: no inner copper layers",
      "note: no plated drill file",
      "2 nets, 1 opens, 0 shorts, 0 unconnected points",
      "open SIG: 2 parts [U1-1] [U2-1] at 10.000, 0.000 mm"};
  EXPECT_EQ(run.out, expected);
}

TEST(NetlistRunTest, BadInputIsStatusTwo) {
  TempFolder folder;
  const std::vector<std::vector<std::string>> cases{
      {},                                                      // no file
      {"--reference"},                                         // its value missing
      {"--reference", "", kBoards + "gap"},                    // an empty one
      {"--frobnicate", kBoards + "gap"},                       // unknown option
      {"--reference", folder.File("missing.ipc"), kBoards + "gap"},  // unreadable reference
      {"--write-ipc", folder.File("no/such/folder/x.ipc"), kBoards + "gap"},
  };
  for (const auto& args : cases) {
    const NetlistOutput run = Netlist(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(run.err.empty());
  }
}

}  // namespace
}  // namespace corvane
