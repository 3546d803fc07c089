#include "cli/print_run.h"

#include <filesystem>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/headless_view.h"
#include "cli/working_set.h"
#include "loading/standard_model_cache.h"
#include "view/interpretation.h"
#include "view/print_job.h"

namespace corvane {
namespace {

constexpr std::string_view kPrefix = "corvane print: ";

// The page does not depend on the window's size; this only has to be one.
constexpr ClientSize kUnusedClientSize{800, 600};

}  // namespace

int RunPrint(const PrintRequest& request, const PrintEnvironment& environment) {
  const auto fail = [&environment](std::string_view cause) {
    environment.writeError(std::string(kPrefix) + std::string(cause));
    return kExitFailure;
  };
  WorkingSetArguments arguments;
  arguments.files.push_back(request.fileName);
  const auto loaded = HeadlessDocument::Load(
      arguments, environment.openUserSettings, environment.prompter,
      [&environment](std::string_view line) { environment.writeError(line); }, "print");
  if (loaded == nullptr) return kExitFailure;
  // A plot file that could not be opened would print an empty page; the
  // files a work file names are only warned about, as the window skips them.
  if (!IsWorkFileName(request.fileName) && loaded->Doc().IsEmpty()) {
    return fail("cannot open " + request.fileName);
  }

  std::string error;
  PrintService* printers = environment.openPrinters(request.printer, error);
  if (printers == nullptr) return fail(error);

  // The page shows the reading the window shows, the user's choice.
  StandardModelCache standard(loaded->Loader());
  const bool useStandard = SetInterpretation(loaded->Doc().GetReading(),
                                             StoredInterpretation(loaded->UserSettings())) ==
                           Interpretation::kStandard;
  HeadlessView view(loaded->Doc(), kUnusedClientSize, useStandard ? &standard : nullptr);
  PrintJob job(view.View(), *printers, nullptr);
  // The spooler lists the job under the document's title, as the window prints it.
  const std::string title = std::filesystem::path(request.fileName).filename().string();
  if (job.Print(true, title) != PrintOutcome::kPrinted) return fail(kCouldNotStartPrintJob);
  return kExitSuccess;
}

}  // namespace corvane
