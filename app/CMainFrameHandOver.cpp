// The receiving side of a file handed over by another instance of the program: WM_COPYDATA asks
// whether a file is open here (0) or asks to open or bring it forward (1); opening waits for the
// frame's own message, so that the sender has its answer first.

#include "app/CMainFrame.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStringDecoder>

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/RemoteWindow.h"

const TCHAR CMainFrame::kWindowClassName[] = _T("KorvanCADVer4Class");

namespace {

// The path carried by a hand-over record: UTF-16 with its terminating zero, nothing malformed.
bool ReadRecordPath(const COPYDATASTRUCT* pData, QString& path)
{
    if (pData == nullptr || pData->lpData == nullptr || pData->cbData < 2 || (pData->cbData % 2) != 0 ||
        pData->cbData > RemoteWindow::kMaxCopyDataBytes)
        return false;
    const auto* chars = static_cast<const char16_t*>(pData->lpData);
    const qsizetype count = pData->cbData / 2;
    qsizetype length = 0;
    while (length < count && chars[length] != 0)
        ++length;
    if (length == count || length == 0)
        return false;
    // Lone surrogates are no path of ours.
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = chars[i];
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= length || !QChar::isLowSurrogate(chars[i + 1]))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    path = QString::fromUtf16(chars, length);
    return true;
}

}  // namespace

BOOL CMainFrame::ExposeToOtherInstances()
{
    return RemoteWindow::Expose(GetSafeHwnd(), kWindowClassName);
}

BOOL CMainFrame::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    if (pCopyDataStruct == nullptr)
        return FALSE;
    if (pCopyDataStruct->dwData != 0 && pCopyDataStruct->dwData != 1)
        return CBCGPMDIFrameWnd::OnCopyData(pWnd, pCopyDataStruct);
    QString text;
    if (!ReadRecordPath(pCopyDataStruct, text))
        return FALSE;
    // The program's own form of the path; a file that is not there is no file to take.
    CString path;
    const std::u16string chars = text.toStdU16String();
    if (!CQZ2App::NormalisePath(chars.c_str(), path) || !QFileInfo::exists(path.ToQString()))
        return FALSE;

    CQZ2Doc* pFound = nullptr;
    CWinApp* pApp = AfxGetApp();
    for (POSITION templatePos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr;
         templatePos != nullptr && pFound == nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(templatePos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != nullptr;) {
            auto* pDoc = dynamic_cast<CQZ2Doc*>(pTemplate->GetNextDoc(docPos));
            if (pDoc != nullptr && pDoc->GetPathName() == path) {
                pFound = pDoc;
                break;
            }
        }
    }
    if (pCopyDataStruct->dwData == 0)
        return pFound != nullptr ? TRUE : FALSE;

    if (pFound != nullptr) {
        POSITION viewPos = pFound->GetFirstViewPosition();
        if (CQZ2TabView* pView = pFound->GetFirstTabView(viewPos)) {
            if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pView->GetParentFrame())) {
                MDIActivate(pChild);
                if (pChild->IsIconic())
                    MDIRestore(pChild);
            }
        }
        return TRUE;
    }
    m_queuedFiles.Add(path);
    PostMessage(kOpenQueuedFilesMessage);
    return TRUE;
}

LRESULT CMainFrame::OnOpenQueuedFiles(WPARAM, LPARAM)
{
    CStringArray files;
    files.Copy(m_queuedFiles);
    m_queuedFiles.RemoveAll();
    CQZ2App* pApp = CQZ2App::GetApp();
    for (INT_PTR i = 0; i < files.GetSize() && pApp != nullptr; ++i)
        pApp->OpenDocumentFile(files[i]);
    return 0;
}
