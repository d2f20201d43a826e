#include "platform/win/CWinApp.h"

#include "platform/win/CDocManager.h"
#include "platform/win/Registry.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtGui/QCursor>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <memory>

#include "platform/afx/FrameworkText.h"
#include "platform/afx/ResourceModule.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/PrintDlgTypes.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() {
  CWinThread* t = AfxGetThread();
  return t ? t->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return g_pApp ? g_pApp->m_hInstance : nullptr; }

LPCTSTR AfxGetAppName() { return g_pApp ? g_pApp->m_pszAppName : nullptr; }

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  if (!g_pApp) g_pApp = this;
  if (lpszAppName) SetAppName(lpszAppName);
  // The instance handle stands for the program module (resources come from the chain).
  m_hInstance = reinterpret_cast<HINSTANCE>(this);
}

CWinApp::~CWinApp() {
  // A static application object dies after the Qt application: nothing of Qt is touched here.
  if (g_pApp == this) g_pApp = nullptr;
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults) {
  if (m_hDevNames && !bForceDefaults) return;
  AfxPrinterData data;
  if (!data.LoadDefault() && !data.LoadPrinter(AfxPrinterData::GetPdfPrinterName())) return;
  HGLOBAL hDevMode = data.CreateDevMode();
  HGLOBAL hDevNames = data.CreateDevNames();
  if (!hDevMode || !hDevNames) {
    if (hDevMode) ::GlobalFree(hDevMode);
    if (hDevNames) ::GlobalFree(hDevNames);
    return;
  }
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
  m_hDevMode = hDevMode;
  m_hDevNames = hDevNames;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg) {
  if (!pPrintDlg) return FALSE;
  // A printer chosen earlier that has gone is replaced by the defaults.
  CString driver, device, port;
  if (m_hDevNames && (!AfxPrinterData::ReadDevNames(m_hDevNames, driver, device, port) ||
                      (device != AfxPrinterData::GetPdfPrinterName() && !AfxPrinterData::PrinterExists(device))))
    UpdatePrinterSelection(TRUE);
  else
    UpdatePrinterSelection(FALSE);
  if (!m_hDevNames) return FALSE;
  pPrintDlg->hDevNames = m_hDevNames;
  pPrintDlg->hDevMode = m_hDevMode;
  return TRUE;
}

void CWinApp::SetAppName(LPCTSTR lpszAppName) {
  m_appName = lpszAppName ? std::u16string(lpszAppName) : std::u16string();
  m_pszAppName = m_appName.c_str();
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_nExitCode; }

int CWinApp::Run() {
  if (!m_pMainWnd && !m_bQuitRequested) {
    // Without a main window there is nothing to wait for.
    return ExitInstance();
  }
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

namespace {

QMessageBox::StandardButton ButtonOf(int id) {
  switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    case IDTRYAGAIN: return QMessageBox::Retry;
    case IDCONTINUE: return QMessageBox::Ignore;
    case IDHELP: return QMessageBox::Help;
    default: return QMessageBox::NoButton;
  }
}

std::vector<int> ButtonsOfType(UINT nType) {
  switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
  }
}

}  // namespace

