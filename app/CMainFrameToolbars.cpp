// The special buttons of the main frame's toolbars: the attribute combos (colour, line type, line width)
// and the snap-angle field. The toolbar library stores and loads plain buttons and these alike; after
// every load, reset or customisation the frame makes sure that the ids show as their special buttons, and
// keeps the combos bound to the active document.

#include "app/CMainFrame.h"

#include "app/CQZ2App.h"
#include "app/SystemEnvironment.h"
#include "command/CommandManager.h"
#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "controls/CColorToolbarComboBoxButton.h"
#include "controls/CLineTypeToolbarComboBoxButton.h"
#include "controls/CLineWidthToolbarComboBoxButton.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"

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

}  // namespace

CBCGPToolbarButton* CMainFrame::CreateSpecialButton(UINT nID)
{
    switch (nID) {
    case CColorToolbarComboBoxButton::kCommandId: return new CColorToolbarComboBoxButton;
    case CLineTypeToolbarComboBoxButton::kCommandId: return new CLineTypeToolbarComboBoxButton;
    case CLineWidthToolbarComboBoxButton::kCommandId: return new CLineWidthToolbarComboBoxButton;
    case CAngularSnapToolbarComboBoxButton::kCommandId: return new CAngularSnapToolbarComboBoxButton;
    default: return nullptr;
    }
}

int CMainFrame::ReplaceToolbarButtons(CBCGPToolBar* pBar, UINT nID, const CBCGPToolbarButton* pButton, BOOL bForce)
{
    if (pBar == nullptr || pButton == nullptr)
        return 0;
    int count = 0;
    for (int index = pBar->CommandToIndex(nID); index >= 0; index = pBar->CommandToIndex(nID, index + 1)) {
        CBCGPToolbarButton* pOld = pBar->GetButton(index);
        if (!bForce && pOld != nullptr && pOld->GetRuntimeClass() == pButton->GetRuntimeClass())
            continue;
        if (pOld != nullptr)
            pOld->OnCancelMode();
        pBar->RemoveButton(index);
        if (pBar->InsertButton(*pButton, index) < 0)
            return 0;
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
    if (nResource == 307)
        ids = {34646, 34647, 34648};
    else if (nResource == 110)
        ids = {34663};
    for (UINT nID : ids) {
        if (CBCGPToolbarButton* pButton = CreateSpecialButton(nID)) {
            pBar->ReplaceButton(nID, *pButton);
            delete pButton;
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
            CBCGPToolbarButton* pButton = CreateSpecialButton(nID);
            if (pButton == nullptr)
                continue;
            ReplaceToolbarButtons(pBar, nID, pButton, (nID == 33932 || nID == 33933) && bUpgrade);
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
