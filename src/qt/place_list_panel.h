#pragma once

#include <QDockWidget>

class QLabel;
class QTreeWidget;

namespace corvane {

class PlaceList;

// A dockable list over a PlaceList: one line per place, the summary under
// them. Clicking or pressing Return on a line chooses it in the core, which
// zooms and marks; the current line follows the core's current row, so Next
// and Previous from the menu move the selection too. The dock, the list and
// the summary are named for accessibility after the panel's title.
class CPlaceListPanel : public QDockWidget {
  Q_OBJECT

 public:
  // `title`: "Differences", "Findings", "Netlist". The list must outlive the panel.
  CPlaceListPanel(const QString& title, PlaceList& list, QWidget* parent = nullptr);
  ~CPlaceListPanel() override;

  QTreeWidget* Lines() const { return lines_; }
  QString SummaryText() const;

 private:
  void Rebuild();
  void ShowCurrent();

  PlaceList& list_;
  QTreeWidget* lines_ = nullptr;
  QLabel* summary_ = nullptr;
  bool updating_ = false;
};

}  // namespace corvane
