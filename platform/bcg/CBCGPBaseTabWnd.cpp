#include "platform/bcg/CBCGPBaseTabWnd.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QPixmap>
#include <QtWidgets/QTabBar>

#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolBarImages.h"

namespace {
BOOL g_bAutoColor = FALSE;

QString ToQ(const CString& s) { return QString::fromStdU16String(std::u16string(s)); }
}  // namespace

// The tab row: a Qt tab bar inside the tab window. Right clicks on it reach the parent window
// as they would on the tabs themselves.
struct CBCGPBaseTabWnd::Row : public QObject {
  QPointer<QTabBar> bar;
  CBCGPBaseTabWnd* owner = nullptr;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o != bar || !owner->m_hWnd) return false;
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease) {
      auto* me = static_cast<QMouseEvent*>(e);
      if (me->button() != Qt::RightButton) return false;
      CWnd* parent = owner->GetParent();
      if (!parent) return false;
      const QPoint global = bar->mapToGlobal(me->position().toPoint());
      CPoint pt(global.x(), global.y());
      parent->ScreenToClient(&pt);
      if (e->type() == QEvent::MouseButtonPress) {
        parent->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
      } else {
        parent->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        parent->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(owner->m_hWnd),
                            MAKELPARAM(global.x(), global.y()));
      }
      return true;
    }
    return false;
  }
};

IMPLEMENT_DYNAMIC(CBCGPBaseTabWnd, CWnd)

const UINT BCGM_ON_MOVE_TAB = ::RegisterWindowMessage(u"BCGM_ON_MOVE_TAB");

BEGIN_MESSAGE_MAP(CBCGPBaseTabWnd, CWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CBCGPBaseTabWnd::CBCGPBaseTabWnd() : m_pRow(new Row) { m_pRow->owner = this; }

CBCGPBaseTabWnd::~CBCGPBaseTabWnd() { delete m_pRow; }

void CBCGPBaseTabWnd::EnableAutoColor(BOOL bEnable) { g_bAutoColor = bEnable; }

void CBCGPBaseTabWnd::AttachTabRow(Location location) {
  m_location = location;
  QWidget* w = GetQWidget();
  if (!w || m_pRow->bar) return;
  auto* bar = new QTabBar(w);
  bar->setDrawBase(false);
  bar->setExpanding(false);
  bar->setShape(location == LOCATION_TOP ? QTabBar::RoundedNorth : QTabBar::RoundedSouth);
  bar->installEventFilter(m_pRow);
  m_pRow->bar = bar;
  QObject::connect(bar, &QTabBar::currentChanged, bar, [this](int index) { OnTabRowChanged(index); });
  bar->show();
  RecalcLayout();
}

void CBCGPBaseTabWnd::OnTabRowChanged(int index) {
  if (m_nSyncing || index < 0 || index >= GetTabsNum() || index == m_iActiveTab) return;
  SetActiveTab(index);
}

void CBCGPBaseTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId, BOOL bDetachable) {
  InsertTab(pTabWnd, lpszTabLabel, -1, uiImageId, bDetachable);
}

void CBCGPBaseTabWnd::InsertTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, int iInsertAt, UINT, BOOL) {
  if (!pTabWnd) return;
  if (iInsertAt < 0 || iInsertAt > GetTabsNum()) iInsertAt = GetTabsNum();
  Tab tab;
  tab.pWnd = pTabWnd;
  tab.strLabel = lpszTabLabel ? lpszTabLabel : u"";
  m_tabs.insert(m_tabs.begin() + iInsertAt, tab);
  if (m_iActiveTab >= iInsertAt) ++m_iActiveTab;
  if (m_pRow->bar) {
    ++m_nSyncing;
    m_pRow->bar->insertTab(iInsertAt, ToQ(tab.strLabel));
    m_pRow->bar->setCurrentIndex(std::max(m_iActiveTab, 0));
    --m_nSyncing;
  }
  if (pTabWnd->m_hWnd && pTabWnd->GetParent() != this) pTabWnd->SetParent(this);
  RecalcLayout();
  if (m_iActiveTab < 0)
    SetActiveTab(iInsertAt);
  else
    ShowActive();
}

