// libFuzzer entry point: the identification of one file of a set. The input's
// first byte picks a file name (by the naming conventions' styles, and names
// that say nothing), the rest is the file's content: its kind is sniffed, its
// attributes read, its function found from attributes, a job file, the name or
// the content; the same bytes are read as a job file and as evidence for the
// file. Nothing may crash, hang or read out of bounds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "intake/file_attributes.h"
#include "intake/file_identity.h"
#include "intake/file_sniffer.h"
#include "intake/job_file.h"
#include "intake/layer_stack.h"

namespace {

constexpr std::array<std::string_view, 12> kNames{
    "board-F_Cu.gbr", "board-In3_Cu.gbr", "board.GTL",  "board.G12",     "board.sts",
    "board.spb",      "Copper Top.gbr",   "board-NPTH.drl", "board.TXT", "layer7.gbr",
    "x",              ""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view name = kNames[data[0] % kNames.size()];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  corvane::SniffFileKind(text);
  corvane::LooksLikeArchive(text);
  corvane::ReadFileAttributes(text);
  const std::optional<corvane::JobFile> job = corvane::ParseJobFile(text);
  const corvane::FileIdentity identity =
      corvane::IdentifyFile(name, text, text.size(), job ? &*job : nullptr);
  corvane::StackRank(identity.function);
  corvane::FunctionColor(identity.function);
  corvane::FunctionInWords(identity.function);
  if (const auto back = corvane::ParseLayerFunction(corvane::FormatLayerFunction(identity.function));
      !back || !(*back == identity.function)) {
    __builtin_trap();  // the stored form must read back as written
  }
  return 0;
}
