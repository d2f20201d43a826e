#include "controls/CQZ2ToolbarMenuButton.h"

#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CMenu.h"

IMPLEMENT_SERIAL(CQZ2ToolbarMenuButton, CBCGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CQZ2ToolbarMenuButton::CQZ2ToolbarMenuButton() = default;

CQZ2ToolbarMenuButton::CQZ2ToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserImage)
    : CBCGPToolbarMenuButton(uiID, hMenu, iImage, lpszText, bUserImage)
{
}

CQZ2ToolbarMenuButton::~CQZ2ToolbarMenuButton() = default;

BOOL CQZ2ToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (CBCGPToolBar::IsCustomizeMode())
        return FALSE;
    return CBCGPToolbarMenuButton::OnClick(pWnd, bDelay);
}

QMenu* CQZ2ToolbarMenuButton::CreateDropDownMenu(QWidget* pParent)
{
    if (CBCGPToolBar::IsCustomizeMode() || (!IsEmptyMenuAllowed() && GetMenuItemCount() == 0))
        return nullptr;
    return CBCGPToolbarMenuButton::CreateDropDownMenu(pParent);
}

BOOL CQZ2ToolbarMenuButton::OnCustomizeMenu(CMenu* pPopup)
{
    if (pPopup == nullptr)
        return TRUE;
    for (UINT id : {16910u, 16911u, 16913u, 16914u, 16915u, 16916u})
        pPopup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    pPopup->CheckMenuItem(16914, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}
