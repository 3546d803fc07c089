#include "qt/color_combo_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "qt/qt_text.h"

namespace corvane {
namespace {

QColor ToQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

ItemRect ToItemRect(const QRect& rect) {
  return ItemRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// Lines of the open list are drawn by the core's decisions; the line under
// the pointer or the keyboard is the one drawn with focus.
class ColorItemDelegate : public QStyledItemDelegate {
 public:
  ColorItemDelegate(const CColorComboBox& box, QObject* parent)
      : QStyledItemDelegate(parent), box_(box) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool focused = (option.state & QStyle::State_Selected) != 0;
    const ColorItemDrawing drawing =
        box_.Combo().DrawItem(index.row(), ToItemRect(option.rect), box_.isEnabled(), focused);
    painter->save();
    painter->setFont(option.font);
    PaintColorItem(*painter, drawing, option.rect);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Room for the swatch and the name after it.
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 4));
    size.setWidth(size.width() + 34);
    return size;
  }

 private:
  const CColorComboBox& box_;
};

}  // namespace

void PaintColorItem(QPainter& painter, const ColorItemDrawing& d, const QRect& rect) {
  painter.fillRect(rect, ToQColor(d.background));
  const QRect swatch(QPoint(d.swatch.left, d.swatch.top), QPoint(d.swatch.right, d.swatch.bottom));
  painter.fillRect(swatch, ToQColor(d.swatchColor));
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(ToQColor(d.outlineColor), 0));
  painter.setBrush(Qt::NoBrush);
  // Four lines through the corners, both ends of each drawn.
  const QPoint corners[] = {{d.outline.left, d.outline.top},
                            {d.outline.right, d.outline.top},
                            {d.outline.right, d.outline.bottom},
                            {d.outline.left, d.outline.bottom}};
  painter.drawPolygon(corners, 4);
  painter.setPen(ToQColor(d.textColor));
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(ToQColor(d.textBackground));
  const QRect textRect(d.textX, d.textY, std::max(0, rect.right() - d.textX),
                       std::max(0, rect.bottom() - d.textY));
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ToQString(d.text));
  painter.setBackgroundMode(Qt::TransparentMode);
}

CColorComboBox::CColorComboBox(CColorCombo& combo, QWidget* parent)
    : QComboBox(parent), combo_(combo) {
  setItemDelegate(new ColorItemDelegate(*this, this));
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(this, &QComboBox::activated, this, [this](int index) { emit colorChosen(index); });
  // A choice made without the popup (a screen reader or an input tool selects
  // the item) counts as well; ShowState sets the index with signals blocked.
  // Choosing the colour twice sets it twice, which changes nothing.
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) emit colorChosen(index);
  });
}

void CColorComboBox::ShowState() {
  if (count() != combo_.GetCount()) {
    const QSignalBlocker block(this);
    clear();
    for (int32_t i = 0; i < combo_.GetCount(); ++i) addItem(ToQString(combo_.GetItemName(i)));
  }
  {
    const QSignalBlocker block(this);
    setCurrentIndex(combo_.GetCurSel());
  }
  // Read out as the face shows it: a palette name or "Custom".
  setAccessibleDescription(ToQString(combo_.DrawFace(ToItemRect(rect()), isEnabled()).text));
  update();
}

void CColorComboBox::showPopup() {
  combo_.OnDropDown();
  update();
  QComboBox::showPopup();
}

void CColorComboBox::hidePopup() {
  QComboBox::hidePopup();
  combo_.OnCloseUp();
  update();
}

void CColorComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  PaintColorItem(painter, combo_.DrawFace(ToItemRect(field), isEnabled()), field);
}

void CColorComboBox::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  combo_.OnSetFocus();
  update();
}

void CColorComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // The open list takes the focus from the control; it still counts as
  // focused until the list closes.
  if (event->reason() == Qt::PopupFocusReason) return;
  combo_.OnKillFocus();
  update();
}

void CColorComboBox::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == 0;
  if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    emit keyStep(event->key() == Qt::Key_Up ? CColorCombo::Key::kUp : CColorCombo::Key::kDown);
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace corvane
