#include "qt/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace corvane {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  QString IniPath() const { return dir_.filePath(QStringLiteral("Corvane.ini")); }
  void WriteIni(const QByteArray& text) {
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, WrittenValuesAreOnDiskAtOnce) {
  QtSettingsStore store(IniPath());
  store.WriteInt(kSectionDefaults, "MirrorX", 0);
  store.WriteText(kSectionDefaults, "GerberNumberFormat", "3,5");
  store.WriteText(kSectionRecentFiles, "File1", "/boards/a b/top.wrk");

  QtSettingsStore reread(IniPath());
  EXPECT_EQ(reread.ReadInt(kSectionDefaults, "MirrorX", 1), 0);
  EXPECT_EQ(reread.ReadText(kSectionDefaults, "GerberNumberFormat", ""), "3,5");
  EXPECT_EQ(reread.ReadText(kSectionRecentFiles, "File1", ""), "/boards/a b/top.wrk");
}

TEST_F(QtSettingsStoreTest, MissingOrMistypedValuesYieldTheDefault) {
  WriteIni("[Defaults]\nMirrorX=yes\nGerberCompression= 2 \nGerberNumberFormat=3, 5\n");
  QtSettingsStore store(IniPath());
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "MirrorX", 1), 1);
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "GerberCompression", 1), 2);
  EXPECT_EQ(store.ReadInt(kSectionDefaults, "Absent", 7), 7);
  EXPECT_EQ(store.ReadText(kSectionDefaults, "Absent", "ger"), "ger");
  // A hand-written list comes back as the text it was.
  EXPECT_EQ(store.ReadText(kSectionDefaults, "GerberNumberFormat", ""), "3, 5");
}

TEST_F(QtSettingsStoreTest, UnwritableFileNeverStopsTheProgram) {
  const QString path = dir_.filePath(QStringLiteral("missing/dir/that/is/a/file"));
  QFile blocker(dir_.filePath(QStringLiteral("missing")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where a folder would be needed
  blocker.close();
  QtSettingsStore store(path);
  store.WriteInt(kSectionSettings, "LastOpenResult", 1);
  EXPECT_EQ(store.ReadText(kSectionDefaults, "GerberFileExt", "ger"), "ger");
}

TEST_F(QtSettingsStoreTest, EnvironmentVariableNamesTheFile) {
  qputenv("CORVANE_SETTINGS", IniPath().toUtf8());
  QtSettingsStore store;
  qunsetenv("CORVANE_SETTINGS");
  EXPECT_EQ(QDir::cleanPath(store.FileName()), QDir::cleanPath(IniPath()));
}

}  // namespace
}  // namespace corvane
