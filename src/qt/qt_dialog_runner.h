#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <typeindex>
#include <unordered_map>

#include "platform/dialog_runner.h"

namespace corvane {

// Runs the core's dialogs in their windows. Each kind of dialog registers the
// function that builds its window over the dialog's state, runs it modally and
// tears it down; a dialog of a kind nobody registered cancels.
class QtDialogRunner : public DialogRunner {
 public:
  template <typename Dialog>
  using Run = std::function<DialogResult(Dialog& dialog, QWidget* parent)>;

  // The windows are centred on the parent when there is one.
  void SetParent(QWidget* parent) { parent_ = parent; }

  template <typename Dialog>
  void Add(Run<Dialog> run) {
    runs_[std::type_index(typeid(Dialog))] = [run](ModalDialog& dialog, QWidget* parent) {
      return run(static_cast<Dialog&>(dialog), parent);
    };
  }

  DialogResult RunModal(ModalDialog& dialog) override;

 private:
  QPointer<QWidget> parent_;
  std::unordered_map<std::type_index, std::function<DialogResult(ModalDialog&, QWidget*)>> runs_;
};

}  // namespace corvane
