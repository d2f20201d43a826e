#include "app/CRibbonStatusBar.h"

#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNCREATE(CRibbonStatusBar, CBCGPRibbonStatusBar)

CRibbonStatusBar::CRibbonStatusBar() = default;

CRibbonStatusBar::~CRibbonStatusBar() = default;

void CRibbonStatusBar::OnControlBarContextMenu(CWnd*, CPoint)
{
}

void CRibbonStatusBar::OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo)
{
    if (pDC == nullptr)
        return;
    rectInfo.DeflateRect(2, 0);
    const int nOldMode = pDC->GetBkMode();
    const COLORREF clrOldBack = pDC->GetBkColor();
    if (m_clrInfoBack != static_cast<COLORREF>(-1)) {
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(m_clrInfoBack);
        CRect rectClient;
        GetClientRect(&rectClient);
        pDC->FillSolidRect(&rectClient, m_clrInfoBack);
    }
    COLORREF clrText = m_clrInfoText;
    if (clrText == static_cast<COLORREF>(-1)) {
        CBCGPVisualManager* pManager = CBCGPVisualManager::GetInstance();
        clrText = pManager != nullptr ? pManager->GetRibbonStatusBarTextColor(this) : RGB(0, 0, 0);
    }
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    pDC->DrawText(strInfo, &rectInfo, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
    pDC->SetBkMode(nOldMode);
}
