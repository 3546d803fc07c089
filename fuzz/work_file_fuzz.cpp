// libFuzzer entry point: the input as the lines of a work file. Each line is
// taken apart as opening a work file does; settings go into a document through
// the settings table, and each layer or file line enters the document under
// its resolved name as a load that found its file would leave it (the files'
// contents are the reader targets' to fuzz). Then the document is written as a
// work file, which reads every setting and name back out through the table.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "document/work_file.h"
#include "loading/data_path.h"
#include "loading/text_file.h"
#include "loading/work_file_reader.h"

namespace {

// Lines as a work file is read: a carriage return ends one (with a line feed
// after it), so does a bare line feed, and a line is cut at the work-file limit.
template <typename Apply>
void ForEachWorkFileLine(const uint8_t* data, std::size_t size, Apply apply) {
  const char* text = reinterpret_cast<const char*>(data);
  const char* const end = text + size;
  std::string line;
  while (text < end) {
    // The C library's search, not an instrumented loop: the harness should
    // spend its time in the code it fuzzes.
    const std::size_t room = std::min<std::size_t>(end - text, corvane::kWorkFileLineLimit);
    const char* stop = text + room;
    for (const char terminator : {'\r', '\n'}) {
      if (const void* found = std::memchr(text, terminator, stop - text)) {
        stop = static_cast<const char*>(found);
      }
    }
    line.assign(text, stop);
    apply(line.c_str());
    text = stop;
    if (text < end && *text == '\r') ++text;
    if (text < end && *text == '\n' && (text == stop || text[-1] == '\r')) ++text;
  }
}

void EnterFile(corvane::CCorvaneDoc& doc, const corvane::WorkFileLine& line) {
  using Kind = corvane::WorkFileLine::Kind;
  if (line.kind == Kind::kLayer) {
    corvane::PlotLayer layer = line.layer;
    if (line.defaultColor)
      layer.color = corvane::CCorvaneDoc::DefaultLayerColor(doc.GetLayerCount());
    layer.fileName = corvane::ResolveDataPath(doc, layer.fileName);
    layer.visible = 1;
    doc.AddLayer(layer);
    return;
  }
  if (*line.value == '\0') return;  // an empty name loads nothing
  std::string path = corvane::ResolveDataPath(doc, line.value);
  if (line.kind == Kind::kApertureFile) doc.SetApertureFileName(std::move(path));
  if (line.kind == Kind::kDrillToolFile) doc.SetDrillToolFileName(std::move(path));
  if (line.kind == Kind::kDrillFile) doc.SetNcDrillFileName(std::move(path));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A document as opening a work file in a new document sees it. Its item
  // array starts small: nothing is read into it here.
  corvane::CCorvaneDoc doc(16);
  doc.SetPathName("/boards/job/board.wrk");
  ForEachWorkFileLine(data, size, [&doc](const char* text) {
    const corvane::WorkFileLine line = corvane::ParseWorkFileLine(text);
    if (line.kind == corvane::WorkFileLine::Kind::kSetting) {
      corvane::ApplyWorkFileSetting(*line.setting, doc, line.value);
    } else if (line.kind != corvane::WorkFileLine::Kind::kNothing) {
      EnterFile(doc, line);
    }
  });
  corvane::FormatWorkFile(doc, "/boards/job");
  return 0;
}
