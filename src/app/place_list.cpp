#include "app/place_list.h"

#include <utility>

namespace corvane {

void PlaceList::SetRows(std::vector<PlaceRow> rows, std::string summary) {
  rows_ = std::move(rows);
  summary_ = std::move(summary);
  current_.reset();
  Tell();
}

bool PlaceList::Choose(std::size_t row) {
  if (row >= rows_.size()) return false;
  current_ = row;
  Tell();
  if (chosen_) chosen_(row);
  return true;
}

bool PlaceList::Next() {
  if (rows_.empty()) return false;
  return Choose(current_ ? (*current_ + 1) % rows_.size() : 0);
}

bool PlaceList::Previous() {
  if (rows_.empty()) return false;
  return Choose(current_ ? (*current_ + rows_.size() - 1) % rows_.size() : rows_.size() - 1);
}

std::vector<PlotMarker> PlaceList::Markers() const {
  std::vector<PlotMarker> markers;
  markers.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const PlaceRow& row = rows_[i];
    markers.push_back({row.box.minX, row.box.minY, row.box.maxX, row.box.maxY, row.atX, row.atY,
                       row.color, current_ == i});
  }
  return markers;
}

}  // namespace corvane
