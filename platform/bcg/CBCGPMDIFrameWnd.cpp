#include "platform/bcg/CBCGPMDIFrameWnd.h"

#include <algorithm>

#include <QtCore/QByteArray>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QToolBar>

#include "platform/afx/CByteArray.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPMenuBar.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/bcg/CBCGPWorkspace.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMenu.h"

namespace {

constexpr int kLayoutVersion = 1;
// The stored layout is at most this big; anything larger is not ours.
constexpr int kMaxLayoutBytes = 4 * 1024 * 1024;

Qt::DockWidgetArea DockAreaOf(DWORD align) {
  if (align & CBRS_ALIGN_RIGHT) return Qt::RightDockWidgetArea;
  if (align & CBRS_ALIGN_TOP) return Qt::TopDockWidgetArea;
  if (align & CBRS_ALIGN_BOTTOM) return Qt::BottomDockWidgetArea;
  return Qt::LeftDockWidgetArea;
}

Qt::ToolBarArea ToolAreaOf(DWORD align) {
  if (align & CBRS_ALIGN_TOP) return Qt::TopToolBarArea;
  if (align & CBRS_ALIGN_BOTTOM) return Qt::BottomToolBarArea;
  if (align & CBRS_ALIGN_LEFT) return Qt::LeftToolBarArea;
  if (align & CBRS_ALIGN_RIGHT) return Qt::RightToolBarArea;
  return Qt::TopToolBarArea;
}

DWORD AlignOfDockBarId(UINT id) {
  switch (id) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
  }
}

// The tab bars the host makes for tabbed docking bars; each tab carries its panel.
QDockWidget* DockOfTab(const QTabBar* bar, int i) {
  return reinterpret_cast<QDockWidget*>(bar->tabData(i).value<quintptr>());
}

}  // namespace

IMPLEMENT_DYNCREATE(CBCGPMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CBCGPMDIFrameWnd, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CBCGPMDIFrameWnd::OnIdleUpdateCmdUI)
  ON_REGISTERED_MESSAGE(BCGM_CREATETOOLBAR, &CBCGPMDIFrameWnd::OnToolbarCreateNew)
  ON_REGISTERED_MESSAGE(BCGM_TOOLBARMENU, &CBCGPMDIFrameWnd::OnToolbarContextMenu)
END_MESSAGE_MAP()

CBCGPMDIFrameWnd::CBCGPMDIFrameWnd() = default;

CBCGPMDIFrameWnd::~CBCGPMDIFrameWnd() {
  for (CBCGPToolBar* tb : m_userToolbars) delete tb;
  m_userToolbars.clear();
  for (CBCGPToolBar* tb : m_tearOffBars) delete tb;
  m_tearOffBars.clear();
}

BOOL CBCGPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (CBCGPWorkspace* ws = CBCGPWorkspace::GetInstance()) ws->LoadState(this);
  return TRUE;
}

int CBCGPMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CMDIFrameWnd::OnCreate(lpCreateStruct); }

BOOL CBCGPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext)) return FALSE;
  if (m_wndDockHost.m_hWnd) return TRUE;
  auto* host = new QMainWindow;
  host->setWindowFlags(Qt::Widget);
  host->setContextMenuPolicy(Qt::PreventContextMenu);
  host->setDockNestingEnabled(true);
  QMainWindow::DockOptions opts = QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks;
  if (!CBCGPDockingControlBar::m_bDisableAnimation) opts |= QMainWindow::AnimatedDocks;
  host->setDockOptions(opts);
  // The host takes the document area's place in the frame's layout.
  if (!m_wndDockHost.CreateFromWidget(host, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this,
                                      AFX_IDW_PANE_FIRST)) {
    delete host;
    return FALSE;
  }
  // The bars' captions and the gaps between bars show the host's own background.
  host->setAttribute(Qt::WA_OpaquePaintEvent, false);
  host->setAutoFillBackground(true);
  if (QMdiArea* area = GetMdiArea()) {
    host->setCentralWidget(area);
  }
  return TRUE;
}

QMainWindow* CBCGPMDIFrameWnd::GetDockHost() const { return qobject_cast<QMainWindow*>(m_wndDockHost.GetQWidget()); }

