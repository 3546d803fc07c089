#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/table_list_dlg.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

// The window of the Aperture List and Drill Tool List dialogs over
// CTableListDlg: the file's name, the heading, the tabbed list, Load, Help
// and OK.
class CTableListWindow : public QDialog {
  Q_OBJECT

 public:
  // `help` opens the help topic of a dialog resource number.
  CTableListWindow(CTableListDlg& dialog, std::function<void(int32_t)> help,
                   QWidget* parent = nullptr);

  QLabel* FileNameText() const { return fileName_; }
  QListWidget* List() const { return list_; }
  QPushButton* LoadButton() const { return load_; }
  QPushButton* HelpButton() const { return help_; }
  // The list's tab stops in pixels of its font.
  const std::vector<int32_t>& TabStopsInPixels() const { return stops_; }

  static DialogResult Run(CTableListDlg& dialog, std::function<void(int32_t)> help,
                          QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowState();

  CTableListDlg& dialog_;
  std::function<void(int32_t)> openHelp_;
  QLabel* fileName_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* help_ = nullptr;
  std::vector<int32_t> stops_;
  bool filled_ = false;
};

}  // namespace corvane
