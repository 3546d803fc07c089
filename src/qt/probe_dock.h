#pragma once

#include <QDockWidget>
#include <functional>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;
class QStringListModel;

namespace corvane {

class Inspector;

// The dockable Inspector: a Find field for a net or component name with
// completion, over the read-only, selectable text of what lies under the
// pointer and what was chosen. It shows what the core's Inspector decides.
class CInspectorDock : public QDockWidget {
  Q_OBJECT

 public:
  using StatusSink = std::function<void(std::string_view)>;

  CInspectorDock(Inspector& inspector, StatusSink status, QWidget* parent = nullptr);

  // Ctrl+F: the Find field takes the keyboard, or the status bar says why not.
  void StartFind();
  // Shows the inspector's text anew.
  void Refresh();
  QLineEdit& FindField() { return *find_; }
  QPlainTextEdit& TextView() { return *text_; }

 private:
  void RunFind();
  void FillCompletions();

  Inspector& inspector_;
  StatusSink status_;
  QLineEdit* find_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QStringListModel* names_ = nullptr;
};

}  // namespace corvane
