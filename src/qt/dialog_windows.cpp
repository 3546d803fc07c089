#include "qt/dialog_windows.h"

#include "app/app_shell.h"
#include "dialogs/drill_format_dlg.h"
#include "dialogs/gerber_format_dlg.h"
#include "qt/aperture_format_window.h"
#include "qt/coordinate_format_window.h"
#include "qt/drill_tool_format_window.h"
#include "qt/layer_visibility_window.h"
#include "qt/offset_layer_window.h"
#include "qt/print_magnification_window.h"
#include "qt/qt_dialog_runner.h"

namespace corvane {

void RegisterDialogWindows(QtDialogRunner& runner, AppShell& shell) {
  const auto help = [&shell](int32_t resource) {
    shell.ShowHelpTopic(static_cast<uint32_t>(resource));
  };
  runner.Add<COffsetLayerDlg>(&COffsetLayerWindow::Run);
  runner.Add<CPrintMagnificationDlg>(&RunPrintMagnificationWindow);
  runner.Add<CLayerVisibilityDlg>([help](CLayerVisibilityDlg& dialog, QWidget* parent) {
    return CLayerVisibilityWindow::Run(dialog, help, parent);
  });
  // The Gerber and Drill File Format dialogs share their window.
  runner.Add<CGerberFormatDlg>([help](CGerberFormatDlg& dialog, QWidget* parent) {
    return CCoordinateFormatWindow::Run(dialog, help, parent);
  });
  runner.Add<CDrillFormatDlg>([help](CDrillFormatDlg& dialog, QWidget* parent) {
    return CCoordinateFormatWindow::Run(dialog, help, parent);
  });
  runner.Add<CApertureFormatDlg>([help](CApertureFormatDlg& dialog, QWidget* parent) {
    return CApertureFormatWindow::Run(dialog, help, parent);
  });
  runner.Add<CDrillToolFormatDlg>([help](CDrillToolFormatDlg& dialog, QWidget* parent) {
    return CDrillToolFormatWindow::Run(dialog, help, parent);
  });
}

}  // namespace corvane
