#include "platform/win/CDocManager.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QStringList>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

#include <vector>

#include "platform/afx/CFile.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CRecentFileList.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CDocManager, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocManager, CCmdTarget)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CDocManager::OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CDocManager::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

// ---- framework texts -------------------------------------------------------------------------

CString AfxLoadFrameworkString(UINT nID) {
  CString s;
  if (s.LoadString(nID)) return s;
  switch (nID) {
    case AFX_IDS_IDLEMESSAGE: return CString(u"Ready");
    case AFX_IDS_OPENFILE: return CString(u"Open");
    case AFX_IDS_SAVEFILE: return CString(u"Save As");
    case AFX_IDS_SAVEFILECOPY: return CString(u"Save As");
    case AFX_IDS_ALLFILTER: return CString(u"All Files (*)");
    case AFX_IDS_UNTITLED: return CString(u"Untitled");
    case AFX_IDP_INVALID_FILENAME: return CString(u"Invalid file name.");
    case AFX_IDP_FAILED_TO_OPEN_DOC: return CString(u"Failed to open document.");
    case AFX_IDP_FAILED_TO_SAVE_DOC: return CString(u"Failed to save document.");
    case AFX_IDP_ASK_TO_SAVE: return CString(u"Save changes to %1?");
    case AFX_IDP_FAILED_TO_CREATE_DOC: return CString(u"Failed to create empty document.");
    case AFX_IDP_FAILED_TO_START_PRINT: return CString(u"Failed to start printing.");
    default: return CString();
  }
}

CString AfxFormatString1(UINT nIDS, LPCTSTR lpsz1) {
  const CString format = AfxLoadFrameworkString(nIDS);
  const CString arg = lpsz1;
  CString out;
  for (int i = 0; i < format.GetLength(); ++i) {
    if (format[i] == u'%' && format[i + 1] == u'1') {
      out += arg;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

CString AfxGetAppRegistryKeyPath() {
  CWinApp* pApp = AfxGetApp();
  CString company = pApp && pApp->m_pszRegistryKey ? CString(pApp->m_pszRegistryKey) : CString();
  CString profile = pApp && pApp->m_pszProfileName ? CString(pApp->m_pszProfileName) : CString();
  if (profile.IsEmpty() && pApp && pApp->m_pszAppName) profile = pApp->m_pszAppName;
  if (profile.IsEmpty()) profile = CString::FromQString(QCoreApplication::applicationName());
  CString path = u"Software";
  if (!company.IsEmpty()) path += u"\\" + company;
  if (!profile.IsEmpty()) path += u"\\" + profile;
  return path;
}

// ---- the program's manager -------------------------------------------------------------------

namespace {
CDocManager*& TheManager() {
  static CDocManager* p = nullptr;
  return p;
}
}  // namespace

CDocManager* AfxGetDocManager() {
  if (!TheManager()) TheManager() = new CDocManager;
  return TheManager();
}

void AfxSetDocManager(CDocManager* pManager) {
  CDocManager* old = TheManager();
  TheManager() = pManager;
  if (old != pManager) delete old;
}

void AfxAddDocTemplate(CDocTemplate* pTemplate) { AfxGetDocManager()->AddDocTemplate(pTemplate); }
CDocument* AfxOpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU) {
  return AfxGetDocManager()->OpenDocumentFile(lpszFileName, bAddToMRU);
}
void AfxAddToRecentFileList(LPCTSTR lpszPathName) { AfxGetDocManager()->AddToRecentFileList(lpszPathName); }
void AfxLoadStdProfileSettings(UINT nMaxMRU) { AfxGetDocManager()->LoadStdProfileSettings(nMaxMRU); }
BOOL AfxSaveAllModified() { return AfxGetDocManager()->SaveAllModified(); }
void AfxCloseAllDocuments(BOOL bEndSession) { AfxGetDocManager()->CloseAllDocuments(bEndSession); }

CDocManager::CDocManager() = default;

CDocManager::~CDocManager() {
  POSITION pos = m_templateList.GetHeadPosition();
  while (pos) {
    auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    if (pTemplate->m_bAutoDelete) delete pTemplate;
  }
  m_templateList.RemoveAll();
  delete m_pRecentFileList;
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (!pTemplate || m_templateList.Find(pTemplate)) return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetDocumentCount() const {
  int n = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    POSITION d = pTemplate->GetFirstDocPosition();
    while (d) {
      pTemplate->GetNextDoc(d);
      ++n;
    }
  }
  return n;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU) {
  if (!lpszFileName || !*lpszFileName) return nullptr;
  CString path = lpszFileName;
  // A path given in quotes (from the shell) loses them.
  if (path.GetLength() >= 2 && path[0] == u'"' && path[path.GetLength() - 1] == u'"')
    path = path.Mid(1, path.GetLength() - 2);
  path = CFile::FullPath(path);
  CDocTemplate* pBestTemplate = nullptr;
  CDocument* pOpenDocument = nullptr;
  CDocTemplate::Confidence best = CDocTemplate::noAttempt;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CDocument* pMatch = nullptr;
    const CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pMatch);
    if (match > best) {
      best = match;
      pBestTemplate = pTemplate;
      pOpenDocument = pMatch;
    }
    if (match == CDocTemplate::yesAlreadyOpen) break;
  }
  if (pOpenDocument) {
    // Already open: its window comes to the front.
    POSITION v = pOpenDocument->GetFirstViewPosition();
    if (v) {
      CView* pView = pOpenDocument->GetNextView(v);
      if (CFrameWnd* pFrame = pView->GetParentFrame()) {
        pFrame->ActivateFrame();
        if (CFrameWnd* pAppFrame = AfxGetParentFrame(pFrame)) pAppFrame->ActivateFrame();
      }
    }
    return pOpenDocument;
  }
  if (!pBestTemplate) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_OPEN_DOC), MB_ICONEXCLAMATION);
    return nullptr;
  }
  return pBestTemplate->OpenDocumentFile(path, bAddToMRU, TRUE);
}

