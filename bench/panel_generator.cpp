#include "panel_generator.h"

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "generated_text.h"

namespace corvane {
namespace {

constexpr long kBoardWidth = 50'000'000;  // nm, 50 mm
constexpr long kBoardHeight = 40'000'000;
constexpr long kGap = 5'000'000;

std::string TemporaryPath() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  return (folder / ("corvane_bench_panel_" + std::to_string(::getpid()) + ".gbr")).string();
}

void WriteHeader(TextWriter& out, uint32_t columns, uint32_t rows) {
  out.Line("%%TF.GenerationSoftware,Corvane,benchmark,1*%%\n");
  out.Line("%%TF.FileFunction,Copper,L1,Top*%%\n");
  out.Line("%%FSLAX46Y46*%%\n");
  out.Line("%%MOMM*%%\n");
  out.Line("%%AMThermal*\n7,0,0,$1,$2,$3,45*%%\n");
  out.Line("%%ADD10C,0.150*%%\n");
  out.Line("%%ADD11C,0.250*%%\n");
  out.Line("%%ADD12R,1.200X0.800*%%\n");
  out.Line("%%ADD13O,1.600X0.900*%%\n");
  out.Line("%%ADD14C,0.600X0.300*%%\n");
  out.Line("%%ADD15Thermal,1.800X1.200X0.300*%%\n");
  out.Line("%%ADD16C,2.000*%%\n");
  out.Line("G75*\n");
  out.Line("%%SRX%uY%uI%ld.0J%ld.0*%%\n", columns, rows, (kBoardWidth + kGap) / 1'000'000,
           (kBoardHeight + kGap) / 1'000'000);
}

// A pour: an irregular outline of many points about a centre.
void WritePour(TextWriter& out, Lcg& random, long cx, long cy, long radius, int points) {
  out.Line("%%TO.N,GND*%%\n");
  out.Line("G36*\n");
  for (int i = 0; i <= points; ++i) {
    const double angle = 6.283185307179586 * (i % points) / points;
    const long r = radius - static_cast<long>(random.Next(static_cast<uint32_t>(radius / 20)));
    const long x = cx + static_cast<long>(r * std::cos(angle));
    const long y = cy + static_cast<long>(r * std::sin(angle));
    out.Line("X%ldY%ld%s*\n", x, y, i == 0 ? "D02" : "D01");
  }
  out.Line("G37*\n");
  // Cut-outs with thermals in them.
  for (int k = 0; k < 6; ++k) {
    const long x = cx + static_cast<long>(random.Next(static_cast<uint32_t>(radius))) - radius / 2;
    const long y = cy + static_cast<long>(random.Next(static_cast<uint32_t>(radius))) - radius / 2;
    out.Line("%%LPC*%%\n");
    out.Line("D16*\n");
    out.Line("X%ldY%ldD03*\n", x, y);
    out.Line("%%LPD*%%\n");
    out.Line("D15*\n");
    out.Line("X%ldY%ldD03*\n", x, y);
  }
  out.Line("%%TD*%%\n");
}

void WriteNet(TextWriter& out, Lcg& random, long net) {
  long x = 1'000'000 + random.Next(kBoardWidth - 2'000'000);
  long y = 1'000'000 + random.Next(kBoardHeight - 2'000'000);
  out.Line("%%TO.N,N%ld*%%\n", net);
  out.Line("D%d*\n", 10 + static_cast<int>(random.Next(2)));
  out.Line("X%ldY%ldD02*\n", x, y);
  for (int i = 0; i < 4; ++i) {
    x = std::clamp<long>(x + static_cast<long>(random.Next(4'000'001)) - 2'000'000, 0, kBoardWidth);
    y = std::clamp<long>(y + static_cast<long>(random.Next(4'000'001)) - 2'000'000, 0,
                         kBoardHeight);
    out.Line("X%ldY%ldD01*\n", x, y);
  }
  out.Line("D%d*\n", 12 + static_cast<int>(random.Next(2)));
  out.Line("X%ldY%ldD03*\n", x, y);
  out.Line("X%ldY%ldD03*\n", std::min(x + 2'540'000, kBoardWidth), y);
  out.Line("D14*\n");
  out.Line("X%ldY%ldD03*\n", std::max(x - 1'500'000, 0L), y);
  out.Line("%%TD*%%\n");
}

}  // namespace

GeneratedBoard WriteGeneratedPanel(uint32_t columns, uint32_t rows) {
  GeneratedBoard board;
  board.path = TemporaryPath();
  std::FILE* file = std::fopen(board.path.c_str(), "wb");
  if (file == nullptr) return {};
  TextWriter out(file);
  Lcg random(23);
  WriteHeader(out, columns, rows);
  // Ten pours of 2 600 points: 26 000 region points; 1 500 objects in all.
  for (int p = 0; p < 10; ++p) {
    WritePour(out, random, 6'000'000 + (p % 5) * 9'500'000, 10'000'000 + (p / 5) * 20'000'000,
              4'000'000, 2600);
  }
  for (long net = 1; net <= 200; ++net) WriteNet(out, random, net);
  out.Line("%%SR*%%\n");
  out.Line("M02*\n");
  out.Flush();
  if (std::fclose(file) != 0) return {};
  board.bytes = out.Bytes();
  board.statements = out.Lines();
  return board;
}

}  // namespace corvane
