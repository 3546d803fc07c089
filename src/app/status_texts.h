#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kIdleStatusText = "For Help, press F1";

// The key-state indicators of the status bar, in pane order.
enum class KeyIndicator { kCapsLock, kNumLock, kScrollLock };
inline constexpr KeyIndicator kKeyIndicators[] = {KeyIndicator::kCapsLock, KeyIndicator::kNumLock,
                                                  KeyIndicator::kScrollLock};

// "CAP", "NUM", "SCRL".
std::string_view IndicatorText(KeyIndicator indicator);
// What an indicator pane shows: its text while the lock is on, nothing while off.
std::string_view IndicatorPaneText(KeyIndicator indicator, bool on);

// The status-bar prompt of a command under the pointer; empty when it has none.
std::string StatusPrompt(int32_t id);
// The tooltip of a toolbar button; empty when it has none.
std::string ToolTipText(int32_t id);

}  // namespace corvane
