// Speed of the netlist check: a four-layer board of 2 000 through-hole pads
// in 500 nets (each net's four pads joined on the top, the first inner and the
// bottom layer in turn, a ground pour with clearances on the second inner
// layer) against its 2 000-point netlist; and the 100-copy panel's copper as
// one layer, extracted and named without a reference. The geometry is built
// once; each iteration extracts and compares. Run with
// --benchmark_repetitions=5 for medians.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "analysis/netlist_check.h"
#include "geometry/layer_geometry_builder.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr int kNets = 500;
constexpr int kColumns = 20;  // nets per row

std::string Nm(double mm) { return std::to_string(static_cast<long long>(mm * 1e6)); }
std::string At(double x, double y) { return "X" + Nm(x) + "Y" + Nm(y); }

// Pad i (0..3) of net n.
double PadX(int n, int i) { return (n % kColumns) * 10.0 + i * 2.0; }
double PadY(int n) { return (n / kColumns) * 3.0; }

std::string CopperText(int layer) {
  std::string text = "%FSLAX46Y46*%%MOMM*%%ADD10C,1.2*%%ADD11C,0.3*%%ADD12C,1.8*%";
  if (layer == 2) {
    text += "G36*" + At(-5, -5) + "D02*" + At(205, -5) + "D01*" + At(205, 80) + "D01*" +
            At(-5, 80) + "D01*" + At(-5, -5) + "D01*G37*%LPC*%D12*";
    for (int n = 0; n < kNets; ++n)
      for (int i = 0; i < 4; ++i) text += At(PadX(n, i), PadY(n)) + "D03*";
    return text + "%LPD*%M02*";
  }
  for (int n = 0; n < kNets; ++n) {
    text += "D10*";
    for (int i = 0; i < 4; ++i) text += At(PadX(n, i), PadY(n)) + "D03*";
    const int first = layer == 0 ? 0 : layer == 1 ? 1 : 2;
    text += "D11*" + At(PadX(n, first), PadY(n)) + "D02*" + At(PadX(n, first + 1), PadY(n)) + "D01*";
  }
  return text + "M02*";
}

std::string DrillText() {
  std::string text = "M48\nMETRIC,TZ\nT1C0.600\n%\nG90\nG05\nT1\n";
  char line[64];
  for (int n = 0; n < kNets; ++n) {
    for (int i = 0; i < 4; ++i) {
      std::snprintf(line, sizeof line, "X%.3fY%.3f\n", PadX(n, i), PadY(n));
      text += line;
    }
  }
  return text + "M30\n";
}

std::string NetlistText() {
  std::string text = "P  UNITS CUST 1\n";
  char line[96];
  for (int n = 0; n < kNets; ++n) {
    for (int i = 0; i < 4; ++i) {
      std::snprintf(line, sizeof line, "317N%-13d   U%-5d-%-4d D0600PA00X+%06dY+%06d\n", n, n,
                    i + 1, static_cast<int>(PadX(n, i) * 1000), static_cast<int>(PadY(n) * 1000));
      text += line;
    }
  }
  return text + "999\n";
}

struct Board {
  StandardModel model;
  BoardLayers board;
  std::vector<LayerGeometry> geometry;
  std::vector<std::unique_ptr<GeometryIndex>> indices;

  std::vector<const GeometryIndex*> Indices() const {
    std::vector<const GeometryIndex*> out;
    for (const auto& index : indices) out.push_back(index.get());
    return out;
  }
  void Index() {
    geometry.reserve(board.copper.size());
    for (const uint32_t layer : board.copper) {
      geometry.push_back(BuildLayerGeometry(model.layers[layer]));
      indices.push_back(std::make_unique<GeometryIndex>(model.layers[layer], geometry.back()));
    }
  }
};

const Board& FourLayers() {
  static const Board made = [] {
    Board b;
    for (int layer = 0; layer < 4; ++layer)
      b.model.layers.push_back(ReadStandardGerber(CopperText(layer), StandardContext{}));
    b.model.layers.push_back(ReadStandardExcellon(DrillText(), StandardContext{}));
    b.board.copper = {0, 1, 2, 3};
    b.board.platedDrills = {4};
    b.Index();
    return b;
  }();
  return made;
}

const Board& Panel() {
  static const Board made = [] {
    Board b;
    const GeneratedBoard panel = WriteGeneratedPanel(10, 10);
    std::ifstream in(panel.path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::remove(panel.path.c_str());
    b.model.layers.push_back(ReadStandardGerber(text.str(), StandardContext{}));
    b.board.copper = {0};
    b.Index();
    return b;
  }();
  return made;
}

void Check(benchmark::State& state, const Board& board, const std::string* netlist) {
  std::size_t nets = 0;
  std::size_t faults = 0;
  for (auto _ : state) {
    const BoardNets extracted(board.model, board.board, board.Indices());
    const NetlistCheck check = CheckNetlist(extracted, ChooseReference(extracted, netlist, "bench"));
    nets = check.nets.size();
    faults = check.opens.size() + check.shorts.size() + check.unconnected.size();
    benchmark::DoNotOptimize(check.nets.data());
  }
  state.counters["nets"] = static_cast<double>(nets);
  state.counters["faults"] = static_cast<double>(faults);
}

void BM_NetlistFourLayers(benchmark::State& state) {
  static const std::string netlist = NetlistText();
  Check(state, FourLayers(), &netlist);
}
BENCHMARK(BM_NetlistFourLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NetlistPanelLayer(benchmark::State& state) { Check(state, Panel(), nullptr); }
BENCHMARK(BM_NetlistPanelLayer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
