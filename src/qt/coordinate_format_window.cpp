#include "qt/coordinate_format_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace corvane {

using D = CCoordinateFormatDlg;

CCoordinateFormatWindow::CCoordinateFormatWindow(CCoordinateFormatDlg& dialog, HelpFunction help,
                                                 QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQString(dialog.Title()));
  auto* fields = new QGridLayout;
  struct EditRow {
    QLineEdit** edit;
    int32_t id;
    std::string_view label;
    bool unit;  // the offsets' unit label behind the edit
  };
  const EditRow rows[] = {
      {&multiplier_, kIdMultiplierEdit, kFileMultiplierLabel, false},
      {&offsetX_, D::kOffsetXEditId, kHorizontalOffsetLabel, true},
      {&offsetY_, D::kOffsetYEditId, kVerticalOffsetLabel, true},
      {&extension_, kIdExtensionEdit, kFileExtensionLabel, false},
  };
  QLabel* label = nullptr;
  int row = 0;
  for (const EditRow& r : rows) {
    *r.edit = MakeEdit(this, r.label, r.id, &label);
    fields->addWidget(label, row, 0);
    fields->addWidget(*r.edit, row, 1);
    if (r.unit) fields->addWidget(new QLabel(ToQString(kOffsetUnitLabel), this), row, 2);
    ++row;
    const int32_t id = r.id;
    // Every change of the text, typed or set through the accessibility
    // interface; the dialog's own texts come back unchanged.
    connect(*r.edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
      dialog_.OnEditChange(id, text.toStdString());
      Refresh();
    });
  }

  formats_ = MakeList(this, kNumberFormatLabel, D::kNumberFormatListId, &label);
  formats_->setMaximumWidth(formats_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
  auto* formatColumn = new QVBoxLayout;
  formatColumn->addWidget(label);
  formatColumn->addWidget(formats_);
  connect(formats_, &QListWidget::itemSelectionChanged, this, [this] {
    dialog_.OnNumberFormatSelChange(SelectedRow(*formats_));
    Refresh();
  });

  auto* group = new QGroupBox(ToQString(kDigitSuppressionGroup), this);
  auto* checks = new QHBoxLayout(group);
  const auto addCheck = [&](int32_t id, std::string_view text) {
    auto* box = new QCheckBox(ToQString(text), group);
    box->setObjectName(QStringLiteral("check%1").arg(id));
    checks->addWidget(box);
    connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
      dialog_.OnCheckClicked(id, checked);
      Refresh();
    });
    return box;
  };
  leading_ = addCheck(D::kLeadingCheckId, kLeadingZeroLabel);
  trailing_ = addCheck(D::kTrailingCheckId, kTrailingZeroLabel);

  QPushButton* defaults = MakeButton(this, kDefaultsButton, D::kDefaultsButtonId);
  connect(defaults, &QPushButton::clicked, this, [this] {
    dialog_.OnDefaults();
    Refresh();
  });
  auto* buttons = new QVBoxLayout;
  AddDialogButtons(*this, *buttons, defaults, help, dialog.ResourceId());

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(group);
  left->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(formatColumn);
  layout->addLayout(buttons);
  Refresh();
}

void CCoordinateFormatWindow::Refresh() {
  ShowText(*multiplier_, dialog_.EditText(kIdMultiplierEdit));
  ShowText(*offsetX_, dialog_.EditText(D::kOffsetXEditId));
  ShowText(*offsetY_, dialog_.EditText(D::kOffsetYEditId));
  ShowText(*extension_, dialog_.EditText(kIdExtensionEdit));
  ShowLines(*formats_, dialog_.NumberFormatTexts(), dialog_.NumberFormatSelection());
  leading_->setChecked(dialog_.IsChecked(D::kLeadingCheckId));
  trailing_->setChecked(dialog_.IsChecked(D::kTrailingCheckId));
  ApplyFocusRequest(*this, dialog_);
}

void CCoordinateFormatWindow::accept() {
  if (dialog_.OnOK()) {
    QDialog::accept();
  } else {
    Refresh();
  }
}

DialogResult CCoordinateFormatWindow::Run(CCoordinateFormatDlg& dialog, const HelpFunction& help,
                                          QWidget* parent) {
  CCoordinateFormatWindow window(dialog, help, parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
