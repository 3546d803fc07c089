#include "document/settings_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "document/corvane_doc.h"
#include "document/work_file_keys.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

TEST(SettingsTableTest, EveryKeyHasOneSettingAndEveryStoredSettingIsWritten) {
  std::set<std::string_view> storedKeys;
  std::set<int> workFileKeys;
  int stored = 0;
  for (const Setting& s : SettingsTable()) {
    ASSERT_NE(s.set, nullptr);
    ASSERT_NE(s.builtIn, nullptr);
    EXPECT_TRUE(workFileKeys.insert(s.workFileKey).second) << WorkFileKeyName(s.workFileKey);
    EXPECT_EQ(FindWorkFileSetting(s.workFileKey), &s);
    if (s.storedKey.empty()) {
      // Only an old work file's key is neither stored nor written.
      EXPECT_TRUE(s.convertsOldFile);
      EXPECT_EQ(s.place, WorkFilePlace::kNotWritten);
      continue;
    }
    ++stored;
    ASSERT_NE(s.get, nullptr) << s.storedKey;
    EXPECT_NE(s.place, WorkFilePlace::kNotWritten) << s.storedKey;
    EXPECT_EQ(static_cast<std::size_t>(s.form), s.builtIn().index()) << s.storedKey;
    for (const std::string_view key : {s.storedKey, s.identifierKey}) {
      if (key.empty()) continue;
      EXPECT_TRUE(storedKeys.insert(key).second) << key;
      EXPECT_EQ(FindStoredSetting(key), &s) << key;
    }
  }
  EXPECT_EQ(stored, 26);
  EXPECT_EQ(storedKeys.size(), 31u);
  // Files and the keys read only to be passed over are no settings.
  for (const int key : {kKeyUnknown, kKeyApertureFile, kKeyLayerInfo, kKeyGerberFile,
                        kKeyGerberLayer, kKeyGerberFileLayerOrder}) {
    EXPECT_EQ(FindWorkFileSetting(key), nullptr) << key;
  }
  EXPECT_EQ(FindStoredSetting("ResetOrigin"), nullptr);
  EXPECT_EQ(FindStoredSetting(""), nullptr);
}

TEST(SettingsTableTest, BuiltInValuesAreAFreshDocumentsAndThoseOfFormatSettings) {
  CCorvaneDoc doc;
  EXPECT_EQ(doc.Settings(), FormatSettings{});
  EXPECT_EQ(doc.GetMirrorX(), 1);
  doc.Settings().gerberMultiplier = 3.0;
  doc.SetMirrorX(0);
  LoadStoredDefaults(doc, nullptr);
  EXPECT_EQ(doc.Settings(), FormatSettings{});
  EXPECT_EQ(doc.GetMirrorX(), 1);
}

// What writing one default puts into the store, in the stored written forms.
TEST(WriteStoredDefaultTest, WrittenFormsReadBackAsTheyWere) {
  CCorvaneDoc doc;
  FormatSettings& s = doc.Settings();
  s.gerberMultiplier = 25.4;
  s.SetGerberNumberFormat({3, 5});
  s.drillOffsetX = -1.5;
  s.drillOffsetY = 0.125;
  s.drillCompression = 2;
  s.platedFieldName = "PTH";
  s.drillToolFieldOrder = {0, 4, 2};
  s.apertureFormats[3] = {"SQ", {0, 1, 2, 3, 4, 5, 5}};
  doc.SetMirrorY(1);
  doc.SetPrintMagnification(2.5);

  struct Row {
    const char* key;
    const char* text;  // nullptr: written as an integer
    int32_t number;
  };
  const Row rows[] = {
      {"GerberMultiplier", "25.4000", 0},
      {"GerberNumberFormat", "3,5", 0},
      {"DrillOffsets", "-1.5000,0.1250", 0},
      {"DrillCompression", nullptr, 2},
      {"MirrorY", nullptr, 1},
      {"PrintMagnification", "2.5000", 0},
      {"PlatedFieldName", "PTH", 0},
      {"DrillToolFieldOrder", "=0,4,2", 0},
      {"ApertureFieldOrder3", "=0,1,2,3,4,5,5", 0},
      {"ApertureIdentifier3", "SQ", 0},
  };
  MemorySettingsStore store;
  for (const Row& row : rows) {
    ASSERT_TRUE(WriteStoredDefault(store, doc, row.key)) << row.key;
    if (row.text != nullptr) {
      EXPECT_EQ(store.ReadText(kSectionDefaults, row.key, "(int)"), row.text) << row.key;
    } else {
      EXPECT_EQ(store.ReadInt(kSectionDefaults, row.key, -1), row.number) << row.key;
    }
  }
  EXPECT_EQ(store.WriteCount(), std::size(rows));
  EXPECT_FALSE(WriteStoredDefault(store, doc, "GerberFileExtension"));  // a work-file key
  EXPECT_EQ(store.WriteCount(), std::size(rows));

  CCorvaneDoc reread;
  LoadStoredDefaults(reread, &store);
  EXPECT_EQ(reread.Settings().gerberMultiplier, 25.4);
  EXPECT_EQ(reread.Settings().gerberYFormat, (NumberFormat{3, 5}));
  EXPECT_EQ(reread.Settings().drillOffsetY, 0.125);
  EXPECT_EQ(reread.Settings().drillToolFieldOrder, s.drillToolFieldOrder);
  EXPECT_EQ(reread.Settings().apertureFormats[3], s.apertureFormats[3]);
  EXPECT_EQ(reread.GetMirrorY(), 1);
  EXPECT_EQ(reread.GetPrintMagnification(), 2.5);
}

TEST(WriteStoredDefaultTest, EveryStoredKeyRoundTripsTheBuiltInValue) {
  const CCorvaneDoc builtIn;
  MemorySettingsStore store;
  int written = 0;
  for (const Setting& s : SettingsTable()) {
    for (const std::string_view key : {s.storedKey, s.identifierKey}) {
      if (key.empty()) continue;
      ASSERT_TRUE(WriteStoredDefault(store, builtIn, key)) << key;
      ++written;
    }
  }
  EXPECT_EQ(written, 31);
  CCorvaneDoc reread;
  reread.Settings().gerberFileExt = "changed";
  reread.SetAutoOrigin(1);
  LoadStoredDefaults(reread, &store);
  EXPECT_EQ(reread.Settings(), builtIn.Settings());
  EXPECT_EQ(reread.GetAutoOrigin(), builtIn.GetAutoOrigin());
  EXPECT_EQ(reread.GetMirrorX(), builtIn.GetMirrorX());
}

}  // namespace
}  // namespace corvane
