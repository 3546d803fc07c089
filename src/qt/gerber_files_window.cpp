#include "qt/gerber_files_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_ids.h"
#include "document/corvane_doc.h"
#include "qt/color_combo_box.h"
#include "qt/dialog_fit.h"

namespace corvane {
namespace {

constexpr int kListWidth = 360;

// The colour picture: a small palette of the first nine layer colours.
QIcon PaletteIcon() {
  constexpr int kCell = 6;
  constexpr int kSide = 3 * kCell + 2;
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::black);
  QPainter painter(&pixmap);
  for (int i = 0; i < 9; ++i) {
    const Rgb rgb = RgbOf(CCorvaneDoc::DefaultLayerColor(i));
    painter.fillRect(1 + (i % 3) * kCell, 1 + (i / 3) * kCell, kCell - 1, kCell - 1,
                     QColor(rgb.red, rgb.green, rgb.blue));
  }
  return QIcon(pixmap);
}

QLabel* BuddyLabel(std::string_view text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

CGerberFilesWindow::CGerberFilesWindow(CGerberFilesDlg& dialog, std::function<void(int32_t)> help,
                                       QWidget* parent)
    : QDialog(parent), dialog_(dialog), openHelp_(std::move(help)) {
  setWindowTitle(ToQString(CGerberFilesDlg::kTitle));
  list_ = new QListWidget(this);
  MakePathList(*list_);
  list_->setObjectName(QStringLiteral("list%1").arg(CGerberFilesDlg::kListId));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAccessibleName(ToQString(CGerberFilesDlg::kListLabel));
  list_->setMinimumSize(kListWidth, 140);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    const int row = selected.isEmpty() ? -1 : list_->row(selected.front());
    Do([this, row] { dialog_.OnSelChange(row); });
  });

  auto* side = new QVBoxLayout;
  const std::pair<std::string_view, int32_t> buttons[] = {
      {CGerberFilesDlg::kAddFileText, CGerberFilesDlg::kAddFileId},
      {CGerberFilesDlg::kRemoveText, CGerberFilesDlg::kRemoveId},
      {CGerberFilesDlg::kMoveUpText, CGerberFilesDlg::kMoveUpId},
      {CGerberFilesDlg::kMoveDownText, CGerberFilesDlg::kMoveDownId}};
  for (const auto& [text, id] : buttons) side->addWidget(AddButton(text, id));
  side->addStretch(1);
  connect(Button(CGerberFilesDlg::kAddFileId), &QPushButton::clicked, this,
          [this] { Do([this] { dialog_.OnAddFile(); }); });
  connect(Button(CGerberFilesDlg::kRemoveId), &QPushButton::clicked, this,
          [this] { Do([this] { dialog_.OnRemove(); }); });
  connect(Button(CGerberFilesDlg::kMoveUpId), &QPushButton::clicked, this,
          [this] { Do([this] { dialog_.OnMoveUp(); }); });
  connect(Button(CGerberFilesDlg::kMoveDownId), &QPushButton::clicked, this,
          [this] { Do([this] { dialog_.OnMoveDown(); }); });

  auto* top = new QGridLayout;
  top->addWidget(BuddyLabel(CGerberFilesDlg::kListLabel, list_, this), 0, 0);
  top->addWidget(list_, 1, 0);
  top->addLayout(side, 1, 1);
  top->setColumnStretch(0, 1);

  auto* box = new QDialogButtonBox(this);
  box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  QPushButton* helpButton = box->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
  helpButton->setObjectName(QStringLiteral("button%1").arg(kIdHelp));
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] {
    if (openHelp_) openHelp_(dialog_.ResourceId());
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(MakeColorRow());
  layout->addLayout(MakeOffsetRows());
  layout->addWidget(box);
}

QPushButton* CGerberFilesWindow::AddButton(std::string_view text, int32_t id) {
  auto* button = new QPushButton(ToQString(text), this);
  button->setObjectName(QStringLiteral("button%1").arg(id));
  button->setAutoDefault(false);
  buttons_ << button;
  return button;
}

QPushButton* CGerberFilesWindow::Button(int32_t id) const {
  const QString name = QStringLiteral("button%1").arg(id);
  for (QPushButton* button : buttons_) {
    if (button->objectName() == name) return button;
  }
  return nullptr;
}

QLayout* CGerberFilesWindow::MakeColorRow() {
  colors_ = new CColorComboBox(dialog_.Colors(), this);
  colors_->setObjectName(QStringLiteral("combo%1").arg(CGerberFilesDlg::kColorListId));
  colors_->setMinimumWidth(160);
  // A list box is read out by its label, not by the colour it shows.
  colors_->setAccessibleName(ToQString(CGerberFilesDlg::kFileColorLabel));
  connect(colors_, &CColorComboBox::colorChosen, this,
          [this](int index) { Do([this, index] { dialog_.OnColorSelChange(index); }); });
  connect(colors_, &CColorComboBox::keyStep, this,
          [this](CColorCombo::Key key) { Do([this, key] { dialog_.OnColorListKey(key); }); });

  picture_ = new QToolButton(this);
  picture_->setObjectName(QStringLiteral("picture%1").arg(CGerberFilesDlg::kColorPictureId));
  picture_->setIcon(PaletteIcon());
  picture_->setIconSize(QSize(20, 20));
  picture_->setAutoRaise(true);
  picture_->setToolTip(QStringLiteral("Other Color"));
  picture_->setAccessibleName(QStringLiteral("Other Color"));
  connect(picture_, &QToolButton::clicked, this,
          [this] { Do([this] { dialog_.OnColorPicture(); }); });

  auto* row = new QHBoxLayout;
  row->addWidget(BuddyLabel(CGerberFilesDlg::kFileColorLabel, colors_, this));
  row->addWidget(colors_);
  row->addWidget(picture_);
  row->addStretch(1);
  return row;
}

