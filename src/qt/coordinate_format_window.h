#pragma once

#include <QDialog>

#include "dialogs/coordinate_format_dlg.h"
#include "qt/format_window_parts.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace corvane {

// The window of the Gerber and the Drill File Format dialogs over their
// CCoordinateFormatDlg: every event goes to the dialog, and the controls then
// show what it holds.
class CCoordinateFormatWindow : public QDialog {
  Q_OBJECT

 public:
  CCoordinateFormatWindow(CCoordinateFormatDlg& dialog, HelpFunction help,
                          QWidget* parent = nullptr);

  void accept() override;

  // Builds the window over `dialog`, runs it and tears it down.
  static DialogResult Run(CCoordinateFormatDlg& dialog, const HelpFunction& help, QWidget* parent);

 private:
  void Refresh();

  CCoordinateFormatDlg& dialog_;
  QLineEdit* multiplier_ = nullptr;
  QLineEdit* offsetX_ = nullptr;
  QLineEdit* offsetY_ = nullptr;
  QLineEdit* extension_ = nullptr;
  QListWidget* formats_ = nullptr;
  QCheckBox* leading_ = nullptr;
  QCheckBox* trailing_ = nullptr;
};

}  // namespace corvane
