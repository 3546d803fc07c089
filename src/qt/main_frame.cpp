#include "qt/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/app_shell.h"
#include "app/object_probe.h"
#include "app/command_table.h"
#include "app/status_texts.h"
#include "qt/about_dlg.h"
#include "qt/dialog_windows.h"
#include "qt/help_window.h"
#include "qt/probe_dock.h"
#include "qt/key_state.h"
#include "qt/layer_panel_dock.h"
#include "qt/place_list_panel.h"
#include "qt/print_support.h"
#include "qt/qt_text.h"
#include "qt/toolbar_icons.h"
#include "qt/view_window.h"

namespace corvane {
namespace {

QKeySequence ToKeySequence(const Accelerator& accelerator) {
  static constexpr Qt::Key kKeys[] = {Qt::Key_N, Qt::Key_O, Qt::Key_S,
                                      Qt::Key_P, Qt::Key_F, Qt::Key_F8};
  const Qt::Key key = kKeys[static_cast<int>(accelerator.key)];
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  if (accelerator.ctrl) modifiers |= Qt::ControlModifier;
  if (accelerator.shift) modifiers |= Qt::ShiftModifier;
  return QKeySequence(QKeyCombination(modifiers, key));
}

constexpr int kIdleMilliseconds = 250;

}  // namespace

CMainFrame::CMainFrame(AppShell& shell, QString helpDir, QWidget* parent)
    : QMainWindow(parent), shell_(shell), helpDir_(std::move(helpDir)) {
  setWindowIcon(QIcon(AppIconPixmap()));
  viewWindow_ = new CViewWindow(shell_.Doc(), this);
  viewWindow_->SetStatusSink([this](std::string_view text) { SetStatusText(text); });
  viewWindow_->SetPositionSink([this](std::string_view text) { ShowPosition(text); });
  setCentralWidget(viewWindow_);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  setAcceptDrops(true);
  resize(1000, 700);

  shell_.AttachFrame(this);
  dialogRunner_.SetParent(this);
  RegisterDialogWindows(dialogRunner_, shell_);
  shell_.AttachDialogRunner(&dialogRunner_);
  shell_.AttachView(viewWindow_->View(), [this] { viewWindow_->InitialUpdate(); });
  if (LayerPanel* layers = shell_.Layers()) {
    layerDock_ = new CLayerPanelDock(*layers, this);
    addDockWidget(Qt::LeftDockWidgetArea, layerDock_);
    // Wide enough for a name, a function and the colour.
    resizeDocks({layerDock_}, {380}, Qt::Horizontal);
  }
  if (NetlistCommands* netlist = shell_.Netlist()) {
    netlistDock_ = new CPlaceListPanel(QStringLiteral("Netlist"), netlist->List(), this);
    addDockWidget(Qt::BottomDockWidgetArea, netlistDock_);
    netlistDock_->hide();
    netlist->OnShown([this] {
      netlistDock_->show();
      netlistDock_->raise();
    });
  }
  if (CheckCommands* checks = shell_.Checks()) {
    findingsDock_ = new CPlaceListPanel(QStringLiteral("Findings"), checks->Findings(), this);
    findingsDock_->setObjectName(QStringLiteral("FindingsPanel"));
    addDockWidget(Qt::BottomDockWidgetArea, findingsDock_);
    findingsDock_->hide();
    checks->SetShowFindings([this] {
      findingsDock_->show();
      findingsDock_->raise();
    });
  }
  CreateInspector();
  if (CompareMode* compare = shell_.Compare()) {
    differencesDock_ = new CPlaceListPanel(QStringLiteral("Differences"),
                                           compare->Differences(), this);
    addDockWidget(Qt::RightDockWidgetArea, differencesDock_);
    differencesDock_->hide();
    compare->OnActiveChanged([this](bool active) { differencesDock_->setVisible(active); });
  }
  printService_ = std::make_unique<QtPrintService>(this);
  shell_.AttachPrinting(*printService_, dialogRunner_);
  SetCaption(shell_.Lifecycle().GetCaption());
  LoadWindowPlacement(shell_.Store(), this);

  // The framework refreshes command states when idle; so does the frame.
  idleTimer_ = new QTimer(this);
  connect(idleTimer_, &QTimer::timeout, this, [this] {
    shell_.OnIdle();
    UpdateCommandUi();
    UpdateIndicators();
  });
  idleTimer_->start(kIdleMilliseconds);
  UpdateCommandUi();
  UpdateIndicators();
}

CMainFrame::~CMainFrame() {
  shell_.AttachInspector(nullptr);
  // The view and the panel go with this window; compare mode must not keep them.
  if (CompareMode* compare = shell_.Compare()) {
    compare->Leave();
    compare->OnActiveChanged({});
  }
  shell_.AttachDialogRunner(nullptr);
  shell_.AttachFrame(nullptr);
}

void CMainFrame::CreateInspector() {
  LayerGeometryCache* geometry = shell_.Geometry();
  if (geometry == nullptr) return;
  inspector_ = std::make_unique<Inspector>(viewWindow_->View(), *geometry);
  inspector_->SetUnit(StoredLengthUnit(shell_.Store()));
  inspectorDock_ = new CInspectorDock(
      *inspector_, [this](std::string_view text) { SetStatusText(text); }, this);
  // Shown when asked for (View > Inspector, Ctrl+F): until then the view
  // keeps the width it had.
  addDockWidget(Qt::RightDockWidgetArea, inspectorDock_);
  resizeDocks({inspectorDock_}, {280}, Qt::Horizontal);
  inspectorDock_->hide();
  shell_.AttachInspector(inspector_.get());
}

bool CMainFrame::IsInspectorVisible() const {
  return inspectorDock_ != nullptr && inspectorDock_->isVisible();
}
void CMainFrame::ShowInspector(bool visible) {
  if (inspectorDock_ == nullptr) return;
  inspectorDock_->setVisible(visible);
  if (visible) inspectorDock_->raise();
}
void CMainFrame::StartFind() {
  if (inspectorDock_ != nullptr) inspectorDock_->StartFind();
}

void CMainFrame::CreateActions() {
  for (const CommandInfo& command : AllCommands()) {
    const int32_t last = command.id == kIdFileMruFirst ? kIdFileMruLast : command.id;
    for (int32_t id = command.id; id <= last; ++id) {
      auto* action = new QAction(ToQString(command.menuText), this);
      action->setStatusTip(ToQString(command.prompt));
      action->setToolTip(command.tooltip.empty() ? QString() : ToQString(command.tooltip));
      action->setData(id);
      action->setObjectName(QStringLiteral("command%1").arg(id));
      const int image = ToolbarImageIndex(id);
      if (image >= 0) action->setIcon(QIcon(ToolbarImage(image)));
      connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
      actions_.insert(id, action);
    }
  }
  for (const Accelerator& accelerator : Accelerators()) {
    if (QAction* action = Action(accelerator.id)) action->setShortcut(ToKeySequence(accelerator));
  }
}

void CMainFrame::CreateMenus() {
  for (const MenuInfo& info : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(ToQString(info.title));
    for (const MenuEntry& entry : info.entries) {
      if (entry.kind == MenuEntry::Kind::kSeparator) {
        menu->addSeparator();
      } else if (entry.kind == MenuEntry::Kind::kRecentFiles) {
        for (int32_t id = kIdFileMruFirst; id <= kIdFileMruLast; ++id) menu->addAction(Action(id));
        workspaceMenu_ = menu;
      } else {
        menu->addAction(Action(entry.id));
      }
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUi(); });
  }
}

