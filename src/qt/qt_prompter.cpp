#include "qt/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/file_filter.h"
#include "qt/qt_text.h"

namespace corvane {

QString ToQtFileFilter(std::string_view filter) {
  QStringList entries;
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    QStringList patterns;
    // "*.*" means every file, with or without a dot in its name.
    for (const std::string& p : entry.patterns) patterns << (p == "*.*" ? "*" : ToQString(p));
    QString name = ToQString(entry.name);
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (open > 0) name = name.left(open).trimmed();
    entries << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

Prompter::Answer QtPrompter::ShowMessage(std::string_view text, Buttons buttons) {
  QMessageBox box(parent_.data());
  box.setWindowTitle(QStringLiteral("Corvane"));
  box.setText(ToQString(text));
  if (buttons == Buttons::kYesNoCancel) {
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setIcon(QMessageBox::Information);
    box.setStandardButtons(QMessageBox::Ok);
  }
  // The wait cursor must not hide that the program waits for an answer.
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = box.exec();
  if (waiting) QApplication::restoreOverrideCursor();
  switch (result) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    default:
      return buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
  }
}

std::optional<std::string> QtPrompter::ChooseFile(const FileChooserRequest& request) {
  const bool open = request.mode == FileChooserRequest::Mode::kOpen;
  QFileDialog dialog(parent_.data(), ToQString(request.title), ToQString(request.initialDir),
                     ToQtFileFilter(request.filter));
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open && request.pathMustExist ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(request.defaultExt));
  if (!request.initialName.empty()) dialog.selectFile(ToQString(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

void QtPrompter::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtPrompter::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace corvane
