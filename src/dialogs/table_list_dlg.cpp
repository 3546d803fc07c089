#include "dialogs/table_list_dlg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "dialogs/file_request.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"

namespace corvane {

std::vector<TabbedPiece> LayOutTabbedLine(std::string_view line,
                                          std::span<const int32_t> stopsInPixels,
                                          const TextWidthFunction& measure) {
  std::vector<TabbedPiece> pieces;
  int32_t x = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    const std::string_view text =
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (!text.empty()) {
      pieces.push_back(TabbedPiece{x, std::string(text)});
      x += measure(text);
    }
    if (tab == std::string_view::npos) break;
    const auto stop = std::find_if(stopsInPixels.begin(), stopsInPixels.end(),
                                   [x](int32_t at) { return at > x; });
    x = stop != stopsInPixels.end() ? *stop : x + measure(" ");
    start = tab + 1;
  }
  return pieces;
}

std::string ThreeDecimals(double value) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 3);
  return std::string(buffer.data(), result.ptr);
}

int32_t DialogUnitsToPixels(int32_t units, double averageCharWidth) {
  return static_cast<int32_t>(std::lround(units * averageCharWidth / 4.0));
}

CCorvaneDoc& CTableListDlg::Doc() const { return loader_.Doc(); }

void CTableListDlg::OnInitDialog(int32_t fileNameWidth, TextWidthFunction measure) {
  fileNameWidth_ = fileNameWidth;
  measure_ = std::move(measure);
  fileName_ = DocumentFileName();
  Fill();
}

void CTableListDlg::Fill() {
  shownFileName_ = measure_ ? ShortenPathToFit(fileName_, fileNameWidth_, measure_) : fileName_;
  lines_ = TableLines();
  ++revision_;
}

bool CTableListDlg::OnLoad() {
  if (prompter_ == nullptr) return false;
  const std::string ext(Extension());
  const auto path =
      prompter_->ChooseFile(OpenFileRequest(FilterFormat(), ext, Doc().GetDocumentDirectory()));
  if (!path) return false;
  // The chosen name is shown even when the file cannot be read; the table
  // then stays as it was.
  fileName_ = *path;
  {
    WaitCursor wait(prompter_);
    LoadFile(*path);
  }
  Doc().SetModified(true);
  Fill();
  return true;
}

}  // namespace corvane
