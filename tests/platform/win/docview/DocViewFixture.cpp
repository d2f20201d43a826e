#include "DocViewFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QBuffer>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <memory>

#include "platform/afx/CArchiveException.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CPrintInfo.h"

RouteLog& Route() {
  static RouteLog log;
  return log;
}

// ---- the document --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CNumberDoc, CDocument)
int CNumberDoc::s_live = 0;

BEGIN_MESSAGE_MAP(CNumberDoc, CDocument)
  ON_COMMAND(ID_NUM_ADD, &CNumberDoc::OnAdd)
  ON_UPDATE_COMMAND_UI(ID_NUM_ADD, &CNumberDoc::OnUpdateAdd)
  ON_UPDATE_COMMAND_UI(ID_NUM_SHOWN, &CNumberDoc::OnUpdateShown)
  ON_COMMAND_EX(ID_ROUTE, &CNumberDoc::OnRoute)
  ON_UPDATE_COMMAND_UI(ID_ROUTE_LAST, &CNumberDoc::OnUpdateRoute)
END_MESSAGE_MAP()

void CNumberDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_values.size());
    int n = 0;
    for (int v : m_values) {
      if (n++ == m_nFailAfter) AfxThrowArchiveException(CArchiveException::genericException);
      ar << static_cast<LONG>(v);
    }
  } else {
    DWORD count = 0;
    ar >> count;
    // A count the file cannot hold is damage, not a reason to allocate.
    if (count > 1000000) AfxThrowArchiveException(CArchiveException::badIndex);
    m_values.clear();
    for (DWORD i = 0; i < count; ++i) {
      LONG v = 0;
      ar >> v;
      m_values.push_back(static_cast<int>(v));
    }
  }
}

void CNumberDoc::OnAdd() {
  m_values.push_back(static_cast<int>(m_values.size()) + 1);
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}

void CNumberDoc::OnUpdateAdd(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bLocked); }
void CNumberDoc::OnUpdateShown(CCmdUI* pCmdUI) { pCmdUI->SetCheck(!m_values.empty()); }
BOOL CNumberDoc::OnRoute(UINT) { return Route().Visit("document"); }
void CNumberDoc::OnUpdateRoute(CCmdUI* pCmdUI) {
  Route().Visit("document");
  pCmdUI->ContinueRouting();
}

// ---- the view ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CNumberView, CView)
int CNumberView::s_live = 0;

BEGIN_MESSAGE_MAP(CNumberView, CView)
  ON_COMMAND_EX(ID_ROUTE, &CNumberView::OnRoute)
  ON_UPDATE_COMMAND_UI(ID_ROUTE_LAST, &CNumberView::OnUpdateRoute)
END_MESSAGE_MAP()

void CNumberView::OnDraw(CDC* pDC) {
  ++m_nDraws;
  if (pDC) pDC->TextOut(10, 10, CString(u"numbers"));
}

BOOL CNumberView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage(m_nPages);
  m_printSteps.push_back("prepare");
  return DoPreparePrinting(pInfo);
}

void CNumberView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  m_printSteps.push_back("page " + std::to_string(pInfo->m_nCurPage));
  ++m_nPrintedPages;
  CView::OnPrint(pDC, pInfo);
}

BOOL CNumberView::OnRoute(UINT) { return Route().Visit("view"); }
void CNumberView::OnUpdateRoute(CCmdUI* pCmdUI) {
  Route().Visit("view");
  pCmdUI->ContinueRouting();
}

// ---- the frames and the application --------------------------------------------------------

IMPLEMENT_DYNCREATE(CNumberChild, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CNumberChild, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
  ON_COMMAND_EX(ID_ROUTE, &CNumberChild::OnRoute)
  ON_UPDATE_COMMAND_UI(ID_ROUTE_LAST, &CNumberChild::OnUpdateRoute)
END_MESSAGE_MAP()

BOOL CNumberChild::OnRoute(UINT) { return Route().Visit("child frame"); }
void CNumberChild::OnUpdateRoute(CCmdUI* pCmdUI) {
  Route().Visit("child frame");
  pCmdUI->ContinueRouting();
}
void CNumberChild::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  if (bActivate)
    ++m_nActivated;
  else
    ++m_nDeactivated;
}

