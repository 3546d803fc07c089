#include <gtest/gtest.h>

#include <string>

#include "intake/file_sniffer.h"

namespace corvane {
namespace {

struct SniffRow {
  const char* name;
  std::string content;
  FileKind kind;
};

class SniffTest : public ::testing::TestWithParam<SniffRow> {};

TEST_P(SniffTest, KnowsTheKindByContent) {
  EXPECT_EQ(SniffFileKind(GetParam().content), GetParam().kind) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Contents, SniffTest,
    ::testing::Values(
        SniffRow{"GerberX2", "%TF.FileFunction,Copper,L1,Top*%\n%FSLAX46Y46*%\n%MOMM*%\nD10*\n",
                 FileKind::kGerber},
        SniffRow{"Rs274d", "G04 old*\nD10*\nX001000Y002000D02*\nX003000Y002000D01*\nM02*\n",
                 FileKind::kGerber},
        SniffRow{"GerberOnOneLine", "%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D02*X100Y0D01*M02*",
                 FileKind::kGerber},
        SniffRow{"ExcellonHeader", "M48\nMETRIC,TZ\nT1C0.300\n%\nT1\nX10.0Y5.0\nM30\n",
                 FileKind::kExcellon},
        SniffRow{"ExcellonWithX2Comment",
                 "M48\n; #@! TF.FileFunction,Plated,1,2,PTH\nFMAT,2\nT1C0.3\n%\nT1\nX1Y1\nM30\n",
                 FileKind::kExcellon},
        SniffRow{"ExcellonWithoutHeader", "T1\nX10000Y10000\nX20000Y10000\nM30\n",
                 FileKind::kExcellon},
        SniffRow{"DrillToolTable", "; tools\nT01 Plated x 35 120\nT02 Unplated x 125 4\n",
                 FileKind::kDrillToolTable},
        SniffRow{"ApertureTable", "Code Type Width\nD10 CIRCLE 10\nD11 RECTANGLE 20 30\n",
                 FileKind::kApertureTable},
        SniffRow{"Job", "{\n  \"Header\": {\"GenerationSoftware\": {}},\n  \"FilesAttributes\": []\n}",
                 FileKind::kJob},
        SniffRow{"Netlist",
                 "C  netlist\nP  JOB board\n317GND VIA D0300PA00X+020000Y+015000X0600Y0000\n999\n",
                 FileKind::kNetlist},
        SniffRow{"ByteOrderMarkBeforeGerber", "\xEF\xBB\xBF%FSLAX24Y24*%\n%MOIN*%\nD10*\n",
                 FileKind::kGerber},
        // Invalid rows: nothing the program reads.
        SniffRow{"Empty", "", FileKind::kUnknown},
        SniffRow{"Prose", "Please find the board files attached.\nRegards\n", FileKind::kUnknown},
        SniffRow{"OtherJson", "{\"name\": \"package\", \"version\": 1}", FileKind::kUnknown},
        SniffRow{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), FileKind::kUnknown},
        SniffRow{"StarsInProse", "Note: * see below *\nand * more *\n", FileKind::kUnknown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LooksLikeArchiveTest, KnowsTheSignatures) {
  EXPECT_TRUE(LooksLikeArchive(std::string("PK\x03\x04rest", 8)));
  EXPECT_TRUE(LooksLikeArchive(std::string("7z\xBC\xAF\x27\x1C", 6)));
  EXPECT_TRUE(LooksLikeArchive(std::string("\x1F\x8B\x08", 3)));
  std::string tar(512, '\0');
  tar.replace(257, 5, "ustar");
  EXPECT_TRUE(LooksLikeArchive(tar));
  EXPECT_FALSE(LooksLikeArchive("%FSLAX24Y24*%"));
  EXPECT_FALSE(LooksLikeArchive("PK"));
  EXPECT_FALSE(LooksLikeArchive(""));
}

}  // namespace
}  // namespace corvane
