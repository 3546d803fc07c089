#include "app/set_opening.h"

#include "document/corvane_doc.h"
#include "intake/intake_set.h"
#include "loading/document_loader.h"
#include "loading/intake_loader.h"
#include "text/ascii.h"

namespace corvane {

SetOpening OpenSetInto(DocumentLoader& loader, const std::vector<std::string>& paths) {
  const IntakeSet set = GatherIntake(paths, IntakeOptions{true});
  const IntakeLoadResult result = LoadIntakeSet(loader, set);
  SetOpening opening;
  opening.loaded = !loader.Doc().IsEmpty();
  std::vector<std::string> lines;
  for (const std::string& refusal : set.refusals) lines.push_back(refusal);
  for (const std::string& unopened : result.unopened) lines.push_back("cannot read " + unopened);
  if (!opening.loaded && lines.empty()) {
    lines.push_back("nothing in " + paths.front() + " could be drawn");
  }
  if (lines.empty()) return opening;
  opening.message = lines.size() == 1 ? "Could not open all files: " : "Could not open all files:";
  for (const std::string& line : lines) opening.message += (lines.size() == 1 ? "" : "\n") + line;
  return opening;
}

std::string SetWorkFileName(std::string_view setName) {
  for (const std::string_view ext : {".tar.gz", ".tar.bz2", ".tar.xz", ".tgz", ".zip", ".tar",
                                     ".7z", ".gbrjob"}) {
    if (EndsWithNoCase(setName, ext) && setName.size() > ext.size()) {
      return std::string(setName.substr(0, setName.size() - ext.size())) + ".wrk";
    }
  }
  return std::string(setName) + ".wrk";
}

}  // namespace corvane
