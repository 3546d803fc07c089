#include "qt/qt_prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "app/file_filter.h"
#include "dialogs/file_request.h"
#include "qt/qt_text.h"

namespace corvane {
namespace {

// 0x00BBGGRR, as the core keeps colours.
uint32_t ColorValue(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<uint32_t>(rgb.red()) | static_cast<uint32_t>(rgb.green()) << 8 |
         static_cast<uint32_t>(rgb.blue()) << 16;
}

}  // namespace

QString ToQtFileFilter(std::string_view filter) {
  QStringList entries;
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& p : ChooserPatterns(entry.patterns)) patterns << ToQString(p);
    QString name = ToQString(entry.name);
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (open > 0) name = name.left(open).trimmed();
    entries << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

void LetTypedFilesOpen(QFileDialog& dialog) {
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  QPushButton* open = box != nullptr ? box->button(QDialogButtonBox::Open) : nullptr;
  if (edit == nullptr || open == nullptr) return;  // a chooser of the desktop's own
  const auto update = [&dialog, edit, open] {
    const auto path = TypedFileToOpen(dialog.directory().absolutePath().toStdString(),
                                      edit->text().toStdString());
    if (path) open->setEnabled(true);
  };
  // After the chooser's own update of the button, which runs first.
  QObject::connect(edit, &QLineEdit::textChanged, open,
                   [open, update] { QTimer::singleShot(0, open, update); });
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
  const bool folder = request.mode == FileChooserRequest::Mode::kFolder;
  dialog.setAcceptMode(open || folder ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(folder                           ? QFileDialog::Directory
                     : open && request.pathMustExist ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (folder) dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setDefaultSuffix(ToQString(request.defaultExt));
  if (!request.initialName.empty()) dialog.selectFile(ToQString(request.initialName));
  if (open && request.pathMustExist) LetTypedFilesOpen(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<uint32_t> QtPrompter::ChooseColor(CustomColors& customColors) {
  // The chooser's custom colours are shared by all its runs; they are set
  // from the caller's each time and read back only on OK.
  for (std::size_t i = 0; i < customColors.size(); ++i) {
    const uint32_t c = customColors[i];
    QColorDialog::setCustomColor(static_cast<int>(i),
                                 QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  }
  QColorDialog dialog(parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  for (std::size_t i = 0; i < customColors.size(); ++i) {
    customColors[i] = ColorValue(QColorDialog::customColor(static_cast<int>(i)));
  }
  return ColorValue(dialog.selectedColor());
}

void QtPrompter::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtPrompter::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace corvane
