#include "structure/Drawing2dCommand.h"

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/win/WinConstants.h"
#include "structure/CDrawingBar.h"
#include "structure/StructureServices.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Drawing2dCommand, CommandBase)

namespace {
const CString kAddPaper = _T("Korvan.Settings.AddPaper");
const CString kAddDrawing = _T("Korvan.Settings.AddDrawing");
const CString kDeleteActive = _T("Korvan.Settings.DeleteActiveDrawing");
}  // namespace

int Drawing2dCommand::OnInput(int)
{
    CommandManager* pManager = GetManager();
    Draw2dDocument* pDocument = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
    if (pDocument == nullptr)
        return resultNothing;
    const CString& id = GetIdentifier();
    if (id == kAddPaper)
        return AddPaper(pDocument, nullptr) ? resultFinished : resultNothing;
    if (id == kAddDrawing)
        return AddPartDrawing(pDocument, nullptr) ? resultFinished : resultNothing;
    if (id == kDeleteActive) {
        Draw2dView* pView = pManager->GetActiveView();
        if (pView == nullptr)
            return resultConditional;
        const DrawingFeatureBase* pDrawing = pView->GetDrawingFeature();
        if (pDrawing == nullptr || pDrawing->IsPaperFeature())
            return resultNothing;
        return DeleteDrawing(pDocument, pDrawing) ? resultFinished : resultNothing;
    }
    return resultNothing;
}

void Drawing2dCommand::ShowAdded(Draw2dDocument* pDocument, long nDrawingID)
{
    if (StructureServices::GetMainFrame() == nullptr)
        return;
    if (CDrawingBar* pBar = StructureServices::GetDrawingBar())
        if (pBar->GetTree().GetSafeHwnd() != nullptr)
            pBar->SelectDrawing(pDocument->ChangeDrawingFeature(nDrawingID));
    StructureServices::ShowDrawingProperties(pDocument, nDrawingID, -1, FALSE);
    StructureServices::ShowPropertyBar(TRUE);
}

BOOL Drawing2dCommand::AddPaper(Draw2dDocument* pDocument, const wchar_t* lpszName)
{
    if (pDocument == nullptr)
        return FALSE;
    pDocument->BeginUndoOperation(nullptr);
    const long id = pDocument->AddPaperFeature(reinterpret_cast<LPCTSTR>(lpszName));
    if (id != -1) {
        pDocument->ActivateDrawingFeature(pDocument->ChangeDrawingFeature(id), 1);
        ShowAdded(pDocument, id);
    }
    pDocument->EndUndoOperation();
    return id != -1;
}

BOOL Drawing2dCommand::AddPartDrawing(Draw2dDocument* pDocument, const wchar_t* lpszName)
{
    if (pDocument == nullptr)
        return FALSE;
    DrawingFeatureBase* pPaper = nullptr;
    if (pDocument->GetPaperFeatureCount() == 1) {
        pPaper = pDocument->GetPaperFeature(0);
    } else {
        CommandManager* pManager = GetManager();
        if (pManager == nullptr || pManager->GetActiveTabView() == nullptr)
            return FALSE;
        Draw2dView* pView = pManager->GetActiveView();
        pPaper = pView != nullptr ? pView->GetDrawingFeature() : nullptr;
        if (pPaper == nullptr || !pPaper->IsPaperFeature()) {
            pManager->ShowMessageBox(LoadResourceString(10131), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    if (pPaper == nullptr)
        return FALSE;
    const long nPaperID = pPaper->GetDrawingID();
    const int order = pPaper->GetPartLayoutOrder(pPaper->GetSelfPartLayoutID());
    pDocument->BeginUndoOperation(nullptr);
    const long id = pDocument->AddPartDrawingFeature(reinterpret_cast<LPCTSTR>(lpszName));
    BOOL bPlaced = FALSE;
    if (id != -1) {
        bPlaced = pDocument->AddPartLayout(nPaperID, id, nullptr, order, 1) != -1;
        if (bPlaced) {
            pDocument->ActivateDrawingFeature(pDocument->ChangeDrawingFeature(id), 1);
            ShowAdded(pDocument, id);
        }
    }
    pDocument->EndUndoOperation();
    if (id != -1 && !bPlaced) {
        // A part drawing that cannot be placed on its paper is not kept.
        pDocument->Undo(1);
        pDocument->ClearRedoHistory();
        return FALSE;
    }
    return id != -1;
}

BOOL Drawing2dCommand::DeleteDrawing(Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing)
{
    if (pDocument == nullptr || pDrawing == nullptr)
        return FALSE;
    if (pDrawing->GetFeatureCount() > 0) {
        CString text = LoadResourceString(10997);
        text.Replace(_T("%s"), pDrawing->GetDrawingName());
        CommandManager* pManager = GetManager();
        const int answer = pManager != nullptr ? pManager->ShowMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
                                               : 0;
        if (answer != IDYES)
            return FALSE;
    }
    const long id = pDrawing->GetDrawingID();
    pDocument->BeginUndoOperation(nullptr);
    const BOOL bDone = pDocument->DeleteDrawingFeature(id, 1);
    pDocument->EndUndoOperation();
    return bDone;
}

}  // namespace QZ2Command