int AfxShowMessageBox(QWidget* parent, const QString& text, const QString& caption, UINT nType) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return IDCANCEL;
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  switch (nType & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  const std::vector<int> ids = ButtonsOfType(nType);
  std::vector<std::pair<QAbstractButton*, int>> buttons;
  for (int id : ids) buttons.emplace_back(box.addButton(ButtonOf(id)), id);
  if (nType & MB_HELP) buttons.emplace_back(box.addButton(QMessageBox::Help), IDHELP);
  // The buttons speak the interface's language, not Qt's.
  for (auto& [b, id] : buttons) b->setText(AfxLoadButtonText(static_cast<UINT>(id)).ToQString());
  const size_t def = static_cast<size_t>((nType & MB_DEFMASK) >> 8);
  if (def < ids.size()) box.setDefaultButton(static_cast<QPushButton*>(buttons[def].first));
  // Escape answers Cancel where there is one, else the only button.
  int escapeId = 0;
  for (int id : ids)
    if (id == IDCANCEL) escapeId = IDCANCEL;
  if (!escapeId && ids.size() == 1) escapeId = ids.front();
  if (escapeId) {
    for (auto& [b, id] : buttons)
      if (id == escapeId) box.setEscapeButton(b);
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (auto& [b, id] : buttons)
    if (b == clicked) return id;
  return escapeId ? escapeId : IDCANCEL;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  QWidget* parent = nullptr;
  if (CWnd* active = CWnd::GetActiveWindow()) parent = active->GetQWidget();
  if (!parent) {
    if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) parent = main->GetQWidget();
  }
  const QString caption = m_pszAppName ? QString::fromUtf16(m_pszAppName) : QCoreApplication::applicationName();
  const QString text = lpszPrompt ? QString::fromUtf16(lpszPrompt) : QString();
  const bool waiting = m_nWaitCursorCount > 0;
  if (waiting) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  const int r = AfxShowMessageBox(parent, text, caption, nType);
  if (waiting) QGuiApplication::restoreOverrideCursor();
  return r;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
  return AfxShowMessageBox(nullptr, lpszText ? QString::fromUtf16(lpszText) : QString(),
                           QCoreApplication::applicationName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  std::u16string text;
  AfxLoadStringResource(nIDPrompt, text);
  return AfxMessageBox(text.c_str(), nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  QString caption;
  if (lpszCaption)
    caption = QString::fromUtf16(lpszCaption);
  else if (AfxGetApp() && AfxGetApp()->m_pszAppName)
    caption = QString::fromUtf16(AfxGetApp()->m_pszAppName);
  return AfxShowMessageBox(GetQWidget(), lpszText ? QString::fromUtf16(lpszText) : QString(), caption, nType);
}

void CWinApp::DoWaitCursor(int nCode) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (nCode > 0) {
    ++m_nWaitCursorCount;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else if (nCode < 0) {
    if (m_nWaitCursorCount > 0) {
      --m_nWaitCursorCount;
      QGuiApplication::restoreOverrideCursor();
    }
  } else if (m_nWaitCursorCount > 0) {
    QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
  }
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return AfxLoadCursorResource(nIDResource); }

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  if (IS_INTRESOURCE(lpszResourceName))
    return AfxLoadCursorResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszResourceName)));
  return nullptr;
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursor(nullptr, MAKEINTRESOURCE(nIDCursor)); }

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("ICON", nIDResource, data)) return nullptr;
  // Icons are handed around by handle only; the number identifies the resource.
  return reinterpret_cast<HICON>(static_cast<UINT_PTR>(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const {
  return reinterpret_cast<HICON>(const_cast<LPTSTR>(lpszIconName));
}

void AfxWinTerm() { AfxWndBridge::Instance()->DestroyAll(); }

int AfxWinMain(int argc, char** argv) {
  std::unique_ptr<QApplication> own;
  if (!QCoreApplication::instance()) own = std::make_unique<QApplication>(argc, argv);
  CWinApp* app = AfxGetApp();
  int code = -1;
  if (app) {
    static std::u16string exe;
    exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdU16String();
    if (!app->m_pszExeName) app->m_pszExeName = exe.c_str();
    if (!app->m_pszAppName) app->SetAppName(exe.c_str());
    if (app->InitInstance()) {
      code = app->Run();
    } else {
      code = app->ExitInstance();
    }
  }
  AfxWinTerm();
  return code;
}

// ---- documents ----------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { AfxGetDocManager()->AddDocTemplate(pTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return AfxGetDocManager()->GetFirstDocTemplatePosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return AfxGetDocManager()->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  return AfxGetDocManager()->OpenDocumentFile(lpszFileName, TRUE);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName, BOOL bAddToMRU) {
  return AfxGetDocManager()->OpenDocumentFile(lpszFileName, bAddToMRU);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) { AfxGetDocManager()->AddToRecentFileList(lpszPathName); }
void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) { AfxGetDocManager()->LoadStdProfileSettings(nMaxMRU); }
void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) { AfxParseCommandLine(rCmdInfo); }
BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) { return AfxProcessShellCommand(rCmdInfo); }
BOOL CWinApp::SaveAllModified() { return AfxGetDocManager()->SaveAllModified(); }
void CWinApp::CloseAllDocuments(BOOL bEndSession) { AfxGetDocManager()->CloseAllDocuments(bEndSession); }
void CWinApp::OnFileNew() { AfxGetDocManager()->OnFileNew(); }
void CWinApp::OnFileOpen() { AfxGetDocManager()->OnFileOpen(); }

// ---- settings -----------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  m_registryKey = lpszRegistryKey ? std::u16string(lpszRegistryKey) : std::u16string();
  m_pszRegistryKey = m_registryKey.empty() ? nullptr : m_registryKey.c_str();
  SetProfileName(m_pszAppName);
}

void CWinApp::SetProfileName(LPCTSTR lpszProfileName) {
  m_profileName = lpszProfileName ? std::u16string(lpszProfileName) : std::u16string();
  m_pszProfileName = m_profileName.empty() ? nullptr : m_profileName.c_str();
}

HKEY CWinApp::GetAppRegistryKey() {
  if (!m_pszRegistryKey || !m_pszProfileName) return nullptr;
  const CString path = AfxGetAppRegistryKeyPath();
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &key, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
  HKEY app = GetAppRegistryKey();
  if (!app || !lpszSection) {
    if (app) RegCloseKey(app);
    return nullptr;
  }
  HKEY section = nullptr;
  DWORD disposition = 0;
  const LSTATUS status = RegCreateKeyExW(app, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                         nullptr, &section, &disposition);
  RegCloseKey(app);
  return status == ERROR_SUCCESS ? section : nullptr;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return static_cast<UINT>(nDefault);
  DWORD value = 0, type = 0, size = sizeof(value);
  const LSTATUS status = RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return static_cast<UINT>(nDefault);
  return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return FALSE;
  const DWORD value = static_cast<DWORD>(nValue);
  const LSTATUS status =
      RegSetValueExW(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  const CString fallback = lpszDefault ? CString(lpszDefault) : CString();
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return fallback;
  DWORD type = 0, size = 0;
  CString result = fallback;
  if (RegQueryValueExW(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
    std::vector<char16_t> text(size / sizeof(char16_t) + 1, u'\0');
    if (RegQueryValueExW(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size) ==
        ERROR_SUCCESS)
      result = CString(text.data());
  }
  RegCloseKey(key);
  return result;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  if (!lpszEntry) {
    HKEY app = GetAppRegistryKey();
    if (!app) return FALSE;
    const LSTATUS status = RegDeleteKeyW(app, lpszSection);
    RegCloseKey(app);
    return status == ERROR_SUCCESS;
  }
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return FALSE;
  LSTATUS status;
  if (!lpszValue) {
    status = RegDeleteValueW(key, lpszEntry);
  } else {
    const std::u16string text(lpszValue);
    status = RegSetValueExW(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  if (!ppData || !pBytes) return FALSE;
  *ppData = nullptr;
  *pBytes = 0;
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return FALSE;
  DWORD type = 0, size = 0;
  BOOL ok = FALSE;
  if (RegQueryValueExW(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY) {
    auto* data = new BYTE[size ? size : 1];
    if (RegQueryValueExW(key, lpszEntry, nullptr, &type, data, &size) == ERROR_SUCCESS) {
      *ppData = data;
      *pBytes = size;
      ok = TRUE;
    } else {
      delete[] data;
    }
  }
  RegCloseKey(key);
  return ok;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  HKEY key = GetSectionKey(lpszSection);
  if (!key) return FALSE;
  const LSTATUS status = RegSetValueExW(key, lpszEntry, 0, REG_BINARY, pData, nBytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}
