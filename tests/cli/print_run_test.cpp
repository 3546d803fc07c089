#include "cli/print_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/print_service.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

const std::filesystem::path kDemoDir =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "examples" / "demo")
        .lexically_normal();

struct RunResult {
  int exitCode = -1;
  std::vector<std::string> errors;
  std::vector<std::optional<std::string>> printersAsked;
};

// Runs a request against one printer "pdf", the default.
RunResult RunRequest(const PrintRequest& request, FakePrintService& printers) {
  RunResult run;
  RecordingPrompter prompter;
  PrintEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<MemorySettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeError = [&run](std::string_view line) { run.errors.emplace_back(line); };
  environment.openPrinters = [&](const std::optional<std::string>& name,
                                 std::string& error) -> PrintService* {
    run.printersAsked.push_back(name);
    if (name && *name != "pdf") {
      error = "no printer named " + *name;
      return nullptr;
    }
    return &printers;
  };
  run.exitCode = RunPrint(request, environment);
  return run;
}

TEST(PrintRunTest, RequestsPrintOrEndWithOneLine) {
  const std::string demo = (kDemoDir / "demo.wrk").string();
  const std::string gerber = (kDemoDir / "demo_outline.ger").string();
  struct Case {
    std::string file;
    std::optional<std::string> printer;
    bool canStart;
    int exitCode;
    std::string error;  // the one line, or none
  };
  const Case cases[] = {
      {demo, std::nullopt, true, 0, ""},
      {demo, "pdf", true, 0, ""},
      {gerber, std::nullopt, true, 0, ""},  // a plot file prints as a layer of its own
      {demo, "nowhere", true, 1, "corvane print: no printer named nowhere"},
      {demo, std::nullopt, false, 1, "corvane print: Could not start print job."},
      {"/no/such/board.wrk", "pdf", true, 1, ""},
      {"/no/such/top.ger", "pdf", true, 1, "corvane print: cannot open /no/such/top.ger"},
  };
  int printed = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " " + c.printer.value_or("(default)"));
    FakePrintService printers;
    printers.printer.canStart = c.canStart;
    const RunResult run = RunRequest({c.file, c.printer}, printers);
    EXPECT_EQ(run.exitCode, c.exitCode);
    if (c.exitCode == 0) {
      EXPECT_TRUE(run.errors.empty());
      EXPECT_EQ(printers.printer.startCount, 1);
      EXPECT_EQ(printers.printer.endCount, 1);
      EXPECT_FALSE(printers.printer.page.Calls(SurfaceOp::kLineTo).empty());
      ++printed;
    } else {
      ASSERT_FALSE(run.errors.empty());
      EXPECT_EQ(run.errors.back().rfind("corvane print: ", 0), 0u) << run.errors.back();
      if (!c.error.empty()) {
        EXPECT_EQ(run.errors.back(), c.error);
      }
    }
    EXPECT_EQ(printers.printDialogCount, 0);  // never a dialog
  }
  EXPECT_EQ(printed, 3);
}

TEST(PrintRunTest, TheFileIsCheckedBeforeThePrinterAndTheJobIsNamedAfterIt) {
  FakePrintService printers;
  const RunResult missing = RunRequest({"/no/such/board.wrk", "pdf"}, printers);
  EXPECT_TRUE(missing.printersAsked.empty());
  const RunResult run = RunRequest({(kDemoDir / "demo.wrk").string(), "pdf"}, printers);
  ASSERT_EQ(run.printersAsked.size(), 1u);
  EXPECT_EQ(run.printersAsked[0], "pdf");
  EXPECT_EQ(printers.printer.titles, std::vector<std::string>{"demo.wrk"});
}

}  // namespace
}  // namespace corvane
