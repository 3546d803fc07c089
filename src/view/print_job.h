#pragma once

#include <string>
#include <string_view>

#include "platform/print_service.h"
#include "view/corvane_view.h"

namespace corvane {

class Prompter;

inline constexpr std::string_view kCouldNotStartPrintJob = "Could not start print job.";

enum class PrintOutcome { kPrinted, kCancelled, kFailed };

// The print loop around the view's hooks: prepare, begin, then per device
// start the document, map the page, draw it and end, and always end the
// printing state that was begun. One job is one page; what does not fit is
// cut at the page's edges by the device.
class PrintJob {
 public:
  // Nothing is owned. `prompter` may be null: the failure message is then
  // only returned.
  PrintJob(CCorvaneView& view, PrintService& service, Prompter* prompter)
      : view_(view), service_(service), prompter_(prompter) {}

  // One job on the current printer, after the print dialog unless `direct`.
  // A job that cannot start is reported with "Could not start print job.".
  PrintOutcome Print(bool direct, std::string_view title);
  // The preview window; the view holds the print state while it is open.
  void Preview(std::string_view title);

 private:
  // The page onto one device; false when the device could not start.
  bool PrintPage(PrintDevice& device, std::string_view title);
  void ReportFailure();

  CCorvaneView& view_;
  PrintService& service_;
  Prompter* prompter_;
};

}  // namespace corvane
