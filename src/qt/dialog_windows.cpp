#include "qt/dialog_windows.h"

#include "app/app_shell.h"
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
}

}  // namespace corvane
