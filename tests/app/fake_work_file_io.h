#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/work_file_io.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"

namespace corvane {

// Work files as an in-memory folder: a file holds the mirrorX flag of the
// document that was saved in it, which is enough to tell documents apart.
class FakeWorkFileIo : public WorkFileIo {
 public:
  WorkFileResult Read(DocumentLoader& loader, const std::string& path) override {
    CCorvaneDoc& doc = loader.Doc();
    reads.push_back(path);
    pathDuringRead = doc.GetPathName();
    const auto it = files.find(path);
    if (it == files.end()) return {false, readMessage, false};
    loader.ClearAll();
    if (failAfterClear) return {false, {}, true};
    doc.SetMirrorX(it->second);
    doc.SetModified(false);
    return {true, {}, false};
  }
  WorkFileResult Write(CCorvaneDoc& doc, const std::string& path) override {
    writes.push_back(path);
    if (unwritable.count(path) != 0) return {false, writeMessage, false};
    files[path] = doc.GetMirrorX();
    return {true, {}, false};
  }

  std::map<std::string, int32_t> files;
  std::set<std::string> unwritable;
  std::string readMessage;
  std::string writeMessage;
  bool failAfterClear = false;
  std::vector<std::string> reads;
  std::vector<std::string> writes;
  std::string pathDuringRead;
};

}  // namespace corvane