void CBCGPMDIFrameWnd::OnDestroy() {
  if (!m_bStateSaved) {
    m_bStateSaved = TRUE;
    if (CBCGPWorkspace* ws = CBCGPWorkspace::GetInstance()) ws->SaveState(this);
  }
  if (CBCGPKeyboardManager* km = CBCGPKeyboardManager::GetInstance()) km->OnFrameDestroyed(this);
  CMDIFrameWnd::OnDestroy();
}

// ---- bars ----

void CBCGPMDIFrameWnd::AddDockingBar(CBCGPDockingControlBar* pBar) {
  QMainWindow* host = GetDockHost();
  if (!pBar || !host) return;
  pBar->SetDockSite(this);
  if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end()) m_bars.push_back(pBar);
  CString caption;
  pBar->GetWindowText(caption);
  auto* dock = new QDockWidget(QString::fromStdU16String(std::u16string(caption)));
  dock->setObjectName(QString::fromStdU16String(std::u16string(pBar->GetLayoutName())));
  QDockWidget::DockWidgetFeatures f = QDockWidget::DockWidgetMovable;
  if (pBar->GetBCGStyle() & CBRS_BCGP_FLOAT) f |= QDockWidget::DockWidgetFloatable;
  if (pBar->GetBCGStyle() & CBRS_BCGP_CLOSE) f |= QDockWidget::DockWidgetClosable;
  dock->setFeatures(f);
  // The caption is drawn on the dock's own background, docked or floating.
  dock->setAutoFillBackground(true);
  const bool visible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  dock->setWidget(pBar->GetQWidget());
  pBar->SetLayoutWidget(dock);
  const Qt::DockWidgetArea area = DockAreaOf(pBar->GetBarStyle());
  host->addDockWidget(area, dock);
  const CSize size = pBar->GetDefaultSize();
  if (size.cx > 0 && size.cy > 0) {
    const bool horz = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    host->resizeDocks({dock}, {horz ? int(size.cx) : int(size.cy)}, horz ? Qt::Horizontal : Qt::Vertical);
  }
  pBar->GetQWidget()->setVisible(true);
  dock->setVisible(visible);
}

void CBCGPMDIFrameWnd::AddToolBar(CBCGPToolBar* pBar) {
  QMainWindow* host = GetDockHost();
  auto* tb = pBar ? qobject_cast<QToolBar*>(pBar->GetLayoutWidget()) : nullptr;
  if (!host || !tb) return;
  pBar->SetDockSite(this);
  if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end()) m_bars.push_back(pBar);
  const bool visible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  host->addToolBar(ToolAreaOf(pBar->GetBarStyle()), tb);
  tb->setVisible(visible);
}

void CBCGPMDIFrameWnd::AddControlBar(CBCGPControlBar* pBar) {
  if (!pBar) return;
  pBar->SetDockSite(this);
  if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end()) m_bars.push_back(pBar);
}

void CBCGPMDIFrameWnd::RemoveControlBar(CBCGPControlBar* pBar) {
  m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
  if (m_pMenuBar == reinterpret_cast<CBCGPMenuBar*>(pBar)) m_pMenuBar = nullptr;
}

void CBCGPMDIFrameWnd::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

void CBCGPMDIFrameWnd::EnableAutoHideBars(DWORD dwDockStyle) { m_dwAutoHideStyle = dwDockStyle; }

void CBCGPMDIFrameWnd::DockControlBar(CBCGPControlBar* pBar, UINT nDockBarID, LPCRECT) {
  QMainWindow* host = GetDockHost();
  if (!pBar || !host) return;
  DWORD align = AlignOfDockBarId(nDockBarID);
  if (!align) align = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
  if (!align) align = pBar->GetEnabledAlignment();
  if (auto* tb = qobject_cast<QToolBar*>(pBar->GetLayoutWidget())) {
    const Qt::ToolBarArea area = ToolAreaOf(align);
    host->removeToolBar(tb);
    // A docked toolbar starts a row of its own.
    bool others = false;
    for (QToolBar* t : host->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly))
      if (t != tb && host->toolBarArea(t) == area && !t->isHidden()) others = true;
    if (others) host->addToolBarBreak(area);
    host->addToolBar(area, tb);
    tb->setVisible(pBar->GetStyle() & WS_VISIBLE ? true : !tb->isHidden());
    tb->show();
  } else if (auto* dock = qobject_cast<QDockWidget*>(pBar->GetLayoutWidget())) {
    const bool wasHidden = dock->isHidden();
    dock->setFloating(false);
    host->addDockWidget(DockAreaOf(align), dock);
    dock->setVisible(!wasHidden);
  }
}

