// Reload speed of the working sets that the tables and the work file bring:
// an NC drill file of one million hits, and a work file naming ten layers of
// about 200000 items each.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "board_generator.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/work_file_reader.h"

namespace corvane {
namespace {

constexpr int kDrillHits = 1'000'000;
constexpr int kLayers = 10;
constexpr uint64_t kLayerStatements = 200'000;

std::string MakeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

const std::string& Folder() {
  static const std::string folder = MakeFolder();
  return folder;
}

struct DrillFile {
  std::string path;
  uint64_t bytes = 0;
};

DrillFile WriteDrillFile() {
  DrillFile file{Folder() + "/board.drl"};
  file.bytes = WriteGeneratedDrillFile(file.path, kDrillHits);
  return file;
}

const DrillFile& Drill() {
  static const DrillFile file = WriteDrillFile();
  return file;
}

void BM_ReloadAllDrill(benchmark::State& state) {
  const DrillFile& drill = Drill();
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  if (drill.bytes == 0 || !loader.LoadNcDrillFile(drill.path)) {
    state.SkipWithError("cannot write or open the generated drill file");
    return;
  }
  for (auto _ : state) {
    loader.ReloadAll();
    benchmark::DoNotOptimize(doc.DrillHits().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(drill.bytes));
  state.SetItemsProcessed(state.iterations() * doc.GetDrillHitCount());
  state.counters["hits"] = doc.GetDrillHitCount();
}
BENCHMARK(BM_ReloadAllDrill)->Unit(benchmark::kMillisecond);

struct LayerSet {
  std::string workFile;
  std::string boards[kLayers];
  uint64_t bytes = 0;
};

// Ten generated boards beside one work file that names them.
LayerSet WriteLayerSet() {
  LayerSet set;
  std::string text;
  for (int i = 0; i < kLayers; ++i) {
    const GeneratedBoard board = WriteGeneratedBoard(kLayerStatements);
    if (board.path.empty()) return {};
    set.boards[i] = board.path;
    set.bytes += board.bytes;
    text += "LayerInfo=" + std::to_string(i * 20) + ",0,0,0,0,0,0," + board.path + "\r\n";
  }
  set.workFile = Folder() + "/layers.wrk";
  std::ofstream(set.workFile, std::ios::binary | std::ios::trunc) << text;
  return set;
}

const LayerSet& Layers() {
  static const LayerSet set = WriteLayerSet();
  return set;
}

void BM_ReloadAllTenLayers(benchmark::State& state) {
  const LayerSet& set = Layers();
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  if (set.workFile.empty() || !ReadWorkFile(loader, set.workFile).ok ||
      doc.GetLayerCount() != kLayers) {
    state.SkipWithError("cannot write or open the generated layers");
    return;
  }
  for (auto _ : state) {
    loader.ReloadAll();
    benchmark::DoNotOptimize(doc.Items().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(set.bytes));
  state.SetItemsProcessed(state.iterations() * doc.GetItemCount());
  state.counters["items"] = doc.GetItemCount();
}
BENCHMARK(BM_ReloadAllTenLayers)->Unit(benchmark::kMillisecond);

void RemoveGeneratedFiles() {
  for (const std::string& board : Layers().boards) {
    if (!board.empty()) std::remove(board.c_str());
  }
  std::error_code ignored;
  if (!Folder().empty()) std::filesystem::remove_all(Folder(), ignored);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  corvane::RemoveGeneratedFiles();
  return 0;
}
