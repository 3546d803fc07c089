#include "dialogs/aperture_list_dlg.h"

#include "document/corvane_doc.h"
#include "loading/document_loader.h"

namespace corvane {

std::string FormatApertureLine(const Aperture& aperture) {
  return "\t" + std::to_string(aperture.dcode) + "\t" + std::string(ShapeName(aperture.shape)) +
         "\t" + ThreeDecimals(aperture.sizeX) + "\t" + ThreeDecimals(aperture.sizeY) + "\t" +
         std::to_string(aperture.quantity);
}

std::string CApertureListDlg::DocumentFileName() const { return Doc().GetApertureFileName(); }

std::vector<std::string> CApertureListDlg::TableLines() const {
  std::vector<std::string> lines;
  const CCorvaneDoc& doc = Doc();
  lines.reserve(static_cast<std::size_t>(doc.GetApertureCount()));
  for (int32_t i = 0; i < doc.GetApertureCount(); ++i) {
    Aperture aperture;
    if (doc.GetAperture(i, aperture)) lines.push_back(FormatApertureLine(aperture));
  }
  return lines;
}

std::string_view CApertureListDlg::Extension() const { return Doc().Settings().apertureFileExt; }

void CApertureListDlg::LoadFile(std::string_view path) { Loader().LoadApertureFile(path); }

}  // namespace corvane
