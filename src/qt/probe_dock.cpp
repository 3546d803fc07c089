#include "qt/probe_dock.h"

#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QVBoxLayout>

#include "app/object_probe.h"
#include "qt/qt_text.h"

namespace corvane {

CInspectorDock::CInspectorDock(Inspector& inspector, StatusSink status, QWidget* parent)
    : QDockWidget(QStringLiteral("Inspector"), parent),
      inspector_(inspector),
      status_(std::move(status)) {
  setObjectName(QStringLiteral("inspectorPanel"));
  setAccessibleName(QStringLiteral("Inspector"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  find_ = new QLineEdit(body);
  find_->setObjectName(QStringLiteral("findField"));
  find_->setAccessibleName(QStringLiteral("Find net or component"));
  find_->setPlaceholderText(QStringLiteral("Find net or component (Ctrl+F)"));
  find_->setClearButtonEnabled(true);
  names_ = new QStringListModel(this);
  auto* completer = new QCompleter(names_, this);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  find_->setCompleter(completer);
  text_ = new QPlainTextEdit(body);
  text_->setObjectName(QStringLiteral("inspectorText"));
  text_->setAccessibleName(QStringLiteral("Inspector text"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(find_);
  layout->addWidget(text_, 1);
  setWidget(body);
  connect(find_, &QLineEdit::returnPressed, this, [this] { RunFind(); });
  // Escape in the field ends the highlight, as it does in the view.
  auto* escape = new QAction(find_);
  escape->setShortcut(QKeySequence(Qt::Key_Escape));
  escape->setShortcutContext(Qt::WidgetShortcut);
  find_->addAction(escape);
  connect(escape, &QAction::triggered, this, [this] { inspector_.EndChoice(); });
  inspector_.SetTextSink([this] { Refresh(); });
  Refresh();
}

void CInspectorDock::StartFind() {
  if (const auto refused = inspector_.RefusesFind()) {
    status_(*refused);
    return;
  }
  FillCompletions();
  show();
  raise();
  find_->setFocus(Qt::ShortcutFocusReason);
  find_->selectAll();
}

void CInspectorDock::Refresh() {
  inspector_.Refresh();
  const QString text = ToQString(inspector_.Text());
  if (text_->toPlainText() != text) text_->setPlainText(text);
}

void CInspectorDock::RunFind() {
  const FindOutcome outcome = inspector_.Find(find_->text().trimmed().toStdString());
  status_(outcome.status);
  Refresh();
}

void CInspectorDock::FillCompletions() {
  QStringList names;
  for (const std::string& name : inspector_.Completions()) names.push_back(ToQString(name));
  names_->setStringList(names);
}

}  // namespace corvane
