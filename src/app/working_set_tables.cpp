// The table and drill files of a working set. Their loaders are built beside
// the table readers; until they are part of the program, a working set that
// names such a file is refused with a clear error instead of being shown
// without it.

#include "app/working_set.h"
#include "document/corvane_doc.h"

namespace corvane {

void LoadTableFiles(CCorvaneDoc& /*doc*/, const WorkingSetArguments& args, WorkingSetLoad& load) {
  for (const std::string* name : {&args.apertureFile, &args.drillToolFile, &args.drillFile}) {
    if (!name->empty()) {
      load.error = "cannot read " + *name +
                   ": aperture, drill tool and NC drill files are not supported yet";
      return;
    }
  }
}

}  // namespace corvane
