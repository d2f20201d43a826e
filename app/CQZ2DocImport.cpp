// CQZ2Doc: the import of DXF, DWG, JWW and SXF drawings.

#include "app/CQZ2Doc.h"

#include "app/CJwkImportSettingDialog.h"
#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "command/LoadResourceString.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/conv/JWConvert.h"
#include "libs/conv/JWSetting.h"
#include "app/CQZ2FileDialog.h"
#include "command/CommandManager.h"
#include "platform/win/CWaitCursor.h"
#include "libs/conv/SXFSetting.h"
#include "libs/conv/SxfFileConverter.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FileTool.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CWnd.h"

namespace {

constexpr UINT IDP_IMPORT_FAILED = 10071;
constexpr UINT IDP_IMPORT_CANCELLED = 10085;
constexpr UINT IDS_IMPORT_COMPLETE = 10086;
constexpr UINT IDP_DWG_READER_MISSING = 10089;
constexpr UINT IDS_IMPORT_COMPLETE_LEFT_OUT = 10095;
constexpr UINT IDP_SXF_IMPORT_FAILED = 10087;
constexpr UINT IDP_NOT_A_FILE_OF_THIS_TYPE = 10088;
constexpr UINT IDP_KIND_NOT_READABLE = 12963;
constexpr UINT IDS_IMPORT_JWS_TITLE = 10069;
constexpr UINT IDS_IMPORT_JWK_TITLE = 10070;

CMainFrame* ImportMainFrame()
{
    CWnd* pWnd = AfxGetMainWnd();
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(pWnd) : nullptr;
}

void ShowImportFailure(int nResult)
{
    CString prompt;
    if (nResult == AcadConvert::resultCancelled) {
        prompt = LoadResourceString(IDP_IMPORT_CANCELLED);
    } else if (nResult == AcadConvert::resultDwgReaderMissing) {
        prompt = LoadResourceString(IDP_DWG_READER_MISSING);
    } else {
        prompt.Format(LoadResourceString(IDP_IMPORT_FAILED), nResult);
    }
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

// "Files of this kind (JWC) cannot be read by this program."
void ShowKindNotReadable(const CString& kind)
{
    CString prompt;
    prompt.Format(LoadResourceString(IDP_KIND_NOT_READABLE), static_cast<LPCTSTR>(kind));
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

void ShowImportComplete(CMainFrame* pFrame, int nLeftOut)
{
    if (pFrame == nullptr)
        return;
    CString text;
    if (nLeftOut > 0)
        text.Format(LoadResourceString(IDS_IMPORT_COMPLETE_LEFT_OUT), nLeftOut);
    else
        text = LoadResourceString(IDS_IMPORT_COMPLETE);
    pFrame->SetStatusInformation(text, 3000);
}

}  // namespace

BOOL CQZ2Doc::ImportAcadFile(LPCTSTR lpszPathName)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    ACadConvSetting* pSetting = pApp != nullptr ? pApp->GetAcadConvSetting() : nullptr;
    if (pSetting == nullptr) {
        // Without a setting nothing can be read; the user hears why instead of nothing at all.
        ShowImportFailure(AcadConvert::resultUnreadable);
        return FALSE;
    }
    pSetting->InitDxfToKcOptions();
    if (pApp->m_bDxfConverterDialog) {
        const CString name = _T("[") +
                             FileTool::SplitFileName(lpszPathName, FileTool::splitName | FileTool::splitExtension) +
                             _T("]");
        if (!pApp->ShowAcadConvSettingDialog(name, 1, pSetting))
            return FALSE;
    }
    if (m_pDraw2dDocument == nullptr)
        m_pDraw2dDocument = new Draw2dDocument(this);
    Draw2dDocument* pModel = m_pDraw2dDocument;
    pModel->SetNotifyFunction(nullptr, nullptr);
    pModel->InitDocument();
    ApplyDefaultTables();

    AcadConvert convert;
    CMainFrame* pFrame = ImportMainFrame();
    if (pFrame != nullptr)
        convert.SetNotifyProgressFunction(&CMainFrame::OnProgress, pFrame);
    const int nResult = convert.ReadFile(lpszPathName, pModel, pSetting);
    if (nResult < 0) {
        ShowImportFailure(nResult);
        return FALSE;
    }
    if (pModel->GetCurrentLayerID() < 0 && pModel->GetLayerTable()->GetSize() > 0)
        pModel->SetCurrentLayerID(pModel->GetLayerTable()->GetLayerID(0), 0);

    // The tabs: the converter's papers in the file's order, then the part drawings, then the layer table.
    if (pModel->GetDrawingFeatureCount() > 0 && m_viewInfo.GetViewInfoCount() == 0) {
        const CString active = pSetting->GetActiveDrawingFeatureName();
        CStringArray names;
        pSetting->GetDrawingFeatureNameArray(names);
        int n = 0, nActive = 0;
        std::vector<long> order;
        auto listed = [&names](const CString& name) {
            for (INT_PTR i = 0; i < names.GetSize(); ++i)
                if (names[i] == name)
                    return true;
            return false;
        };
        for (INT_PTR i = 0; i < names.GetSize(); ++i) {
            DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByName(names[i]);
            if (pDrawing == nullptr)
                continue;  // a name without its drawing gets no tab
            if (names[i] == active)
                nActive = n;
            m_viewInfo.AddViewInfo(0, pDrawing->GetDrawingID());
            ++n;
            order.push_back(pDrawing->GetDrawingID());
        }
        for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i) {
            DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
            if (!pDrawing->IsPaperFeature())
                continue;
            if (listed(pDrawing->GetDrawingName()))
                break;
            m_viewInfo.AddViewInfo(0, pDrawing->GetDrawingID());
            ++n;
            order.push_back(pDrawing->GetDrawingID());
        }
        for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i) {
            DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
            if (pDrawing->IsPaperFeature())
                continue;
            if (pDrawing->GetDrawingName() == active)
                nActive = n;
            m_viewInfo.AddViewInfo(1, pDrawing->GetDrawingID());
            ++n;
            order.push_back(pDrawing->GetDrawingID());
        }
        m_viewInfo.AddViewInfo(2, -1);
        m_viewInfo.SetActiveIndex(nActive);
        pModel->ActivateDrawingFeature(active, FALSE);
        pModel->SetDrawingOrderList(order, 0);
    }
    pModel->ClearUndoRedoHistory();

    if (pFrame != nullptr) {
        CString text;
        if (convert.GetLeftOutCount() > 0)
            text.Format(LoadResourceString(IDS_IMPORT_COMPLETE_LEFT_OUT), convert.GetLeftOutCount());
        else
            text = LoadResourceString(IDS_IMPORT_COMPLETE);
        pFrame->SetStatusInformation(text, 3000);
    }
    return TRUE;
}

