#include "platform/win/CDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <algorithm>
#include <random>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CUserException.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWaitCursor.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// The last component of a path ('/' or '\\' separated).
CString FileNameOf(const CString& path) {
  int cut = -1;
  for (int i = 0; i < path.GetLength(); ++i)
    if (path[i] == u'/' || path[i] == u'\\') cut = i;
  return path.Mid(cut + 1);
}

bool FileExists(const CString& path) {
  struct stat st {};
  return ::stat(CFile::NativePath(path).c_str(), &st) == 0;
}

// A file name beside target that no other file has.
CString TemporaryNameBeside(const CString& target) {
  static std::mt19937 rng{std::random_device{}()};
  CString name;
  for (int tries = 0; tries < 100; ++tries) {
    name.Format(u"%s.kc-save-%06x", static_cast<LPCTSTR>(target), static_cast<unsigned>(rng() & 0xFFFFFF));
    if (!FileExists(name)) break;
  }
  return name;
}

}  // namespace

CDocument::CDocument() = default;

CDocument::~CDocument() {
  // Views left behind (a document deleted by hand) must not point here any more.
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    if (CView* pView = GetNextView(pos)) pView->m_pDocument = nullptr;
  }
  m_viewList.RemoveAll();
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  CString path = lpszPathName;
  if (!path.IsEmpty()) path = CFile::FullPath(path);
  m_strPathName = path;
  SetTitle(FileNameOf(path));
  if (bAddToMRU && !path.IsEmpty()) AfxAddToRecentFileList(path);
}

void CDocument::ClearPathName() {
  m_strPathName.Empty();
}

BOOL CDocument::IsModified() { return m_bModified; }

void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
  if (!pView || m_viewList.Find(pView)) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = pView ? m_viewList.Find(pView) : nullptr;
  if (!pos) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
  // The distinct frames showing this document, in view order.
  std::vector<CFrameWnd*> frames;
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* pView = GetNextView(pos);
    if (!pView->GetSafeHwnd() || !pView->IsWindowVisible()) continue;
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end()) frames.push_back(pFrame);
  }
  const bool numbered = frames.size() > 1;
  int n = 1;
  for (CFrameWnd* pFrame : frames) {
    pFrame->m_nWindow = numbered ? n++ : -1;
    pFrame->OnUpdateFrameTitle(TRUE);
  }
  // Frames whose views are not shown yet still get the title.
  pos = GetFirstViewPosition();
  while (pos) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end()) pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  auto* pFile = new CFile;
  if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
    delete pFile;
    return nullptr;
  }
  return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
  if (!pFile) return;
  if (bAbort)
    pFile->Abort();
  else
    pFile->Close();
  delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
  if (!pFile) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag();  // dirty while loading
  try {
    CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    loadArchive.m_pDocument = this;
    CWaitCursor wait;
    if (pFile->GetLength() != 0) Serialize(loadArchive);
    loadArchive.Close();
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  } catch (const std::bad_alloc&) {
    ReleaseFile(pFile, TRUE);
    DeleteContents();
    ReportSaveLoadException(lpszPathName, nullptr, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  ReleaseFile(pFile, FALSE);
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  CString target = CFile::FullPath(lpszPathName);
  {
    // A link keeps pointing at the file it names: the file it leads to is the one replaced.
    struct stat lst {};
    if (::lstat(CFile::NativePath(target).c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
      if (char* real = ::realpath(CFile::NativePath(target).c_str(), nullptr)) {
        target = CString::FromUtf8(real);
        ::free(real);
      }
    }
  }
  const std::string nativeTarget = CFile::NativePath(target);
  // A file that may not be written is refused before anything is made.
  struct stat st {};
  const bool existed = ::stat(nativeTarget.c_str(), &st) == 0;
  if (existed && ::access(nativeTarget.c_str(), W_OK) != 0) {
    CFileException fe(CFileException::accessDenied, EACCES, target);
    ReportSaveLoadException(target, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  // Everything goes into a new file beside the target, which replaces it only when complete.
  const CString temp = TemporaryNameBeside(target);
  CFileException fe;
  CFile* pFile = GetFile(temp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
  if (!pFile) {
    fe.m_strFileName = target;
    ReportSaveLoadException(target, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  const std::string nativeTemp = CFile::NativePath(temp);
  try {
    CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    saveArchive.m_pDocument = this;
    CWaitCursor wait;
    Serialize(saveArchive);
    saveArchive.Close();
    pFile->Flush();
    if (existed) ::fchmod(static_cast<int>(reinterpret_cast<intptr_t>(pFile->m_hFile)), st.st_mode & 07777);
    pFile->Close();
    if (::rename(nativeTemp.c_str(), nativeTarget.c_str()) != 0) CFileException::ThrowErrno(errno, target);
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    ::unlink(nativeTemp.c_str());
    ReportSaveLoadException(target, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  } catch (const std::bad_alloc&) {
    ReleaseFile(pFile, TRUE);
    ::unlink(nativeTemp.c_str());
    ReportSaveLoadException(target, nullptr, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  delete pFile;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  // The user cancelled on purpose: nothing to say.
  if (e && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;
  CString prompt;
  if (e) {
    TCHAR buf[512] = {0};
    if (e->GetErrorMessage(buf, 512)) prompt = buf;
  }
  if (prompt.IsEmpty()) {
    prompt = AfxFormatString1(nIDPDefault ? nIDPDefault : (bSaving ? AFX_IDP_FAILED_TO_SAVE_DOC : AFX_IDP_FAILED_TO_OPEN_DOC),
                              lpszPathName ? lpszPathName : m_strTitle.GetString());
  }
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames must not close the document a second time.
  const BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame) PreCloseFrame(pFrame);
    if (!pFrame || !pFrame->DestroyWindow()) {
      // A view outside a frame, or a frame already on its way: let the view go alone.
      if (m_viewList.Find(pView) && !pView->DestroyWindow()) RemoveView(pView);
    }
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  // Another frame still showing the document keeps it open: no question.
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame && pFrame != pFrameArg) return TRUE;
  }
  return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName;
  if (name.IsEmpty()) {
    name = m_strTitle;
    if (name.IsEmpty()) name = AfxLoadFrameworkString(AFX_IDS_UNTITLED);
  }
  const CString prompt = AfxFormatString1(AFX_IDP_ASK_TO_SAVE, name);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      return DoFileSave();
    case IDNO:
    default:
      return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  if (m_strPathName.IsEmpty()) return DoSave(nullptr);
  const std::string native = CFile::NativePath(m_strPathName);
  struct stat st {};
  const bool exists = ::stat(native.c_str(), &st) == 0;
  // A file that has gone or cannot be written is saved under a new name.
  if (!exists || ::access(native.c_str(), W_OK) != 0) return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName;
  if (newName.IsEmpty()) {
    CDocTemplate* pTemplate = GetDocTemplate();
    newName = m_strPathName;
    if (bReplace && newName.IsEmpty()) {
      newName = m_strTitle;
      // Characters a file name may not carry end the proposal.
      const int cut = newName.FindOneOf(u" #%;/\\");
      if (cut != -1) newName = newName.Left(cut);
      CString ext;
      if (pTemplate && pTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
        const int semi = ext.Find(u';');
        if (semi != -1) ext = ext.Left(semi);
        if (ext[0] != u'.') newName += u'.';
        newName += ext;
      }
    }
    if (!AfxGetDocManager()->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY, 0, FALSE,
                                              pTemplate))
      return FALSE;
  }
  CWaitCursor wait;
  if (!OnSaveDocument(newName)) return FALSE;
  if (bReplace) SetPathName(newName);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // The template comes after its documents.
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
