#include "qt/toolbar_icons.h"

#include <QBitmap>
#include <QPainter>
#include <QPolygon>
#include <array>
#include <functional>

namespace corvane {
namespace {

// One palette for all pictures, so they read as one set.
const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kBoard(0, 128, 64);
const QColor kCopper(224, 160, 32);
const QColor kFolder(240, 200, 72);
const QColor kBlue(40, 80, 200);
const QColor kGrey(160, 160, 160);
const QColor kRed(200, 32, 32);

void Outline(QPainter& p, const QColor& fill, const QRect& r) {
  p.setPen(kInk);
  p.setBrush(fill);
  p.drawRect(r);
}

void DrawNew(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawPolygon(
      QPolygon({QPoint(3, 1), QPoint(9, 1), QPoint(12, 4), QPoint(12, 13), QPoint(3, 13)}));
  p.drawPolyline(QPolygon({QPoint(9, 1), QPoint(9, 4), QPoint(12, 4)}));
}

void DrawOpen(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kFolder.darker(115));
  p.drawPolygon(QPolygon(
      {QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(11, 4), QPoint(11, 12), QPoint(1, 12)}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(14, 7), QPoint(12, 12), QPoint(1, 12)}));
}

void DrawSave(QPainter& p) {
  Outline(p, kBlue, QRect(1, 1, 13, 12));
  p.fillRect(QRect(4, 2, 7, 5), kPaper);
  p.fillRect(QRect(4, 9, 7, 4), kGrey);
  p.fillRect(QRect(8, 10, 2, 2), kInk);
}

void DrawPrint(QPainter& p) {
  Outline(p, kPaper, QRect(4, 1, 7, 5));
  Outline(p, kGrey, QRect(1, 6, 13, 5));
  Outline(p, kPaper, QRect(4, 9, 7, 4));
  p.fillRect(QRect(11, 7, 2, 1), kCopper);
}

void DrawBoard(QPainter& p) { Outline(p, kBoard, QRect(1, 2, 13, 10)); }

void DrawGerber(QPainter& p) {
  DrawBoard(p);
  p.setPen(QPen(kCopper, 2));
  p.drawPolyline(QPolygon({QPoint(3, 9), QPoint(7, 5), QPoint(12, 5)}));
  p.fillRect(QRect(2, 8, 3, 3), kCopper);
  p.fillRect(QRect(11, 4, 3, 3), kCopper);
}

void DrawAperture(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kCopper);
  p.drawEllipse(QRect(1, 2, 6, 6));
  p.drawRect(QRect(9, 2, 5, 5));
  p.drawRect(QRect(1, 10, 13, 3));
}

void DrawNcDrill(QPainter& p) {
  DrawBoard(p);
  p.setPen(kInk);
  p.setBrush(kPaper);
  for (const QPoint& c : {QPoint(3, 4), QPoint(9, 4), QPoint(3, 8), QPoint(9, 8)}) {
    p.drawRect(QRect(c, QSize(3, 3)));  // at this size a square reads as a hole
  }
}

void DrawDrillTool(QPainter& p) {
  Outline(p, kGrey, QRect(6, 0, 4, 4));  // chuck
  p.setPen(kInk);
  p.setBrush(kGrey.lighter(120));
  p.drawPolygon(QPolygon(
      {QPoint(6, 5), QPoint(9, 5), QPoint(9, 11), QPoint(8, 14), QPoint(7, 14), QPoint(6, 11)}));
  for (int y = 6; y <= 10; y += 2) p.drawLine(6, y + 1, 9, y);  // flutes
}

void DrawVisibility(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawEllipse(QRect(1, 4, 14, 7));
  p.setBrush(kBlue);
  p.drawEllipse(QRect(5, 4, 6, 6));
  p.fillRect(QRect(7, 6, 2, 2), kInk);
}

