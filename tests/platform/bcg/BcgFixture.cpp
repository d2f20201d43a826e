#include "BcgFixture.h"

#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QToolBar>

#include <sstream>

#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPToolbarComboBoxButton.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPRibbonSeparator.h"
#include "platform/bcg/CBCGPRibbonStatusBarPane.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CCmdUI.h"

namespace {

const char kStrings[] =
    "100\tBcg Test\n"
    "57600\tNew drawing\\nNew\n"
    "57601\tOpen a drawing\\nOpen\n"
    "57602\tClose\\nClose\n"
    "34649\tSnap on or off\\nSnap\n"
    "34650\tLocked\\nLocked\n"
    "33412\tLine\\nLine\n"
    "33433\tCircle\\nCircle\n"
    "34664\tCustomize...\n";

const char kMainMenu[] =
    "POPUP \"&File\"\n"
    "  MENUITEM \"&New\\tCtrl+N\", 57600\n"
    "  MENUITEM \"&Open...\", 57601\n"
    "END\n"
    "POPUP \"&Draw\"\n"
    "  MENUITEM \"&Line\", 33412\n"
    "  MENUITEM \"&Circle\", 33433\n"
    "END\n";

const char kKeys[] = "\"N\", 57600, VIRTKEY, CONTROL\nVK_DELETE, 34649, VIRTKEY\n";

const char kStandard[] =
    "# the standard toolbar\n"
    "TOOLBAR 16 15\n"
    "BUTTON 57600\n"
    "BUTTON 57601\n"
    "SEPARATOR\n"
    "BUTTON 34649\n"
    "BUTTON 34650\n";

const char kShape[] = "TOOLBAR 16 15\nBUTTON 33412\nBUTTON 33433\n";

QByteArray Png(const QImage& img) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "PNG");
  return png;
}

// A strip of n images 16 x 15: image i is filled with colour i, its corner pixel is the mask colour.
QByteArray Strip(int n) {
  QImage img(16 * n, 15, QImage::Format_RGB32);
  for (int i = 0; i < n; ++i)
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x) img.setPixel(16 * i + x, y, qRgb(10 * (i + 1), 20, 30));
  for (int i = 0; i < n; ++i) img.setPixel(16 * i, 0, qRgb(192, 192, 192));
  return Png(img);
}

void WriteFile(const QString& path, const QByteArray& content) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

}  // namespace

