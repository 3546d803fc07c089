#include "qt/layer_panel_dock.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QPixmap>
#include <QTimer>

#include "qt/qt_text.h"

namespace corvane {
namespace {

QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QIcon Swatch(uint32_t color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

int RowOf(QTreeWidget& list, QTreeWidgetItem* item) {
  return item == nullptr ? -1 : list.indexOfTopLevelItem(item);
}

}  // namespace

CLayerList::CLayerList(QWidget* parent) : QTreeWidget(parent) {
  setDragDropMode(QAbstractItemView::InternalMove);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void CLayerList::dropEvent(QDropEvent* event) {
  const int from = RowOf(*this, currentItem());
  QTreeWidgetItem* onto = itemAt(event->position().toPoint());
  int to = onto == nullptr ? topLevelItemCount() - 1 : RowOf(*this, onto);
  if (onto != nullptr && dropIndicatorPosition() == QAbstractItemView::BelowItem && to < from) ++to;
  if (onto != nullptr && dropIndicatorPosition() == QAbstractItemView::AboveItem && to > from) --to;
  // The panel moves the layer and the list is filled anew; the widget's own
  // move would put an item under another.
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (from >= 0 && to >= 0 && from != to) emit RowDropped(from, to);
}

CLayerPanelDock::CLayerPanelDock(LayerPanel& panel, QWidget* parent)
    : QDockWidget(QStringLiteral("Layers"), parent), panel_(panel) {
  setObjectName(QStringLiteral("layerPanel"));
  setAccessibleName(QStringLiteral("Layers"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  list_ = new CLayerList(this);
  list_->setObjectName(QStringLiteral("layerList"));
  list_->setAccessibleName(QStringLiteral("Layer list"));
  list_->setHeaderLabels({QStringLiteral("Layer"), QStringLiteral("Function"),
                          QStringLiteral("Colour")});
  list_->header()->setSectionResizeMode(kNameColumn, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(kFunctionColumn, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(kColorColumn, QHeaderView::Fixed);
  list_->header()->resizeSection(kColorColumn, 56);
  setWidget(list_);
  connect(list_, &QTreeWidget::itemChanged, this, &CLayerPanelDock::OnItemChanged);
  connect(list_, &QTreeWidget::itemClicked, this, &CLayerPanelDock::OnItemClicked);
  connect(list_, &CLayerList::RowDropped, this, [this](int from, int to) {
    panel_.MoveRow(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    QTimer::singleShot(0, this, &CLayerPanelDock::Refresh);
  });
  Refresh();
}

void CLayerPanelDock::Refresh() {
  const std::vector<LayerPanelRow> rows = panel_.Rows();
  if (rows == shown_) return;
  Fill(rows);
}

void CLayerPanelDock::Fill(const std::vector<LayerPanelRow>& rows) {
  filling_ = true;
  const int current = RowOf(*list_, list_->currentItem());
  list_->clear();
  for (const LayerPanelRow& row : rows) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(kNameColumn, ToQString(row.name));
    item->setText(kFunctionColumn, ToQString(row.function));
    item->setIcon(kColorColumn, Swatch(row.color));
    item->setToolTip(kColorColumn, QStringLiteral("Click to change the colour"));
    item->setData(kColorColumn, Qt::AccessibleTextRole,
                  QStringLiteral("Colour of %1").arg(ToQString(row.name)));
    item->setCheckState(kNameColumn, row.visible ? Qt::Checked : Qt::Unchecked);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    // Only layers move; the drill files are always drawn last.
    if (row.source == LayerPanelRow::Source::kLayer) flags |= Qt::ItemIsDragEnabled;
    item->setFlags(flags);
  }
  if (current >= 0 && current < list_->topLevelItemCount()) {
    list_->setCurrentItem(list_->topLevelItem(current));
  }
  shown_ = rows;
  filling_ = false;
}

void CLayerPanelDock::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (filling_ || column != kNameColumn) return;
  const int row = RowOf(*list_, item);
  if (row < 0) return;
  panel_.SetVisible(static_cast<std::size_t>(row), item->checkState(kNameColumn) == Qt::Checked);
  // The rule may refuse (beyond the twentieth shown layer): the list is
  // filled again with what it did, once the widget is done with the item.
  shown_.clear();
  QTimer::singleShot(0, this, &CLayerPanelDock::Refresh);
}

void CLayerPanelDock::OnItemClicked(QTreeWidgetItem* item, int column) {
  if (column != kColorColumn) return;
  const int row = RowOf(*list_, item);
  if (row < 0) return;
  panel_.ChooseColor(static_cast<std::size_t>(row));
  QTimer::singleShot(0, this, &CLayerPanelDock::Refresh);
}

}  // namespace corvane
