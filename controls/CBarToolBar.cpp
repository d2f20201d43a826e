#include "controls/CBarToolBar.h"

#include "platform/bcg/CBCGPToolbarButton.h"

#include <QtWidgets/QWidget>

#include <algorithm>

IMPLEMENT_DYNAMIC(CBarToolBar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CBarToolBar, CBCGPToolBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CBarToolBar::CBarToolBar() = default;

CBarToolBar::~CBarToolBar() = default;

BOOL CBarToolBar::CreateForBar(CWnd* pOwner, UINT nID, UINT nResID)
{
    if (pOwner == nullptr)
        return FALSE;
    if (!CreateEx(pOwner, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                  CRect(0, 0, 0, 0), nID))
        return FALSE;
    SetOwner(pOwner);
    SetRouteCommandsViaFrame(FALSE);
    m_pFocusWnd = pOwner;
    // Without the resource (no language library) the toolbar still exists, empty.
    if (nResID != 0)
        LoadToolBar(nResID, 0, 0, TRUE);
    m_bLocked = TRUE;
    return TRUE;
}

int CBarToolBar::GetFixedHeight() const
{
    const QWidget* pStrip = GetLayoutWidget();
    return pStrip != nullptr ? std::max(22, pStrip->sizeHint().height()) : 22;
}

void CBarToolBar::SetToolTipStrings(std::vector<std::pair<UINT, UINT>> tips)
{
    m_tipStrings = std::move(tips);
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
}

BOOL CBarToolBar::OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const
{
    if (pButton == nullptr || pButton->IsSeparator())
        return FALSE;
    const auto it = std::find_if(m_tipStrings.begin(), m_tipStrings.end(),
                                 [pButton](const std::pair<UINT, UINT>& tip) { return tip.first == pButton->m_nID; });
    if (it == m_tipStrings.end())
        return FALSE;
    CString text;
    if (!text.LoadString(it->second) || text.IsEmpty())
        return FALSE;
    strTTText = text;
    return TRUE;
}

BOOL CBarToolBar::LoadState(LPCTSTR, int, UINT)
{
    return FALSE;
}

BOOL CBarToolBar::SaveState(LPCTSTR, int, UINT)
{
    return FALSE;
}

void CBarToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler)
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        UpdateCmdUIThrough(pTarget, bDisableIfNoHndler);
}

void CBarToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pFocusWnd != nullptr && m_pFocusWnd->GetSafeHwnd() != nullptr) {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus == nullptr || (pFocus != m_pFocusWnd && !m_pFocusWnd->IsChild(pFocus)))
            m_pFocusWnd->SetFocus();
    }
    CBCGPToolBar::OnLButtonDown(nFlags, point);
}
