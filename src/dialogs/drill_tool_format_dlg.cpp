#include "dialogs/drill_tool_format_dlg.h"

#include "dialogs/format_apply.h"
#include "document/corvane_doc.h"

namespace corvane {
namespace {

// A text setting the dialog edits, and where it is stored.
struct TextSetting {
  const std::string& (CDrillToolFormatDlg::*chosen)() const;
  std::string FormatSettings::*field;
  std::string_view key;
};

// In the order they are applied, after the field order.
constexpr TextSetting kTextSettings[] = {
    {&CDrillToolFormatDlg::GetExtension, &FormatSettings::drillToolFileExt, "DrillToolFileExt"},
    {&CDrillToolFormatDlg::GetPlatedName, &FormatSettings::platedFieldName, "PlatedFieldName"},
    {&CDrillToolFormatDlg::GetUnplatedName, &FormatSettings::unplatedFieldName,
     "UnplatedFieldName"},
};

}  // namespace

CDrillToolFormatDlg::CDrillToolFormatDlg(Prompter* prompter)
    : CFormatDialog(prompter), order_(kDrillToolFieldSkip, DrillToolFieldName) {
  order_.Reset(FormatSettings::BuiltInDrillToolFieldOrder());
}

void CDrillToolFormatDlg::Fill(const FormatSettings& settings) {
  multiplierEdit_.Show(settings.drillToolMultiplier);
  extension_ = settings.drillToolFileExt;
  plated_ = settings.platedFieldName;
  unplated_ = settings.unplatedFieldName;
  order_.Reset(settings.drillToolFieldOrder);
}

const std::string& CDrillToolFormatDlg::EditText(int32_t controlId) const {
  static const std::string kNone;
  switch (controlId) {
    case kIdMultiplierEdit:
      return multiplierEdit_.Text();
    case kPlatedEditId:
      return plated_;
    case kUnplatedEditId:
      return unplated_;
    case kIdExtensionEdit:
      return extension_;
    default:
      return kNone;
  }
}

void CDrillToolFormatDlg::OnEditChange(int32_t controlId, std::string text) {
  switch (controlId) {
    case kIdMultiplierEdit:
      multiplierEdit_.SetText(std::move(text));
      break;
    case kPlatedEditId:
      plated_ = std::move(text);
      break;
    case kUnplatedEditId:
      unplated_ = std::move(text);
      break;
    case kIdExtensionEdit:
      extension_ = std::move(text);
      break;
    default:
      break;
  }
}

void CDrillToolFormatDlg::OnMoveUp() {
  ReadControls();
  order_.MoveUp();
}

void CDrillToolFormatDlg::OnMoveDown() {
  ReadControls();
  order_.MoveDown();
}

void CDrillToolFormatDlg::OnAddSkip() {
  ReadControls();
  order_.AddSkip();
}

void CDrillToolFormatDlg::OnDeleteSkip() {
  ReadControls();
  order_.DeleteSkip();
}

void CDrillToolFormatDlg::OnDefaults() {
  ReadControls();
  extension_ = "rck";
  multiplierEdit_.Show(1.0);
  plated_ = "Plated";
  unplated_ = "Unplated";
  order_.Reset(FormatSettings::BuiltInDrillToolFieldOrder());
}

bool CDrillToolFormatDlg::OnOK() { return ReadControls(); }

bool CDrillToolFormatDlg::ReadControls() {
  DataExchange exchange = BeginRead();
  multiplierEdit_.Read(exchange, kIdMultiplierEdit, multiplier_);
  return EndRead(exchange);
}

void CDrillToolFormatDlg::Apply(const FormatApplyTarget& target) const {
  CCorvaneDoc& doc = target.Doc();
  FormatSettings& settings = doc.Settings();
  if (GetFieldOrder() != settings.drillToolFieldOrder) {
    settings.drillToolFieldOrder = GetFieldOrder();
    target.StoreDefault("DrillToolFieldOrder");
    doc.SetModified();
  }
  for (const TextSetting& text : kTextSettings) {
    const std::string& chosen = (this->*text.chosen)();
    if (chosen == settings.*text.field) continue;
    settings.*text.field = chosen;
    target.StoreDefault(text.key);
    doc.SetModified();
  }
  if (SameReal(multiplier_, settings.drillToolMultiplier)) return;
  settings.drillToolMultiplier = multiplier_;
  target.StoreDefault("DrillToolMultiplier");
  target.ReloadAndRedraw();
}

}  // namespace corvane
