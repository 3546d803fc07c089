#include "app/format_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "dialogs/aperture_format_dlg.h"
#include "dialogs/drill_format_dlg.h"
#include "dialogs/drill_tool_format_dlg.h"
#include "dialogs/gerber_format_dlg.h"
#include "document/settings_table.h"
#include "loading/document_loader.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

std::string Data(const char* name) {
  return (std::filesystem::path(CORVANE_TEST_DATA_DIR) / "formats" / name).string();
}

// The store in memory, with every key written, in order.
class KeyRecordingStore : public MemorySettingsStore {
 public:
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override {
    keys.emplace_back(key);
    MemorySettingsStore::WriteInt(section, key, value);
  }
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    keys.emplace_back(key);
    MemorySettingsStore::WriteText(section, key, value);
  }
  std::string Text(std::string_view key) const { return ReadText(kSectionDefaults, key, "-"); }
  std::vector<std::string> keys;
};

using Keys = std::vector<std::string>;

// The user presses OK, which reads the controls first.
template <typename Dialog>
DialogResult PressOk(Dialog& dialog) {
  return dialog.OnOK() ? DialogResult::kOk : DialogResult::kCancel;
}

// The whole program without its widgets, the view on a fake window and the
// dialogs played by scripts, with the working set of tests/data/formats
// loaded: every reading of it depends on settings the dialogs change.
class FormatCommandsTest : public ::testing::Test {
 protected:
  FormatCommandsTest()
      : shell(store, prompter, io),
        doc(shell.Doc()),
        loader(shell.Loader()),
        view(shell.Doc(), host) {
    shell.AttachView(view);
    shell.AttachDialogRunner(&runner);
    PlotLayer layer;
    layer.fileName = Data("plain.gbr");
    loader.LoadGerberLayer(layer);
    loader.LoadApertureFile(Data("notes.apr"));
    loader.LoadDrillToolFile(Data("words.rck"));
    loader.LoadNcDrillFile(Data("holes.drl"));
    doc.SetModified(false);
    prompter.waitCursorCount = 0;
  }

  void Run(int32_t command) {
    EXPECT_TRUE(shell.Update(command).enabled);
    ASSERT_TRUE(shell.Execute(command));
    EXPECT_EQ(runner.mismatches, 0);
    EXPECT_EQ(runner.Pending(), 0u);
  }
  // The X of the statement that moves to the first point of the plot file.
  double MoveX() const {
    for (const PlotItem& item : doc.Items()) {
      if (item.dcode == 2) return item.x;
    }
    return -1.0;
  }
  double FirstHitX() const { return doc.DrillHits().empty() ? -1.0 : doc.DrillHits()[0].x; }
  Aperture ApertureFromFile(int32_t dcode) const {
    Aperture aperture;
    for (int32_t i = 0; i < doc.GetApertureCount(); ++i) {
      if (doc.GetAperture(i, aperture) && aperture.dcode == dcode) return aperture;
    }
    return Aperture{};
  }
  DrillTool Tool(int32_t number) const {
    DrillTool tool;
    doc.FindDrillTool(number, tool);
    return tool;
  }
  bool Reloaded() const { return prompter.waitCursorCount == 1 && host.repaintCount == 1; }

  KeyRecordingStore store;
  RecordingPrompter prompter;
  DiskWorkFileIo io;
  AppShell shell;
  CCorvaneDoc& doc;
  DocumentLoader& loader;
  FakeViewHost host;
  CCorvaneView view;
  ScriptedDialogRunner runner;
};

TEST_F(FormatCommandsTest, TheWorkingSetReadsWithTheBuiltInSettings) {
  EXPECT_DOUBLE_EQ(MoveX(), 1.25);
  EXPECT_DOUBLE_EQ(FirstHitX(), 1.25);
  EXPECT_DOUBLE_EQ(ApertureFromFile(11).sizeX, 0.007);
  EXPECT_EQ(ApertureFromFile(12).dcode, 0);  // ROUND is no identifier yet
  EXPECT_EQ(Tool(1).plating, kPlatingUnknown);
  EXPECT_DOUBLE_EQ(Tool(1).diameter, 0.035);
}

