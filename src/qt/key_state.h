#pragma once

#include <string>

namespace corvane {

// The keyboard's lock states, for the status bar's indicators. All off where
// the platform cannot tell (offscreen, or a platform other than X11).
struct LockStates {
  bool capsLock = false;
  bool numLock = false;
  bool scrollLock = false;
};

LockStates QueryLockStates();

// Whether an X server answers at `display`; true where that cannot be tested.
bool IsDisplayReachable(const std::string& display);

}  // namespace corvane
