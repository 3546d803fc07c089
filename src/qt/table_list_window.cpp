#include "qt/table_list_window.h"

#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/command_ids.h"
#include "qt/dialog_fit.h"

namespace corvane {
namespace {

constexpr int kPathWidth = 300;

// The average character width of a font, as dialog units are measured: the
// mean advance of the 52 letters.
double AverageCharWidth(const QFont& font) {
  static const QString kLetters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return QFontMetricsF(font).horizontalAdvance(kLetters) / kLetters.size();
}

// Draws a line's pieces at the tab stops the core laid them out at.
class TabbedItemDelegate : public QStyledItemDelegate {
 public:
  TabbedItemDelegate(const std::vector<int32_t>& stops, QObject* parent)
      : QStyledItemDelegate(parent), stops_(stops) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString line = plain.text;
    plain.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : nullptr;
    if (style == nullptr) return;
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &plain, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    painter->save();
    painter->setFont(option.font);
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    for (const TabbedPiece& piece :
         LayOutTabbedLine(line.toStdString(), stops_, MeasureIn(*widget))) {
      const int left = text.left() + margin + piece.x;
      painter->drawText(
          QRect(left, text.top(), std::max(0, text.right() + 1 - left), text.height()),
          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(piece.text));
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // As wide as the laid-out line, not as its text with the tabs in it.
    const QWidget* widget = option.widget;
    if (widget == nullptr) return size;
    const TextWidthFunction measure = MeasureIn(*widget);
    const std::vector<TabbedPiece> pieces =
        LayOutTabbedLine(index.data().toString().toStdString(), stops_, measure);
    const int margin = widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget);
    const int width = pieces.empty() ? 0 : pieces.back().x + measure(pieces.back().text);
    size.setWidth(width + 2 * (margin + 1));
    return size;
  }

 private:
  const std::vector<int32_t>& stops_;
};

QPushButton* MakeButton(std::string_view text, int32_t id, QWidget* parent) {
  auto* button = new QPushButton(ToQString(text), parent);
  button->setObjectName(QStringLiteral("button%1").arg(id));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CTableListWindow::CTableListWindow(CTableListDlg& dialog, std::function<void(int32_t)> help,
                                   QWidget* parent)
    : QDialog(parent), dialog_(dialog), openHelp_(std::move(help)) {
  setWindowTitle(ToQString(dialog_.Title()));
  fileName_ = new QLabel(this);
  fileName_->setObjectName(QStringLiteral("text%1").arg(dialog_.FileNameId()));
  MakePathLabel(*fileName_, kPathWidth);
  auto* fileLabel = new QLabel(ToQString(dialog_.FileLabel()), this);
  fileLabel->setBuddy(fileName_);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("list%1").arg(dialog_.ListId()));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAccessibleName(ToQString(dialog_.ListLabel()));
  list_->setMinimumSize(kPathWidth + 60, 200);
  list_->setItemDelegate(new TabbedItemDelegate(stops_, list_));
  auto* listLabel = new QLabel(ToQString(dialog_.ListLabel()), this);
  listLabel->setBuddy(list_);
  auto* heading = new QLabel(ToQString(dialog_.Heading()), this);
  heading->setTextFormat(Qt::PlainText);

  load_ = MakeButton(CTableListDlg::kLoadText, dialog_.LoadId(), this);
  help_ = MakeButton("Help", kIdHelp, this);
  auto* ok = MakeButton("OK", 1, this);
  ok->setDefault(true);
  connect(load_, &QPushButton::clicked, this, [this] {
    dialog_.OnLoad();
    ShowState();
  });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (openHelp_) openHelp_(dialog_.ResourceId());
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* file = new QHBoxLayout;
  file->addWidget(fileLabel);
  file->addWidget(fileName_, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(ok);
  side->addWidget(load_);
  side->addWidget(help_);
  side->addStretch(1);
  auto* grid = new QGridLayout;
  grid->addWidget(listLabel, 0, 0);
  grid->addWidget(heading, 1, 0);
  grid->addWidget(list_, 2, 0);
  grid->addLayout(side, 2, 1);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(0, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file);
  layout->addLayout(grid, 1);
}

void CTableListWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (filled_) return;
  // Only now have the texts their real widths.
  filled_ = true;
  const double average = AverageCharWidth(list_->font());
  stops_.clear();
  for (const int32_t units : dialog_.TabStops()) {
    stops_.push_back(DialogUnitsToPixels(units, average));
  }
  dialog_.OnInitDialog(fileName_->contentsRect().width(), MeasureIn(*fileName_));
  ShowState();
}

void CTableListWindow::ShowState() {
  fileName_->setText(ToQString(dialog_.ShownFileName()));
  fileName_->setToolTip(ToQString(dialog_.FileName()));
  list_->clear();
  for (const std::string& line : dialog_.ListLines()) list_->addItem(ToQString(line));
}

DialogResult CTableListWindow::Run(CTableListDlg& dialog, std::function<void(int32_t)> help,
                                   QWidget* parent) {
  CTableListWindow window(dialog, std::move(help), parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
