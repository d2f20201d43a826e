// Document/view in an MDI program: documents in document windows, command routing with its
// user-interface updates, the save question on close, saving and reopening through archives,
// the recent-file list in the settings store, the command line and printing.

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMetaObject>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtTest/QTest>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMessageBox>

#include "DocViewFixture.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CTestCmdUI.h"
#include "platform/win/Registry.h"
#include "platform/win/CMenu.h"
#include "platform/win/CRecentFileList.h"
#include "platform/win/SettingsStore.h"

namespace {

CString Text(CWnd* w) {
  CString s;
  w->GetWindowText(s);
  return s;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The state of the menu item with that command (searching the popups).
UINT StateOf(CMenu* pMenu, UINT nID) { return pMenu->GetMenuState(nID, MF_BYCOMMAND); }

}  // namespace

// ---- documents, windows and routing --------------------------------------------------------

TEST_F(DocViewTest, TwoDocumentsOpenInDocumentWindowsAndTheActiveOneGetsTheCommands) {
  CNumberDoc* first = static_cast<CNumberDoc*>(NewDocument());
  CNumberDoc* second = static_cast<CNumberDoc*>(NewDocument());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first, second);
  EXPECT_EQ(first->GetTitle(), CString(u"Numbers1"));
  EXPECT_EQ(second->GetTitle(), CString(u"Numbers2"));
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 2);

  const auto children = m_main->GetMDIChildren();
  ASSERT_EQ(children.size(), 2u);
  // The last one made is active; its title is in the main window's and its own.
  EXPECT_EQ(m_main->MDIGetActive(), children[1]);
  EXPECT_EQ(Text(children[1]), CString(u"Numbers2"));
  EXPECT_EQ(Text(m_main), CString(u"Numbers - Numbers2"));
  // The frames show the icons of their resources.
  EXPECT_FALSE(m_main->GetQWidget()->windowIcon().isNull());
  EXPECT_FALSE(children[1]->GetQWidget()->windowIcon().isNull());
  // Each window shows its document in a view that got its first update.
  auto* view2 = static_cast<CNumberView*>(children[1]->GetActiveView());
  ASSERT_NE(view2, nullptr);
  EXPECT_EQ(view2->GetDocument(), second);
  EXPECT_EQ(view2->m_nInitialUpdates, 1);
  EXPECT_EQ(view2->GetParentFrame(), children[1]);
  // Painting the window draws the view through OnDraw.
  const int drawsBefore = view2->m_nDraws;
  const QImage shot = view2->GetQWidget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // The text OnDraw wrote shows over the erased background.
  const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
  int inked = 0;
  for (int y = 0; y < std::min(40, shot.height()); ++y)
    for (int x = 0; x < std::min(120, shot.width()); ++x) inked += shot.pixel(x, y) != background;
  EXPECT_GT(inked, 0);
  EXPECT_GT(view2->m_nDraws, drawsBefore);
  // The view fills its window.
  CRect frameClient, viewRect;
  children[1]->GetClientRect(&frameClient);
  view2->GetClientRect(&viewRect);
  EXPECT_EQ(viewRect.Size(), frameClient.Size());
  EXPECT_GT(viewRect.Width(), 0);

  // A command reaches the active document only; its views hear of the change.
  const int updatesBefore = view2->m_nUpdates;
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  EXPECT_EQ(second->m_values.size(), 1u);
  EXPECT_TRUE(first->m_values.empty());
  EXPECT_TRUE(second->IsModified());
  EXPECT_GT(view2->m_nUpdates, updatesBefore);

  // Activating the other window moves the commands there.
  m_main->MDIActivate(children[0]);
  EXPECT_EQ(m_main->MDIGetActive(), children[0]);
  EXPECT_EQ(Text(m_main), CString(u"Numbers - Numbers1"));
  auto* c0 = static_cast<CNumberChild*>(children[0]);
  auto* c1 = static_cast<CNumberChild*>(children[1]);
  EXPECT_GE(c0->m_nActivated, 1);
  EXPECT_GE(c1->m_nDeactivated, 1);
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  EXPECT_EQ(first->m_values.size(), 1u);
  EXPECT_EQ(second->m_values.size(), 1u);

  // Cycling goes round in the order the windows were made.
  m_main->MDINext();
  EXPECT_EQ(m_main->MDIGetActive(), children[1]);
  m_main->MDINext();
  EXPECT_EQ(m_main->MDIGetActive(), children[0]);
  m_main->MDIPrev();
  EXPECT_EQ(m_main->MDIGetActive(), children[1]);

  // Tiling puts them side by side, without overlap.
  m_main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
  const QRect a = children[0]->GetQWidget()->parentWidget()->geometry();
  const QRect b = children[1]->GetQWidget()->parentWidget()->geometry();
  EXPECT_FALSE(a.intersects(b));
  EXPECT_EQ(a.top(), b.top());
  m_main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
  EXPECT_EQ(children[0]->GetQWidget()->parentWidget()->geometry().left(),
            children[1]->GetQWidget()->parentWidget()->geometry().left());
}

