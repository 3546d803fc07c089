#pragma once

#include <QDialog>

#include "dialogs/offset_layer_dlg.h"

class QListWidget;

namespace corvane {

// The Offset Layer dialog's window over COffsetLayerDlg: the prompt, the
// single-selection list, OK and Cancel.
class COffsetLayerWindow : public QDialog {
  Q_OBJECT

 public:
  COffsetLayerWindow(COffsetLayerDlg& dialog, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  void accept() override;

  // Builds the window over `dialog`, runs it and tears it down.
  static DialogResult Run(COffsetLayerDlg& dialog, QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  COffsetLayerDlg& dialog_;
  QListWidget* list_ = nullptr;
  bool filled_ = false;
};

}  // namespace corvane
