#include "structure/CDrawingToolBar.h"

IMPLEMENT_DYNAMIC(CDrawingToolBar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CDrawingToolBar, CBCGPToolBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDrawingToolBar::CDrawingToolBar() = default;

CDrawingToolBar::~CDrawingToolBar() = default;

BOOL CDrawingToolBar::LoadState(LPCTSTR, int, UINT) { return FALSE; }

BOOL CDrawingToolBar::SaveState(LPCTSTR, int, UINT) { return FALSE; }

void CDrawingToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler)
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        UpdateCmdUIThrough(pTarget, bDisableIfNoHndler);
}

void CDrawingToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pFocusWnd != nullptr && m_pFocusWnd->GetSafeHwnd() != nullptr) {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus == nullptr || (pFocus != m_pFocusWnd && !m_pFocusWnd->IsChild(pFocus)))
            m_pFocusWnd->SetFocus();
    }
    CBCGPToolBar::OnLButtonDown(nFlags, point);
}