void CMainFrame::CreateToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("Standard"), this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
  toolBar_->setMovable(true);
  toolBar_->setFloatable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  for (const int32_t id : ToolbarButtons()) {
    if (id == kToolbarSeparator) {
      toolBar_->addSeparator();
    } else {
      QAction* action = Action(id);
      toolBar_->addAction(action);
      // Screen readers and UI automation name a button by its tooltip, not by
      // the menu text with its shortcut (which the Zoom Tool does not have).
      toolBar_->widgetForAction(action)->setAccessibleName(action->toolTip());
    }
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateStatusBar() {
  messagePane_ = new QLabel(ToQString(statusPane_.Text()), this);
  messagePane_->setObjectName(QStringLiteral("messagePane"));
  statusBar()->addWidget(messagePane_, 1);
  // The pointer's position beside the messages, so a tool's prompt stays.
  positionPane_ = new QLabel(this);
  positionPane_->setObjectName(QStringLiteral("positionPane"));
  positionPane_->setAccessibleName(QStringLiteral("Pointer position"));
  positionPane_->setFrameShape(QFrame::Panel);
  positionPane_->setFrameShadow(QFrame::Sunken);
  // Wide enough for a board's coordinates, so the panes do not shift as it moves.
  positionPane_->setMinimumWidth(
      positionPane_->fontMetrics().horizontalAdvance(QStringLiteral("X -0000.0000  Y -0000.0000")) +
      12);
  statusBar()->addPermanentWidget(positionPane_);
  for (std::size_t i = 0; i < indicators_.size(); ++i) {
    auto* pane = new QLabel(this);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    // Sized for its text, so the panes keep their place when a lock goes off.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(
                              ToQString(corvane::IndicatorText(kKeyIndicators[i]))) +
                          12);
    statusBar()->addPermanentWidget(pane);
    indicators_[i] = pane;
  }
}

QString CMainFrame::IndicatorText(int index) const {
  return index >= 0 && index < static_cast<int>(indicators_.size())
             ? indicators_[static_cast<std::size_t>(index)]->text()
             : QString();
}

CHelpWindow* CMainFrame::HelpWindow() const { return helpWindow_.data(); }

