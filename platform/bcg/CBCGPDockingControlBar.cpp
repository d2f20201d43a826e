#include "platform/bcg/CBCGPDockingControlBar.h"

#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QDockWidget>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QTabBar>

#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPToolBarImages.h"

BOOL CBCGPDockingControlBar::m_bDisableAnimation = FALSE;

IMPLEMENT_DYNCREATE(CBCGPDockingControlBar, CBCGPControlBar)

BEGIN_MESSAGE_MAP(CBCGPDockingControlBar, CBCGPControlBar)
  ON_MESSAGE(WM_SETTEXT, &CBCGPDockingControlBar::OnSetText)
  ON_MESSAGE(WM_SETICON, &CBCGPDockingControlBar::OnSetIcon)
END_MESSAGE_MAP()

CBCGPDockingControlBar::CBCGPDockingControlBar() = default;
CBCGPDockingControlBar::~CBCGPDockingControlBar() = default;

BOOL CBCGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                                    UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBCGStyle,
                                    CCreateContext* pContext) {
  m_dwStyle = dwStyle & CBRS_ALL;
  m_dwBCGStyle = dwBCGStyle;
  m_dwTabbedStyle = dwTabbedStyle;
  m_bHasGripper = bHasGripper;
  const CRect rc(rect);
  m_sizeDefault = CSize(rc.Width(), rc.Height());
  if (!pParentWnd || !pParentWnd->m_hWnd) return FALSE;
  const DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (!CWnd::Create(nullptr, lpszCaption, wndStyle, rect, pParentWnd, nID, pContext)) return FALSE;
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, pParentWnd)) {
    frame->AddDockingBar(this);
  } else {
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  }
  return TRUE;
}

BOOL CBCGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                                    UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBCGStyle,
                                    CCreateContext* pContext) {
  return Create(lpszCaption, pParentWnd, CRect(0, 0, sizeDefault.cx, sizeDefault.cy), bHasGripper, nID, dwStyle,
                dwTabbedStyle, dwBCGStyle, pContext);
}

namespace {
QMainWindow* HostOf(QWidget* w) { return w ? qobject_cast<QMainWindow*>(w->parentWidget()) : nullptr; }
}  // namespace

CBCGPDockingControlBar* CBCGPDockingControlBar::AttachToTabWnd(CBCGPDockingControlBar* pTarget, BCGP_DOCK_METHOD,
                                                               BOOL bSetActive,
                                                               CBCGPDockingControlBar** ppTabbedControlBar) {
  if (ppTabbedControlBar) *ppTabbedControlBar = nullptr;
  if (!pTarget || pTarget == this) return nullptr;
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  auto* theirs = qobject_cast<QDockWidget*>(pTarget->GetLayoutWidget());
  QMainWindow* host = HostOf(theirs);
  if (!mine || !theirs || !host || HostOf(mine) != host) return nullptr;
  // The group is known by its first bar.
  CBCGPDockingControlBar* group = pTarget;
  CBCGPDockingControlBar* bars[64];
  if (pTarget->GetTabbedBars(bars, 64) > 0) group = bars[0];
  // The visible tab stays visible unless the new bar is to be active.
  QDockWidget* active = theirs;
  for (QDockWidget* d : host->tabifiedDockWidgets(theirs))
    if (!d->visibleRegion().isEmpty()) active = d;
  if (mine->isFloating()) mine->setFloating(false);
  host->tabifyDockWidget(theirs, mine);
  // The host makes the group's tab row when it lays the bars out; its labels are kept whole (the row
  // scrolls) rather than cut to a letter or two in a narrow group.
  QTimer::singleShot(0, host, [guard = QPointer<QMainWindow>(host)]() {
    if (!guard) return;
    for (QTabBar* bar : guard->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
      bar->setElideMode(Qt::ElideNone);
      bar->setUsesScrollButtons(true);
    }
  });
  mine->show();
  if (bSetActive)
    mine->raise();
  else
    active->raise();
  if (ppTabbedControlBar) *ppTabbedControlBar = group;
  return group;
}

