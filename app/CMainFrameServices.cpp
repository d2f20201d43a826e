// What the rest of the program asks of the main frame beyond its bars: feeding the property bar, the
// active drawing view, help through the help document, the layer of the selection, the selection pane,
// and the hooks through which the command manager reaches the frame, the tab views and the property bar.

#include "app/CMainFrame.h"
#include "platform/win/CDocTemplate.h"
#include "app/CQZ2CntrItem.h"

#include "app/CQZ2FileDialog.h"
#include "commands/shape/CAttributeDialog.h"
#include "commands/shape/Image2dCommand.h"

#include <QtCore/QFileInfo>
#include <QtCore/QString>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "app/SystemEnvironment.h"
#include "command/CommandManager.h"
#include "controls/ControlsServices.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMDIChildWnd.h"
#include "property/CPropertyBar.h"
#include "property/FeaturePropertyBase.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "structure/CDrawingBar.h"
#include "structure/CLayerBar.h"
#include "structure/StructureServices.h"

namespace {

using QZ2Command::CommandManager;
using QZ2Command::FeaturePropertyBase;

constexpr UINT kFailedToLaunchHelp = 61703;

CommandManager* ServicesManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

CMainFrame* MainFrameOfApp()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(pMain) : nullptr;
}

}  // namespace

// ---- the property bar ---------------------------------------------------------------------------

void CMainFrame::ShowFeatureProperties(FeaturePropertyBase* pObject, BOOL bAdd, BOOL bShow)
{
    if (m_pPropertyBar == nullptr)
        return;
    m_pPropertyBar->SetFeatureProperty(pObject, bAdd);
    if (bShow)
        ShowPropertyBar(TRUE);
}

void CMainFrame::ShowSelectionProperties(const CArray<FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bShow)
{
    if (m_pPropertyBar == nullptr)
        return;
    m_pPropertyBar->SetFeatureProperties(objects, bAdd, TRUE);
    if (bShow)
        ShowPropertyBar(TRUE);
}

void CMainFrame::ReleasePropertyBarDocument(UINT nKind)
{
    if (m_pPropertyBar != nullptr)
        m_pPropertyBar->ClearFeatureProperties(nKind);
}

// ---- the active drawing view ----------------------------------------------------------------------

CQZ2View* CMainFrame::GetActiveDrawView()
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
        if (CMDIChildWnd* pChild = MDIGetActive())
            pView = pChild->GetActiveView();
    if (pView == nullptr)
        return nullptr;
    if (auto* pDrawView = dynamic_cast<CQZ2View*>(pView))
        return pDrawView;
    if (auto* pTabView = dynamic_cast<CQZ2TabView*>(pView))
        return pTabView->IsDrawingTabActive() ? pTabView->GetActiveDrawView() : nullptr;
    return nullptr;
}

// ---- help ---------------------------------------------------------------------------------------

void CMainFrame::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelpMode) {
        OnContextHelp();
        return;
    }
    m_dwLastHelpContext = nCmd == 0x000F ? dwData : 0;
    // The same help document as every other help request; the desktop shows it.
    CWinApp* pApp = AfxGetApp();
    const QString path = pApp != nullptr && pApp->m_pszHelpFilePath != nullptr
                             ? CString(pApp->m_pszHelpFilePath).ToQString()
                             : QString();
    if (path.isEmpty() || !QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        AfxMessageBox(kFailedToLaunchHelp, MB_OK | MB_ICONEXCLAMATION);
}

// ---- commands and panes -------------------------------------------------------------------------

void CMainFrame::OnLayerFromSelection()
{
    CommandManager* pManager = ServicesManager();
    Draw2dDocument* pModel = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
    SelectionManager* pSelection = pModel != nullptr ? pModel->GetSelectionManager() : nullptr;
    if (pSelection == nullptr)
        return;
    CArray<FeatureLayout> records;
    pSelection->GetSelectedFeatureList(records);
    if (records.IsEmpty())
        return;
    const long nRecordID = records[records.GetSize() - 1].GetRecordID();
    const Feature2dBase* pShape = nRecordID > 0 ? pModel->GetFeature(nRecordID) : nullptr;
    if (pShape == nullptr)
        return;
    LayerFeatureTable* pLayers = pModel->GetLayerTable();
    if (pLayers != nullptr)
        pManager->SetCurrentLayer(pLayers->GetLayerFeature(pShape->GetLayerID()));
}

