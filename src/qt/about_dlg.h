#pragma once

#include <QDialog>

namespace corvane {

// The About box: the program's name, version and purpose.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace corvane
