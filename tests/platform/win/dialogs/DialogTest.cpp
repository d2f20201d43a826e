// Dialogs made from templates and driven offscreen through keys and messages: the modal
// loop and its results, the keyboard interface, data exchange with refusals that leave the
// focus on the control, templates read from a language library and laid out with two fonts.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>

#include "TestApp.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDialog.h"
#include "platform/win/DialogTemplate.h"

namespace {

const char* const kExchangeTemplate = R"(# a dialog of every exchanged kind
DIALOG 0 0 200 120
STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
CAPTION "Exchange"
FONT 9 "DejaVu Sans"
CONTROL STATIC -1 "&Number:" 5 5 40 10
CONTROL EDIT 101 "" 50 5 60 12 WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
CONTROL EDIT 102 "" 50 20 60 12 WS_BORDER | WS_TABSTOP
CONTROL BUTTON 103 "&Visible" 5 35 80 10 BS_AUTOCHECKBOX | WS_TABSTOP
CONTROL BUTTON 104 "&Left" 5 50 60 10 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
CONTROL BUTTON 105 "&Centre" 5 60 60 10 BS_AUTORADIOBUTTON
CONTROL BUTTON 106 "&Right" 5 70 60 10 BS_AUTORADIOBUTTON
CONTROL COMBOBOX 107 "" 100 50 80 60 CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP
CONTROL EDIT 108 "" 100 70 80 12 WS_BORDER | WS_TABSTOP
CONTROL BUTTON IDOK "OK" 40 100 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
CONTROL BUTTON IDCANCEL "Cancel" 100 100 50 14 WS_TABSTOP
)";

DialogTemplate Parsed(const char* text) {
  DialogTemplate t;
  CString why;
  EXPECT_TRUE(t.Parse(CString::FromQString(QString::fromUtf8(text)), &why)) << why.ToQString().toStdString();
  return t;
}

class CExchangeDlg : public CDialog {
public:
  int m_count = 7;
  double m_scale = 2.5;
  int m_visible = 1;
  int m_align = 2;
  int m_kind = 1;
  CString m_name = CString(u"abc");
  std::function<void(CExchangeDlg&)> onInit;

  BOOL OnInitDialog() override {
    auto* combo = GetDlgItem(107);
    for (const char16_t* s : {u"lines", u"arcs", u"texts"}) combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    const BOOL r = CDialog::OnInitDialog();
    if (onInit) onInit(*this);
    return r;
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 101, m_count);
    DDV_MinMaxInt(pDX, m_count, 0, 100);
    DDX_Text(pDX, 102, m_scale);
    DDX_Check(pDX, 103, m_visible);
    DDX_Radio(pDX, 104, m_align);
    DDX_CBIndex(pDX, 107, m_kind);
    DDX_Text(pDX, 108, m_name);
    DDV_MaxChars(pDX, m_name, 5);
  }

  CString Text(int id) {
    CString s;
    GetDlgItemText(id, s);
    return s;
  }
  void SetText(int id, const char16_t* s) { SetDlgItemText(id, s); }
  int Focused() {
    CWnd* f = CWnd::GetFocus();
    return f ? f->GetDlgCtrlID() : 0;
  }
};

std::string S(const CString& s) { return s.ToQString().toStdString(); }

// Shows a modeless dialog and makes it the active window, so that focus works.
void ShowActive(CDialog& dlg) {
  dlg.ShowWindow(SW_SHOW);
  dlg.SetActiveWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.GetQWidget()));
}

void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = QApplication::focusWidget();
  ASSERT_NE(w, nullptr);
  QTest::keyClick(w, key, mods);
}

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    TheTestApp().prompts.clear();
    TheTestApp().types.clear();
  }
};

// ---- templates -----------------------------------------------------------------------------

