#include "dialogs/aperture_format_dlg.h"

#include <string>

#include "dialogs/format_apply.h"
#include "document/corvane_doc.h"

namespace corvane {
namespace {

constexpr std::string_view kTypeNames[kApertureFormatCount] = {"Circle", "Line", "Rectangle",
                                                               "Square", "Ellipse"};
constexpr std::string_view kDefaultIdentifiers[kApertureFormatCount] = {
    "ROUND", "LINE", "RECTANGLE", "SQUARE", "ELLIPSE"};

bool IsType(int type) { return type >= 0 && type < kApertureFormatCount; }

std::string IndexedKey(std::string_view prefix, int type) {
  return std::string(prefix) + std::to_string(type);
}

}  // namespace

CApertureFormatDlg::CApertureFormatDlg(Prompter* prompter)
    : CFormatDialog(prompter), order_(kApertureFieldSkip, ApertureFieldName) {
  for (ApertureFormat& format : formats_) {
    format.fieldOrder = FormatSettings::BuiltInApertureFieldOrder();
  }
  ShowType(0);
}

std::string_view CApertureFormatDlg::TypeName(int type) {
  return IsType(type) ? kTypeNames[type] : std::string_view();
}

std::string_view CApertureFormatDlg::DefaultIdentifier(int type) {
  return IsType(type) ? kDefaultIdentifiers[type] : std::string_view();
}

void CApertureFormatDlg::Fill(const FormatSettings& settings) {
  multiplierEdit_.Show(settings.apertureMultiplier);
  extension_ = settings.apertureFileExt;
  formats_ = settings.apertureFormats;
  ShowType(0);
}

const std::string& CApertureFormatDlg::EditText(int32_t controlId) const {
  static const std::string kNone;
  switch (controlId) {
    case kIdMultiplierEdit:
      return multiplierEdit_.Text();
    case kIdExtensionEdit:
      return extension_;
    case kIdentifierEditId:
      return identifier_;
    default:
      return kNone;
  }
}

void CApertureFormatDlg::OnEditChange(int32_t controlId, std::string text) {
  switch (controlId) {
    case kIdMultiplierEdit:
      multiplierEdit_.SetText(std::move(text));
      break;
    case kIdExtensionEdit:
      extension_ = std::move(text);
      break;
    case kIdentifierEditId:
      identifier_ = std::move(text);
      StoreShown();
      ReadControls();
      break;
    default:
      break;
  }
}

void CApertureFormatDlg::OnTypeSelChange(int32_t line) {
  if (!IsType(line)) return;
  ReadControls();
  StoreShown();
  ShowType(line);
}

template <typename Edit>
void CApertureFormatDlg::EditOrder(Edit edit) {
  ReadControls();
  edit(order_);
  StoreShown();
}

void CApertureFormatDlg::OnMoveUp() {
  EditOrder([](FieldOrderList& order) { order.MoveUp(); });
}

void CApertureFormatDlg::OnMoveDown() {
  EditOrder([](FieldOrderList& order) { order.MoveDown(); });
}

void CApertureFormatDlg::OnAddSkip() {
  EditOrder([](FieldOrderList& order) { order.AddSkip(); });
}

void CApertureFormatDlg::OnDeleteSkip() {
  EditOrder([](FieldOrderList& order) { order.DeleteSkip(); });
}

void CApertureFormatDlg::OnDefaults() {
  ReadControls();
  extension_ = "apr";
  multiplierEdit_.Show(1.0);
  identifier_ = std::string(DefaultIdentifier(typeSelection_));
  order_.Reset(FormatSettings::BuiltInApertureFieldOrder());
  StoreShown();
}

bool CApertureFormatDlg::OnOK() {
  StoreShown();
  return ReadControls();
}

const ApertureFormat& CApertureFormatDlg::GetFormat(int type) const {
  return formats_.at(static_cast<std::size_t>(type));
}

void CApertureFormatDlg::ShowType(int32_t type) {
  typeSelection_ = type;
  const ApertureFormat& format = formats_[static_cast<std::size_t>(type)];
  identifier_ = format.identifier;
  order_.Reset(format.fieldOrder);
}

void CApertureFormatDlg::StoreShown() {
  ApertureFormat& format = formats_[static_cast<std::size_t>(typeSelection_)];
  format.identifier = identifier_;
  format.fieldOrder = order_.Codes();
}

bool CApertureFormatDlg::ReadControls() {
  DataExchange exchange = BeginRead();
  multiplierEdit_.Read(exchange, kIdMultiplierEdit, multiplier_);
  return EndRead(exchange);
}

void CApertureFormatDlg::Apply(const FormatApplyTarget& target) const {
  CCorvaneDoc& doc = target.Doc();
  FormatSettings& settings = doc.Settings();
  for (int type = 0; type < kApertureFormatCount; ++type) {
    const ApertureFormat& chosen = formats_[static_cast<std::size_t>(type)];
    if (chosen == settings.GetApertureFormat(type)) continue;
    settings.SetApertureFormat(type, chosen);
    target.StoreDefault(IndexedKey("ApertureFieldOrder", type));
    target.StoreDefault(IndexedKey("ApertureIdentifier", type));
    doc.SetModified();
  }
  if (extension_ != settings.apertureFileExt) {
    settings.apertureFileExt = extension_;
    target.StoreDefault("ApertureFileExt");
    doc.SetModified();
  }
  if (!doc.IsModified() && SameReal(multiplier_, settings.apertureMultiplier)) return;
  settings.apertureMultiplier = multiplier_;
  target.StoreDefault("ApertureMultiplier");
  target.ReloadAndRedraw();
}

}  // namespace corvane
