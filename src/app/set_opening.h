#pragma once

// What the window does to open a set of files (a folder, an archive, a job
// file, plot and drill files): gather them, load them into the document, and
// put what could not be read into one message.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class DocumentLoader;

struct SetOpening {
  bool loaded = false;  // something of the set is in the document
  std::string message;  // for one message box; empty when everything was read
};

// Loads the set into the loader's document (already cleared), stacked and
// coloured by function, in the reading its files ask for.
SetOpening OpenSetInto(DocumentLoader& loader, const std::vector<std::string>& paths);

// The work file a set is first saved as: "fab.zip" and "fab.tar.gz" give
// "fab.wrk", a folder "fab" gives "fab.wrk".
std::string SetWorkFileName(std::string_view setName);

}  // namespace corvane
