#include "qt/offset_layer_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialog_fit.h"

namespace corvane {

COffsetLayerWindow::COffsetLayerWindow(COffsetLayerDlg& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQString(kOffsetLayerTitle));
  auto* prompt = new QLabel(ToQString(kOffsetLayerPrompt), this);
  list_ = new QListWidget(this);
  MakePathList(*list_);
  list_->setObjectName(QStringLiteral("list%1").arg(COffsetLayerDlg::kListId));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAccessibleName(ToQString(kOffsetLayerPrompt));
  list_->setMinimumWidth(320);
  prompt->setBuddy(list_);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    dialog_.OnSelChange(selected.isEmpty() ? -1 : list_->row(selected.front()));
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
}

void COffsetLayerWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (filled_) return;
  // Only now has the list its real width to shorten the paths to.
  filled_ = true;
  const std::vector<std::string>& names = dialog_.Names();
  dialog_.OnInitDialog(ListTextWidth(*list_, static_cast<int>(names.size())), MeasureIn(*list_));
  const QSignalBlocker block(list_);
  list_->clear();
  const std::vector<std::string>& lines = dialog_.ListLines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto* item = new QListWidgetItem(ToQString(lines[i]), list_);
    item->setToolTip(ToQString(names[i]));
  }
  list_->setFocus();
}

void COffsetLayerWindow::accept() {
  dialog_.OnOK();
  QDialog::accept();
}

DialogResult COffsetLayerWindow::Run(COffsetLayerDlg& dialog, QWidget* parent) {
  COffsetLayerWindow window(dialog, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
