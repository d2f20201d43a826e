// The frame's side of the menus and toolbars: popups it fills while they open (the toolbar list, the
// drawing list), the tool tips of toolbar buttons, the titles of torn-off menus, the customisation sheet
// and new user toolbars.

#include "app/CMainFrame.h"

#include "app/CQZ2App.h"
#include "app/CQZ2ToolbarCustomizeDialog.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandToolbarMenuButton.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT ID_TOOLBAR_LIST = 33307;
constexpr UINT ID_DRAWING_LIST = 39491;
constexpr UINT ID_CHECK_FOR_UPDATE = 34951;
constexpr UINT ID_CUSTOMIZE = 34664;
constexpr UINT kToolbarListMenu = 227;
constexpr UINT kUserToolbarFirst = 59600;
constexpr UINT kUserToolbarLast = 59699;
// The structure views handle this many drawings of the list; the ids after them belong to other commands.
constexpr int kMaxListedDrawings = 20;

// Titles of the torn-off toolbars by their id.
constexpr UINT kTearOffTitles[][2] = {
    {59478, 10272}, {59479, 10275}, {59480, 10276}, {59481, 10277}, {59482, 10278}, {59483, 10279},
    {59484, 10280}, {59485, 10281}, {59486, 10282}, {59487, 10287}, {59488, 10288}, {59489, 10289},
    {59490, 10290}, {59491, 10291}, {59493, 10283}, {59494, 10284}, {59495, 10285}, {59496, 10286},
    {59497, 10273}, {59498, 10274},
};

// The tool tip line of a command's string ("prompt\ntip"), its bracketed access key "(&X)" removed.
CString TipLineOf(UINT nCommand)
{
    CString full = LoadResourceString(nCommand);
    if (full.GetLength() > 256)
        full = full.Left(256);
    const int nl = full.Find(u'\n');
    if (nl < 0)
        return CString();
    CString tip = full.Mid(nl + 1);
    const int end = tip.Find(u'\n');
    if (end >= 0)
        tip = tip.Left(end);
    return CMainFrame::RemoveAccessKeyMarker(tip);
}

}  // namespace

CString CMainFrame::RemoveAccessKeyMarker(const CString& text)
{
    CString out(text);
    const int p = out.Find(u"(&");
    if (p >= 0 && out.Find(u')', p) == p + 3)
        out.Delete(p, 4);
    return out;
}