BOOL CBCGPDockingControlBar::DockToWindow(CBCGPDockingControlBar* pTargetWindow, DWORD dwAlignment, LPCRECT) {
  if (!pTargetWindow || pTargetWindow == this) return FALSE;
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  auto* theirs = qobject_cast<QDockWidget*>(pTargetWindow->GetLayoutWidget());
  QMainWindow* host = HostOf(theirs);
  if (!mine || !theirs || !host || HostOf(mine) != host) return FALSE;
  if (mine->isFloating()) mine->setFloating(false);
  const bool vertical = (dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
  const Qt::Orientation o = vertical ? Qt::Vertical : Qt::Horizontal;
  host->splitDockWidget(theirs, mine, o);
  if (dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) {
    // Before the target: split the other way round so that this bar comes first.
    host->splitDockWidget(mine, theirs, o);
  }
  mine->show();
  return TRUE;
}

BOOL CBCGPDockingControlBar::IsTabbed() const {
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  QMainWindow* host = HostOf(mine);
  return host && !host->tabifiedDockWidgets(mine).isEmpty();
}

int CBCGPDockingControlBar::GetTabbedBars(CBCGPDockingControlBar** ppBars, int nMax) const {
  if (!ppBars || nMax <= 0) return 0;
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  QMainWindow* host = HostOf(mine);
  int n = 0;
  if (!host) {
    ppBars[n++] = const_cast<CBCGPDockingControlBar*>(this);
    return n;
  }
  // Tab order: the order of the group's tab bar, which follows the order the bars joined.
  QList<QDockWidget*> group = host->tabifiedDockWidgets(mine);
  group.append(mine);
  auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite);
  if (!frame) {
    ppBars[n++] = const_cast<CBCGPDockingControlBar*>(this);
    return n;
  }
  for (CBCGPDockingControlBar* bar : frame->GetDockingBarsInTabOrder(mine))
    if (n < nMax) ppBars[n++] = bar;
  return n;
}

BOOL CBCGPDockingControlBar::DetachFromTabs() {
  if (!IsTabbed()) return FALSE;
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  QMainWindow* host = HostOf(mine);
  QDockWidget* other = host->tabifiedDockWidgets(mine).first();
  host->splitDockWidget(other, mine, Qt::Vertical);
  mine->show();
  return TRUE;
}

BOOL CBCGPDockingControlBar::IsActiveTab() const {
  auto* mine = qobject_cast<QDockWidget*>(GetLayoutWidget());
  if (!mine) return FALSE;
  auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite);
  return frame ? frame->IsActiveDockTab(mine) : TRUE;
}

void CBCGPDockingControlBar::SetCaption(LPCTSTR lpszCaption) { SetWindowText(lpszCaption); }

LRESULT CBCGPDockingControlBar::OnSetText(WPARAM, LPARAM lParam) {
  const LRESULT r = Default();
  if (auto* dock = qobject_cast<QDockWidget*>(GetLayoutWidget()))
    dock->setWindowTitle(QString::fromStdU16String(reinterpret_cast<LPCTSTR>(lParam) ? std::u16string(reinterpret_cast<LPCTSTR>(lParam)) : std::u16string()));
  return r;
}

LRESULT CBCGPDockingControlBar::OnSetIcon(WPARAM wParam, LPARAM lParam) {
  const LRESULT r = Default();
  // The small icon shows on the bar's tab when it is stacked with others.
  auto* dock = qobject_cast<QDockWidget*>(GetLayoutWidget());
  QImage img;
  if (dock && wParam == 0 && CBCGPToolBarImages::GetIconImage(reinterpret_cast<HICON>(lParam), 16, 16, img))
    dock->setWindowIcon(QIcon(QPixmap::fromImage(img)));
  return r;
}
