#pragma once

// The board picture's colours as the user last chose them, under "Settings":
// BoardMask, BoardFinish and BoardSilk hold a choice's word ("green",
// "gold", "white"), BoardPaste 1 to draw paste. A missing or unknown word
// gives the default choice.

#include <string_view>

#include "analysis/board_style.h"
#include "platform/settings_store.h"

namespace corvane {

inline constexpr std::string_view kBoardMaskKey = "BoardMask";
inline constexpr std::string_view kBoardFinishKey = "BoardFinish";
inline constexpr std::string_view kBoardSilkKey = "BoardSilk";
inline constexpr std::string_view kBoardPasteKey = "BoardPaste";

// The defaults when `store` is null.
BoardStyle StoredBoardStyle(const SettingsStore* store);
void StoreBoardStyle(SettingsStore& store, const BoardStyle& style);

}  // namespace corvane
