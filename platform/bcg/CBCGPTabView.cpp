#include "platform/bcg/CBCGPTabView.h"

#include "platform/bcg/BCGPConstants.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CBCGPTabView, CView)

BEGIN_MESSAGE_MAP(CBCGPTabView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_REGISTERED_MESSAGE(BCGM_CHANGE_ACTIVE_TAB, &CBCGPTabView::OnChangeActiveTab)
END_MESSAGE_MAP()

CBCGPTabView::CBCGPTabView() = default;
CBCGPTabView::~CBCGPTabView() = default;

int CBCGPTabView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CView::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_wndTabs.Create(CBCGPTabWnd::STYLE_FLAT, CRect(0, 0, 0, 0), this, 1)) return -1;
  return 0;
}

void CBCGPTabView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_wndTabs.m_hWnd) m_wndTabs.MoveWindow(0, 0, cx, cy);
}

BOOL CBCGPTabView::OnEraseBkgnd(CDC*) { return TRUE; }

void CBCGPTabView::OnDraw(CDC*) {}

void CBCGPTabView::OnInitialUpdate() { CView::OnInitialUpdate(); }

int CBCGPTabView::AddView(CRuntimeClass* pViewClass, const CString& strViewLabel, int iIndex, CCreateContext* pContext) {
  if (!pViewClass || !m_wndTabs.m_hWnd) return -1;
  CObject* obj = pViewClass->CreateObject();
  auto* view = DYNAMIC_DOWNCAST(CView, obj);
  if (!view) {
    delete obj;
    return -1;
  }
  CCreateContext context;
  if (!pContext) {
    context.m_pCurrentDoc = GetDocument();
    context.m_pNewViewClass = pViewClass;
    pContext = &context;
  }
  CRect area;
  m_wndTabs.GetWndArea(area);
  const UINT id = AFX_IDW_PANE_FIRST + 1 + static_cast<UINT>(m_wndTabs.GetTabsNum());
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, area, &m_wndTabs, id, pContext)) {
    // A view that failed to be made frees itself when its window went; otherwise free it here.
    if (!view->m_hWnd) delete view;
    return -1;
  }
  const int at = (iIndex < 0 || iIndex > m_wndTabs.GetTabsNum()) ? m_wndTabs.GetTabsNum() : iIndex;
  m_wndTabs.InsertTab(view, strViewLabel, at);
  return at;
}

BOOL CBCGPTabView::RemoveView(int iTabNum) { return m_wndTabs.RemoveTab(iTabNum); }

BOOL CBCGPTabView::SetActiveView(int iTabNum) { return m_wndTabs.SetActiveTab(iTabNum); }

CView* CBCGPTabView::GetActiveView() const { return DYNAMIC_DOWNCAST(CView, m_wndTabs.GetActiveWnd()); }

int CBCGPTabView::FindTab(HWND hWndView) const { return m_wndTabs.GetTabFromHwnd(hWndView); }

LRESULT CBCGPTabView::OnChangeActiveTab(WPARAM, LPARAM) {
  OnActiveTabViewChanged(GetActiveView());
  return 0;
}

void CBCGPTabView::OnActiveTabViewChanged(CView*) {}