TEST_F(DialogTest, TemplateReadsEveryField) {
  const DialogTemplate t = Parsed(kExchangeTemplate);
  EXPECT_EQ(t.cx, 200);
  EXPECT_EQ(t.cy, 120);
  EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
  EXPECT_EQ(S(t.caption), "Exchange");
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(S(t.faceName), "DejaVu Sans");
  ASSERT_EQ(t.items.size(), 11u);
  EXPECT_EQ(t.items[0].id, -1);
  EXPECT_EQ(S(t.items[0].className), "STATIC");
  EXPECT_EQ(t.items[1].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
  EXPECT_EQ(t.items[9].id, IDOK);
  EXPECT_EQ(t.items[9].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));

  DialogTemplate u = Parsed("DIALOG 1 2 3 4\nCAPTION @5000\nCONTROL edit 7 \"a \\\"b\\\"\\\\\" 1 1 2 2 NOT WS_VISIBLE | 0x10 EX WS_EX_CLIENTEDGE\n");
  EXPECT_EQ(u.captionId, 5000u);
  ASSERT_EQ(u.items.size(), 1u);
  EXPECT_EQ(S(u.items[0].className), "EDIT");
  EXPECT_EQ(S(u.items[0].text), "a \"b\"\\");
  EXPECT_EQ(u.items[0].style, static_cast<DWORD>(WS_CHILD | 0x10));
  EXPECT_EQ(u.items[0].exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
}

TEST_F(DialogTest, DamagedTemplatesAreRefusedWithTheirLine) {
  struct Case {
    const char* text;
    const char* says;
  } cases[] = {
      {"", "no DIALOG"},
      {"CONTROL EDIT 1 \"\" 0 0 1 1\n", "line 1: the first line must be DIALOG"},
      {"DIALOG 0 0 10\n", "line 1: height"},
      {"DIALOG 0 0 10 99999\n", "line 1: height"},
      {"DIALOG 0 0 10 10\nSTYLE WS_POPUP | WS_NOSUCH\n", "line 2: unknown style WS_NOSUCH"},
      {"DIALOG 0 0 10 10\nSTYLE WS_POPUP WS_CAPTION\n", "joined by '|'"},
      {"DIALOG 0 0 10 10\nSTYLE WS_POPUP |\n", "'|' at the end"},
      {"DIALOG 0 0 10 10\nCAPTION \"open\n", "closing quote"},
      {"DIALOG 0 0 10 10\nCAPTION \"bad \\q\"\n", "unknown escape"},
      {"DIALOG 0 0 10 10\n\nCONTROL WIDGET 1 \"\" 0 0 1 1\n", "line 3: unknown control class WIDGET"},
      {"DIALOG 0 0 10 10\nCONTROL EDIT 70000 \"\" 0 0 1 1\n", "control id"},
      {"DIALOG 0 0 10 10\nCONTROL EDIT 1 \"\" 0 0 1 1 EX\n", "EX without"},
      {"DIALOG 0 0 10 10\nFONT 9\n", "face name"},
      {"DIALOG 0 0 10 10\nDIALOG 0 0 10 10\n", "twice"},
      {"DIALOG 0 0 10 10 11\n", "more than DIALOG"},
      {"DIALOG 0 0 10 10\nMENU 5\n", "unknown keyword MENU"},
  };
  for (const Case& c : cases) {
    DialogTemplate t;
    t.cx = 77;
    CString why;
    EXPECT_FALSE(t.Parse(CString::FromQString(QString::fromUtf8(c.text)), &why)) << c.text;
    EXPECT_NE(S(why).find(c.says), std::string::npos) << c.text << " -> " << S(why);
    EXPECT_EQ(t.cx, 77) << "a refused template leaves the object unchanged";
  }
  // More controls than allowed.
  QByteArray many = "DIALOG 0 0 10 10\n";
  for (size_t i = 0; i <= DialogTemplate::kMaxItems; ++i) many += "CONTROL STATIC -1 \"\" 0 0 1 1\n";
  DialogTemplate t;
  CString why;
  EXPECT_FALSE(t.Parse(reinterpret_cast<const BYTE*>(many.constData()), static_cast<size_t>(many.size()), &why));
  EXPECT_NE(S(why).find("more than"), std::string::npos);
}

// ---- modal loop ----------------------------------------------------------------------------

class CTimerDlg : public CDialog {
public:
  int ticks = 0;
  int endWith = 42;
  BOOL OnInitDialog() override {
    SetTimer(7, 10, nullptr);
    return CDialog::OnInitDialog();
  }
  afx_msg void OnTimer(UINT_PTR id) {
    if (id != 7) return;
    if (++ticks == 3) EndDialog(endWith);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTimerDlg, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(DialogTest, ModalLoopRunsUntilEndDialogFromATimer) {
  CTimerDlg dlg;
  dlg.InitModalIndirect(Parsed("DIALOG 0 0 100 50\nCAPTION \"Wait\"\nCONTROL BUTTON IDOK \"OK\" 10 10 40 14\n"));
  EXPECT_EQ(dlg.DoModal(), 42);
  EXPECT_EQ(dlg.ticks, 3) << "the timer kept running inside the modal loop";
  EXPECT_EQ(dlg.GetSafeHwnd(), nullptr) << "the window is gone once DoModal returns";
  // The same object runs again.
  dlg.ticks = 0;
  dlg.endWith = IDCANCEL;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, EndDialogDuringInitialisationNeverShowsTheDialog) {
  CExchangeDlg dlg;
  bool shown = false;
  dlg.onInit = [&](CExchangeDlg& d) {
    shown = d.IsWindowVisible();
    d.EndDialog(5);
  };
  dlg.InitModalIndirect(Parsed(kExchangeTemplate));
  EXPECT_EQ(dlg.DoModal(), 5);
  EXPECT_FALSE(shown);
}

TEST_F(DialogTest, MissingTemplateFailsDoModal) {
  CDialog dlg(31999);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_NE(S(dlg.GetCreateError()).find("31999"), std::string::npos);
}

TEST_F(DialogTest, ReturnAndEscapeEndTheModalDialog) {
  struct Case {
    Qt::Key key;
    INT_PTR result;
  } cases[] = {{Qt::Key_Return, IDOK}, {Qt::Key_Escape, IDCANCEL}};
  for (const Case& c : cases) {
    CExchangeDlg dlg;
    dlg.InitModalIndirect(Parsed(kExchangeTemplate));
    WhenActive(dlg, [&] {
      dlg.SetText(101, u"12");
      Key(c.key);
    });
    EXPECT_EQ(dlg.DoModal(), c.result);
    EXPECT_EQ(dlg.m_count, c.result == IDOK ? 12 : 7) << "only OK saves the controls";
  }
}

TEST_F(DialogTest, ReturnWithABadNumberKeepsTheDialogOpenOnTheField) {
  CExchangeDlg dlg;
  dlg.InitModalIndirect(Parsed(kExchangeTemplate));
  int focusAfterRefusal = 0;
  DWORD selAfterRefusal = 0;
  WhenActive(dlg, [&] {
    dlg.SetText(102, u"1.5e");
    dlg.GotoDlgCtrl(dlg.GetDlgItem(108));
    Key(Qt::Key_Return);
    focusAfterRefusal = dlg.Focused();
    selAfterRefusal = static_cast<DWORD>(dlg.GetDlgItem(102)->SendMessage(EM_GETSEL));
    WhenActive(dlg, [&] {
      dlg.SetText(102, u"1.5e2");
      Key(Qt::Key_Return);
    });
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(focusAfterRefusal, 102);
  EXPECT_EQ(selAfterRefusal, static_cast<DWORD>(MAKELONG(0, 4))) << "the refused text is selected";
  ASSERT_EQ(TheTestApp().prompts.size(), 1u);
  EXPECT_EQ(S(TheTestApp().prompts[0]), S(AfxDataExchangePrompt(AFX_IDP_PARSE_REAL)));
  EXPECT_DOUBLE_EQ(dlg.m_scale, 150.0);
}

TEST_F(DialogTest, CloseBoxCancels) {
  CExchangeDlg dlg;
  dlg.InitModalIndirect(Parsed(kExchangeTemplate));
  QTimer::singleShot(30, [&] { dlg.GetQWidget()->close(); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// ---- data exchange -------------------------------------------------------------------------

class ExchangeTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(dlg.CreateIndirect(Parsed(kExchangeTemplate)));
    ShowActive(dlg);
  }
  void TearDown() override { dlg.DestroyWindow(); }
  CExchangeDlg dlg;
};

TEST_F(ExchangeTest, LoadAndSaveEveryKind) {
  EXPECT_EQ(S(dlg.Text(101)), "7");
  EXPECT_EQ(S(dlg.Text(102)), "2.5");
  EXPECT_EQ(dlg.IsDlgButtonChecked(103), 1u);
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 106);
  EXPECT_EQ(dlg.GetDlgItem(107)->SendMessage(CB_GETCURSEL), 1);
  EXPECT_EQ(S(dlg.Text(108)), "abc");
  EXPECT_EQ(dlg.GetDlgItem(108)->SendMessage(EM_GETLIMITTEXT), 5) << "DDV_MaxChars limits the edit on loading";

  dlg.SetText(101, u" 42 ");
  dlg.SetText(102, u"-0.125");
  dlg.CheckDlgButton(103, BST_UNCHECKED);
  dlg.GetDlgItem(104)->SendMessage(BM_CLICK);
  dlg.GetDlgItem(107)->SendMessage(CB_SETCURSEL, 2);
  dlg.SetText(108, u"xyz");
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_count, 42);
  EXPECT_DOUBLE_EQ(dlg.m_scale, -0.125);
  EXPECT_EQ(dlg.m_visible, 0);
  EXPECT_EQ(dlg.m_align, 0);
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 104) << "an automatic radio button unchecks its group";
  EXPECT_EQ(dlg.m_kind, 2);
  EXPECT_EQ(S(dlg.m_name), "xyz");
  EXPECT_TRUE(TheTestApp().prompts.empty());

  dlg.m_scale = 1.0 / 3.0;
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(S(dlg.Text(102)), "0.333333333333333");
}

TEST_F(ExchangeTest, RefusalsStopTheExchangeOnTheirControl) {
  struct Case {
    int id;
    const char16_t* text;
    int focus;
    CString prompt;
  } cases[] = {
      {101, u"4x2", 101, AfxDataExchangePrompt(AFX_IDP_PARSE_INT)},
      {101, u"", 101, AfxDataExchangePrompt(AFX_IDP_PARSE_INT)},
      {101, u"99999999999", 101, AfxDataExchangePrompt(AFX_IDP_PARSE_INT)},
      {101, u"101", 101, AfxDataExchangePrompt(AFX_IDP_PARSE_INT_RANGE, CString(u"0"), CString(u"100"))},
      {102, u"nan", 102, AfxDataExchangePrompt(AFX_IDP_PARSE_REAL)},
      {108, u"toolong", 108, AfxDataExchangePrompt(AFX_IDP_PARSE_STRING_SIZE, CString(u"5"))},
  };
  for (const Case& c : cases) {
    dlg.UpdateData(FALSE);
    // Typed past the limit that loading set, as pasted text can be.
    dlg.GetDlgItem(108)->SendMessage(EM_LIMITTEXT, 100);
    dlg.SetText(c.id, c.text);
    dlg.GotoDlgCtrl(dlg.GetDlgItem(103));
    TheTestApp().prompts.clear();
    dlg.m_name = CString(u"kept");
    EXPECT_FALSE(dlg.UpdateData(TRUE)) << S(CString(c.text));
    EXPECT_EQ(dlg.Focused(), c.focus) << S(CString(c.text));
    ASSERT_EQ(TheTestApp().prompts.size(), 1u);
    EXPECT_EQ(S(TheTestApp().prompts[0]), S(c.prompt));
    EXPECT_EQ(TheTestApp().types[0], static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    if (c.id != 108) EXPECT_EQ(S(dlg.m_name), "kept") << "fields after the refused one are not read";
    dlg.m_count = 7;
    dlg.m_scale = 2.5;
    dlg.m_name = CString(u"abc");
  }
}

TEST_F(ExchangeTest, PromptsComeFromTheLanguageLibraryWhenItHasThem) {
  AfxSetProgramString(AFX_IDP_PARSE_INT_RANGE, u"Between %1 and %2, %3 not replaced");
  EXPECT_EQ(S(AfxDataExchangePrompt(AFX_IDP_PARSE_INT_RANGE, CString(u"1"), CString(u"9"))),
            "Between 1 and 9, %3 not replaced");
  AfxClearProgramStrings();
}

// ---- keyboard ------------------------------------------------------------------------------

TEST_F(ExchangeTest, TabArrowsAndMnemonicsMoveLikeADialog) {
  dlg.GotoDlgCtrl(dlg.GetDlgItem(101));
  EXPECT_EQ(dlg.Focused(), 101);
  const int forward[] = {102, 103, 104, 107, 108, IDOK, IDCANCEL, 101};
  for (int id : forward) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(dlg.Focused(), id);
  }
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(dlg.Focused(), IDCANCEL);

  // Arrows stay inside the radio group and check the button they reach.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(104));
  Key(Qt::Key_Down);
  EXPECT_EQ(dlg.Focused(), 105);
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 105);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(dlg.Focused(), 104) << "the group wraps around";
  Key(Qt::Key_Up);
  EXPECT_EQ(dlg.Focused(), 106);

  // A label's mnemonic focuses the control after it; a button's presses it.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(108));
  Key(Qt::Key_N, Qt::AltModifier);
  QTest::qWaitFor([&] { return dlg.Focused() == 101; }, 10000);
  EXPECT_EQ(dlg.Focused(), 101);
  Key(Qt::Key_L, Qt::AltModifier);
  QTest::qWaitFor([&] { return dlg.GetCheckedRadioButton(104, 106) == 104; }, 10000);
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 104);
}

TEST_F(ExchangeTest, DefaultButtonFollowsSetDefID) {
  EXPECT_EQ(LOWORD(dlg.GetDefID()), static_cast<WORD>(IDOK));
  EXPECT_EQ(dlg.GetDlgItem(IDOK)->SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, static_cast<LRESULT>(DLGC_DEFPUSHBUTTON));
  dlg.SetDefID(IDCANCEL);
  EXPECT_EQ(dlg.GetDlgItem(IDOK)->SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON, static_cast<LRESULT>(DLGC_UNDEFPUSHBUTTON));
  EXPECT_EQ(dlg.GetDlgItem(IDCANCEL)->SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, static_cast<LRESULT>(DLGC_DEFPUSHBUTTON));
  // Return on an edit now presses Cancel, which hides the modeless dialog.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(101));
  Key(Qt::Key_Return);
  EXPECT_FALSE(dlg.IsWindowVisible());
}

// ---- templates from the language library and fonts -----------------------------------------

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

QString BuildModule(const QTemporaryDir& dir, const std::vector<std::pair<QString, QByteArray>>& files) {
  const QString src = dir.filePath(QStringLiteral("src"));
  QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\">\n";
  for (const auto& [file, content] : files) {
    WriteFile(src + QLatin1Char('/') + file, content);
    qrc += "<file alias=\"" + file.toUtf8() + "\">" + (src + QLatin1Char('/') + file).toUtf8() + "</file>\n";
  }
  qrc += "</qresource></RCC>\n";
  WriteFile(src + QStringLiteral("/module.qrc"), qrc);
  const QString out = dir.filePath(QStringLiteral("KcResourceTST.rcc"));
  QProcess rcc;
  rcc.start(QStringLiteral(KC_TEST_RCC), {QStringLiteral("--binary"), QStringLiteral("--no-compress"), QStringLiteral("-o"),
                                          out, src + QStringLiteral("/module.qrc")});
  EXPECT_TRUE(rcc.waitForFinished(60000));
  EXPECT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  return out;
}

TEST_F(DialogTest, TemplateAndTextsComeFromTheLanguageLibrary) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString path = BuildModule(tmp, {{QStringLiteral("strings.txt"), "5000\tLayer settings\n5001\t&Name:\n"},
                                         {QStringLiteral("DIALOG/300"),
                                          "DIALOG 0 0 120 60\nCAPTION @5000\n"
                                          "CONTROL STATIC -1 @5001 5 5 40 10\n"
                                          "CONTROL EDIT 10 \"\" 50 5 60 12 WS_BORDER | WS_TABSTOP\n"
                                          "CONTROL BUTTON IDOK \"OK\" 10 40 40 14 BS_DEFPUSHBUTTON | WS_TABSTOP\n"},
                                         {QStringLiteral("DIALOG/301"), "DIALOG 0 0 nonsense\n"}});
  std::u16string reason;
  ResourceModule* module = AfxLoadResourceModule(path.toStdU16String(), &reason);
  ASSERT_NE(module, nullptr) << QString::fromStdU16String(reason).toStdString();
  ResourceModule* old = AfxGetResourceHandle();
  AfxSetResourceHandle(module);

  CDialog dlg;
  ASSERT_TRUE(dlg.Create(300));
  CString caption, label;
  dlg.GetWindowText(caption);
  EXPECT_EQ(S(caption), "Layer settings");
  CWnd* first = dlg.GetWindow(GW_CHILD);
  ASSERT_NE(first, nullptr);
  first->GetWindowText(label);
  EXPECT_EQ(S(label), "&Name:");
  ASSERT_NE(dlg.GetDlgItem(10), nullptr);
  EXPECT_EQ(dlg.GetDlgItem(10)->SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL, static_cast<LRESULT>(DLGC_HASSETSEL));
  dlg.DestroyWindow();

  CDialog broken;
  EXPECT_FALSE(broken.Create(301));
  EXPECT_NE(S(broken.GetCreateError()).find("template 301"), std::string::npos) << S(broken.GetCreateError());

  AfxSetResourceHandle(old);
  AfxFreeResourceModule(module);
}

