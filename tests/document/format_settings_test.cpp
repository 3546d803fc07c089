#include "document/format_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

FieldOrder Order(std::initializer_list<uint8_t> codes) { return FieldOrder(codes); }

TEST(StoredDefaultsTest, EmptyStoreGivesTheBuiltInValues) {
  MemorySettingsStore store;
  CCorvaneDoc doc;
  LoadStoredDefaults(doc, &store);
  const FormatSettings& s = doc.Settings();
  EXPECT_EQ(doc.GetMirrorX(), 1);
  EXPECT_EQ(doc.GetMirrorY(), 0);
  EXPECT_EQ(doc.GetAutoOrigin(), 0);
  EXPECT_EQ(doc.GetPrintMagnification(), 1.0);
  EXPECT_EQ(s.gerberXFormat, (NumberFormat{2, 4}));
  EXPECT_EQ(s.gerberYFormat, (NumberFormat{2, 4}));
  EXPECT_EQ(s.drillFormat, (NumberFormat{2, 4}));
  EXPECT_EQ(s.gerberCompression, 1);
  EXPECT_EQ(s.drillCompression, 1);
  for (double m :
       {s.gerberMultiplier, s.apertureMultiplier, s.drillMultiplier, s.drillToolMultiplier}) {
    EXPECT_EQ(m, 1.0);
  }
  EXPECT_EQ(s.gerberOffsetX, 0.0);
  EXPECT_EQ(s.drillOffsetY, 0.0);
  EXPECT_EQ(s.gerberFileExt, "ger");
  EXPECT_EQ(s.drillFileExt, "drl");
  EXPECT_EQ(s.apertureFileExt, "apr");
  EXPECT_EQ(s.drillToolFileExt, "rck");
  EXPECT_EQ(s.platedFieldName, "Plated");
  EXPECT_EQ(s.unplatedFieldName, "Unplated");
  EXPECT_EQ(s.drillToolFieldOrder, Order({0, 1, 4, 2, 3}));
  const char* identifiers[] = {"CIRCLE", "LINE", "RECTANGLE", "SQUARE", "ELLIPSE"};
  for (int i = 0; i < FormatSettings::GetApertureFormatCount(); ++i) {
    EXPECT_EQ(s.GetApertureFormat(i).identifier, identifiers[i]);
    EXPECT_EQ(s.GetApertureFormat(i).fieldOrder, Order({0, 1, 2, 3, 4}));
  }
  // A document without any store starts from the same values.
  CCorvaneDoc bare;
  EXPECT_EQ(bare.Settings(), s);
}

TEST(StoredDefaultsTest, StoredNumberFormatsInEveryWrittenForm) {
  struct Case {
    const char* text;
    NumberFormat expected;
  };
  const Case cases[] = {{"3,5", {3, 5}}, {"3 5", {3, 5}}, {"3, 5", {3, 5}}, {"none", {2, 4}}};
  for (const Case& c : cases) {
    MemorySettingsStore store;
    store.WriteText(kSectionDefaults, "GerberNumberFormat", c.text);
    store.WriteText(kSectionDefaults, "DrillNumberFormat", c.text);
    CCorvaneDoc doc;
    LoadStoredDefaults(doc, &store);
    EXPECT_EQ(doc.Settings().gerberXFormat, c.expected) << c.text;
    EXPECT_EQ(doc.Settings().gerberYFormat, c.expected) << c.text;
    EXPECT_EQ(doc.Settings().drillFormat, c.expected) << c.text;
  }
}

TEST(StoredDefaultsTest, RealsOffsetsAndIntegers) {
  MemorySettingsStore store;
  store.WriteText(kSectionDefaults, "GerberOffsets", "12.5");
  store.WriteText(kSectionDefaults, "DrillOffsets", "-1.5, 2.25");
  store.WriteText(kSectionDefaults, "GerberMultiplier", "inch");
  store.WriteText(kSectionDefaults, "DrillMultiplier", " 2.5e1");
  store.WriteText(kSectionDefaults, "PrintMagnification", "2.5000");
  store.WriteInt(kSectionDefaults, "MirrorX", 0);
  store.WriteInt(kSectionDefaults, "AutoOrigin", 1);
  store.WriteInt(kSectionDefaults, "DrillCompression", 2);
  store.WriteText(kSectionDefaults, "GerberCompression", "2");  // a text where an integer belongs
  store.WriteText(kSectionDefaults, "UnplatedFieldName", "NPTH");
  CCorvaneDoc doc;
  LoadStoredDefaults(doc, &store);
  const FormatSettings& s = doc.Settings();
  EXPECT_EQ(s.gerberOffsetX, 12.5);
  EXPECT_EQ(s.gerberOffsetY, 0.0);
  EXPECT_EQ(s.drillOffsetX, -1.5);
  EXPECT_EQ(s.drillOffsetY, 2.25);
  EXPECT_EQ(s.gerberMultiplier, 0.0);
  EXPECT_EQ(s.drillMultiplier, 25.0);
  EXPECT_EQ(doc.GetPrintMagnification(), 2.5);
  EXPECT_EQ(doc.GetMirrorX(), 0);
  EXPECT_EQ(doc.GetAutoOrigin(), 1);
  EXPECT_EQ(s.drillCompression, 2);
  EXPECT_EQ(s.gerberCompression, 1);
  EXPECT_EQ(s.unplatedFieldName, "NPTH");
}

