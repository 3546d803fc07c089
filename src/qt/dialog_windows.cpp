#include "qt/dialog_windows.h"

#include "app/app_shell.h"
#include "dialogs/aperture_list_dlg.h"
#include "dialogs/drill_format_dlg.h"
#include "dialogs/drill_tool_list_dlg.h"
#include "dialogs/gerber_format_dlg.h"
#include "qt/aperture_format_window.h"
#include "qt/coordinate_format_window.h"
#include "qt/drill_tool_format_window.h"
#include "qt/fabrication_checks_window.h"
#include "qt/gerber_files_window.h"
#include "qt/layer_visibility_window.h"
#include "qt/offset_layer_window.h"
#include "qt/print_magnification_window.h"
#include "qt/qt_dialog_runner.h"
#include "qt/table_list_window.h"

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
  runner.Add<CGerberFilesDlg>([help](CGerberFilesDlg& dialog, QWidget* parent) {
    return CGerberFilesWindow::Run(dialog, help, parent);
  });
  // The Aperture List and Drill Tool List dialogs share their window.
  runner.Add<CApertureListDlg>([help](CApertureListDlg& dialog, QWidget* parent) {
    return CTableListWindow::Run(dialog, help, parent);
  });
  runner.Add<CDrillToolListDlg>([help](CDrillToolListDlg& dialog, QWidget* parent) {
    return CTableListWindow::Run(dialog, help, parent);
  });
  runner.Add<CFabricationChecksDlg>(&RunFabricationChecksWindow);
}

}  // namespace corvane
