#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <memory>

#include "app/status_pane.h"
#include "app/window_placement.h"
#include "platform/frame_host.h"
#include "qt/qt_dialog_runner.h"

class QAction;
class QMenu;
class QTimer;
class QToolBar;

namespace corvane {

class AppShell;
class CHelpWindow;
class CLayerPanelDock;
class CPlaceListPanel;
class CInspectorDock;
class Inspector;
class CViewWindow;
class QtPrintService;

// The main window: menu bar, toolbar and status bar over the one view. Every
// action runs its command through the shell's routing chain, and takes its
// enabled and checked state from the chain's update rules.
class CMainFrame : public QMainWindow, public FrameHost, public PlacementWindow {
  Q_OBJECT

 public:
  // Builds the bars and the view, attaches itself and the view to the shell,
  // and restores the stored placement. `helpDir` holds the help pages.
  CMainFrame(AppShell& shell, QString helpDir, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CViewWindow& ViewWindow() { return *viewWindow_; }
  // Runs the core's dialogs over this window.
  QtDialogRunner& Dialogs() { return dialogRunner_; }
  QtPrintService& Printers() { return *printService_; }
  QAction* Action(int32_t id) const { return actions_.value(id, nullptr); }
  QToolBar* ToolBar() const { return toolBar_; }
  QString MessageText() const { return messagePane_->text(); }
  QString PositionText() const { return positionPane_->text(); }
  QString IndicatorText(int index) const;
  CHelpWindow* HelpWindow() const;
  // Applies every command's update rule to its action.
  void UpdateCommandUi();

  // FrameHost
  bool IsToolBarVisible() const override;
  void ShowToolBar(bool visible) override;
  bool IsStatusBarVisible() const override;
  void ShowStatusBar(bool visible) override;
  bool IsLayerPanelVisible() const override;
  void ShowLayerPanel(bool visible) override;
  bool IsInspectorVisible() const override;
  void ShowInspector(bool visible) override;
  void StartFind() override;
  CLayerPanelDock* LayerPanelDock() const { return layerDock_; }
  CInspectorDock* InspectorDock() const { return inspectorDock_; }
  CPlaceListPanel* DifferencesDock() const { return differencesDock_; }
  void Close() override { close(); }
  void ShowAbout() override;
  void ShowHelpPage(const std::string& page) override;
  void SetStatusText(std::string_view text) override;
  void SetStatusHint(std::string_view text, std::string_view fullText) override;
  void SetCaption(const std::string& caption) override;

  // PlacementWindow
  bool GetPlacement(WindowPlacementState& placement) const override;
  void SetPlacement(const WindowPlacementState& placement) override;
  int32_t VirtualScreenWidth() const override;
  int32_t VirtualScreenHeight() const override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void UpdateRecentFileMenu();
  void UpdateIndicators();
  // The view's position pane: its text, and the same for accessibility.
  void ShowPosition(std::string_view text);
  // The message pane's text and tooltip as the status pane has them.
  void ShowStatusPane();
  void RunCommand(int32_t id);
  // The Inspector of the view and its panel; the shell's commands reach them.
  void CreateInspector();

  AppShell& shell_;
  QString helpDir_;
  CViewWindow* viewWindow_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  CLayerPanelDock* layerDock_ = nullptr;
  CPlaceListPanel* netlistDock_ = nullptr;  // shown by the first netlist check
  CPlaceListPanel* findingsDock_ = nullptr;
  CPlaceListPanel* differencesDock_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QLabel* positionPane_ = nullptr;
  StatusPane statusPane_;
  std::array<QLabel*, 3> indicators_{};
  QMap<int32_t, QAction*> actions_;
  QMenu* workspaceMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QTimer* idleTimer_ = nullptr;
  QPointer<CHelpWindow> helpWindow_;
  QtDialogRunner dialogRunner_;
  std::unique_ptr<QtPrintService> printService_;
  std::unique_ptr<Inspector> inspector_;
  CInspectorDock* inspectorDock_ = nullptr;
};

}  // namespace corvane
