#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace corvane {
namespace {

struct SaveRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

// The built program with neither a display nor the user's settings file.
SaveRun RunProgram(const QStringList& args, const QString& settingsPath) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.insert(QStringLiteral("CORVANE_SETTINGS"), settingsPath);
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(CORVANE_BINARY), args);
  SaveRun run;
  if (!process.waitForFinished(30000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

const QString kDemo = QStringLiteral(CORVANE_TEST_DATA_DIR "/../../examples/demo/");

class SaveCommandTest : public testing::Test {
 protected:
  QString Settings() const { return dir_.filePath(QStringLiteral("Corvane.ini")); }
  QTemporaryDir dir_;
};

TEST_F(SaveCommandTest, DemoWorkFileSavesAndDumpsTheSameSet) {
  const QString out = dir_.filePath(QStringLiteral("copy.wrk"));
  const SaveRun save = RunProgram(
      {QStringLiteral("save"), QStringLiteral("-o"), out, kDemo + QStringLiteral("demo.wrk")},
      Settings());
  ASSERT_EQ(save.exitCode, 0) << save.err.toStdString();
  const SaveRun original =
      RunProgram({QStringLiteral("dump"), kDemo + QStringLiteral("demo.wrk")}, Settings());
  const SaveRun copy = RunProgram({QStringLiteral("dump"), out}, Settings());
  ASSERT_EQ(original.exitCode, 0) << original.err.toStdString();
  ASSERT_EQ(copy.exitCode, 0) << copy.err.toStdString();
  // The saved names are the same files, written without the "..".
  QByteArray expected = original.out;
  expected.replace(kDemo.toUtf8(), (QDir::cleanPath(kDemo) + QLatin1Char('/')).toUtf8());
  EXPECT_EQ(copy.out.toStdString(), expected.toStdString());
  EXPECT_EQ(original.out.count("\nlayer "), 4);  // five layers, the first opens the dump
  EXPECT_EQ(original.out.count("\nhit "), 38);
}

TEST_F(SaveCommandTest, UnwritableOutputFailsAndLeavesTheOldFile) {
  const QString out = dir_.filePath(QStringLiteral("keep.wrk"));
  {
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MirrorX=1\r\n");
  }
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("keep.wrk.d")));
  const SaveRun run = RunProgram(
      {QStringLiteral("save"), QStringLiteral("-o"), dir_.filePath(QStringLiteral("keep.wrk.d")),
       kDemo + QStringLiteral("demo_top.ger")},
      Settings());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.startsWith("corvane save: ")) << run.err.toStdString();
  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("MirrorX=1\r\n"));
  EXPECT_EQ(RunProgram({QStringLiteral("save"), kDemo + QStringLiteral("demo_top.ger")}, Settings())
                .exitCode,
            2);
}

}  // namespace
}  // namespace corvane
