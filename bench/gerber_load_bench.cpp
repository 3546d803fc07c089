// Loading speed of one generated Gerber board of over two million statements.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "board_generator.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "readers/gerber_input.h"
#include "readers/gerber_reader.h"

namespace corvane {
namespace {

constexpr uint64_t kStatements = 2'500'000;

const GeneratedBoard& Board() {
  static const GeneratedBoard board = WriteGeneratedBoard(kStatements);
  return board;
}

void BM_LoadGerberLayer(benchmark::State& state) {
  const GeneratedBoard& board = Board();
  if (board.path.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  int64_t items = 0;
  PlotLayer layer;
  layer.fileName = board.path;
  for (auto _ : state) {
    // Only the load is timed: not making the document, nor releasing its items.
    state.PauseTiming();
    auto doc = std::make_unique<CCorvaneDoc>();
    DocumentLoader loader(*doc);
    state.ResumeTiming();
    const bool loaded = loader.LoadGerberLayer(layer);
    state.PauseTiming();
    items = doc->GetItemCount();
    doc.reset();
    state.ResumeTiming();
    if (!loaded) {
      state.SkipWithError("cannot open the generated board");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(board.bytes));
  state.SetItemsProcessed(state.iterations() * items);
  state.counters["statements"] = static_cast<double>(board.statements);
  state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_LoadGerberLayer)->Unit(benchmark::kMillisecond);

// The statement reader alone over the same board: the share of the load that
// goes to cutting the bytes into statements.
void BM_ReadStatements(benchmark::State& state) {
  const GeneratedBoard& board = Board();
  std::FILE* file = board.path.empty() ? nullptr : std::fopen(board.path.c_str(), "rb");
  if (file == nullptr) {
    state.SkipWithError("cannot open the generated board");
    return;
  }
  char buffer[kStatementBufferSize];
  for (auto _ : state) {
    std::rewind(file);
    GerberInput input(file);
    int64_t statements = 0;
    while (ReadStatement(input, buffer, kStatementLimit) != 0) ++statements;
    benchmark::DoNotOptimize(statements);
  }
  std::fclose(file);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(board.bytes));
}
BENCHMARK(BM_ReadStatements)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!corvane::Board().path.empty()) std::remove(corvane::Board().path.c_str());
  return 0;
}
