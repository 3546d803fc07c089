#include "dialogs/print_magnification_dlg.h"

#include "dialogs/data_exchange.h"

namespace corvane {

void CPrintMagnificationDlg::OnInitDialog() {
  multiplierText = FormatRealField(multiplier);
  focusControl_.reset();
}

bool CPrintMagnificationDlg::OnOK() {
  DataExchange exchange(prompter_);
  exchange.Real(kIdMultiplier, multiplierText, multiplier);
  focusControl_ = exchange.FailedControl();
  return !exchange.Failed();
}

}  // namespace corvane
