#include "app/CQZ2Doc.h"
#include "app/CQZ2FileDialog.h"
#include "app/CQZ2CntrItem.h"
#include "app/CQZ2SrvrItem.h"

#include "libs/kcplot/PlotDevice.h"
#include "libs/kcplot/PlotManager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

#include <cerrno>

#include <algorithm>
#include <map>
#include <new>

#include "app/CMainFrame.h"
#include "structure/CDrawComponentBar.h"
#include "app/CQZ2App.h"
#include "app/CQZ2TabView.h"
#include "app/DrawEnvironment.h"
#include "app/QZ2NativeFile.h"
#include "app/SystemEnvironment.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/NumericFormat.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureSettingStylesBase.h"
#include "libs/vevure/FileTool.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/QZ2FileVersion.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CUserException.h"
#include "platform/ole/COleStreamFile.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWaitCursor.h"
#include "platform/win/CWinApp.h"
#include "platform/win/Registry.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinDocConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNCREATE(CQZ2Doc, COleServerDoc)

namespace {
// The class id written into every native file: {C98A81D9-F66F-4E72-B401-E28FB9713B3D}.
const CLSID kClassId = {0xC98A81D9, 0xF66F, 0x4E72, {0xB4, 0x01, 0xE2, 0x8F, 0xB9, 0x71, 0x3B, 0x3D}};
}  // namespace

namespace {

constexpr DWORD kVersion40 = 0x40000;

// String numbers of the language library.
constexpr UINT IDS_CLIP_FORMAT_DRAWING = 10052;
constexpr UINT IDS_CLIP_FORMAT_FEATURES = 10041;
constexpr UINT IDS_TITLE_RECOVERED = 10053;
constexpr UINT IDS_TITLE_READ_ONLY = 10054;
constexpr UINT IDS_KIND_TEMPLATE = 10055;
constexpr UINT IDS_KIND_DRAWING = 10056;
constexpr UINT IDP_CONVERT_OLDER_FILE = 10057;
constexpr UINT IDP_SAVE_RECOVERED = 10058;
constexpr UINT IDP_UNSUPPORTED_FILE = 10059;
constexpr UINT IDP_SAVE_FAILED = 10061;
constexpr UINT IDP_READ_FAILED = 10062;
constexpr UINT IDP_FILE_DAMAGED = 10063;
constexpr UINT IDP_NOT_A_DRAWING = 10066;
constexpr UINT IDP_NEWER_FILE_VERSION = 10067;
constexpr UINT IDP_STYLE_REGISTRATION = 10072;

// Clipboard formats, registered once per process.
UINT g_cfObjectDescriptor = 0;
UINT g_cfEmbedSource = 0;
UINT g_cfEmbeddedObject = 0;
UINT g_cfNativeDrawing = 0;
UINT g_cfNativeFeatures = 0;

void RegisterClipboardFormats()
{
    if (g_cfObjectDescriptor == 0)
        g_cfObjectDescriptor = RegisterClipboardFormat(u"Object Descriptor");
    if (g_cfEmbedSource == 0)
        g_cfEmbedSource = RegisterClipboardFormat(u"Embed Source");
    if (g_cfEmbeddedObject == 0)
        g_cfEmbeddedObject = RegisterClipboardFormat(u"Embedded Object");
    if (g_cfNativeDrawing == 0) {
        const CString name = LoadResourceString(IDS_CLIP_FORMAT_DRAWING);
        if (!name.IsEmpty())
            g_cfNativeDrawing = RegisterClipboardFormat(name);
    }
    if (g_cfNativeFeatures == 0) {
        const CString name = LoadResourceString(IDS_CLIP_FORMAT_FEATURES);
        if (!name.IsEmpty())
            g_cfNativeFeatures = RegisterClipboardFormat(name);
    }
}

QZ2Command::CommandManager* GetCommandManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

SystemEnvironment* GetOptions()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetSystemEnvironment() : nullptr;
}

CMainFrame* GetMainFrame()
{
    CWnd* pWnd = AfxGetMainWnd();
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(pWnd) : nullptr;
}

CString ExtensionOf(const CString& path)
{
    return FileTool::SplitFileName(path, FileTool::splitExtension);
}

// The path with its extension (if any) replaced by ".ext".
CString WithExtension(const CString& path, const CString& ext)
{
    CString base = path;
    const CString current = ExtensionOf(path);
    if (!current.IsEmpty())
        base = path.Left(path.GetLength() - current.GetLength());
    base.TrimRight(u'.');
    return base + (ext.IsEmpty() || ext[0] == u'.' ? CString() : CString(u".")) + ext;
}

// The document's record travelling through the window tree.
struct NMDOCUMENTNOTIFY {
    NMHDR hdr;
    NotifyInfoBase* pInfo;
};
constexpr UINT kDocumentNotifyCode = 0x8064;

void SendDocumentNotify(CWnd* pWnd, HWND hWndFrom, NotifyInfoBase* pInfo)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    NMDOCUMENTNOTIFY nm{};
    // A notification without a sender window is not routed: name the frame when there is one.
    nm.hdr.hwndFrom = hWndFrom != nullptr ? hWndFrom : pWnd->GetSafeHwnd();
    nm.hdr.idFrom = 0;
    nm.hdr.code = kDocumentNotifyCode;
    nm.pInfo = pInfo;
    pWnd->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

