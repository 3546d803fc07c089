#include "qt/drill_tool_format_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace corvane {

using T = CDrillToolFormatDlg;

CDrillToolFormatWindow::CDrillToolFormatWindow(CDrillToolFormatDlg& dialog, HelpFunction help,
                                               QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQString(kDrillToolFormatTitle));
  struct EditRow {
    QLineEdit** edit;
    int32_t id;
    std::string_view label;
  };
  const EditRow rows[] = {
      {&multiplier_, kIdMultiplierEdit, kFileMultiplierLabel},
      {&plated_, T::kPlatedEditId, kPlatedIdentifierLabel},
      {&unplated_, T::kUnplatedEditId, kUnplatedIdentifierLabel},
      {&extension_, kIdExtensionEdit, kFileExtensionLabel},
  };
  auto* grid = new QGridLayout;
  QLabel* label = nullptr;
  int row = 0;
  for (const EditRow& r : rows) {
    *r.edit = MakeEdit(this, r.label, r.id, &label);
    grid->addWidget(label, row, 0);
    grid->addWidget(*r.edit, row, 1);
    ++row;
    const int32_t id = r.id;
    // Every change of the text, typed or set through the accessibility
    // interface; the dialog's own texts come back unchanged.
    connect(*r.edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
      dialog_.OnEditChange(id, text.toStdString());
      Refresh();
    });
  }
  grid->setRowStretch(row, 1);

  order_ = LayOutTableFormatWindow(
      *this, grid, dialog_, [this] { Refresh(); }, help);
  Refresh();
}

void CDrillToolFormatWindow::Refresh() {
  ShowText(*multiplier_, dialog_.EditText(kIdMultiplierEdit));
  ShowText(*plated_, dialog_.EditText(T::kPlatedEditId));
  ShowText(*unplated_, dialog_.EditText(T::kUnplatedEditId));
  ShowText(*extension_, dialog_.EditText(kIdExtensionEdit));
  ShowFieldOrder(order_, dialog_.Order());
  ApplyFocusRequest(*this, dialog_);
}

void CDrillToolFormatWindow::accept() {
  if (dialog_.OnOK()) {
    QDialog::accept();
  } else {
    Refresh();
  }
}

DialogResult CDrillToolFormatWindow::Run(CDrillToolFormatDlg& dialog, const HelpFunction& help,
                                         QWidget* parent) {
  CDrillToolFormatWindow window(dialog, help, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