BOOL CQZ2Doc::ImportJwFile(LPCTSTR lpszPathName)
{
    if (m_pDraw2dDocument == nullptr)
        m_pDraw2dDocument = new Draw2dDocument(this);
    Draw2dDocument* pModel = m_pDraw2dDocument;
    pModel->SetNotifyFunction(nullptr, nullptr);
    pModel->InitDocument();
    ApplyDefaultTables();

    JWConvert convert;
    CMainFrame* pFrame = ImportMainFrame();
    if (pFrame != nullptr)
        convert.SetNotifyProgressFunction(&CMainFrame::OnProgress, pFrame);
    CString message;
    int nResult = 0;
    if (FileTool::GetFileType(lpszPathName) == 12)
        nResult = convert.ReadJWCFile(lpszPathName, pModel, 0);
    else
        nResult = convert.ReadJWWFile(lpszPathName, pModel, message, 0);
    if (nResult < 0) {
        if (nResult == JWConvert::resultKindNotReadable) {
            ShowKindNotReadable(_T("JWC"));
            return FALSE;
        }
        if (message.IsEmpty()) {
            if (nResult == JWConvert::resultCancelled)
                message = LoadResourceString(IDP_IMPORT_CANCELLED);
            else if (nResult == JWConvert::resultNotJw)
                message = LoadResourceString(IDP_NOT_A_FILE_OF_THIS_TYPE);
            else
                message.Format(LoadResourceString(IDP_IMPORT_FAILED), nResult);
        }
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    pModel->ClearUndoRedoHistory();
    ShowImportComplete(pFrame, convert.GetLeftOutCount());
    return TRUE;
}

BOOL CQZ2Doc::ImportSxfFile(LPCTSTR lpszPathName)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    SXFSetting* pSetting = pApp != nullptr ? pApp->GetSxfSetting() : nullptr;
    if (pSetting == nullptr) {
        ShowImportFailure(SxfFileConverter::resultUnreadable);
        return FALSE;
    }
    if (m_pDraw2dDocument == nullptr)
        m_pDraw2dDocument = new Draw2dDocument(this);
    Draw2dDocument* pModel = m_pDraw2dDocument;
    pModel->SetNotifyFunction(nullptr, nullptr);
    pModel->InitDocument();
    ApplyDefaultTables();

    SxfFileConverter convert;
    CMainFrame* pFrame = ImportMainFrame();
    if (pFrame != nullptr)
        convert.SetNotifyProgressFunction(&CMainFrame::OnProgress, pFrame);
    CString detail;
    const int nResult = convert.ReadFile(lpszPathName, pModel, pSetting, detail);
    if (nResult < 0) {
        CString prompt;
        if (nResult == SxfFileConverter::resultKindNotReadable) {
            ShowKindNotReadable(_T("P21"));
            return FALSE;
        }
        if (nResult == SxfFileConverter::resultCancelled)
            prompt = LoadResourceString(IDP_IMPORT_CANCELLED);
        else
            prompt.Format(LoadResourceString(IDP_SXF_IMPORT_FAILED), nResult, static_cast<LPCTSTR>(detail));
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pModel->GetCurrentLayerID() < 0 && pModel->GetLayerTable()->GetSize() > 0)
        pModel->SetCurrentLayerID(pModel->GetLayerTable()->GetLayerID(0), 0);
    pModel->ClearUndoRedoHistory();
    ShowImportComplete(pFrame, convert.GetLeftOutCount());
    return TRUE;
}