TEST_F(DocViewTest, CommandsRouteViewDocumentChildFrameMainFrameApplication) {
  NewDocument();
  struct Case {
    const char* taker;
    std::vector<std::string> stops;
  };
  const std::vector<std::string> all = {"view", "document", "child frame", "main frame", "application"};
  const Case cases[] = {
      {"", all},
      {"view", {"view"}},
      {"document", {"view", "document"}},
      {"child frame", {"view", "document", "child frame"}},
      {"main frame", {"view", "document", "child frame", "main frame"}},
      {"application", all},
  };
  for (const Case& c : cases) {
    Route() = RouteLog{};
    Route().taker = c.taker;
    m_main->SendMessage(WM_COMMAND, ID_ROUTE);
    EXPECT_EQ(Route().stops, c.stops) << "taken by '" << c.taker << "'";
  }
  // Updates travel the same way.
  Route() = RouteLog{};
  CTestCmdUI ui;
  ui.m_nID = ID_ROUTE_LAST;
  m_main->OnCmdMsg(ID_ROUTE_LAST, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui, nullptr);
  EXPECT_EQ(Route().stops, all);
}

TEST_F(DocViewTest, MenuItemsFollowTheActiveDocumentOnIdleAndWhenAPopupOpens) {
  CNumberDoc* first = static_cast<CNumberDoc*>(NewDocument());
  ASSERT_NE(first, nullptr);
  // The document's menu replaced the main window's own.
  CMenu* menu = m_main->GetMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetSafeHmenu(), m_template->m_hMenuShared);

  first->m_bLocked = TRUE;
  m_app->OnIdle(0);  // the loop's first idle pass
  EXPECT_TRUE(StateOf(menu, ID_NUM_ADD) & MF_GRAYED);
  EXPECT_FALSE(StateOf(menu, ID_NUM_SHOWN) & MF_CHECKED);
  EXPECT_TRUE(StateOf(menu, ID_NUM_ORPHAN) & MF_GRAYED);  // nobody handles it
  // A disabled command does not run, even when sent.
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  EXPECT_TRUE(first->m_values.empty());

  first->m_bLocked = FALSE;
  first->m_values = {7};
  CMenu* numbers = menu->GetSubMenu(1);
  ASSERT_NE(numbers, nullptr);
  m_main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(numbers->GetSafeHmenu()), 1);
  EXPECT_FALSE(StateOf(menu, ID_NUM_ADD) & MF_GRAYED);
  EXPECT_TRUE(StateOf(menu, ID_NUM_SHOWN) & MF_CHECKED);

  // The document's keys run its commands through the main window.
  MSG msg{};
  POSITION viewPos = first->GetFirstViewPosition();
  msg.hwnd = first->GetNextView(viewPos)->GetSafeHwnd();
  msg.message = WM_KEYDOWN;
  msg.wParam = 'D';
  AfxNoteKeyState(VK_CONTROL, true);
  EXPECT_TRUE(m_main->PreTranslateMessage(&msg));
  AfxNoteKeyState(VK_CONTROL, false);
  EXPECT_EQ(first->m_values.size(), 2u);

  // Closing the last document gives the main window its own menu back.
  first->OnCloseDocument();
  Pump();
  EXPECT_EQ(m_main->MDIGetActive(), nullptr);
  ASSERT_NE(m_main->GetMenu(), nullptr);
  EXPECT_EQ(m_main->GetMenu()->GetSafeHmenu(), m_main->m_hMenuDefault);
  EXPECT_EQ(Text(m_main), CString(u"Numbers"));
}