QLayout* CGerberFilesWindow::MakeOffsetRows() {
  mirrorX_ = new QCheckBox(ToQString(CGerberFilesDlg::kMirrorOnXAxisText), this);
  mirrorX_->setObjectName(QStringLiteral("check%1").arg(CGerberFilesDlg::kMirrorXId));
  mirrorY_ = new QCheckBox(ToQString(CGerberFilesDlg::kMirrorOnYAxisText), this);
  mirrorY_->setObjectName(QStringLiteral("check%1").arg(CGerberFilesDlg::kMirrorYId));
  connect(mirrorX_, &QCheckBox::clicked, this,
          [this](bool checked) { Do([this, checked] { dialog_.OnMirrorXClicked(checked); }); });
  connect(mirrorY_, &QCheckBox::clicked, this,
          [this](bool checked) { Do([this, checked] { dialog_.OnMirrorYClicked(checked); }); });

  offsetX_ = new QLineEdit(this);
  offsetX_->setObjectName(QStringLiteral("edit%1").arg(CGerberFilesDlg::kOffsetXId));
  offsetY_ = new QLineEdit(this);
  offsetY_->setObjectName(QStringLiteral("edit%1").arg(CGerberFilesDlg::kOffsetYId));
  for (QLineEdit* edit : {offsetX_, offsetY_}) edit->setMaximumWidth(100);
  // Every change of the text, typed or set by assistive technology; the
  // dialog's own texts come back unchanged.
  connect(offsetX_, &QLineEdit::textChanged, this,
          [this](const QString& text) { dialog_.OnOffsetXEdited(text.toStdString()); });
  connect(offsetY_, &QLineEdit::textChanged, this,
          [this](const QString& text) { dialog_.OnOffsetYEdited(text.toStdString()); });

  auto* grid = new QGridLayout;
  grid->addWidget(mirrorX_, 0, 0, 1, 2);
  grid->addWidget(mirrorY_, 0, 2, 1, 2);
  grid->addWidget(BuddyLabel(CGerberFilesDlg::kXOffsetLabel, offsetX_, this), 1, 0);
  grid->addWidget(offsetX_, 1, 1);
  grid->addWidget(new QLabel(ToQString(CGerberFilesDlg::kOffsetUnitLabel), this), 1, 2);
  grid->addWidget(BuddyLabel(CGerberFilesDlg::kYOffsetLabel, offsetY_, this), 2, 0);
  grid->addWidget(offsetY_, 2, 1);
  grid->addWidget(new QLabel(ToQString(CGerberFilesDlg::kOffsetUnitLabel), this), 2, 2);
  grid->setColumnStretch(3, 1);
  return grid;
}

void CGerberFilesWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (filled_) return;
  // Only now has the list its real width to shorten the paths to.
  filled_ = true;
  const int lines = static_cast<int>(dialog_.Entries().size());
  dialog_.OnInitDialog(ListTextWidth(*list_, lines), MeasureIn(*list_));
  ShowState();
  list_->setFocus();
}

void CGerberFilesWindow::Do(const std::function<void()>& rule) {
  rule();
  ShowState();
}

void CGerberFilesWindow::FillList() {
  const QSignalBlocker block(list_);
  list_->clear();
  const std::vector<std::string>& lines = dialog_.ListLines();
  const std::vector<PlotLayer>& entries = dialog_.Entries();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto* item = new QListWidgetItem(ToQString(lines[i]), list_);
    if (i < entries.size()) item->setToolTip(ToQString(entries[i].fileName));
  }
  shownRevision_ = dialog_.ListRevision();
}

void CGerberFilesWindow::ShowState() {
  if (shownRevision_ != dialog_.ListRevision()) FillList();
  {
    const QSignalBlocker block(list_);
    const int row = dialog_.ListSelection();
    list_->clearSelection();
    if (row >= 0 && row < list_->count()) {
      list_->setCurrentRow(row);
      list_->item(row)->setSelected(true);
    }
  }
  const bool enabled = dialog_.AreEntryControlsEnabled();
  for (QWidget* widget : std::initializer_list<QWidget*>{
           colors_, picture_, mirrorX_, mirrorY_, offsetX_, offsetY_,
           Button(CGerberFilesDlg::kRemoveId), Button(CGerberFilesDlg::kMoveUpId),
           Button(CGerberFilesDlg::kMoveDownId)}) {
    widget->setEnabled(enabled);
  }
  colors_->ShowState();
  mirrorX_->setChecked(dialog_.IsMirrorXChecked());
  mirrorY_->setChecked(dialog_.IsMirrorYChecked());
  // Only a changed text is set, so typing keeps its cursor.
  if (offsetX_->text().toStdString() != dialog_.OffsetXText()) {
    offsetX_->setText(ToQString(dialog_.OffsetXText()));
  }
  if (offsetY_->text().toStdString() != dialog_.OffsetYText()) {
    offsetY_->setText(ToQString(dialog_.OffsetYText()));
  }
  if (const auto field = dialog_.TakeFocusRequest()) {
    QLineEdit* edit = *field == CGerberFilesDlg::kOffsetYId ? offsetY_ : offsetX_;
    edit->setFocus();
    edit->selectAll();
  }
}

void CGerberFilesWindow::accept() {
  const bool ok = dialog_.OnOK();
  ShowState();
  if (ok) QDialog::accept();
}

DialogResult CGerberFilesWindow::Run(CGerberFilesDlg& dialog, std::function<void(int32_t)> help,
                                     QWidget* parent) {
  CGerberFilesWindow window(dialog, std::move(help), parent);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace corvane