// Whether the record tells of a change to what the file keeps: not a redraw or a selection, not another
// document or drawing coming to the front, not a request to show shapes.
bool ChangesTheDrawing(const NotifyInfoBase& info)
{
    switch (info.GetKind()) {
    case NotifyInfoBase::kindDocument:
    case NotifyInfoBase::kindView:
    case NotifyInfoBase::kindShowFeatures:
        return false;
    case NotifyInfoBase::kindDrawing:
        return info.GetCode() != NotifyInfoBase::drawingActivated;
    default:
        return true;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

CQZ2Doc::CQZ2Doc() : m_properties(this)
{
    EnableCompoundFile();
    m_pDraw2dDocument = new Draw2dDocument(this);
    m_pPlotManager = new PlotManager;
    m_pPlotDevice = new PlotDevice;
    RegisterClipboardFormats();
}

CQZ2Doc::~CQZ2Doc()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        if (pManager->GetDocument() == this)
            pManager->SetDocument(nullptr, nullptr);
    delete m_pPlotDevice;
    delete m_pPlotManager;
    delete m_pDraw2dDocument;
}

void CQZ2Doc::SetDraw2dDocument(Draw2dDocument* pDocument)
{
    if (pDocument == m_pDraw2dDocument)
        return;
    Draw2dDocument* pOld = m_pDraw2dDocument;
    m_pDraw2dDocument = pDocument;
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        if (pManager->GetDocument() == this)
            pManager->SetDocument(this, m_pDraw2dDocument);
    delete pOld;
}

BOOL CQZ2Doc::SetViewInfo(const DrawViewInfo& viewInfo)
{
    m_viewInfo = viewInfo;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// New, open

void CQZ2Doc::ApplyDefaultTables()
{
    Draw2dDocument* pModel = m_pDraw2dDocument;
    if (CQZ2App* pApp = CQZ2App::GetApp()) {
        pModel->LoadDefaultHatchPattern(pApp->GetHatchFolderPath());
        const DrawEnvironment* pEnvironment = pApp->GetDrawEnvironment();
        if (pEnvironment != nullptr) {
            if (pEnvironment->GetColorFeatureTable() != nullptr)
                pModel->SetColorFeatureTable(*pEnvironment->GetColorFeatureTable(), 1);
            if (pEnvironment->GetLineTypeFeatureTable() != nullptr)
                pModel->SetLineTypeFeatureTable(*pEnvironment->GetLineTypeFeatureTable(), 1);
            if (pEnvironment->GetLineWidthFeatureTable() != nullptr)
                pModel->SetLineWidthFeatureTable(*pEnvironment->GetLineWidthFeatureTable(), 1);
        }
    }
    pModel->SetCurrentColorNo(0, 0);
    pModel->SetCurrentLineTypeNo(0, 0);
    pModel->SetCurrentLineWidthNo(0, 0);
    if (Paper2dFeature* pPaper = pModel->GetPaperFeature(0))
        pModel->ActivateDrawingFeature(pPaper, TRUE);
}

BOOL CQZ2Doc::OnNewDocument()
{
    if (!COleServerDoc::OnNewDocument())
        return FALSE;
    if (m_pDraw2dDocument == nullptr)
        m_pDraw2dDocument = new Draw2dDocument(this);
    Draw2dDocument* pModel = m_pDraw2dDocument;
    pModel->SetNotifyFunction(nullptr, nullptr);
    pModel->InitDocument();
    ApplyDefaultTables();

    m_viewInfo.DeleteAllViewInfo();
    Paper2dFeature* pPaper = pModel->GetPaperFeature(0);
    const long nPaperID = pPaper != nullptr ? pPaper->GetDrawingID() : 0;
    m_viewInfo.AddViewInfo(0, nPaperID);
    for (int i = 0; i < 2; ++i) {
        const long nDrawingID = pModel->AddPartDrawingFeature(nullptr);
        if (nDrawingID < 0)
            continue;
        PartDrawingLayout layout;
        layout.SetPaperID(nPaperID);
        layout.SetDrawingID(nDrawingID);
        if (pPaper != nullptr)
            if (DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByID(nDrawingID))
                layout.SetLayoutName(pPaper->GetNewPartLayoutName(pDrawing->GetDrawingName()));
        const long nLayoutID = pModel->AddPartLayout(layout, i, 1);
        if (i == 0 && nLayoutID >= 0)
            pModel->ActivateDrawingFeature(nPaperID, nLayoutID, FALSE);
        m_viewInfo.AddViewInfo(1, nDrawingID);
    }
    const long nLayerID = pModel->AddLayer(-1, nullptr, 0);
    if (nLayerID >= 0)
        pModel->SetCurrentLayerID(nLayerID, 1);
    pModel->ClearUndoRedoHistory();

    SetModifiedFlag(FALSE);
    RegisterNotify();
    m_viewInfo.AddViewInfo(2, -1);
    m_viewInfo.SetActiveIndex(0);
    return TRUE;
}

void CQZ2Doc::RegisterNotify()
{
    if (m_pDraw2dDocument != nullptr)
        m_pDraw2dDocument->SetNotifyFunction(&CQZ2Doc::OnModelNotify, this);
}

void CQZ2Doc::BuildDefaultViewInfo()
{
    if (m_viewInfo.GetViewInfoCount() > 0 || m_pDraw2dDocument == nullptr)
        return;
    for (int i = 0; i < m_pDraw2dDocument->GetDrawingFeatureCount(); ++i) {
        const DrawingFeatureBase* pDrawing = m_pDraw2dDocument->GetDrawingFeatureByIndex(i);
        m_viewInfo.AddViewInfo(pDrawing->IsPaperFeature() ? 0 : 1, pDrawing->GetDrawingID());
    }
    m_viewInfo.AddViewInfo(2, -1);
    m_viewInfo.SetActiveIndex(0);
}

void CQZ2Doc::ShowLoadMessage()
{
    if (m_strLoadMessage.IsEmpty())
        return;
    AfxMessageBox(m_strLoadMessage, MB_OK);
    m_strLoadMessage.Empty();
}

BOOL CQZ2Doc::OnOpenDocument(LPCTSTR lpszPathName)
{
    m_strLoadMessage.Empty();
    // Embedded drawings are not served by this program.
    if (lpszPathName == nullptr)
        return FALSE;
    const CString path = lpszPathName;
    if (!FileTool::IsFileExist(path)) {
        // A missing file (a stale recent-file entry among others) is named to the user.
        CFileException fe(CFileException::fileNotFound, ENOENT, path);
        ReportSaveLoadException(path, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    const int nType = FileTool::GetFileType(path);
    BOOL bNative = FALSE;
    switch (nType) {
    case 0: case 1: case 2: case 7:
        bNative = TRUE;
        [[fallthrough]];
    case 3: case 5: case 6: {
        try {
            CompoundFile file;
            // The file is read whole and closed again, so nothing holds it while the drawing is open.
            file.Open(path, TRUE);
            LoadFromStorage(file.GetRootStorage(), !IsReadOnlyFile() && ::access(CFile::NativePath(path).c_str(), W_OK) == 0);
        } catch (CException* e) {
            ReportSaveLoadException(path, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
            e->Delete();
            return FALSE;
        } catch (const std::bad_alloc&) {
            ReportSaveLoadException(path, nullptr, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
            return FALSE;
        }
        ShowLoadMessage();
        break;
    }
    case 4:
        if (!COleServerDoc::OnNewDocument() || !OpenFlatFile(path))
            return FALSE;
        break;
    case 10: case 11: case 12: case 14: case 15: case 16:
        if (!COleServerDoc::OnNewDocument() || !ImportForeignFile(path, nType))
            return FALSE;
        break;
    default: {
        CString prompt;
        const CString format = LoadResourceString(IDP_UNSUPPORTED_FILE);
        const CString name = FileTool::SplitFileName(path, FileTool::splitName | FileTool::splitExtension);
        if (!format.IsEmpty())
            prompt.Format(format, static_cast<LPCTSTR>(name));
        else
            prompt = name;
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        return FALSE;
    }
    }

    RegisterNotify();
    BuildDefaultViewInfo();
    if (bNative) {
        SetModifiedFlag(FALSE);
    } else {
        SetModifiedFlag(TRUE);
        m_bAutoSaveDirty = FALSE;
    }
    return TRUE;
}

BOOL CQZ2Doc::OpenFlatFile(LPCTSTR lpszPathName)
{
    // The older flat format has no reader in this program: say so rather than open an empty drawing.
    return ImportForeignFile(lpszPathName, 4);
}

BOOL CQZ2Doc::ImportForeignFile(LPCTSTR lpszPathName, int nFileType)
{
    if (nFileType == 10 || nFileType == 11)
        return ImportAcadFile(lpszPathName);
    if (nFileType == 12 || nFileType == 14)
        return ImportJwFile(lpszPathName);
    if (nFileType == 15 || nFileType == 16)
        return ImportSxfFile(lpszPathName);
    // No reader of the other formats is built into this program yet.
    CString prompt;
    const CString format = LoadResourceString(IDP_UNSUPPORTED_FILE);
    const CString name = FileTool::SplitFileName(lpszPathName, FileTool::splitName | FileTool::splitExtension);
    if (!format.IsEmpty())
        prompt.Format(format, static_cast<LPCTSTR>(name));
    else
        prompt = name;
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CQZ2Doc::OnNewDocumentFromTemplate(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || !COleServerDoc::OnNewDocument())
        return FALSE;
    SetModifiedFlag(TRUE);
    try {
        CompoundFile file;
        file.Open(lpszPathName, TRUE);
        LoadFromTemplateStorage(file.GetRootStorage());
    } catch (CException* e) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, nullptr, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    RegisterNotify();
    BuildDefaultViewInfo();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The native file

void CQZ2Doc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        COleServerDoc::Serialize(ar);
        // The tabs as the user left them: their order and the active one.
        POSITION pos = GetFirstViewPosition();
        if (const CQZ2TabView* pTabView = GetFirstTabView(pos))
            pTabView->SaveViewInfo(m_viewInfo);
        m_pDraw2dDocument->SaveToArchive(ar, m_viewInfo, m_dwSaveVersion);
        return;
    }
    // Embedded objects of other programs are not kept by this program: a file that lists some is
    // refused instead of read as something else.
    DWORD dwItems = 0;
    ar >> dwItems;
    if (dwItems != 0)
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_strLoadMessage.Empty();
    m_pDraw2dDocument->LoadFromArchive(ar, m_viewInfo, m_strLoadMessage);
    // The data model's one remark (the file comes from a newer version) is told in the interface's language.
    if (!m_strLoadMessage.IsEmpty())
        m_strLoadMessage = LoadResourceString(IDP_NEWER_FILE_VERSION);
}

void CQZ2Doc::SaveToStorage(CompoundStorage* pStorage)
{
    if (pStorage == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException);
    WriteClassStg(pStorage, kClassId);
    m_properties.Save(pStorage);
    if (!m_bSavingRecovery) {
        const SystemEnvironment* pOptions = GetOptions();
        WriteThumbnail(pStorage, pOptions == nullptr || pOptions->m_PreviewSaveEnabled);
    }
    COleStreamFile stream;
    CFileException fe;
    if (!stream.CreateStream(pStorage, QZ2NativeFile::kDocumentStreamName,
                             CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate, &fe)) {
        if (fe.m_cause == CFileException::fileNotFound)
            AfxThrowArchiveException(CArchiveException::badSchema);
        AfxThrowFileException(fe.m_cause, fe.m_lOsError);
    }
    try {
        CArchive ar(&stream, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        stream.Close();
    } catch (CException*) {
        stream.Abort();
        CommitItems(FALSE);
        throw;
    }
}

void CQZ2Doc::LoadFromStorage(const CompoundStorage* pStorage, BOOL bWritable)
{
    if (pStorage == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException);
    QZ2DocumentProperties properties(this);
    properties.Load(pStorage);

    // Everything is read into a model of its own first.
    Draw2dDocument* pOld = m_pDraw2dDocument;
    const DrawViewInfo oldViewInfo = m_viewInfo;
    Draw2dDocument* pNew = new Draw2dDocument(this);
    m_pDraw2dDocument = pNew;
    m_viewInfo.DeleteAllViewInfo();
    try {
        if (pStorage->GetElementType(QZ2NativeFile::kDocumentStreamName) != STGTY_STREAM) {
            // A writable file without the drawing is an empty drawing; a read-only one cannot get it.
            if (!bWritable)
                AfxThrowFileException(CFileException::fileNotFound, ENOENT, QZ2NativeFile::kDocumentStreamName);
            pNew->InitDocument();
        } else {
            COleStreamFile stream;
            CFileException fe;
            if (!stream.OpenStream(const_cast<CompoundStorage*>(pStorage), QZ2NativeFile::kDocumentStreamName,
                                   CFile::modeRead | CFile::shareExclusive, &fe))
                AfxThrowFileException(fe.m_cause, fe.m_lOsError, QZ2NativeFile::kDocumentStreamName);
            if (stream.GetLength() == 0) {
                if (!bWritable)
                    AfxThrowArchiveException(CArchiveException::endOfFile, QZ2NativeFile::kDocumentStreamName);
                pNew->InitDocument();
            } else {
                CArchive ar(&stream, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
                ar.m_pDocument = this;
                Serialize(ar);
                // Bytes left over after the drawing mean the stream is not what it claims to be.
                if (!ar.IsBufferEmpty() || stream.GetPosition() != stream.GetLength())
                    AfxThrowArchiveException(CArchiveException::badIndex, QZ2NativeFile::kDocumentStreamName);
                ar.Close();
            }
            stream.Close();
        }
    } catch (...) {
        m_pDraw2dDocument = pOld;
        m_viewInfo = oldViewInfo;
        delete pNew;
        throw;
    }
    m_pDraw2dDocument = pOld;
    SetDraw2dDocument(pNew);
    m_properties = properties;
    CQZ2CntrItem::SyncItems(this);
    const QZ2FileVersion& version = pNew->GetFileVersion();
    m_wLoadedMajor = version.GetMajorVersion();
    m_wLoadedMinor = version.GetMinorVersion();
    m_bLoadedOlderVersion = version.GetVersionNumber() < kVersion40;
}

void CQZ2Doc::LoadFromTemplateStorage(const CompoundStorage* pStorage)
{
    LoadFromStorage(pStorage, FALSE);
}

BOOL CQZ2Doc::WriteThumbnail(CompoundStorage* pStorage, BOOL bWrite)
{
    if (pStorage == nullptr)
        return FALSE;
    if (!bWrite) {
        pStorage->DestroyElement(QZ2NativeFile::kThumbnailStreamName);
        return TRUE;
    }
    CByteArray bytes;
    if (!QZ2NativeFile::BuildThumbnail(m_pDraw2dDocument, bytes)) {
        // No picture rather than a picture of what the file held before.
        pStorage->DestroyElement(QZ2NativeFile::kThumbnailStreamName);
        return FALSE;
    }
    return pStorage->WriteStream(QZ2NativeFile::kThumbnailStreamName, bytes.GetData(), bytes.GetSize()) == S_OK;
}

// ---------------------------------------------------------------------------------------------
// Save

void CQZ2Doc::CarryOwnFileElements(CompoundStorage* pStorage) const
{
    // What the drawing's own file holds beyond what is written here (embedded objects, other
    // programs' streams) goes along into the new file, as a storage saved in place would keep it.
    if (m_strPathName.IsEmpty() || !FileTool::IsFileExist(m_strPathName) ||
        !IsNativeFileType(FileTool::GetFileType(m_strPathName)))
        return;
    try {
        CompoundFile own;
        own.Open(m_strPathName, TRUE);
        own.GetRootStorage()->CopyTo(pStorage);
    } catch (CException* e) {
        // A file that cannot be read any more is simply written anew.
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
}

BOOL CQZ2Doc::WriteNativeFile(const CString& strPath)
{
    try {
        // The own file is read before the new one is bound, which holds the path.
        CompoundFile carried;
        carried.CreateInMemory();
        CarryOwnFileElements(carried.GetRootStorage());
        CompoundFile file;
        file.Create(strPath);
        carried.GetRootStorage()->CopyTo(file.GetRootStorage());
        carried.Close();
        SaveToStorage(file.GetRootStorage());
        // The new file goes beside the old one and replaces it only when complete.
        file.Commit(STGC_DEFAULT);
        file.Close();
    } catch (CException* e) {
        ReportSaveLoadException(strPath, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        ReportSaveLoadException(strPath, nullptr, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    return TRUE;
}

BOOL CQZ2Doc::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || !IsNativeFileType(FileTool::GetFileType(lpszPathName)))
        return FALSE;
    if (CQZ2App* pApp = CQZ2App::GetApp())
        m_pDraw2dDocument->SetProductVersion(pApp->GetProductVersion());
    CWaitCursor wait;
    const BOOL bResult = WriteNativeFile(lpszPathName);
    if (m_bSavingRecovery)
        return bResult;
    if (bResult && m_dwSaveVersion == 0) {
        SetModifiedFlag(FALSE);
        m_bAutoSaveDirty = FALSE;
    }
    return bResult;
}

void CQZ2Doc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (m_bSavingRecovery)
        return;
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    CString detail;
    if (e != nullptr) {
        TCHAR buf[512] = {0};
        if (e->GetErrorMessage(buf, 512))
            detail = buf;
    }
    CString prompt;
    if (bSaving) {
        // What failed, then why; the old file is still there.
        prompt = LoadResourceString(IDP_SAVE_FAILED);
    } else if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
        prompt = LoadResourceString(IDP_READ_FAILED);
        const CString damaged = LoadResourceString(IDP_FILE_DAMAGED);
        prompt += damaged;
        detail.Empty();
    } else if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(COleException))) {
        // The file is no compound file, or its structure is broken: to the user it is a file this program
        // cannot read, named as they know it.
        const CString format = LoadResourceString(IDP_NOT_A_DRAWING);
        const CString name = FileTool::SplitFileName(lpszPathName != nullptr ? CString(lpszPathName) : m_strTitle,
                                                     FileTool::splitName | FileTool::splitExtension);
        if (!format.IsEmpty()) {
            CString text;
            text.Format(format, static_cast<LPCTSTR>(name));
            AfxMessageBox(text, MB_ICONEXCLAMATION, nIDPDefault);
            return;
        }
    }
    if (prompt.IsEmpty()) {
        COleServerDoc::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
        return;
    }
    CString text = lpszPathName != nullptr ? CString(lpszPathName) : m_strTitle;
    text += u"\n\n";
    text += prompt;
    if (!detail.IsEmpty()) {
        text += u"\n";
        text += detail;
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION, nIDPDefault);
}

CString CQZ2Doc::GetSaveAsProposal(BOOL bReplace, LPCTSTR lpszExtension) const
{
    CString newName = m_strPathName;
    if (bReplace && (newName.IsEmpty() || !IsNativeFileType(FileTool::GetFileType(newName)))) {
        newName = m_strTitle;
        const int cut = newName.FindOneOf(u"#%;/\\");
        if (cut != -1)
            newName = newName.Left(cut);
    }
    newName = FileTool::SplitFileName(newName, FileTool::splitName);
    CString ext = lpszExtension != nullptr ? CString(lpszExtension) : CString();
    if (ext.IsEmpty() && m_pDocTemplate != nullptr) {
        m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt);
        const int semi = ext.Find(u';');
        if (semi != -1)
            ext = ext.Left(semi);
    }
    if (!ext.IsEmpty()) {
        if (ext[0] != u'.')
            newName += u'.';
        newName += ext;
    }
    return newName;
}

BOOL CQZ2Doc::BackupBeforeSave(LPCTSTR lpszPathName)
{
    const SystemEnvironment* pOptions = GetOptions();
    if (pOptions == nullptr || !pOptions->m_BackupSaveEnabled || lpszPathName == nullptr)
        return FALSE;
    const CString source = lpszPathName;
    if (!FileTool::IsFileExist(source))
        return FALSE;
    const QString from = source.ToQString();
    const QString to = WithExtension(source, u"kvcb").ToQString();
    // Copy beside the backup and rename, so an old backup is replaced only by a complete one.
    const QString temp = to + QStringLiteral(".kc-copy");
    QFile::remove(temp);
    if (!QFile::copy(from, temp))
        return FALSE;
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(to).constData()) != 0) {
        QFile::remove(temp);
        return FALSE;
    }
    return TRUE;
}

BOOL CQZ2Doc::DoSaveAs(LPCTSTR lpszPathName, BOOL bReplace, DWORD nFilterFlag, LPCTSTR lpszExtension)
{
    m_dwSaveVersion = 0;
    CString newName = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    const bool bDialog = lpszPathName == nullptr;
    if (bDialog) {
        newName = GetSaveAsProposal(bReplace, lpszExtension);
        CString folder = FileTool::SplitFileName(m_strHomeFilePath.IsEmpty() ? m_strPathName : m_strHomeFilePath,
                                                 FileTool::splitDrive | FileTool::splitDirectory);
        CQZ2FileDialog dialog(FALSE, AfxGetMainWnd());
        dialog.SetFilterFlags(0x2 | 0x4 | 0x10 | 0x20);
        dialog.SelectFilter(nFilterFlag);
        dialog.SetFileName(newName);
        dialog.SetInitialFolder(folder);
        if (dialog.DoModal() != IDOK || dialog.GetFileCount() < 1)
            return FALSE;
        // The dialog has given the name the extension of the type chosen there.
        newName = dialog.GetFilePath(0);
        nFilterFlag = dialog.GetCurrentFlag();
        lpszExtension = nullptr;
        if (nFilterFlag == 0x10 || nFilterFlag == 0x20) {
            m_dwSaveVersion = QZ2FileVersion::kVersion310;
            bReplace = TRUE;
        }
    }
    if (lpszExtension != nullptr && *lpszExtension != 0) {
        CString ext = lpszExtension;
        if (ext[0] == u'.')
            ext = ext.Mid(1);
        CString current = ExtensionOf(newName);
        if (!current.IsEmpty())
            current = current.Mid(1);
        if (current.CompareNoCase(ext) != 0) {
            newName.TrimRight(u'.');
            newName += u'.';
            newName += ext;
        }
    }
    if (nFilterFlag == 0x10 || nFilterFlag == 0x20)
        m_dwSaveVersion = QZ2FileVersion::kVersion310;

    const int nType = FileTool::GetFileType(newName);
    const bool bDrawingOrTemplate = nType == 0 || nType == 1;
    // The file about to be replaced is backed up, whether its name was typed or given.
    if (bReplace && bDrawingOrTemplate)
        BackupBeforeSave(newName);

    CWaitCursor wait;
    const BOOL bRemember = m_bRemember;
    if (m_dwSaveVersion != 0)
        m_bRemember = FALSE;
    const BOOL bResult = OnSaveDocument(newName);
    m_bRemember = bRemember;
    // Nothing half-written is left behind: the path gets the new file only when it is complete.
    if (!bResult)
        return FALSE;
    if (!m_bSavingRecovery && bDrawingOrTemplate && m_dwSaveVersion == 0) {
        ClearRecovery();
        m_strHomeFilePath.Empty();
    }
    if (bReplace && bDrawingOrTemplate && m_dwSaveVersion == 0)
        SetPathName(newName, TRUE);
    return TRUE;
}

BOOL CQZ2Doc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    DWORD nFilter = 0x2;
    const TCHAR* ext = u"kvcd";
    if (lpszPathName != nullptr) {
        switch (FileTool::GetFileType(lpszPathName)) {
        case 1: nFilter = 0x4; ext = u"kvct"; break;
        case 2: nFilter = 0x8; ext = u"kvcb"; break;
        case 7: nFilter = 0x2; ext = u"kvcr"; break;
        default: break;
        }
    }
    return DoSaveAs(lpszPathName, bReplace, nFilter, ext);
}

BOOL CQZ2Doc::IsReadOnlyFile() const
{
    if (m_strPathName.IsEmpty())
        return FALSE;
    const std::string native = CFile::NativePath(m_strPathName);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0)
        return FALSE;
    return ::access(native.c_str(), W_OK) != 0;
}

