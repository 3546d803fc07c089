// Renders the program's SVG icon to one square PNG. The build runs it for each
// size of the desktop's icon theme, so the PNGs always follow the SVG and no
// image tool beyond Qt is needed.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: corvane_render_icon INPUT.svg SIZE OUTPUT.png\n", stderr);
    return 2;
  }
  int size = 0;
  try {
    size = std::stoi(argv[2]);
  } catch (const std::exception&) {
    size = 0;
  }
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "corvane_render_icon: bad size '%s'\n", argv[2]);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "corvane_render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "corvane_render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