BOOL CDocManager::SaveAllModified() {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) {
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CDocManager::OnFileNew() {
  if (m_templateList.IsEmpty()) {
    AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
    return;
  }
  // The first template makes the new document.
  auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
  pTemplate->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString newName;
  if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, 0, TRUE, nullptr)) return;
  OpenDocumentFile(newName);
}

namespace {

// "Name (*.ext1 *.ext2)" for a template's filter.
QString FilterOf(CDocTemplate* pTemplate) {
  CString name, exts;
  if (!pTemplate->GetDocString(exts, CDocTemplate::filterExt) || exts.IsEmpty()) return QString();
  pTemplate->GetDocString(name, CDocTemplate::filterName);
  QStringList patterns;
  for (const QString& e : exts.ToQString().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    QString ext = e.trimmed();
    if (ext.startsWith(QLatin1Char('*'))) ext = ext.mid(1);
    if (!ext.startsWith(QLatin1Char('.'))) ext.prepend(QLatin1Char('.'));
    patterns << QLatin1Char('*') + ext;
  }
  QString label = name.ToQString();
  // A filter name that already lists its patterns keeps them.
  const int paren = label.indexOf(QLatin1Char('('));
  if (paren > 0) label = label.left(paren).trimmed();
  if (label.isEmpty()) label = patterns.join(QLatin1Char(' '));
  return QStringLiteral("%1 (%2)").arg(label, patterns.join(QLatin1Char(' ')));
}

}  // namespace

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return FALSE;
  QStringList filters;
  QString selected;
  if (pTemplate) {
    selected = FilterOf(pTemplate);
    if (!selected.isEmpty()) filters << selected;
  } else {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos) {
      const QString f = FilterOf(GetNextDocTemplate(pos));
      if (!f.isEmpty() && !filters.contains(f)) filters << f;
    }
  }
  if (bOpenFileDialog || filters.isEmpty()) filters << AfxLoadFrameworkString(AFX_IDS_ALLFILTER).ToQString();
  CWnd* pMain = AfxGetMainWnd();
  QFileDialog dialog(pMain ? pMain->GetQWidget() : nullptr, AfxLoadFrameworkString(nIDSTitle).ToQString());
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setNameFilters(filters);
  if (!selected.isEmpty()) dialog.selectNameFilter(selected);
  dialog.setAcceptMode(bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!fileName.IsEmpty()) {
    const QFileInfo info(fileName.ToQString());
    if (info.isAbsolute()) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return FALSE;
  fileName = CString::FromQString(dialog.selectedFiles().front());
  return TRUE;
}

// ---- recent files ----------------------------------------------------------------------------

void CDocManager::LoadStdProfileSettings(UINT nMaxMRU) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (nMaxMRU == 0) return;
  m_pRecentFileList = new CRecentFileList(0, u"Recent File List", u"File%d", static_cast<int>(std::min(nMaxMRU, 16u)));
  m_pRecentFileList->ReadList();
}

void CDocManager::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CDocManager::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

BOOL CDocManager::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList) return FALSE;
  const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
  if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize()) return FALSE;
  const CString path = (*m_pRecentFileList)[nIndex];
  if (path.IsEmpty()) return FALSE;
  // A file that can no longer be opened leaves the list.
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

void CDocManager::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}

// ---- the shell's commands --------------------------------------------------------------------

void AfxParseCommandLine(CCommandLineInfo& rCmdInfo) {
  const QStringList args = QCoreApplication::arguments();
  std::vector<std::u16string> params;
  for (qsizetype i = 1; i < args.size(); ++i) params.push_back(args[i].toStdU16String());
  std::vector<LPCTSTR> argv;
  for (const auto& p : params) argv.push_back(p.c_str());
  rCmdInfo.ParseArguments(static_cast<int>(argv.size()), argv.data());
}

BOOL AfxProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  CDocManager* pManager = AfxGetDocManager();
  CWinApp* pApp = AfxGetApp();
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      pManager->OnFileNew();
      return AfxGetMainWnd() != nullptr;
    case CCommandLineInfo::FileOpen:
      return pManager->OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint: {
      // Print without showing anything, then end.
      if (pApp) pApp->m_nCmdShow = SW_HIDE;
      CDocument* pDoc = pManager->OpenDocumentFile(rCmdInfo.m_strFileName, FALSE);
      if (!pDoc) return FALSE;
      POSITION pos = pDoc->GetFirstViewPosition();
      if (CView* pView = pos ? pDoc->GetNextView(pos) : nullptr)
        pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      pDoc->OnCloseDocument();
      return FALSE;
    }
    case CCommandLineInfo::FileDDE:
      // Files come from a running instance by message; nothing to wait for here.
      if (pApp) pApp->m_nCmdShow = SW_HIDE;
      return TRUE;
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
      // File types are registered by the installed desktop files: nothing more to do.
      return FALSE;
    case CCommandLineInfo::FileNothing:
    default:
      return TRUE;
  }
}