int CQZ2Doc::GetAccessMode() const
{
    return IsReadOnlyFile() ? 1 : 2;
}

BOOL CQZ2Doc::DoFileSave()
{
    const int nType = m_strPathName.IsEmpty() ? -1 : FileTool::GetFileType(m_strPathName);
    if (IsNativeFileType(nType) && !IsReadOnlyFile() && m_strHomeFilePath.IsEmpty()) {
        if (m_bLoadedOlderVersion) {
            CString prompt;
            const CString format = LoadResourceString(IDP_CONVERT_OLDER_FILE);
            const CString kind = LoadResourceString(nType == 1 ? IDS_KIND_TEMPLATE : IDS_KIND_DRAWING);
            prompt.Format(format, static_cast<int>(m_wLoadedMajor), static_cast<int>(m_wLoadedMinor),
                          static_cast<LPCTSTR>(kind));
            if (AfxMessageBox(prompt, MB_OKCANCEL | MB_ICONINFORMATION) == IDCANCEL)
                return FALSE;
        }
        return DoSave(m_strPathName, TRUE);
    }
    return DoSave(nullptr, TRUE);
}

BOOL CQZ2Doc::SaveModified()
{
    if (m_strHomeFilePath.IsEmpty())
        return CDocument::SaveModified();
    // A drawing recovered from an automatic copy is always asked about.
    CString prompt;
    prompt.Format(LoadResourceString(IDP_SAVE_RECOVERED), static_cast<LPCTSTR>(m_strTitle));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------------
// Close, flags, titles

void CQZ2Doc::OnCloseDocument()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        if (pManager->GetDocument() == this)
            pManager->SetDocument(nullptr, nullptr);
    if (CMainFrame* pFrame = GetMainFrame())
        if (CDrawComponentBar* pPalette = pFrame->GetComponentBar(); pPalette != nullptr && m_pDraw2dDocument != nullptr)
            pPalette->RemoveDocument(m_pDraw2dDocument);
    // A copy from this drawing still on the clipboard stays readable, or goes when the user says so.
    CQZ2SrvrItem::OnDocumentClosing(this);
    CQZ2CntrItem::OnDocumentClosing(this);
    const CString recoveryFile = m_strHomeFilePath.IsEmpty() ? CString() : m_strRecoveryFilePath;
    ClearRecovery();
    if (m_pDraw2dDocument != nullptr)
        m_pDraw2dDocument->SetNotifyFunction(nullptr, nullptr);
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    COleServerDoc::OnCloseDocument();
    if (!recoveryFile.IsEmpty() && FileTool::IsFileExist(recoveryFile))
        ::unlink(CFile::NativePath(recoveryFile).c_str());
    if (bAutoDelete)
        delete this;
}

