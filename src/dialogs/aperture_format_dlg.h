#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/field_order_list.h"
#include "dialogs/format_dialog.h"
#include "dialogs/real_edit.h"
#include "document/format_settings.h"

namespace corvane {

class FormatApplyTarget;

inline constexpr std::string_view kApertureFormatTitle = "Aperture File Format";
inline constexpr std::string_view kApertureTypesLabel = "Aperture Types";
inline constexpr std::string_view kIdentifierLabel = "Identifier";

// How aperture tables are read: per aperture type the text that marks its
// lines and the order of its columns, plus the multiplier of the sizes and the
// extension offered for the files. The dialog edits a working copy of all
// five types and shows one at a time; every edit goes into the copy at once,
// so switching types never loses one.
class CApertureFormatDlg : public CFormatDialog {
 public:
  static constexpr int32_t kResourceId = 149;
  static constexpr int32_t kTypeListId = 1025;
  static constexpr int32_t kIdentifierEditId = 1023;
  static constexpr int32_t kDefaultsButtonId = 11;

  // An empty extension and identifiers, multiplier 0, every order 0,1,2,3,4.
  explicit CApertureFormatDlg(Prompter* prompter = nullptr);
  int32_t ResourceId() const override { return kResourceId; }

  // The type names the list shows, in index order.
  static std::string_view TypeName(int type);
  // The identifier the Defaults button gives a type; Circle's is "ROUND".
  static std::string_view DefaultIdentifier(int type);

  // --- Before the run ----------------------------------------------------------
  // The document's multiplier, extension and five types; the first type is
  // shown with no field-order line selected.
  void Fill(const FormatSettings& settings);

  // --- The window --------------------------------------------------------------
  // The multiplier, extension and identifier edits.
  const std::string& EditText(int32_t controlId) const;
  // Editing the identifier stores it into the shown type at once and reads
  // every control, so a wrong multiplier is reported while typing it.
  void OnEditChange(int32_t controlId, std::string text);
  int32_t TypeSelection() const { return typeSelection_; }
  // Shows that type's identifier and order; a line outside the list changes nothing.
  void OnTypeSelChange(int32_t line);
  const FieldOrderList& Order() const { return order_; }
  void OnOrderSelChange(int32_t line) { order_.Select(line); }
  void OnMoveUp();
  void OnMoveDown();
  void OnAddSkip();
  void OnDeleteSkip();
  // Extension "apr", multiplier 1, and for the shown type only the order
  // 0,1,2,3,4 and its Defaults identifier.
  void OnDefaults();
  // False keeps the dialog open: the multiplier is not a number.
  bool OnOK();

  // --- After OK ----------------------------------------------------------------
  double GetMultiplier() const { return multiplier_; }
  const std::string& GetExtension() const { return extension_; }
  const ApertureFormat& GetFormat(int type) const;

  // Writes the types that differ from the document's, then a changed
  // extension; then, unless the document is unmodified and the multiplier is
  // the same, the multiplier, and reloads and repaints. A document that was
  // modified before is therefore always reloaded.
  void Apply(const FormatApplyTarget& target) const;

 private:
  void ShowType(int32_t type);
  // The shown identifier and order into the shown type's entry.
  void StoreShown();
  bool ReadControls();
  // Reads the controls, edits the order and keeps the edit.
  template <typename Edit>
  void EditOrder(Edit edit);

  RealEdit multiplierEdit_;
  std::string extension_;
  std::array<ApertureFormat, kApertureFormatCount> formats_;
  int32_t typeSelection_ = 0;
  std::string identifier_;
  FieldOrderList order_;
  double multiplier_ = 0.0;
};

}  // namespace corvane
