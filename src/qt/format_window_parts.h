#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QLabel>

#include "dialogs/format_dialog.h"

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace corvane {

class CFormatDialog;
class FieldOrderList;

// What a dialog's Help button calls with the dialog's resource number.
using HelpFunction = std::function<void(int32_t resource)>;

// Pieces the four file format windows share. Controls are named after their
// control numbers ("edit1014", "list1019", "button11") for the widget tests,
// and each carries its label as its accessible name.

// A push button with `text`.
QPushButton* MakeButton(QWidget* parent, std::string_view text, int32_t controlId);
// An edit and the label before it, the label's mnemonic going to the edit.
QLineEdit* MakeEdit(QWidget* parent, std::string_view label, int32_t controlId,
                    QLabel** labelOut = nullptr);
// A single-selection list and its label.
QListWidget* MakeList(QWidget* parent, std::string_view label, int32_t controlId,
                      QLabel** labelOut = nullptr);

// Shows `text` in the edit unless it shows it already, so that the cursor of
// a user typing in it stays where it is.
void ShowText(QLineEdit& edit, const std::string& text);
// Shows the lines and the selection (-1: none) without reporting them back.
void ShowLines(QListWidget& list, const std::vector<std::string>& lines, int32_t selection);
void ShowLines(QListWidget& list, const std::vector<std::string_view>& lines, int32_t selection);
// The selected row of a single-selection list, -1 for none.
int32_t SelectedRow(const QListWidget& list);

// OK, Cancel, the Defaults button and Help down `column`, as the dialogs have
// them. OK is the default button and calls the window's accept(), which asks
// the dialog first; Help calls `help` with `resource`.
void AddDialogButtons(QDialog& window, QBoxLayout& column, QPushButton* defaults,
                      const HelpFunction& help, int32_t resource);

// The "Field Order" list with its label and the Move Up, Move Down, Add Skip
// and Delete Skip buttons of the aperture and drill tool format windows.
struct FieldOrderControls {
  QLabel* label = nullptr;
  QListWidget* list = nullptr;
  QPushButton* moveUp = nullptr;
  QPushButton* moveDown = nullptr;
  QPushButton* addSkip = nullptr;
  QPushButton* deleteSkip = nullptr;
};
FieldOrderControls MakeFieldOrderControls(QWidget* parent);
void ShowFieldOrder(FieldOrderControls& controls, const FieldOrderList& order);

// Binds the field-order controls to a dialog's handlers; `refresh` shows the
// dialog's state afterwards.
template <typename Dialog, typename Refresh>
void ConnectFieldOrder(QWidget* window, const FieldOrderControls& c, Dialog& dialog,
                       Refresh refresh) {
  QObject::connect(c.list, &QListWidget::itemSelectionChanged, window, [&dialog, c, refresh] {
    dialog.OnOrderSelChange(SelectedRow(*c.list));
    refresh();
  });
  const auto bind = [&](QPushButton* button, void (Dialog::*handler)()) {
    QObject::connect(button, &QPushButton::clicked, window, [&dialog, handler, refresh] {
      (dialog.*handler)();
      refresh();
    });
  };
  bind(c.moveUp, &Dialog::OnMoveUp);
  bind(c.moveDown, &Dialog::OnMoveDown);
  bind(c.addSkip, &Dialog::OnAddSkip);
  bind(c.deleteSkip, &Dialog::OnDeleteSkip);
}

// The layout the aperture and drill tool format windows share: their fields
// on the left, then the field-order list, its buttons, and OK, Cancel,
// Defaults and Help; every button bound to the dialog, `refresh` showing the
// dialog's state after each. Returns the field-order controls to refresh.
template <typename Dialog, typename Refresh>
FieldOrderControls LayOutTableFormatWindow(QDialog& window, QLayout* fields, Dialog& dialog,
                                           Refresh refresh, const HelpFunction& help) {
  FieldOrderControls order = MakeFieldOrderControls(&window);
  ConnectFieldOrder(&window, order, dialog, refresh);
  auto* orderColumn = new QVBoxLayout;
  orderColumn->addWidget(order.label);
  orderColumn->addWidget(order.list, 1);
  auto* orderButtons = new QVBoxLayout;
  for (QPushButton* button : {order.moveUp, order.moveDown, order.addSkip, order.deleteSkip}) {
    orderButtons->addWidget(button);
  }
  orderButtons->addStretch(1);

  QPushButton* defaults = MakeButton(&window, kDefaultsButton, Dialog::kDefaultsButtonId);
  QObject::connect(defaults, &QPushButton::clicked, &window, [&dialog, refresh] {
    dialog.OnDefaults();
    refresh();
  });
  auto* buttons = new QVBoxLayout;
  AddDialogButtons(window, *buttons, defaults, help, dialog.ResourceId());

  auto* layout = new QHBoxLayout(&window);
  layout->addLayout(fields);
  layout->addLayout(orderColumn);
  layout->addLayout(orderButtons);
  layout->addLayout(buttons);
  return order;
}

// Gives the focus to the control the dialog asks for, its text selected.
void ApplyFocusRequest(QWidget& window, CFormatDialog& dialog);

}  // namespace corvane