TEST_F(DocViewTest, StatusTextOfACommandGoesToTheStatusBar) {
  CWnd* bar = new CWnd;
  ASSERT_TRUE(bar->Create(nullptr, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), m_main, AFX_IDW_STATUS_BAR));
  NewDocument();
  m_main->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_NUM_ADD, MF_STRING), 1);
  EXPECT_EQ(Text(bar), CString(u"Adds a number to the list"));
  EXPECT_EQ(m_main->GetLastMessageID(), ID_NUM_ADD);
  // A document window's texts go to the same bar.
  m_main->MDIGetActive()->SendMessage(WM_SETMESSAGESTRING, ID_NUM_SHOWN);
  EXPECT_EQ(Text(bar), CString(u"Shows whether the list has numbers"));
  // The menu closing brings the idle text back.
  m_main->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Text(bar), CString(u"Ready"));
  m_main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(u"plain text"));
  EXPECT_EQ(Text(bar), CString(u"plain text"));
  bar->DestroyWindow();
  delete bar;
}

// ---- closing asks to save ------------------------------------------------------------------

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  CMDIChildWnd* child = m_main->MDIGetActive();
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);

  QString asked;
  AnswerNextBox(QMessageBox::Cancel, &asked);
  child->SendMessage(WM_CLOSE);
  EXPECT_EQ(asked, QStringLiteral("Save changes to Numbers1?"));
  ASSERT_EQ(m_main->GetMDIChildren().size(), 1u);
  EXPECT_EQ(CNumberDoc::s_live, 1);

  AnswerNextBox(QMessageBox::No);
  child->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_TRUE(m_main->GetMDIChildren().empty());
  EXPECT_EQ(CNumberDoc::s_live, 0);
  EXPECT_EQ(CNumberView::s_live, 0);
  (void)doc;
}

TEST_F(DocViewTest, ClosingWithYesSavesToTheDocumentsFile) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  const QString path = Path("kept.num");
  ASSERT_TRUE(doc->DoSave(C(path)));
  EXPECT_EQ(doc->GetTitle(), CString(u"kept.num"));
  EXPECT_EQ(Text(m_main), CString(u"Numbers - kept.num"));
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);

  QString asked;
  AnswerNextBox(QMessageBox::Yes, &asked);
  m_main->MDIGetActive()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(asked, QStringLiteral("Save changes to %1?").arg(QFileInfo(path).absoluteFilePath()));
  EXPECT_EQ(CNumberDoc::s_live, 0);

  auto* reopened = static_cast<CNumberDoc*>(AfxOpenDocumentFile(C(path)));
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->m_values, (std::vector<int>{1, 2}));
  EXPECT_FALSE(reopened->IsModified());
}

TEST_F(DocViewTest, ClosingTheMainWindowAsksEveryModifiedDocument) {
  NewDocument();
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  NewDocument();
  NewDocument();
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  // Cancel on the first question keeps everything.
  AnswerNextBox(QMessageBox::Cancel);
  m_main->SendMessage(WM_CLOSE);
  ASSERT_NE(m_app->m_pMainWnd, nullptr);
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 3);

  // No, No: both modified documents are asked about, the unmodified one is not.
  QString first, second;
  AnswerNextBox(QMessageBox::No, &first);
  QTimer::singleShot(0, [&second] { AnswerNextBox(QMessageBox::No, &second); });
  m_main->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(first, QStringLiteral("Save changes to Numbers1?"));
  EXPECT_EQ(second, QStringLiteral("Save changes to Numbers3?"));
  EXPECT_EQ(m_app->m_pMainWnd, nullptr);
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 0);
  m_main = nullptr;
}

// ---- saving and opening --------------------------------------------------------------------

