#include "app/window_placement.h"

#include <cstdlib>

#include "platform/settings_store.h"
#include "text/ascii.h"

namespace corvane {
namespace {

bool InRange(int32_t value, int32_t limit) { return value >= 0 && value <= limit; }

void SkipSpace(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
}

// One "%d": blanks, optional sign, digits. Values beyond 32 bits saturate, as
// the C library's conversion does; a rectangle that large is off screen anyway.
bool ScanInt(std::string_view text, std::size_t& pos, int32_t& value) {
  SkipSpace(text, pos);
  std::size_t end = pos;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const std::size_t digits = end;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (end == digits) return false;
  int64_t number = 0;
  for (std::size_t i = digits; i < end; ++i) {
    number = number * 10 + (text[i] - '0');
    if (number > INT32_MAX) number = int64_t{INT32_MAX} + 1;
  }
  if (text[pos] == '-') number = -number;
  if (number > INT32_MAX) number = INT32_MAX;
  if (number < INT32_MIN) number = INT32_MIN;
  value = static_cast<int32_t>(number);
  pos = end;
  return true;
}

// ", " in the format: the comma follows the number at once; blanks after it are free.
bool ScanComma(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != ',') return false;
  ++pos;
  return true;
}

}  // namespace

bool IsRectOnScreen(const WindowRect& rect, int32_t screenWidth, int32_t screenHeight) {
  return InRange(rect.left, screenWidth) && InRange(rect.right, screenWidth) &&
         InRange(rect.top, screenHeight) && InRange(rect.bottom, screenHeight);
}

std::string FormatWindowRect(const WindowRect& rect) {
  return std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " +
         std::to_string(rect.right) + ", " + std::to_string(rect.bottom);
}

std::optional<WindowRect> ParseWindowRect(std::string_view text) {
  WindowRect rect;
  std::size_t pos = 0;
  if (!ScanInt(text, pos, rect.left) || !ScanComma(text, pos) || !ScanInt(text, pos, rect.top) ||
      !ScanComma(text, pos) || !ScanInt(text, pos, rect.right) || !ScanComma(text, pos) ||
      !ScanInt(text, pos, rect.bottom)) {
    return std::nullopt;
  }
  return rect;
}

void LoadWindowPlacement(const SettingsStore& store, PlacementWindow* window) {
  if (window == nullptr) return;
  WindowPlacementState placement;
  if (!window->GetPlacement(placement)) return;
  placement.maximized = false;
  placement.minimized = false;
  const auto rect =
      ParseWindowRect(store.ReadText(kSectionWindowPlacement, kMainWindowKey, "0, 0, 0, 0"));
  if (!rect) return;
  // Differences in 64 bits: stored values may be anything.
  const bool hasSize =
      int64_t{rect->right} - rect->left > 0 && int64_t{rect->bottom} - rect->top > 0;
  if (!hasSize ||
      !IsRectOnScreen(*rect, window->VirtualScreenWidth(), window->VirtualScreenHeight())) {
    return;
  }
  placement.normal = *rect;
  window->SetPlacement(placement);
}

void SaveWindowPlacement(SettingsStore& store, const PlacementWindow* window) {
  if (window == nullptr) return;
  WindowPlacementState placement;
  if (!window->GetPlacement(placement)) return;
  store.WriteInt(kSectionWindowPlacement, kMainWindowZoomedKey, placement.maximized ? 1 : 0);
  store.WriteText(kSectionWindowPlacement, kMainWindowKey, FormatWindowRect(placement.normal));
}

}  // namespace corvane
