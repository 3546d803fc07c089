#pragma once

#include <QDialog>

#include "dialogs/drill_tool_format_dlg.h"
#include "qt/format_window_parts.h"

class QLineEdit;

namespace corvane {

// The Drill Tool File Format dialog's window over CDrillToolFormatDlg.
class CDrillToolFormatWindow : public QDialog {
  Q_OBJECT

 public:
  CDrillToolFormatWindow(CDrillToolFormatDlg& dialog, HelpFunction help, QWidget* parent = nullptr);

  void accept() override;

  // Builds the window over `dialog`, runs it and tears it down.
  static DialogResult Run(CDrillToolFormatDlg& dialog, const HelpFunction& help, QWidget* parent);

 private:
  void Refresh();

  CDrillToolFormatDlg& dialog_;
  QLineEdit* multiplier_ = nullptr;
  QLineEdit* plated_ = nullptr;
  QLineEdit* unplated_ = nullptr;
  QLineEdit* extension_ = nullptr;
  FieldOrderControls order_;
};

}  // namespace corvane
