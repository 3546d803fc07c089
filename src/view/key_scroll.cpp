#include "view/key_scroll.h"

#include "view/device_coordinates.h"

namespace corvane {
namespace {

// Scroll arithmetic in 64 bits, then back into the safe range.
int32_t Step(int32_t position, int64_t delta) {
  return ToScroll(static_cast<double>(static_cast<int64_t>(position) + delta));
}

}  // namespace

KeyScroll KeyScrollFor(ViewKey key, bool shiftDown, DevicePoint scrollPos, DevicePoint pageStep,
                       DevicePoint lineStep) {
  KeyScroll result{scrollPos};
  DevicePoint& p = result.position;
  switch (key) {
    case ViewKey::kPageUp:
      p.y = Step(p.y, -int64_t{pageStep.y});
      break;
    case ViewKey::kPageDown:
      p.y = Step(p.y, pageStep.y);
      break;
    case ViewKey::kLeft:
      p.x = Step(p.x, -int64_t{lineStep.x});
      break;
    case ViewKey::kRight:
      p.x = Step(p.x, lineStep.x);
      break;
    case ViewKey::kUp:
      p.y = Step(p.y, -int64_t{lineStep.y});
      break;
    case ViewKey::kDown:
      p.y = Step(p.y, lineStep.y);
      break;
    case ViewKey::kHome:
      p = {0, 0};
      break;
    case ViewKey::kF8:
      result.zoomToExtents = shiftDown;
      break;
    case ViewKey::kSpace:
    case ViewKey::kEnd:
    case ViewKey::kInsert:
    case ViewKey::kDelete:
    case ViewKey::kF3:
    case ViewKey::kF5:
      break;
    case ViewKey::kEscape:
    case ViewKey::kOther:
      result.repaint = false;
      break;
  }
  return result;
}

}  // namespace corvane
