#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/prompter.h"

class QFileDialog;

namespace corvane {

// Message boxes, file choosers and the wait cursor of the desktop.
class QtPrompter : public Prompter {
 public:
  // Dialogs are centred on the parent when there is one.
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer ShowMessage(std::string_view text, Buttons buttons) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  std::optional<uint32_t> ChooseColor(CustomColors& customColors) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 private:
  QPointer<QWidget> parent_;
};

// "Name|*.a;*.b|All Files (*.*)|*.*||" as Qt's "Name (*.a *.A *.b *.B);;All Files (*)".
QString ToQtFileFilter(std::string_view filter);

// Lets the chooser's Open button take a typed name of an existing file that
// its filter hides, as Return already does (the chooser of Qt's own enables
// Open only for the names it shows).
void LetTypedFilesOpen(QFileDialog& dialog);

}  // namespace corvane
