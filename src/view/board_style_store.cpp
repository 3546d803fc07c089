#include "view/board_style_store.h"

#include <string>

namespace corvane {
namespace {

struct PaintKey {
  BoardPaint paint;
  std::string_view key;
};
constexpr PaintKey kPaintKeys[] = {
    {BoardPaint::kMask, kBoardMaskKey},
    {BoardPaint::kFinish, kBoardFinishKey},
    {BoardPaint::kSilk, kBoardSilkKey},
};

}  // namespace

BoardStyle StoredBoardStyle(const SettingsStore* store) {
  BoardStyle style;
  if (store == nullptr) return style;
  for (const PaintKey& k : kPaintKeys) {
    const std::string word = store->ReadText(kSectionSettings, k.key, "");
    style.Choice(k.paint) = PaintChoiceNamed(k.paint, word).value_or(0);
  }
  style.paste = store->ReadInt(kSectionSettings, kBoardPasteKey, 0) == 1;
  return style;
}

void StoreBoardStyle(SettingsStore& store, const BoardStyle& style) {
  BoardStyle copy = style;
  for (const PaintKey& k : kPaintKeys) {
    const std::span<const PaintChoice> choices = PaintChoices(k.paint);
    const uint32_t index = copy.Choice(k.paint);
    store.WriteText(kSectionSettings, k.key, choices[index < choices.size() ? index : 0].name);
  }
  store.WriteInt(kSectionSettings, kBoardPasteKey, style.paste ? 1 : 0);
}

}  // namespace corvane
