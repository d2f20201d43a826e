#include "platform/win/CMDIChildWnd.h"

#include <QtCore/QPointer>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_MDIACTIVATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CHILD;
  return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (!pParentWnd) pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  if (!pParentWnd || !pParentWnd->GetMdiArea()) return FALSE;
  QMdiArea* area = pParentWnd->GetMdiArea();
  m_pMDIFrame = pParentWnd;
  if (lpszWindowName && m_strTitle.IsEmpty()) m_strTitle = lpszWindowName;
  // The window is made hidden inside the client area and then put into its box there.
  const bool visible = (dwStyle & WS_VISIBLE) != 0;
  const DWORD style = (dwStyle & ~(WS_VISIBLE | WS_POPUP)) | WS_CHILD;
  const bool defaultRect = rect.left == CW_USEDEFAULT;
  int x = 0, y = 0, cx = 0, cy = 0;
  if (!defaultRect) {
    x = rect.left;
    y = rect.top;
    cx = rect.right - rect.left;
    cy = rect.bottom - rect.top;
  }
  if (!CreateEx(WS_EX_MDICHILD, lpszClassName, lpszWindowName, style, x, y, cx, cy,
                pParentWnd->GetMDIClient()->GetSafeHwnd(), nullptr, pContext))
    return FALSE;  // the frame has deleted itself
  QWidget* w = GetQWidget();
  QMdiSubWindow* sub = area->addSubWindow(w);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  m_pSubWindow = sub;
  if (defaultRect) {
    const QSize room = area->viewport()->size();
    sub->resize(std::max(200, room.width() * 2 / 3), std::max(150, room.height() * 2 / 3));
  } else {
    sub->setGeometry(x, y, cx, cy);
  }
  pParentWnd->AddChild(this, sub);
  if (visible) {
    ShowWindow(SW_SHOW);
    sub->show();
    MDIActivate();
  }
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  if (full.LoadString(nIDResource)) {
    const int nl = full.Find(u'\n');
    m_strTitle = nl < 0 ? full : full.Left(nl);
  }
  // The document's menu and keys are the template's, shared by all its windows.
  if (pContext && pContext->m_pNewDocTemplate) {
    if (auto* t = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate)) {
      m_hMenuShared = t->m_hMenuShared;
      m_hAccelShared = t->m_hAccelTable;
    }
  }
  CMDIFrameWnd* pMDI = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd ? pParentWnd : AfxGetMainWnd());
  HICON hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(nIDResource) : nullptr;
  if (!Create(nullptr, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, pMDI, pContext)) return FALSE;
  if (hIcon) {
    SetIcon(hIcon, TRUE);
    SetIcon(hIcon, FALSE);
    LoadIconResource(nIDResource);
  }
  return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return m_pMDIFrame; }

void CMDIChildWnd::MDIActivate() {
  if (m_pMDIFrame) m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy() { DestroyWindow(); }

void CMDIChildWnd::MDIMaximize() {
  if (m_pMDIFrame) m_pMDIFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore() {
  if (m_pMDIFrame) m_pMDIFrame->MDIRestore(this);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  if (m_pSubWindow) {
    if (nCmdShow == SW_SHOWMAXIMIZED)
      m_pSubWindow->showMaximized();
    else if (nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE)
      m_pSubWindow->showMinimized();
    else if (!m_pSubWindow->isVisible() || nCmdShow == SW_RESTORE)
      m_pSubWindow->show();
  }
  if (!(GetStyle() & WS_VISIBLE) || !IsWindowVisible()) ShowWindow(SW_SHOW);
  MDIActivate();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd*, CWnd*) {
  // The view hears that its window became (or stopped being) the active document window.
  if (CView* pView = GetActiveView()) {
    pView->OnActivateFrame(bActivate ? WA_ACTIVE : WA_INACTIVE, this);
    pView->OnActivateView(bActivate, pView, pView);
  }
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL, CWnd*, HMENU hMenuAlt) {
  if (m_pMDIFrame) m_pMDIFrame->OnUpdateFrameMenu(hMenuAlt);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (GetStyle() & FWS_ADDTOTITLE) {
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc) {
      CString title = pDoc->GetTitle();
      if (m_nWindow > 0) title.AppendFormat(u":%d", m_nWindow);
      CString old;
      GetWindowText(old);
      if (old != title) SetWindowText(title);
    }
  }
  if (m_pMDIFrame && m_pMDIFrame->GetSafeHwnd()) m_pMDIFrame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  // The document's keys are handled by the main frame (which translates them for the active
  // child); the child's own table serves a child without one.
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIChildWnd::OnDestroy() {
  QPointer<QWidget> sub = m_pSubWindow;
  m_pSubWindow = nullptr;
  if (m_pMDIFrame) m_pMDIFrame->RemoveChild(this);
  CFrameWnd::OnDestroy();
  // The box around the window goes with it.
  if (sub) {
    // Hiding the box must not make the area pick an active window of its own.
    if (m_pMDIFrame) ++m_pMDIFrame->m_nActivating;
    sub->hide();
    if (m_pMDIFrame) --m_pMDIFrame->m_nActivating;
    sub->deleteLater();
  }
}

BOOL CMDIChildWnd::DestroyWindow() { return CFrameWnd::DestroyWindow(); }
