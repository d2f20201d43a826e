// The special buttons of the main frame's toolbars: the attribute combos (colour, line type, line width)
// and the snap-angle field. The toolbar library stores and loads plain buttons and these alike; after
// every load, reset or customisation the frame makes sure that the ids show as their special buttons, and
// keeps the combos bound to the active document.

#include "app/CMainFrame.h"

#include "app/CQZ2App.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandToolbarMenuButton.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "controls/CQZ2ToolbarMenuButton.h"
#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "controls/CColorToolbarComboBoxButton.h"
#include "controls/CLineTypeToolbarComboBoxButton.h"
#include "controls/CLineWidthToolbarComboBoxButton.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"

namespace {

Draw2dDocument* ActiveDocument()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    QZ2Command::CommandManager* pManager = pApp != nullptr ? pApp->GetCommandManager() : nullptr;
    return pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
}

// Every button of the class with the command on any toolbar.
template <class Button>
void ForEachButton(UINT nID, void (*pfn)(Button*, void*), void* pData)
{
    CObList list;
    CBCGPToolBar::GetCommandButtons(nID, list);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = list.GetNext(pos);
        if (pObject != nullptr && pObject->IsKindOf(Button::GetButtonClass()))
            pfn(static_cast<Button*>(pObject), pData);
    }
}

template <class Button>
void BindAll(Draw2dDocument* pDocument)
{
    ForEachButton<Button>(
        Button::kCommandId, [](Button* pButton, void* pData) { pButton->SetDocument(static_cast<Draw2dDocument*>(pData)); },
        pDocument);
}

template <class Button>
void NotifyAll(NotifyInfoBase* pInfo)
{
    if (!Button::IsUpdateNeeded(pInfo))
        return;
    ForEachButton<Button>(
        Button::kCommandId,
        [](Button* pButton, void* pData) { pButton->OnDocumentNotify(static_cast<NotifyInfoBase*>(pData)); }, pInfo);
}

// The ids of the special buttons, in the order they are restored.
constexpr UINT kSpecialIds[] = {57600, 34663, 34126, 34131, 34639, 34649, 34646, 34647, 34648, 33936,
                                33924, 33937, 33925, 33926, 33927, 33928, 33929, 33930, 33938, 33939,
                                33940, 33941, 33931, 33932, 33933, 33934, 33935};

// The drop-down menu buttons: command, menu, text, tear-off toolbar (0 for none).
struct MenuButtonRow {
    UINT nID;
    UINT nMenu;
    UINT nText;
    UINT nTearOff;
};
constexpr MenuButtonRow kMenuButtons[] = {
    {57600, 237, 10309, 0}, {34126, 233, 10310, 59498}, {34131, 232, 10311, 0},
    {34639, 234, 10312, 59497}, {34649, 235, 10272, 59478},
};

// The group buttons: group, menu of its members, tear-off toolbar.
constexpr UINT kGroupButtons[][3] = {
    {33924, 204, 59480}, {33925, 205, 59481}, {33926, 206, 59482}, {33927, 207, 59483}, {33928, 208, 59484},
    {33929, 209, 59485}, {33930, 211, 59486}, {33931, 210, 59487}, {33932, 212, 59488}, {33933, 213, 59489},
    {33934, 214, 59490}, {33935, 215, 59491}, {33936, 203, 59479}, {33937, 238, 59492}, {33938, 239, 59493},
    {33939, 240, 59494}, {33940, 241, 59495}, {33941, 242, 59496},
};

// Sub-menu 0 of a menu resource; null when the resource is missing (the button then has no drop-down).
HMENU LoadDropDown(CMenu& menu, UINT nMenu)
{
    if (!menu.LoadMenu(nMenu))
        return nullptr;
    CMenu* pSub = menu.GetSubMenu(0);
    return pSub != nullptr ? pSub->m_hMenu : nullptr;
}

// The group button shows the command; TRUE when its face changed (its toolbar must show it anew).
bool ShowGroupCommand(CCommandToolbarMenuButton* pButton, UINT nCommand)
{
    // A face that shows the command already is left alone (no repaint).
    if (pButton->GetImage() == CImageHash::GetImageOfCommand(nCommand) &&
        pButton->m_strText == QZ2Command::CommandManager::GetCommandDisplayName(nCommand))
        return false;
    pButton->SetCommand(nCommand);
    return true;
}

// The class of the special button of the id, NULL for an id without one.
CRuntimeClass* SpecialClassOf(UINT nID)
{
    switch (nID) {
    case CColorToolbarComboBoxButton::kCommandId: return RUNTIME_CLASS(CColorToolbarComboBoxButton);
    case CLineTypeToolbarComboBoxButton::kCommandId: return RUNTIME_CLASS(CLineTypeToolbarComboBoxButton);
    case CLineWidthToolbarComboBoxButton::kCommandId: return RUNTIME_CLASS(CLineWidthToolbarComboBoxButton);
    case CAngularSnapToolbarComboBoxButton::kCommandId: return RUNTIME_CLASS(CAngularSnapToolbarComboBoxButton);
    default: break;
    }
    for (const MenuButtonRow& row : kMenuButtons)
        if (row.nID == nID)
            return RUNTIME_CLASS(CQZ2ToolbarMenuButton);
    return nID >= 33924 && nID <= 33941 ? RUNTIME_CLASS(CCommandToolbarMenuButton) : nullptr;
}

