#include "dialogs/color_combo.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr Rgb kLightGray{192, 192, 192};
constexpr Rgb kGray{128, 128, 128};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// The swatch's place in an item: 30 pixels wide from 1 pixel in, from 2
// pixels below the top to 2 pixels above the bottom edge; the name follows.
constexpr int32_t kSwatchLeft = 1;
constexpr int32_t kSwatchRight = 30;
constexpr int32_t kSwatchTop = 2;
constexpr int32_t kSwatchBottomInset = 2;
constexpr int32_t kTextLeft = 34;
constexpr int32_t kTextTop = 2;

}  // namespace

void CColorCombo::AddColor(uint32_t color, std::string name) {
  const Rgb rgb = RgbOf(color);
  names_.push_back(std::move(name));
  reds_.push_back(rgb.red);
  greens_.push_back(rgb.green);
  blues_.push_back(rgb.blue);
}

std::string_view CColorCombo::GetItemName(int32_t index) const {
  return IsItem(index) ? std::string_view(names_[static_cast<std::size_t>(index)])
                       : std::string_view();
}

Rgb CColorCombo::GetItemColor(int32_t index) const {
  if (!IsItem(index)) return current_;
  const auto i = static_cast<std::size_t>(index);
  return Rgb{reds_[i], greens_[i], blues_[i]};
}

void CColorCombo::SetColor(uint32_t color) {
  const Rgb rgb = RgbOf(color);
  SetColor(rgb.red, rgb.green, rgb.blue);
}

void CColorCombo::SetColor(uint8_t red, uint8_t green, uint8_t blue) {
  current_ = Rgb{red, green, blue};
  selection_ = -1;
  for (int32_t i = 0; i < GetCount(); ++i) {
    if (GetItemColor(i) == current_) {
      selection_ = i;
      break;
    }
  }
}

void CColorCombo::SelectIndex(int32_t index) {
  if (!IsItem(index)) {
    selection_ = -1;
    return;
  }
  selection_ = index;
  current_ = GetItemColor(index);
}

int32_t CColorCombo::OnKey(Key key) {
  if (GetCount() == 0) return selection_;
  const int32_t last = GetCount() - 1;
  if (selection_ < 0) {
    selection_ = 0;
  } else if (key == Key::kUp) {
    selection_ = std::min(std::max(selection_ - 1, 0), last);
  } else {
    selection_ = std::min(selection_ + 1, last);
  }
  return selection_;
}

ColorItemDrawing CColorCombo::DrawItem(int32_t index, const ItemRect& rect, bool enabled,
                                       bool drawnWithFocus) const {
  ColorItemDrawing d;
  const bool highlighted = drawnWithFocus || (hasFocus_ && !droppedDown_);
  d.background = !enabled ? kLightGray : highlighted ? kNavy : kWhite;

  d.swatch = ItemRect{rect.left + kSwatchLeft, rect.top + kSwatchTop, rect.left + kSwatchRight,
                      rect.bottom - kSwatchBottomInset};
  d.outline = d.swatch;
  d.swatchColor = enabled ? GetItemColor(index) : kLightGray;
  d.outlineColor = enabled ? kBlack : kGray;

  d.textX = rect.left + kTextLeft;
  d.textY = rect.top + kTextTop;
  d.text = IsItem(index) ? std::string(GetItemName(index)) : std::string(kCustomColorName);
  if (!enabled) {
    d.textColor = kGray;
    d.textBackground = kLightGray;
  } else if (drawnWithFocus) {
    d.textColor = kWhite;
    d.textBackground = kNavy;
  } else if (droppedDown_) {
    d.textColor = kBlack;
    d.textBackground = kWhite;
  } else if (hasFocus_) {
    d.textColor = kWhite;
    d.textBackground = kNavy;
  } else {
    d.textColor = kBlack;
    d.textBackground = kWhite;
  }
  return d;
}

}  // namespace corvane
