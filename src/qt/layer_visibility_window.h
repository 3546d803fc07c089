#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/layer_visibility_dlg.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

// The Set Layer Visibility dialog's window over CLayerVisibilityDlg. Every
// click goes to the dialog's rules, which apply it to the view when the user
// asked for that; the window only mirrors the dialog's state.
class CLayerVisibilityWindow : public QDialog {
  Q_OBJECT

 public:
  // `help` opens the help topic of a dialog resource number.
  CLayerVisibilityWindow(CLayerVisibilityDlg& dialog, std::function<void(int32_t)> help,
                         QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  QCheckBox* ShowDrillHolesBox() const { return showDrillHoles_; }
  QCheckBox* AutoApplyBox() const { return autoApply_; }
  QPushButton* SelectAllButton() const { return selectAll_; }
  QPushButton* DeselectAllButton() const { return deselectAll_; }
  QPushButton* HelpButton() const { return help_; }
  QLabel* ApertureFileText() const { return apertureFile_; }
  QLabel* NcDrillFileText() const { return ncDrillFile_; }
  QLabel* DrillToolFileText() const { return drillToolFile_; }
  void accept() override;

  static DialogResult Run(CLayerVisibilityDlg& dialog, std::function<void(int32_t)> help,
                          QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Fill();
  void ShowSelection();
  QLabel* AddFileRow(QGridLayout& grid, int row, std::string_view label, int32_t id);

  CLayerVisibilityDlg& dialog_;
  std::function<void(int32_t)> openHelp_;
  QListWidget* list_ = nullptr;
  QPushButton* selectAll_ = nullptr;
  QPushButton* deselectAll_ = nullptr;
  QPushButton* help_ = nullptr;
  QCheckBox* showDrillHoles_ = nullptr;
  QCheckBox* autoApply_ = nullptr;
  QLabel* apertureFile_ = nullptr;
  QLabel* ncDrillFile_ = nullptr;
  QLabel* drillToolFile_ = nullptr;
  bool filled_ = false;
};

}  // namespace corvane
