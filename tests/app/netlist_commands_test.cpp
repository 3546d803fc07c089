#include "app/netlist_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "analysis/netlist_check.h"
#include "fake_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::string kBridge = std::string(CORVANE_TEST_DATA_DIR) + "/netlist/bridge";

// A set of only the bridge board's top copper (its netlist left out): each
// check asks for a reference netlist, and what the user answers is what the
// copper is checked against.
TEST(NetlistCommandsTest, ASetWithoutItsNetlistAsksForOneAndCancelChecksTheNetNames) {
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  FakeViewHost host;
  AppShell shell(store, prompter, io);
  CCorvaneView view(shell.Doc(), host);
  shell.AttachView(view);
  QueuedPoster poster;
  shell.AttachPoster(poster);
  ASSERT_NE(shell.Netlist(), nullptr);
  PlotLayer layer;
  layer.fileName = kBridge + "/top.gbr";
  layer.function = {FileKind::kGerber, LayerSide::kTop, LayerType::kCopper, 0,
                    LayerPlating::kUnstated, FunctionSource::kAttributes, false};
  ASSERT_TRUE(shell.Loader().LoadGerberLayer(layer));
  ASSERT_TRUE(shell.Execute(kIdStandardInterpretation));

  const auto check = [&]() -> const NetlistCheck& {
    EXPECT_TRUE(shell.Execute(kIdCheckNetlist));
    shell.Geometry()->WaitForWorker();
    poster.RunPending();
    const NetlistCheck* result = shell.Netlist()->Result();
    EXPECT_NE(result, nullptr);
    static const NetlistCheck none;
    return result != nullptr ? *result : none;
  };
  const struct {
    std::string chosen;  // empty: Cancel
    bool fromFile;
    bool told;  // a message says the file cannot be read
  } cases[] = {
      {kBridge + "/board.ipc", true, false},
      {"", false, false},
      {kBridge + "/no such netlist.ipc", false, true},
  };
  std::size_t asked = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    if (!c.chosen.empty()) prompter.chosenFiles.push_back(c.chosen);
    prompter.messages.clear();
    const NetlistCheck& result = check();
    ASSERT_EQ(prompter.fileRequests.size(), ++asked) << "every check asks";
    EXPECT_EQ(result.referenceSource == c.chosen, c.fromFile) << result.referenceSource;
    EXPECT_EQ(result.shorts.size(), 1u) << "the sliver joins A and B either way";
    EXPECT_EQ(!prompter.messages.empty() &&
                  prompter.messages.front().find("cannot be read") != std::string::npos,
              c.told);
  }
}

}  // namespace
}  // namespace corvane