void CQZ2Doc::DeleteContents()
{
    if (m_pDraw2dDocument != nullptr)
        m_pDraw2dDocument->ClearUndoRedoHistory();
    m_viewInfo.DeleteAllViewInfo();
    COleServerDoc::DeleteContents();
}

BOOL CQZ2Doc::IsModified()
{
    return m_bModified;
}

void CQZ2Doc::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
    m_bAutoSaveDirty = bModified != FALSE;
}

void CQZ2Doc::SetTitle(LPCTSTR lpszTitle)
{
    CString title = lpszTitle;
    if (!m_strHomeFilePath.IsEmpty())
        title += LoadResourceString(IDS_TITLE_RECOVERED);
    else if (GetAccessMode() == 1)
        title += LoadResourceString(IDS_TITLE_READ_ONLY);
    COleServerDoc::SetTitle(title);
    // The component palette offers the document under its title (entered when new).
    if (CMainFrame* pFrame = GetMainFrame())
        if (CDrawComponentBar* pPalette = pFrame->GetComponentBar(); pPalette != nullptr && m_pDraw2dDocument != nullptr &&
                                                                   pPalette->GetSafeHwnd() != nullptr)
            pPalette->UpdateDocumentTitle(GetTitle(), m_pDraw2dDocument);
}

