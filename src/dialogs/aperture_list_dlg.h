#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dialogs/table_list_dlg.h"
#include "document/plot_records.h"

namespace corvane {

// One line of the aperture list: D-code, shape name (empty for a polygon, a
// macro or no shape), width and height to three decimals, quantity.
std::string FormatApertureLine(const Aperture& aperture);

// The Aperture List dialog: every aperture the document knows, from plot
// files and from the aperture file, and Load for an aperture file.
class CApertureListDlg : public CTableListDlg {
 public:
  static constexpr int32_t kResourceId = 152;
  static constexpr int32_t kFileNameId = 1007;
  static constexpr int32_t kListId = 1025;
  static constexpr int32_t kLoadId = 1026;
  static constexpr std::array<int32_t, 5> kTabStops{5, 25, 60, 90, 120};
  static constexpr std::string_view kTitle = "Aperture List";
  static constexpr std::string_view kFileLabel = "Aperture file:";
  static constexpr std::string_view kListLabel = "Apertures:";
  static constexpr std::string_view kHeading = "D Code   Type      Width     Height      Quan";
  static constexpr std::string_view kFilter =
      "Gerber Aperture Files (*.%s)|*.%s|All Files (*.*)|*.*||";

  using CTableListDlg::CTableListDlg;

  int32_t ResourceId() const override { return kResourceId; }
  std::string_view Title() const override { return kTitle; }
  std::string_view FileLabel() const override { return kFileLabel; }
  std::string_view ListLabel() const override { return kListLabel; }
  std::string_view Heading() const override { return kHeading; }
  std::span<const int32_t> TabStops() const override { return kTabStops; }
  int32_t FileNameId() const override { return kFileNameId; }
  int32_t ListId() const override { return kListId; }
  int32_t LoadId() const override { return kLoadId; }

 private:
  std::string DocumentFileName() const override;
  std::vector<std::string> TableLines() const override;
  std::string_view FilterFormat() const override { return kFilter; }
  std::string_view Extension() const override;
  void LoadFile(std::string_view path) override;
};

}  // namespace corvane