BOOL CBCGPMDIFrameWnd::DockControlBarLeftOf(CBCGPControlBar* pBar, CBCGPControlBar* pLeftOf) {
  QMainWindow* host = GetDockHost();
  auto* tb = pBar ? qobject_cast<QToolBar*>(pBar->GetLayoutWidget()) : nullptr;
  auto* before = pLeftOf ? qobject_cast<QToolBar*>(pLeftOf->GetLayoutWidget()) : nullptr;
  if (!host || !tb || !before || tb == before) return FALSE;
  host->removeToolBar(tb);
  host->insertToolBar(before, tb);
  tb->show();
  return TRUE;
}

void CBCGPMDIFrameWnd::ShowControlBar(CBCGPControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
  if (pBar) pBar->ShowControlBar(bShow, bDelay, bActivate);
}

CBCGPControlBar* CBCGPMDIFrameWnd::GetControlBar(UINT nID) {
  for (CBCGPControlBar* b : m_bars)
    if (b->m_hWnd && static_cast<UINT>(b->GetDlgCtrlID()) == nID) return b;
  CWnd* w = GetDlgItem(static_cast<int>(nID));
  return DYNAMIC_DOWNCAST(CBCGPControlBar, w);
}

void CBCGPMDIFrameWnd::OnShowControlBars(BOOL bShow) {
  for (CBCGPControlBar* b : m_bars)
    if (QWidget* w = b->GetLayoutWidget()) w->setVisible(bShow != FALSE);
}

std::vector<CBCGPDockingControlBar*> CBCGPMDIFrameWnd::GetDockingBarsInTabOrder(QDockWidget* pMember) const {
  std::vector<CBCGPDockingControlBar*> out;
  QMainWindow* host = GetDockHost();
  auto barOf = [this](QDockWidget* d) -> CBCGPDockingControlBar* {
    for (CBCGPControlBar* b : m_bars)
      if (b->GetLayoutWidget() == d) return DYNAMIC_DOWNCAST(CBCGPDockingControlBar, b);
    return nullptr;
  };
  if (!host || !pMember) return out;
  for (QTabBar* bar : host->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
    bool mine = false;
    for (int i = 0; i < bar->count(); ++i) mine = mine || DockOfTab(bar, i) == pMember;
    if (!mine) continue;
    for (int i = 0; i < bar->count(); ++i)
      if (CBCGPDockingControlBar* b = barOf(DockOfTab(bar, i))) out.push_back(b);
    return out;
  }
  if (CBCGPDockingControlBar* b = barOf(pMember)) out.push_back(b);
  return out;
}

BOOL CBCGPMDIFrameWnd::IsActiveDockTab(QDockWidget* pDock) const {
  QMainWindow* host = GetDockHost();
  if (!host || !pDock) return FALSE;
  for (QTabBar* bar : host->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
    if (!bar->isVisible() && bar->count() < 2) continue;
    for (int i = 0; i < bar->count(); ++i)
      if (DockOfTab(bar, i) == pDock) return bar->currentIndex() == i;
  }
  return TRUE;
}

// ---- menus ----

void CBCGPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
  if (m_pMenuBar && m_pMenuBar->m_hWnd) {
    CMenu* menu = GetMenu();
    if (menu && menu->m_hMenu) m_pMenuBar->CreateFromMenu(menu->m_hMenu, FALSE);
  }
}

BOOL CBCGPMDIFrameWnd::OnShowPopupMenu(CBCGPPopupMenu*) { return TRUE; }

BOOL CBCGPMDIFrameWnd::GetToolbarButtonToolTipText(CBCGPToolbarButton*, CString&) { return FALSE; }

BOOL CBCGPMDIFrameWnd::OnTearOffMenu(CBCGPPopupMenu*, CBCGPControlBar*) { return TRUE; }

void CBCGPMDIFrameWnd::OnContextHelp() {}

LRESULT CBCGPMDIFrameWnd::OnToolbarContextMenu(WPARAM, LPARAM) { return 0; }

// ---- document tabs ----

