// Every one-feature file in tests/data/standard, read by the standard reading
// and dumped with its items, against the dump reviewed by hand once and held
// beside it (<name>.dump). A <name>.apr or <name>.rck beside a file is loaded
// as the aperture or drill tool table of its working set. Run with
// CORVANE_UPDATE_EXPECTED=1 to write the dumps anew, then review the change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "standard/standard_dump.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<fs::path> DataFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(CORVANE_TEST_DATA_DIR) / "standard")) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".gbr" || extension == ".drl") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

StandardLayer ReadDataFile(const fs::path& file) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  fs::path table = file;
  if (fs::exists(table.replace_extension(".apr"))) loader.LoadApertureFile(table.string());
  if (fs::exists(table.replace_extension(".rck"))) loader.LoadDrillToolFile(table.string());
  std::vector<Aperture> apertures(static_cast<std::size_t>(doc.GetApertureCount()));
  for (int32_t i = 0; i < doc.GetApertureCount(); ++i) doc.GetAperture(i, apertures[i]);
  std::vector<DrillTool> tools(static_cast<std::size_t>(doc.GetDrillToolCount()));
  for (int32_t i = 0; i < doc.GetDrillToolCount(); ++i) doc.GetDrillTool(i, tools[i]);

  StandardContext context;
  context.apertureTable = apertures;
  context.drillTools = tools;
  context.layer.fileName = file.filename().string();
  context.layer.color = CCorvaneDoc::DefaultLayerColor(0);
  const std::string text = ReadAll(file);
  return file.extension() == ".drl" ? ReadStandardExcellon(text, context)
                                    : ReadStandardGerber(text, context);
}

TEST(StandardFilesTest, EachFileDumpsAsReviewed) {
  const bool update = std::getenv("CORVANE_UPDATE_EXPECTED") != nullptr;
  int checked = 0;
  for (const fs::path& file : DataFiles()) {
    SCOPED_TRACE(file.filename().string());
    const std::string dump = DumpStandardLayerText(ReadDataFile(file), 0, {true});
    fs::path expected = file;
    expected.replace_extension(".dump");
    if (update) {
      std::ofstream(expected, std::ios::binary) << dump;
    } else {
      ASSERT_TRUE(fs::exists(expected)) << "no reviewed dump beside the file";
      EXPECT_EQ(ReadAll(expected), dump);
    }
    ++checked;
  }
  EXPECT_GE(checked, 25);
}

}  // namespace
}  // namespace corvane