BOOL CMainFrame::GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& strTTText)
{
    if (pButton == nullptr || pButton->IsSeparator())
        return FALSE;
    if (DYNAMIC_DOWNCAST(CCommandToolbarMenuButton, pButton) != nullptr) {
        // A group without a member has no tip of its own: the library's stands.
        const CString tip = TipLineOf(GetGroupButtonCommand(pButton->m_nID));
        if (tip.IsEmpty())
            return FALSE;
        strTTText = tip;
        return TRUE;
    }
    if (pButton->m_nID == kSelectionModeButton) {
        CString suffix;
        SystemEnvironment* pOptions = CQZ2App::GetApp() != nullptr ? CQZ2App::GetApp()->GetSystemEnvironment() : nullptr;
        switch (pOptions != nullptr ? pOptions->m_SelectionShapeMode : 0) {
        case 1: suffix = LoadResourceString(10305); break;
        case 2: suffix = LoadResourceString(10306); break;
        case 8: suffix = LoadResourceString(10307); break;
        case 16: suffix = LoadResourceString(10308); break;
        default: return FALSE;
        }
        strTTText = TipLineOf(pButton->m_nID) + suffix;
        return TRUE;
    }
    if (!pButton->m_strText.IsEmpty() && !pButton->IsOrdinaryCommand())
        return FALSE;
    if (pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
        return FALSE;
    const CString tip = TipLineOf(pButton->m_nID);
    if (tip.IsEmpty())
        return FALSE;
    strTTText = tip;
    return TRUE;
}

BOOL CMainFrame::OnShowPopupMenu(CBCGPPopupMenu* pMenuPopup)
{
    CBCGPMDIFrameWnd::OnShowPopupMenu(pMenuPopup);
    if (pMenuPopup == nullptr)
        return TRUE;
    CBCGPPopupMenuBar* pBar = pMenuPopup->GetMenuBar();
    if (pBar == nullptr)
        return TRUE;

    if (pBar->CommandToIndex(ID_TOOLBAR_LIST) >= 0) {
        // The toolbars change while they are customised: no list then.
        if (CBCGPToolBar::IsCustomizeMode())
            return FALSE;
        pMenuPopup->RemoveAllItems();
        CMenu menu;
        if (menu.LoadMenu(kToolbarListMenu)) {
            if (CMenu* pList = menu.GetSubMenu(0)) {
                SetupToolbarMenu(*pList, kUserToolbarFirst, kUserToolbarLast);
                pList->AppendMenu(MF_SEPARATOR);
                pList->AppendMenu(MF_STRING, ID_CUSTOMIZE, LoadResourceString(10271));
                pBar->ImportFromMenu(pList->m_hMenu, TRUE);
            }
        }
    }

    if (pBar->CommandToIndex(ID_DRAWING_LIST) >= 0) {
        while (pBar->GetCount() > 0)
            pBar->RemoveButton(pBar->GetCount() - 1);
        QZ2Command::CommandManager* pManager = CQZ2App::GetApp() != nullptr ? CQZ2App::GetApp()->GetCommandManager() : nullptr;
        Draw2dDocument* pModel = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
        const int count = pModel != nullptr ? std::min(pModel->GetDrawingFeatureCount(), kMaxListedDrawings) : 0;
        for (int i = 0; i < count; ++i) {
            const DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
            pBar->InsertButton(CBCGPToolbarButton(ID_DRAWING_LIST + static_cast<UINT>(i), -1,
                                                  pDrawing != nullptr ? pDrawing->GetDrawingName() : CString()));
        }
    }

    const CQZ2App* pApp = CQZ2App::GetApp();
    if (pApp != nullptr && pApp->GetLanguageCode().CompareNoCase(u"ENG") == 0) {
        const int index = pBar->CommandToIndex(ID_CHECK_FOR_UPDATE);
        if (index >= 0)
            pBar->RemoveButton(index);
    }
    return TRUE;
}

BOOL CMainFrame::OnTearOffMenu(CBCGPPopupMenu* pMenuPopup, CBCGPControlBar* pBar)
{
    CBCGPMDIFrameWnd::OnTearOffMenu(pMenuPopup, pBar);
    auto* pToolBar = DYNAMIC_DOWNCAST(CBCGPToolBar, pBar);
    if (pToolBar == nullptr || pToolBar->GetSafeHwnd() == nullptr)
        return TRUE;
    const UINT nID = static_cast<UINT>(pToolBar->GetDlgCtrlID());
    for (const auto& row : kTearOffTitles) {
        if (row[0] != nID)
            continue;
        const CString title = LoadResourceString(row[1]);
        if (!title.IsEmpty())
            pToolBar->SetWindowText(title);
        break;
    }
    return TRUE;
}

void CMainFrame::OnCustomize()
{
    // One sheet at a time: the open one comes to the front.
    if (CQZ2ToolbarCustomizeDialog* pOpen = CQZ2ToolbarCustomizeDialog::GetOpenSheet()) {
        pOpen->SetFocus();
        return;
    }
    if (QZ2Command::CommandManager* pManager = CQZ2App::GetApp() != nullptr ? CQZ2App::GetApp()->GetCommandManager() : nullptr)
        pManager->CancelAllCommands();
    auto* pSheet = new CQZ2ToolbarCustomizeDialog(this, TRUE, 4, nullptr);
    const CString snap = LoadResourceString(10292);
    const CString command = LoadResourceString(10293);
    auto addSpecial = [&](const CString& category, UINT nID) {
        if (CBCGPToolbarButton* pButton = CreateSpecialButton(nID)) {
            pSheet->AddButton(category, *pButton);
            delete pButton;
        }
    };
    addSpecial(snap, 34639);
    pSheet->AddButton(snap, CBCGPToolbarButton(34669, -1));
    addSpecial(snap, 34649);
    pSheet->AddToolBar(snap, 311);
    pSheet->AddButton(snap, CBCGPToolbarButton(34662, -1));
    for (UINT nID : {37158u, 37159u, 37152u, 37153u, 37154u, 37155u, 37156u, 37157u, 37106u, 37107u, 37108u, 37109u})
        pSheet->AddButton(command, CBCGPToolbarButton(nID, -1));
    pSheet->EnableUserDefinedToolbars(TRUE);
    if (!pSheet->Create())
        delete pSheet;
}

LRESULT CMainFrame::OnToolbarCreateNew(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CBCGPMDIFrameWnd::OnToolbarCreateNew(wParam, lParam);
    if (auto* pBar = reinterpret_cast<CBCGPToolBar*>(result))
        pBar->EnableCustomizeButton(TRUE, ID_CUSTOMIZE, ID_CUSTOMIZE, TRUE);
    return result;
}

void CMainFrame::OnToggleUserToolbar(UINT nID)
{
    CBCGPToolBar* pBar = GetUserBarByIndex(static_cast<int>(nID - kUserToolbarFirst));
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        ShowControlBar(pBar, !pBar->IsVisible(), FALSE, FALSE);
}

void CMainFrame::OnUpdateUserToolbar(CCmdUI* pCmdUI)
{
    CBCGPToolBar* pBar = GetUserBarByIndex(static_cast<int>(pCmdUI->m_nID - kUserToolbarFirst));
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsVisible() ? 1 : 0);
}