void CMainFrame::OnUpdateSelectionPane(CCmdUI* pCmdUI)
{
    // The active drawing view fills the pane (the tab view in between does not pass this pane on);
    // without one it stays empty.
    if (CQZ2View* pView = GetActiveDrawView())
        if (pView->OnCmdMsg(pCmdUI->m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), pCmdUI, nullptr))
            return;
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(u"");
}

// ---- hooks of the command manager -------------------------------------------------------------

void CMainFrame::InstallShellServices()
{
    CommandManager::ShellServices shell;
    shell.pfnGetMainFrame = []() { return MainFrameOfApp(); };
    shell.pfnShowProgress = [](CMainFrame* pFrame, BOOL bShow, int nDisplayType, BOOL bCancellable, int nLower,
                               int nUpper, BOOL bInfinite, BOOL bWaitCursor) {
        pFrame->ShowProgress(bShow, nDisplayType, bCancellable, nLower, nUpper, bInfinite, bWaitCursor);
    };
    shell.pfnSetProgressText = [](CMainFrame* pFrame, const CString& strText) { pFrame->SetProgressText(strText); };
    shell.pfnSetProgressPos = [](CMainFrame* pFrame, int nPos) { return pFrame->SetProgressPos(nPos); };
    shell.pfnGetProgressPos = [](CMainFrame* pFrame) { return pFrame->GetProgressPos(); };
    shell.pfnPumpProgressMessages = [](CMainFrame* pFrame) { pFrame->PumpProgressMessages(); };
    shell.pfnIsProgressCancelled = [](CMainFrame* pFrame) { return pFrame->IsProgressCancelled(); };
    shell.pfnGetPropertyBarKind = [](CPropertyBar* pBar) { return pBar->GetShownKind(); };
    shell.pfnShowPropertyBar = [](CMainFrame* pFrame, BOOL bShow) { return pFrame->ShowPropertyBar(bShow); };
    shell.pfnShowShapeProperties = [](CPropertyBar* pBar, Draw2dDocument* pModel,
                                      const CArray<FeatureLayout>& records) {
        CArray<FeaturePropertyBase*> objects;
        for (INT_PTR i = 0; i < records.GetSize(); ++i)
            if (FeaturePropertyBase* pObject = QZ2Command::ShapeFeaturePropertyBase::CreateFeatureProperty(
                    pModel, records[i].GetRecordID(), records[i].GetLayoutID()))
                objects.Add(pObject);
        BOOL bShown = FALSE;
        if (!objects.IsEmpty()) {
            if (CMainFrame* pFrame = pBar->GetMainFrame())
                pFrame->ShowSelectionProperties(objects, FALSE, FALSE);
            else
                pBar->SetFeatureProperties(objects, FALSE, TRUE);
            bShown = TRUE;
        }
        for (INT_PTR i = 0; i < objects.GetSize(); ++i)
            delete objects[i];
        return bShown;
    };
    shell.pfnClearFeatureProperties = [](CPropertyBar* pBar, UINT nKind) { return pBar->ClearFeatureProperties(nKind); };
    shell.pfnBroadcastDocumentNotify = [](CMainFrame* pFrame, NotifyInfoBase* pInfo) {
        pFrame->BroadcastDocumentNotify(pInfo);
    };
    shell.pfnSetStatusInformation = [](CMainFrame* pFrame, const CString& strText, UINT nDurationMs) {
        pFrame->SetStatusInformation(strText, nDurationMs);
    };
    shell.pfnGetImeOptions = [](BOOL* pSaveEnabled, BOOL* pState) -> BOOL {
        CQZ2App* pApp = CQZ2App::GetApp();
        const SystemEnvironment* pOptions = pApp != nullptr ? pApp->GetSystemEnvironment() : nullptr;
        if (pOptions == nullptr)
            return FALSE;
        if (pSaveEnabled != nullptr)
            *pSaveEnabled = pOptions->m_ImeStateSaveEnabled;
        if (pState != nullptr)
            *pState = pOptions->m_ImeState;
        return TRUE;
    };
    shell.pfnSetImeState = [](BOOL bState) -> BOOL {
        CQZ2App* pApp = CQZ2App::GetApp();
        const SystemEnvironment* pOptions = pApp != nullptr ? pApp->GetSystemEnvironment() : nullptr;
        if (pOptions == nullptr)
            return FALSE;
        SystemEnvironment copy(*pOptions);
        copy.SetImeState(bState);
        return pApp->SetSystemEnvironment(copy);
    };
    shell.pfnOnProgress = [](NotifyProgressInfo* pInfo, void* pUserData) -> int {
        return CMainFrame::OnProgress(pInfo, pUserData);
    };
    shell.pfnIsDrawComponentBarVisible = [](CMainFrame* pFrame) { return pFrame->IsDrawComponentBarVisible(); };
    shell.pfnShowDrawComponentBar = [](CMainFrame* pFrame, BOOL bShow) { return pFrame->ShowDrawComponentBar(bShow); };
    shell.pfnOpenOleObject = [](Draw2dDocument* pModel, long nRecordID) -> BOOL {
        CWinApp* pApp = AfxGetApp();
        for (POSITION tp = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; tp != nullptr;) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tp);
            for (POSITION dp = pTemplate->GetFirstDocPosition(); dp != nullptr;) {
                auto* pDoc = dynamic_cast<CQZ2Doc*>(pTemplate->GetNextDoc(dp));
                if (pDoc != nullptr && pDoc->GetDraw2dDocument() == pModel)
                    return CQZ2CntrItem::OpenObject(pDoc, nRecordID);
            }
        }
        return FALSE;
    };
    CommandManager::SetShellServices(shell);

    QZ2Command::Image2dCommand::ShellServices image;
    image.pfnChooseFileToOpen = [](DWORD dwFilterFlags, const CString& strTitle, CString& strPath) -> BOOL {
        CQZ2FileDialog dialog(TRUE, AfxGetMainWnd());
        dialog.SetMultiSelect(FALSE);
        dialog.SetFilterFlags(dwFilterFlags);
        dialog.SelectFilter(dwFilterFlags);
        dialog.SetTitle(strTitle);
        if (dialog.DoModal() != IDOK || dialog.GetFileCount() < 1)
            return FALSE;
        strPath = dialog.GetFilePath(0);
        return !strPath.IsEmpty();
    };
    QZ2Command::Image2dCommand::SetShellServices(image);

    CLayerBar::FrameServices layers;
    layers.pfnShowLayerProperties = [](CMainFrame* pFrame, Draw2dDocument* pModel, long nLayerID, BOOL bShow) {
        pFrame->ShowLayerProperties(pModel, nLayerID, bShow);
    };
    layers.pfnReleaseLayerProperties = [](CMainFrame* pFrame) { pFrame->ReleasePropertyBarDocument(2); };
    layers.pfnShowLayerTable = [](CMainFrame*) {
        if (CommandManager* pManager = ServicesManager())
            pManager->ShowLayerTableView();
    };
    layers.pfnForwardNotify = [](CMainFrame* pFrame, NotifyInfoBase* pInfo) { pFrame->BroadcastDocumentNotify(pInfo); };
    CLayerBar::SetFrameServices(layers);

    ControlsServices::ShellHooks controls;
    controls.pfnGetDocument = []() -> Draw2dDocument* {
        CommandManager* pManager = ServicesManager();
        return pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
    };
    controls.pfnSetSnapAngle = [](double degrees) -> BOOL {
        CQZ2App* pApp = CQZ2App::GetApp();
        return pApp != nullptr ? pApp->SetSnapAngle(degrees) : FALSE;
    };
    controls.pfnGetSnapAngle = [](double& degrees) -> BOOL {
        CQZ2App* pApp = CQZ2App::GetApp();
        if (pApp == nullptr || pApp->GetSystemEnvironment() == nullptr)
            return FALSE;
        degrees = pApp->GetSystemEnvironment()->m_SnapAngle;
        return TRUE;
    };
    controls.pfnGetFocusTarget = []() -> CWnd* {
        CMainFrame* pFrame = MainFrameOfApp();
        if (pFrame == nullptr)
            return nullptr;
        if (CQZ2View* pView = pFrame->GetActiveDrawView())
            return pView;
        return pFrame;
    };
    ControlsServices::SetShellHooks(controls);

    StructureServices::Hooks structure;
    structure.pfnGetMainFrame = []() { return MainFrameOfApp(); };
    structure.pfnGetCommandManager = []() { return ServicesManager(); };
    structure.pfnGetDrawingBar = [](CMainFrame* pFrame) { return pFrame->GetDrawingBar(); };
    structure.pfnGetComponentBar = [](CMainFrame* pFrame) { return pFrame->GetComponentBar(); };
    structure.pfnShowComponentBar = [](CMainFrame* pFrame) -> BOOL {
        return pFrame->IsDrawComponentBarVisible() ? TRUE : pFrame->ShowDrawComponentBar(TRUE);
    };
    structure.pfnShowDrawingProperties = [](CMainFrame* pFrame, Draw2dDocument* pModel, long nDrawingID,
                                            long nLayoutID, BOOL bShow) -> BOOL {
        return pFrame->ShowDrawingProperties(pModel, nDrawingID, nLayoutID, bShow);
    };
    structure.pfnReleasePropertyBarDocument = [](CMainFrame* pFrame, UINT nKind) {
        pFrame->ReleasePropertyBarDocument(nKind);
    };
    structure.pfnShowPropertyBar = [](CMainFrame* pFrame, BOOL bShow) { return pFrame->ShowPropertyBar(bShow); };
    structure.pfnActivateDrawingTab = [](CQZ2TabView* pTabView, DrawingFeatureBase* pDrawing) {
        return pTabView->ActivateDrawing(pDrawing);
    };
    structure.pfnGetUIFont = []() -> CFont* {
        CQZ2App* pApp = CQZ2App::GetApp();
        return pApp != nullptr ? &pApp->GetApplicationFont() : nullptr;
    };
    structure.pfnGetViewOptions = [](StructureServices::ViewOptions& options) -> BOOL {
        CQZ2App* pApp = CQZ2App::GetApp();
        const SystemEnvironment* pOptions = pApp != nullptr ? pApp->GetSystemEnvironment() : nullptr;
        if (pOptions == nullptr)
            return FALSE;
        options.paperColor = pOptions->m_PaperColor;
        options.paperBackColor1 = pOptions->m_PaperBackColor1;
        options.paperBackColor2 = pOptions->m_PaperBackColor2;
        options.partBackColor = pOptions->m_PartBackColor;
        options.componentBackColor = pOptions->m_ComponentEditerBackColor;
        options.selectionColor = pOptions->m_SelectionColor;
        options.bLayoutRegionVisible = pOptions->m_LayoutRegionVisible;
        options.nGreekTextSize = static_cast<int>(pOptions->m_GreekTextSize);
        return TRUE;
    };
    structure.pfnEditComponentAttributes = [](CWnd* pParent, Draw2dDocument* pModel, long nComponentID,
                                              FeatureAttribute& attributes, BOOL& bPrompt) -> BOOL {
        CAttributeDialog dialog(CAttributeDialog::modeDefinition, pModel, pParent);
        dialog.SetFeatureAttribute(attributes, nComponentID);
        dialog.m_bDefinitionOption = bPrompt;
        if (dialog.DoModal() != IDOK)
            return FALSE;
        attributes = dialog.GetFeatureAttribute(nComponentID);
        bPrompt = dialog.m_bDefinitionOption;
        return TRUE;
    };
    structure.pfnOnShowPopupMenu = [](CMainFrame* pFrame, CBCGPPopupMenu* pMenu) { pFrame->OnShowPopupMenu(pMenu); };
    StructureServices::SetHooks(structure);
}

void CMainFrame::RemoveShellServices()
{
    CommandManager::SetShellServices(CommandManager::ShellServices());
    ControlsServices::SetShellHooks(ControlsServices::ShellHooks());
    StructureServices::SetHooks(StructureServices::Hooks());
}
