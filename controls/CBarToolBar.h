#pragma once
// The toolbar of a docking bar or a view: locked, never stored in or restored from the settings,
// not offered for customisation, its commands going to its owner (not through the frame) and its
// buttons' state asked from its owner (or its parent when it has none). A click on it first gives
// the focus to its focus window unless the focus is already there or inside it.

#include <utility>
#include <vector>

#include "platform/bcg/CBCGPToolBar.h"

class CBarToolBar : public CBCGPToolBar
{
    DECLARE_DYNAMIC(CBarToolBar)
public:
    CBarToolBar();
    ~CBarToolBar() override;

    // Creates the toolbar in pOwner with the buttons of toolbar resource nResID (0 or a missing
    // resource: none yet), tool tips and fly-by, no gripper or borders, pOwner as owner and focus
    // window.
    BOOL CreateForBar(CWnd* pOwner, UINT nID, UINT nResID);

    void SetFocusWindow(CWnd* pWnd) { m_pFocusWnd = pWnd; }
    CWnd* GetFocusWindow() const { return m_pFocusWnd; }
    // The height the toolbar takes at the top of its bar.
    int GetFixedHeight() const;
    // Tool tips of the buttons: pairs of a command and the number of its tip's string.
    void SetToolTipStrings(std::vector<std::pair<UINT, UINT>> tips);
    BOOL OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const override;

    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL AllowShowOnList() const override { return FALSE; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pFocusWnd = nullptr;
    std::vector<std::pair<UINT, UINT>> m_tipStrings;
};