TEST_F(DocViewTest, SaveAndReopenThroughTheArchiveAndAnOpenFileIsActivatedNotOpenedTwice) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  doc->m_values = {3, 1, 4, 1, 5};
  const QString path = Path("pi.num");
  ASSERT_TRUE(doc->OnSaveDocument(C(path)));
  EXPECT_EQ(ReadAll(path).size(), 4 + 5 * 4);

  auto* same = AfxOpenDocumentFile(C(path));
  EXPECT_NE(same, doc);  // the unsaved-as document has no path yet
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(static_cast<CNumberDoc*>(same)->m_values, doc->m_values);
  // Opening it again brings its window forward.
  m_main->MDIActivate(m_main->GetMDIChildren()[0]);
  EXPECT_EQ(AfxOpenDocumentFile(C(path)), same);
  EXPECT_EQ(m_main->MDIGetActive()->GetActiveDocument(), same);
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 2);
}

TEST_F(DocViewTest, TemplatesTakeTheirOwnExtensionFirstAndKnowTheirOpenDocuments) {
  CString s;
  ASSERT_TRUE(m_template->GetDocString(s, CDocTemplate::filterName));
  EXPECT_EQ(s, CString(u"Number files (*.num)"));
  ASSERT_TRUE(m_template->GetDocString(s, CDocTemplate::regFileTypeName));
  EXPECT_EQ(s, CString(u"Number list"));
  EXPECT_TRUE(m_template->GetDocString(s, CDocTemplate::windowTitle));
  EXPECT_TRUE(s.IsEmpty());

  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  const QString path = Path("open.num");
  ASSERT_TRUE(doc->DoSave(C(path)));
  struct Case {
    CString path;
    CDocTemplate::Confidence expected;
  };
  const Case cases[] = {
      {C(QFileInfo(path).absoluteFilePath()), CDocTemplate::yesAlreadyOpen},
      {C(Path("other.num")), CDocTemplate::yesAttemptNative},
      {C(Path("SHOUT.NUM")), CDocTemplate::yesAttemptNative},
      {C(Path("plain.txt")), CDocTemplate::yesAttemptForeign},
      {C(Path("num")), CDocTemplate::yesAttemptForeign},
  };
  for (const Case& c : cases) {
    CDocument* match = nullptr;
    EXPECT_EQ(m_template->MatchDocType(c.path, match), c.expected) << c.path;
    EXPECT_EQ(match, c.expected == CDocTemplate::yesAlreadyOpen ? doc : nullptr) << c.path;
  }
}

TEST_F(DocViewTest, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  doc->m_values = {1, 2, 3};
  const QString path = Path("safe.num");
  ASSERT_TRUE(doc->DoSave(C(path)));
  const QByteArray before = ReadAll(path);
  doc->m_values = {9, 9, 9, 9, 9, 9};
  doc->SetModifiedFlag();
  doc->m_nFailAfter = 4;
  QString message;
  AnswerNextBox(QMessageBox::Ok, &message);
  EXPECT_FALSE(doc->DoFileSave());
  EXPECT_FALSE(message.isEmpty());
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("safe.num")});
}

TEST_F(DocViewTest, SavingThroughALinkReplacesTheFileItLeadsTo) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  const QString real = Path("real.num");
  const QString link = Path("link.num");
  doc->m_values = {1};
  ASSERT_TRUE(doc->OnSaveDocument(C(real)));
  ASSERT_TRUE(QFile::link(real, link));
  doc->m_values = {1, 2, 3};
  ASSERT_TRUE(doc->DoSave(C(link)));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadAll(real).size(), 4 + 3 * 4);
}

TEST_F(DocViewTest, ADamagedOrMissingFileIsRefusedWithAMessageAndNoWindow) {
  const QString damaged = Path("damaged.num");
  {
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xff\xff\xff\x7f\x01\x00", 6));  // a huge count, then nothing
  }
  const QString missing = Path("missing.num");
  for (const QString& path : {damaged, missing}) {
    QString message;
    AnswerNextBox(QMessageBox::Ok, &message);
    EXPECT_EQ(AfxOpenDocumentFile(C(path)), nullptr);
    Pump();
    EXPECT_FALSE(message.isEmpty()) << path.toStdString();
    EXPECT_TRUE(m_main->GetMDIChildren().empty());
    EXPECT_EQ(CNumberDoc::s_live, 0);
  }
}

