#include "app/CRibbonStatusBarPane.h"

IMPLEMENT_DYNCREATE(CRibbonStatusBarPane, CBCGPRibbonStatusBarPane)

CRibbonStatusBarPane::CRibbonStatusBarPane() = default;

CRibbonStatusBarPane::CRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic, HICON hIcon,
                                           LPCTSTR lpszAlmostLargeText)
    : CBCGPRibbonStatusBarPane(nCmdID, lpszText, bIsStatic, hIcon, lpszAlmostLargeText)
{
}

CRibbonStatusBarPane::~CRibbonStatusBarPane() = default;

COLORREF CRibbonStatusBarPane::OnFillBackground(CDC* pDC)
{
    if (m_clrFill != static_cast<COLORREF>(-1))
        return m_clrFill;
    return CBCGPRibbonStatusBarPane::OnFillBackground(pDC);
}
