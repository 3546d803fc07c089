#pragma once

// The model behind a dockable list of places (differences, findings, netlist
// results): rows of texts, each with the box it zooms to, a current row that
// Next and Previous step through, and markers for the picture. Choosing a row
// runs the owner's command (zoom there, mark it, highlight its nets); the
// panel's widget only shows the rows and reports which one was chosen.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "view/view_overlay.h"

namespace corvane {

struct PlaceRow {
  std::vector<std::string> texts;  // one per column
  Extents box;                     // plot units of the reading drawn
  double atX = 0.0;                // the place's own point, plot units
  double atY = 0.0;
  uint32_t color = 0x0000FF;  // of its marker, 0x00BBGGRR
};

class PlaceList {
 public:
  using Chosen = std::function<void(std::size_t row)>;
  using Changed = std::function<void()>;

  explicit PlaceList(std::vector<std::string> columns) : columns_(std::move(columns)) {}

  const std::vector<std::string>& Columns() const { return columns_; }
  const std::vector<PlaceRow>& Rows() const { return rows_; }
  // The line under the rows ("3 findings", "10 000 listed, 52 more"); may be empty.
  const std::string& Summary() const { return summary_; }
  std::optional<std::size_t> Current() const { return current_; }

  // Replaces the rows; no row is current. The panel is told.
  void SetRows(std::vector<PlaceRow> rows, std::string summary);
  void Clear() { SetRows({}, {}); }

  // Makes the row current and runs the owner's command for it; false for a
  // row that is not there.
  bool Choose(std::size_t row);
  // The next (previous) row after (before) the current one, wrapping round;
  // the first (last) when none is current. False for an empty list.
  bool Next();
  bool Previous();

  void OnChosen(Chosen chosen) { chosen_ = std::move(chosen); }
  // The panel's widget listens here; it is told after every change of rows or
  // of the current row.
  void OnChanged(Changed changed) { changed_ = std::move(changed); }

  // A marker per row, the current one drawn wider.
  std::vector<PlotMarker> Markers() const;

 private:
  void Tell() const {
    if (changed_) changed_();
  }

  std::vector<std::string> columns_;
  std::vector<PlaceRow> rows_;
  std::string summary_;
  std::optional<std::size_t> current_;
  Chosen chosen_;
  Changed changed_;
};

}  // namespace corvane