BOOL CBCGPBaseTabWnd::RemoveTab(int iTab, BOOL bRecalcLayout) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  CWnd* wnd = m_tabs[static_cast<size_t>(iTab)].pWnd;
  m_tabs.erase(m_tabs.begin() + iTab);
  if (m_pRow->bar) {
    ++m_nSyncing;
    m_pRow->bar->removeTab(iTab);
    --m_nSyncing;
  }
  const bool wasActive = iTab == m_iActiveTab;
  if (iTab < m_iActiveTab) --m_iActiveTab;
  if (m_bAutoDestroyWindow && wnd && wnd->m_hWnd) wnd->DestroyWindow();
  else if (wnd && wnd->m_hWnd) wnd->ShowWindow(SW_HIDE);
  if (wasActive) {
    m_iActiveTab = -1;
    if (GetTabsNum() > 0) SetActiveTab(std::min(iTab, GetTabsNum() - 1));
  } else if (m_pRow->bar) {
    ++m_nSyncing;
    m_pRow->bar->setCurrentIndex(m_iActiveTab);
    --m_nSyncing;
  }
  if (bRecalcLayout) RecalcLayout();
  return TRUE;
}

void CBCGPBaseTabWnd::RemoveAllTabs() {
  while (GetTabsNum() > 0) {
    m_iActiveTab = -1;  // no activation on the way
    RemoveTab(GetTabsNum() - 1, FALSE);
  }
  m_iActiveTab = -1;
  RecalcLayout();
}

BOOL CBCGPBaseTabWnd::SetActiveTab(int iTab) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  if (iTab == m_iActiveTab) {
    ShowActive();
    return TRUE;
  }
  m_iActiveTab = iTab;
  if (m_pRow->bar) {
    ++m_nSyncing;
    m_pRow->bar->setCurrentIndex(iTab);
    --m_nSyncing;
  }
  ShowActive();
  if (CWnd* parent = GetParent(); parent && parent->m_hWnd)
    parent->SendMessage(BCGM_CHANGE_ACTIVE_TAB, static_cast<WPARAM>(iTab), reinterpret_cast<LPARAM>(this));
  return TRUE;
}

void CBCGPBaseTabWnd::ShowActive() {
  for (int i = 0; i < GetTabsNum(); ++i) {
    CWnd* w = m_tabs[static_cast<size_t>(i)].pWnd;
    if (w && w->m_hWnd) w->ShowWindow(i == m_iActiveTab ? SW_SHOW : SW_HIDE);
  }
}

CWnd* CBCGPBaseTabWnd::GetTabWnd(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[static_cast<size_t>(iTab)].pWnd : nullptr;
}

int CBCGPBaseTabWnd::GetTabFromHwnd(HWND hwnd) const {
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_tabs[static_cast<size_t>(i)].pWnd && m_tabs[static_cast<size_t>(i)].pWnd->m_hWnd == hwnd) return i;
  return -1;
}

int CBCGPBaseTabWnd::GetTabFromPoint(CPoint& pt) const {
  QTabBar* bar = m_pRow->bar;
  if (!bar) return -1;
  const QPoint local = bar->mapFrom(bar->parentWidget(), QPoint(pt.x, pt.y));
  return bar->tabAt(local);
}

BOOL CBCGPBaseTabWnd::GetTabLabel(int iTab, CString& strLabel) const {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  strLabel = m_tabs[static_cast<size_t>(iTab)].strLabel;
  return TRUE;
}

BOOL CBCGPBaseTabWnd::SetTabLabel(int iTab, const CString& strLabel) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_tabs[static_cast<size_t>(iTab)].strLabel = strLabel;
  if (m_pRow->bar) m_pRow->bar->setTabText(iTab, ToQ(strLabel));
  return TRUE;
}

BOOL CBCGPBaseTabWnd::SetTabIcon(int iTab, HICON hIcon) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_tabs[static_cast<size_t>(iTab)].hIcon = hIcon;
  if (QTabBar* bar = m_pRow->bar) {
    QImage img;
    bar->setTabIcon(iTab, CBCGPToolBarImages::GetIconImage(hIcon, 16, 16, img) ? QIcon(QPixmap::fromImage(img)) : QIcon());
  }
  return TRUE;
}

