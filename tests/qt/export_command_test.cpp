// Runs the program's export command as a user would, without a display.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kData = QStringLiteral(CORVANE_TEST_DATA_DIR "/export/");

struct ExportRun {
  int exitCode = -1;
  QString standardError;
};

ExportRun Export(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  // No display at all, and a platform that would need one.
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(CORVANE_BINARY), QStringList{QStringLiteral("export")} + arguments);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardError())};
}

QStringList Board() {
  return {QStringLiteral("--defaults"),        QStringLiteral("--drill-file"),
          kData + QStringLiteral("board.drl"), QStringLiteral("--drill-tool-file"),
          kData + QStringLiteral("board.rck"), kData + QStringLiteral("board.gbr"),
          kData + QStringLiteral("circle.gbr")};
}

bool AnyNear(const QImage& image, int x, int y, QRgb color) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == color) return true;
    }
  }
  return false;
}

class ExportCommandTest : public ::testing::Test {
 protected:
  QString Out(const QString& name) const { return dir_.filePath(name); }
  QTemporaryDir dir_;
};

// A 2 x 1 inch board at 200 pixels per inch, +y up: a red outline, a red
// square pad at (0.5, 0.5), a red round pad at (1.5, 0.5), a blue circle of
// radius 0.1 about (1.0, 0.7) and a black hole at (1.0, 0.5).
TEST_F(ExportCommandTest, PngShowsWhatTheWindowWouldShow) {
  const ExportRun run =
      Export(QStringList{QStringLiteral("--size"), QStringLiteral("400x200"),
                         QStringLiteral("--background"), QStringLiteral("#102030"),
                         QStringLiteral("-o"), Out(QStringLiteral("board.png"))} +
             Board());
  ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
  QImage image(Out(QStringLiteral("board.png")));
  ASSERT_EQ(image.size(), QSize(400, 200));
  const QRgb red = qRgb(255, 0, 0);
  EXPECT_EQ(image.pixel(100, 100), red);                  // square pad
  EXPECT_EQ(image.pixel(115, 85), red);                   // its corner
  EXPECT_EQ(image.pixel(300, 120), red);                  // round pad
  EXPECT_EQ(image.pixel(200, 100), qRgb(0, 0, 0));        // the hole
  EXPECT_TRUE(AnyNear(image, 200, 40, qRgb(0, 0, 255)));  // top of the circle
  EXPECT_TRUE(AnyNear(image, 200, 78, qRgb(0, 0, 255)));  // its bottom
  EXPECT_EQ(image.pixel(50, 150), qRgb(0x10, 0x20, 0x30));
  EXPECT_TRUE(AnyNear(image, 200, 0, red));  // the outline's top edge
}

TEST_F(ExportCommandTest, SvgAndPdfAreWritten) {
  const QString svg = Out(QStringLiteral("board.svg"));
  const QString pdf = Out(QStringLiteral("board.pdf"));
  ASSERT_EQ(Export(QStringList{QStringLiteral("-o"), svg} + Board()).exitCode, 0);
  ASSERT_EQ(Export(QStringList{QStringLiteral("--page"), QStringLiteral("a4"), QStringLiteral("-o"),
                               pdf} +
                   Board())
                .exitCode,
            0);
  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svgFile.readAll().contains("<svg"));
  QFile pdfFile(pdf);
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdfFile.read(5).startsWith("%PDF"));
}

TEST_F(ExportCommandTest, BadArgumentsGiveTheUsageLine) {
  const QStringList cases[] = {
      Board(),  // no -o
      QStringList{QStringLiteral("-o"), Out(QStringLiteral("x.bmp"))} + Board(),
      QStringList{QStringLiteral("--size"), QStringLiteral("0x5"), QStringLiteral("-o"),
                  Out(QStringLiteral("x.png"))} +
          Board(),
      QStringList{QStringLiteral("-o"), Out(QStringLiteral("x.png"))},  // no FILE
  };
  for (const QStringList& arguments : cases) {
    const ExportRun run = Export(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.standardError.startsWith(QStringLiteral("usage: corvane export")));
    EXPECT_EQ(run.standardError.count(QLatin1Char('\n')), 1);
  }
  EXPECT_FALSE(QFile::exists(Out(QStringLiteral("x.png"))));
}

TEST_F(ExportCommandTest, UnwritableOutputIsNamedAndLeavesNoFile) {
  const QString inMissingFolder = Out(QStringLiteral("missing/board.png"));
  ExportRun run = Export(QStringList{QStringLiteral("-o"), inMissingFolder} + Board());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.standardError.contains(inMissingFolder));

  // A folder where the picture should go: nothing is left beside it either.
  const QString folder = Out(QStringLiteral("taken.pdf"));
  ASSERT_TRUE(QDir().mkpath(folder));
  run = Export(QStringList{QStringLiteral("-o"), folder} + Board());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.standardError.contains(folder));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 0);
}

}  // namespace
