#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/field_order_list.h"
#include "dialogs/format_dialog.h"
#include "dialogs/real_edit.h"
#include "document/format_settings.h"

namespace corvane {

class FormatApplyTarget;

inline constexpr std::string_view kDrillToolFormatTitle = "Drill Tool File Format";
inline constexpr std::string_view kPlatedIdentifierLabel = "Plated Identifier";
inline constexpr std::string_view kUnplatedIdentifierLabel = "Unplated Identifier";

// How drill tool tables are read: the order of the columns, the two words of
// the hole-type column, the multiplier of the diameters and the extension
// offered for the files.
class CDrillToolFormatDlg : public CFormatDialog {
 public:
  static constexpr int32_t kResourceId = 151;
  static constexpr int32_t kPlatedEditId = 1023;
  static constexpr int32_t kUnplatedEditId = 1024;
  static constexpr int32_t kDefaultsButtonId = 11;

  // Empty texts, multiplier 0 and the order 0,1,4,2,3.
  explicit CDrillToolFormatDlg(Prompter* prompter = nullptr);
  int32_t ResourceId() const override { return kResourceId; }

  // --- Before the run ----------------------------------------------------------
  // The document's values, with no field-order line selected.
  void Fill(const FormatSettings& settings);

  // --- The window --------------------------------------------------------------
  // The multiplier, plated, unplated and extension edits.
  const std::string& EditText(int32_t controlId) const;
  void OnEditChange(int32_t controlId, std::string text);
  const FieldOrderList& Order() const { return order_; }
  void OnOrderSelChange(int32_t line) { order_.Select(line); }
  void OnMoveUp();
  void OnMoveDown();
  void OnAddSkip();
  void OnDeleteSkip();
  // "rck", 1, "Plated", "Unplated" and the order 0,1,4,2,3.
  void OnDefaults();
  // False keeps the dialog open: the multiplier is not a number.
  bool OnOK();

  // --- After OK ----------------------------------------------------------------
  double GetMultiplier() const { return multiplier_; }
  const std::string& GetExtension() const { return extension_; }
  const std::string& GetPlatedName() const { return plated_; }
  const std::string& GetUnplatedName() const { return unplated_; }
  const FieldOrder& GetFieldOrder() const { return order_.Codes(); }

  // Writes each of field order, extension, plated and unplated name that
  // differs from the document's; a changed multiplier is written too and
  // reloads. The others take effect at the next load.
  void Apply(const FormatApplyTarget& target) const;

 private:
  bool ReadControls();

  RealEdit multiplierEdit_;
  std::string plated_;
  std::string unplated_;
  std::string extension_;
  FieldOrderList order_;
  double multiplier_ = 0.0;
};

}  // namespace corvane
