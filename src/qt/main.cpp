#include <cstdio>
#include <cstring>

#include "qt/corvane_app.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane [WORKFILE]\n"
    "       corvane --version | --help\n"
    "Corvane shows Gerber plot files, aperture tables, NC drill files and drill\n"
    "tool tables of a printed circuit board for checking by eye. With a work\n"
    "file (.wrk) it opens that file, else the work file used last.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("corvane %s\n", CORVANE_VERSION);
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return corvane::RunCorvaneWindow(argc, argv);
}
