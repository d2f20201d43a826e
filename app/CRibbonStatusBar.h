#pragma once
// The main frame's status bar. Information texts are drawn in colours the frame chooses, and the
// bar has no context menu.

#include "platform/bcg/CBCGPRibbonStatusBar.h"

class CRibbonStatusBar : public CBCGPRibbonStatusBar
{
    DECLARE_DYNCREATE(CRibbonStatusBar)
public:
    CRibbonStatusBar();
    ~CRibbonStatusBar() override;

    void OnControlBarContextMenu(CWnd* pParentFrame, CPoint point) override;

    // (COLORREF)-1: the visual manager's text colour / no background of its own.
    COLORREF m_clrInfoText = static_cast<COLORREF>(-1);
    COLORREF m_clrInfoBack = static_cast<COLORREF>(-1);

protected:
    void OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo) override;
};