void CBCGPMDIFrameWnd::EnableMDITabs(BOOL bEnable, BOOL, int tabLocation, BOOL bTabCloseButton, int, BOOL,
                                     BOOL bActiveTabCloseButton) {
  QMdiArea* area = GetMdiArea();
  if (!area) return;
  m_bMDITabs = bEnable;
  if (!bEnable) {
    area->setViewMode(QMdiArea::SubWindowView);
    return;
  }
  area->setViewMode(QMdiArea::TabbedView);
  area->setDocumentMode(true);
  area->setTabsClosable(bTabCloseButton || bActiveTabCloseButton);
  area->setTabsMovable(true);
  area->setTabPosition(tabLocation == 1 ? QTabWidget::South : QTabWidget::North);
  InstallMDITabHook();
}

void CBCGPMDIFrameWnd::InstallMDITabHook() {
  QMdiArea* area = GetMdiArea();
  if (!area) return;
  QTabBar* bar = area->findChild<QTabBar*>();
  if (!bar || bar->property("kcTabHook").toBool()) return;
  bar->setProperty("kcTabHook", true);
  bar->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(bar, &QWidget::customContextMenuRequested, bar, [this, bar, area](const QPoint& pos) {
    const int i = bar->tabAt(pos);
    if (i < 0) return;
    // The tab under the mouse becomes the active document first.
    const QList<QMdiSubWindow*> subs = area->subWindowList(QMdiArea::CreationOrder);
    if (i < subs.size()) area->setActiveSubWindow(subs[i]);
    const QPoint g = bar->mapToGlobal(pos);
    OnShowMDITabContextMenu(CPoint(g.x(), g.y()), 0, FALSE);
  });
}

BOOL CBCGPMDIFrameWnd::OnShowMDITabContextMenu(CPoint point, DWORD, BOOL) {
  QMenu menu;
  std::u16string close;
  if (!AfxLoadStringResource(57602, close) || close.empty()) close = u"Close";
  const QString text = QString::fromStdU16String(close).section(QLatin1Char('\n'), -1);
  QAction* a = menu.addAction(text.isEmpty() ? QStringLiteral("Close") : text);
  QAction* chosen = menu.exec(QPoint(point.x, point.y));
  if (chosen == a) {
    if (CMDIChildWnd* child = MDIGetActive()) child->PostMessage(WM_CLOSE);
  }
  return TRUE;
}

// ---- windows dialog ----

void CBCGPMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL, BOOL) {
  m_uiWindowsDlgMenuId = uiMenuId;
  m_uiWindowsDlgMenuTextId = uiMenuTextResId;
}

void CBCGPMDIFrameWnd::ShowWindowsDialog() {
  QMenu menu;
  const std::vector<CMDIChildWnd*> children = GetMDIChildren();
  for (size_t i = 0; i < children.size(); ++i) {
    CString title;
    children[i]->GetWindowText(title);
    menu.addAction(QString::fromStdU16String(std::u16string(title)))->setData(static_cast<int>(i));
  }
  if (QAction* chosen = menu.exec(QCursor::pos())) {
    const int i = chosen->data().toInt();
    if (i >= 0 && i < static_cast<int>(children.size())) MDIActivate(children[static_cast<size_t>(i)]);
  }
}

// ---- user toolbars ----

