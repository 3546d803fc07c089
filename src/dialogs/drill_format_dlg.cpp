#include "dialogs/drill_format_dlg.h"

namespace corvane {
namespace {

using S = FormatSettings;

void SetDrillFormat(FormatSettings& settings, NumberFormat format) {
  settings.drillFormat = format;
}

constexpr CoordinateFormatKind kDrillKind{
    .resourceId = CDrillFormatDlg::kResourceId,
    .title = kDrillFormatTitle,
    .defaultExtension = "drl",
    .multiplier = &S::drillMultiplier,
    .format = &S::drillFormat,
    .setFormat = SetDrillFormat,
    .compression = &S::drillCompression,
    .offsetX = &S::drillOffsetX,
    .offsetY = &S::drillOffsetY,
    .extension = &S::drillFileExt,
    .extensionKey = "DrillFileExt",
    .multiplierKey = "DrillMultiplier",
    .formatKey = "DrillNumberFormat",
    .compressionKey = "DrillCompression",
    .offsetsKey = "DrillOffsets",
};

}  // namespace

CDrillFormatDlg::CDrillFormatDlg(Prompter* prompter) : CCoordinateFormatDlg(kDrillKind, prompter) {}

}  // namespace corvane
