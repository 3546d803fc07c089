#include "dialogs/color_combo.h"

#include <gtest/gtest.h>

#include "document/corvane_doc.h"

namespace corvane {
namespace {

constexpr Rgb kLightGray{192, 192, 192};
constexpr Rgb kGray{128, 128, 128};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

CColorCombo Palette() {
  CColorCombo combo;
  for (int32_t i = 0; i < 10; ++i) {
    combo.AddColor(CCorvaneDoc::DefaultLayerColor(i), std::string(CCorvaneDoc::ColorName(i)));
  }
  return combo;
}

TEST(ColorComboTest, StartsGrayWithNothingSelected) {
  const CColorCombo combo = Palette();
  EXPECT_EQ(combo.GetCurSel(), -1);
  EXPECT_EQ(combo.GetColor(), 0x808080u);
  EXPECT_EQ(combo.GetItemColor(-1), kGray);
  // Past the end there is no item either: the current colour, never a read
  // beyond the lists.
  EXPECT_EQ(combo.GetItemColor(10), kGray);
  EXPECT_EQ(combo.GetItemName(10), "");
}

TEST(ColorComboTest, SetColorSelectsTheFirstExactMatchOrNothing) {
  struct Case {
    uint32_t color;
    int32_t selection;
  };
  const Case cases[] = {
      {0x0000FF, 0},  // red
      {0xFF0000, 1},  // blue
      {0x808080, 9},  // gray
      {0xC0C0C0, 8},  // light gray
      {0x0000FE, -1}, {0x000000, -1}, {0xFFFFFF, -1}, {0x123456, -1},
  };
  CColorCombo combo = Palette();
  for (const Case& c : cases) {
    combo.SetColor(c.color);
    EXPECT_EQ(combo.GetCurSel(), c.selection) << std::hex << c.color;
    EXPECT_EQ(combo.GetColor(), c.color);
    EXPECT_EQ(combo.DrawFace({0, 0, 100, 20}, true).text,
              c.selection < 0 ? "Custom" : combo.GetItemName(c.selection));
  }
  // The same through the three components; a duplicate item is never chosen
  // over the first.
  combo.AddColor(0x0000FF, "Red again");
  combo.SetColor(255, 0, 0);
  EXPECT_EQ(combo.GetCurSel(), 0);
}

TEST(ColorComboTest, SelectIndexMakesTheItemsColourCurrent) {
  CColorCombo combo = Palette();
  combo.SelectIndex(3);
  EXPECT_EQ(combo.GetCurSel(), 3);
  EXPECT_EQ(combo.GetColor(), 0x00FFFFu);
  combo.SelectIndex(42);
  EXPECT_EQ(combo.GetCurSel(), -1);
  EXPECT_EQ(combo.GetColor(), 0x00FFFFu);
}

TEST(ColorComboTest, UpAndDownStepWithinTheList) {
  struct Case {
    int32_t before;
    CColorCombo::Key key;
    int32_t after;
  };
  const Case cases[] = {
      {-1, CColorCombo::Key::kUp, 0}, {-1, CColorCombo::Key::kDown, 0},
      {0, CColorCombo::Key::kUp, 0},  {0, CColorCombo::Key::kDown, 1},
      {5, CColorCombo::Key::kUp, 4},  {5, CColorCombo::Key::kDown, 6},
      {9, CColorCombo::Key::kUp, 8},  {9, CColorCombo::Key::kDown, 9},
  };
  for (const Case& c : cases) {
    CColorCombo combo = Palette();
    combo.SelectIndex(c.before);
    EXPECT_EQ(combo.OnKey(c.key), c.after) << c.before;
    EXPECT_EQ(combo.GetCurSel(), c.after);
  }
  CColorCombo empty;
  EXPECT_EQ(empty.OnKey(CColorCombo::Key::kDown), -1);
}

TEST(ColorComboTest, ItemGeometry) {
  CColorCombo combo = Palette();
  const ColorItemDrawing d = combo.DrawItem(2, {10, 40, 150, 58}, true, false);
  // 30 pixels wide from 1 pixel in, 2 below the top, 18 - 3 = 15 rows high.
  EXPECT_EQ(d.swatch, (ItemRect{11, 42, 40, 56}));
  EXPECT_EQ(d.swatch.right - d.swatch.left + 1, 30);
  EXPECT_EQ(d.swatch.bottom - d.swatch.top + 1, 18 - 3);
  EXPECT_EQ(d.outline, d.swatch);
  EXPECT_EQ(d.textX, 44);
  EXPECT_EQ(d.textY, 42);
  EXPECT_EQ(d.text, "Green");
  EXPECT_EQ(d.swatchColor, (Rgb{0, 255, 0}));
  // No item: the current colour, named "Custom".
  combo.SetColor(0x336699);
  const ColorItemDrawing none = combo.DrawItem(-1, {0, 0, 100, 20}, true, false);
  EXPECT_EQ(none.text, "Custom");
  EXPECT_EQ(none.swatchColor, (Rgb{0x99, 0x66, 0x33}));
  EXPECT_EQ(combo.DrawItem(10, {0, 0, 100, 20}, true, false).text, "Custom");
}

TEST(ColorComboTest, ColoursOfEachState) {
  struct Case {
    const char* name;
    bool enabled;
    bool drawnWithFocus;
    bool hasFocus;
    bool droppedDown;
    Rgb background;
    Rgb text;
    Rgb textBackground;
  };
  const Case cases[] = {
      {"disabled", false, false, false, false, kLightGray, kGray, kLightGray},
      {"disabled beats focus", false, true, true, false, kLightGray, kGray, kLightGray},
      {"highlighted in the open list", true, true, true, true, kNavy, kWhite, kNavy},
      {"other items of the open list", true, false, true, true, kWhite, kBlack, kWhite},
      {"closed with focus", true, false, true, false, kNavy, kWhite, kNavy},
      {"closed without focus", true, false, false, false, kWhite, kBlack, kWhite},
      {"open without focus", true, false, false, true, kWhite, kBlack, kWhite},
  };
  for (const Case& c : cases) {
    CColorCombo combo = Palette();
    if (c.hasFocus) combo.OnSetFocus();
    if (c.droppedDown) combo.OnDropDown();
    const ColorItemDrawing d = combo.DrawItem(0, {0, 0, 100, 20}, c.enabled, c.drawnWithFocus);
    EXPECT_EQ(d.background, c.background) << c.name;
    EXPECT_EQ(d.textColor, c.text) << c.name;
    EXPECT_EQ(d.textBackground, c.textBackground) << c.name;
    EXPECT_EQ(d.swatchColor, c.enabled ? (Rgb{255, 0, 0}) : kLightGray) << c.name;
    EXPECT_EQ(d.outlineColor, c.enabled ? kBlack : kGray) << c.name;
  }
  // The notifications undo each other.
  CColorCombo combo = Palette();
  combo.OnSetFocus();
  combo.OnDropDown();
  combo.OnCloseUp();
  combo.OnKillFocus();
  EXPECT_FALSE(combo.IsDroppedDown());
  EXPECT_FALSE(combo.HasFocus());
  EXPECT_EQ(combo.DrawFace({0, 0, 100, 20}, true).background, kWhite);
}

}  // namespace
}  // namespace corvane