IMPLEMENT_DYNCREATE(CNumberMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CNumberMainFrame, CMDIFrameWnd)
  ON_COMMAND_EX(ID_ROUTE, &CNumberMainFrame::OnRoute)
  ON_UPDATE_COMMAND_UI(ID_ROUTE_LAST, &CNumberMainFrame::OnUpdateRoute)
END_MESSAGE_MAP()

BOOL CNumberMainFrame::OnRoute(UINT) { return Route().Visit("main frame"); }
void CNumberMainFrame::OnUpdateRoute(CCmdUI* pCmdUI) {
  Route().Visit("main frame");
  pCmdUI->ContinueRouting();
}

BEGIN_MESSAGE_MAP(CNumberApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, &CNumberApp::OnFileNew)
  ON_COMMAND_EX(ID_ROUTE, &CNumberApp::OnRoute)
  ON_UPDATE_COMMAND_UI(ID_ROUTE_LAST, &CNumberApp::OnUpdateRoute)
END_MESSAGE_MAP()

CNumberApp::CNumberApp() : CWinApp(u"Numbers") { m_pszRegistryKey = u"KcDocViewTest"; }
BOOL CNumberApp::OnRoute(UINT) { return Route().Visit("application"); }
void CNumberApp::OnUpdateRoute(CCmdUI* pCmdUI) {
  Route().Visit("application");
  pCmdUI->ContinueRouting();
}

// ---- dialogs -------------------------------------------------------------------------------

void OnNextModal(std::function<void(QWidget*)> fn) {
  auto tries = std::make_shared<int>(0);
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [fn, tries, poll]() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isModal()) modal = w;
    }
    if (modal) {
      fn(modal);
      *poll = nullptr;  // break the cycle
      return;
    }
    if (++*tries > 500) {
      ADD_FAILURE() << "no dialog showed";
      *poll = nullptr;
      return;
    }
    QTimer::singleShot(10, [poll]() { if (*poll) (*poll)(); });
  };
  QTimer::singleShot(0, [poll]() { if (*poll) (*poll)(); });
}

void AnswerNextBox(int qtButton, QString* pText) {
  OnNextModal([qtButton, pText](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr) << "expected a message box";
    if (pText) *pText = box->text();
    QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(qtButton));
    ASSERT_NE(b, nullptr) << "the box has no such button";
    b->click();
  });
}

// ---- the program ---------------------------------------------------------------------------

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

const char kStrings[] =
    "100\tNumbers\n"
    "200\t\\nNumbers\\nNumber list\\nNumber files (*.num)\\n.num\\nNumbers.Document\\nNumber list\n"
    "32801\tAdds a number to the list\\nAdd number\n"
    "32802\tShows whether the list has numbers\\nShown\n";

const char kMainMenu[] =
    "POPUP \"&File\"\n"
    "  MENUITEM \"&New\\tCtrl+N\", 57600\n"
    "  MENUITEM \"&Open...\", 57601\n"
    "  MENUITEM SEPARATOR\n"
    "  MENUITEM \"Recent File\", 57616, GRAYED\n"
    "END\n";

const char kDocMenu[] =
    "POPUP \"&File\"\n"
    "  MENUITEM \"&New\", 57600\n"
    "  MENUITEM \"&Close\", 57602\n"
    "  MENUITEM \"&Save\", 57603\n"
    "  MENUITEM SEPARATOR\n"
    "  MENUITEM \"Recent File\", 57616\n"
    "  MENUITEM SEPARATOR\n"
    "  MENUITEM \"E&xit\", 57665\n"
    "END\n"
    "POPUP \"&Numbers\"\n"
    "  MENUITEM \"&Add\\tCtrl+D\", 32801\n"
    "  MENUITEM \"&Shown\", 32802\n"
    "  MENUITEM \"&Orphan\", 32806\n"
    "END\n";

