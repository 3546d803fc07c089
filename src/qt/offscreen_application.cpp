#include "qt/offscreen_application.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

namespace corvane {

OffscreenApplication::OffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

OffscreenApplication::~OffscreenApplication() = default;

void OffscreenApplication::Ensure() {
  if (app_ != nullptr || QCoreApplication::instance() != nullptr) return;
  // Qt keeps references to these for the application's life.
  static int argc = 1;
  static char name[] = "corvane";
  static char* argv[] = {name, nullptr};
  app_ = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace corvane
