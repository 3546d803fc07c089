#include "standard/standard_dump.h"

#include <gtest/gtest.h>

#include <string>

#include "standard/standard_reader.h"

namespace corvane {
namespace {

TEST(StandardDumpTest, LengthsPrintWithSixDecimalsAtMost) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {0.5, "0.5"},
      {-2.25, "-2.25"},
      {1.0 / 25.4, "0.03937"},
      {1e-7, "0"},
      {-4e-7, "0"},
      {123456.0000004, "123456"},
      {0.0000006, "0.000001"},
  };
  int checked = 0;
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(FormatLength(value), text) << value;
    ++checked;
  }
  EXPECT_EQ(checked, 10);
  EXPECT_EQ(FormatLength(1e300).substr(0, 2), "10");
}

TEST(StandardDumpTest, ModelPrintsEachLayerInOrderAndQuotesTexts) {
  StandardContext context;
  context.layer.fileName = "a \"b\"\t.gbr";
  context.layer.color = 0xFF0000;
  context.layer.offsetX = -10;
  StandardModel model;
  model.layers.push_back(ReadStandardGerber("%TF.FileFunction,Legend,Top*%%FSLAX24Y24*%", context));
  context.layer = {};
  context.layer.fileName = "holes.drl";
  context.bounds.expandedObjects = 0;
  model.layers.push_back(
      ReadStandardExcellon("M48\nINCH\nT1C0.1\n%\nT1\nX1.0Y0\nR2X1.0\n", context));
  EXPECT_EQ(DumpStandardModelText(model, {false}),
            "layer 0 gerber 0xFF0000 0 0 -10 0 1 \"a \\\"b\\\"\\t.gbr\"\n"
            "format unstated 2.4 2.4 leading file positive\n"
            "attribute \".FileFunction\" \"Legend,Top\"\n"
            "counts 0 0 0 0 0 0 0\n"
            "extents none\n"
            "layer 1 excellon 0x000000 0 0 0 0 1 \"holes.drl\"\n"
            "format inch 2.4 2.4 leading document positive\n"
            "features header-format\n"
            "limits expanded-objects\n"
            "aperture 1 tool 0 \"C0.1\" \"\"\n"
            "counts 1 0 0 0 0 0 0\n"
            "extents 0.95 -0.05 1.05 0.05\n");
}

}  // namespace
}  // namespace corvane
