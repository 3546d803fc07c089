#include "qt/format_window_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "dialogs/field_order_list.h"
#include "dialogs/format_dialog.h"
#include "qt/qt_text.h"

namespace corvane {
namespace {

template <typename Lines>
void ShowAnyLines(QListWidget& list, const Lines& lines, int32_t selection) {
  const QSignalBlocker block(&list);
  bool same = list.count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list.count(); ++i) {
    same = list.item(i)->text() == ToQString(lines[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    list.clear();
    for (const auto& line : lines) list.addItem(ToQString(line));
  }
  if (selection >= 0 && selection < list.count()) {
    list.setCurrentRow(selection, QItemSelectionModel::ClearAndSelect);
  } else {
    list.clearSelection();
  }
}

}  // namespace

QPushButton* MakeButton(QWidget* parent, std::string_view text, int32_t controlId) {
  auto* button = new QPushButton(ToQString(text), parent);
  button->setObjectName(QStringLiteral("button%1").arg(controlId));
  button->setAutoDefault(false);
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, std::string_view label, int32_t controlId, QLabel** labelOut) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QStringLiteral("edit%1").arg(controlId));
  edit->setAccessibleName(ToQString(label));
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
  auto* caption = new QLabel(ToQString(label), parent);
  caption->setBuddy(edit);
  if (labelOut != nullptr) *labelOut = caption;
  return edit;
}

QListWidget* MakeList(QWidget* parent, std::string_view label, int32_t controlId,
                      QLabel** labelOut) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QStringLiteral("list%1").arg(controlId));
  list->setAccessibleName(ToQString(label));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* caption = new QLabel(ToQString(label), parent);
  caption->setBuddy(list);
  if (labelOut != nullptr) *labelOut = caption;
  return list;
}

void ShowText(QLineEdit& edit, const std::string& text) {
  const QString shown = ToQString(text);
  if (edit.text() == shown) return;
  const QSignalBlocker block(&edit);
  edit.setText(shown);
}

void ShowLines(QListWidget& list, const std::vector<std::string>& lines, int32_t selection) {
  ShowAnyLines(list, lines, selection);
}

void ShowLines(QListWidget& list, const std::vector<std::string_view>& lines, int32_t selection) {
  ShowAnyLines(list, lines, selection);
}

int32_t SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

void AddDialogButtons(QDialog& window, QBoxLayout& column, QPushButton* defaults,
                      const HelpFunction& help, int32_t resource) {
  QPushButton* ok = MakeButton(&window, kOkButton, kIdOk);
  ok->setDefault(true);
  QPushButton* cancel = MakeButton(&window, kCancelButton, kIdCancel);
  QPushButton* helpButton = MakeButton(&window, kHelpButton, kIdHelpButton);
  QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
  QObject::connect(helpButton, &QPushButton::clicked, &window, [help, resource] {
    if (help) help(resource);
  });
  column.addWidget(ok);
  column.addWidget(cancel);
  column.addWidget(defaults);
  column.addWidget(helpButton);
  column.addStretch(1);
}

FieldOrderControls MakeFieldOrderControls(QWidget* parent) {
  FieldOrderControls c;
  c.list = MakeList(parent, kFieldOrderLabel, kIdFieldOrderList, &c.label);
  c.list->setMaximumWidth(c.list->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 18);
  c.moveUp = MakeButton(parent, kMoveUpButton, kIdMoveUpButton);
  c.moveDown = MakeButton(parent, kMoveDownButton, kIdMoveDownButton);
  c.addSkip = MakeButton(parent, kAddSkipButton, kIdAddSkipButton);
  c.deleteSkip = MakeButton(parent, kDeleteSkipButton, kIdDeleteSkipButton);
  return c;
}

void ShowFieldOrder(FieldOrderControls& controls, const FieldOrderList& order) {
  ShowLines(*controls.list, order.Lines(), order.Selection());
  controls.deleteSkip->setEnabled(order.IsDeleteSkipEnabled());
}

void ApplyFocusRequest(QWidget& window, CFormatDialog& dialog) {
  const std::optional<int32_t> request = dialog.TakeFocusRequest();
  if (!request) return;
  auto* edit = window.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(*request));
  if (edit == nullptr) return;
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

}  // namespace corvane