void DrawOffset(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.drawLine(7, 1, 7, 13);
  p.drawLine(1, 7, 13, 7);
  p.setBrush(kInk);
  p.drawPolygon(QPolygon({QPoint(7, 0), QPoint(4, 3), QPoint(10, 3)}));
  p.drawPolygon(QPolygon({QPoint(7, 14), QPoint(4, 11), QPoint(10, 11)}));
  p.drawPolygon(QPolygon({QPoint(0, 7), QPoint(3, 4), QPoint(3, 10)}));
  p.drawPolygon(QPolygon({QPoint(14, 7), QPoint(11, 4), QPoint(11, 10)}));
}

void DrawMeasure(QPainter& p) {
  Outline(p, kFolder, QRect(0, 5, 15, 5));
  p.setPen(kInk);
  for (int x = 2; x <= 13; x += 2) p.drawLine(x, 6, x, x % 4 == 0 ? 8 : 7);
}

void DrawLens(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  p.drawLine(9, 9, 13, 13);
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawEllipse(QRect(1, 1, 9, 9));
}

void DrawZoomTool(QPainter& p) {
  DrawLens(p);
  p.setPen(kInk);
  p.drawLine(0, 14, 4, 14);  // the pointer mark tells the tool from the commands
  p.drawLine(0, 10, 0, 14);
}

void DrawZoomIn(QPainter& p) {
  DrawLens(p);
  p.fillRect(QRect(3, 5, 5, 1), kRed);
  p.fillRect(QRect(5, 3, 1, 5), kRed);
}

void DrawZoomOut(QPainter& p) {
  DrawLens(p);
  p.fillRect(QRect(3, 5, 5, 1), kRed);
}

void DrawZoomExtents(QPainter& p) {
  DrawLens(p);
  p.setPen(kRed);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(3, 3, 5, 5));
}

// A copper pour with a clear cut-out and a pad inside it: what the standard
// reading draws and the classic one leaves out.
void DrawStandard(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kCopper);
  p.drawPolygon(
      QPolygon({QPoint(1, 1), QPoint(14, 1), QPoint(14, 13), QPoint(4, 13), QPoint(1, 10)}));
  p.setBrush(kPaper);
  p.drawRect(QRect(5, 4, 6, 6));
  p.fillRect(QRect(7, 6, 3, 3), kCopper);
}

using Painter = void (*)(QPainter&);
constexpr std::array<Painter, kToolbarImageCount> kPainters = {
    DrawNew,     DrawOpen,      DrawSave,        DrawPrint,   DrawGerber,  DrawAperture,
    DrawNcDrill, DrawDrillTool, DrawVisibility,  DrawOffset,  DrawMeasure, DrawZoomTool,
    DrawZoomIn,  DrawZoomOut,   DrawZoomExtents, DrawStandard};

}  // namespace

QPixmap ToolbarImage(int index) {
  QPixmap pixmap(kToolbarImageWidth, kToolbarImageHeight);
  pixmap.fill(Qt::transparent);
  if (index < 0 || index >= kToolbarImageCount) return pixmap;
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  kPainters[static_cast<std::size_t>(index)](painter);
  return pixmap;
}

QPixmap ToolbarStrip() {
  QPixmap strip(kToolbarImageWidth * kToolbarImageCount, kToolbarImageHeight);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  for (int i = 0; i < kToolbarImageCount; ++i) {
    painter.drawPixmap(i * kToolbarImageWidth, 0, ToolbarImage(i));
  }
  return strip;
}

QCursor ZoomCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(13, 13, 22, 22);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QRect(1, 1, 14, 14));
  p.drawLine(5, 8, 11, 8);
  p.drawLine(8, 5, 8, 11);
  p.end();
  return QCursor(pixmap, 8, 8);
}

QPixmap AppIconPixmap() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBoard);
  p.drawRoundedRect(QRectF(2.5, 4.5, 27, 23), 3, 3);
  p.setPen(QPen(kCopper, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygon({QPoint(8, 21), QPoint(15, 13), QPoint(24, 13)}));
  p.setPen(Qt::NoPen);
  p.setBrush(kCopper);
  p.drawEllipse(QPointF(8, 21), 4, 4);
  p.drawRect(QRectF(21, 9.5, 7, 7));
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(8, 21), 1.5, 1.5);
  p.end();
  return pixmap;
}

}  // namespace corvane