HICON CBCGPBaseTabWnd::GetTabIcon(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[static_cast<size_t>(iTab)].hIcon : nullptr;
}

BOOL CBCGPBaseTabWnd::SetTabBkColor(int iTab, COLORREF color) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_tabs[static_cast<size_t>(iTab)].clrBk = color;
  if (QTabBar* bar = m_pRow->bar) {
    // The tab's colour marks its label.
    bar->setTabTextColor(iTab, color == (COLORREF)-1 ? QColor()
                                                     : QColor(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2));
  }
  return TRUE;
}

COLORREF CBCGPBaseTabWnd::GetTabBkColor(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[static_cast<size_t>(iTab)].clrBk : (COLORREF)-1;
}

void CBCGPBaseTabWnd::SetActiveTabBoldFont(BOOL bIsBold) { m_bBoldActive = bIsBold; }

void CBCGPBaseTabWnd::GetWndArea(CRect& rect) const {
  GetClientRect(&rect);
  QTabBar* bar = m_pRow->bar;
  const int h = bar ? bar->sizeHint().height() : 0;
  if (m_location == LOCATION_TOP)
    rect.top = std::min(rect.bottom, rect.top + h);
  else
    rect.bottom = std::max(rect.top, rect.bottom - h);
}

void CBCGPBaseTabWnd::RecalcLayout() {
  if (!m_hWnd) return;
  CRect client, area;
  GetClientRect(&client);
  GetWndArea(area);
  if (QTabBar* bar = m_pRow->bar) {
    const int h = bar->sizeHint().height();
    bar->setGeometry(client.left, m_location == LOCATION_TOP ? client.top : client.bottom - h, client.Width(), h);
  }
  for (const Tab& t : m_tabs)
    if (t.pWnd && t.pWnd->m_hWnd) t.pWnd->MoveWindow(&area);
}

void CBCGPBaseTabWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CBCGPBaseTabWnd::EnableTabSwap(BOOL bEnable) {
  QTabBar* bar = m_pRow->bar;
  if (!bar) return;
  bar->setMovable(bEnable != FALSE);
  QObject::disconnect(bar, &QTabBar::tabMoved, nullptr, nullptr);
  if (!bEnable) return;
  // The row has moved its own tab already; the tabs behind it follow, then the parent hears of it.
  QObject::connect(bar, &QTabBar::tabMoved, bar, [this](int from, int to) {
    if (m_nSyncing || from < 0 || to < 0 || from >= GetTabsNum() || to >= GetTabsNum() || from == to) return;
    const Tab tab = m_tabs[static_cast<size_t>(from)];
    m_tabs.erase(m_tabs.begin() + from);
    m_tabs.insert(m_tabs.begin() + to, tab);
    if (m_iActiveTab == from)
      m_iActiveTab = to;
    else if (from < m_iActiveTab && m_iActiveTab <= to)
      --m_iActiveTab;
    else if (to <= m_iActiveTab && m_iActiveTab < from)
      ++m_iActiveTab;
    if (CWnd* parent = GetParent(); parent && parent->m_hWnd)
      parent->SendMessage(BCGM_ON_MOVE_TAB, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
  });
}

BOOL CBCGPBaseTabWnd::IsTabSwapEnabled() const { return m_pRow->bar && m_pRow->bar->isMovable() ? TRUE : FALSE; }

BOOL CBCGPBaseTabWnd::MoveTab(int iSource, int iDest) {
  if (iSource < 0 || iDest < 0 || iSource >= GetTabsNum() || iDest >= GetTabsNum()) return FALSE;
  if (iSource == iDest) return TRUE;
  CWnd* active = GetActiveWnd();
  const Tab tab = m_tabs[static_cast<size_t>(iSource)];
  m_tabs.erase(m_tabs.begin() + iSource);
  m_tabs.insert(m_tabs.begin() + iDest, tab);
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_tabs[static_cast<size_t>(i)].pWnd == active) m_iActiveTab = i;
  if (QTabBar* bar = m_pRow->bar) {
    ++m_nSyncing;
    bar->moveTab(iSource, iDest);
    bar->setCurrentIndex(m_iActiveTab);
    --m_nSyncing;
  }
  return TRUE;
}
