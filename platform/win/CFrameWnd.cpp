#include "platform/win/CFrameWnd.h"

#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include <vector>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMenu.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_INITMENUPOPUP()
  ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_MENUSELECT, &CFrameWnd::OnMenuSelect)
  ON_MESSAGE(WM_ENTERIDLE, &CFrameWnd::OnEnterIdle)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The part nIndex of a text whose parts are separated by line breaks.
CString PartOf(const CString& text, int nIndex) {
  int start = 0;
  for (int i = 0; i < nIndex; ++i) {
    const int nl = text.Find(u'\n', start);
    if (nl < 0) return CString();
    start = nl + 1;
  }
  const int end = text.Find(u'\n', start);
  return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

bool IsDefaultRect(const RECT& r) {
  return r.left == CW_USEDEFAULT && r.top == CW_USEDEFAULT && r.right == 0 && r.bottom == 0;
}

}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
  if (m_hAccelTable) DestroyAcceleratorTable(m_hAccelTable);
  if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) { return CWnd::PreCreateWindow(cs); }

void CFrameWnd::PostNcDestroy() {
  // Frames are made with new (by a template or the program) and go with their window.
  delete this;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  if (lpszMenuName && !m_hMenuDefault) {
    CMenu menu;
    const BOOL loaded = IS_INTRESOURCE(lpszMenuName)
                            ? menu.LoadMenu(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszMenuName)))
                            : menu.LoadMenu(lpszMenuName);
    if (loaded) m_hMenuDefault = menu.Detach();
  }
  if (lpszWindowName && m_strTitle.IsEmpty()) m_strTitle = lpszWindowName;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
  if (!IsDefaultRect(rect)) {
    x = rect.left;
    y = rect.top;
    cx = rect.right - rect.left;
    cy = rect.bottom - rect.top;
  }
  // On failure the frame has deleted itself (PostNcDestroy): nothing of it may be touched.
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  if (full.LoadString(nIDResource)) m_strTitle = PartOf(full, 0);
  std::vector<BYTE> data;
  const bool hasMenu = AfxFindResourceData("MENU", nIDResource, data);
  HICON hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(nIDResource) : nullptr;
  if (!Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
              hasMenu ? MAKEINTRESOURCE(nIDResource) : nullptr, 0, pContext))
    return FALSE;
  if (hIcon) {
    SetIcon(hIcon, TRUE);
    SetIcon(hIcon, FALSE);
    LoadIconResource(nIDResource);
  }
  if (!m_hAccelTable) LoadAccelTable(MAKEINTRESOURCE(nIDResource));
  // A frame without a context makes no view; its children still get their first update.
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

void CFrameWnd::LoadIconResource(UINT nIDResource) {
  std::vector<BYTE> data;
  QWidget* w = GetQWidget();
  if (!w || !AfxFindResourceData("ICON", nIDResource, data) || data.empty()) return;
  QPixmap pixmap;
  if (pixmap.loadFromData(data.data(), static_cast<uint>(data.size()))) w->setWindowIcon(QIcon(pixmap));
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable) return FALSE;
  m_hAccelTable = LoadAccelerators(AfxGetInstanceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (m_hMenuDefault) SetMenu(CMenu::FromHandle(m_hMenuDefault));
  if (!OnCreateClient(lpcs, pContext)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) {
    if (!CreateView(pContext, AFX_IDW_PANE_FIRST)) return FALSE;
  }
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (!pContext || !pContext->m_pNewViewClass) return nullptr;
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  CWnd* pView = pObject && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : nullptr;
  if (!pView) {
    delete pObject;
    return nullptr;
  }
  // A view that fails deletes itself when its window goes.
  if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return nullptr;
  return pView;
}

void CFrameWnd::OnDestroy() {
  m_pViewActive = nullptr;
  CWnd::OnDestroy();
}

// ---- views, documents, activation -------------------------------------------------------------

CView* CFrameWnd::GetActiveView() const { return m_pViewActive; }

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (bNotify && pViewOld) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::NotifyActiveView(BOOL bActivate) {
  if (CView* pView = GetActiveView()) pView->OnActivateView(bActivate, pView, pView);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* pView = nullptr;
  if (!GetActiveView()) {
    CWnd* pWnd = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (pView) pView->OnActivateFrame(WA_INACTIVE, this);
    ActivateFrame();
    if (pView) pView->OnActivateView(TRUE, pView, pView);
  }
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) ShowWindow(nCmdShow);
  if (!(GetStyle() & WS_CHILD)) BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* pDoc = GetActiveDocument();
  if (bAddToTitle && pDoc)
    UpdateFrameTitleForDocument(pDoc->GetTitle());
  else
    UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString doc = lpszDocName;
  if (!doc.IsEmpty() && m_nWindow > 0) doc.AppendFormat(u":%d", m_nWindow);
  CString title;
  if (doc.IsEmpty())
    title = m_strTitle;
  else if (GetStyle() & FWS_PREFIXTITLE)
    title = m_strTitle.IsEmpty() ? doc : doc + u" - " + m_strTitle;
  else
    title = m_strTitle.IsEmpty() ? doc : m_strTitle + u" - " + doc;
  CString old;
  GetWindowText(old);
  if (old != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU h = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  if (h) SetMenu(CMenu::FromHandle(h));
}

