#pragma once

#include <QDockWidget>
#include <QTreeWidget>
#include <vector>

#include "app/layer_panel.h"

namespace corvane {

// The rows' list: a drop moves a layer through the panel's rule instead of
// moving the widget's item, and the list is filled again from the document.
class CLayerList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CLayerList(QWidget* parent = nullptr);

 signals:
  void RowDropped(int from, int to);

 protected:
  void dropEvent(QDropEvent* event) override;
};

// The dockable Layers panel beside the view: the rows of the core's
// LayerPanel, a check box each, the function in words and the colour (a
// click on it opens the colour chooser); a row dragged to another place
// moves the layer. It holds no rule of its own.
class CLayerPanelDock : public QDockWidget {
  Q_OBJECT

 public:
  static constexpr int kNameColumn = 0;
  static constexpr int kFunctionColumn = 1;
  static constexpr int kColorColumn = 2;

  CLayerPanelDock(LayerPanel& panel, QWidget* parent = nullptr);

  // Fills the list again when the document's rows differ from those shown.
  void Refresh();
  CLayerList& List() { return *list_; }

 private:
  void Fill(const std::vector<LayerPanelRow>& rows);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnItemClicked(QTreeWidgetItem* item, int column);

  LayerPanel& panel_;
  CLayerList* list_ = nullptr;
  std::vector<LayerPanelRow> shown_;
  bool filling_ = false;
};

}  // namespace corvane
