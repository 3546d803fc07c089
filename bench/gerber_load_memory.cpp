// Peak memory of loading one generated board: the growth of the process's
// maximum resident set over the load, per item, against the target of 32 bytes
// an item plus the 64 KiB input block.

#include <cstdio>

#include "board_generator.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "max_resident.h"
#include "readers/gerber_input.h"

int main() {
  const corvane::GeneratedBoard board = corvane::WriteGeneratedBoard(2'500'000);
  if (board.path.empty()) {
    std::fputs("cannot write the generated board\n", stderr);
    return 1;
  }
  corvane::CCorvaneDoc doc;
  corvane::DocumentLoader loader(doc);
  const long before = corvane::MaxResidentKiB();
  corvane::PlotLayer layer;
  layer.fileName = board.path;
  const bool loaded = loader.LoadGerberLayer(layer);
  const long after = corvane::MaxResidentKiB();
  std::remove(board.path.c_str());
  if (!loaded) return 1;

  const double items = doc.GetItemCount();
  const double growth = (after - before) * 1024.0;
  const double budget = 32.0 * items + corvane::GerberInput::kBlockSize;
  std::printf("statements %llu bytes %llu items %.0f\n",
              static_cast<unsigned long long>(board.statements),
              static_cast<unsigned long long>(board.bytes), items);
  std::printf("peak growth %.0f bytes = %.2f bytes/item (budget %.0f bytes, 32/item + block)\n",
              growth, growth / items, budget);
  std::printf("item array after trim: %zu bytes = %zu bytes/item\n",
              doc.GetItemCapacity() * sizeof(corvane::PlotItem), sizeof(corvane::PlotItem));
  return growth <= budget ? 0 : 3;
}
