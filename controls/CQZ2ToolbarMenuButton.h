#pragma once
// The base of the program's toolbar menu buttons: quiet while the toolbars are being customised (no
// menu opens), never with an empty menu.

#include "platform/bcg/CBCGPToolbarMenuButton.h"

class CMenu;

class CQZ2ToolbarMenuButton : public CBCGPToolbarMenuButton
{
    DECLARE_SERIAL(CQZ2ToolbarMenuButton)
public:
    CQZ2ToolbarMenuButton();
    CQZ2ToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserImage = FALSE);
    ~CQZ2ToolbarMenuButton() override;

    // FALSE, no menu, while the toolbars are customised.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    QMenu* CreateDropDownMenu(QWidget* pParent) override;
    // Greys what does not apply and checks item 16914; TRUE.
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
};
