#include "platform/bcg/CBCGPRibbonStatusBar.h"

#include <algorithm>

#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPRibbonSeparator.h"
#include "platform/bcg/CBCGPRibbonStatusBarPane.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CPaintDC.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 0xB0C1;
constexpr UINT kAnimationTick = 50;

// State updates of the panes from the frame's update handlers.
class CPaneCmdUI : public CCmdUI {
public:
  CBCGPBaseRibbonElement* element = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    if (element->IsDisabled() == !bOn) return;
    element->SetDisabled(!bOn);
    element->Redraw();
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCTSTR lpszText) override {
    const CString text(lpszText ? lpszText : u"");
    if (text == element->GetText()) return;
    element->SetText(text);
    element->Redraw();
  }
};

}  // namespace

IMPLEMENT_DYNCREATE(CBCGPRibbonStatusBar, CBCGPControlBar)

BEGIN_MESSAGE_MAP(CBCGPRibbonStatusBar, CBCGPControlBar)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONUP()
  ON_WM_TIMER()
  ON_MESSAGE(WM_SIZEPARENT, &CBCGPRibbonStatusBar::OnSizeParent)
END_MESSAGE_MAP()

CBCGPRibbonStatusBar::CBCGPRibbonStatusBar() = default;

CBCGPRibbonStatusBar::~CBCGPRibbonStatusBar() {
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite)) frame->RemoveControlBar(this);
  for (auto* e : m_main) delete e;
  for (auto* e : m_extended) delete e;
}

BOOL CBCGPRibbonStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  if (!pParentWnd || !pParentWnd->m_hWnd) return FALSE;
  m_dwStyle = dwStyle & CBRS_ALL;
  if (!CWnd::Create(nullptr, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                    pParentWnd, nID))
    return FALSE;
  {
    CClientDC dc(this);
    m_nHeight = std::max(24, static_cast<int>(dc.GetTextExtent(CString(u"Xg")).cy) + 8);
  }
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, pParentWnd))
    frame->AddControlBar(this);
  else
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  return TRUE;
}

void CBCGPRibbonStatusBar::AddElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible) {
  if (!pElement) return;
  pElement->SetLabel(lpszLabel);
  pElement->SetVisible(bIsVisible);
  pElement->SetParentRibbonBar(this);
  m_main.push_back(pElement);
  RecalcLayout();
  UpdateAnimationTimer();
}

void CBCGPRibbonStatusBar::AddExtendedElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible) {
  if (!pElement) return;
  pElement->SetLabel(lpszLabel);
  pElement->SetVisible(bIsVisible);
  pElement->SetParentRibbonBar(this);
  m_extended.push_back(pElement);
  RecalcLayout();
  UpdateAnimationTimer();
}

void CBCGPRibbonStatusBar::AddDynamicElement(CBCGPBaseRibbonElement* pElement) { AddElement(pElement, u"", TRUE); }

void CBCGPRibbonStatusBar::AddSeparator() {
  auto* sep = new CBCGPRibbonSeparator;
  // Separators go where the last element went.
  if (!m_extended.empty() && m_main.empty()) {
    AddExtendedElement(sep, u"");
  } else {
    AddElement(sep, u"");
  }
}

BOOL CBCGPRibbonStatusBar::RemoveElement(UINT uiID) {
  for (auto* list : {&m_main, &m_extended}) {
    for (auto it = list->begin(); it != list->end(); ++it) {
      if ((*it)->GetID() == uiID && !(*it)->IsSeparator()) {
        delete *it;
        list->erase(it);
        RecalcLayout();
        UpdateAnimationTimer();
        return TRUE;
      }
    }
  }
  return FALSE;
}

