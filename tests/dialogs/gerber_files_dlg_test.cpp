#include "dialogs/gerber_files_dlg.h"

#include <gtest/gtest.h>

#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

// One pixel a character, so widths are lengths.
int32_t Length(std::string_view text) { return static_cast<int32_t>(text.size()); }

PlotLayer Layer(std::string name, uint32_t color, int32_t offsetX = 0, int32_t offsetY = 0) {
  PlotLayer layer;
  layer.fileName = std::move(name);
  layer.color = color;
  layer.offsetX = offsetX;
  layer.offsetY = offsetY;
  return layer;
}

class GerberFilesDlgTest : public ::testing::Test {
 protected:
  GerberFilesDlgTest() {
    doc.SetPathName("/boards/alpha/set.wrk");
    doc.Settings().gerberFileExt = "gbr";
  }
  void Open(int32_t listWidth = 1000) { dialog.OnInitDialog(listWidth, Length); }
  // Adds a file through the chooser.
  void Add(const std::string& path) {
    prompter.chosenFiles.push_back(path);
    dialog.OnAddFile();
  }
  const PlotLayer& Entry(std::size_t index) const { return dialog.Entries().at(index); }

  CCorvaneDoc doc;
  RecordingPrompter prompter;
  MemorySettingsStore store;
  CGerberFilesDlg dialog{&doc, &prompter, &store};
};

TEST_F(GerberFilesDlgTest, OpensWithThePaletteAndNothingSelected) {
  dialog.AddEntry(Layer("/boards/alpha/top.gbr", 0x0000FF));
  Open();
  ASSERT_EQ(dialog.Colors().GetCount(), 10);
  EXPECT_EQ(dialog.Colors().GetItemName(0), "Red");
  EXPECT_EQ(dialog.Colors().GetItemName(9), "Gray");
  EXPECT_EQ(dialog.Colors().GetItemColor(8), (Rgb{192, 192, 192}));
  EXPECT_EQ(dialog.ListLines(), std::vector<std::string>{"/boards/alpha/top.gbr"});
  EXPECT_EQ(dialog.ListSelection(), -1);
  EXPECT_EQ(dialog.ShownEntry(), -1);
  EXPECT_FALSE(dialog.AreEntryControlsEnabled());
  EXPECT_EQ(dialog.OffsetXText(), "0");
  EXPECT_EQ(dialog.ChooserDirectory(), "/boards/alpha");
  dialog.OnSelChange(0);
  EXPECT_TRUE(dialog.AreEntryControlsEnabled());
}

TEST_F(GerberFilesDlgTest, ElevenFilesGetThePaletteInTurnThenBlack) {
  Open();
  EXPECT_FALSE(dialog.AreEntryControlsEnabled());  // no layers at all
  const uint32_t expected[] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0x000080, 0x800000,
                               0xFFFF00, 0xFF00FF, 0xC0C0C0, 0x808080, 0x000000};
  for (int i = 0; i < 11; ++i) Add("/boards/beta/layer" + std::to_string(i) + ".gbr");
  ASSERT_EQ(dialog.Entries().size(), 11u);
  for (std::size_t i = 0; i < 11; ++i) {
    EXPECT_EQ(Entry(i).color, expected[i]) << i;
    EXPECT_EQ(Entry(i).visible, 1);
  }
  ASSERT_EQ(prompter.fileRequests.size(), 11u);
  const FileChooserRequest& first = prompter.fileRequests[0];
  EXPECT_TRUE(first.filter.starts_with("Gerber Plot Files (*.gbr)|*.gbr|All Plot Files|*.gbr;"));
  EXPECT_TRUE(first.filter.ends_with("|All Files (*.*)|*.*||"));
  EXPECT_EQ(first.defaultExt, "gbr");
  EXPECT_TRUE(first.pathMustExist);
  EXPECT_EQ(first.mode, FileChooserRequest::Mode::kOpen);
  // The chooser starts in the work file's folder, then where the last file was.
  EXPECT_EQ(first.initialDir, "/boards/alpha");
  EXPECT_EQ(prompter.fileRequests[1].initialDir, "/boards/beta");
  EXPECT_EQ(dialog.ListLines().size(), 11u);
}

