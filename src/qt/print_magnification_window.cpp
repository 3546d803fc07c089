#include "qt/print_magnification_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

CPrintMagnificationWindow::CPrintMagnificationWindow(CPrintMagnificationDlg& dialog,
                                                     QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(QStringLiteral("Print Magnification"));
  dialog_.OnInitDialog();

  auto* label = new QLabel(QStringLiteral("Multiplier"), this);
  edit_ = new QLineEdit(QString::fromStdString(dialog_.multiplierText), this);
  edit_->setObjectName(QStringLiteral("edit%1").arg(CPrintMagnificationDlg::kIdMultiplier));
  edit_->setAccessibleName(QStringLiteral("Multiplier"));
  label->setBuddy(edit_);
  // About 42 dialog units: room for a dozen digits.
  edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
  connect(edit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { dialog_.multiplierText = text.toStdString(); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* field = new QHBoxLayout;
  field->addWidget(label);
  field->addWidget(edit_);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(field);
  layout->addSpacing(16);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  edit_->selectAll();
}

void CPrintMagnificationWindow::accept() {
  dialog_.multiplierText = edit_->text().toStdString();
  if (dialog_.OnOK()) {
    QDialog::accept();
    return;
  }
  // The dialog stays open with the refused text selected in its edit.
  edit_->setFocus();
  edit_->selectAll();
}

DialogResult RunPrintMagnificationWindow(CPrintMagnificationDlg& dialog, QWidget* parent) {
  CPrintMagnificationWindow window(dialog, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
