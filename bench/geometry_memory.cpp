// Peak memory of layer geometry against its standard model: the growth of the
// process's maximum resident set while the layer is read, then while its
// geometry is built, each in this process alone. Goal: the geometry's growth
// at most three times the model's. Usage: corvane_geometry_memory [panel|modern]

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "geometry/layer_geometry_builder.h"
#include "max_resident.h"
#include "modern_board_generator.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"

int main(int argc, char** argv) {
  const bool modern = argc > 1 && std::strcmp(argv[1], "modern") == 0;
  const corvane::GeneratedBoard board =
      modern ? corvane::WriteGeneratedModernBoard(2'500'000) : corvane::WriteGeneratedPanel(10, 10);
  if (board.path.empty()) {
    std::fputs("cannot write the generated board\n", stderr);
    return 1;
  }
  std::string text;
  {
    std::ifstream in(board.path, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    text = read.str();
  }
  std::remove(board.path.c_str());
  const long start = corvane::MaxResidentKiB();
  const corvane::StandardLayer layer =
      corvane::ReadStandardGerber(text, corvane::StandardContext{});
  std::string().swap(text);
  const long read = corvane::MaxResidentKiB();
  const corvane::LayerGeometry geometry = corvane::BuildLayerGeometry(layer);
  const long built = corvane::MaxResidentKiB();
  const double model = (read - start) / 1024.0;
  const double growth = (built - read) / 1024.0;
  std::printf("%s: %zu objects, %zu region points, %zu islands, %zu vertices%s\n",
              modern ? "modern board" : "panel", layer.geometry.objects.size(),
              layer.geometry.points.size(), geometry.islands.size(), geometry.points.size(),
              geometry.Complete() ? "" : " (incomplete)");
  std::printf("model %.1f MiB, geometry peak growth %.1f MiB = %.2f x the model (goal 3)\n", model,
              growth, growth / model);
  return growth <= 3.0 * model ? 0 : 3;
}
