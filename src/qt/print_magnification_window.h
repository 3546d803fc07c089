#pragma once

#include <QDialog>

#include "dialogs/print_magnification_dlg.h"
#include "platform/dialog_runner.h"

class QLineEdit;

namespace corvane {

// The Print Magnification dialog's window: the "Multiplier" edit with OK and
// Cancel beside it. It binds the edit to the dialog's text; whether OK may
// close is the dialog's rule.
class CPrintMagnificationWindow : public QDialog {
  Q_OBJECT

 public:
  CPrintMagnificationWindow(CPrintMagnificationDlg& dialog, QWidget* parent = nullptr);

  QLineEdit* Edit() const { return edit_; }
  void accept() override;

 private:
  CPrintMagnificationDlg& dialog_;
  QLineEdit* edit_ = nullptr;
};

// Runs the dialog in its window; what the dialog runner registers.
DialogResult RunPrintMagnificationWindow(CPrintMagnificationDlg& dialog, QWidget* parent);

}  // namespace corvane
