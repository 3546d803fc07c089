#include "qt/corvane_app.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace corvane {
namespace {

struct ProgramRun {
  int exitCode = -1;
  QString err;
};

// The program as a user starts it, with no screen at all but what `screen`
// names (pairs of a variable and its value).
ProgramRun RunWithoutDisplay(const QStringList& args, const QStringList& screen = {}) {
  QTemporaryDir dir;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
    env.remove(QString::fromLatin1(name));
  }
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
  for (qsizetype i = 0; i + 1 < screen.size(); i += 2) env.insert(screen[i], screen[i + 1]);
  env.insert(QStringLiteral("CORVANE_SETTINGS"), dir.filePath(QStringLiteral("s.ini")));
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(CORVANE_BINARY), args);
  ProgramRun run;
  if (!process.waitForFinished(20000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

TEST(CorvaneAppTest, WithoutADisplayItSaysSoInOneLine) {
  const ProgramRun run = RunWithoutDisplay({QStringLiteral("examples/demo/demo.wrk")});
  EXPECT_EQ(run.exitCode, 1);  // a normal exit, not a crash
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("xvfb-run"))) << run.err.toStdString();
}

// Displays that cannot be reached, and window systems that cannot start: the
// toolkit would abort with its own text; the program says so in one line.
TEST(CorvaneAppTest, AnUnreachableDisplayEndsInOneLineAndStatus1) {
  struct Case {
    QStringList screen;
    QStringList args;
    const char* named;
  };
  const Case cases[] = {
      {{"DISPLAY", ":87"}, {}, "cannot open display :87"},
      {{"DISPLAY", ":87", "WAYLAND_DISPLAY", "corvane-none"}, {}, "cannot open display :87"},
      {{"WAYLAND_DISPLAY", "corvane-none"}, {}, "cannot open display corvane-none"},
      {{"QT_QPA_PLATFORM", "wayland", "WAYLAND_DISPLAY", "corvane-none"},
       {},
       "cannot open display corvane-none"},
      {{"QT_QPA_PLATFORM", "corvane-none"}, {}, "cannot start the window system corvane-none"},
      {{"DISPLAY", ":87"}, {"-platform", "xcb"}, "cannot open display :87"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = RunWithoutDisplay(c.args + QStringList{"examples/demo/demo.wrk"},
                                             c.screen);
    SCOPED_TRACE(c.screen.join(' ').toStdString());
    EXPECT_EQ(run.exitCode, 1);  // a normal exit, not the toolkit's abort
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("corvane: ") + QLatin1String(c.named)))
        << run.err.toStdString();
  }
}

TEST(CorvaneAppTest, BadArgumentsEndWithStatus2) {
  for (const QStringList& args : {QStringList{"--bogus"}, QStringList{"a.wrk", "b.wrk"},
                                  QStringList{"-p"}, QStringList{"--print-to", "lp0"}}) {
    const ProgramRun run = RunWithoutDisplay(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("corvane: "))) << run.err.toStdString();
  }
}

// Printing needs no display: a missing file or printer is one line and status 1.
TEST(CorvaneAppTest, PrintRequestsRunWithoutADisplay) {
  const QString demo = QStringLiteral(CORVANE_TEST_DATA_DIR "/../../examples/demo/demo.wrk");
  const QStringList cases[] = {
      {"-p", "/no/such/board.wrk"},
      {"--print", "/no/such/board.wrk"},
      {"--print-to", "no-such-printer-of-corvane", demo},
      {"-pt", "no-such-printer-of-corvane", demo},
  };
  for (const QStringList& args : cases) {
    const ProgramRun run = RunWithoutDisplay(args);
    EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("corvane print: "))) << run.err.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }
}

}  // namespace
}  // namespace corvane