TEST_F(GerberFilesDlgTest, ChooserFolderFollowsTheChosenFile) {
  Open();
  const std::pair<const char*, const char*> cases[] = {
      {"/x/y/top.gbr", "/x/y"},
      {"C:\\boards\\top.gbr", "C:\\boards"},
      {"top.gbr", ""},
  };
  for (const auto& [path, folder] : cases) {
    Add(path);
    EXPECT_EQ(dialog.ChooserDirectory(), folder) << path;
  }
  // Cancelling the chooser adds nothing and keeps the folder.
  dialog.OnAddFile();
  EXPECT_EQ(dialog.Entries().size(), 3u);
  EXPECT_EQ(dialog.ChooserDirectory(), "");
}

TEST_F(GerberFilesDlgTest, AddFileTakesTheShownEntrysValuesAndSelectsNothing) {
  PlotLayer mirrored = Layer("/a/top.gbr", 0x0000FF, 100, 200);
  mirrored.mirrorOnYAxis = 1;
  dialog.AddEntry(mirrored);
  Open();
  dialog.OnSelChange(0);
  EXPECT_TRUE(dialog.IsMirrorYChecked());
  EXPECT_EQ(dialog.OffsetXText(), "100");
  dialog.OnOffsetYEdited("-250");
  Add("/a/bottom.gbr");
  ASSERT_EQ(dialog.Entries().size(), 2u);
  EXPECT_EQ(Entry(0).offsetY, -250);  // committed first
  EXPECT_EQ(Entry(1).offsetX, 100);
  EXPECT_EQ(Entry(1).offsetY, -250);
  EXPECT_EQ(Entry(1).mirrorOnYAxis, 1);
  EXPECT_EQ(Entry(1).mirrorOnXAxis, 0);
  EXPECT_EQ(Entry(1).color, 0xFF0000u);  // one entry before it: blue
  EXPECT_EQ(dialog.ListSelection(), -1);
  EXPECT_FALSE(dialog.AreEntryControlsEnabled());
}

TEST_F(GerberFilesDlgTest, MovedEntryKeepsTheOffsetTypedForIt) {
  dialog.AddEntry(Layer("/a/one.gbr", 0x0000FF, 1, 1));
  dialog.AddEntry(Layer("/a/two.gbr", 0xFF0000, 2, 2));
  dialog.AddEntry(Layer("/a/three.gbr", 0x00FF00, 3, 3));
  Open();
  dialog.OnSelChange(2);
  dialog.OnOffsetXEdited("750");
  dialog.OnMoveUp();
  EXPECT_EQ(dialog.ListSelection(), 1);
  EXPECT_EQ(dialog.ShownEntry(), 1);
  EXPECT_EQ(dialog.ListLines()[1], "/a/three.gbr");
  // Typed again after the move: still bound to "three".
  dialog.OnOffsetYEdited("-9");
  dialog.OnSelChange(0);
  EXPECT_EQ(Entry(1).fileName, "/a/three.gbr");
  EXPECT_EQ(Entry(1).offsetX, 750);
  EXPECT_EQ(Entry(1).offsetY, -9);
  EXPECT_EQ(Entry(2).fileName, "/a/two.gbr");
  EXPECT_EQ(Entry(2).offsetX, 2);
  EXPECT_EQ(Entry(2).offsetY, 2);
  EXPECT_EQ(Entry(0).offsetX, 1);
  EXPECT_EQ(dialog.OffsetXText(), "1");  // the new selection's values show
}

TEST_F(GerberFilesDlgTest, MovesStopAtTheEnds) {
  dialog.AddEntry(Layer("/a/one.gbr", 1));
  dialog.AddEntry(Layer("/a/two.gbr", 2));
  Open();
  dialog.OnMoveUp();  // nothing selected
  dialog.OnMoveDown();
  dialog.OnSelChange(0);
  dialog.OnMoveUp();
  EXPECT_EQ(Entry(0).fileName, "/a/one.gbr");
  dialog.OnMoveDown();
  EXPECT_EQ(Entry(1).fileName, "/a/one.gbr");
  EXPECT_EQ(dialog.ListSelection(), 1);
  dialog.OnMoveDown();
  EXPECT_EQ(Entry(1).fileName, "/a/one.gbr");
  EXPECT_EQ(dialog.ListSelection(), 1);
}