TEST_F(DocViewTest, SaveAsAsksForANameWithTheTemplatesExtension) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  doc->m_values = {42};
  const QString target = Path("chosen.num");
  QString proposed;
  OnNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    proposed = dialog->selectedFiles().value(0);
    dialog->selectFile(target);
    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
  });
  EXPECT_TRUE(doc->DoFileSave());
  EXPECT_EQ(QFileInfo(proposed).fileName(), QStringLiteral("Numbers1.num"));
  EXPECT_EQ(doc->GetPathName().ToQString(), QFileInfo(target).absoluteFilePath());
  EXPECT_TRUE(QFileInfo::exists(target));
}

// ---- the recent-file list ------------------------------------------------------------------

TEST_F(DocViewTest, RecentFilesAreKeptNewestFirstAndSurviveARestartOfTheStore) {
  AfxLoadStdProfileSettings(4);
  std::vector<QString> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(Path(QStringLiteral("f%1.num").arg(i).toLatin1().constData()));
    CNumberDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.m_values = {i};
    ASSERT_TRUE(doc.OnSaveDocument(C(paths.back())));
  }
  for (const QString& p : paths) AfxAddToRecentFileList(C(p));
  AfxAddToRecentFileList(C(paths[2]));  // again: moves to the front

  // The store's file as another process would read it.
  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  const std::u16string key = u"Software\\KcDocViewTest\\Numbers\\Recent File List";
  const int expected[] = {2, 4, 3, 1};
  for (int i = 0; i < 4; ++i) {
    DWORD type = 0;
    std::vector<BYTE> data;
    const std::u16string name = u"File" + std::u16string(1, static_cast<char16_t>(u'1' + i));
    ASSERT_EQ(fresh.GetValue(key, name, &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const QString value = QString::fromUtf16(reinterpret_cast<const char16_t*>(data.data()));
    EXPECT_EQ(value, QFileInfo(paths[static_cast<size_t>(expected[i])]).absoluteFilePath());
  }
  std::vector<BYTE> none;
  EXPECT_NE(fresh.GetValue(key, u"File5", nullptr, &none), ERROR_SUCCESS);

  // A new program run reads the same list.
  AfxSetDocManager(new CDocManager);
  AfxLoadStdProfileSettings(4);
  CRecentFileList* list = AfxGetDocManager()->GetRecentFileList();
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ((*list)[i].ToQString(), QFileInfo(paths[static_cast<size_t>(expected[i])]).absoluteFilePath());
  AfxAddDocTemplate(new CMultiDocTemplate(IDR_NUMBERTYPE, RUNTIME_CLASS(CNumberDoc), RUNTIME_CLASS(CNumberChild),
                                          RUNTIME_CLASS(CNumberView)));

  // The File menu lists them; choosing one opens it; a vanished one leaves the list.
  CMenu fileMenu;
  ASSERT_TRUE(fileMenu.CreatePopupMenu());
  fileMenu.AppendMenu(MF_STRING, ID_FILE_OPEN, u"Open");
  fileMenu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, u"Recent File");
  fileMenu.AppendMenu(MF_STRING, ID_APP_EXIT, u"Exit");
  m_main->UpdateMenuCmdUI(&fileMenu, FALSE);
  ASSERT_EQ(fileMenu.GetMenuItemCount(), 6u);
  CString item;
  fileMenu.GetMenuString(1, item, MF_BYPOSITION);
  EXPECT_EQ(item.Left(3), CString(u"&1 "));
  EXPECT_EQ(item.Right(6), CString(u"f2.num"));
  EXPECT_EQ(fileMenu.GetMenuItemID(5), static_cast<UINT>(ID_APP_EXIT));

  m_main->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1);
  CMDIChildWnd* child = m_main->MDIGetActive();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(static_cast<CNumberDoc*>(child->GetActiveDocument())->m_values, (std::vector<int>{4}));

  QFile::remove(paths[3]);
  AnswerNextBox(QMessageBox::Ok);
  m_main->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 2);
  Pump();
  EXPECT_EQ((*list)[0].ToQString(), QFileInfo(paths[4]).absoluteFilePath());  // the opened one moved up
  for (int i = 0; i < list->GetSize(); ++i)
    EXPECT_NE((*list)[i].ToQString(), QFileInfo(paths[3]).absoluteFilePath());
}

