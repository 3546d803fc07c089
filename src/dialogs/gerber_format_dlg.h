#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/coordinate_format_dlg.h"

namespace corvane {

inline constexpr std::string_view kGerberFormatTitle = "Gerber File Format";

// How Gerber plot files are read when a file does not say itself: the number
// format (shown from the X pair, set into both axes), zero suppression,
// multiplier, offsets in last-digit units, and the extension offered for them.
class CGerberFormatDlg : public CCoordinateFormatDlg {
 public:
  static constexpr int32_t kResourceId = 147;
  explicit CGerberFormatDlg(Prompter* prompter = nullptr);
};

}  // namespace corvane
