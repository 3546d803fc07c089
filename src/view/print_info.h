#pragma once

#include "platform/print_service.h"

namespace corvane {

// What a print job tells the view's hooks about itself.
struct CPrintInfo {
  bool preview = false;             // the preview window, not a printer
  bool direct = false;              // printed without the print dialog (57608, the command line)
  PrintService* service = nullptr;  // shows the print dialog
};

// The standard preparation: the print dialog for a job that is neither a
// preview nor direct. False when the user cancels it; the job then ends
// before it began.
inline bool DoPreparePrinting(CPrintInfo& info) {
  if (info.preview || info.direct) return true;
  return info.service != nullptr && info.service->ShowPrintDialog();
}

}  // namespace corvane
