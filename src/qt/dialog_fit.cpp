#include "qt/dialog_fit.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>

namespace corvane {

QString QtText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TextWidthFunction MeasureIn(const QWidget& widget) {
  return [metrics = widget.fontMetrics()](std::string_view text) {
    return static_cast<int32_t>(metrics.horizontalAdvance(QtText(text)));
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

void MakePathLabel(QLabel& label, int minimumWidth) {
  label.setMinimumWidth(minimumWidth);
  label.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  label.setTextFormat(Qt::PlainText);
}

}  // namespace corvane