void CQZ2Doc::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    COleServerDoc::SetPathName(lpszPathName, bAddToMRU);
}

void CQZ2Doc::SetRecoveryInfo(LPCTSTR lpszHomeFilePath, LPCTSTR lpszRecoveryFilePath, LPCTSTR lpszEntryName)
{
    m_strHomeFilePath = lpszHomeFilePath;
    m_strRecoveryFilePath = lpszRecoveryFilePath;
    m_strRecoveryEntryName = lpszEntryName;
}

void CQZ2Doc::ClearRecovery()
{
    m_bAutoSaveDirty = FALSE;
    RemoveRecoveryEntry();
    if (!m_strRecoveryFilePath.IsEmpty()) {
        const std::string native = CFile::NativePath(m_strRecoveryFilePath);
        struct stat st {};
        // A file that cannot be deleted keeps its path.
        if (::stat(native.c_str(), &st) != 0 || ::unlink(native.c_str()) == 0)
            m_strRecoveryFilePath.Empty();
    }
}

CString CQZ2Doc::GetUserDataFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return CString();
    folder += QStringLiteral("/Korvan/Rivedi VEZ Dadazizo 4/");
    return CString::FromQString(folder);
}

CString CQZ2Doc::MakeRecoveryFileName()
{
    if (!m_strRecoveryFilePath.IsEmpty())
        return m_strRecoveryFilePath;
    const CString folder = GetUserDataFolder();
    if (folder.IsEmpty() || !QDir().mkpath(folder.ToQString()))
        return CString();
    CString name = FileTool::SplitFileName(m_strTitle, FileTool::splitName);
    if (name.IsEmpty())
        name = u"Drawing";
    // A name no other file has, so two drawings of the same title never share one.
    for (int n = 0; n < 10000; ++n) {
        CString candidate;
        if (n == 0)
            candidate.Format(u"%s~%s.kvcr", static_cast<LPCTSTR>(folder), static_cast<LPCTSTR>(name));
        else
            candidate.Format(u"%s~%s (%d).kvcr", static_cast<LPCTSTR>(folder), static_cast<LPCTSTR>(name), n);
        const int fd = ::open(CFile::NativePath(candidate).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        if (fd >= 0) {
            ::close(fd);
            m_strRecoveryFilePath = candidate;
            return candidate;
        }
        if (errno != EEXIST)
            break;
    }
    return CString();
}

BOOL CQZ2Doc::SaveRecoveryFile()
{
    if (!m_bAutoSaveDirty)
        return FALSE;
    const CString path = MakeRecoveryFileName();
    if (path.IsEmpty())
        return FALSE;
    // The entry comes first: an end between the two leaves an entry to an empty or older copy,
    // never a copy nobody knows of. A recovered drawing keeps the original it came from.
    const CString entry = GetRecoveryEntryName();
    if (!entry.IsEmpty()) {
        CString original = m_strHomeFilePath;
        if (original.IsEmpty()) {
            original = m_strPathName;
            const int nType = original.IsEmpty() ? -1 : FileTool::GetFileType(original);
            if (original.IsEmpty())
                original = m_strTitle;
            else if (nType >= 10 && nType <= 16)
                original = FileTool::SplitFileName(original, FileTool::splitName);
        }
        HKEY hKey = nullptr;
        const CString key = CQZ2App::GetSectionKeyPath(u"DocumentRecovery") + entry;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
            RegSetValueEx(hKey, u"OriginalFilePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(original.GetString()),
                          static_cast<DWORD>((original.GetLength() + 1) * sizeof(TCHAR)));
            RegSetValueEx(hKey, u"RecoveryFilePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.GetString()),
                          static_cast<DWORD>((path.GetLength() + 1) * sizeof(TCHAR)));
            RegCloseKey(hKey);
        }
    }
    // A copy, written whole beside the previous one before it replaces it: the document keeps its
    // name, flags and own file, and a failed write keeps the previous copy.
    const BOOL bRemember = m_bRemember;
    m_bRemember = FALSE;
    m_bSavingRecovery = TRUE;
    const BOOL bSaved = DoSave(path, FALSE);
    m_bSavingRecovery = FALSE;
    m_bRemember = bRemember;
    if (!bSaved)
        return FALSE;
    m_bAutoSaveDirty = FALSE;
    return TRUE;
}