TEST_F(FormatCommandsTest, TheFirstGerberTextSetsBothAxesAndReloads) {
  runner.Then<CGerberFormatDlg>([](CGerberFormatDlg& d) {
    EXPECT_EQ(d.NumberFormatSelection(), 1);  // 2 and 4
    d.OnNumberFormatSelChange(0);
    return PressOk(d);
  });
  Run(kIdGerberFormat);
  EXPECT_EQ(runner.ranIds, std::vector<int32_t>{147});
  EXPECT_EQ(store.keys,
            (Keys{"GerberMultiplier", "GerberNumberFormat", "GerberCompression", "GerberOffsets"}));
  EXPECT_EQ(store.Text("GerberNumberFormat"), "2,3");
  EXPECT_EQ(store.Text("GerberMultiplier"), "1.0000");
  EXPECT_EQ(store.Text("GerberOffsets"), "0.0000,0.0000");
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "GerberCompression", -1), 1);
  EXPECT_EQ(doc.Settings().gerberXFormat, (NumberFormat{2, 3}));
  EXPECT_EQ(doc.Settings().gerberYFormat, (NumberFormat{2, 3}));
  EXPECT_DOUBLE_EQ(MoveX(), 12.5);
  EXPECT_DOUBLE_EQ(FirstHitX(), 1.25);  // the drill file reads as before
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(Reloaded());
  EXPECT_EQ(prompter.waitCursorDepth, 0);
  // The next new document starts with it.
  CCorvaneDoc next;
  LoadStoredDefaults(next, &store);
  EXPECT_EQ(next.Settings().gerberYFormat, (NumberFormat{2, 3}));
}