// ---- layout ------------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL) {
  m_nIdleFlags &= ~AFX_IDLE_LAYOUT;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_nIdleFlags |= AFX_IDLE_LAYOUT; }

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch) {
  QWidget* w = GetQWidget();
  if (!w) return;
  AFX_SIZEPARENTPARAMS layout{};
  layout.bStretch = bStretch;
  CRect client;
  if (lpRectClient)
    client = *lpRectClient;
  else
    GetClientRect(&client);
  layout.rect = client;
  CWnd* pLeftOver = nullptr;
  // Each bar takes its part in the order the children were made.
  std::vector<HWND> children;
  for (QObject* o : w->children()) {
    auto* cw = qobject_cast<QWidget*>(o);
    if (!cw || cw->isWindow()) continue;
    if (HWND h = CWnd::HwndFromQWidget(cw, FALSE)) children.push_back(h);
  }
  for (HWND h : children) {
    CWnd* pChild = CWnd::FromHandle(h);
    if (!pChild) continue;
    const UINT id = static_cast<UINT>(pChild->GetDlgCtrlID());
    if (id == nIDLeftOver) {
      pLeftOver = pChild;
    } else if (id >= nIDFirst && id <= nIDLast) {
      pChild->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (nFlag == CWnd_reposQuery) {
    if (lpRectParam) *lpRectParam = layout.rect;
    return;
  }
  if (nFlag == CWnd_reposExtra && lpRectParam) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  if (pLeftOver) {
    CRect r(layout.rect);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    pLeftOver->MoveWindow(&r);
  }
}

void CFrameWnd::OnSize(UINT nType, int, int) {
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->GetSafeHwnd())
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) { CWnd::OnActivate(nState, pWndOther, bMinimized); }

// ---- closing -----------------------------------------------------------------------------------

void CFrameWnd::OnClose() {
  CDocument* pDocument = GetActiveDocument();
  if (pDocument && !pDocument->CanCloseFrame(this)) return;
  CWinApp* pApp = AfxGetApp();
  const bool isMain = pApp ? pApp->m_pMainWnd == this : !(GetStyle() & WS_CHILD) && !AfxGetParentFrame(this);
  if (isMain) {
    // The main window asks every document first, then closes them all.
    if (!pDocument && !AfxSaveAllModified()) return;
    AfxCloseAllDocuments(FALSE);
    if (pApp && pApp->m_pMainWnd != this) return;  // closing the documents took the window with it
  } else if (pDocument) {
    pDocument->PreCloseFrame(this);
  }
  DestroyWindow();
}

// ---- commands ----------------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active view first (it passes on to its document), then the frame itself.
  CView* pView = GetActiveView();
  if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (!RoutesToApplication()) return FALSE;
  // Last the application, then the document manager (recent files).
  if (CWinApp* pApp = AfxGetApp(); pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return AfxGetDocManager()->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable && m_hWnd) {
    if (::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::UpdateMenuCmdUI(CMenu* pMenu, BOOL bRecurse) {
  if (!pMenu || !pMenu->GetSafeHmenu()) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  if (state.m_nIndexMax == static_cast<UINT>(-1)) return;
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      if (bRecurse) UpdateMenuCmdUI(pMenu->GetSubMenu(static_cast<int>(state.m_nIndex)), TRUE);
      continue;
    }
    state.m_pSubMenu = nullptr;
    // Items without a handler are disabled, but not the system's (0xF000 and up).
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    // An update may have added or removed items (the recent-file list).
    const UINT nCount = pMenu->GetMenuItemCount();
    if (nCount < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - nCount);
      while (state.m_nIndex < nCount && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = nCount;
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu) return;
  UpdateMenuCmdUI(pPopupMenu, FALSE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & AFX_IDLE_LAYOUT) RecalcLayout(FALSE);
  if (m_nIdleFlags & AFX_IDLE_TITLE) OnUpdateFrameTitle(TRUE);
  m_nIdleFlags = 0;
  // The menu the frame shows stays in step with the commands' state.
  if (!(GetStyle() & WS_CHILD)) UpdateMenuCmdUI(GetMenu(), TRUE);
  return 0;
}

// ---- status texts ------------------------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString text;
  if (text.LoadString(nID))
    rMessage = PartOf(text, 0);
  else
    rMessage.Empty();
}

CWnd* CFrameWnd::GetMessageBar() {
  if (CWnd* pBar = GetDlgItem(AFX_IDW_STATUS_BAR)) return pBar;
  // A document window shows its texts in the bar of its main frame.
  if (GetStyle() & WS_CHILD) {
    if (CFrameWnd* pParent = AfxGetParentFrame(this)) return pParent->GetMessageBar();
  }
  return nullptr;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  const UINT nIDLast = m_nIDLastMessage;
  CString message;
  if (lParam) {
    message = reinterpret_cast<LPCTSTR>(lParam);
    m_nIDLastMessage = 0;
  } else if (wParam) {
    const UINT nID = static_cast<UINT>(wParam);
    if (nID == AFX_IDS_IDLEMESSAGE) {
      message = AfxLoadFrameworkString(AFX_IDS_IDLEMESSAGE);
    } else {
      GetMessageString(nID, message);
    }
    m_nIDLastMessage = nID;
  } else {
    m_nIDLastMessage = 0;
  }
  m_strLastMessage = message;
  m_nIDTracking = m_nIDLastMessage;
  if ((GetStyle() & WS_CHILD)) {
    // A document window's texts go to its main frame, which owns the bar.
    if (CFrameWnd* pParent = AfxGetParentFrame(this)) return pParent->SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
  }
  if (CWnd* pBar = GetMessageBar()) pBar->SetWindowText(message);
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return OnSetMessageString(wParam ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT nItemID = LOWORD(wParam);
  const UINT nFlags = HIWORD(wParam);
  if (nFlags == 0xFFFF && lParam == 0) {
    // The menu closed: back to the idle text.
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(u""));
  } else {
    SendMessage(WM_SETMESSAGESTRING, nItemID);
  }
  return 0;
}

LRESULT CFrameWnd::OnEnterIdle(WPARAM, LPARAM) {
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
  return 0;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }
