#include "qt/place_list_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/place_list.h"
#include "qt/qt_text.h"

namespace corvane {

CPlaceListPanel::CPlaceListPanel(const QString& title, PlaceList& list, QWidget* parent)
    : QDockWidget(title, parent), list_(list) {
  setObjectName(title + QStringLiteral("Panel"));
  setAccessibleName(title);
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  lines_ = new QTreeWidget(body);
  lines_->setAccessibleName(title + QStringLiteral(" list"));
  lines_->setRootIsDecorated(false);
  lines_->setUniformRowHeights(true);
  lines_->setSelectionMode(QAbstractItemView::SingleSelection);
  QStringList headers;
  for (const std::string& column : list_.Columns()) headers << ToQString(column);
  lines_->setHeaderLabels(headers);
  lines_->header()->setStretchLastSection(true);
  summary_ = new QLabel(body);
  summary_->setAccessibleName(title + QStringLiteral(" summary"));
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lines_);
  layout->addWidget(summary_);
  setWidget(body);

  // A line chosen by the user goes to the core; one the core made current
  // only moves the selection.
  connect(lines_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (updating_ || item == nullptr) return;
    list_.Choose(static_cast<std::size_t>(lines_->indexOfTopLevelItem(item)));
  });
  connect(lines_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) list_.Choose(static_cast<std::size_t>(lines_->indexOfTopLevelItem(item)));
  });
  list_.OnChanged([this] { Rebuild(); });
  Rebuild();
}

CPlaceListPanel::~CPlaceListPanel() { list_.OnChanged({}); }

QString CPlaceListPanel::SummaryText() const { return summary_->text(); }

void CPlaceListPanel::Rebuild() {
  updating_ = true;
  const auto& rows = list_.Rows();
  if (lines_->topLevelItemCount() != static_cast<int>(rows.size())) {
    lines_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const PlaceRow& row : rows) {
      QStringList texts;
      for (const std::string& text : row.texts) texts << ToQString(text);
      items << new QTreeWidgetItem(texts);
    }
    lines_->addTopLevelItems(items);
  } else {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QTreeWidgetItem* item = lines_->topLevelItem(static_cast<int>(i));
      for (std::size_t c = 0; c < rows[i].texts.size(); ++c) {
        item->setText(static_cast<int>(c), ToQString(rows[i].texts[c]));
      }
    }
  }
  summary_->setText(ToQString(list_.Summary()));
  ShowCurrent();
  updating_ = false;
}

void CPlaceListPanel::ShowCurrent() {
  const auto current = list_.Current();
  if (!current || *current >= static_cast<std::size_t>(lines_->topLevelItemCount())) {
    lines_->clearSelection();
    lines_->setCurrentItem(nullptr);
    return;
  }
  QTreeWidgetItem* item = lines_->topLevelItem(static_cast<int>(*current));
  lines_->setCurrentItem(item);
  lines_->scrollToItem(item);
}

}  // namespace corvane
