// What opening a folder costs beyond reading its files: a folder of twelve
// files of a current board (ten Gerber X2 layers of a few thousand objects
// each, a plated and a non-plated Excellon file) read plainly, read as an
// opened folder (walk, sniffing, identification, stack order, then the same
// loads), and the walk and identification alone. Run with
// --benchmark_repetitions=9 --benchmark_report_aggregates_only=true and
// compare the medians.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "intake/intake_set.h"
#include "loading/document_loader.h"
#include "loading/intake_loader.h"

namespace {

constexpr const char* kFunctions[] = {"Copper,L1,Top", "Copper,L2,Inr", "Copper,L3,Inr",
                                      "Copper,L4,Bot", "Soldermask,Top", "Soldermask,Bot",
                                      "Legend,Top",    "Legend,Bot",    "Paste,Top",
                                      "Profile,NP"};
constexpr const char* kNames[] = {"F_Cu", "In1_Cu", "In2_Cu", "B_Cu", "F_Mask",
                                  "B_Mask", "F_SilkS", "B_SilkS", "F_Paste", "Edge_Cuts"};

std::string Layer(const char* function, int seed) {
  std::string text = "%TF.FileFunction," + std::string(function) +
                     "*%\n%TF.FilePolarity,Positive*%\n%FSLAX46Y46*%\n%MOMM*%\n"
                     "%ADD10C,0.250*%\n%ADD11R,1.000X0.600*%\nD10*\n";
  for (int i = 0; i < 4000; ++i) {
    const int x = (i * 7919 + seed * 104729) % 50000000;
    const int y = (i * 6271 + seed * 3571) % 32000000;
    text += "X" + std::to_string(x) + "Y" + std::to_string(y) + (i % 3 == 0 ? "D02*\n" : "D01*\n");
  }
  text += "D11*\n";
  for (int i = 0; i < 1000; ++i) {
    text += "X" + std::to_string(i * 40000 % 50000000) + "Y" + std::to_string(i * 31000 % 32000000) +
            "D03*\n";
  }
  return text + "M02*\n";
}

std::string Drill(bool plated) {
  std::string text = std::string("M48\n; #@! TF.FileFunction,") +
                     (plated ? "Plated,1,4,PTH" : "NonPlated,1,4,NPTH") + "\nMETRIC\nT1C0.300\n%\nT1\n";
  for (int i = 0; i < 2000; ++i) {
    text += "X" + std::to_string(i % 50) + "." + std::to_string(i % 1000) + "Y" +
            std::to_string(i % 32) + ".5\n";
  }
  return text + "M30\n";
}

// The folder, written once for the run.
const std::string& Folder() {
  static const std::string folder = [] {
    const std::filesystem::path where =
        std::filesystem::temp_directory_path() / ("corvane-intake-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(where);
    for (int i = 0; i < 10; ++i) {
      std::ofstream(where / ("board-" + std::string(kNames[i]) + ".gbr")) << Layer(kFunctions[i], i);
    }
    std::ofstream(where / "board-PTH.drl") << Drill(true);
    std::ofstream(where / "board-NPTH.drl") << Drill(false);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(
          std::filesystem::temp_directory_path() / ("corvane-intake-bench-" + std::to_string(::getpid())),
          ignored);
    });
    return where.string();
  }();
  return folder;
}

void BM_ReadTwelveFiles(benchmark::State& state) {
  const std::string folder = Folder();
  for (auto _ : state) {
    corvane::CCorvaneDoc doc;
    corvane::DocumentLoader loader(doc);
    for (const char* name : kNames) {
      corvane::PlotLayer layer;
      layer.fileName = folder + "/board-" + name + ".gbr";
      loader.LoadGerberLayer(layer);
    }
    loader.LoadNcDrillFile(folder + "/board-PTH.drl");
    loader.AddDrillFile({folder + "/board-NPTH.drl", {}, 0, 1});
    benchmark::DoNotOptimize(doc.GetItemCount());
  }
}
BENCHMARK(BM_ReadTwelveFiles)->Unit(benchmark::kMillisecond);

void BM_OpenFolderOfTwelveFiles(benchmark::State& state) {
  const std::vector<std::string> paths{Folder()};
  for (auto _ : state) {
    corvane::CCorvaneDoc doc;
    corvane::DocumentLoader loader(doc);
    corvane::LoadIntakeSet(loader, corvane::GatherIntake(paths));
    benchmark::DoNotOptimize(doc.GetItemCount());
  }
}
BENCHMARK(BM_OpenFolderOfTwelveFiles)->Unit(benchmark::kMillisecond);

void BM_IdentifyFolderOfTwelveFiles(benchmark::State& state) {
  const std::vector<std::string> paths{Folder()};
  for (auto _ : state) {
    const corvane::IntakeSet set = corvane::GatherIntake(paths);
    benchmark::DoNotOptimize(set.files.size());
  }
}
BENCHMARK(BM_IdentifyFolderOfTwelveFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