void CQZ2Doc::ImportJwsJwk(BOOL bJws)
{
    if (CQZ2App* pApp = CQZ2App::GetApp())
        if (QZ2Command::CommandManager* pManager = pApp->GetCommandManager())
            pManager->CancelAllCommands();
    CQZ2FileDialog dialog(TRUE, AfxGetMainWnd());
    dialog.SetMultiSelect(TRUE);
    const DWORD flag = bJws ? 0x40000 : 0x4000;
    dialog.SetFilterFlags(flag);
    dialog.SelectFilter(flag);
    dialog.LoadTitle(bJws ? IDS_IMPORT_JWS_TITLE : IDS_IMPORT_JWK_TITLE);
    if (dialog.DoModal() != IDOK || dialog.GetFileCount() == 0)
        return;
    CWaitCursor wait;
    CMainFrame* pFrame = ImportMainFrame();
    if (pFrame != nullptr)
        pFrame->ShowDrawComponentBar(TRUE);
    const CString first = dialog.GetFilePath(0);
    const CString folder = first.Left(first.ReverseFind(u'/') + 1);
    // The files of the command's kind, in the order chosen; the first JWK file asks the settings once.
    const int kind = bJws ? 17 : 13;
    CStringArray names;
    JWSetting setting;
    for (int i = 0; i < dialog.GetFileCount(); ++i) {
        const CString path = dialog.GetFilePath(i);
        if (FileTool::GetFileType(path) != kind)
            continue;
        if (!bJws && names.GetSize() == 0) {
            CJwkImportSettingDialog settings(AfxGetMainWnd());
            settings.m_pDocument = m_pDraw2dDocument;
            if (settings.DoModal() != IDOK)
                return;  // nothing is read
            setting.m_nJwkLayerID = settings.m_nLayerID;
            setting.m_bJwkReferenceLayers = settings.m_nChoice == 1 ? TRUE : FALSE;
            setting.m_bJwkReferencePens = settings.m_bPens ? TRUE : FALSE;
            setting.SetJwkReferenceJwcFilePath(settings.m_strPath);
        }
        names.Add(FileTool::SplitFileName(path, FileTool::splitName | FileTool::splitExtension));
    }
    Draw2dDocument* pModel = m_pDraw2dDocument;
    if (pModel == nullptr || names.GetSize() == 0)
        return;  // nothing of the right kind: nothing read, no undo step
    JWConvert convert;
    if (pFrame != nullptr)
        convert.SetNotifyProgressFunction(&CMainFrame::OnProgress, pFrame);
    const unsigned long long stepsBefore = pModel->GetRecordedStepCount();
    pModel->BeginUndoOperation(nullptr);
    const int nResult = bJws ? convert.ReadJWSFile(folder, names, pModel, &setting)
                             : convert.ReadJWKFile(folder, names, pModel, &setting);
    pModel->EndUndoOperation();
    if (nResult < 0) {
        // The drawing goes back to what it was before any file was read (a failure before anything was
        // added recorded no step, and the user's own last step stays).
        if (pModel->GetRecordedStepCount() != stepsBefore) {
            pModel->Undo(1);
            pModel->ClearRedoHistory();
        }
        if (nResult == JWConvert::resultKindNotReadable) {
            ShowKindNotReadable(_T("JWK"));
            return;
        }
        CString prompt;
        if (nResult == JWConvert::resultCancelled)
            prompt = LoadResourceString(IDP_IMPORT_CANCELLED);
        else
            prompt.Format(LoadResourceString(IDP_IMPORT_FAILED), nResult);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        return;
    }
    SetModifiedFlag(TRUE);
    if (pFrame != nullptr)
        pFrame->ShowCommandBar(TRUE);
}
