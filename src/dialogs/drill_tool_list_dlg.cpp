#include "dialogs/drill_tool_list_dlg.h"

#include "document/corvane_doc.h"
#include "loading/document_loader.h"

namespace corvane {

std::string FormatDrillToolLine(const DrillTool& tool) {
  return "\t" + std::to_string(tool.tool) + "\t" + std::string(PlatingName(tool.plating)) + "\t" +
         ThreeDecimals(tool.diameter) + "\t" + std::to_string(tool.quantity);
}

std::string CDrillToolListDlg::DocumentFileName() const { return Doc().GetDrillToolFileName(); }

std::vector<std::string> CDrillToolListDlg::TableLines() const {
  std::vector<std::string> lines;
  const CCorvaneDoc& doc = Doc();
  lines.reserve(static_cast<std::size_t>(doc.GetDrillToolCount()));
  for (int32_t i = 0; i < doc.GetDrillToolCount(); ++i) {
    DrillTool tool;
    if (doc.GetDrillTool(i, tool)) lines.push_back(FormatDrillToolLine(tool));
  }
  return lines;
}

std::string_view CDrillToolListDlg::Extension() const { return Doc().Settings().drillToolFileExt; }

void CDrillToolListDlg::LoadFile(std::string_view path) { Loader().LoadDrillToolFile(path); }

}  // namespace corvane
