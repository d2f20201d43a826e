#pragma once
// The property bar's toolbar: for a length, angle or point row one drop-down button with the pick modes
// that take the row's value from the drawing; no button for any other row. Its commands go to the bar;
// it is never stored and never offered for customisation.

#include <vector>

#include "platform/bcg/CBCGPToolBar.h"

class CPropertyToolBar : public CBCGPToolBar
{
    DECLARE_DYNAMIC(CPropertyToolBar)
public:
    // The images of the pick-mode commands.
    static constexpr UINT kImages = 312;

    CPropertyToolBar();
    ~CPropertyToolBar() override;

    // The buttons of a row of that value type (0 none). TRUE, nothing rebuilt, for the same mode; FALSE
    // without a window.
    BOOL SetMode(UINT nValueType, BOOL bShow);
    UINT GetMode() const { return m_nMode; }
    BOOL IsShown() const { return m_bShown; }
    // The commands of the drop-down button's menu, in order; empty without a button.
    void GetMenuCommands(std::vector<UINT>& ids) const;
    int GetRebuildCount() const { return m_nRebuildCount; }

    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL AllowShowOnList() const override { return FALSE; }

protected:
    BOOL RebuildButtons();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    UINT m_nMode = 0;
    BOOL m_bShown = FALSE;
    int m_nRebuildCount = 0;
};
