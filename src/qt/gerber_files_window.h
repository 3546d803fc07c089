#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/gerber_files_dlg.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace corvane {

class CColorComboBox;

// The Gerber Files dialog's window over CGerberFilesDlg. Every event goes to
// the dialog's rules; afterwards the window shows what the dialog holds.
class CGerberFilesWindow : public QDialog {
  Q_OBJECT

 public:
  // `help` opens the help topic of a dialog resource number.
  CGerberFilesWindow(CGerberFilesDlg& dialog, std::function<void(int32_t)> help,
                     QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  CColorComboBox* ColorList() const { return colors_; }
  QToolButton* ColorPicture() const { return picture_; }
  QCheckBox* MirrorXBox() const { return mirrorX_; }
  QCheckBox* MirrorYBox() const { return mirrorY_; }
  QLineEdit* OffsetXEdit() const { return offsetX_; }
  QLineEdit* OffsetYEdit() const { return offsetY_; }
  QPushButton* Button(int32_t id) const;

  // OK stays open while an offset field holds no integer.
  void accept() override;

  static DialogResult Run(CGerberFilesDlg& dialog, std::function<void(int32_t)> help,
                          QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* AddButton(std::string_view text, int32_t id);
  QLayout* MakeColorRow();
  QLayout* MakeOffsetRows();
  // Runs a rule of the dialog, then shows its state.
  void Do(const std::function<void()>& rule);
  void ShowState();
  void FillList();

  CGerberFilesDlg& dialog_;
  std::function<void(int32_t)> openHelp_;
  QListWidget* list_ = nullptr;
  CColorComboBox* colors_ = nullptr;
  QToolButton* picture_ = nullptr;
  QCheckBox* mirrorX_ = nullptr;
  QCheckBox* mirrorY_ = nullptr;
  QLineEdit* offsetX_ = nullptr;
  QLineEdit* offsetY_ = nullptr;
  QList<QPushButton*> buttons_;
  int32_t shownRevision_ = -1;
  bool filled_ = false;
};

}  // namespace corvane
