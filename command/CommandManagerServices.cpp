// The small services the command manager offers commands that reach into the shell: progress on the main
// frame, the active tab view and its document, the current layer, the property bar, message boxes.
#include "command/CommandManager.h"

#include "command/MultiParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinInput.h"

namespace QZ2Command {

namespace {

CommandManager::ShellServices& ShellServicesStore()
{
    static CommandManager::ShellServices services;
    return services;
}

CMainFrame* MainFrame()
{
    const CommandManager::ShellServices& shell = ShellServicesStore();
    return shell.pfnGetMainFrame != nullptr ? shell.pfnGetMainFrame() : nullptr;
}

}  // namespace

void CommandManager::SetShellServices(const ShellServices& services)
{
    ShellServicesStore() = services;
}

const CommandManager::ShellServices& CommandManager::GetShellServices()
{
    return ShellServicesStore();
}

// --- the active view ----------------------------------------------------------------------------

void CommandManager::SetActiveView(CQZ2TabView* pTabView)
{
    if (pTabView == m_pTabView)
        return;
    const TabViewServices& tabs = GetTabViewServices();
    if (pTabView == nullptr) {
        // The view may be on its way out: the view command ends without touching it.
        m_pTabView = nullptr;
        m_pActiveView = nullptr;
        EndViewCommand();
        ShowSelectionProperties();
        return;
    }
    if (tabs.pfnGetTabViewDocument != nullptr) {
        CQZ2Doc* pDocument = nullptr;
        Draw2dDocument* pModel = nullptr;
        tabs.pfnGetTabViewDocument(pTabView, pDocument, pModel);
        if (pDocument != nullptr && pDocument != m_pDocument)
            SetDocument(pDocument, pModel);
    }
    m_pTabView = pTabView;
    if (tabs.pfnGetTabViewDrawView != nullptr) {
        m_pActiveView = tabs.pfnGetTabViewDrawView(pTabView);
        // The document works on what the view shows.
        const DrawingFeatureBase* pDrawing = m_pActiveView != nullptr ? m_pActiveView->GetDrawingFeature() : nullptr;
        if (pDrawing != nullptr && m_pDraw2dDocument != nullptr) {
            const PartDrawingLayout* pLayout = m_pActiveView->GetActiveLayout();
            m_pDraw2dDocument->ActivateDrawingFeature(pDrawing->GetDrawingID(),
                                                      pLayout != nullptr ? pLayout->GetLayoutID() : -1, TRUE);
        }
    }
    ShowSelectionProperties();
}

CWnd* CommandManager::GetActiveDrawingViewWnd() const
{
    const TabViewServices& tabs = GetTabViewServices();
    if (m_pTabView == nullptr || tabs.pfnGetTabViewDrawWnd == nullptr)
        return nullptr;
    return tabs.pfnGetTabViewDrawWnd(m_pTabView);
}

BOOL CommandManager::IsInPlaceItemActive() const
{
    return FALSE;
}

// --- points and layers --------------------------------------------------------------------------

BOOL CommandManager::ConvertPointItemToUser(ParameterItemBase* pItem) const
{
    if (pItem == nullptr || pItem->IsEmpty())
        return FALSE;
    if (pItem->GetTypeCode() == ParameterItemBase::typePoint) {
        auto* pPoint = dynamic_cast<PointParameterItem*>(pItem);
        return pPoint != nullptr && WorldToUserPoint(pPoint->m_point);
    }
    if (pItem->GetTypeCode() == ParameterItemBase::typeMulti) {
        auto* pMulti = dynamic_cast<MultiParameterItem*>(pItem);
        if (pMulti == nullptr || (pMulti->m_wKindMask & MultiParameterItem::acceptPoint) == 0)
            return FALSE;
        return WorldToUserPoint(pMulti->m_pointItem.m_point);
    }
    return FALSE;
}

BOOL CommandManager::SetCurrentLayer(const LayerFeature* pLayer)
{
    if (pLayer == nullptr || m_pDraw2dDocument == nullptr)
        return FALSE;
    m_pDraw2dDocument->BeginUndoOperation(nullptr);
    const BOOL bResult = m_pDraw2dDocument->SetCurrentLayerID(pLayer->GetLayerID(), 1);
    m_pDraw2dDocument->EndUndoOperation();
    return bResult;
}

// --- progress -----------------------------------------------------------------------------------

BOOL CommandManager::BeginProgress(LPCTSTR lpszText, int nLower, int nUpper, BOOL bCancellable, int nDisplayType)
{
    const ShellServices& shell = ShellServicesStore();
    CMainFrame* pFrame = MainFrame();
    if (pFrame == nullptr || shell.pfnShowProgress == nullptr)
        return FALSE;
    shell.pfnShowProgress(pFrame, TRUE, nDisplayType, bCancellable, nLower, nUpper, FALSE, TRUE);
    if (shell.pfnSetProgressText != nullptr)
        shell.pfnSetProgressText(pFrame, CString(lpszText != nullptr ? lpszText : u""));
    return TRUE;
}

BOOL CommandManager::StepProgress(BOOL bPump, LPCTSTR lpszText)
{
    const ShellServices& shell = ShellServicesStore();
    CMainFrame* pFrame = MainFrame();
    if (pFrame == nullptr || shell.pfnSetProgressPos == nullptr || shell.pfnGetProgressPos == nullptr)
        return FALSE;
    if (bPump && shell.pfnPumpProgressMessages != nullptr)
        shell.pfnPumpProgressMessages(pFrame);
    if (lpszText != nullptr && shell.pfnSetProgressText != nullptr)
        shell.pfnSetProgressText(pFrame, CString(lpszText));
    return shell.pfnSetProgressPos(pFrame, shell.pfnGetProgressPos(pFrame) + 1);
}

void CommandManager::PumpProgressMessages()
{
    const ShellServices& shell = ShellServicesStore();
    if (CMainFrame* pFrame = MainFrame(); pFrame != nullptr && shell.pfnPumpProgressMessages != nullptr)
        shell.pfnPumpProgressMessages(pFrame);
}

BOOL CommandManager::EndProgress()
{
    const ShellServices& shell = ShellServicesStore();
    CMainFrame* pFrame = MainFrame();
    if (pFrame == nullptr || shell.pfnShowProgress == nullptr)
        return FALSE;
    shell.pfnShowProgress(pFrame, FALSE, 0, FALSE, 0, 100, FALSE, TRUE);
    return TRUE;
}

BOOL CommandManager::IsProgressCancelled() const
{
    const ShellServices& shell = ShellServicesStore();
    CMainFrame* pFrame = MainFrame();
    return pFrame != nullptr && shell.pfnIsProgressCancelled != nullptr && shell.pfnIsProgressCancelled(pFrame);
}

// --- the property bar ---------------------------------------------------------------------------

BOOL CommandManager::ShowSelectionProperties()
{
    const ShellServices& shell = ShellServicesStore();
    if (m_pDraw2dDocument == nullptr || m_pPropertyBar == nullptr || HasActiveCommand() ||
        shell.pfnGetPropertyBarKind == nullptr || shell.pfnShowShapeProperties == nullptr)
        return FALSE;
    SelectionManager* pSelection = m_pDraw2dDocument->GetSelectionManager();
    if (pSelection == nullptr || pSelection->IsSelectionEmpty() || shell.pfnGetPropertyBarKind(m_pPropertyBar) == 1)
        return FALSE;
    CArray<FeatureLayout> records;
    pSelection->GetSelectedFeatureList(records);
    shell.pfnShowShapeProperties(m_pPropertyBar, m_pDraw2dDocument, records);
    return TRUE;
}

BOOL CommandManager::ShowFeatureProperties(const CArray<FeatureLayout>& records, BOOL bShow)
{
    const ShellServices& shell = ShellServicesStore();
    if (m_pDraw2dDocument == nullptr || m_pPropertyBar == nullptr || shell.pfnShowShapeProperties == nullptr ||
        records.IsEmpty())
        return FALSE;
    if (!shell.pfnShowShapeProperties(m_pPropertyBar, m_pDraw2dDocument, records))
        return FALSE;
    if (bShow && shell.pfnShowPropertyBar != nullptr)
        if (CMainFrame* pFrame = MainFrame())
            shell.pfnShowPropertyBar(pFrame, TRUE);
    return TRUE;
}

// --- messages and keys --------------------------------------------------------------------------

int CommandManager::ShowMessageBox(LPCTSTR lpszText, UINT nType)
{
    if (lpszText == nullptr)
        return 0;
    return AfxMessageBox(lpszText, nType);
}

BOOL CommandManager::ShowStatusInformation(LPCTSTR lpszText, UINT nDurationMs) const
{
    const ShellServices& shell = GetShellServices();
    if (lpszText == nullptr || shell.pfnGetMainFrame == nullptr || shell.pfnSetStatusInformation == nullptr)
        return FALSE;
    CMainFrame* pFrame = shell.pfnGetMainFrame();
    if (pFrame == nullptr)
        return FALSE;
    shell.pfnSetStatusInformation(pFrame, CString(lpszText), nDurationMs);
    return TRUE;
}

BOOL CommandManager::IsCtrlShiftDown()
{
    return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 && (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

}  // namespace QZ2Command