void Pump() {
  for (int i = 0; i < 4; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

CTestApp::CTestApp() : CWinApp(u"BcgTest") {
  m_pszRegistryKey = u"Korvan";
  m_pszProfileName = u"BcgTest\\4.0";
  SetRegistryBase(u"Settings");
}

IMPLEMENT_DYNCREATE(CTestFrame, CBCGPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CBCGPMDIFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND_RANGE(33000, 35000, &CTestFrame::OnCommandRange)
  ON_COMMAND_RANGE(57600, 57601, &CTestFrame::OnCommandRange)
  ON_UPDATE_COMMAND_UI(ID_CMD_SNAP, &CTestFrame::OnUpdateSnap)
  ON_UPDATE_COMMAND_UI(ID_CMD_LOCKED, &CTestFrame::OnUpdateLocked)
  ON_UPDATE_COMMAND_UI(168, &CTestFrame::OnUpdateCoordinates)
  ON_COMMAND_RANGE(160, 175, &CTestFrame::OnCommandRange)
  ON_REGISTERED_MESSAGE(BCGM_RESETTOOLBAR, &CTestFrame::OnResetToolbar)
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CBCGPMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  CBCGPDockingControlBar::m_bDisableAnimation = TRUE;
  m_wndMenuBar.Create(this);
  m_wndStandard.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(1, 1, 1, 1),
                         ID_TB_STANDARD);
  m_wndStandard.LoadToolBar(IDR_STANDARD);
  m_wndStandard.EnableCustomizeButton(TRUE, 34664, 34664u, TRUE);
  m_wndShape.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_TB_SHAPE);
  m_wndShape.LoadToolBar(IDR_SHAPE);
  m_wndView.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_TB_VIEW);
  const UINT viewIds[] = {ID_CMD_LINE, 0, ID_CMD_OPEN};
  m_wndView.SetButtons(viewIds, 3);
  const DWORD right = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT | CBRS_FLOAT_MULTI;
  const DWORD left = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT | CBRS_FLOAT_MULTI;
  m_wndCommand.Create(u"Command", this, CRect(0, 0, 200, 200), TRUE, ID_BAR_COMMAND, right, 0x20, 0xF);
  m_wndProperty.Create(u"Property", this, CRect(0, 0, 200, 300), TRUE, ID_BAR_PROPERTY, right, 0x20, 0xF);
  m_wndDrawing.Create(u"Drawing", this, CRect(0, 0, 200, 200), TRUE, ID_BAR_DRAWING, left, 0x20, 0xF);
  m_wndLayer.Create(u"Layer", this, CRect(0, 0, 200, 200), TRUE, ID_BAR_LAYER, left, 0x20, 0xF);

  for (CBCGPControlBar* b : std::initializer_list<CBCGPControlBar*>{&m_wndMenuBar, &m_wndStandard, &m_wndShape,
                                                                   &m_wndView, &m_wndCommand, &m_wndProperty,
                                                                   &m_wndDrawing, &m_wndLayer})
    b->EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  EnableAutoHideBars(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndMenuBar);
  DockControlBar(&m_wndView);
  DockControlBarLeftOf(&m_wndStandard, &m_wndView);
  DockControlBar(&m_wndShape);
  DockControlBar(&m_wndLayer);
  DockControlBar(&m_wndCommand);
  m_wndProperty.DockToWindow(&m_wndCommand, CBRS_ALIGN_BOTTOM);
  CBCGPDockingControlBar* tabbed = nullptr;
  m_wndDrawing.AttachToTabWnd(&m_wndLayer, DM_SHOW, FALSE, &tabbed);
  InitUserToolbars(nullptr, 59600, 59699);
  if (m_wndStatus.Create(this)) {
    m_wndStatus.AddElement(new CBCGPRibbonStatusBarPane(165, u"", TRUE, nullptr, u"________________"), u"Guidance");
    m_wndStatus.AddExtendedElement(
        new CBCGPRibbonStatusBarPane(168, u"x, y", TRUE, nullptr, u"x = xx.xxxxxxxx, y = yy.yyyyyyyy"), u"Position");
    m_wndStatus.AddExtendedElement(new CBCGPRibbonSeparator, u"");
    m_wndStatus.AddExtendedElement(new CBCGPRibbonStatusBarPane(169, u" ", TRUE, nullptr, u"Selected: 0000"),
                                   u"Selection");
  }
  return 0;
}

BOOL CTestFrame::OnShowPopupMenu(CBCGPPopupMenu* pMenuPopup) {
  ++m_popupsSeen;
  if (m_bRefusePopups) return FALSE;
  CBCGPPopupMenuBar* bar = pMenuPopup->GetMenuBar();
  const int open = bar->CommandToIndex(ID_CMD_OPEN);
  if (open >= 0) pMenuPopup->RemoveItem(open);
  return TRUE;
}

void CTestFrame::OnUpdateCoordinates(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strCoordinates); }

void CTestStatusBar::OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo) {
  pDC->FillSolidRect(&rectInfo, m_clrInfoBack);
  pDC->SetTextColor(RGB(255, 255, 255));
  CBCGPRibbonStatusBar::OnDrawInformation(pDC, strInfo, rectInfo);
}

void CTestFrame::OnCommandRange(UINT id) {
  m_commands.push_back(id);
  if (id == ID_CMD_SNAP) m_bSnap = !m_bSnap;
  if (id == ID_CMD_COMBO) {
    if (auto* c = CBCGPToolbarComboBoxButton::GetByCmd(ID_CMD_COMBO)) m_comboSelectionSeen = c->GetCurSel();
  }
}

void CTestFrame::OnUpdateSnap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bSnap); }

void CTestFrame::OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

