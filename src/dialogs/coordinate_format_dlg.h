#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/format_dialog.h"
#include "dialogs/real_edit.h"
#include "document/format_settings.h"

namespace corvane {

class FormatApplyTarget;

inline constexpr std::string_view kNumberFormatLabel = "Number Format";
inline constexpr std::string_view kHorizontalOffsetLabel = "Horizontal Offset";
inline constexpr std::string_view kVerticalOffsetLabel = "Vertical Offset";
inline constexpr std::string_view kOffsetUnitLabel = "in 0.1 (mm/mils)";
inline constexpr std::string_view kDigitSuppressionGroup = "Digit Suppression";
inline constexpr std::string_view kLeadingZeroLabel = "Leading zero";
inline constexpr std::string_view kTrailingZeroLabel = "Trailing zero";

// Where one file kind's coordinate settings live, what they are stored under,
// and how its dialog presents itself.
struct CoordinateFormatKind {
  int32_t resourceId;
  std::string_view title;
  std::string_view defaultExtension;
  double FormatSettings::*multiplier;
  NumberFormat FormatSettings::*format;  // the pair the dialog shows
  void (*setFormat)(FormatSettings& settings, NumberFormat format);
  ZeroSuppression FormatSettings::*compression;
  double FormatSettings::*offsetX;
  double FormatSettings::*offsetY;
  std::string FormatSettings::*extension;
  std::string_view extensionKey;
  std::string_view multiplierKey;
  std::string_view formatKey;
  std::string_view compressionKey;
  std::string_view offsetsKey;
};

// The Gerber and Drill File Format dialogs: multiplier, number format, zero
// suppression, offsets and file extension of one file kind.
class CCoordinateFormatDlg : public CFormatDialog {
 public:
  static constexpr int32_t kNumberFormatListId = 1015;
  static constexpr int32_t kOffsetXEditId = 1016;
  static constexpr int32_t kOffsetYEditId = 1017;
  static constexpr int32_t kLeadingCheckId = 1012;
  static constexpr int32_t kTrailingCheckId = 1013;
  static constexpr int32_t kDefaultsButtonId = 32802;
  // The text of the number format the Defaults button selects.
  static constexpr int32_t kDefaultFormatIndex = 1;

  int32_t ResourceId() const override { return kind_.resourceId; }
  std::string_view Title() const { return kind_.title; }

  // --- Before the run ----------------------------------------------------------
  // The document's values of this file kind, with the number formats offered.
  void Fill(const FormatSettings& settings);
  void SetMultiplier(double value) { multiplierEdit_.Show(value); }
  void SetOffsets(double x, double y);
  void SetExtension(std::string text) { extension_ = std::move(text); }
  // "Leading zero" for 1, "Trailing zero" for 2, neither otherwise.
  void SetZeroSuppression(ZeroSuppression mode);
  // Offers "2  3", "2  4" and "2  5", and a fourth text from `current` when it
  // is none of them; the text of `current` is selected.
  void OfferNumberFormats(NumberFormat current);

  // --- The window --------------------------------------------------------------
  // The multiplier, offset and extension edits.
  const std::string& EditText(int32_t controlId) const;
  void OnEditChange(int32_t controlId, std::string text);
  const std::vector<std::string>& NumberFormatTexts() const { return formatTexts_; }
  int32_t NumberFormatSelection() const { return formatSelection_; }
  // A single-selection list keeps its selected line: a line outside the list
  // (the user clearing the selection) leaves it where it was.
  void OnNumberFormatSelChange(int32_t line);
  bool IsChecked(int32_t controlId) const;
  // A click on "Leading zero" or "Trailing zero" that left it `checked`: at
  // most one of the two stays checked, both may be clear.
  void OnCheckClicked(int32_t controlId, bool checked);
  // Multiplier 1, leading zeros, offsets 0, the kind's extension, "2  4".
  void OnDefaults();
  // False keeps the dialog open: a number field holds no number.
  bool OnOK();

  // --- After OK ----------------------------------------------------------------
  double GetMultiplier() const { return multiplier_; }
  double GetOffsetX() const { return offsetX_; }
  double GetOffsetY() const { return offsetY_; }
  const std::string& GetExtension() const { return extension_; }
  ZeroSuppression GetZeroSuppression() const;
  // The selected text, empty when none is.
  std::string NumberFormatText() const;
  // The selected text's two numbers; a missing one is 0.
  NumberFormat GetNumberFormat() const;

  // Writes what changed to the document and its stored defaults: a changed
  // extension alone marks the document modified; a change of anything that
  // decodes coordinates reloads every file and repaints.
  void Apply(const FormatApplyTarget& target) const;

 protected:
  CCoordinateFormatDlg(const CoordinateFormatKind& kind, Prompter* prompter)
      : CFormatDialog(prompter), kind_(kind) {}

 private:
  bool ReadControls();
  bool ChangesDecoding(const FormatSettings& settings) const;

  const CoordinateFormatKind& kind_;
  RealEdit multiplierEdit_;
  RealEdit offsetXEdit_;
  RealEdit offsetYEdit_;
  std::string extension_;
  std::vector<std::string> formatTexts_;
  int32_t formatSelection_ = -1;
  bool leading_ = false;
  bool trailing_ = false;
  double multiplier_ = 0.0;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
};

}  // namespace corvane
