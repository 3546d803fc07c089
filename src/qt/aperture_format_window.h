#pragma once

#include <QDialog>

#include "dialogs/aperture_format_dlg.h"
#include "qt/format_window_parts.h"

class QLineEdit;
class QListWidget;

namespace corvane {

// The Aperture File Format dialog's window over CApertureFormatDlg.
class CApertureFormatWindow : public QDialog {
  Q_OBJECT

 public:
  CApertureFormatWindow(CApertureFormatDlg& dialog, HelpFunction help, QWidget* parent = nullptr);

  void accept() override;

  // Builds the window over `dialog`, runs it and tears it down.
  static DialogResult Run(CApertureFormatDlg& dialog, const HelpFunction& help, QWidget* parent);

 private:
  void Refresh();

  CApertureFormatDlg& dialog_;
  QLineEdit* multiplier_ = nullptr;
  QLineEdit* extension_ = nullptr;
  QLineEdit* identifier_ = nullptr;
  QListWidget* types_ = nullptr;
  FieldOrderControls order_;
};

}  // namespace corvane
