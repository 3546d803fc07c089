#include "app/check_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "dialogs/fabrication_checks_dlg.h"
#include "platform/dialog_runner.h"
#include "fake_work_file_io.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
#include "temp_folder.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

TEST(CheckRulesSettingsTest, StoredValuesComeBackAndAnEmptyOneIsOff) {
  MemorySettingsStore store;
  const FabricationRules usual = ReadCheckRules(store);
  EXPECT_EQ(usual.values, FabricationRules::Defaults().values) << "nothing stored: the usual values";
  FabricationRules rules;
  rules.Set(RuleValue::kWidth, 0.075);
  rules.Set(RuleValue::kSilkClearance, 0.2);
  WriteCheckRules(store, rules);
  EXPECT_EQ(ReadCheckRules(store).values, rules.values);
  store.WriteText(kChecksSection, "min-drill", "a lot");
  EXPECT_EQ(ReadCheckRules(store).Get(RuleValue::kDrill), 0.20) << "no length: the usual value";
}

TEST(FindingRowsTest, RowsInInchesWithTheirTextsAndCounts) {
  FabricationCheckResult result;
  Finding f;
  f.rule = "drill";
  f.detail = "hole diameter";
  f.layers = {"/boards/rev2/pth.drl", "top.gbr"};
  f.atX = 25.4;
  f.atY = -2.54;
  f.measured = 0.15;
  f.required = 0.2;
  f.box.Add(25.0, -3.0);
  f.box.Add(26.0, -2.0);
  result.findings.Add(f);
  result.counts[3] = 1;
  const std::vector<PlaceRow> rows = FindingRows(result.findings);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].texts, (std::vector<std::string>{"drill (hole diameter)", "pth.drl, top.gbr",
                                                     "0.150 mm", "0.200 mm", "25.400, -2.540"}));
  EXPECT_DOUBLE_EQ(rows[0].atX, 1.0);
  EXPECT_DOUBLE_EQ(rows[0].atY, -0.1);
  EXPECT_DOUBLE_EQ(rows[0].box.maxX, 26.0 / 25.4);
  EXPECT_DOUBLE_EQ(rows[0].box.minY, -3.0 / 25.4);
  EXPECT_EQ(CheckCounts(result), "1 finding: drill 1");
  EXPECT_EQ(CheckCounts(FabricationCheckResult{}), "No findings");
}

class StatusFrame : public FrameHost {
 public:
  bool IsToolBarVisible() const override { return true; }
  void ShowToolBar(bool) override {}
  bool IsStatusBarVisible() const override { return true; }
  void ShowStatusBar(bool) override {}
  void Close() override {}
  void ShowAbout() override {}
  void ShowHelpPage(const std::string&) override {}
  void SetStatusText(std::string_view text) override { status = text; }
  void SetCaption(const std::string&) override {}
  std::string status;
};

TEST(CheckCommandsTest, TheCommandWaitsForTheGeometryThenListsAndMarksTheFindings) {
  TempFolder folder;
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  StatusFrame frame;
  FakeViewHost host;
  AppShell shell(store, prompter, io);
  shell.AttachFrame(&frame);
  CCorvaneView view(shell.Doc(), host);
  shell.AttachView(view);
  QueuedPoster poster;
  shell.AttachPoster(poster);
  ASSERT_NE(shell.Checks(), nullptr);
  int shown = 0;
  shell.Checks()->SetShowFindings([&] { ++shown; });
  ScriptedDialogRunner dialogs;
  shell.AttachDialogRunner(&dialogs);

  PlotLayer layer;
  layer.fileName = folder.Write("top.gbr",
                                "%FSLAX46Y46*%%MOMM*%%ADD10R,1X1*%%ADD11C,0.08*%D10*X0Y0D03*"
                                "D11*X500000Y0D02*X1500000Y0D01*D10*X20000000Y20000000D03*M02*");
  layer.function = {FileKind::kGerber, LayerSide::kTop, LayerType::kCopper, 0,
                    LayerPlating::kUnstated, FunctionSource::kName, false};
  ASSERT_TRUE(shell.Loader().LoadGerberLayer(layer));
  EXPECT_FALSE(shell.Update(kIdFabricationChecks).enabled) << "the classic reading has no geometry";
  ASSERT_TRUE(shell.Execute(kIdStandardInterpretation));
  EXPECT_TRUE(shell.Update(kIdFabricationChecks).enabled);

  // Cancelled: nothing runs and nothing is stored.
  ASSERT_TRUE(shell.Execute(kIdFabricationChecks));
  EXPECT_EQ(dialogs.ranIds, (std::vector<int32_t>{CFabricationChecksDlg::kResourceId}));
  EXPECT_EQ(store.ReadText(kChecksSection, "min-width", "none"), "none");
  // Only the width rule, at 0.1 mm: the stub is thin; a pad far off makes
  // the board 20 mm across, so that the finding is zoomed in on.
  dialogs.Then<CFabricationChecksDlg>([](CFabricationChecksDlg& dialog) {
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.texts[0], "0.1") << "the usual value to begin with";
    dialog.texts.fill("");
    dialog.texts[0] = "0.1";
    return dialog.OnOK() ? DialogResult::kOk : DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdFabricationChecks));
  EXPECT_EQ(store.ReadText(kChecksSection, "min-clearance", "none"), "") << "kept: off";
  EXPECT_EQ(frame.status, "Checks wait for the layers' geometry...");
  EXPECT_TRUE(shell.Checks()->Findings().Rows().empty());
  shell.Geometry()->WaitForWorker();
  poster.RunPending();
  EXPECT_EQ(frame.status, "1 finding: width 1");
  EXPECT_EQ(shown, 1);
  PlaceList& findings = shell.Checks()->Findings();
  ASSERT_EQ(findings.Rows().size(), 1u);
  EXPECT_EQ(findings.Rows()[0].texts[0], "width");
  EXPECT_NEAR(findings.Rows()[0].atX, 1.05 / 25.4, 0.05 / 25.4);

  const double scale = view.GetViewport().GetScale();
  ASSERT_TRUE(findings.Choose(0));
  EXPECT_GT(view.GetViewport().GetScale(), scale) << "zoomed in on the stub";
  ASSERT_EQ(findings.Markers().size(), 1u);
  EXPECT_TRUE(findings.Markers()[0].current);
}

}  // namespace
}  // namespace corvane
