#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What the colour list shows for a colour that is in none of its items.
inline constexpr std::string_view kCustomColorName = "Custom";

// A colour as its three components.
struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 0x00BBGGRR, red in the low byte, as layers and the settings store keep it.
inline constexpr uint32_t RgbValue(Rgb rgb) {
  return static_cast<uint32_t>(rgb.red) | static_cast<uint32_t>(rgb.green) << 8 |
         static_cast<uint32_t>(rgb.blue) << 16;
}
inline constexpr Rgb RgbOf(uint32_t color) {
  return Rgb{static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
             static_cast<uint8_t>((color >> 16) & 0xFF)};
}

// An item's rectangle in the control's pixels; right and bottom lie just
// outside it, as a control hands it over for drawing.
struct ItemRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const ItemRect&, const ItemRect&) = default;
};

// How one item of the colour list, or the closed control's face, is drawn.
struct ColorItemDrawing {
  Rgb background;   // fills the whole item rectangle
  ItemRect swatch;  // filled, corners inclusive
  Rgb swatchColor;
  ItemRect outline;  // a 1-pixel frame through these corners, inclusive
  Rgb outlineColor;
  int32_t textX = 0;  // left and top of the text
  int32_t textY = 0;
  std::string text;
  Rgb textColor;
  Rgb textBackground;
};

// The owner-drawn colour list's state without its control: items of a name
// and a colour, the selection, the current colour shown when nothing is
// selected, and whether the list is dropped down and the control has focus.
class CColorCombo {
 public:
  // Keys the list handles on its own.
  enum class Key { kUp, kDown };

  void AddColor(uint32_t color, std::string name);
  int32_t GetCount() const { return static_cast<int32_t>(names_.size()); }
  // The item's name; empty for an index outside the list.
  std::string_view GetItemName(int32_t index) const;
  // The item's colour; the current colour for an index outside the list.
  Rgb GetItemColor(int32_t index) const;

  // Makes the colour current and selects the first item of exactly that
  // colour, or nothing (the control then shows "Custom").
  void SetColor(uint32_t color);
  void SetColor(uint8_t red, uint8_t green, uint8_t blue);
  uint32_t GetColor() const { return RgbValue(current_); }

  // Selects an item and makes its colour current; an index outside the list
  // selects nothing and keeps the current colour.
  void SelectIndex(int32_t index);
  int32_t GetCurSel() const { return selection_; }

  // Up and Down step the selection one item, within the list; from no
  // selection both select the first item. The selection is only moved, as
  // the control's own keys move it; the caller treats it as a choice.
  // Returns the new selection.
  int32_t OnKey(Key key);

  // The control's notifications; each changes what the face looks like.
  void OnDropDown() { droppedDown_ = true; }
  void OnCloseUp() { droppedDown_ = false; }
  void OnSetFocus() { hasFocus_ = true; }
  void OnKillFocus() { hasFocus_ = false; }
  bool IsDroppedDown() const { return droppedDown_; }
  bool HasFocus() const { return hasFocus_; }

  // How to draw item `index` (past the end or below 0: the current colour,
  // named "Custom") in `rect`. `enabled` is the control's state; `drawnWithFocus`
  // tells that the item is the one the open list highlights.
  ColorItemDrawing DrawItem(int32_t index, const ItemRect& rect, bool enabled,
                            bool drawnWithFocus) const;
  // The closed control's face: the selected item, or "Custom" without one.
  ColorItemDrawing DrawFace(const ItemRect& rect, bool enabled) const {
    return DrawItem(selection_, rect, enabled, false);
  }

 private:
  bool IsItem(int32_t index) const { return index >= 0 && index < GetCount(); }

  std::vector<std::string> names_;
  // The items' colours as three parallel lists of components.
  std::vector<uint8_t> reds_;
  std::vector<uint8_t> greens_;
  std::vector<uint8_t> blues_;
  Rgb current_{128, 128, 128};
  int32_t selection_ = -1;
  bool droppedDown_ = false;
  bool hasFocus_ = false;
};

}  // namespace corvane
