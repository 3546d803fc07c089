#include "qt/layer_visibility_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialog_fit.h"

namespace corvane {
namespace {

constexpr int kPathWidth = 300;

QPushButton* MakeButton(std::string_view text, int32_t id, QWidget* parent) {
  auto* button = new QPushButton(ToQString(text), parent);
  button->setObjectName(QStringLiteral("button%1").arg(id));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CLayerVisibilityWindow::CLayerVisibilityWindow(CLayerVisibilityDlg& dialog,
                                               std::function<void(int32_t)> help, QWidget* parent)
    : QDialog(parent), dialog_(dialog), openHelp_(std::move(help)) {
  setWindowTitle(ToQString(kLayerVisibilityTitle));
  list_ = new QListWidget(this);
  MakePathList(*list_);
  list_->setObjectName(QStringLiteral("list%1").arg(CLayerVisibilityDlg::kListId));
  // A click toggles a line, as in a multiple-selection list box.
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  list_->setAccessibleName(QStringLiteral("Layers"));
  list_->setMinimumSize(kPathWidth, 160);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    std::vector<int32_t> rows;
    for (const QListWidgetItem* item : list_->selectedItems()) rows.push_back(list_->row(item));
    dialog_.OnSelChange(rows);
  });

  selectAll_ = MakeButton(kSelectAllText, CLayerVisibilityDlg::kSelectAllId, this);
  deselectAll_ = MakeButton(kDeselectAllText, CLayerVisibilityDlg::kDeselectAllId, this);
  help_ = MakeButton("Help", CLayerVisibilityDlg::kHelpId, this);
  connect(selectAll_, &QPushButton::clicked, this, [this] {
    dialog_.OnSelectAll();
    ShowSelection();
  });
  connect(deselectAll_, &QPushButton::clicked, this, [this] {
    dialog_.OnDeselectAll();
    ShowSelection();
  });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (openHelp_) openHelp_(dialog_.ResourceId());
  });

  showDrillHoles_ = new QCheckBox(ToQString(kShowDrillHolesText), this);
  showDrillHoles_->setObjectName(
      QStringLiteral("check%1").arg(CLayerVisibilityDlg::kShowDrillHolesId));
  autoApply_ = new QCheckBox(ToQString(kAutoApplyText), this);
  autoApply_->setObjectName(QStringLiteral("check%1").arg(CLayerVisibilityDlg::kAutoApplyId));
  connect(showDrillHoles_, &QCheckBox::clicked, this,
          [this](bool checked) { dialog_.OnShowDrillHolesClicked(checked); });
  connect(autoApply_, &QCheckBox::clicked, this,
          [this](bool checked) { dialog_.OnAutoApplyClicked(checked); });

  auto* side = new QVBoxLayout;
  side->addWidget(selectAll_);
  side->addWidget(deselectAll_);
  side->addStretch(1);
  side->addWidget(help_);
  auto* top = new QHBoxLayout;
  top->addWidget(list_, 1);
  top->addLayout(side);

  auto* files = new QGridLayout;
  apertureFile_ = AddFileRow(*files, 0, kApertureFileLabel, CLayerVisibilityDlg::kApertureFileId);
  ncDrillFile_ = AddFileRow(*files, 1, kNcDrillFileLabel, CLayerVisibilityDlg::kNcDrillFileId);
  drillToolFile_ =
      AddFileRow(*files, 2, kDrillToolFileLabel, CLayerVisibilityDlg::kDrillToolFileId);
  files->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(showDrillHoles_);
  layout->addWidget(autoApply_);
  layout->addLayout(files);
  layout->addWidget(buttons);
}

QLabel* CLayerVisibilityWindow::AddFileRow(QGridLayout& grid, int row, std::string_view label,
                                           int32_t id) {
  auto* caption = new QLabel(ToQString(label), this);
  auto* value = new QLabel(this);
  value->setObjectName(QStringLiteral("text%1").arg(id));
  MakePathLabel(*value, kPathWidth);
  // Read out as "NC Drill File: board.drl" rather than a bare path.
  caption->setBuddy(value);
  grid.addWidget(caption, row, 0);
  grid.addWidget(value, row, 1);
  return value;
}

void CLayerVisibilityWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (filled_) return;
  // Only now have the list and the texts their real widths.
  filled_ = true;
  Fill();
}

void CLayerVisibilityWindow::Fill() {
  const auto fitTo = [](const QLabel& label) {
    return CLayerVisibilityDlg::Fit{label.contentsRect().width(), MeasureIn(label)};
  };
  const std::vector<std::string>& names = dialog_.LayerNames();
  dialog_.OnInitDialog({ListTextWidth(*list_, static_cast<int>(names.size())), MeasureIn(*list_)},
                       fitTo(*apertureFile_), fitTo(*ncDrillFile_), fitTo(*drillToolFile_));
  struct FileText {
    QLabel* label;
    const std::string& shown;
    const std::string& full;
  };
  const FileText texts[] = {
      {apertureFile_, dialog_.ShownApertureFile(), dialog_.GetApertureFileName()},
      {ncDrillFile_, dialog_.ShownNcDrillFile(), dialog_.GetNcDrillFileName()},
      {drillToolFile_, dialog_.ShownDrillToolFile(), dialog_.GetDrillToolFileName()}};
  for (const FileText& text : texts) {
    text.label->setText(ToQString(text.shown));
    text.label->setToolTip(ToQString(text.full));
  }
  {
    const QSignalBlocker block(list_);
    list_->clear();
    const std::vector<std::string>& lines = dialog_.ListLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      auto* item = new QListWidgetItem(ToQString(lines[i]), list_);
      item->setToolTip(ToQString(names[i]));
    }
  }
  ShowSelection();
  showDrillHoles_->setVisible(dialog_.IsDrillHoleBoxShown());
  showDrillHoles_->setChecked(dialog_.GetShowDrillHoles() != 0);
  autoApply_->setChecked(dialog_.IsAutoApplyOn());
  list_->setFocus();
}

void CLayerVisibilityWindow::ShowSelection() {
  const QSignalBlocker block(list_);
  for (int row = 0; row < list_->count(); ++row) {
    list_->item(row)->setSelected(dialog_.IsLineSelected(row));
  }
}

void CLayerVisibilityWindow::accept() {
  dialog_.OnOK();
  QDialog::accept();
}

DialogResult CLayerVisibilityWindow::Run(CLayerVisibilityDlg& dialog,
                                         std::function<void(int32_t)> help, QWidget* parent) {
  CLayerVisibilityWindow window(dialog, std::move(help), parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
