// The work file, table and drill files of a working set.

#include <string>
#include <vector>

#include "app/working_set.h"
#include "document/corvane_doc.h"
#include "document/work_file.h"

namespace corvane {

void LoadWorkFileOfSet(CCorvaneDoc& doc, const WorkingSetArguments& args, WorkingSetLoad& load) {
  std::vector<const std::string*> workFiles;
  for (const std::string& file : args.files) {
    if (IsWorkFileName(file)) workFiles.push_back(&file);
  }
  if (workFiles.empty()) return;
  if (workFiles.size() > 1) {
    load.error = "only one work file can be given, not " + *workFiles[0] + " and " + *workFiles[1];
    return;
  }
  const FileResult opened = ReadWorkFile(doc, *workFiles[0], &load.unopened);
  if (!opened.ok) load.error = opened.message;
}

void LoadTableFiles(CCorvaneDoc& doc, const WorkingSetArguments& args, WorkingSetLoad& load) {
  if (!args.apertureFile.empty() && !doc.LoadApertureFile(args.apertureFile)) {
    load.unopened.push_back(args.apertureFile);
  }
  if (!args.drillToolFile.empty() && !doc.LoadDrillToolFile(args.drillToolFile)) {
    load.unopened.push_back(args.drillToolFile);
  }
  if (!args.drillFile.empty() && !doc.LoadNcDrillFile(args.drillFile)) {
    load.unopened.push_back(args.drillFile);
  }
}

}  // namespace corvane
