#include "qt/fabrication_checks_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace corvane {

CFabricationChecksWindow::CFabricationChecksWindow(CFabricationChecksDlg& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(QStringLiteral("Fabrication Checks"));
  dialog_.OnInitDialog();
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    const QString label =
        QString::fromUtf8(CFabricationChecksDlg::Label(static_cast<RuleValue>(i)).data());
    auto* edit = new QLineEdit(QString::fromStdString(dialog_.texts[i]), this);
    edit->setAccessibleName(label);
    edit->setObjectName(QStringLiteral("%1").arg(QString::fromUtf8(
        RuleValueKey(static_cast<RuleValue>(i)).data(),
        static_cast<int>(RuleValueKey(static_cast<RuleValue>(i)).size()))));
    connect(edit, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { dialog_.texts[i] = text.toStdString(); });
    form->addRow(label, edit);
    edits_[i] = edit;
  }
  auto* note = new QLabel(QStringLiteral("Leave a value empty to leave its rule off."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void CFabricationChecksWindow::accept() {
  for (std::size_t i = 0; i < kRuleValueCount; ++i) dialog_.texts[i] = edits_[i]->text().toStdString();
  if (dialog_.OnOK()) {
    QDialog::accept();
    return;
  }
  if (const auto field = dialog_.FocusField()) {
    edits_[*field]->setFocus();
    edits_[*field]->selectAll();
  }
}

DialogResult RunFabricationChecksWindow(CFabricationChecksDlg& dialog, QWidget* parent) {
  CFabricationChecksWindow window(dialog, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