LRESULT CTestFrame::OnResetToolbar(WPARAM wp, LPARAM) {
  m_resets.push_back(static_cast<UINT>(wp));
  return 0;
}

CBCGPDockingControlBar* CTestFrame::Bar(UINT id) { return DYNAMIC_DOWNCAST(CBCGPDockingControlBar, GetControlBar(id)); }

CBCGPToolBar* CTestFrame::ToolBar(UINT id) { return DYNAMIC_DOWNCAST(CBCGPToolBar, GetControlBar(id)); }

void BcgTest::SetUp() {
  static QString modulePath;
  if (modulePath.isEmpty()) {
    static QTemporaryDir moduleDir;
    const QString src = moduleDir.filePath(QStringLiteral("src"));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::darkGreen);
    const std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("strings.txt"), kStrings},
        {QStringLiteral("ICON/100"), Png(icon)},
        {QStringLiteral("MENU/100"), kMainMenu},
        {QStringLiteral("ACCELERATOR/100"), kKeys},
        {QStringLiteral("TOOLBAR/110"), kStandard},
        {QStringLiteral("BITMAP/110"), Strip(4)},
        {QStringLiteral("TOOLBAR/305"), kShape},
        {QStringLiteral("BITMAP/305"), Strip(2)},
        {QStringLiteral("BITMAP/413"), Strip(4)},
        {QStringLiteral("BITMAP/417"), Strip(3)}};
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
  m_app = new CTestApp;
  m_app->CleanState();
}

void BcgTest::TearDown() {
  Pump();
  delete m_app;
  m_app = nullptr;
  AfxSetResourceHandle(nullptr);
  AfxFreeResourceModule(m_module);
}

CTestFrame* BcgTest::OpenFrame() {
  auto* frame = new CTestFrame;
  EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME));
  frame->MoveWindow(0, 0, 1000, 700);
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  Pump();
  return frame;
}

void BcgTest::CloseFrame(CTestFrame*& frame) {
  frame->DestroyWindow();  // the frame deletes itself
  frame = nullptr;
  Pump();
}

std::string BcgTest::Snapshot(CTestFrame* frame) {
  std::ostringstream out;
  QMainWindow* host = frame->GetDockHost();
  for (CBCGPControlBar* bar : frame->GetControlBars()) {
    out << "bar " << bar->GetDlgCtrlID() << " visible=" << bar->IsVisible() << " floating=" << bar->IsFloating()
        << " align=" << bar->GetCurrentAlignment();
    QWidget* w = bar->GetLayoutWidget();
    if (bar->IsFloating()) out << " at=" << w->x() << "," << w->y() << " " << w->width() << "x" << w->height();
    if (auto* dock = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, bar)) {
      CBCGPDockingControlBar* group[16];
      const int n = dock->GetTabbedBars(group, 16);
      out << " tabs=";
      for (int i = 0; i < n; ++i) out << group[i]->GetDlgCtrlID() << ";";
      out << " active=" << dock->IsActiveTab();
      if (!bar->IsFloating() && bar->IsVisible()) out << " width=" << w->width();
    }
    if (auto* tb = qobject_cast<QToolBar*>(w)) {
      out << " break=" << host->toolBarBreak(tb) << " y=" << tb->y() << " x=" << tb->x();
      auto* t = DYNAMIC_DOWNCAST(CBCGPToolBar, bar);
      CString title;
      t->GetWindowText(title);
      out << " title=" << QString::fromStdU16String(std::u16string(title)).toStdString() << " buttons=";
      for (int i = 0; i < t->GetCount(); ++i) {
        CBCGPToolbarButton* b = t->GetButton(i);
        out << b->GetRuntimeClass()->m_lpszClassName << ":" << b->m_nID;
        if (auto* c = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, b)) {
          out << "[";
          for (int k = 0; k < c->GetCount(); ++k) out << QString::fromStdU16String(std::u16string(c->GetItem(k))).toStdString() << "|";
          out << "sel=" << c->GetCurSel() << "]";
        }
        out << " ";
      }
    }
    out << "\n";
  }
  return out.str();
}
