#include "platform/win/CMDIFrameWnd.h"

#include <QtCore/QPointer>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

#include <algorithm>

#include "platform/win/CCmdUI.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMDIFrameWnd::OnIdleUpdateCmdUI)
  ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  return CreateClient(lpcs, nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu*) {
  if (m_wndMDIClient.GetSafeHwnd()) return TRUE;
  auto* area = new QMdiArea;
  area->setActivationOrder(QMdiArea::CreationOrder);
  if (!m_wndMDIClient.CreateFromWidget(area, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this,
                                       AFX_IDW_PANE_FIRST, WS_EX_CLIENTEDGE)) {
    delete area;
    return FALSE;
  }
  m_hWndMDIClient = m_wndMDIClient.m_hWnd;
  QObject::connect(area, &QMdiArea::subWindowActivated, area, [this](QMdiSubWindow* sub) { OnAreaActivated(sub); });
  return TRUE;
}

QMdiArea* CMDIFrameWnd::GetMdiArea() const { return qobject_cast<QMdiArea*>(m_wndMDIClient.GetQWidget()); }

void CMDIFrameWnd::AddChild(CMDIChildWnd* pChild, QWidget*) {
  if (std::find(m_children.begin(), m_children.end(), pChild) == m_children.end()) m_children.push_back(pChild);
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* pChild) {
  auto it = std::find(m_children.begin(), m_children.end(), pChild);
  if (it == m_children.end()) return;
  const size_t index = static_cast<size_t>(it - m_children.begin());
  m_children.erase(it);
  if (m_pActiveChild != pChild) return;
  m_pActiveChild = nullptr;
  // The window made just before the closed one (else the next) becomes active.
  CMDIChildWnd* pNext = nullptr;
  if (!m_children.empty()) pNext = m_children[index > 0 ? index - 1 : 0];
  if (pNext && m_hWnd) {
    MDIActivate(pNext);
  } else {
    OnUpdateFrameMenu(nullptr);
    OnUpdateFrameTitle(TRUE);
  }
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetMDIChildren() const { return m_children; }

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (pbMaximized) {
    *pbMaximized = FALSE;
    if (m_pActiveChild && m_pActiveChild->m_pSubWindow) *pbMaximized = m_pActiveChild->m_pSubWindow->isMaximized();
  }
  return m_pActiveChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  CMDIChildWnd* pNew = pWndActivate ? DYNAMIC_DOWNCAST(CMDIChildWnd, pWndActivate) : nullptr;
  if (pNew && std::find(m_children.begin(), m_children.end(), pNew) == m_children.end()) return;
  QMdiArea* area = GetMdiArea();
  ++m_nActivating;
  if (pNew == m_pActiveChild) {
    if (pNew && area && pNew->m_pSubWindow) area->setActiveSubWindow(static_cast<QMdiSubWindow*>(pNew->m_pSubWindow));
    --m_nActivating;
    return;
  }
  CMDIChildWnd* pOld = m_pActiveChild;
  m_pActiveChild = pNew;
  const HWND hOld = pOld ? pOld->GetSafeHwnd() : nullptr;
  const HWND hNew = pNew ? pNew->GetSafeHwnd() : nullptr;
  if (pOld && hOld) pOld->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hOld), reinterpret_cast<LPARAM>(hNew));
  if (pNew && area && pNew->m_pSubWindow) {
    auto* sub = static_cast<QMdiSubWindow*>(pNew->m_pSubWindow);
    if (!sub->isVisible()) sub->show();
    area->setActiveSubWindow(sub);
  }
  if (pNew && m_pActiveChild == pNew && hNew)
    pNew->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hOld), reinterpret_cast<LPARAM>(hNew));
  --m_nActivating;
  OnUpdateFrameMenu(nullptr);
  OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::OnAreaActivated(QWidget* pSubWindow) {
  // The user clicked a document window: it becomes the active child. (The area reports no
  // window when the whole program loses the focus; the active child stays.)
  if (m_nActivating || !pSubWindow) return;
  for (CMDIChildWnd* c : m_children)
    if (c->m_pSubWindow == pSubWindow) {
      MDIActivate(c);
      return;
    }
}

void CMDIFrameWnd::MDINext() {
  if (m_children.empty()) return;
  auto it = std::find(m_children.begin(), m_children.end(), m_pActiveChild);
  if (it == m_children.end() || ++it == m_children.end()) it = m_children.begin();
  MDIActivate(*it);
}

