#pragma once

#include <memory>

class QGuiApplication;

namespace corvane {

// The Qt application object of a headless command, made only when a step
// needs one (fonts, paint devices other than plain images, printers), on
// Qt's offscreen platform whatever the environment says. Qt's own remarks
// stay off standard error, which carries the command's messages only. Where
// the program already has its application object (the window printing), it
// is used as it is.
class OffscreenApplication {
 public:
  OffscreenApplication();
  ~OffscreenApplication();
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

  // Makes the application object unless one exists.
  void Ensure();

 private:
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace corvane