CString CQZ2Doc::GetRecoveryEntryName()
{
    if (!m_strRecoveryEntryName.IsEmpty())
        return m_strRecoveryEntryName;
    const CString section = CQZ2App::GetSectionKeyPath(u"DocumentRecovery");
    if (section.IsEmpty())
        return CString();
    HKEY hSection = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                       &hSection, nullptr) != ERROR_SUCCESS)
        return CString();
    CString result;
    for (int n = 1; n < 100000 && result.IsEmpty(); ++n) {
        CString name;
        name.Format(u"%d", n);
        HKEY hEntry = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyEx(hSection, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hEntry,
                           &disposition) != ERROR_SUCCESS)
            break;
        RegCloseKey(hEntry);
        if (disposition == REG_CREATED_NEW_KEY)
            result = name;
    }
    RegCloseKey(hSection);
    m_strRecoveryEntryName = result;
    return result;
}

void CQZ2Doc::RemoveRecoveryEntry()
{
    if (m_strRecoveryEntryName.IsEmpty())
        return;
    const CString section = CQZ2App::GetSectionKeyPath(u"DocumentRecovery");
    if (!section.IsEmpty())
        RegDeleteTree(HKEY_CURRENT_USER, section + m_strRecoveryEntryName);
    m_strRecoveryEntryName.Empty();
}

// ---------------------------------------------------------------------------------------------
// Views and change notification

CQZ2TabView* CQZ2Doc::GetFirstTabView(POSITION& pos) const
{
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CQZ2TabView)))
            return static_cast<CQZ2TabView*>(pView);
    }
    return nullptr;
}

void CQZ2Doc::GetTabViews(CObArray& views) const
{
    views.RemoveAll();
    POSITION pos = GetFirstViewPosition();
    while (CQZ2TabView* pView = GetFirstTabView(pos))
        views.Add(pView);
}

CQZ2TabView* CQZ2Doc::GetFrontTabView() const
{
    CObArray views;
    GetTabViews(views);
    if (views.GetSize() == 0)
        return nullptr;
    if (views.GetSize() == 1)
        return static_cast<CQZ2TabView*>(views.GetAt(0));
    // With several windows, the one the main window shows in front.
    if (CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()))
        if (CMDIChildWnd* pChild = pFrame->MDIGetActive())
            if (CView* pActive = pChild->GetActiveView())
                for (INT_PTR i = 0; i < views.GetSize(); ++i)
                    if (views.GetAt(i) == pActive)
                        return static_cast<CQZ2TabView*>(pActive);
    return static_cast<CQZ2TabView*>(views.GetAt(0));
}

int CQZ2Doc::OnModelNotify(NotifyInfoBase* pInfo, void* pUserData)
{
    auto* pObject = static_cast<CObject*>(pUserData);
    CQZ2Doc* pDoc = nullptr;
    if (pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CQZ2Doc)))
        pDoc = static_cast<CQZ2Doc*>(pObject);
    if (pDoc == nullptr || pInfo == nullptr)
        return 0;
    pInfo->SetDocument(pDoc->m_pDraw2dDocument);
    // A changed drawing is to be saved, or asked about when closed, and due for a recovery copy.
    if (ChangesTheDrawing(*pInfo))
        pDoc->SetModifiedFlag(TRUE);
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hMain = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    QZ2Command::CommandManager* pManager = GetCommandManager();

    const int nKind = pInfo->GetKind();
    if ((nKind == NotifyInfoBase::kindDrawing && pInfo->GetCode() == NotifyInfoBase::drawingActivated) ||
        nKind == NotifyInfoBase::kindShowFeatures) {
        // Only the window in front follows an activation or shows features.
        CView* pActive = nullptr;
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(pMainWnd)) {
            pActive = pFrame->GetActiveView();
            if (pActive == nullptr)
                if (CFrameWnd* pChild = pFrame->GetActiveFrame())
                    if (pChild != pFrame)
                        pActive = pChild->GetActiveView();
        }
        if (pActive != nullptr && pActive->IsKindOf(RUNTIME_CLASS(CQZ2TabView)) && pActive->GetDocument() == pDoc)
            SendDocumentNotify(pActive, hMain, pInfo);
    } else {
        if (nKind == NotifyInfoBase::kindDocumentSetting && pManager != nullptr &&
            pManager->GetDraw2dDocument() == pDoc->m_pDraw2dDocument)
            NumericFormat::UpdateFromDocument(pDoc->m_pDraw2dDocument);
        CObArray views;
        pDoc->GetTabViews(views);
        for (INT_PTR i = 0; i < views.GetSize(); ++i)
            SendDocumentNotify(static_cast<CWnd*>(views.GetAt(i)), hMain, pInfo);
    }
    if (CMainFrame* pFrame = GetMainFrame())
        SendDocumentNotify(pFrame, hMain, pInfo);
    if (pManager != nullptr)
        pManager->OnDocumentUpdated(*pInfo);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Command routing

namespace {

struct GroupRange {
    UINT group;
    UINT first;
    UINT last;
};

// Which drop-down group button each shape and edit command belongs to.
constexpr GroupRange kGroups[] = {
    {33936, 33402, 33405}, {33924, 33412, 33420}, {33924, 33435, 33435}, {33924, 33522, 33523},
    {33937, 33431, 33432}, {33925, 33433, 33434}, {33927, 33442, 33447}, {33927, 33482, 33482},
    {33928, 33462, 33467}, {33928, 33492, 33492}, {33926, 33502, 33503}, {33929, 33512, 33513},
    {33941, 33532, 33533}, {33930, 33552, 33559}, {33938, 33560, 33565}, {33939, 33566, 33571},
    {33940, 33580, 33585}, {33931, 33572, 33573}, {33932, 33723, 33723}, {33932, 33727, 33731},
    {33932, 33739, 33739}, {33933, 33724, 33724}, {33933, 33732, 33738}, {33933, 33740, 33740},
    {33934, 33753, 33754}, {33935, 33823, 33830},
};

std::map<UINT, UINT>& GroupMembers()
{
    static std::map<UINT, UINT> members;
    return members;
}

constexpr UINT kDrawCommandFirst = 33402;
constexpr UINT kDrawCommandLast = 33722;
constexpr UINT kStyleFirst = 34783;
constexpr UINT kStyleBlockSize = 11;
constexpr UINT kStyleBlockCount = 7;
constexpr UINT kStyleLast = kStyleFirst + kStyleBlockSize * kStyleBlockCount - 1;  // 34859
constexpr UINT kSettingDialogFirst = 34631;

const FeatureSettingStylesBase* StylesOf(const Draw2dDocument* pModel, UINT nBlock)
{
    switch (nBlock) {
    case 0: return pModel->GetGeneralFeatureSettingStyles();
    case 1: return pModel->GetPointMarkerSettingStyles();
    case 2: return pModel->GetTextSettingStyles();
    case 3: return pModel->GetLeadSettingStyles();
    case 4: return pModel->GetBalloonSettingStyles();
    case 5: return pModel->GetDimensionSettingStyles();
    case 6: return pModel->GetHatchSettingStyles();
    default: return nullptr;
    }
}

BOOL SetCurrentStyle(Draw2dDocument* pModel, UINT nBlock, const CString& name)
{
    switch (nBlock) {
    case 0: return pModel->SetCurrentGeneralFeatureSettingStyleName(name);
    case 1: return pModel->SetCurrentPointMarkerSettingStyleName(name);
    case 2: return pModel->SetCurrentTextSettingStyleName(name);
    case 3: return pModel->SetCurrentLeadSettingStyleName(name);
    case 4: return pModel->SetCurrentBalloonSettingStyleName(name);
    case 5: return pModel->SetCurrentDimensionSettingStyleName(name);
    case 6: return pModel->SetCurrentHatchSettingStyleName(name);
    default: return FALSE;
    }
}

}  // namespace

