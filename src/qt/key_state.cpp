#include "qt/key_state.h"

#include <QGuiApplication>

#ifdef CORVANE_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace corvane {

LockStates QueryLockStates() {
  LockStates states;
#ifdef CORVANE_HAVE_X11
  const auto* x11 =
      qApp == nullptr ? nullptr : qApp->nativeInterface<QNativeInterface::QX11Application>();
  Display* display = x11 == nullptr ? nullptr : x11->display();
  if (display == nullptr) return states;
  unsigned int mask = 0;
  if (XkbGetIndicatorState(display, XkbUseCoreKbd, &mask) != Success) return states;
  // The core keyboard's standard indicators: Caps, Num and Scroll Lock in that order.
  states.capsLock = (mask & 1u) != 0;
  states.numLock = (mask & 2u) != 0;
  states.scrollLock = (mask & 4u) != 0;
#endif
  return states;
}

bool IsDisplayReachable(const std::string& display) {
#ifdef CORVANE_HAVE_X11
  if (display.empty()) return false;
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return false;
  XCloseDisplay(connection);
#else
  (void)display;
#endif
  return true;
}

}  // namespace corvane
