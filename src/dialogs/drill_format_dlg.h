#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/coordinate_format_dlg.h"

namespace corvane {

inline constexpr std::string_view kDrillFormatTitle = "Drill File Format";

// How NC drill files are read: the one number format of both axes, zero
// suppression, multiplier, offsets in plot units, and the extension offered.
class CDrillFormatDlg : public CCoordinateFormatDlg {
 public:
  static constexpr int32_t kResourceId = 148;
  explicit CDrillFormatDlg(Prompter* prompter = nullptr);
};

}  // namespace corvane