const char kDocKeys[] = "\"D\", 32801, VIRTKEY, CONTROL\n";

}  // namespace

void DocViewTest::Pump() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void DocViewTest::SetUp() {
  ASSERT_TRUE(m_dir.isValid());
  // The language library of the program, built for the run.
  static QString modulePath;
  if (modulePath.isEmpty()) {
    static QTemporaryDir moduleDir;
    const QString src = moduleDir.filePath(QStringLiteral("src"));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    const std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("strings.txt"), kStrings},
        {QStringLiteral("ICON/100"), png},
        {QStringLiteral("ICON/200"), png},
        {QStringLiteral("MENU/100"), kMainMenu},
        {QStringLiteral("MENU/200"), kDocMenu},
        {QStringLiteral("ACCELERATOR/200"), kDocKeys}};
    QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\">\n";
    for (const auto& [name, content] : files) {
      WriteFile(src + QLatin1Char('/') + name, content);
      qrc += "<file alias=\"" + name.toUtf8() + "\">" + (src + QLatin1Char('/') + name).toUtf8() + "</file>\n";
    }
    qrc += "</qresource></RCC>\n";
    WriteFile(src + QStringLiteral("/module.qrc"), qrc);
    modulePath = moduleDir.filePath(QStringLiteral("KcResourceENG.rcc"));
    QProcess rcc;
    rcc.start(QStringLiteral(KC_TEST_RCC), {QStringLiteral("--binary"), QStringLiteral("--no-compress"),
                                            QStringLiteral("-o"), modulePath, src + QStringLiteral("/module.qrc")});
    ASSERT_TRUE(rcc.waitForFinished(60000));
    ASSERT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  }
  std::u16string reason;
  m_module = AfxLoadResourceModule(modulePath.toStdU16String(), &reason);
  ASSERT_NE(m_module, nullptr) << QString::fromStdU16String(reason).toStdString();
  AfxSetResourceHandle(m_module);

  Route() = RouteLog{};
  m_app = new CNumberApp;
  AfxSetDocManager(new CDocManager);
  m_template = new CMultiDocTemplate(IDR_NUMBERTYPE, RUNTIME_CLASS(CNumberDoc), RUNTIME_CLASS(CNumberChild),
                                     RUNTIME_CLASS(CNumberView));
  AfxAddDocTemplate(m_template);
  m_main = new CNumberMainFrame;
  ASSERT_TRUE(m_main->LoadFrame(IDR_MAINFRAME));
  m_app->m_pMainWnd = m_main;
  m_main->MoveWindow(0, 0, 800, 600);
  m_main->ShowWindow(SW_SHOW);
}

void DocViewTest::TearDown() {
  if (m_app && m_app->m_pMainWnd) {
    // Whatever is left closes without questions.
    AfxCloseAllDocuments(TRUE);
    if (m_app->m_pMainWnd) m_app->m_pMainWnd->DestroyWindow();
  }
  Pump();
  // The main window's end asked the loop to quit; a run of the loop takes the request, so that
  // the next test's dialogs run their own loops.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
  AfxSetDocManager(nullptr);
  delete m_app;
  m_app = nullptr;
  AfxSetResourceHandle(nullptr);
  AfxFreeResourceModule(m_module);
  EXPECT_EQ(CNumberDoc::s_live, 0);
  EXPECT_EQ(CNumberView::s_live, 0);
}

CDocument* DocViewTest::NewDocument() {
  m_main->SendMessage(WM_COMMAND, ID_FILE_NEW);
  CMDIChildWnd* child = m_main->MDIGetActive();
  return child ? child->GetActiveDocument() : nullptr;
}
