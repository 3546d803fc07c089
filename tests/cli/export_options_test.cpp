#include "cli/export_options.h"

#include <gtest/gtest.h>

#include "cli/headless_view.h"

namespace corvane {
namespace {

ExportParseResult Parse(std::vector<std::string> args) { return ParseExportArguments(args); }

TEST(ExportOptionsTest, DefaultsAndWorkingSetArgumentsPassedOn) {
  const ExportParseResult r =
      Parse({"--defaults", "-o", "out.PNG", "--drill-file", "b.drl", "top.gbr"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.output, "out.PNG");
  EXPECT_EQ(r.options.format, ExportFormat::kPng);
  EXPECT_EQ(r.options.width, 1920);
  EXPECT_EQ(r.options.height, 1080);
  EXPECT_EQ(r.options.background, 0xFFFFFFu);
  EXPECT_EQ(r.options.page, ExportPage::kLetter);
  EXPECT_TRUE(r.options.workingSet.useDefaults);
  EXPECT_EQ(r.options.workingSet.drillFile, "b.drl");
  EXPECT_EQ(r.options.workingSet.files, (std::vector<std::string>{"top.gbr"}));
}

TEST(ExportOptionsTest, OwnOptions) {
  const ExportParseResult r = Parse({"--size", "640x480", "--background", "#102030", "--page", "a3",
                                     "-o", "x/board.pdf", "a.gbr"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.format, ExportFormat::kPdf);
  EXPECT_EQ(r.options.width, 640);
  EXPECT_EQ(r.options.height, 480);
  EXPECT_EQ(r.options.background, 0x302010u);  // 0x00BBGGRR
  EXPECT_EQ(r.options.page, ExportPage::kA3);
}

TEST(ExportOptionsTest, InlineValuesAndTheEndOfOptions) {
  const ExportParseResult r = Parse({"--size=10x20", "-o", "a.svg", "--", "-o", "--size=3x3"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.width, 10);
  EXPECT_EQ(r.options.format, ExportFormat::kSvg);
  EXPECT_EQ(r.options.workingSet.files, (std::vector<std::string>{"-o", "--size=3x3"}));
}

TEST(ExportOptionsTest, BadArgumentsAreRefused) {
  const std::vector<std::vector<std::string>> cases = {
      {"a.gbr"},                                    // no -o
      {"-o", "out.bmp", "a.gbr"},                   // unknown format
      {"-o", "out", "a.gbr"},                       // no extension
      {"-o", "a.png", "-o", "b.png", "a.gbr"},      // two outputs
      {"-o"},                                       // -o without its value
      {"--size", "0x100", "-o", "a.png", "a.gbr"},  // empty side
      {"--size", "100", "-o", "a.png", "a.gbr"},    // one number
      {"--size", "16385x10", "-o", "a.png"},        // too large
      {"--size", "-5x10", "-o", "a.png"},           // a sign
      {"--size", "99999999999x1", "-o", "a.png"},   // an overflowing number
      {"--background", "#12345", "-o", "a.png"},    // short
      {"--background", "123456", "-o", "a.png"},    // no hash
      {"--background", "#12345G", "-o", "a.png"},   // not hex
      {"--page", "A4", "-o", "a.pdf"},              // pages are lower case
      {"--page", "tabloid", "-o", "a.pdf"},
      {"--page"},
      {"--dpi", "0", "-o", "a.png", "a.gbr"},                       // no pixels
      {"--dpi", "100001", "-o", "a.png", "a.gbr"},                  // beyond the bound
      {"--dpi", "2.5", "-o", "a.png", "a.gbr"},                     // whole numbers
      {"--dpi", "600", "--size", "10x10", "-o", "a.png", "a.gbr"},  // both
      {"--standard=1", "-o", "a.png", "a.gbr"},                     // a flag takes no value
      {"--board", "left", "-o", "a.png", "a.gbr"},                  // a side of the board
      {"--board", "Top", "-o", "a.png", "a.gbr"},                   // words are lower case
      {"--board", "top", "--mask", "pink", "-o", "a.png", "a.gbr"},
      {"--board", "top", "--finish", "green", "-o", "a.png", "a.gbr"},  // a mask's colour
      {"--board", "top", "--silk", "gold", "-o", "a.png", "a.gbr"},
      {"--mask", "red", "-o", "a.png", "a.gbr"},  // colours of no board
  };
  for (const auto& args : cases) {
    const ExportParseResult r = Parse(args);
    EXPECT_FALSE(r.ok) << args.front();
    EXPECT_FALSE(r.error.empty());
  }
}

// The standard reading at a fixed resolution, of a drill file alone.
TEST(ExportOptionsTest, StandardReadingAtAResolution) {
  const ExportParseResult r =
      Parse({"--standard", "--dpi", "600", "--drill-file", "b.drl", "-o", "b.png"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(r.options.standard);
  EXPECT_EQ(r.options.dpi, 600);
  EXPECT_TRUE(r.options.workingSet.files.empty());
  const ExportParseResult classic = Parse({"-o", "b.png", "a.gbr"});
  EXPECT_FALSE(classic.options.standard);
  EXPECT_EQ(classic.options.dpi, 0);
}

TEST(ExportOptionsTest, TheBoardOfASideInTheColoursAskedFor) {
  struct Case {
    std::vector<std::string> args;
    BoardSide side;
    std::optional<uint32_t> mask;
    std::optional<uint32_t> finish;
    std::optional<uint32_t> silk;
  };
  const Case cases[] = {
      {{"--board", "top", "-o", "a.png", "a.gbr"}, BoardSide::kTop, {}, {}, {}},
      {{"--board=bottom", "--mask", "purple", "--finish", "silver", "--silk", "black", "-o",
        "a.svg", "a.gbr"},
       BoardSide::kBottom, 5u, 1u, 1u},
      {{"--silk", "white", "--board", "top", "--mask", "black", "-o", "a.pdf", "a"},
       BoardSide::kTop, 3u, {}, 0u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const ExportParseResult r = Parse(c.args);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.options.board, c.side);
    EXPECT_EQ(r.options.paints[0], c.mask);
    EXPECT_EQ(r.options.paints[1], c.finish);
    EXPECT_EQ(r.options.paints[2], c.silk);
  }
  EXPECT_FALSE(Parse({"-o", "a.png", "a.gbr"}).options.board.has_value());
}

TEST(ExportOptionsTest, PagesInHundredthsOfAnInch) {
  EXPECT_EQ(PageExtentOf(ExportPage::kLetter).width, 850);
  EXPECT_EQ(PageExtentOf(ExportPage::kLegal).height, 1400);
  EXPECT_EQ(PageExtentOf(ExportPage::kA4).width, 827);    // 210 mm
  EXPECT_EQ(PageExtentOf(ExportPage::kA3).height, 1654);  // 420 mm
}

// A board from (1, 0) to (3, 1) with the stored default MirrorX.
class HeadlessViewTest : public ::testing::Test {
 protected:
  HeadlessViewTest() {
    PlotLayer layer;
    doc_.AddLayer(layer);
    for (const double x : {1.0, 3.0}) {
      PlotItem item;
      item.kind = kKindStatement;
      item.dcode = 1;
      item.x = x;
      item.y = x == 1.0 ? 0.0 : 1.0;
      doc_.AddItem(item);
    }
    doc_.ComputeExtents();
    doc_.SetShowDrillHoles(0);
  }
  CCorvaneDoc doc_;
  RecordingSurface dc_;
};

TEST_F(HeadlessViewTest, WindowPictureIsTheViewRightAfterOpening) {
  doc_.SetMirrorX(1);
  doc_.SetAutoOrigin(1);
  HeadlessView view(doc_, {800, 600});
  view.PaintWindow(dc_);
  const auto lines = dc_.Calls(SurfaceOp::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].args[0], 800);  // zoomed to the extents: 400 pixels per unit
  EXPECT_EQ(lines[1].args[1], 0);    // +y up
}

// --dpi: the picture just holds what is drawn, a margin on every side, for
// each mirroring and origin; a side beyond the bound is refused.
TEST_F(HeadlessViewTest, FittedToTheDrawingAtAResolution) {
  const struct {
    int32_t mirrorX, mirrorY, autoOrigin;
  } rows[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 0}, {1, 1, 1}};
  int checked = 0;
  for (const auto& row : rows) {
    doc_.SetMirrorX(row.mirrorX);
    doc_.SetMirrorY(row.mirrorY);
    doc_.SetAutoOrigin(row.autoOrigin);
    HeadlessView view(doc_, {800, 600});
    const auto size = view.FitDrawingAt(100.0, 4, 16384);
    ASSERT_TRUE(size.has_value());
    // The first draw starts at (0, 0): 3 by 1 inches are drawn.
    EXPECT_EQ(*size, (ClientSize{309, 109}));
    dc_.Clear();
    dc_.clipBox = {0, 0, size->width, size->height};
    view.PaintWindow(dc_);
    const auto moves = dc_.Calls(SurfaceOp::kMoveTo);
    const auto lines = dc_.Calls(SurfaceOp::kLineTo);
    ASSERT_EQ(lines.size(), 2u);
    // From (1, 0) to (3, 1), with (0, 0) at a corner less the margin.
    EXPECT_EQ(moves[1].args[0], row.mirrorY ? 204 : 104);
    EXPECT_EQ(moves[1].args[1], row.mirrorX ? 104 : 4);
    EXPECT_EQ(lines[1].args[0], row.mirrorY ? 4 : 304);
    EXPECT_EQ(lines[1].args[1], row.mirrorX ? 4 : 104);
    ++checked;
  }
  EXPECT_EQ(checked, 4);
  HeadlessView view(doc_, {800, 600});
  EXPECT_FALSE(view.FitDrawingAt(10000.0, 4, 16384).has_value());
}

TEST_F(HeadlessViewTest, PageIsPrintedAtTheMagnificationFromTheCorner) {
  doc_.SetMirrorX(0);
  doc_.SetAutoOrigin(0);
  doc_.SetPrintMagnification(2.0);
  dc_.printing = true;
  dc_.clipBox = {0, 0, 850, 1100};
  HeadlessView view(doc_, {1920, 1080});
  view.PaintPage(dc_);
  const auto moves = dc_.Calls(SurfaceOp::kMoveTo);
  const auto lines = dc_.Calls(SurfaceOp::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  // The plot's minimum at the page's corner: the first draw runs from the
  // origin, so the second starts an inch in.
  EXPECT_EQ(moves[1].args[0], 200);
  EXPECT_EQ(lines[1].args[0], 600);
  EXPECT_EQ(lines[1].args[1], 200);
  EXPECT_EQ(doc_.GetAutoOrigin(), 0);  // restored after the page
}

}  // namespace
}  // namespace corvane
