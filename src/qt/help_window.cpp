#include "qt/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane {

CHelpWindow::CHelpWindow(QString helpDir, QWidget* parent)
    : QDialog(parent), helpDir_(std::move(helpDir)) {
  setWindowTitle(QStringLiteral("Corvane Help"));
  setModal(false);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({helpDir_});

  auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
  auto* index = new QPushButton(QStringLiteral("&Index"), this);
  auto* back = new QPushButton(QStringLiteral("&Back"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(contents, &QPushButton::clicked, this,
          [this] { ShowPage(QStringLiteral("index.html")); });
  connect(index, &QPushButton::clicked, this,
          [this] { ShowPage(QStringLiteral("keywords.html")); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  back->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {contents, index, back}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  resize(640, 560);
}

void CHelpWindow::ShowPage(const QString& page) {
  const QString path = QDir(helpDir_).filePath(page);
  if (QFileInfo::exists(path)) {
    browser_->setSource(QUrl::fromLocalFile(path));
  } else {
    browser_->setHtml(QStringLiteral("<p>The help page %1 is not installed (looked in %2).</p>")
                          .arg(page.toHtmlEscaped(), helpDir_.toHtmlEscaped()));
  }
  show();
  raise();
  activateWindow();
}

}  // namespace corvane