void CMainFrame::RunCommand(int32_t id) {
  shell_.Execute(id);
  // Exit may have closed the window; the timer then stops with it.
  UpdateCommandUi();
}

void CMainFrame::UpdateCommandUi() {
  UpdateRecentFileMenu();
  if (layerDock_ != nullptr) layerDock_->Refresh();
  if (inspectorDock_ != nullptr) inspectorDock_->Refresh();
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const CommandUi ui = shell_.Update(it.key());
    QAction* action = it.value();
    action->setEnabled(ui.enabled);
    action->setCheckable(ui.checked.has_value());
    if (ui.checked) action->setChecked(*ui.checked);
  }
}

void CMainFrame::UpdateRecentFileMenu() {
  const RecentFileList& recent = shell_.RecentFiles();
  const std::string currentDir = QDir::currentPath().toStdString();
  for (int32_t i = 0; i < kRecentFileCount; ++i) {
    QAction* action = Action(kIdFileMruFirst + i);
    if (i < recent.Count()) {
      action->setText(ToQString(recent.MenuText(i, currentDir)));
      action->setVisible(true);
    } else {
      // An empty list shows the placeholder item, disabled.
      action->setText(QStringLiteral("Recent File"));
      action->setVisible(i == 0 && recent.Count() == 0);
    }
  }
}

void CMainFrame::UpdateIndicators() {
  const LockStates locks = QueryLockStates();
  const bool on[] = {locks.capsLock, locks.numLock, locks.scrollLock};
  for (std::size_t i = 0; i < indicators_.size(); ++i) {
    indicators_[i]->setText(ToQString(IndicatorPaneText(kKeyIndicators[i], on[i])));
  }
}

bool CMainFrame::IsToolBarVisible() const { return toolBar_->isVisible(); }
void CMainFrame::ShowToolBar(bool visible) { toolBar_->setVisible(visible); }
bool CMainFrame::IsStatusBarVisible() const { return statusBar()->isVisible(); }
void CMainFrame::ShowStatusBar(bool visible) { statusBar()->setVisible(visible); }
bool CMainFrame::IsLayerPanelVisible() const {
  return layerDock_ != nullptr && layerDock_->isVisible();
}
void CMainFrame::ShowLayerPanel(bool visible) {
  if (layerDock_ != nullptr) layerDock_->setVisible(visible);
}

void CMainFrame::ShowAbout() {
  CAboutDlg dialog(this);
  dialog.exec();
}

void CMainFrame::ShowHelpPage(const std::string& page) {
  if (helpWindow_ == nullptr) helpWindow_ = new CHelpWindow(helpDir_, this);
  helpWindow_->ShowPage(ToQString(page));
}

void CMainFrame::SetStatusText(std::string_view text) {
  SetStatusHint(text, {});
}

void CMainFrame::SetStatusHint(std::string_view text, std::string_view fullText) {
  statusPane_.SetMessage(text, fullText);
  ShowStatusPane();
}

void CMainFrame::ShowStatusPane() {
  messagePane_->setText(ToQString(statusPane_.Text()));
  messagePane_->setToolTip(ToQString(statusPane_.ToolTip()));
}

void CMainFrame::ShowPosition(std::string_view text) {
  if (positionPane_ == nullptr) return;
  const QString shown = ToQString(text);
  positionPane_->setText(shown);
  // The pane keeps its name; screen readers and UI automation read the
  // position as its description.
  positionPane_->setAccessibleDescription(shown);
}

void CMainFrame::SetCaption(const std::string& caption) { setWindowTitle(ToQString(caption)); }

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    statusPane_.SetHoverPrompt(static_cast<QStatusTipEvent*>(event)->tip().toStdString());
    ShowStatusPane();
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!shell_.CanClose()) {
    event->ignore();
    return;
  }
  SaveWindowPlacement(shell_.Store(), this);
  idleTimer_->stop();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  event->acceptProposedAction();
  activateWindow();
  shell_.OpenDroppedFiles(paths);
  UpdateCommandUi();
}

bool CMainFrame::GetPlacement(WindowPlacementState& placement) const {
  const QRect normal =
      isMaximized() || isMinimized() || isFullScreen() ? normalGeometry() : geometry();
  if (!normal.isValid()) return false;
  placement.normal = WindowRect{normal.left(), normal.top(), normal.left() + normal.width(),
                                normal.top() + normal.height()};
  placement.maximized = isMaximized();
  placement.minimized = isMinimized();
  return true;
}

void CMainFrame::SetPlacement(const WindowPlacementState& placement) {
  const WindowRect& r = placement.normal;
  setGeometry(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
  if (placement.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

int32_t CMainFrame::VirtualScreenWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen == nullptr ? 0 : screen->virtualGeometry().width();
}

int32_t CMainFrame::VirtualScreenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen == nullptr ? 0 : screen->virtualGeometry().height();
}

}  // namespace corvane