TEST_F(DialogTest, OneLayoutFitsBothLanguageFonts) {
  QByteArray text(kExchangeTemplate);
  const QByteArray jpn = text.replace("FONT 9 \"DejaVu Sans\"", "FONT 9 \"Noto Sans CJK JP\"");
  QSize sizes[2];
  for (int lang = 0; lang < 2; ++lang) {
    CExchangeDlg dlg;
    const DialogTemplate t = Parsed(lang == 0 ? kExchangeTemplate : jpn.constData());
    ASSERT_TRUE(dlg.CreateIndirect(t));
    CRect client;
    dlg.GetClientRect(&client);
    sizes[lang] = QSize(client.Width(), client.Height());
    // The template alone tells the size its dialog gets, and the units it is laid out in.
    EXPECT_EQ(t.GetSizeInPixels(), CSize(client.Width(), client.Height())) << "language " << lang;
    EXPECT_EQ(t.GetBaseUnits(), dlg.GetBaseUnits()) << "language " << lang;
    int controls = 0;
    for (CWnd* c = dlg.GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT)) {
      CRect r;
      c->GetWindowRect(&r);
      dlg.ScreenToClient(&r);
      EXPECT_GE(r.left, 0) << c->GetDlgCtrlID();
      EXPECT_GE(r.top, 0) << c->GetDlgCtrlID();
      EXPECT_LE(r.right, client.right) << "control " << c->GetDlgCtrlID() << " in language " << lang;
      EXPECT_LE(r.bottom, client.bottom) << "control " << c->GetDlgCtrlID() << " in language " << lang;
      ++controls;
    }
    EXPECT_EQ(controls, 11);
    // A label of the template is wide enough for its text in this font.
    CWnd* label = dlg.GetWindow(GW_CHILD);
    EXPECT_GE(label->GetQWidget()->width(), label->GetQWidget()->fontMetrics().horizontalAdvance(QStringLiteral("Number:")));
    dlg.DestroyWindow();
  }
  EXPECT_NE(sizes[0], sizes[1]) << "the font decides the dialog units";
}

}  // namespace