UINT CQZ2Doc::GetCommandGroup(UINT nID)
{
    for (const GroupRange& range : kGroups)
        if (nID >= range.first && nID <= range.last)
            return range.group;
    return 0;
}

// The frame keeps what each group button starts (with its defaults) and shows it on the buttons; without a
// frame the documents share a map of their own.
UINT CQZ2Doc::GetGroupButtonCommand(UINT nGroupID)
{
    if (const CMainFrame* pFrame = GetMainFrame()) {
        const UINT nMember = pFrame->GetGroupButtonCommand(nGroupID);
        return nMember != static_cast<UINT>(-1) ? nMember : 0;
    }
    const auto it = GroupMembers().find(nGroupID);
    return it != GroupMembers().end() ? it->second : 0;
}

void CQZ2Doc::SetGroupButtonCommand(UINT nGroupID, UINT nID)
{
    if (CMainFrame* pFrame = GetMainFrame()) {
        pFrame->SetGroupButtonCommand(nGroupID, nID);
        return;
    }
    GroupMembers()[nGroupID] = nID;
}

BEGIN_MESSAGE_MAP(CQZ2Doc, COleServerDoc)
    ON_COMMAND_RANGE(33402, 33722, &CQZ2Doc::OnDrawCommand)
    ON_UPDATE_COMMAND_UI_RANGE(33402, 33722, &CQZ2Doc::OnUpdateDrawCommand)
    ON_COMMAND_RANGE(33723, 33923, &CQZ2Doc::OnDrawCommand)
    ON_UPDATE_COMMAND_UI_RANGE(33723, 33923, &CQZ2Doc::OnUpdateAlwaysEnabled)
    ON_COMMAND_RANGE(34732, 34782, &CQZ2Doc::OnToolCommand)
    ON_COMMAND_RANGE(34345, 34345, &CQZ2Doc::OnToolCommand)
    ON_COMMAND_RANGE(33924, 34024, &CQZ2Doc::OnGroupButton)
    ON_UPDATE_COMMAND_UI_RANGE(33924, 34024, &CQZ2Doc::OnUpdateGroupButton)
    ON_COMMAND_RANGE(34631, 34643, &CQZ2Doc::OnNestedCommand)
    ON_COMMAND_RANGE(34669, 34670, &CQZ2Doc::OnNestedCommand)
    ON_COMMAND_RANGE(34665, 34665, &CQZ2Doc::OnNestedCommand)
    ON_COMMAND_RANGE(34131, 34132, &CQZ2Doc::OnNestedCommand)
    ON_COMMAND_RANGE(57643, 57644, &CQZ2Doc::OnNestedCommand)
    ON_COMMAND_RANGE(34646, 34648, &CQZ2Doc::OnAttributeComboBox)
    ON_UPDATE_COMMAND_UI_RANGE(34646, 34648, &CQZ2Doc::OnUpdateAlwaysEnabled)
    ON_COMMAND_RANGE(34342, 34343, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(34328, 34328, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(34344, 34344, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(39562, 39562, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(57632, 57632, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(57634, 57635, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(57637, 57637, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND_RANGE(57639, 57639, &CQZ2Doc::OnPlainCommand)
    ON_COMMAND(34126, &CQZ2Doc::OnCancelCommands)
    ON_COMMAND(33215, &CQZ2Doc::OnImportJws)
    ON_COMMAND(33201, &CQZ2Doc::OnImportJwk)
    ON_COMMAND(34133, &CQZ2Doc::OnSelectByFilter)
    ON_COMMAND(34134, &CQZ2Doc::OnSelectAll)
    ON_COMMAND(39102, &CQZ2Doc::OnSelectionProperties)
    ON_COMMAND(34135, &CQZ2Doc::OnInvertSelection)
    ON_COMMAND(33306, &CQZ2Doc::OnShowLayerTable)
    ON_COMMAND_RANGE(34783, 34859, &CQZ2Doc::OnSettingStyle)
    ON_COMMAND_RANGE(34884, 34894, &CQZ2Doc::OnStyleRegistration)
    ON_COMMAND(33204, &CQZ2Doc::OnSaveAsTemplate)
    ON_COMMAND(33202, &CQZ2Doc::OnFileProperties)
    ON_UPDATE_COMMAND_UI(57643, &CQZ2Doc::OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(57644, &CQZ2Doc::OnUpdateRedo)
    ON_UPDATE_COMMAND_UI(57637, &CQZ2Doc::OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(57639, &CQZ2Doc::OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(34639, &CQZ2Doc::OnUpdateShowGrid)
    ON_UPDATE_COMMAND_UI(34131, &CQZ2Doc::OnUpdateSelectFilterMode)
    ON_UPDATE_COMMAND_UI(34343, &CQZ2Doc::OnUpdateDeleteActiveDrawing)
    ON_UPDATE_COMMAND_UI(34133, &CQZ2Doc::OnUpdateSelectByFilter)
    ON_UPDATE_COMMAND_UI(34134, &CQZ2Doc::OnUpdateSelectAll)
    ON_UPDATE_COMMAND_UI(34135, &CQZ2Doc::OnUpdateSelectAll)
    ON_UPDATE_COMMAND_UI(34126, &CQZ2Doc::OnUpdateCancelCommands)
    ON_UPDATE_COMMAND_UI_RANGE(34783, 34859, &CQZ2Doc::OnUpdateSettingStyle)
END_MESSAGE_MAP()

BOOL CQZ2Doc::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return COleServerDoc::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CQZ2Doc::OnDrawCommand(UINT nID)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager == nullptr)
        return;
    const UINT nGroup = GetCommandGroup(nID);
    pManager->ExecuteCommand(nID);
    if (nGroup != 0)
        SetGroupButtonCommand(nGroup, nID);
}

void CQZ2Doc::OnToolCommand(UINT nID)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteCommand(nID);
}

void CQZ2Doc::OnGroupButton(UINT nID)
{
    const UINT nMember = GetGroupButtonCommand(nID);
    // A group nothing was chosen on yet starts nothing.
    if (nMember == 0)
        return;
    OnCmdMsg(nMember, CN_COMMAND, nullptr, nullptr);
}

void CQZ2Doc::OnNestedCommand(UINT nID)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteNestedCommand(nID);
}

void CQZ2Doc::OnAttributeComboBox(UINT)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteNestedCommand(kSettingDialogFirst);
}

void CQZ2Doc::OnPlainCommand(UINT nID)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteCommand(nID);
}

void CQZ2Doc::OnCancelCommands()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->CancelAllCommands();
}

void CQZ2Doc::OnImportJws()
{
    ImportJwsJwk(TRUE);
}

void CQZ2Doc::OnImportJwk()
{
    ImportJwsJwk(FALSE);
}

void CQZ2Doc::OnSelectByFilter()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->SelectByFilterDialog();
}

void CQZ2Doc::OnSelectAll()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->SelectAllFeatures(m_pDraw2dDocument);
}

void CQZ2Doc::OnSelectionProperties()
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    SelectionManager* pSelection = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
    if (pManager == nullptr || pSelection == nullptr)
        return;
    CArray<FeatureLayout> records;
    pSelection->GetSelectedFeatureList(records);
    pManager->ShowFeatureProperties(records, TRUE);
}

