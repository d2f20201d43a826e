#include "command/CCommandToolbarMenuButton.h"

#include "command/CommandManager.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CWnd.h"

IMPLEMENT_SERIAL(CCommandToolbarMenuButton, CQZ2ToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

UINT (*CCommandToolbarMenuButton::s_pGroupCommand)(UINT nGroupID) = nullptr;

CCommandToolbarMenuButton::CCommandToolbarMenuButton() = default;

CCommandToolbarMenuButton::CCommandToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserImage)
    : CQZ2ToolbarMenuButton(uiID, hMenu, iImage, lpszText, bUserImage)
{
}

CCommandToolbarMenuButton::~CCommandToolbarMenuButton() = default;

void CCommandToolbarMenuButton::SetCommand(UINT nCommandID)
{
    m_strText = QZ2Command::CommandManager::GetCommandDisplayName(nCommandID);
    SetImage(CImageHash::GetImageOfCommand(nCommandID, FALSE));
    // Painted with the toolbar's next paint: a toolbar being loaded or rebuilt is not painted once per button.
    if (CWnd* pParent = GetParentWnd(); pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
        pParent->InvalidateRect(&Rect());
}

void CCommandToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CQZ2ToolbarMenuButton::OnChangeParentWnd(pWndParent);
    if (s_pGroupCommand == nullptr)
        return;
    const UINT nCommand = s_pGroupCommand(m_nID);
    if (nCommand != 0) {
        SetCommand(nCommand);
    } else {
        m_strText.Empty();
        SetImage(-1);
    }
}

void CCommandToolbarMenuButton::OnMenuCommandChosen(UINT uiCmd)
{
    if (GetParentWnd() != nullptr && GetParentWnd()->GetSafeHwnd() != nullptr)
        SetCommand(uiCmd);
}
