#include "analysis/board_query.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/object_attributes.h"
#include "analysis/object_report.h"
#include "geometry/layer_geometry_builder.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr int64_t kMm = 1'000'000;

std::string ReadBoardFile(const std::string& name) {
  std::ifstream in(std::string(CORVANE_TEST_DATA_DIR) + "/probe/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The small board of tests/data/probe: top copper with R1's pads, a VCC
// track to a via and a GND pour with a square hole; bottom copper with the
// via's pad, a VCC track and U1's pin 3 named only by its pin; the via's
// drill hit on VCC and one hole on no net.
class BoardQueryTest : public ::testing::Test {
 protected:
  BoardQueryTest() {
    // In file order bottom first: the stack puts the top layer first anyway.
    model.layers.push_back(Read("bottom.gbr", LayerSide::kBottom, LayerType::kCopper));
    model.layers.push_back(Read("top.gbr", LayerSide::kTop, LayerType::kCopper));
    model.layers.push_back(Read("drill.drl", LayerSide::kAll, LayerType::kDrill));
    geometries.reserve(model.layers.size());
    for (std::size_t i = 0; i < model.layers.size(); ++i) {
      geometries.push_back(BuildLayerGeometry(model.layers[i]));
      indexes.push_back(std::make_unique<GeometryIndex>(model.layers[i], geometries.back()));
      layers.push_back({i, &model.layers[i], indexes.back().get()});
    }
  }

  static StandardLayer Read(const std::string& name, LayerSide side, LayerType type) {
    const bool drill = type == LayerType::kDrill;
    const std::string text = ReadBoardFile(name);
    StandardLayer layer = drill ? ReadStandardExcellon(text, StandardContext{})
                                : ReadStandardGerber(text, StandardContext{});
    layer.fileName = name;
    layer.function.kind = drill ? FileKind::kExcellon : FileKind::kGerber;
    layer.function.side = side;
    layer.function.type = type;
    layer.function.from = FunctionSource::kAttributes;
    return layer;
  }

  ObjectReport Describe(const ObjectRef& ref) const {
    return ObjectDescriber(model.layers[ref.layer], ref.layer).Describe(ref.object);
  }

  StandardModel model;
  std::vector<LayerGeometry> geometries;
  std::vector<std::unique_ptr<GeometryIndex>> indexes;
  std::vector<QueryLayer> layers;
};

TEST_F(BoardQueryTest, APadSaysItsNetComponentPinAndFunction) {
  struct Case {
    ObjectRef ref;
    std::string kind;
    std::string net, component, pin, pinFunction, function;
    int32_t code;
    double width, height;
  };
  const Case cases[] = {
      {{1, 0}, "flash", "GND", "R1", "1", "", "SMDPad,CuDef", 10, 1.5, 1.0},
      {{1, 1}, "flash", "VCC", "R1", "2", "Anode", "SMDPad,CuDef", 10, 1.5, 1.0},
      {{1, 2}, "line", "VCC", "", "", "", "Conductor", 11, 0.25, 0.25},
      {{1, 3}, "flash", "VCC", "", "", "", "ViaPad", 12, 0.8, 0.8},
      // The component of a pin named by its pin alone.
      {{0, 3}, "flash", "Net-(U1-Pad3)", "U1", "3", "SDA", "ComponentPad", 13, 1.2, 1.2},
      {{2, 0}, "drill hit", "VCC", "", "", "", "Plated,PTH,ViaDrill", 1, 0.4, 0.4},
      {{2, 1}, "drill hit", "", "", "", "", "Plated,PTH,ViaDrill", 1, 0.4, 0.4},
  };
  for (const Case& c : cases) {
    const ObjectReport report = Describe(c.ref);
    SCOPED_TRACE(report.path + " " + std::to_string(c.ref.object));
    EXPECT_EQ(report.kind, c.kind);
    EXPECT_EQ(report.net, c.net);
    EXPECT_EQ(report.component, c.component);
    EXPECT_EQ(report.pin, c.pin);
    EXPECT_EQ(report.pinFunction, c.pinFunction);
    EXPECT_EQ(report.function, c.function);
    ASSERT_TRUE(report.aperture.known);
    EXPECT_EQ(report.aperture.code, c.code);
    EXPECT_NEAR(report.aperture.widthMm, c.width, 1e-9);
    EXPECT_NEAR(report.aperture.heightMm, c.height, 1e-9);
  }
}

// Turned or mirrored flashes, and the pads of a block flashed turned, draw
// with copies of their aperture's shape and still name the aperture.
TEST(ObjectDescriberTest, TurnedAndBlockFlashesNameTheirAperture) {
  const std::string text =
      "%FSLAX46Y46*%%MOMM*%\n"
      "%ADD10R,2.0X1.0*%\n"
      "%ADD11O,1.0X0.5*%\n"
      "%ABD20*%\nD11*\nX0Y0D03*\n%AB*%\n"
      "D10*\nX0Y0D03*\n"
      "%LR90*%\nX5000000Y0D03*\n"
      "%LMXY*%%LR30*%\nX10000000Y0D03*\n"
      "D20*\nX15000000Y0D03*\n"
      "M02*\n";
  const StandardLayer layer = ReadStandardGerber(text, StandardContext{});
  ASSERT_EQ(layer.geometry.objects.size(), 4u);
  const ObjectDescriber describer(layer, 0);
  const int32_t codes[] = {10, 10, 10, 11};
  const double widths[] = {2.0, 2.0, 2.0, 1.0};
  for (uint32_t object = 0; object < 4; ++object) {
    SCOPED_TRACE(object);
    const ObjectReport report = describer.Describe(object);
    ASSERT_TRUE(report.aperture.known);
    EXPECT_EQ(report.aperture.code, codes[object]);
    EXPECT_NEAR(report.aperture.widthMm, widths[object], 1e-9);
  }
}

TEST_F(BoardQueryTest, AttributesKeepTheirNamesAndReadableWords) {
  const ObjectReport report = Describe({1, 1});
  std::vector<std::string> seen;
  for (const ReadableAttribute& a : report.attributes)
    seen.push_back(a.words + "=" + a.value + (a.ofAperture ? " (aperture)" : ""));
  EXPECT_EQ(seen, (std::vector<std::string>{"Net=VCC", "Component=R1", "Pin=R1,2,Anode",
                                            "Aperture function=SMDPad,CuDef (aperture)"}));
  EXPECT_EQ(report.aperture.shape, "rectangle");
  EXPECT_NEAR(report.box.minX, 12.25, 1e-9);
  EXPECT_NEAR(report.box.maxY, 10.5, 1e-9);
  // A region has no aperture and reports its box.
  const ObjectReport pour = Describe({1, 4});
  EXPECT_EQ(pour.kind, "region");
  EXPECT_FALSE(pour.aperture.known);
  EXPECT_EQ(pour.net, "GND");
  EXPECT_NEAR(pour.box.maxX, 40.0, 1e-9);
}

TEST_F(BoardQueryTest, ObjectsAtAPointTopLayerFirst) {
  struct Case {
    GeoPoint at;
    std::vector<ObjectRef> found;
  };
  const Case cases[] = {
      // The via: top pad over the track's end, then the bottom pad and track, then the hole.
      {{20 * kMm, 10 * kMm}, {{1, 3}, {1, 2}, {0, 1}, {0, 0}, {2, 0}}},
      {{10 * kMm + 750'000, 10 * kMm + 500'000}, {{1, 0}}},  // the pad's corner
      {{10 * kMm + 751'000, 10 * kMm}, {}},                  // just beside it
      {{31 * kMm, 5 * kMm}, {{1, 4}}},                       // in the pour
      {{35 * kMm, 5 * kMm}, {}},                             // in the pour's hole
      {{33 * kMm, 5 * kMm}, {{1, 4}}},                       // on the hole's edge
      {{-100 * kMm, 0}, {}},                                 // outside everything
  };
  for (const Case& c : cases)
    EXPECT_EQ(ObjectsAtPoint(layers, c.at), c.found) << c.at.x << ", " << c.at.y;
}

TEST_F(BoardQueryTest, ANetOrAComponentByNameOnEveryLayer) {
  struct Case {
    NameKind kind;
    std::string name;
    std::vector<ObjectRef> found;
  };
  const Case cases[] = {
      {NameKind::kNet, "VCC", {{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 3}, {2, 0}}},
      {NameKind::kNet, "vcc", {{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 3}, {2, 0}}},
      {NameKind::kNet, "gnd", {{1, 0}, {1, 4}}},
      {NameKind::kNet, "net-(u1-pad3)", {{0, 3}}},
      {NameKind::kNet, "VC", {}},
      {NameKind::kNet, "", {}},
      {NameKind::kComponent, "R1", {{1, 0}, {1, 1}}},
      {NameKind::kComponent, "u1", {{0, 3}}},
      {NameKind::kComponent, "GND", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ObjectsNamed(layers, c.kind, c.name), c.found) << c.name;
}

TEST_F(BoardQueryTest, NamesForCompletionAreSortedAndOnce) {
  EXPECT_EQ(NamesOf(layers, NameKind::kNet),
            (std::vector<std::string>{"GND", "Net-(U1-Pad3)", "VCC"}));
  EXPECT_EQ(NamesOf(layers, NameKind::kComponent), (std::vector<std::string>{"R1", "U1"}));
}

TEST(ObjectAttributesTest, AttributeTextsSplitLeniently) {
  struct Case {
    std::string text;
    std::vector<std::string> split;  // name=value
  };
  const Case cases[] = {
      {"", {}},
      {".N,GND", {".N=GND"}},
      {".N,A,B;.C,R1", {".N=A,B", ".C=R1"}},
      {".N;;.C,", {".N=", ".C="}},  // no value, an empty entry, an empty value
      {";.P,U1", {".P=U1"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> split;
    for (const StandardAttribute& a : SplitAttributeText(c.text))
      split.push_back(a.name + "=" + a.value);
    EXPECT_EQ(split, c.split) << c.text;
  }
}

TEST(ObjectAttributesTest, PinsAndNetsFromMalformedValues) {
  struct Case {
    std::string pin;
    std::string component, number, function;
  };
  const Case pins[] = {
      {"U1,3,SDA", "U1", "3", "SDA"},
      {"U1,3", "U1", "3", ""},
      {"U1", "U1", "", ""},
      {"", "", "", ""},
      {",7", "", "7", ""},
      {"J1,A1,Pin,with,commas", "J1", "A1", "Pin,with,commas"},
  };
  for (const Case& c : pins) {
    const PinReference pin = ParsePinReference(c.pin);
    EXPECT_EQ(pin.component + "|" + pin.pin + "|" + pin.function,
              c.component + "|" + c.number + "|" + c.function)
        << c.pin;
  }
  EXPECT_EQ(NetNames("A,,B"), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(NetNames("").empty());
  EXPECT_EQ(ReadableAttributeName(".AperFunction"), "Aperture function");
  EXPECT_EQ(ReadableAttributeName("MyOwn"), "MyOwn");
}

TEST(ObjectAttributesTest, TheSetInForceFollowsTheRuns) {
  StandardLayer layer;
  layer.objectAttributeSets = {"", ".N,A", ".N,B"};
  layer.objectAttributeRuns = {{2, 1}, {5, 2}, {7, 0}, {9, 7}};  // the last names no set
  const uint32_t expected[] = {0, 0, 1, 1, 1, 2, 2, 0, 0, 0, 0};
  for (uint32_t object = 0; object < std::size(expected); ++object)
    EXPECT_EQ(ObjectAttributeSet(layer, object), expected[object]) << object;
}

}  // namespace
}  // namespace corvane