// ---- the command line ----------------------------------------------------------------------

TEST(CommandLineTest, ParsesTheShellCommandsAndSwitches) {
  struct Case {
    std::vector<std::u16string> args;
    int command;
    const char16_t* file;
    bool embedded;
    bool automated;
    bool splash;
  };
  const Case cases[] = {
      {{}, CCommandLineInfo::FileNew, u"", false, false, true},
      {{u"/tmp/a drawing.num"}, CCommandLineInfo::FileOpen, u"/tmp/a drawing.num", false, false, true},
      {{u"/p", u"b.num"}, CCommandLineInfo::FilePrint, u"b.num", false, false, true},
      {{u"-pt", u"c.num", u"Office", u"drv", u"port"}, CCommandLineInfo::FilePrintTo, u"c.num", false, false, true},
      {{u"/dde"}, CCommandLineInfo::FileDDE, u"", false, false, true},
      {{u"/Embedding"}, CCommandLineInfo::FileNothing, u"", true, false, false},
      {{u"-Automation"}, CCommandLineInfo::FileNothing, u"", false, true, false},
      {{u"/Regserver"}, CCommandLineInfo::AppRegister, u"", false, false, true},
      {{u"/UNREGISTER"}, CCommandLineInfo::AppUnregister, u"", false, false, true},
      {{u"/nologo", u"d.num"}, CCommandLineInfo::FileOpen, u"d.num", false, false, false},
  };
  for (const Case& c : cases) {
    std::vector<LPCTSTR> argv;
    for (const auto& a : c.args) argv.push_back(a.c_str());
    CCommandLineInfo info;
    info.ParseArguments(static_cast<int>(argv.size()), argv.data());
    const std::string label = c.args.empty() ? std::string("(none)") : QString::fromStdU16String(c.args[0]).toStdString();
    EXPECT_EQ(info.m_nShellCommand, c.command) << label;
    EXPECT_EQ(info.m_strFileName, CString(c.file)) << label;
    EXPECT_EQ(info.m_bRunEmbedded, c.embedded ? TRUE : FALSE) << label;
    EXPECT_EQ(info.m_bRunAutomated, c.automated ? TRUE : FALSE) << label;
    EXPECT_EQ(info.m_bShowSplash, c.splash ? TRUE : FALSE) << label;
  }
  std::vector<LPCTSTR> printTo = {u"/pt", u"c.num", u"Office", u"drv", u"port"};
  CCommandLineInfo info;
  info.ParseArguments(5, printTo.data());
  EXPECT_EQ(info.m_strPrinterName, CString(u"Office"));
  EXPECT_EQ(info.m_strDriverName, CString(u"drv"));
  EXPECT_EQ(info.m_strPortName, CString(u"port"));
}

TEST_F(DocViewTest, ShellCommandsOpenOrMakeADocumentAndPrintingEnds) {
  CCommandLineInfo newInfo;
  EXPECT_TRUE(AfxProcessShellCommand(newInfo));
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 1);

  CNumberDoc saved;
  saved.m_bAutoDelete = FALSE;
  saved.m_values = {5, 6};
  const QString path = Path("shell.num");
  ASSERT_TRUE(saved.OnSaveDocument(C(path)));
  CCommandLineInfo openInfo;
  const std::u16string p = path.toStdU16String();
  LPCTSTR args[] = {p.c_str()};
  openInfo.ParseArguments(1, args);
  EXPECT_TRUE(AfxProcessShellCommand(openInfo));
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 2);
  EXPECT_EQ(static_cast<CNumberDoc*>(m_main->MDIGetActive()->GetActiveDocument())->m_values, saved.m_values);

  // Printing writes the pages and ends the run without leaving the document open.
  const QString pdf = Path("printed.pdf");
  AfxSetPrintToFile(C(pdf));
  const std::u16string pf = Path("print.num").toStdU16String();
  ASSERT_TRUE(saved.OnSaveDocument(pf.c_str()));
  LPCTSTR printArgs[] = {u"/p", pf.c_str()};
  CCommandLineInfo printInfo;
  printInfo.ParseArguments(2, printArgs);
  EXPECT_FALSE(AfxProcessShellCommand(printInfo));
  Pump();
  AfxSetPrintToFile(nullptr);
  EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), 2);
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF"));
}

