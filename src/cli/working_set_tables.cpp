// The work file, table and drill files of a working set.

#include <string>
#include <vector>

#include "cli/working_set.h"
#include "loading/document_loader.h"
#include "loading/work_file_reader.h"

namespace corvane {

void LoadWorkFileOfSet(DocumentLoader& loader, const WorkingSetArguments& args,
                       WorkingSetLoad& load) {
  std::vector<const std::string*> workFiles;
  for (const std::string& file : args.files) {
    if (IsWorkFileName(file)) workFiles.push_back(&file);
  }
  if (workFiles.empty()) return;
  if (workFiles.size() > 1) {
    load.error = "only one work file can be given, not " + *workFiles[0] + " and " + *workFiles[1];
    return;
  }
  // Files the work file names that cannot be opened are warned about, but are
  // not the command line's own.
  const FileResult opened = ReadWorkFile(loader, *workFiles[0], &load.unopened);
  if (!opened.ok) load.error = opened.message;
}

void LoadTableFiles(DocumentLoader& loader, const WorkingSetArguments& args, WorkingSetLoad& load) {
  const auto missed = [&load](const std::string& name) {
    load.unopened.push_back(name);
    load.namedFileUnopened = true;
  };
  if (!args.apertureFile.empty() && !loader.LoadApertureFile(args.apertureFile)) {
    missed(args.apertureFile);
  }
  if (!args.drillToolFile.empty() && !loader.LoadDrillToolFile(args.drillToolFile)) {
    missed(args.drillToolFile);
  }
  if (!args.drillFile.empty() && !loader.LoadNcDrillFile(args.drillFile)) missed(args.drillFile);
}

}  // namespace corvane