// Whether every button of the id on the toolbar is of the class already.
bool AllButtonsOfClass(CBCGPToolBar* pBar, UINT nID, CRuntimeClass* pClass)
{
    for (int index = pBar->CommandToIndex(nID); index >= 0; index = pBar->CommandToIndex(nID, index + 1))
        if (pBar->GetButton(index) == nullptr || pBar->GetButton(index)->GetRuntimeClass() != pClass)
            return false;
    return true;
}

// Shows the toolbars that hold the button as they are now.
void RelayoutParent(CBCGPToolbarButton* pButton)
{
    if (auto* pBar = DYNAMIC_DOWNCAST(CBCGPToolBar, pButton->GetParentWnd()); pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->AdjustLayout();
}

}  // namespace

CBCGPToolbarButton* CMainFrame::CreateSpecialButton(UINT nID)
{
    switch (nID) {
    case CColorToolbarComboBoxButton::kCommandId: return new CColorToolbarComboBoxButton;
    case CLineTypeToolbarComboBoxButton::kCommandId: return new CLineTypeToolbarComboBoxButton;
    case CLineWidthToolbarComboBoxButton::kCommandId: return new CLineWidthToolbarComboBoxButton;
    case CAngularSnapToolbarComboBoxButton::kCommandId: return new CAngularSnapToolbarComboBoxButton;
    default: break;
    }
    for (const MenuButtonRow& row : kMenuButtons) {
        if (row.nID != nID)
            continue;
        CMenu menu;
        auto* pButton = new CQZ2ToolbarMenuButton(nID, LoadDropDown(menu, row.nMenu), CImageHash::GetImageOfCommand(nID),
                                                  LoadResourceString(row.nText), FALSE);
        if (row.nTearOff != 0)
            pButton->SetTearOff(row.nTearOff);
        return pButton;
    }
    return CreateGroupButton(nID);
}

CBCGPToolbarButton* CMainFrame::CreateGroupButton(UINT nID)
{
    for (const auto& row : kGroupButtons) {
        if (row[0] != nID)
            continue;
        CMenu menu;
        auto* pButton = new CCommandToolbarMenuButton(nID, LoadDropDown(menu, row[1]), CImageHash::GetImageOfCommand(nID),
                                                      nullptr, FALSE);
        // Members without an image of their own show the group's, in the drop-down and on the button.
        const int nGroupImage = CImageHash::GetImageOfCommand(nID);
        std::vector<UINT> members;
        pButton->GetCommands(members);
        for (UINT nMember : members)
            if (nGroupImage >= 0 && CImageHash::GetImageOfCommand(nMember) < 0)
                CImageHash::Set(nMember, nGroupImage);
        pButton->SetCommand(GetGroupButtonCommand(nID));
        pButton->SetTearOff(row[2]);
        return pButton;
    }
    return nullptr;
}

void CMainFrame::RefreshGroupButtons(UINT nGroupID)
{
    CObList list;
    CBCGPToolBar::GetCommandButtons(nGroupID, list);
    const UINT nCommand = GetGroupButtonCommand(nGroupID);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, list.GetNext(pos));
        if (pButton == nullptr)
            continue;
        if (ShowGroupCommand(pButton, nCommand))
            RelayoutParent(pButton);
    }
}

int CMainFrame::ReplaceToolbarButtons(CBCGPToolBar* pBar, UINT nID, const CBCGPToolbarButton* pButton, BOOL bForce)
{
    if (pBar == nullptr || pButton == nullptr)
        return 0;
    int count = 0;
    for (int index = pBar->CommandToIndex(nID); index >= 0; index = pBar->CommandToIndex(nID, index + 1)) {
        CBCGPToolbarButton* pOld = pBar->GetButton(index);
        if (!bForce && pOld != nullptr && pOld->GetRuntimeClass() == pButton->GetRuntimeClass()) {
            // The button stays; a group button shows the group's command of now.
            if (auto* pGroup = DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pOld); pGroup != nullptr && ShowGroupCommand(pGroup, GetGroupButtonCommand(nID)))
                pBar->AdjustLayout();
            continue;
        }
        if (pOld != nullptr)
            pOld->OnCancelMode();
        pBar->RemoveButton(index);
        if (pBar->InsertButton(*pButton, index) < 0)
            return 0;
        // The copy shows the group's command of this frame, whatever it found on joining the toolbar.
        if (auto* pGroup = DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pBar->GetButton(index)))
            pGroup->SetCommand(GetGroupButtonCommand(nID));
        pBar->AdjustLayout();
        ++count;
    }
    return count;
}