TEST_F(DocViewTest, PrintingRunsTheHooksOverEveryPage) {
  NewDocument();
  auto* view = static_cast<CNumberView*>(m_main->MDIGetActive()->GetActiveView());
  view->m_nPages = 3;
  const QString pdf = Path("pages.pdf");
  AfxSetPrintToFile(C(pdf));
  m_main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  AfxSetPrintToFile(nullptr);
  EXPECT_EQ(view->m_printSteps,
            (std::vector<std::string>{"prepare", "begin", "page 1", "page 2", "page 3", "end"}));
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF"));
}

// ---- more windows on one document ----------------------------------------------------------

TEST_F(DocViewTest, ASecondWindowOnADocumentIsNumberedAndOnlyTheLastOneAsks) {
  CNumberDoc* doc = static_cast<CNumberDoc*>(NewDocument());
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  m_main->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
  const auto children = m_main->GetMDIChildren();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[1]->GetActiveDocument(), doc);
  EXPECT_EQ(Text(children[0]), CString(u"Numbers1:1"));
  EXPECT_EQ(Text(children[1]), CString(u"Numbers1:2"));
  EXPECT_EQ(Text(m_main), CString(u"Numbers - Numbers1:2"));
  // A change shows in both views.
  auto* v0 = static_cast<CNumberView*>(children[0]->GetActiveView());
  const int before = v0->m_nUpdates;
  m_main->SendMessage(WM_COMMAND, ID_NUM_ADD);
  EXPECT_GT(v0->m_nUpdates, before);

  // The first window goes without a question; the document stays.
  children[1]->SendMessage(WM_CLOSE);
  Pump();
  ASSERT_EQ(m_main->GetMDIChildren().size(), 1u);
  EXPECT_EQ(CNumberDoc::s_live, 1);
  EXPECT_EQ(Text(children[0]), CString(u"Numbers1"));
  EXPECT_EQ(m_main->MDIGetActive(), children[0]);
  // File Close on the document asks, and No closes it.
  AnswerNextBox(QMessageBox::No);
  m_main->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  Pump();
  EXPECT_TRUE(m_main->GetMDIChildren().empty());
  EXPECT_EQ(CNumberDoc::s_live, 0);
}

// ---- what the user does with the mouse and keys --------------------------------------------

TEST_F(DocViewTest, ClickingAWindowActivatesItTheCloseBoxAsksAndKeysRunCommands) {
  CNumberDoc* first = static_cast<CNumberDoc*>(NewDocument());
  CNumberDoc* second = static_cast<CNumberDoc*>(NewDocument());
  const auto children = m_main->GetMDIChildren();
  ASSERT_EQ(children.size(), 2u);
  QMdiArea* area = m_main->GetMdiArea();
  ASSERT_NE(area, nullptr);
  auto* sub0 = qobject_cast<QMdiSubWindow*>(children[0]->GetQWidget()->parentWidget());
  ASSERT_NE(sub0, nullptr);

  // The area activating a window (a click on it) makes it the active document window.
  area->setActiveSubWindow(sub0);
  EXPECT_EQ(m_main->MDIGetActive(), children[0]);
  EXPECT_EQ(Text(m_main), CString(u"Numbers - Numbers1"));

  // Ctrl+D typed in the view runs the document's command through the main window's keys.
  m_main->GetQWidget()->activateWindow();
  QWidget* view = children[0]->GetActiveView()->GetQWidget();
  QTest::keyClick(view, Qt::Key_D, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(first->m_values.size(), 1u);
  EXPECT_TRUE(second->m_values.empty());

  // The window's close box asks about the modified document.
  QString asked;
  AnswerNextBox(QMessageBox::No, &asked);
  sub0->close();
  Pump();
  EXPECT_EQ(asked, QStringLiteral("Save changes to Numbers1?"));
  ASSERT_EQ(m_main->GetMDIChildren().size(), 1u);
  EXPECT_EQ(m_main->MDIGetActive(), children[1]);
  EXPECT_EQ(CNumberDoc::s_live, 1);
}
