#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace corvane {
namespace {

struct ProcessRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// Runs the built program with neither a display nor the user's settings file.
ProcessRun RunCorvane(const QStringList& args, const QString& settingsPath) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  environment.insert(QStringLiteral("CORVANE_SETTINGS"), settingsPath);
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(CORVANE_BINARY), args);
  ProcessRun run;
  if (!process.waitForFinished(30000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

QString DataFile(const char* name) {
  return QStringLiteral(CORVANE_TEST_DATA_DIR "/gerber/") + QLatin1String(name);
}

class DumpCommandTest : public testing::Test {
 protected:
  QString SettingsPath() const { return dir_.filePath(QStringLiteral("Corvane.ini")); }
  QTemporaryDir dir_;
};

TEST_F(DumpCommandTest, DumpsTheWorkedExampleWithItems) {
  const ProcessRun run = RunCorvane(
      {QStringLiteral("dump"), QStringLiteral("--items"), DataFile("worked_example.gbr")},
      SettingsPath());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.toStdString(), "layer 0 0x0000FF 0 0 0 0 1 \"" +
                                       DataFile("worked_example.gbr").toStdString() +
                                       "\"\n"
                                       "aperture 0 10 0 0.01 0.01 0 0 0\n"
                                       "extents 2.0049999999999999 -0.0050000000000000001 "
                                       "1.0049999999999999 -0.0050000000000000001\n"
                                       "items 6\n"
                                       "item 0 D 0 10 0 0\n"
                                       "item 0 D 0 2 0 0\n"
                                       "item 0 D 0 1 1 0\n"
                                       "item 0 G 0 0 0 1\n"
                                       "item 0 D 4 1 2 1\n"
                                       "item 0 D 4 1 2 1\n");
  EXPECT_TRUE(run.err.isEmpty());
  // The settings file is read, never written.
  EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(DumpCommandTest, ReadsTheStoredSettingsUnlessDefaultsAreAsked) {
  {
    QFile ini(SettingsPath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Defaults]\nGerberMultiplier=10\n");
  }
  const QStringList file{DataFile("worked_example.gbr")};
  const ProcessRun stored = RunCorvane(QStringList{QStringLiteral("dump")} + file, SettingsPath());
  EXPECT_TRUE(stored.out.contains("extents 20.004999999999999 -0.0050000000000000001 "
                                  "10.005000000000001 -0.0050000000000000001\n"))
      << stored.out.toStdString();
  const ProcessRun builtIn = RunCorvane(
      QStringList{QStringLiteral("dump"), QStringLiteral("--defaults")} + file, SettingsPath());
  EXPECT_TRUE(builtIn.out.contains("extents 2.0049999999999999 -0.0050000000000000001 "
                                   "1.0049999999999999 -0.0050000000000000001\n"))
      << builtIn.out.toStdString();
}

TEST_F(DumpCommandTest, WarningsGoToStandardError) {
  const ProcessRun run =
      RunCorvane({QStringLiteral("dump"), QStringLiteral("--defaults"),
                  QStringLiteral("missing.gbr"), DataFile("metric_apertures_only.gbr")},
                 SettingsPath());
  // Everything else is dumped; the file the command line names makes the status 1.
  ASSERT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.toStdString(),
            "warning: Warning: Both English and Meter units specified in Gerber files.\n"
            "warning: cannot open missing.gbr\n");
  EXPECT_TRUE(run.out.startsWith("layer 0 "));
}

TEST_F(DumpCommandTest, BadArgumentsExitWithTwoAndOneUsageLine) {
  const ProcessRun run =
      RunCorvane({QStringLiteral("dump"), QStringLiteral("--nope")}, SettingsPath());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.startsWith("usage: corvane dump "));
  EXPECT_EQ(run.err.count('\n'), 1);
}

}  // namespace
}  // namespace corvane
