#pragma once
// A pane of the main frame's status bar that can carry a fill colour of its own.

#include "platform/bcg/CBCGPRibbonStatusBarPane.h"

class CRibbonStatusBarPane : public CBCGPRibbonStatusBarPane
{
    DECLARE_DYNCREATE(CRibbonStatusBarPane)
public:
    CRibbonStatusBarPane();
    CRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic = FALSE, HICON hIcon = nullptr,
                         LPCTSTR lpszAlmostLargeText = nullptr);
    ~CRibbonStatusBarPane() override;

    COLORREF OnFillBackground(CDC* pDC) override;

    // (COLORREF)-1 keeps the library's colour.
    COLORREF m_clrFill = static_cast<COLORREF>(-1);
};