TEST_F(GerberFilesDlgTest, ANonIntegerOffsetKeepsTheOldValueAndTheDialogOpen) {
  dialog.AddEntry(Layer("/a/one.gbr", 1, 10, 20));
  dialog.AddEntry(Layer("/a/two.gbr", 2));
  Open();
  dialog.OnSelChange(0);
  dialog.OnOffsetXEdited("12a");
  EXPECT_FALSE(dialog.OnOK());
  ASSERT_EQ(prompter.messages, std::vector<std::string>{"Please enter an integer."});
  EXPECT_EQ(dialog.TakeFocusRequest(), CGerberFilesDlg::kOffsetXId);
  EXPECT_EQ(dialog.TakeFocusRequest(), std::nullopt);
  EXPECT_EQ(Entry(0).offsetX, 10);
  EXPECT_EQ(dialog.OffsetXText(), "12a");  // left for the user to mend
  // The buttons that commit first do nothing more.
  dialog.OnMoveDown();
  EXPECT_EQ(Entry(0).fileName, "/a/one.gbr");
  Add("/a/three.gbr");
  EXPECT_EQ(dialog.Entries().size(), 2u);
  EXPECT_TRUE(prompter.fileRequests.empty());
  // A bad Y field after a good X one: X is taken, Y keeps its value.
  dialog.OnOffsetXEdited(" 15 ");
  dialog.OnOffsetYEdited("1.5");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(dialog.TakeFocusRequest(), CGerberFilesDlg::kOffsetYId);
  EXPECT_EQ(Entry(0).offsetX, 15);
  EXPECT_EQ(Entry(0).offsetY, 20);
  // Leaving the entry with a bad field: the entry keeps its old value and
  // the next entry shows.
  dialog.OnSelChange(1);
  EXPECT_EQ(Entry(0).offsetY, 20);
  EXPECT_EQ(dialog.OffsetYText(), "0");
  EXPECT_EQ(prompter.messages.size(), 5u);
  EXPECT_TRUE(dialog.OnOK());
  EXPECT_EQ(prompter.messages.size(), 5u);
}

TEST_F(GerberFilesDlgTest, RemoveZeroesTheOffsetsAndKeepsTheMirrorFlags) {
  dialog.AddEntry(Layer("/a/one.gbr", 1, 10, 20));
  dialog.AddEntry(Layer("/a/two.gbr", 2, 30, 40));
  Open();
  dialog.OnSelChange(0);
  dialog.OnMirrorXClicked(true);
  EXPECT_EQ(Entry(0).mirrorOnXAxis, 1);
  dialog.OnOffsetXEdited("99");
  dialog.OnRemove();  // no commit: nothing typed reaches another entry
  ASSERT_EQ(dialog.Entries().size(), 1u);
  EXPECT_EQ(Entry(0).fileName, "/a/two.gbr");
  EXPECT_EQ(Entry(0).offsetX, 30);
  EXPECT_EQ(dialog.ShownEntry(), -1);
  EXPECT_EQ(dialog.ListSelection(), -1);
  EXPECT_FALSE(dialog.AreEntryControlsEnabled());
  EXPECT_EQ(dialog.OffsetXText(), "0");
  EXPECT_TRUE(dialog.IsMirrorXChecked());
  Add("/a/three.gbr");
  EXPECT_EQ(Entry(1).offsetX, 0);
  EXPECT_EQ(Entry(1).offsetY, 0);
  EXPECT_EQ(Entry(1).mirrorOnXAxis, 1);
  EXPECT_EQ(Entry(0).offsetX, 30);  // the hidden shown entry is gone, not overwritten
  dialog.OnRemove();                // nothing selected
  EXPECT_EQ(dialog.Entries().size(), 2u);
}

TEST_F(GerberFilesDlgTest, MirrorBoxesGoToTheSelectedEntry) {
  dialog.AddEntry(Layer("/a/one.gbr", 1));
  dialog.AddEntry(Layer("/a/two.gbr", 2));
  Open();
  dialog.OnSelChange(1);
  dialog.OnMirrorYClicked(true);
  dialog.OnMirrorXClicked(true);
  dialog.OnMirrorXClicked(false);
  EXPECT_EQ(Entry(1).mirrorOnYAxis, 1);
  EXPECT_EQ(Entry(1).mirrorOnXAxis, 0);
  EXPECT_EQ(Entry(0).mirrorOnYAxis, 0);
  dialog.OnSelChange(0);
  EXPECT_FALSE(dialog.IsMirrorYChecked());
  dialog.OnSelChange(1);
  EXPECT_TRUE(dialog.IsMirrorYChecked());
}

