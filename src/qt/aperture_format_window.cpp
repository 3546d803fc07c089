#include "qt/aperture_format_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace corvane {

using A = CApertureFormatDlg;

CApertureFormatWindow::CApertureFormatWindow(CApertureFormatDlg& dialog, HelpFunction help,
                                             QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQString(kApertureFormatTitle));
  auto* grid = new QGridLayout;
  QLabel* label = nullptr;
  multiplier_ = MakeEdit(this, kFileMultiplierLabel, kIdMultiplierEdit, &label);
  grid->addWidget(label, 0, 0);
  grid->addWidget(multiplier_, 0, 1);
  extension_ = MakeEdit(this, kFileExtensionLabel, kIdExtensionEdit, &label);
  grid->addWidget(label, 1, 0);
  grid->addWidget(extension_, 1, 1);
  types_ = MakeList(this, kApertureTypesLabel, A::kTypeListId, &label);
  grid->addWidget(label, 2, 0, 1, 2);
  grid->addWidget(types_, 3, 0, 1, 2);
  identifier_ = MakeEdit(this, kIdentifierLabel, A::kIdentifierEditId, &label);
  grid->addWidget(label, 4, 0);
  grid->addWidget(identifier_, 4, 1);
  grid->setRowStretch(5, 1);
  for (const auto& [edit, id] :
       {std::pair{multiplier_, kIdMultiplierEdit}, std::pair{extension_, kIdExtensionEdit},
        std::pair{identifier_, A::kIdentifierEditId}}) {
    const int32_t controlId = id;
    // Every change of the text, typed or set through the accessibility
    // interface; the dialog's own texts come back unchanged.
    connect(edit, &QLineEdit::textChanged, this, [this, controlId](const QString& text) {
      dialog_.OnEditChange(controlId, text.toStdString());
      Refresh();
    });
  }
  std::vector<std::string_view> names;
  for (int type = 0; type < kApertureFormatCount; ++type) names.push_back(A::TypeName(type));
  ShowLines(*types_, names, dialog_.TypeSelection());
  types_->setMaximumHeight(types_->sizeHintForRow(0) * (kApertureFormatCount + 1));
  connect(types_, &QListWidget::itemSelectionChanged, this, [this] {
    dialog_.OnTypeSelChange(SelectedRow(*types_));
    Refresh();
  });

  order_ = LayOutTableFormatWindow(
      *this, grid, dialog_, [this] { Refresh(); }, help);
  Refresh();
}

void CApertureFormatWindow::Refresh() {
  ShowText(*multiplier_, dialog_.EditText(kIdMultiplierEdit));
  ShowText(*extension_, dialog_.EditText(kIdExtensionEdit));
  ShowText(*identifier_, dialog_.EditText(A::kIdentifierEditId));
  if (SelectedRow(*types_) != dialog_.TypeSelection()) {
    const QSignalBlocker block(types_);
    types_->setCurrentRow(dialog_.TypeSelection(), QItemSelectionModel::ClearAndSelect);
  }
  ShowFieldOrder(order_, dialog_.Order());
  ApplyFocusRequest(*this, dialog_);
}

void CApertureFormatWindow::accept() {
  if (dialog_.OnOK()) {
    QDialog::accept();
  } else {
    Refresh();
  }
}

DialogResult CApertureFormatWindow::Run(CApertureFormatDlg& dialog, const HelpFunction& help,
                                        QWidget* parent) {
  CApertureFormatWindow window(dialog, help, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
