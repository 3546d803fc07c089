#include "analysis/board_style.h"

namespace corvane {
namespace {

constexpr PaintChoice kMasks[] = {
    {"green", 0x2E6A1C}, {"red", 0x1E1EA8}, {"blue", 0x9C421E},
    {"black", 0x1A1A1A}, {"white", 0xEEEEEE}, {"purple", 0x82305E},
};
constexpr PaintChoice kFinishes[] = {{"gold", 0x3CB4D8}, {"silver", 0xC8C4C0}};
constexpr PaintChoice kSilks[] = {{"white", 0xF6F6F6}, {"black", 0x141414}};

constexpr uint32_t kCopperColor = 0x3A7CC8;  // fresh copper
constexpr uint32_t kCopperThroughMask = 96;  // of 256

uint32_t ColorAt(std::span<const PaintChoice> choices, uint32_t index) {
  return choices[index < choices.size() ? index : 0].color;
}

}  // namespace

std::span<const PaintChoice> PaintChoices(BoardPaint paint) {
  switch (paint) {
    case BoardPaint::kFinish:
      return kFinishes;
    case BoardPaint::kSilk:
      return kSilks;
    case BoardPaint::kMask:
      break;
  }
  return kMasks;
}

std::optional<uint32_t> PaintChoiceNamed(BoardPaint paint, std::string_view name) {
  const std::span<const PaintChoice> choices = PaintChoices(paint);
  for (uint32_t i = 0; i < choices.size(); ++i) {
    if (choices[i].name == name) return i;
  }
  return std::nullopt;
}

uint32_t BoardStyle::MaskColor() const { return ColorAt(kMasks, mask); }
uint32_t BoardStyle::FinishColor() const { return ColorAt(kFinishes, finish); }
uint32_t BoardStyle::SilkColor() const { return ColorAt(kSilks, silk); }

uint32_t BoardStyle::CopperUnderMaskColor() const {
  return MixColor(MaskColor(), kCopperColor, kCopperThroughMask);
}

uint32_t& BoardStyle::Choice(BoardPaint paint) {
  switch (paint) {
    case BoardPaint::kFinish:
      return finish;
    case BoardPaint::kSilk:
      return silk;
    case BoardPaint::kMask:
      break;
  }
  return mask;
}

uint32_t MixColor(uint32_t a, uint32_t b, uint32_t part) {
  if (part > 256) part = 256;
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t ca = a >> shift & 0xFF;
    const uint32_t cb = b >> shift & 0xFF;
    out |= ((ca * (256 - part) + cb * part) >> 8 & 0xFF) << shift;
  }
  return out;
}

}  // namespace corvane
