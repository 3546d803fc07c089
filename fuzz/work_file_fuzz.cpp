// libFuzzer entry point: the input as a work file, opened from a private
// folder that also holds one small file of each kind for its lines to name.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/corvane_doc.h"
#include "document/work_file.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Made once per run and removed at its end.
struct FuzzFolder {
  FuzzFolder() {
    std::string pattern = "/tmp/corvane-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    WriteFile(path + "/a.gbr", "%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D02*X10000Y0D01*");
    WriteFile(path + "/a.apr", "D10 CIRCLE 10\r\n");
    WriteFile(path + "/a.rck", "T01 Plated x 35 1\r\n");
    WriteFile(path + "/a.drl", "T1\r\nX10000Y10000\r\n");
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

const std::string& Folder() {
  static const FuzzFolder folder;
  return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = Folder() + "/board.wrk";
  WriteFile(path, std::string(reinterpret_cast<const char*>(data), size));
  corvane::CCorvaneDoc doc;
  corvane::ReadWorkFile(doc, path);
  corvane::FormatWorkFile(doc, Folder());
  return 0;
}