TEST(StoredDefaultsTest, FieldOrdersAndIdentifiers) {
  MemorySettingsStore store;
  store.WriteText(kSectionDefaults, "ApertureFieldOrder2", "=1,0,2");
  store.WriteText(kSectionDefaults, "ApertureIdentifier2", "");
  store.WriteText(kSectionDefaults, "ApertureIdentifier0", "ROUND");
  store.WriteText(kSectionDefaults, "DrillToolFieldOrder", "0,4,2");
  CCorvaneDoc doc;
  LoadStoredDefaults(doc, &store);
  const FormatSettings& s = doc.Settings();
  EXPECT_EQ(s.GetApertureFormat(2).fieldOrder, Order({1, 0, 2}));
  EXPECT_EQ(s.GetApertureFormat(2).identifier, "RECTANGLE");
  EXPECT_EQ(s.GetApertureFormat(0).identifier, "ROUND");
  EXPECT_EQ(s.drillToolFieldOrder, Order({0, 4, 2}));

  LoadStoredDefaults(doc, &store);  // a second reading replaces, never adds
  EXPECT_EQ(doc.Settings().apertureFormats.size(), 5u);
  EXPECT_EQ(doc.Settings().GetApertureFormat(2).fieldOrder, Order({1, 0, 2}));
}

TEST(ByteListTest, ParseByteList) {
  struct Case {
    const char* text;
    FieldOrder expected;
  };
  const Case cases[] = {
      {"0,1,4,2,3", Order({0, 1, 4, 2, 3})},
      {"=0,1,4,2,3", Order({0, 1, 4, 2, 3})},
      {"0 1 4 2 3", Order({0, 1, 4, 2, 3})},
      {"0,1,, ", Order({0, 1})},
      {"abc", Order({0})},
      {"", Order({})},
      {"256,257,-1", Order({0, 1, 255})},
      {"1,a 2", Order({1, 0, 2})},
  };
  for (const Case& c : cases) {
    FieldOrder list;
    ParseByteList(list, c.text);
    EXPECT_EQ(list, c.expected) << c.text;
  }
  FieldOrder appended = Order({9});
  ParseByteList(appended, "1");
  EXPECT_EQ(appended, Order({9, 1}));
}

TEST(ByteListTest, FormatByteListStopsAtTheLimit) {
  std::string buffer = "junk";
  FormatByteList(buffer, "DrillToolFieldOrder", Order({0, 1, 4, 2, 3}), 254);
  EXPECT_EQ(buffer, "DrillToolFieldOrder=0,1,4,2,3");

  FormatByteList(buffer, "K", Order({}), 254);
  EXPECT_EQ(buffer, "K=");

  // "K=1" is 3 characters; ",2" brings it to 5, ",3" to 7: with a limit of 7
  // the running length must stay below it, so the third value and everything
  // after it are dropped, even a value that would have fitted.
  FormatByteList(buffer, "K", Order({1, 2, 3}), 7);
  EXPECT_EQ(buffer, "K=1,2");
  FormatByteList(buffer, "K", Order({1, 2, 3}), 8);
  EXPECT_EQ(buffer, "K=1,2,3");
  FormatByteList(buffer, "K", Order({1, 200, 3}), 7);
  EXPECT_EQ(buffer, "K=1");
  FormatByteList(buffer, "", Order({0, 1, 4, 2, 3}), 254);
  EXPECT_EQ(buffer, "=0,1,4,2,3");

  std::string line = "CircleApertureFormat=CIRCLE,";
  AppendByteList(line, Order({0, 1, 2, 3, 4}), 1022);
  EXPECT_EQ(line, "CircleApertureFormat=CIRCLE,0,1,2,3,4");
}

TEST(ByteListTest, FieldNames) {
  EXPECT_EQ(ApertureFieldName(0), "D Code");
  EXPECT_EQ(ApertureFieldName(5), "Skip");
  EXPECT_EQ(ApertureFieldName(6), "Unknown");
  EXPECT_EQ(ApertureFieldName(-1), "Unknown");
  EXPECT_EQ(DrillToolFieldName(1), "Hole Type");
  EXPECT_EQ(DrillToolFieldName(4), "Skip");
  EXPECT_EQ(DrillToolFieldName(5), "Unknown");
}

TEST(FormatSettingsTest, GerberNumberFormatSetsBothAxes) {
  FormatSettings s;
  s.SetGerberNumberFormat({3, 3});
  EXPECT_EQ(s.gerberXFormat, (NumberFormat{3, 3}));
  EXPECT_EQ(s.gerberYFormat, (NumberFormat{3, 3}));
  s.SetApertureFormat(4, ApertureFormat{"OVAL", Order({0, 2})});
  EXPECT_EQ(s.GetApertureFormat(4).identifier, "OVAL");
}

}  // namespace
}  // namespace corvane
