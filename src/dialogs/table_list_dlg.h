#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/path_shortening.h"
#include "platform/dialog_runner.h"

namespace corvane {

class CCorvaneDoc;
class DocumentLoader;
class Prompter;

// One piece of a list line that holds tabs, and where it starts.
struct TabbedPiece {
  int32_t x = 0;
  std::string text;
  friend bool operator==(const TabbedPiece&, const TabbedPiece&) = default;
};

// Lays a line out the way a list with tab stops draws it: the text before the
// first tab starts at 0, the text after each tab at the first stop right of
// where the line has got to. Past the last stop a tab is as wide as a blank.
// Empty pieces are left out.
std::vector<TabbedPiece> LayOutTabbedLine(std::string_view line,
                                          std::span<const int32_t> stopsInPixels,
                                          const TextWidthFunction& measure);

// "%0.03f": three decimals after a point, whatever the process locale says.
std::string ThreeDecimals(double value);

// A horizontal length in dialog units as pixels of a font whose average
// character width is `averageCharWidth`: a dialog unit is a quarter of it.
int32_t DialogUnitsToPixels(int32_t units, double averageCharWidth);

// What the Aperture List and Drill Tool List dialogs share: the name of the
// table's file, the table as tabbed lines, and Load, which chooses a file of
// the kind, loads it into the document and shows the table again.
class CTableListDlg : public ModalDialog {
 public:
  static constexpr std::string_view kLoadText = "Load";

  // Neither is owned. Without a prompter Load does nothing.
  CTableListDlg(DocumentLoader& loader, Prompter* prompter)
      : loader_(loader), prompter_(prompter) {}

  virtual std::string_view Title() const = 0;
  virtual std::string_view FileLabel() const = 0;
  virtual std::string_view ListLabel() const = 0;
  virtual std::string_view Heading() const = 0;
  // The list's tab stops, in dialog units.
  virtual std::span<const int32_t> TabStops() const = 0;
  virtual int32_t FileNameId() const = 0;
  virtual int32_t ListId() const = 0;
  virtual int32_t LoadId() const = 0;

  // Takes the file name from the document and fills; the name is shortened
  // to `fileNameWidth` as `measure` finds it.
  void OnInitDialog(int32_t fileNameWidth, TextWidthFunction measure);
  // Chooses a file, loads it and fills again; false when the user cancels.
  bool OnLoad();

  // The file name as it stands, and as the dialog shows it.
  const std::string& FileName() const { return fileName_; }
  const std::string& ShownFileName() const { return shownFileName_; }
  const std::vector<std::string>& ListLines() const { return lines_; }
  // Grows whenever the dialog fills again.
  int32_t ListRevision() const { return revision_; }

 protected:
  CCorvaneDoc& Doc() const;
  DocumentLoader& Loader() const { return loader_; }

 private:
  virtual std::string DocumentFileName() const = 0;
  virtual std::vector<std::string> TableLines() const = 0;
  virtual std::string_view FilterFormat() const = 0;
  virtual std::string_view Extension() const = 0;
  virtual void LoadFile(std::string_view path) = 0;

  void Fill();

  DocumentLoader& loader_;
  Prompter* prompter_;
  std::string fileName_;
  std::string shownFileName_;
  std::vector<std::string> lines_;
  int32_t revision_ = 0;
  int32_t fileNameWidth_ = 0;
  TextWidthFunction measure_;
};

}  // namespace corvane
