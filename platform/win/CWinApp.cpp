#include "platform/win/CWinApp.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtGui/QCursor>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <memory>

#include "platform/afx/ResourceModule.h"
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
