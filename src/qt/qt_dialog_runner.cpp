#include "qt/qt_dialog_runner.h"

namespace corvane {

DialogResult QtDialogRunner::RunModal(ModalDialog& dialog) {
  const auto found = runs_.find(std::type_index(typeid(dialog)));
  if (found == runs_.end()) return DialogResult::kCancel;
  return found->second(dialog, parent_.data());
}

}  // namespace corvane
