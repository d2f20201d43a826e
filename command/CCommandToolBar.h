#pragma once
// The command bar's toolbar: end, confirm and clear, the buttons that fit the selected row's value
// (modifiers, step back, selection filter) and the input options. Its commands and their update
// handlers go to its owner, the command bar, not through the frame; it is never stored and never
// listed for customisation.

#include "platform/bcg/CBCGPToolBar.h"

class CCommandToolBar : public CBCGPToolBar
{
    DECLARE_DYNAMIC(CCommandToolBar)
public:
    // The toolbar resource with the images of the bar's buttons.
    static constexpr UINT kImages = 304;

    CCommandToolBar();
    ~CCommandToolBar() override;

    // Shows the buttons for the value type (2 length, 3 angle, 8 point, 9 point array, 14 shape group)
    // and whether the row takes modifiers. FALSE when nothing changed.
    BOOL SetItemType(int nType, BOOL bAcceptModifiers);
    int GetItemType() const { return m_nItemType; }
    BOOL GetAcceptModifiers() const { return m_bAcceptModifiers; }
    BOOL RebuildButtons();
    // The command ids of the buttons in order, 0 for a separator.
    void GetButtonIds(std::vector<UINT>& ids) const;

    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL AllowShowOnList() const override { return FALSE; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    int m_nItemType = 0;
    BOOL m_bAcceptModifiers = FALSE;
};
