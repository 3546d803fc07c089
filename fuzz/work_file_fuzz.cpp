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

const std::string& Folder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/corvane-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    WriteFile(pattern + "/a.gbr", "%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D02*X10000Y0D01*");
    WriteFile(pattern + "/a.apr", "D10 CIRCLE 10\r\n");
    WriteFile(pattern + "/a.rck", "T01 Plated x 35 1\r\n");
    WriteFile(pattern + "/a.drl", "T1\r\nX10000Y10000\r\n");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return pattern;
  }();
  return folder;
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
