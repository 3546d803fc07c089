#pragma once

#include <QDialog>

class QTextBrowser;

namespace corvane {

// The help window over the HTML pages of help/: contents, index, back.
class CHelpWindow : public QDialog {
  Q_OBJECT

 public:
  CHelpWindow(QString helpDir, QWidget* parent = nullptr);
  // Shows the page (a file name of the help folder) and raises the window.
  void ShowPage(const QString& page);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QString helpDir_;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace corvane
