#include "dialogs/coordinate_format_dlg.h"

#include "dialogs/format_apply.h"
#include "document/corvane_doc.h"
#include "text/fields.h"

namespace corvane {
namespace {

// The three formats every list offers, as "2  %d" texts.
constexpr int32_t kOfferedDecimals[] = {3, 4, 5};
constexpr int32_t kOfferedIntegers = 2;

std::string FormatText(int32_t integers, int32_t decimals) {
  return std::to_string(integers) + "  " + std::to_string(decimals);
}

}  // namespace

void CCoordinateFormatDlg::Fill(const FormatSettings& settings) {
  SetMultiplier(settings.*kind_.multiplier);
  OfferNumberFormats(settings.*kind_.format);
  SetOffsets(settings.*kind_.offsetX, settings.*kind_.offsetY);
  SetExtension(settings.*kind_.extension);
  SetZeroSuppression(settings.*kind_.compression);
}

void CCoordinateFormatDlg::SetOffsets(double x, double y) {
  offsetXEdit_.Show(x);
  offsetYEdit_.Show(y);
}

void CCoordinateFormatDlg::SetZeroSuppression(ZeroSuppression mode) {
  leading_ = mode == kLeadingZerosOmitted;
  trailing_ = mode == kTrailingZerosOmitted;
}

void CCoordinateFormatDlg::OfferNumberFormats(NumberFormat current) {
  formatTexts_.clear();
  formatSelection_ = -1;
  for (const int32_t decimals : kOfferedDecimals) {
    if (current == NumberFormat{kOfferedIntegers, decimals}) {
      formatSelection_ = static_cast<int32_t>(formatTexts_.size());
    }
    formatTexts_.push_back(FormatText(kOfferedIntegers, decimals));
  }
  if (formatSelection_ < 0) {
    formatSelection_ = static_cast<int32_t>(formatTexts_.size());
    formatTexts_.push_back(FormatText(current.intDigits, current.decDigits));
  }
}

const std::string& CCoordinateFormatDlg::EditText(int32_t controlId) const {
  static const std::string kNone;
  switch (controlId) {
    case kIdMultiplierEdit:
      return multiplierEdit_.Text();
    case kOffsetXEditId:
      return offsetXEdit_.Text();
    case kOffsetYEditId:
      return offsetYEdit_.Text();
    case kIdExtensionEdit:
      return extension_;
    default:
      return kNone;
  }
}

void CCoordinateFormatDlg::OnEditChange(int32_t controlId, std::string text) {
  switch (controlId) {
    case kIdMultiplierEdit:
      multiplierEdit_.SetText(std::move(text));
      break;
    case kOffsetXEditId:
      offsetXEdit_.SetText(std::move(text));
      break;
    case kOffsetYEditId:
      offsetYEdit_.SetText(std::move(text));
      break;
    case kIdExtensionEdit:
      extension_ = std::move(text);
      break;
    default:
      break;
  }
}

void CCoordinateFormatDlg::OnNumberFormatSelChange(int32_t line) {
  if (line >= 0 && line < static_cast<int32_t>(formatTexts_.size())) formatSelection_ = line;
}

bool CCoordinateFormatDlg::IsChecked(int32_t controlId) const {
  if (controlId == kLeadingCheckId) return leading_;
  if (controlId == kTrailingCheckId) return trailing_;
  return false;
}

void CCoordinateFormatDlg::OnCheckClicked(int32_t controlId, bool checked) {
  if (controlId != kLeadingCheckId && controlId != kTrailingCheckId) return;
  bool& clicked = controlId == kLeadingCheckId ? leading_ : trailing_;
  bool& other = controlId == kLeadingCheckId ? trailing_ : leading_;
  clicked = checked;
  ReadControls();
  if (clicked) other = false;
}

void CCoordinateFormatDlg::OnDefaults() {
  ReadControls();
  multiplierEdit_.Show(1.0);
  SetZeroSuppression(kLeadingZerosOmitted);
  SetOffsets(0.0, 0.0);
  extension_ = std::string(kind_.defaultExtension);
  OnNumberFormatSelChange(kDefaultFormatIndex);
}

bool CCoordinateFormatDlg::OnOK() { return ReadControls(); }

bool CCoordinateFormatDlg::ReadControls() {
  DataExchange exchange = BeginRead();
  multiplierEdit_.Read(exchange, kIdMultiplierEdit, multiplier_);
  offsetXEdit_.Read(exchange, kOffsetXEditId, offsetX_);
  offsetYEdit_.Read(exchange, kOffsetYEditId, offsetY_);
  return EndRead(exchange);
}

ZeroSuppression CCoordinateFormatDlg::GetZeroSuppression() const {
  if (leading_) return kLeadingZerosOmitted;
  if (trailing_) return kTrailingZerosOmitted;
  return kZeroSuppressionNone;
}

std::string CCoordinateFormatDlg::NumberFormatText() const {
  return formatSelection_ >= 0 ? formatTexts_[static_cast<std::size_t>(formatSelection_)]
                               : std::string();
}

NumberFormat CCoordinateFormatDlg::GetNumberFormat() const {
  // Digit counts are taken as they stand, as from a settings file: decoding
  // holds them to 0..9 wherever they scale or pad a coordinate.
  const std::string text = NumberFormatText();
  NumberFormat format;
  const char* p = ReadIntField(text.c_str(), format.intDigits, 0, true);
  ReadIntField(p, format.decDigits, 0, true);
  return format;
}

bool CCoordinateFormatDlg::ChangesDecoding(const FormatSettings& settings) const {
  return !SameReal(multiplier_, settings.*kind_.multiplier) ||
         GetZeroSuppression() != settings.*kind_.compression ||
         GetNumberFormat() != settings.*kind_.format ||
         !SameReal(offsetX_, settings.*kind_.offsetX) ||
         !SameReal(offsetY_, settings.*kind_.offsetY);
}

void CCoordinateFormatDlg::Apply(const FormatApplyTarget& target) const {
  CCorvaneDoc& doc = target.Doc();
  FormatSettings& settings = doc.Settings();
  if (extension_ != settings.*kind_.extension) {
    settings.*kind_.extension = extension_;
    target.StoreDefault(kind_.extensionKey);
    doc.SetModified();
  }
  if (!ChangesDecoding(settings)) return;
  settings.*kind_.multiplier = multiplier_;
  settings.*kind_.compression = GetZeroSuppression();
  kind_.setFormat(settings, GetNumberFormat());
  settings.*kind_.offsetX = offsetX_;
  settings.*kind_.offsetY = offsetY_;
  for (const std::string_view key :
       {kind_.multiplierKey, kind_.formatKey, kind_.compressionKey, kind_.offsetsKey}) {
    target.StoreDefault(key);
  }
  target.ReloadAndRedraw();
}

}  // namespace corvane
