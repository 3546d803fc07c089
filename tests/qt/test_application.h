#pragma once

#include <QApplication>

namespace corvane {

// The one QApplication of the widget tests, made on first use.
inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "corvane_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app =
      QApplication::instance() != nullptr ? qApp : new QApplication(argc, argv);
  return *app;
}

}  // namespace corvane
