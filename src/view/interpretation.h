#pragma once

#include <string_view>

#include "platform/settings_store.h"

namespace corvane {

// Which reading of the files the view draws: the classic one (what the
// program has always shown) or the standard one of today's formats.
enum class Interpretation { kClassic, kStandard };

// The per-user choice, "Settings"/StandardInterpretation: 1 the standard
// reading, 0 (and anything else, or nothing stored) the classic one. Work
// files never carry it.
inline constexpr std::string_view kStandardInterpretationKey = "StandardInterpretation";

inline Interpretation StoredInterpretation(const SettingsStore* store) {
  if (store == nullptr) return Interpretation::kClassic;
  return store->ReadInt(kSectionSettings, kStandardInterpretationKey, 0) == 1
             ? Interpretation::kStandard
             : Interpretation::kClassic;
}

inline void StoreInterpretation(SettingsStore& store, Interpretation interpretation) {
  store.WriteInt(kSectionSettings, kStandardInterpretationKey,
                 interpretation == Interpretation::kStandard ? 1 : 0);
}

}  // namespace corvane
