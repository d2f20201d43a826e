#include "app/CQZ2CommandPopupMenuBar.h"

#include "command/CCommandToolbarMenuButton.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/win/CWnd.h"

IMPLEMENT_SERIAL(CQZ2CommandPopupMenuBar, CBCGPPopupMenuBar, VERSIONABLE_SCHEMA | 1)

CQZ2CommandPopupMenuBar::CQZ2CommandPopupMenuBar() = default;
CQZ2CommandPopupMenuBar::~CQZ2CommandPopupMenuBar() = default;

BOOL CQZ2CommandPopupMenuBar::OnSendCommand(const CBCGPToolbarButton* pButton)
{
    CBCGPPopupMenu* pPopup = GetParentPopup();
    auto* pGroup = pPopup != nullptr ? DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pPopup->GetParentButton()) : nullptr;
    if (pButton != nullptr && pGroup != nullptr && pGroup->GetParentWnd() != nullptr &&
        pGroup->GetParentWnd()->GetSafeHwnd() != nullptr)
        pGroup->SetCommand(pButton->m_nID);
    return CBCGPPopupMenuBar::OnSendCommand(pButton);
}