namespace {

// The menu resources of the drop-down and group buttons: their items are commands too.
constexpr UINT kDropDownMenus[] = {203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214, 215,
                                   232, 233, 234, 235, 237, 238, 239, 240, 241, 242};
constexpr UINT kMainFrameResource = 110;
// Bound for menus read from resources.
constexpr int kMaxMenuDepth = 8;

void CollectMenuCommands(HMENU hMenu, std::set<UINT>& ids, int depth)
{
    CMenu* pMenu = hMenu != nullptr ? CMenu::FromHandle(hMenu) : nullptr;
    if (pMenu == nullptr || depth > kMaxMenuDepth)
        return;
    for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i) {
        if (CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(i)))
            CollectMenuCommands(pSub->m_hMenu, ids, depth + 1);
        else if (const UINT nID = pMenu->GetMenuItemID(static_cast<int>(i)); nID != 0 && nID != static_cast<UINT>(-1))
            ids.insert(nID);
    }
}

}  // namespace

BOOL CMainFrame::HasCommand(UINT nID)
{
    if (nID == 0 || nID > 0xFFFF)
        return FALSE;
    if (CImageHash::GetImageOfCommand(nID) >= 0)
        return TRUE;
    QZ2Command::CommandInfo* pRow = nullptr;
    if (QZ2Command::CommandManager::GetCommandIndex().Lookup(static_cast<WORD>(nID), pRow))
        return TRUE;
    if (m_menuCommands.empty()) {
        CollectMenuCommands(m_hMenuDefault, m_menuCommands, 0);
        if (CWinApp* pApp = AfxGetApp()) {
            for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
                if (auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos)))
                    CollectMenuCommands(pTemplate->m_hMenuShared, m_menuCommands, 0);
        }
        for (UINT nMenu : kDropDownMenus) {
            CMenu menu;
            if (menu.LoadMenu(nMenu))
                CollectMenuCommands(menu.m_hMenu, m_menuCommands, 0);
        }
        if (HACCEL hDefault = LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(kMainFrameResource))) {
            std::vector<ACCEL> keys(static_cast<size_t>(std::max(0, CopyAcceleratorTable(hDefault, nullptr, 0))));
            if (!keys.empty())
                CopyAcceleratorTable(hDefault, keys.data(), static_cast<int>(keys.size()));
            DestroyAcceleratorTable(hDefault);
            for (const ACCEL& key : keys)
                m_menuCommands.insert(key.cmd);
        }
        m_menuCommands.insert(ID_CUSTOMIZE);
    }
    return m_menuCommands.count(nID) != 0 ? TRUE : FALSE;
}

BOOL CMainFrame::FilterStoredKey(CFrameWnd* pFrame, UINT nCmd)
{
    auto* pMain = dynamic_cast<CMainFrame*>(pFrame);
    return pMain == nullptr || pMain->HasCommand(nCmd);
}
