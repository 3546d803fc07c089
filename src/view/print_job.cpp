#include "view/print_job.h"

#include "platform/prompter.h"

namespace corvane {

PrintOutcome PrintJob::Print(bool direct, std::string_view title) {
  CPrintInfo info;
  info.direct = direct;
  info.service = &service_;
  if (!view_.OnPreparePrinting(info)) return PrintOutcome::kCancelled;
  bool printed = false;
  {
    WaitCursor wait(prompter_);
    view_.OnBeginPrinting();
    printed = PrintPage(service_.CurrentPrinter(), title);
    view_.OnEndPrinting();
  }
  if (printed) return PrintOutcome::kPrinted;
  ReportFailure();
  return PrintOutcome::kFailed;
}

void PrintJob::Preview(std::string_view title) {
  CPrintInfo info;
  info.preview = true;
  info.service = &service_;
  if (!view_.OnPreparePrinting(info)) return;
  const std::string name(title);
  view_.OnBeginPrinting();
  // The preview draws its pages whenever it needs them, and prints from its
  // own button onto the printer the user picks there.
  service_.RunPreview([this, &name](PrintDevice& device) {
    if (!PrintPage(device, name)) ReportFailure();
  });
  view_.OnEndPrinting();
  // A screen paint while the preview was open used the print state.
  view_.InvalidateAll();
}

bool PrintJob::PrintPage(PrintDevice& device, std::string_view title) {
  if (!device.StartDoc(title)) return false;
  view_.OnPrepareDC(device);
  view_.OnPrint(device.Page());
  device.EndDoc();
  return true;
}

void PrintJob::ReportFailure() {
  if (prompter_ != nullptr) prompter_->ShowMessage(kCouldNotStartPrintJob, Prompter::Buttons::kOk);
}

}  // namespace corvane