BOOL CBCGPMDIFrameWnd::InitUserToolbars(LPCTSTR, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {
  if (uiUserToolbarFirst == (UINT)-1 || uiUserToolbarLast < uiUserToolbarFirst) return FALSE;
  m_uiUserToolbarFirst = uiUserToolbarFirst;
  m_uiUserToolbarLast = uiUserToolbarLast;
  return TRUE;
}

CBCGPToolBar* CBCGPMDIFrameWnd::GetUserBarByIndex(int iIndex) const {
  if (iIndex < 0 || iIndex >= static_cast<int>(m_userToolbars.size())) return nullptr;
  std::vector<CBCGPToolBar*> sorted = m_userToolbars;
  std::sort(sorted.begin(), sorted.end(),
            [](CBCGPToolBar* a, CBCGPToolBar* b) { return a->GetDlgCtrlID() < b->GetDlgCtrlID(); });
  return sorted[static_cast<size_t>(iIndex)];
}

CBCGPToolBar* CBCGPMDIFrameWnd::CreateUserToolbar(LPCTSTR lpszName, UINT uiID) {
  if (m_uiUserToolbarFirst == (UINT)-1) return nullptr;
  auto used = [this](UINT id) {
    return std::any_of(m_userToolbars.begin(), m_userToolbars.end(),
                       [id](CBCGPToolBar* t) { return static_cast<UINT>(t->GetDlgCtrlID()) == id; });
  };
  if (uiID == 0) {
    for (UINT id = m_uiUserToolbarFirst; id <= m_uiUserToolbarLast; ++id)
      if (!used(id)) {
        uiID = id;
        break;
      }
  }
  if (uiID < m_uiUserToolbarFirst || uiID > m_uiUserToolbarLast || used(uiID)) return nullptr;
  auto* tb = new CBCGPToolBar;
  tb->SetUserDefined(TRUE);
  if (!tb->Create(this, dwDefaultToolbarStyle, uiID)) {
    delete tb;
    return nullptr;
  }
  tb->SetWindowText(lpszName ? lpszName : u"");
  tb->EnableDocking(CBRS_ALIGN_ANY);
  m_userToolbars.push_back(tb);
  DockControlBar(tb);
  return tb;
}

BOOL CBCGPMDIFrameWnd::DeleteToolBar(CBCGPToolBar* pToolBar) {
  auto it = std::find(m_userToolbars.begin(), m_userToolbars.end(), pToolBar);
  if (it == m_userToolbars.end()) return FALSE;
  m_userToolbars.erase(it);
  if (QMainWindow* host = GetDockHost())
    if (auto* tb = qobject_cast<QToolBar*>(pToolBar->GetLayoutWidget())) host->removeToolBar(tb);
  RemoveControlBar(pToolBar);
  pToolBar->DestroyWindow();
  delete pToolBar;
  RecalcLayout();
  return TRUE;
}

namespace {
// Replaces the range's items of one menu level; returns whether the list went in here.
bool FillToolbarItems(CMenu& menu, UINT first, UINT last, const std::vector<std::pair<CString, bool>>& bars) {
  int at = -1;
  for (int i = static_cast<int>(menu.GetMenuItemCount()) - 1; i >= 0; --i) {
    const UINT id = menu.GetMenuItemID(i);
    if (id >= first && id <= last) {
      menu.DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
      at = i;
    }
  }
  bool done = at >= 0;
  if (done) {
    for (size_t k = 0; k < bars.size() && first + k <= last; ++k)
      menu.InsertMenu(static_cast<UINT>(at + static_cast<int>(k)),
                      MF_BYPOSITION | MF_STRING | (bars[k].second ? MF_CHECKED : 0), first + static_cast<UINT>(k),
                      bars[k].first);
  }
  for (int i = 0; i < static_cast<int>(menu.GetMenuItemCount()); ++i)
    if (CMenu* sub = menu.GetSubMenu(i)) done = FillToolbarItems(*sub, first, last, bars) || done;
  return done;
}
}  // namespace

void CBCGPMDIFrameWnd::SetupToolbarMenu(CMenu& menu, UINT uiViewUserToolbarCmdFirst, UINT uiViewUserToolbarCmdLast) {
  std::vector<std::pair<CString, bool>> bars;
  for (int i = 0; CBCGPToolBar* tb = GetUserBarByIndex(i); ++i) {
    CString title;
    tb->GetWindowText(title);
    bars.emplace_back(title, tb->IsVisible() != FALSE);
  }
  FillToolbarItems(menu, uiViewUserToolbarCmdFirst, uiViewUserToolbarCmdLast, bars);
}

CBCGPToolBar* CBCGPMDIFrameWnd::GetTearOffBar(UINT uiID) const {
  for (CBCGPToolBar* tb : m_tearOffBars)
    if (static_cast<UINT>(tb->GetDlgCtrlID()) == uiID) return tb;
  return nullptr;
}

CBCGPToolBar* CBCGPMDIFrameWnd::MakeTearOffBar(UINT uiID, LPCTSTR lpszTitle) {
  auto* tb = new CBCGPToolBar;
  tb->SetUserDefined(TRUE);
  if (!tb->Create(this, dwDefaultToolbarStyle, uiID)) {
    delete tb;
    return nullptr;
  }
  tb->SetWindowText(lpszTitle ? lpszTitle : u"");
  tb->EnableDocking(CBRS_ALIGN_ANY);
  m_tearOffBars.push_back(tb);
  DockControlBar(tb);
  return tb;
}

CBCGPToolBar* CBCGPMDIFrameWnd::TearOffMenu(CBCGPToolbarMenuButton* pButton) {
  if (!pButton || !pButton->GetTearOffBarID()) return nullptr;
  const UINT id = pButton->GetTearOffBarID();
  if (CBCGPToolBar* existing = GetTearOffBar(id)) {
    existing->ShowControlBar(TRUE, FALSE, TRUE);
    return existing;
  }
  if (CBCGPControlBar* other = GetControlBar(id); other) return nullptr;  // the id is taken
  CString title(pButton->m_strText);
  title.Remove(u'&');
  CBCGPToolBar* tb = MakeTearOffBar(id, title);
  if (!tb) return nullptr;
  std::vector<UINT> ids;
  pButton->GetCommands(ids);
  for (UINT cmd : ids) tb->InsertButton(CBCGPToolbarButton(cmd, CImageHash::GetImageOfCommand(cmd)));
  tb->AdjustLayout();
  OnTearOffMenu(nullptr, tb);
  return tb;
}

LRESULT CBCGPMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lp) {
  return reinterpret_cast<LRESULT>(CreateUserToolbar(reinterpret_cast<LPCTSTR>(lp)));
}

