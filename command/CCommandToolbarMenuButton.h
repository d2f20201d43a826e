#pragma once
// A drop-down group button of the main frame's toolbars that shows the command last chosen from its
// group: that command's name and image.

#include "controls/CQZ2ToolbarMenuButton.h"

class CCommandToolbarMenuButton : public CQZ2ToolbarMenuButton
{
    DECLARE_SERIAL(CCommandToolbarMenuButton)
public:
    // The command the frame remembers for a group button (0 for none); filled by the frame.
    static UINT (*s_pGroupCommand)(UINT nGroupID);

    CCommandToolbarMenuButton();
    CCommandToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserImage = FALSE);
    ~CCommandToolbarMenuButton() override;

    // The button shows the command's display name and image; its toolbar repaints it with its next paint.
    void SetCommand(UINT nCommandID);
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // A member chosen from the drop-down becomes the button's face before its command is sent.
    void OnMenuCommandChosen(UINT uiCmd) override;
};
