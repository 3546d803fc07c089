#pragma once

#include <QDialog>
#include <array>

#include "dialogs/fabrication_checks_dlg.h"
#include "platform/dialog_runner.h"

class QLineEdit;

namespace corvane {

// The Fabrication Checks dialog's window: one labelled edit per rule value,
// OK and Cancel. It binds the edits to the dialog's texts; whether OK may
// close is the dialog's rule.
class CFabricationChecksWindow : public QDialog {
  Q_OBJECT

 public:
  CFabricationChecksWindow(CFabricationChecksDlg& dialog, QWidget* parent = nullptr);
  void accept() override;

 private:
  CFabricationChecksDlg& dialog_;
  std::array<QLineEdit*, kRuleValueCount> edits_{};
};

DialogResult RunFabricationChecksWindow(CFabricationChecksDlg& dialog, QWidget* parent);

}  // namespace corvane
