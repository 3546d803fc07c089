#pragma once

#include <string_view>

#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {

// Which reading of the files the view draws: the classic one (what the
// program has always shown) or the standard one of today's formats.
enum class Interpretation { kClassic, kStandard };

// The per-user choice, "Settings"/StandardInterpretation: 1 the standard
// reading, 0 (and anything else, or nothing stored) the classic one. It
// stands for every set that asks for no reading of its own.
inline constexpr std::string_view kStandardInterpretationKey = "StandardInterpretation";

inline Interpretation StoredInterpretation(const SettingsStore* store) {
  if (store == nullptr) return Interpretation::kClassic;
  return store->ReadInt(kSectionSettings, kStandardInterpretationKey, 0) == 1
             ? Interpretation::kStandard
             : Interpretation::kClassic;
}

// The reading a set is drawn in: its own, else the user's.
inline Interpretation SetInterpretation(Reading reading, Interpretation user) {
  switch (reading) {
    case Reading::kStandard:
      return Interpretation::kStandard;
    case Reading::kClassic:
      return Interpretation::kClassic;
    case Reading::kUnset:
      break;
  }
  return user;
}

inline void StoreInterpretation(SettingsStore& store, Interpretation interpretation) {
  store.WriteInt(kSectionSettings, kStandardInterpretationKey,
                 interpretation == Interpretation::kStandard ? 1 : 0);
}

}  // namespace corvane