namespace {

class CHelpOwner : public CWnd {
public:
  std::vector<LPARAM> asked;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMANDHELP) {
      asked.push_back(lParam);
      return TRUE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(DialogTest, HelpButtonAsksTheOwnerForTheDialogsTopic) {
  CHelpOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, u"owner", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 200, 100), nullptr, 0));
  CDialog dlg;
  dlg.m_nIDHelp = 4711;
  ASSERT_TRUE(dlg.CreateIndirect(Parsed("DIALOG 0 0 100 40\nCONTROL BUTTON IDHELP \"&Help\" 5 5 40 14 WS_TABSTOP\n"), &owner));
  EXPECT_EQ(dlg.GetOwner(), &owner);
  dlg.GetDlgItem(IDHELP)->SendMessage(BM_CLICK);
  EXPECT_EQ(owner.asked, (std::vector<LPARAM>{4711}));
  // F1 on a control asks for the same topic.
  dlg.ShowWindow(SW_SHOW);
  dlg.SetActiveWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.GetQWidget()));
  dlg.GotoDlgCtrl(dlg.GetDlgItem(IDHELP));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_EQ(owner.asked, (std::vector<LPARAM>{4711, 4711}));
  dlg.DestroyWindow();
  owner.DestroyWindow();
}

}  // namespace

