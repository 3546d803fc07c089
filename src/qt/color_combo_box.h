#pragma once

#include <QComboBox>

#include "dialogs/color_combo.h"

class QPainter;

namespace corvane {

// Draws one item of the colour list, or its face, as the core decided.
void PaintColorItem(QPainter& painter, const ColorItemDrawing& drawing, const QRect& rect);

// The owner-drawn colour list over CColorCombo: the items and the closed face
// are drawn by the core's decisions, and its notifications (open, close,
// focus) and the Up and Down keys go to the core. A choice, by mouse or key,
// is reported through `colorChosen` with the item's index; the control shows
// whatever the core then holds (ShowState).
class CColorComboBox : public QComboBox {
  Q_OBJECT

 public:
  CColorComboBox(CColorCombo& combo, QWidget* parent = nullptr);

  // Takes the items and the selection from the core.
  void ShowState();
  CColorCombo& Combo() const { return combo_; }

  void showPopup() override;
  void hidePopup() override;

 signals:
  void colorChosen(int index);
  void keyStep(CColorCombo::Key key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CColorCombo& combo_;
};

}  // namespace corvane
