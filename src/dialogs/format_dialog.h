#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogs/data_exchange.h"
#include "platform/dialog_runner.h"

namespace corvane {

class Prompter;

// Texts all four file format dialogs share.
inline constexpr std::string_view kFileMultiplierLabel = "File Multiplier";
inline constexpr std::string_view kFileExtensionLabel = "File Extension";
inline constexpr std::string_view kDefaultsButton = "Defaults";
inline constexpr std::string_view kHelpButton = "Help";
inline constexpr std::string_view kOkButton = "OK";
inline constexpr std::string_view kCancelButton = "Cancel";
inline constexpr std::string_view kMoveUpButton = "Move Up";
inline constexpr std::string_view kMoveDownButton = "Move Down";
inline constexpr std::string_view kAddSkipButton = "Add Skip";
inline constexpr std::string_view kDeleteSkipButton = "Delete Skip";
inline constexpr std::string_view kFieldOrderLabel = "Field Order";

// Control numbers the four dialogs share.
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;
inline constexpr int32_t kIdMultiplierEdit = 1014;
inline constexpr int32_t kIdExtensionEdit = 1018;
inline constexpr int32_t kIdFieldOrderList = 1019;
inline constexpr int32_t kIdHelpButton = 57670;
// The field-order buttons of the aperture and drill tool format dialogs.
inline constexpr int32_t kIdMoveUpButton = 3;
inline constexpr int32_t kIdMoveDownButton = 5;
inline constexpr int32_t kIdAddSkipButton = 7;
inline constexpr int32_t kIdDeleteSkipButton = 9;

// What the file format dialogs have in common: reading their controls the
// platform's way, where the first number field that holds no number shows
// "Please enter a number." and asks for the focus, and the dialog stays open.
// A handler whose read fails still does its own part to the other controls,
// and a wrong text stays as the user typed it.
class CFormatDialog : public ModalDialog {
 public:
  // The control to give the focus to after the last event, once.
  std::optional<int32_t> TakeFocusRequest() {
    const std::optional<int32_t> request = focusRequest_;
    focusRequest_.reset();
    return request;
  }

 protected:
  // `prompter` shows the message; it may be null (the message is dropped).
  explicit CFormatDialog(Prompter* prompter) : prompter_(prompter) {}

  DataExchange BeginRead() const { return DataExchange(prompter_); }
  // Ends a read of the controls: true when every field was a number.
  bool EndRead(const DataExchange& exchange);

 private:
  Prompter* prompter_;
  std::optional<int32_t> focusRequest_;
};

}  // namespace corvane
