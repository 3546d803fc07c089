// libFuzzer entry point: the input as the lines of a work file, applied to a
// document through the settings table and the loader as opening it does, then
// the document written as a work file. The work file's folder holds one small
// file of each kind for its lines to name.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "document/work_file.h"
#include "loading/document_loader.h"
#include "loading/text_file.h"
#include "loading/work_file_reader.h"

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

// Lines as a work file is read: a carriage return ends one (with a line feed
// after it), so does a bare line feed, and a line is cut at the work-file limit.
template <typename Apply>
void ForEachWorkFileLine(const uint8_t* data, std::size_t size, Apply apply) {
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
      apply(line.c_str());
      line.clear();
    } else {
      line.push_back(c);
      if (line.size() == corvane::kWorkFileLineLimit) {
        apply(line.c_str());
        line.clear();
      }
    }
  }
  if (!line.empty()) apply(line.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One document for the whole run, cleared and reset to the built-in settings
  // for every input, as opening a work file in a new document does; a fresh
  // loader gives every input fresh reader state.
  static corvane::CCorvaneDoc doc;
  corvane::DocumentLoader loader(doc);
  doc.SetPathName(Folder() + "/board.wrk");
  loader.ClearAll();
  corvane::LoadStoredDefaults(doc, nullptr);
  corvane::WorkFileReading reading;
  ForEachWorkFileLine(data, size,
                      [&](const char* line) { corvane::ApplyWorkFileLine(loader, line, reading); });
  corvane::FormatWorkFile(doc, Folder());
  return 0;
}