void CMDIFrameWnd::MDIPrev() {
  if (m_children.empty()) return;
  auto it = std::find(m_children.begin(), m_children.end(), m_pActiveChild);
  if (it == m_children.end() || it == m_children.begin()) it = m_children.end();
  MDIActivate(*(--it));
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  if (auto* c = pWnd ? DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd) : nullptr; c && c->m_pSubWindow) c->m_pSubWindow->showMaximized();
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  if (auto* c = pWnd ? DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd) : nullptr; c && c->m_pSubWindow) c->m_pSubWindow->showNormal();
}

void CMDIFrameWnd::MDIIconArrange() {
  if (QMdiArea* area = GetMdiArea()) area->tileSubWindows();
}

void CMDIFrameWnd::MDICascade() { MDICascade(0); }

void CMDIFrameWnd::MDICascade(int) {
  if (QMdiArea* area = GetMdiArea()) area->cascadeSubWindows();
}

void CMDIFrameWnd::MDITile() { MDITile(MDITILE_HORIZONTAL); }

void CMDIFrameWnd::MDITile(int nType) {
  QMdiArea* area = GetMdiArea();
  if (!area) return;
  std::vector<QMdiSubWindow*> subs;
  for (CMDIChildWnd* c : m_children) {
    auto* sub = static_cast<QMdiSubWindow*>(c->m_pSubWindow);
    if (!sub || !sub->isVisible() || sub->isMinimized()) continue;
    if ((nType & MDITILE_SKIPDISABLED) && !sub->isEnabled()) continue;
    subs.push_back(sub);
  }
  if (subs.empty()) return;
  // Side by side (vertical) or one above the other (horizontal), in the order they were made.
  const QRect r = area->viewport()->rect();
  const int n = static_cast<int>(subs.size());
  for (int i = 0; i < n; ++i) {
    subs[i]->showNormal();
    if (nType & MDITILE_HORIZONTAL) {
      const int top = r.height() * i / n, bottom = r.height() * (i + 1) / n;
      subs[i]->setGeometry(0, top, r.width(), bottom - top);
    } else {
      const int left = r.width() * i / n, right = r.width() * (i + 1) / n;
      subs[i]->setGeometry(left, 0, right - left, r.height());
    }
  }
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  if (CMDIChildWnd* c = MDIGetActive()) return c;
  return this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() { return CFrameWnd::GetActiveDocument(); }

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active document window (its view, its document, itself) before the main frame.
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  // The active document's accelerators come before the frame's own.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && pActive->m_hAccelShared && ::TranslateAccelerator(m_hWnd, pActive->m_hAccelShared, pMsg)) return TRUE;
  }
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CMDIChildWnd* pActive = MDIGetActive();
  CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
  if (bAddToTitle && pDoc) {
    const int saved = m_nWindow;
    m_nWindow = pActive->m_nWindow;
    UpdateFrameTitleForDocument(pDoc->GetTitle());
    m_nWindow = saved;
  } else {
    UpdateFrameTitleForDocument(nullptr);
  }
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIChildWnd* pActive = MDIGetActive();
  HMENU h = pActive && pActive->m_hMenuShared ? pActive->m_hMenuShared : hMenuAlt;
  CFrameWnd::OnUpdateFrameMenu(h);
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify) { CFrameWnd::RecalcLayout(bNotify); }

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    default: return FALSE;
  }
  return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnWindowNew() {
  CMDIChildWnd* pActive = MDIGetActive();
  CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
  CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
  if (!pTemplate) return;
  CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive);
  if (!pFrame) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
    return;
  }
  pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

void CMDIFrameWnd::OnDestroy() {
  // The area goes later than the frame: it must not call back into it.
  if (QMdiArea* area = GetMdiArea()) QObject::disconnect(area, &QMdiArea::subWindowActivated, nullptr, nullptr);
  // The document windows sit in the client area's own boxes: they go first, explicitly.
  ++m_nActivating;
  m_pActiveChild = nullptr;
  const std::vector<CMDIChildWnd*> children = m_children;
  for (CMDIChildWnd* c : children) {
    if (std::find(m_children.begin(), m_children.end(), c) != m_children.end() && c->GetSafeHwnd()) c->DestroyWindow();
  }
  m_children.clear();
  --m_nActivating;
  CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  // The document windows are not children of the frame's own window: they hear it from here.
  const std::vector<CMDIChildWnd*> children = m_children;
  for (CMDIChildWnd* c : children) {
    if (std::find(m_children.begin(), m_children.end(), c) == m_children.end() || !c->GetSafeHwnd()) continue;
    c->SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
    c->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
  }
  return 0;
}