namespace {

TEST_F(DialogTest, ModalDialogsNestAndEachEndsItsOwnLoop) {
  CTimerDlg inner;
  inner.endWith = 7;
  inner.InitModalIndirect(Parsed("DIALOG 0 0 80 40\nCAPTION \"Inner\"\n"));
  CExchangeDlg outer;
  outer.InitModalIndirect(Parsed(kExchangeTemplate));
  INT_PTR innerResult = 0;
  bool outerOpenMeanwhile = false;
  QTimer::singleShot(30, [&] {
    innerResult = inner.DoModal();
    outerOpenMeanwhile = outer.IsWindowVisible() != FALSE;
    outer.EndDialog(9);
  });
  EXPECT_EQ(outer.DoModal(), 9);
  EXPECT_EQ(innerResult, 7);
  EXPECT_TRUE(outerOpenMeanwhile) << "the inner dialog ended only its own loop";
}

TEST_F(DialogTest, DestroyingTheWindowEndsTheModalLoop) {
  CExchangeDlg dlg;
  dlg.InitModalIndirect(Parsed(kExchangeTemplate));
  QTimer::singleShot(30, [&] { dlg.DestroyWindow(); });
  EXPECT_EQ(dlg.DoModal(), -1) << "no result was given";
  EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

}  // namespace