// ---- idle update ----

LRESULT CBCGPMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  const LRESULT r = CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  const std::vector<CBCGPControlBar*> bars = m_bars;
  for (CBCGPControlBar* b : bars) {
    if (b->m_hWnd) b->OnUpdateCmdUI(this, TRUE);
  }
  return r;
}

// ---- stored layout ----

BOOL CBCGPMDIFrameWnd::SaveBarState(LPCTSTR lpszPath) {
  QMainWindow* host = GetDockHost();
  if (!lpszPath || !host) return FALSE;
  BOOL ok = TRUE;
  for (CBCGPControlBar* b : m_bars)
    if (auto* tb = DYNAMIC_DOWNCAST(CBCGPToolBar, b); tb && tb->m_hWnd) ok = tb->SaveState(lpszPath) && ok;
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  CString key(lpszPath);
  key += u"DockingManager";
  if (!reg.CreateKey(key)) return FALSE;
  const QByteArray state = host->saveState(kLayoutVersion);
  CByteArray bytes;
  bytes.SetSize(state.size());
  if (state.size()) std::copy(state.begin(), state.end(), reinterpret_cast<char*>(bytes.GetData()));
  ok = reg.Write(u"Layout", bytes) && ok;
  CUIntArray ids;
  for (CBCGPToolBar* tb : m_userToolbars) ids.Add(static_cast<UINT>(tb->GetDlgCtrlID()));
  ok = reg.Write(u"UserToolbars", ids) && ok;
  CUIntArray tearOff;
  for (CBCGPToolBar* tb : m_tearOffBars) tearOff.Add(static_cast<UINT>(tb->GetDlgCtrlID()));
  ok = reg.Write(u"TearOffBars", tearOff) && ok;
  return ok;
}

BOOL CBCGPMDIFrameWnd::LoadBarState(LPCTSTR lpszPath) {
  QMainWindow* host = GetDockHost();
  if (!lpszPath || !host) return FALSE;
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  CString key(lpszPath);
  key += u"DockingManager";
  if (!reg.Open(key)) return FALSE;
  // User toolbars first: the layout places them.
  CUIntArray ids;
  if (reg.Read(u"UserToolbars", ids) && m_uiUserToolbarFirst != (UINT)-1) {
    for (INT_PTR i = 0; i < ids.GetSize() && i <= static_cast<INT_PTR>(m_uiUserToolbarLast - m_uiUserToolbarFirst); ++i)
      if (!GetControlBar(ids[i])) CreateUserToolbar(u"", ids[i]);
  }
  CUIntArray tearOff;
  if (reg.Read(u"TearOffBars", tearOff)) {
    // Torn-off toolbars use ids the frame does not use otherwise; at most a hundred of them.
    for (INT_PTR i = 0; i < tearOff.GetSize() && i < 100; ++i)
      if (tearOff[i] != 0 && tearOff[i] <= 0xFFFF && !GetControlBar(tearOff[i])) MakeTearOffBar(tearOff[i], u"");
  }
  for (CBCGPControlBar* b : std::vector<CBCGPControlBar*>(m_bars))
    if (auto* tb = DYNAMIC_DOWNCAST(CBCGPToolBar, b); tb && tb->m_hWnd) tb->LoadState(lpszPath);
  CByteArray bytes;
  if (!reg.Read(u"Layout", bytes) || bytes.GetSize() > kMaxLayoutBytes) return FALSE;
  const QByteArray state(reinterpret_cast<const char*>(bytes.GetData()), static_cast<qsizetype>(bytes.GetSize()));
  return host->restoreState(state, kLayoutVersion) ? TRUE : FALSE;
}
