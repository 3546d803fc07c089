#include <gtest/gtest.h>

#include <limits>

#include "dialogs/aperture_list_dlg.h"
#include "dialogs/drill_tool_list_dlg.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "temp_folder.h"

namespace corvane {
namespace {

int32_t Length(std::string_view text) { return static_cast<int32_t>(text.size()); }

Aperture MakeAperture(int32_t dcode, int32_t shape, double x, double y, int32_t quantity) {
  Aperture a;
  a.dcode = dcode;
  a.shape = shape;
  a.sizeX = x;
  a.sizeY = y;
  a.quantity = quantity;
  return a;
}

TEST(TableListLinesTest, ApertureLines) {
  struct Case {
    Aperture aperture;
    const char* line;
  };
  const Case cases[] = {
      {MakeAperture(10, kShapeCircle, 0.01, 0.01, 3), "\t10\tCircle\t0.010\t0.010\t3"},
      {MakeAperture(11, kShapeLine, 1.0, 2.0, 0), "\t11\tLine\t1.000\t2.000\t0"},
      // Exact halves round to even, as the C library's "%0.03f" does.
      {MakeAperture(12, kShapeRectangle, 0.0625, 0.0635, 1), "\t12\tRectangle\t0.062\t0.064\t1"},
      {MakeAperture(13, kShapeSquare, 12345.6789, 12345.6789, 7),
       "\t13\tSquare\t12345.679\t12345.679\t7"},
      {MakeAperture(14, kShapeEllipse, -0.0004, 0.0005, -2), "\t14\tEllipse\t-0.000\t0.001\t-2"},
      // Shapes without a name of their own show an empty type.
      {MakeAperture(15, kShapePolygon, 0.5, 0.5, 0), "\t15\t\t0.500\t0.500\t0"},
      {MakeAperture(16, kShapeMacro, 0, 0, 0), "\t16\t\t0.000\t0.000\t0"},
      {MakeAperture(17, kShapeNone, 0, 0, 0), "\t17\t\t0.000\t0.000\t0"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatApertureLine(c.aperture), c.line);
  // A size of 1e300 is written out in all its 301 digits, not cut off.
  const std::string huge = FormatApertureLine(MakeAperture(18, 99, 1e300, 0, 0));
  EXPECT_EQ(huge.size(), std::string("\t18\t\t.000\t0.000\t0").size() + 301);
  EXPECT_TRUE(huge.starts_with("\t18\t\t1000000000000000052504760255204420248704468581108"));
}

TEST(TableListLinesTest, DrillToolLines) {
  const std::pair<DrillTool, const char*> cases[] = {
      {DrillTool{1, kPlatingUnknown, 0.035, 120}, "\t1\tUnknown\t0.035\t120"},
      {DrillTool{2, kPlatingPlated, 0.125, 4}, "\t2\tPlated\t0.125\t4"},
      {DrillTool{3, kPlatingUnplated, 3.0, 0}, "\t3\tUnplated\t3.000\t0"},
      {DrillTool{4, 7, 0.0005, 1}, "\t4\tUnknown\t0.001\t1"},
  };
  for (const auto& [tool, line] : cases) EXPECT_EQ(FormatDrillToolLine(tool), line);
}

TEST(TableListLinesTest, TabbedLinesStartEachPieceAtTheNextStop) {
  const int32_t stops[] = {10, 50, 100};
  struct Case {
    const char* line;
    std::vector<TabbedPiece> pieces;
  };
  const Case cases[] = {
      {"\t10\tCircle\t0.010", {{10, "10"}, {50, "Circle"}, {100, "0.010"}}},
      {"ab\tc", {{0, "ab"}, {10, "c"}}},
      // Text that runs past a stop goes to the next one.
      {"\t0123456789012345678901234567890123456789012\tx",
       {{10, "0123456789012345678901234567890123456789012"}, {100, "x"}}},
      // Empty columns leave nothing to draw but still use their stop.
      {"\t\tx", {{50, "x"}}},
      // Past the last stop a tab is a blank wide.
      {"\ta\tb\tc\td", {{10, "a"}, {50, "b"}, {100, "c"}, {102, "d"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayOutTabbedLine(c.line, stops, Length), c.pieces) << c.line;
  }
}

TEST(TableListLinesTest, DialogUnitsAreQuarterCharacters) {
  EXPECT_EQ(DialogUnitsToPixels(120, 6.0), 180);
  EXPECT_EQ(DialogUnitsToPixels(5, 7.0), 9);  // 8.75 rounds up
  EXPECT_EQ(DialogUnitsToPixels(0, 7.0), 0);
}

class TableListDlgTest : public ::testing::Test {
 protected:
  TableListDlgTest() : loader(doc, nullptr, &prompter) { doc.SetPathName(folder.File("set.wrk")); }
  CCorvaneDoc doc;
  RecordingPrompter prompter;
  DocumentLoader loader;
  TempFolder folder;
};

TEST_F(TableListDlgTest, PlotFileAperturesShowWithoutAFileName) {
  Aperture fromPlot = MakeAperture(10, kShapeCircle, 0.02, 0.02, 0);
  fromPlot.layer = 0;
  doc.AddAperture(fromPlot);
  doc.AddAperture(MakeAperture(11, kShapeMacro, 0, 0, 0));
  CApertureListDlg dialog(loader, &prompter);
  dialog.OnInitDialog(200, Length);
  EXPECT_EQ(dialog.ShownFileName(), "");
  EXPECT_EQ(dialog.ListLines(),
            (std::vector<std::string>{"\t10\tCircle\t0.020\t0.020\t0", "\t11\t\t0.000\t0.000\t0"}));
}

TEST_F(TableListDlgTest, ApertureLoadReplacesTheTable) {
  doc.Settings().apertureFileExt = "apr";
  doc.AddAperture(MakeAperture(50, kShapeCircle, 1, 1, 0));
  const std::string file =
      folder.Write("tables/set.apr", "D10 CIRCLE 10 10 5\r\nD11 SQUARE 20\r\n");
  CApertureListDlg dialog(loader, &prompter);
  dialog.OnInitDialog(1000, Length);
  prompter.chosenFiles.push_back(file);
  ASSERT_TRUE(dialog.OnLoad());
  ASSERT_EQ(prompter.fileRequests.size(), 1u);
  const FileChooserRequest& request = prompter.fileRequests[0];
  EXPECT_EQ(request.filter, "Gerber Aperture Files (*.apr)|*.apr|All Files (*.*)|*.*||");
  EXPECT_EQ(request.defaultExt, "apr");
  EXPECT_EQ(request.initialDir, folder.Path());
  EXPECT_TRUE(request.pathMustExist);
  EXPECT_EQ(dialog.FileName(), file);
  EXPECT_EQ(dialog.ShownFileName(), file);
  ASSERT_EQ(dialog.ListLines().size(), 2u);
  EXPECT_EQ(dialog.ListLines()[0], "\t10\tCircle\t0.010\t0.010\t5");
  EXPECT_EQ(doc.GetApertureFileName(), file);
  EXPECT_EQ(prompter.waitCursorCount, 1);
  EXPECT_EQ(prompter.waitCursorDepth, 0);
}

TEST_F(TableListDlgTest, SecondDrillToolFileReplacesTheListAndMarksTheDocument) {
  doc.Settings().drillToolFileExt = "rck";
  const std::string first =
      folder.Write("a.rck", "T01 Plated x 35 120\r\nT02 Unplated x 125 4\r\n");
  const std::string second = folder.Write("b.rck", "T07 x x 50 9\r\n");
  CDrillToolListDlg dialog(loader, &prompter);
  dialog.OnInitDialog(1000, Length);
  EXPECT_TRUE(dialog.ListLines().empty());
  prompter.chosenFiles = {first, second};
  ASSERT_TRUE(dialog.OnLoad());
  EXPECT_EQ(dialog.ListLines(),
            (std::vector<std::string>{"\t1\tPlated\t0.035\t120", "\t2\tUnplated\t0.125\t4"}));
  doc.SetModified(false);
  const int32_t revision = dialog.ListRevision();
  ASSERT_TRUE(dialog.OnLoad());
  EXPECT_EQ(dialog.ListLines(), std::vector<std::string>{"\t7\tUnknown\t0.050\t9"});
  EXPECT_GT(dialog.ListRevision(), revision);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(prompter.fileRequests[0].filter,
            "Drill Tool Files (*.rck)|*.rck|All Files (*.*)|*.*||");
  // Cancelling the chooser changes nothing.
  doc.SetModified(false);
  EXPECT_FALSE(dialog.OnLoad());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(dialog.FileName(), second);
  EXPECT_EQ(dialog.ListLines().size(), 1u);
}

TEST_F(TableListDlgTest, AFileThatCannotBeReadStillShowsItsName) {
  const std::string first = folder.Write("a.rck", "T01 Plated x 35 120\r\n");
  CDrillToolListDlg dialog(loader, &prompter);
  dialog.OnInitDialog(1000, Length);
  prompter.chosenFiles = {first, folder.File("gone.rck")};
  ASSERT_TRUE(dialog.OnLoad());
  doc.SetModified(false);
  ASSERT_TRUE(dialog.OnLoad());
  EXPECT_EQ(dialog.FileName(), folder.File("gone.rck"));
  EXPECT_EQ(doc.GetDrillToolFileName(), first);
  EXPECT_EQ(dialog.ListLines(), std::vector<std::string>{"\t1\tPlated\t0.035\t120"});
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(TableListDlgTest, TheFileNameIsShortenedToItsText) {
  doc.SetDrillToolFileName("/boards/alpha/drill/tools.rck");
  CDrillToolListDlg dialog(loader, &prompter);
  dialog.OnInitDialog(20, Length);
  EXPECT_EQ(dialog.FileName(), "/boards/alpha/drill/tools.rck");
  EXPECT_EQ(dialog.ShownFileName(), "/...../tools.rck");
}

TEST_F(TableListDlgTest, WithoutAPrompterLoadDoesNothing) {
  CApertureListDlg dialog(loader, nullptr);
  dialog.OnInitDialog(100, Length);
  EXPECT_FALSE(dialog.OnLoad());
}

}  // namespace
}  // namespace corvane
