#include "qt/about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/toolbar_icons.h"

namespace corvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Corvane"));
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIconPixmap());
  icon->setAlignment(Qt::AlignTop);

  auto* texts = new QVBoxLayout;
  const QString lines[] = {
      QStringLiteral("Corvane Version 1.13"),
      QStringLiteral("Corvane allows you to load and view Gerber plot and NC drill files for "
                     "verification.  You can also load Gerber aperture and drill tool files to "
                     "display drill holes and apertures in relative sizes."),
      QString(),
      QStringLiteral("Build %1 for Linux, with Qt %2.").arg(CORVANE_VERSION, qVersion()),
      QStringLiteral("Help > Help Topics explains every command and dialog."),
  };
  for (const QString& line : lines) {
    auto* label = new QLabel(line, this);
    label->setWordWrap(true);
    texts->addWidget(label);
  }
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addLayout(texts, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

}  // namespace corvane
