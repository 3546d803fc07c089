#include "dialogs/gerber_format_dlg.h"

namespace corvane {
namespace {

using S = FormatSettings;

void SetGerberFormat(FormatSettings& settings, NumberFormat format) {
  settings.SetGerberNumberFormat(format);
}

constexpr CoordinateFormatKind kGerberKind{
    .resourceId = CGerberFormatDlg::kResourceId,
    .title = kGerberFormatTitle,
    .defaultExtension = "ger",
    .multiplier = &S::gerberMultiplier,
    .format = &S::gerberXFormat,
    .setFormat = SetGerberFormat,
    .compression = &S::gerberCompression,
    .offsetX = &S::gerberOffsetX,
    .offsetY = &S::gerberOffsetY,
    .extension = &S::gerberFileExt,
    .extensionKey = "GerberFileExt",
    .multiplierKey = "GerberMultiplier",
    .formatKey = "GerberNumberFormat",
    .compressionKey = "GerberCompression",
    .offsetsKey = "GerberOffsets",
};

}  // namespace

CGerberFormatDlg::CGerberFormatDlg(Prompter* prompter)
    : CCoordinateFormatDlg(kGerberKind, prompter) {}

}  // namespace corvane