void CQZ2Doc::OnInvertSelection()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->InvertSelection(m_pDraw2dDocument);
}

void CQZ2Doc::OnShowLayerTable()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ShowLayerTableView();
}

void CQZ2Doc::OnSettingStyle(UINT nID)
{
    if (nID < kStyleFirst || nID > kStyleLast || m_pDraw2dDocument == nullptr)
        return;
    const UINT nBlock = (nID - kStyleFirst) / kStyleBlockSize;
    const UINT nIndex = (nID - kStyleFirst) % kStyleBlockSize;
    if (nIndex == kStyleBlockSize - 1) {
        if (QZ2Command::CommandManager* pManager = GetCommandManager())
            pManager->ExecuteNestedCommand(kSettingDialogFirst + nBlock);
        return;
    }
    const FeatureSettingStylesBase* pStyles = StylesOf(m_pDraw2dDocument, nBlock);
    if (pStyles == nullptr)
        return;
    CStringArray names;
    pStyles->GetSettingStyleNameArray(names, 1);
    if (static_cast<INT_PTR>(nIndex) >= names.GetSize())
        return;
    m_pDraw2dDocument->BeginUndoOperation(nullptr);
    SetCurrentStyle(m_pDraw2dDocument, nBlock, names.GetAt(nIndex));
    m_pDraw2dDocument->EndUndoOperation();
}

void CQZ2Doc::OnUpdateSettingStyle(CCmdUI* pCmdUI)
{
    // Menus only; the radio mark stays within the item's own block.
    if (pCmdUI->m_pMenu == nullptr || m_pDraw2dDocument == nullptr)
        return;
    const UINT nID = pCmdUI->m_nID;
    if (nID < kStyleFirst || nID > kStyleLast)
        return;
    const UINT nBlock = (nID - kStyleFirst) / kStyleBlockSize;
    const UINT nIndex = (nID - kStyleFirst) % kStyleBlockSize;
    const FeatureSettingStylesBase* pStyles = StylesOf(m_pDraw2dDocument, nBlock);
    if (pStyles == nullptr)
        return;
    const CString current = pStyles->GetCurrentSettingStyleName();
    if (current.IsEmpty())
        return;
    CStringArray names;
    pStyles->GetSettingStyleNameArray(names, 1);
    const INT_PTR nListed = std::min<INT_PTR>(names.GetSize(), kStyleBlockSize - 1);
    if (nIndex == kStyleBlockSize - 1) {
        bool bListed = false;
        for (INT_PTR i = 0; i < nListed; ++i)
            if (names.GetAt(i) == current)
                bListed = true;
        pCmdUI->SetRadio(!bListed);
        return;
    }
    pCmdUI->SetRadio(static_cast<INT_PTR>(nIndex) < names.GetSize() && names.GetAt(nIndex) == current);
}

void CQZ2Doc::OnStyleRegistration(UINT nID)
{
    // Only the entries that lead to a setting dialog ask; the others have nothing to open.
    if (nID < 34884 || nID > 34890)
        return;
    const CString prompt = LoadResourceString(IDP_STYLE_REGISTRATION);
    if (AfxMessageBox(prompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteNestedCommand(kSettingDialogFirst + (nID - 34884));
}

void CQZ2Doc::OnSaveAsTemplate()
{
    DoSaveAs(nullptr, TRUE, 0x4, u"kvct");
}

void CQZ2Doc::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pDraw2dDocument != nullptr && m_pDraw2dDocument->CanUndo());
}

void CQZ2Doc::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pDraw2dDocument != nullptr && m_pDraw2dDocument->CanRedo());
}

void CQZ2Doc::OnUpdatePaste(CCmdUI* pCmdUI)
{
    const UINT formats[] = {g_cfNativeDrawing, g_cfNativeFeatures, CF_TEXT,     CF_UNICODETEXT,
                            CF_METAFILEPICT,   CF_ENHMETAFILE,     g_cfEmbedSource, g_cfEmbeddedObject,
                            CF_BITMAP,         CF_DIB};
    BOOL bEnable = FALSE;
    for (UINT format : formats)
        if (format != 0 && IsClipboardFormatAvailable(format)) {
            bEnable = TRUE;
            break;
        }
    pCmdUI->Enable(bEnable);
}

void CQZ2Doc::OnUpdateShowGrid(CCmdUI* pCmdUI)
{
    const DrawingFeatureBase* pDrawing = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr || pDrawing->GetGridSetting() == nullptr)
        return;
    pCmdUI->SetCheck(pDrawing->GetGridSetting()->IsShowGrid() ? 1 : 0);
}

void CQZ2Doc::OnUpdateSelectFilterMode(CCmdUI* pCmdUI)
{
    const SelectionFilter* pFilter = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionFilter() : nullptr;
    pCmdUI->Enable(pFilter != nullptr);
    pCmdUI->SetCheck(pFilter != nullptr && pFilter->GetSelectionFilterMode() != 0 ? 1 : 0);
}

void CQZ2Doc::OnUpdateDeleteActiveDrawing(CCmdUI* pCmdUI)
{
    const DrawingFeatureBase* pDrawing = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetActiveDrawingFeature() : nullptr;
    pCmdUI->Enable(pDrawing != nullptr && pDrawing->IsPartFeature());
}

void CQZ2Doc::OnUpdateSelectByFilter(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager != nullptr && pManager->HasActiveCommand()) {
        pCmdUI->Enable(pManager->GetActiveItemType() == 14);
        return;
    }
    const SelectionManager* pSelection = m_pDraw2dDocument != nullptr ? m_pDraw2dDocument->GetSelectionManager() : nullptr;
    pCmdUI->Enable(pSelection != nullptr && !pSelection->IsSelectionEmpty());
}

void CQZ2Doc::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager == nullptr || pManager->GetActiveView() == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(!pManager->HasActiveCommand() || pManager->GetActiveItemType() == 14);
}

void CQZ2Doc::OnUpdateCancelCommands(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    pCmdUI->SetCheck(pManager == nullptr || !pManager->HasActiveCommand() ? 1 : 0);
}

void CQZ2Doc::OnUpdateAlwaysEnabled(CCmdUI*)
{
    // Handled, so the items stay enabled.
}

// The drawing command that runs (or waits under a nested one) shows checked on the toolbars and menus.
void CQZ2Doc::OnUpdateDrawCommand(CCmdUI* pCmdUI)
{
    const QZ2Command::CommandManager* pManager = GetCommandManager();
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pManager != nullptr && pManager->IsCommandRunning(pCmdUI->m_nID) ? 1 : 0);
}

// A group button shows checked while one of its drawing commands runs.
void CQZ2Doc::OnUpdateGroupButton(CCmdUI* pCmdUI)
{
    const QZ2Command::CommandManager* pManager = GetCommandManager();
    BOOL bRunning = FALSE;
    for (int i = 0; pManager != nullptr && i < pManager->GetStackDepth() && !bRunning; ++i) {
        const QZ2Command::CommandBase* pCommand = pManager->GetStackEntry(i);
        const UINT nID = pCommand != nullptr ? QZ2Command::CommandManager::GetCommandID(pCommand->GetIdentifier()) : 0;
        bRunning = nID >= kDrawCommandFirst && nID <= kDrawCommandLast && GetCommandGroup(nID) == pCmdUI->m_nID;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(bRunning ? 1 : 0);
}