LRESULT CMainFrame::OnResetToolbar(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    const UINT nResource = static_cast<UINT>(wParam);
    CBCGPToolBar* pBar = nullptr;
    const CObList& bars = CBCGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr && pBar == nullptr;) {
        auto* pCandidate = static_cast<CBCGPToolBar*>(bars.GetNext(pos));
        if (pCandidate != nullptr && pCandidate->GetResourceID() == nResource)
            pBar = pCandidate;
    }
    if (pBar == nullptr)
        return 0;
    std::vector<UINT> ids;
    switch (nResource) {
    case 110: ids = {57600, 34663, 34126, 34131, 34639, 34649}; break;
    case 305:
        ids = {33936, 33924, 33937, 33925, 33926, 33927, 33928, 33929, 33930, 33938, 33939, 33940, 33941, 33931};
        break;
    case 306: ids = {33932, 33933, 33934, 33935}; break;
    case 307: ids = {34646, 34647, 34648}; break;
    default: break;
    }
    for (UINT nID : ids) {
        if (CBCGPToolbarButton* pButton = CreateSpecialButton(nID)) {
            pBar->ReplaceButton(nID, *pButton);
            delete pButton;
            const int index = pBar->CommandToIndex(nID);
            if (auto* pGroup = index >= 0 ? DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pBar->GetButton(index)) : nullptr)
                pGroup->SetCommand(GetGroupButtonCommand(nID));
        }
    }
    if (nResource == 307) {
        Draw2dDocument* pDocument = ActiveDocument();
        for (int i = 0; i < pBar->GetCount(); ++i) {
            CBCGPToolbarButton* pButton = pBar->GetButton(i);
            if (auto* pColor = DYNAMIC_DOWNCAST(CColorToolbarComboBoxButton, pButton))
                pColor->SetDocument(pDocument);
            else if (auto* pType = DYNAMIC_DOWNCAST(CLineTypeToolbarComboBoxButton, pButton))
                pType->SetDocument(pDocument);
            else if (auto* pWidth = DYNAMIC_DOWNCAST(CLineWidthToolbarComboBoxButton, pButton))
                pWidth->SetDocument(pDocument);
        }
    }
    return 0;
}

void CMainFrame::RestoreSpecialButtons()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    const BOOL bUpgrade = pApp != nullptr && pApp->GetSettingsVersion() < 0x30032;
    const CObList& bars = CBCGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CBCGPToolBar*>(bars.GetNext(pos));
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
            continue;
        for (UINT nID : kSpecialIds) {
            if (pBar->CommandToIndex(nID) < 0)
                continue;
            const BOOL bForce = (nID == 33932 || nID == 33933) && bUpgrade;
            // Buttons that are special already stay: no new button is made for them; groups show their command.
            if (!bForce && AllButtonsOfClass(pBar, nID, SpecialClassOf(nID))) {
                bool changed = false;
                for (int index = pBar->CommandToIndex(nID); index >= 0; index = pBar->CommandToIndex(nID, index + 1))
                    if (auto* pGroup = DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pBar->GetButton(index)))
                        changed = ShowGroupCommand(pGroup, GetGroupButtonCommand(nID)) || changed;
                if (changed)
                    pBar->AdjustLayout();
                continue;
            }
            CBCGPToolbarButton* pButton = CreateSpecialButton(nID);
            if (pButton == nullptr)
                continue;
            ReplaceToolbarButtons(pBar, nID, pButton, bForce);
            delete pButton;
        }
    }
}

void CMainFrame::UpdateToolbarCombos()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    if (pApp != nullptr && pApp->GetSystemEnvironment() != nullptr)
        ShowSnapAngle(pApp->GetSystemEnvironment()->m_SnapAngle);
    Draw2dDocument* pDocument = ActiveDocument();
    BindAll<CColorToolbarComboBoxButton>(pDocument);
    BindAll<CLineTypeToolbarComboBoxButton>(pDocument);
    BindAll<CLineWidthToolbarComboBoxButton>(pDocument);
}

void CMainFrame::BroadcastToToolbarCombos(NotifyInfoBase* pInfo)
{
    NotifyAll<CColorToolbarComboBoxButton>(pInfo);
    NotifyAll<CLineTypeToolbarComboBoxButton>(pInfo);
    NotifyAll<CLineWidthToolbarComboBoxButton>(pInfo);
    if (CAngularSnapToolbarComboBoxButton::IsUpdateNeeded(pInfo))
        ForEachButton<CAngularSnapToolbarComboBoxButton>(
            CAngularSnapToolbarComboBoxButton::kCommandId,
            [](CAngularSnapToolbarComboBoxButton* pButton, void* pData) {
                pButton->OnNotify(static_cast<NotifyInfoBase*>(pData));
            },
            pInfo);
}

void CMainFrame::ShowSnapAngle(double degrees)
{
    ForEachButton<CAngularSnapToolbarComboBoxButton>(
        CAngularSnapToolbarComboBoxButton::kCommandId,
        [](CAngularSnapToolbarComboBoxButton* pButton, void* pData) {
            pButton->SetAngleText(*static_cast<double*>(pData));
        },
        &degrees);
}
