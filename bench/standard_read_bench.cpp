// Speed of the standard reading: the generated big board of the classic
// benchmark, a generated modern board of about as many statements (regions,
// macros, thermals, clear polarity, attributes), and a large Excellon file.
// The text is read from disk once; each iteration reads it into a new model.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "board_generator.h"
#include "modern_board_generator.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr uint64_t kStatements = 2'500'000;
constexpr uint64_t kHits = 1'000'000;

struct LoadedBoard {
  GeneratedBoard board;
  std::string text;
};

LoadedBoard Load(GeneratedBoard board) {
  LoadedBoard loaded{std::move(board), {}};
  if (loaded.board.path.empty()) return loaded;
  std::ifstream in(loaded.board.path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  loaded.text = text.str();
  std::remove(loaded.board.path.c_str());
  return loaded;
}

const LoadedBoard& ClassicBoard() {
  static const LoadedBoard board = Load(WriteGeneratedBoard(kStatements));
  return board;
}
const LoadedBoard& ModernBoard() {
  static const LoadedBoard board = Load(WriteGeneratedModernBoard(kStatements));
  return board;
}
const LoadedBoard& DrillFile() {
  static const LoadedBoard board = Load(WriteGeneratedExcellon(kHits));
  return board;
}

template <StandardLayer (*Reader)(std::string_view, const StandardContext&)>
void ReadBoard(benchmark::State& state, const LoadedBoard& board) {
  if (board.text.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  const StandardContext context;
  uint64_t objects = 0;
  for (auto _ : state) {
    const StandardLayer layer = Reader(board.text, context);
    objects = layer.geometry.objects.size();
    benchmark::DoNotOptimize(layer.extents);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(board.text.size()));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(objects));
  state.counters["MB"] = static_cast<double>(board.text.size()) / 1e6;
  state.counters["statements"] = static_cast<double>(board.board.statements);
  state.counters["objects"] = static_cast<double>(objects);
}

void BM_StandardGerberClassicBoard(benchmark::State& state) {
  ReadBoard<ReadStandardGerber>(state, ClassicBoard());
}
BENCHMARK(BM_StandardGerberClassicBoard)->Unit(benchmark::kMillisecond);

void BM_StandardGerberModernBoard(benchmark::State& state) {
  ReadBoard<ReadStandardGerber>(state, ModernBoard());
}
BENCHMARK(BM_StandardGerberModernBoard)->Unit(benchmark::kMillisecond);

void BM_StandardExcellon(benchmark::State& state) {
  ReadBoard<ReadStandardExcellon>(state, DrillFile());
}
BENCHMARK(BM_StandardExcellon)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