TEST_F(GerberFilesDlgTest, ColourListAndCustomColours) {
  dialog.AddEntry(Layer("/a/one.gbr", 0x0000FF));
  dialog.AddEntry(Layer("/a/two.gbr", 0x123456));  // from a work file, in no item
  Open();
  dialog.OnSelChange(1);
  EXPECT_EQ(dialog.Colors().GetCurSel(), -1);
  EXPECT_EQ(dialog.Colors().GetColor(), 0x123456u);
  EXPECT_EQ(dialog.Colors().DrawFace({0, 0, 100, 20}, true).text, "Custom");
  dialog.OnColorSelChange(7);
  EXPECT_EQ(Entry(1).color, 0xFF00FFu);
  dialog.OnColorListKey(CColorCombo::Key::kDown);
  EXPECT_EQ(Entry(1).color, 0xC0C0C0u);
  dialog.OnSelChange(0);
  EXPECT_EQ(dialog.Colors().GetCurSel(), 0);
  EXPECT_EQ(dialog.Colors().DrawFace({0, 0, 100, 20}, true).text, "Red");
  EXPECT_EQ(Entry(1).color, 0xC0C0C0u);
}

TEST_F(GerberFilesDlgTest, ColourPictureKeepsCustomColoursOnlyOnOk) {
  dialog.AddEntry(Layer("/a/one.gbr", 0x0000FF));
  Open();
  dialog.OnSelChange(0);
  store.WriteInt("Custom", "Color3", 0x010203);
  const std::size_t writes = store.WriteCount();

  prompter.colorChoices.push_back(std::nullopt);  // Cancel
  dialog.OnColorPicture();
  ASSERT_EQ(prompter.colorRequests.size(), 1u);
  EXPECT_EQ(prompter.colorRequests[0][0], 0xFFFFFFu);
  EXPECT_EQ(prompter.colorRequests[0][3], 0x010203u);
  EXPECT_EQ(store.WriteCount(), writes);
  EXPECT_EQ(Entry(0).color, 0x0000FFu);

  CustomColors edited{};
  edited.fill(0x000001);
  edited[15] = 0xABCDEF;
  prompter.colorChoices.push_back(RecordingPrompter::ColorChoice{0x445566, edited});
  dialog.OnColorPicture();
  EXPECT_EQ(Entry(0).color, 0x445566u);
  EXPECT_EQ(dialog.Colors().GetCurSel(), -1);
  EXPECT_EQ(store.ReadInt("Custom", "Color15", 0), 0xABCDEF);
  EXPECT_EQ(store.ReadInt("Custom", "Color0", 0), 1);
  EXPECT_EQ(LoadCustomColors(store), edited);

  // A palette colour from the chooser selects its name.
  prompter.colorChoices.push_back(RecordingPrompter::ColorChoice{0x00FF00, std::nullopt});
  dialog.OnColorPicture();
  EXPECT_EQ(dialog.Colors().GetCurSel(), 2);
}

TEST_F(GerberFilesDlgTest, LongPathsAreShortenedToTheList) {
  dialog.AddEntry(Layer("/boards/alpha/gerbers/top.gbr", 1));
  dialog.AddEntry(Layer(std::string(300, 'x') + "/top.gbr", 2));
  Open(20);
  ASSERT_EQ(dialog.ListLines().size(), 2u);
  EXPECT_EQ(dialog.ListLines()[0], "/...../top.gbr");
  EXPECT_EQ(dialog.ListLines()[1], dialog.Entries()[1].fileName);  // too long to shorten
}

TEST(GerberFilesDlgNoDocumentTest, AddFileWithoutADocumentDoesNothing) {
  RecordingPrompter prompter;
  prompter.chosenFiles.push_back("/a/top.gbr");
  CGerberFilesDlg dialog(nullptr, &prompter, nullptr);
  dialog.OnInitDialog(100, Length);
  dialog.OnAddFile();
  EXPECT_TRUE(dialog.Entries().empty());
  EXPECT_TRUE(prompter.fileRequests.empty());
  EXPECT_EQ(dialog.ChooserDirectory(), "");
}

TEST(CustomColorsTest, SixteenWhiteEntriesByDefault) {
  MemorySettingsStore store;
  const CustomColors colors = LoadCustomColors(store);
  for (const uint32_t color : colors) EXPECT_EQ(color, 0xFFFFFFu);
  CustomColors saved{};
  for (std::size_t i = 0; i < saved.size(); ++i) saved[i] = static_cast<uint32_t>(i * 0x010101);
  SaveCustomColors(store, saved);
  EXPECT_EQ(store.WriteCount(), 16u);
  EXPECT_TRUE(store.Contains("Custom", "Color0"));
  EXPECT_TRUE(store.Contains("Custom", "Color15"));
  EXPECT_FALSE(store.Contains("Custom", "Color16"));
  EXPECT_EQ(LoadCustomColors(store), saved);
}

}  // namespace
}  // namespace corvane
