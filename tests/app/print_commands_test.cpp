#include "app/print_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "dialogs/print_magnification_dlg.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::filesystem::path kDemoDir =
    (std::filesystem::path(CORVANE_TEST_DATA_DIR) / ".." / ".." / "examples" / "demo")
        .lexically_normal();

// The user's part of a run of the dialog: what the window does for them.
DialogResult TypeAndClick(CPrintMagnificationDlg& dialog, const std::string& text, bool ok) {
  dialog.OnInitDialog();
  dialog.multiplierText = text;
  if (!ok) return DialogResult::kCancel;
  return dialog.OnOK() ? DialogResult::kOk : DialogResult::kCancel;
}

class PrintCommandsTest : public ::testing::Test {
 protected:
  PrintCommandsTest() : shell(store, prompter, io), view(shell.Doc(), host) {
    shell.AttachView(view);
    shell.AttachPrinting(printers, dialogs);
  }
  void ScriptMagnification(const std::string& text, bool ok) {
    dialogs.Then<CPrintMagnificationDlg>(
        [text, ok](CPrintMagnificationDlg& dialog) { return TypeAndClick(dialog, text, ok); });
  }
  std::string StoredMagnification() const {
    return store.ReadText(kSectionDefaults, "PrintMagnification", "(none)");
  }

  MemorySettingsStore store;
  RecordingPrompter prompter;
  DiskWorkFileIo io;
  AppShell shell;
  FakeViewHost host;
  CCorvaneView view;
  FakePrintService printers;
  ScriptedDialogRunner dialogs;
};

TEST_F(PrintCommandsTest, EveryPrintCommandIsEnabledOnceThePrintersAreThere) {
  for (const int32_t id : {kIdFilePrint, kIdFilePrintDirect, kIdFilePrintPreview, kIdFilePrintSetup,
                           kIdPrintMagnification}) {
    EXPECT_TRUE(shell.Update(id).enabled) << id;
  }
  MemorySettingsStore otherStore;
  AppShell bare(otherStore, prompter, io);
  FakeViewHost otherHost;
  CCorvaneView otherView(bare.Doc(), otherHost);
  bare.AttachView(otherView);
  EXPECT_FALSE(bare.Update(kIdFilePrint).enabled);
  EXPECT_FALSE(bare.Execute(kIdPrintMagnification));
}

TEST_F(PrintCommandsTest, PrintAsksForThePrinterAndDirectPrintDoesNot) {
  ASSERT_TRUE(shell.Execute(kIdFilePrint));
  EXPECT_EQ(printers.printDialogCount, 1);
  EXPECT_EQ(printers.printer.startCount, 1);
  ASSERT_TRUE(shell.Execute(kIdFilePrintDirect));
  EXPECT_EQ(printers.printDialogCount, 1);
  EXPECT_EQ(printers.printer.startCount, 2);
  EXPECT_EQ(printers.printer.titles.back(), "Untitled");
  ASSERT_TRUE(shell.Execute(kIdFilePrintSetup));
  EXPECT_EQ(printers.setupCount, 1);
  EXPECT_EQ(printers.printer.startCount, 2);  // setting up prints nothing
  ASSERT_TRUE(shell.Execute(kIdFilePrintPreview));
  EXPECT_EQ(printers.previewCount, 1);
  EXPECT_EQ(printers.printer.startCount, 2);
}

TEST_F(PrintCommandsTest, OkStoresTheFourDecimalTextAndSetsTheUnroundedValue) {
  struct Case {
    const char* typed;
    const char* stored;
    double value;
  };
  const Case cases[] = {
      {"2.5", "2.5000", 2.5},  {"1.23456", "1.2346", 1.23456}, {"0", "0.0000", 0.0},
      {"-3", "-3.0000", -3.0}, {"1e-5", "0.0000", 1e-5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    shell.Doc().SetModified(false);
    ScriptMagnification(c.typed, true);
    ASSERT_TRUE(shell.Execute(kIdPrintMagnification));
    EXPECT_EQ(StoredMagnification(), c.stored);
    EXPECT_DOUBLE_EQ(shell.Doc().GetPrintMagnification(), c.value);
    EXPECT_TRUE(shell.Doc().IsModified());
  }
  EXPECT_EQ(dialogs.ranIds, std::vector<int32_t>(5, 154));
  EXPECT_EQ(dialogs.mismatches, 0);
}

TEST_F(PrintCommandsTest, CancelChangesNothingEvenAfterEditing) {
  shell.Doc().SetPrintMagnification(1.5);
  shell.Doc().SetModified(false);
  const std::size_t writes = store.WriteCount();
  for (const char* typed : {"2.5", "not a number"}) {
    ScriptMagnification(typed, false);
    ASSERT_TRUE(shell.Execute(kIdPrintMagnification));
  }
  EXPECT_EQ(store.WriteCount(), writes);
  EXPECT_EQ(StoredMagnification(), "(none)");
  EXPECT_DOUBLE_EQ(shell.Doc().GetPrintMagnification(), 1.5);
  EXPECT_FALSE(shell.Doc().IsModified());
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PrintCommandsTest, ARefusedTextKeepsTheDialogOpenUntilANumberComes) {
  dialogs.Then<CPrintMagnificationDlg>([](CPrintMagnificationDlg& dialog) {
    dialog.OnInitDialog();
    dialog.multiplierText = "2,5";
    if (dialog.OnOK()) return DialogResult::kOk;
    dialog.multiplierText = "2.5";
    return dialog.OnOK() ? DialogResult::kOk : DialogResult::kCancel;
  });
  ASSERT_TRUE(shell.Execute(kIdPrintMagnification));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter a number."});
  EXPECT_EQ(StoredMagnification(), "2.5000");
}

TEST_F(PrintCommandsTest, TheStoredValueIsTheNextNewDocumentsMagnification) {
  ScriptMagnification("2", true);
  ASSERT_TRUE(shell.Execute(kIdPrintMagnification));
  shell.Lifecycle().NewDocument();
  EXPECT_DOUBLE_EQ(shell.Doc().GetPrintMagnification(), 2.0);
}

// The demo board printed without the dialog: its outline is 2.4 by 1.6
// inches, so at magnification m the page shows it m times as large.
TEST_F(PrintCommandsTest, TheDemoBoardPrintsToScale) {
  ASSERT_TRUE(shell.Lifecycle().OpenDocumentFile((kDemoDir / "demo.wrk").string()));
  for (const double m : {1.0, 2.0}) {
    SCOPED_TRACE(m);
    shell.Doc().SetPrintMagnification(m);
    ASSERT_TRUE(shell.Execute(kIdFilePrintDirect));
    int32_t right = INT32_MIN;
    int32_t bottom = INT32_MIN;
    int32_t left = INT32_MAX;
    int32_t top = INT32_MAX;
    int points = 0;
    for (const SurfaceCall& call : printers.printer.page.calls) {
      if (call.op != SurfaceOp::kLineTo && call.op != SurfaceOp::kMoveTo) continue;
      left = std::min(left, call.args[0]);
      right = std::max(right, call.args[0]);
      top = std::min(top, call.args[1]);
      bottom = std::max(bottom, call.args[1]);
      ++points;
    }
    EXPECT_GT(points, 10);
    EXPECT_EQ(right - left, static_cast<int32_t>(240 * m));
    EXPECT_EQ(bottom - top, static_cast<int32_t>(160 * m));
  }
  EXPECT_EQ(printers.printer.titles.back(), "demo.wrk");
}

}  // namespace
}  // namespace corvane