void CBCGPRibbonStatusBar::RemoveAll() {
  for (auto* e : m_main) delete e;
  for (auto* e : m_extended) delete e;
  m_main.clear();
  m_extended.clear();
  RecalcLayout();
  UpdateAnimationTimer();
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::FindElement(UINT uiID) const {
  for (auto* list : {&m_main, &m_extended})
    for (auto* e : *list)
      if (e->GetID() == uiID && !e->IsSeparator()) return e;
  return nullptr;
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::GetElement(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_main[static_cast<size_t>(nIndex)] : nullptr;
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::GetExElement(int nIndex) const {
  return nIndex >= 0 && nIndex < GetExCount() ? m_extended[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL CBCGPRibbonStatusBar::IsExtendedElement(const CBCGPBaseRibbonElement* pElement) const {
  return std::find(m_extended.begin(), m_extended.end(), pElement) != m_extended.end();
}

void CBCGPRibbonStatusBar::RecalcLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  CClientDC dc(this);
  int right = client.right;
  for (auto it = m_extended.rbegin(); it != m_extended.rend(); ++it) {
    CBCGPBaseRibbonElement* e = *it;
    if (!e->IsVisible()) {
      e->SetRect(CRect());
      continue;
    }
    const int w = static_cast<int>(e->GetRegularSize(&dc).cx);
    e->SetRect(CRect(right - w, client.top, right, client.bottom));
    right -= w;
  }
  int left = client.left;
  for (CBCGPBaseRibbonElement* e : m_main) {
    if (!e->IsVisible()) {
      e->SetRect(CRect());
      continue;
    }
    const int w = static_cast<int>(e->GetRegularSize(&dc).cx);
    e->SetRect(CRect(left, client.top, left + w, client.bottom));
    left += w;
  }
  m_nFreeSpace = std::max(0, right - left);
  Invalidate();
}

void CBCGPRibbonStatusBar::SetInformation(LPCTSTR lpszInfo) {
  m_bInformationMode = lpszInfo != nullptr;
  m_strInformation = lpszInfo ? lpszInfo : u"";
  if (m_hWnd) Invalidate();
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::HitTest(CPoint point) const {
  if (m_bInformationMode) return nullptr;
  for (auto* list : {&m_main, &m_extended})
    for (auto* e : *list)
      if (e->IsVisible() && !e->IsSeparator() && e->GetRect().PtInRect(point)) return e;
  return nullptr;
}

void CBCGPRibbonStatusBar::RedrawElement(CBCGPBaseRibbonElement* pElement) {
  if (!m_hWnd) return;
  if (pElement && !pElement->GetRect().IsRectEmpty())
    InvalidateRect(&pElement->GetRect());
  else
    Invalidate();
}

void CBCGPRibbonStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  if (!pTarget) return;
  CPaneCmdUI ui;
  ui.m_pOther = this;
  const std::vector<CBCGPBaseRibbonElement*> all = [this] {
    std::vector<CBCGPBaseRibbonElement*> v(m_main);
    v.insert(v.end(), m_extended.begin(), m_extended.end());
    return v;
  }();
  for (CBCGPBaseRibbonElement* e : all) {
    if (e->IsSeparator() || e->GetID() == 0 || e->GetID() == (UINT)-1) continue;
    // An update handler may remove panes; only panes still on the bar are asked.
    if (FindElement(e->GetID()) != e) continue;
    ui.element = e;
    ui.m_nID = e->GetID();
    ui.m_bContinueRouting = FALSE;
    ui.DoUpdate(pTarget, bDisableIfNoHndler && !e->IsStatic());
  }
}

void CBCGPRibbonStatusBar::OnFillBackground(CDC* pDC, CRect rectClient) {
  pDC->FillSolidRect(&rectClient, CBCGPVisualManager::GetInstance()->GetStatusBarBackColor());
  pDC->FillSolidRect(rectClient.left, rectClient.top, rectClient.Width(), 1, RGB(200, 200, 200));
}

void CBCGPRibbonStatusBar::OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo) {
  rectInfo.DeflateRect(2, 0);
  pDC->DrawText(strInfo, &rectInfo, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CBCGPRibbonStatusBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  OnFillBackground(&dc, client);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(CBCGPVisualManager::GetInstance()->GetRibbonStatusBarTextColor(this));
  if (m_bInformationMode) {
    CString info(m_strInformation);
    OnDrawInformation(&dc, info, client);
    return;
  }
  for (auto* list : {&m_main, &m_extended})
    for (auto* e : *list)
      if (e->IsVisible() && !e->GetRect().IsRectEmpty()) e->OnDraw(&dc);
}

BOOL CBCGPRibbonStatusBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CBCGPRibbonStatusBar::OnSize(UINT nType, int cx, int cy) {
  CBCGPControlBar::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CBCGPRibbonStatusBar::OnLButtonUp(UINT, CPoint point) {
  CBCGPBaseRibbonElement* e = HitTest(point);
  if (!e || e->IsStatic() || e->IsDisabled()) return;
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->PostMessage(WM_COMMAND, MAKEWPARAM(e->GetID(), 0), 0);
}

void CBCGPRibbonStatusBar::UpdateAnimationTimer() {
  if (!m_hWnd) return;
  bool any = false;
  for (auto* list : {&m_main, &m_extended})
    for (auto* e : *list)
      if (auto* p = DYNAMIC_DOWNCAST(CBCGPRibbonStatusBarPane, e); p && p->IsAnimation()) any = true;
  if (any && !m_bTimer) {
    SetTimer(kAnimationTimer, kAnimationTick);
    m_bTimer = TRUE;
  } else if (!any && m_bTimer) {
    KillTimer(kAnimationTimer);
    m_bTimer = FALSE;
  }
}

void CBCGPRibbonStatusBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAnimationTimer) {
    CBCGPControlBar::OnTimer(nIDEvent);
    return;
  }
  for (auto* list : {&m_main, &m_extended})
    for (auto* e : *list)
      if (auto* p = DYNAMIC_DOWNCAST(CBCGPRibbonStatusBarPane, e)) p->OnAnimationTimer(kAnimationTick);
  UpdateAnimationTimer();
}

LRESULT CBCGPRibbonStatusBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!layout || !(GetStyle() & WS_VISIBLE)) return 0;
  CRect r(layout->rect);
  r.top = std::max(r.top, r.bottom - m_nHeight);
  MoveWindow(&r);
  layout->rect.bottom = r.top;
  return 0;
}
