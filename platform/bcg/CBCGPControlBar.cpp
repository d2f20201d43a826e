#include "platform/bcg/CBCGPControlBar.h"

#include <QtCore/QPointer>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QToolBar>

#include "platform/win/CFrameWnd.h"

struct CBCGPControlBar::LayoutRef {
  QPointer<QWidget> widget;
};

IMPLEMENT_DYNAMIC(CBCGPControlBar, CWnd)

BEGIN_MESSAGE_MAP(CBCGPControlBar, CWnd)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CBCGPControlBar::CBCGPControlBar() : m_pLayout(new LayoutRef) {}

CBCGPControlBar::~CBCGPControlBar() {
  // A dock panel that outlives its bar is of no use.
  if (m_pLayout->widget && qobject_cast<QDockWidget*>(m_pLayout->widget.data())) {
    QWidget* panel = m_pLayout->widget;
    m_pLayout->widget = nullptr;
    if (QWidget* content = GetQWidget(); content && content->parentWidget() == panel) DestroyWindow();
    delete panel;
  }
  delete m_pLayout;
}

QWidget* CBCGPControlBar::GetLayoutWidget() const { return m_pLayout->widget; }

void CBCGPControlBar::SetLayoutWidget(QWidget* pWidget) { m_pLayout->widget = pWidget; }

CString CBCGPControlBar::GetLayoutName() const {
  CString name;
  name.Format(u"bar-%u", static_cast<UINT>(GetDlgCtrlID()));
  return name;
}

BOOL CBCGPControlBar::IsVisible() const {
  if (QWidget* w = m_pLayout->widget) return !w->isHidden();
  return m_hWnd && (GetStyle() & WS_VISIBLE) ? TRUE : FALSE;
}

BOOL CBCGPControlBar::IsFloating() const {
  QWidget* w = m_pLayout->widget;
  if (auto* dock = qobject_cast<QDockWidget*>(w)) return dock->isFloating();
  if (auto* tb = qobject_cast<QToolBar*>(w)) return tb->isFloating();
  return FALSE;
}

DWORD CBCGPControlBar::GetCurrentAlignment() const {
  QWidget* w = m_pLayout->widget;
  auto* host = w ? qobject_cast<QMainWindow*>(w->parentWidget()) : nullptr;
  if (!host || IsFloating()) return 0;
  int area = 0;
  if (auto* dock = qobject_cast<QDockWidget*>(w))
    area = host->dockWidgetArea(dock);
  else if (auto* tb = qobject_cast<QToolBar*>(w))
    area = host->toolBarArea(tb);
  switch (area) {
    case Qt::LeftDockWidgetArea: return CBRS_ALIGN_LEFT;
    case Qt::RightDockWidgetArea: return CBRS_ALIGN_RIGHT;
    case Qt::TopDockWidgetArea: return CBRS_ALIGN_TOP;
    case Qt::BottomDockWidgetArea: return CBRS_ALIGN_BOTTOM;
    default: return 0;
  }
}

BOOL CBCGPControlBar::FloatControlBar(CRect rectFloat, int, bool bShow) {
  auto* dock = qobject_cast<QDockWidget*>(m_pLayout->widget.data());
  if (!dock || !CanFloat()) return FALSE;
  dock->setFloating(true);
  dock->setGeometry(rectFloat.left, rectFloat.top, rectFloat.Width(), rectFloat.Height());
  dock->setVisible(bShow);
  return TRUE;
}

CWnd* CBCGPControlBar::GetParentMiniFrame(BOOL) const {
  QWidget* w = m_pLayout->widget;
  if (!w || !IsFloating()) return nullptr;
  return CWnd::FromHandle(CWnd::HwndFromQWidget(w));
}

void CBCGPControlBar::ShowControlBar(BOOL bShow, BOOL, BOOL bActivate) {
  if (QWidget* w = m_pLayout->widget) {
    w->setVisible(bShow != FALSE);
    if (bShow && bActivate) {
      if (auto* dock = qobject_cast<QDockWidget*>(w)) dock->raise();
    }
  } else if (m_hWnd) {
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
  }
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
}

void CBCGPControlBar::OnControlBarContextMenu(CWnd* pParentFrame, CPoint point) {
  if (pParentFrame && pParentFrame->m_hWnd)
    pParentFrame->SendMessage(BCGM_TOOLBARMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
}

void CBCGPControlBar::OnContextMenu(CWnd*, CPoint pos) { OnControlBarContextMenu(m_pDockSite, pos); }