TEST_F(FormatCommandsTest, AnUnofferedFormatLeftAloneReloadsNothing) {
  doc.Settings().SetGerberNumberFormat({3, 5});
  runner.Then<CGerberFormatDlg>([](CGerberFormatDlg& d) {
    EXPECT_EQ(d.NumberFormatText(), "3  5");
    EXPECT_EQ(d.NumberFormatSelection(), 3);
    return PressOk(d);
  });
  Run(kIdGerberFormat);
  EXPECT_TRUE(store.keys.empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(prompter.waitCursorCount, 0);
  EXPECT_EQ(host.repaintCount, 0);
}

TEST_F(FormatCommandsTest, OnlyTheExtensionIsStoredAndMarksModified) {
  runner.Then<CGerberFormatDlg>([](CGerberFormatDlg& d) {
    d.OnEditChange(kIdExtensionEdit, "gbr");
    return PressOk(d);
  });
  Run(kIdGerberFormat);
  EXPECT_EQ(store.keys, Keys{"GerberFileExt"});
  EXPECT_EQ(store.Text("GerberFileExt"), "gbr");
  EXPECT_EQ(doc.Settings().gerberFileExt, "gbr");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(prompter.waitCursorCount, 0);
  EXPECT_EQ(host.repaintCount, 0);
}

struct ZeroCase {
  int32_t clicked;
  bool checked;
  ZeroSuppression stored;
  double moveX;
};

TEST_F(FormatCommandsTest, ZeroSuppressionDecidesThePadding) {
  const ZeroCase cases[] = {
      {CCoordinateFormatDlg::kTrailingCheckId, true, kTrailingZerosOmitted, 12.5},
      {CCoordinateFormatDlg::kLeadingCheckId, true, kLeadingZerosOmitted, 1.25},
      {CCoordinateFormatDlg::kLeadingCheckId, false, kZeroSuppressionNone, 1.25},
  };
  for (const ZeroCase& c : cases) {
    runner.Then<CGerberFormatDlg>([&c](CGerberFormatDlg& d) {
      d.OnCheckClicked(c.clicked, c.checked);
      return PressOk(d);
    });
    Run(kIdGerberFormat);
    EXPECT_EQ(store.ReadInt(kSectionDefaults, "GerberCompression", -1), c.stored);
    EXPECT_EQ(doc.Settings().gerberCompression, c.stored);
    EXPECT_DOUBLE_EQ(MoveX(), c.moveX);
  }
  EXPECT_EQ(prompter.waitCursorCount, 3);
}

TEST_F(FormatCommandsTest, CancelAndAWrongNumberChangeNothing) {
  runner.Then<CGerberFormatDlg>([](CGerberFormatDlg& d) {
    d.OnEditChange(kIdExtensionEdit, "gbr");
    d.OnNumberFormatSelChange(0);
    return DialogResult::kCancel;
  });
  Run(kIdGerberFormat);
  runner.Then<CDrillFormatDlg>([](CDrillFormatDlg& d) {
    d.OnEditChange(CCoordinateFormatDlg::kOffsetXEditId, "one");
    return PressOk(d);  // refused: the user cancels then
  });
  Run(kIdDrillFormat);
  EXPECT_TRUE(store.keys.empty());
  EXPECT_EQ(doc.Settings(), FormatSettings{});
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter a number."});
}

TEST_F(FormatCommandsTest, DrillOffsetsMoveTheHits) {
  runner.Then<CDrillFormatDlg>([](CDrillFormatDlg& d) {
    d.OnEditChange(CCoordinateFormatDlg::kOffsetXEditId, "1");
    d.OnEditChange(kIdMultiplierEdit, "2");
    return PressOk(d);
  });
  Run(kIdDrillFormat);
  EXPECT_EQ(runner.ranIds, std::vector<int32_t>{148});
  EXPECT_EQ(store.keys,
            (Keys{"DrillMultiplier", "DrillNumberFormat", "DrillCompression", "DrillOffsets"}));
  EXPECT_EQ(store.Text("DrillOffsets"), "1.0000,0.0000");
  EXPECT_EQ(store.Text("DrillMultiplier"), "2.0000");
  EXPECT_DOUBLE_EQ(FirstHitX(), 3.5);  // 1.25 * 2 + 1
  EXPECT_DOUBLE_EQ(MoveX(), 1.25);
  EXPECT_TRUE(Reloaded());
}

TEST_F(FormatCommandsTest, TwoSkipsForTheSquareWriteOnlyItsKeysAndReload) {
  runner.Then<CApertureFormatDlg>([](CApertureFormatDlg& d) {
    d.OnTypeSelChange(3);
    d.OnAddSkip();
    d.OnAddSkip();
    // Both in front of the Width: the table's two note columns.
    for (const int32_t line : {5, 6}) {
      d.OnOrderSelChange(line);
      for (int i = 0; i < 3; ++i) d.OnMoveUp();
    }
    return PressOk(d);
  });
  Run(kIdApertureFormat);
  EXPECT_EQ(store.keys, (Keys{"ApertureFieldOrder3", "ApertureIdentifier3", "ApertureMultiplier"}));
  EXPECT_EQ(store.Text("ApertureFieldOrder3"), "=0,1,5,5,2,3,4");
  EXPECT_EQ(store.Text("ApertureIdentifier3"), "SQUARE");
  EXPECT_EQ(doc.Settings().GetApertureFormat(3).fieldOrder, (FieldOrder{0, 1, 5, 5, 2, 3, 4}));
  EXPECT_DOUBLE_EQ(ApertureFromFile(11).sizeX, 0.02);
  EXPECT_DOUBLE_EQ(ApertureFromFile(11).sizeY, 0.02);
  EXPECT_TRUE(Reloaded());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(FormatCommandsTest, CircleDefaultsMakeRoundLinesCircles) {
  runner.Then<CApertureFormatDlg>([](CApertureFormatDlg& d) {
    d.OnDefaults();
    return PressOk(d);
  });
  Run(kIdApertureFormat);
  EXPECT_EQ(store.keys, (Keys{"ApertureFieldOrder0", "ApertureIdentifier0", "ApertureMultiplier"}));
  EXPECT_EQ(store.Text("ApertureIdentifier0"), "ROUND");
  EXPECT_EQ(ApertureFromFile(12).shape, kShapeCircle);
  EXPECT_DOUBLE_EQ(ApertureFromFile(12).sizeX, 0.03);
  EXPECT_EQ(ApertureFromFile(10).dcode, 0);  // CIRCLE lines are no longer read
}

TEST_F(FormatCommandsTest, ApertureDialogReloadsAModifiedDocumentEvenUnchanged) {
  for (const bool modified : {false, true}) {
    doc.SetModified(modified);
    runner.Then<CApertureFormatDlg>([](CApertureFormatDlg& d) { return PressOk(d); });
    Run(kIdApertureFormat);
  }
  EXPECT_EQ(store.keys, Keys{"ApertureMultiplier"});
  EXPECT_EQ(store.Text("ApertureMultiplier"), "1.0000");
  EXPECT_TRUE(Reloaded());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(FormatCommandsTest, ApertureMultiplierAndExtension) {
  runner.Then<CApertureFormatDlg>([](CApertureFormatDlg& d) {
    d.OnEditChange(kIdMultiplierEdit, "2");
    d.OnEditChange(kIdExtensionEdit, "txt");
    return PressOk(d);
  });
  Run(kIdApertureFormat);
  EXPECT_EQ(store.keys, (Keys{"ApertureFileExt", "ApertureMultiplier"}));
  EXPECT_EQ(store.Text("ApertureMultiplier"), "2.0000");
  EXPECT_DOUBLE_EQ(ApertureFromFile(10).sizeX, 0.02);
}

TEST_F(FormatCommandsTest, APlatedNameAloneWaitsForTheNextLoad) {
  runner.Then<CDrillToolFormatDlg>([](CDrillToolFormatDlg& d) {
    d.OnEditChange(CDrillToolFormatDlg::kPlatedEditId, "PTH");
    return PressOk(d);
  });
  Run(kIdDrillToolFormat);
  EXPECT_EQ(runner.ranIds, std::vector<int32_t>{151});
  EXPECT_EQ(store.keys, Keys{"PlatedFieldName"});
  EXPECT_EQ(doc.Settings().platedFieldName, "PTH");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(prompter.waitCursorCount, 0);
  EXPECT_EQ(Tool(1).plating, kPlatingUnknown);
  loader.ReloadAll();
  EXPECT_EQ(Tool(1).plating, kPlatingPlated);
}

TEST_F(FormatCommandsTest, DrillToolItemsAreWrittenInOrderAndTheMultiplierReloads) {
  runner.Then<CDrillToolFormatDlg>([](CDrillToolFormatDlg& d) {
    d.OnEditChange(CDrillToolFormatDlg::kUnplatedEditId, "NPTH");
    d.OnEditChange(kIdExtensionEdit, "tls");
    d.OnEditChange(kIdMultiplierEdit, "2");
    d.OnAddSkip();
    return PressOk(d);
  });
  Run(kIdDrillToolFormat);
  EXPECT_EQ(store.keys, (Keys{"DrillToolFieldOrder", "DrillToolFileExt", "UnplatedFieldName",
                              "DrillToolMultiplier"}));
  EXPECT_EQ(store.Text("DrillToolFieldOrder"), "=0,1,4,2,3,4");
  EXPECT_EQ(store.Text("DrillToolMultiplier"), "2.0000");
  EXPECT_TRUE(Reloaded());
  EXPECT_DOUBLE_EQ(Tool(1).diameter, 0.07);
  EXPECT_EQ(Tool(2).plating, kPlatingUnplated);
}

}  // namespace
}  // namespace corvane
