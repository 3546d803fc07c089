#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dialogs/table_list_dlg.h"
#include "document/plot_records.h"

namespace corvane {

// One line of the drill tool list: tool number, plating ("Unknown",
// "Plated", "Unplated"), diameter to three decimals, quantity.
std::string FormatDrillToolLine(const DrillTool& tool);

// The Drill Tool List dialog: the drill tool table and Load for a drill tool
// file.
class CDrillToolListDlg : public CTableListDlg {
 public:
  static constexpr int32_t kResourceId = 153;
  static constexpr int32_t kFileNameId = 1009;
  static constexpr int32_t kListId = 1027;
  static constexpr int32_t kLoadId = 1028;
  static constexpr std::array<int32_t, 4> kTabStops{10, 30, 80, 120};
  static constexpr std::string_view kTitle = "Drill Tool List";
  static constexpr std::string_view kFileLabel = "Drill Tool file:";
  static constexpr std::string_view kListLabel = "Drill Tools:";
  static constexpr std::string_view kHeading = " Tool #    Type                Diameter       Quan";
  static constexpr std::string_view kFilter = "Drill Tool Files (*.%s)|*.%s|All Files (*.*)|*.*||";

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
