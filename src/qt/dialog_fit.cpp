#include "qt/dialog_fit.h"

#include <QFontMetricsF>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

namespace corvane {

TextWidthFunction MeasureIn(const QWidget& widget) {
  // Rounded up from the exact advance, as the item views size their lines.
  return [metrics = QFontMetricsF(widget.font())](std::string_view text) {
    return static_cast<int32_t>(std::ceil(metrics.horizontalAdvance(ToQString(text))));
  };
}

int32_t ListTextWidth(const QListWidget& list, int lineCount) {
  const QStyle* style = list.style();
  // The item delegate keeps this margin on both sides of a line's text.
  const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
  int width = list.viewport()->width() - 2 * textMargin;
  const int rowHeight = list.fontMetrics().height() + 2 * textMargin;
  const bool scrolls = lineCount * rowHeight > list.viewport()->height();
  if (scrolls && list.verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
      !list.verticalScrollBar()->isVisible()) {
    width -= style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
  }
  return width;
}

void MakePathList(QListWidget& list) {
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list.setTextElideMode(Qt::ElideNone);
}

void MakePathLabel(QLabel& label, int minimumWidth) {
  label.setMinimumWidth(minimumWidth);
  label.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  label.setTextFormat(Qt::PlainText);
}

}  // namespace corvane
