#include "dialogs/format_dialog.h"

namespace corvane {

bool CFormatDialog::EndRead(const DataExchange& exchange) {
  if (!exchange.Failed()) return true;
  focusRequest_ = exchange.FailedControl();
  return false;
}

}  // namespace corvane
