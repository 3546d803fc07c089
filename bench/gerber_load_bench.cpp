// Loading speed of one generated Gerber board of over two million statements,
// and how time and memory grow with the board: 0.5, 1, 2 and 4 million.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

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

// Loads the board at `path` once per iteration; only the load is timed, not
// making the document nor releasing its items. The items of the last load, or
// -1 (the benchmark then carries the error) when the board cannot be opened.
int64_t TimeLoads(benchmark::State& state, const std::string& path) {
  PlotLayer layer;
  layer.fileName = path;
  int64_t items = 0;
  for (auto _ : state) {
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
      return -1;
    }
  }
  return items;
}

void BM_LoadGerberLayer(benchmark::State& state) {
  const GeneratedBoard& board = Board();
  if (board.path.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  const int64_t items = TimeLoads(state, board.path);
  if (items < 0) return;
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

// One board of each size at a time: the largest is some 65 MB of text.
GeneratedBoard& CurrentSizedBoard() {
  static GeneratedBoard board;
  return board;
}

const GeneratedBoard& SizedBoard(uint64_t statements) {
  static uint64_t asked = 0;
  GeneratedBoard& board = CurrentSizedBoard();
  if (asked != statements) {
    if (!board.path.empty()) std::remove(board.path.c_str());
    board = WriteGeneratedBoard(statements);
    asked = statements;
  }
  return board;
}

struct LoadMemory {
  long peakGrowthKiB = -1;  // the process's maximum resident set, over the load
  long itemArrayBytes = -1;
};

// Peak memory needs a process of its own for each load, so that nothing the
// earlier ones left counts: a child loads the board and answers through a pipe.
LoadMemory MeasureLoadMemory(const std::string& path) {
  LoadMemory memory;
  int ends[2];
  if (pipe(ends) != 0) return memory;
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    CCorvaneDoc doc;
    DocumentLoader loader(doc);
    PlotLayer layer;
    layer.fileName = path;
    LoadMemory answer;
    if (loader.LoadGerberLayer(layer)) {
      getrusage(RUSAGE_SELF, &usage);
      answer.peakGrowthKiB = usage.ru_maxrss - before;
      answer.itemArrayBytes = static_cast<long>(doc.GetItemCapacity() * sizeof(PlotItem));
    }
    const bool sent = write(ends[1], &answer, sizeof answer) == sizeof answer;
    _exit(sent ? 0 : 1);
  }
  close(ends[1]);
  if (child > 0) {
    if (read(ends[0], &memory, sizeof memory) != sizeof memory) memory = LoadMemory{};
    waitpid(child, nullptr, 0);
  }
  close(ends[0]);
  return memory;
}

void BM_LoadGrowth(benchmark::State& state) {
  const GeneratedBoard& board = SizedBoard(static_cast<uint64_t>(state.range(0)));
  if (board.path.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  const int64_t items = TimeLoads(state, board.path);
  if (items < 0) return;
  const LoadMemory memory = MeasureLoadMemory(board.path);
  if (memory.peakGrowthKiB < 0) {
    state.SkipWithError("cannot measure the load's memory");
    return;
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(board.bytes));
  state.SetItemsProcessed(state.iterations() * items);
  state.counters["items"] = static_cast<double>(items);
  state.counters["peak_MB"] = static_cast<double>(memory.peakGrowthKiB) * 1024 / 1e6;
  state.counters["peak_B/item"] =
      static_cast<double>(memory.peakGrowthKiB) * 1024 / static_cast<double>(items);
  state.counters["array_MB"] = static_cast<double>(memory.itemArrayBytes) / 1e6;
}
BENCHMARK(BM_LoadGrowth)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Arg(2'000'000)
    ->Arg(4'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!corvane::Board().path.empty()) std::remove(corvane::Board().path.c_str());
  const corvane::GeneratedBoard& sized = corvane::CurrentSizedBoard();
  if (!sized.path.empty()) std::remove(sized.path.c_str());
  return 0;
}
