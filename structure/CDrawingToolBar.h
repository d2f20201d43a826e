#pragma once
// The drawing bar's toolbar (resource 302): locked, never stored or offered for customisation; its buttons
// are updated and carried out by the bar, and a click first brings the focus into the bar.

#include "platform/bcg/CBCGPToolBar.h"

class CDrawingToolBar : public CBCGPToolBar
{
    DECLARE_DYNAMIC(CDrawingToolBar)
public:
    CDrawingToolBar();
    ~CDrawingToolBar() override;

    void SetFocusWindow(CWnd* pWnd) { m_pFocusWnd = pWnd; }

    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL AllowShowOnList() const override { return FALSE; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pFocusWnd = nullptr;
};
