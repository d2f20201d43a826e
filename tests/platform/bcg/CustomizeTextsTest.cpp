// The customisation sheet and the key names of its keyboard page read in the
// interface's language: the program's own language libraries are put first, the
// sheet is made and its texts are read.
#include <QtCore/QString>
#include <QtCore/QTimer>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <memory>
#include <ostream>
#include <string>

#include "BcgFixture.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPKeyboardPage.h"
#include "platform/bcg/CBCGPToolbarCustomize.h"
#include "platform/bcg/CBCGPToolbarsPage.h"
#include "platform/win/CListBox.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"

namespace {

// The program's language library of a language, first in the chain for the life
// of the object.
class InterfaceLanguage {
public:
  explicit InterfaceLanguage(const char *code) {
    const QString path =
        QStringLiteral(KC_TEST_RESOURCE_DIR "/KcResource%1.rcc")
            .arg(QLatin1String(code));
    std::u16string reason;
    m_module.reset(AfxLoadResourceModule(path.toStdU16String(), &reason));
    EXPECT_NE(m_module, nullptr)
        << path.toStdString() << ": "
        << QString::fromStdU16String(reason).toStdString();
    m_previous = AfxGetResourceHandle();
    AfxSetResourceHandle(m_module.get());
  }
  ~InterfaceLanguage() { AfxSetResourceHandle(m_previous); }

private:
  struct Free {
    void operator()(ResourceModule *p) const { AfxFreeResourceModule(p); }
  };
  std::unique_ptr<ResourceModule, Free> m_module;
  ResourceModule *m_previous = nullptr;
};

std::string TextOf(CWnd *w) {
  CString s;
  if (w)
    w->GetWindowText(s);
  return s.ToQString().toStdString();
}

std::string Key(BYTE fVirt, WORD key) {
  ACCEL a{};
  a.fVirt = static_cast<BYTE>(FVIRTKEY | fVirt);
  a.key = key;
  return CBCGPKeyboardManager::FormatAccelerator(a).ToQString().toStdString();
}

struct LanguageCase {
  const char *code;
  std::string sheet, toolbarsPage, keyboardPage, menuPage, newButton,
      assignButton, customBar, assignedPrefix;
  std::string ctrlShiftSpace, altLeft, numPlus, f5;
  std::string resetButton, resetToolbar;
  // The sheet's buttons, then those of message boxes: Yes, No, Cancel, Help; Abort, Retry, Ignore; OK.
  std::vector<std::string> sheetButtons, boxButtons;
};

// Names the case by its language in test names and messages.
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.code; }

class CustomizeTextsTest : public BcgTest,
                           public ::testing::WithParamInterface<LanguageCase> {
};

TEST_P(CustomizeTextsTest,
       SheetPagesButtonsAndKeyNamesComeFromTheLanguageLibrary) {
  const LanguageCase &c = GetParam();
  ASSERT_TRUE(m_app->InitKeyboardManager());
  CTestFrame *f = OpenFrame();
  {
    InterfaceLanguage language(c.code);
    auto *sheet = new CBCGPToolbarCustomize(f, TRUE, BCGCUSTOMIZE_LOOK_2000);
    sheet->EnableUserDefinedToolbars(TRUE);
    EXPECT_EQ(sheet->m_pToolbarsPage->GetTitle().ToQString().toStdString(),
              c.toolbarsPage);
    EXPECT_EQ(sheet->m_pKeyboardPage->GetTitle().ToQString().toStdString(),
              c.keyboardPage);
    EXPECT_EQ(sheet->m_pMenuPage->GetTitle().ToQString().toStdString(),
              c.menuPage);
    ASSERT_TRUE(sheet->Create());
    EXPECT_EQ(TextOf(sheet), c.sheet);
    std::vector<std::string> sheetButtons;
    for (int id : {IDOK, IDCANCEL, static_cast<int>(ID_APPLY_NOW), IDHELP})
      if (CWnd* b = sheet->GetDlgItem(id)) sheetButtons.push_back(TextOf(b));
    EXPECT_EQ(sheetButtons, c.sheetButtons);

    ASSERT_TRUE(
        sheet->SetActivePage(sheet->GetPageIndex(sheet->m_pToolbarsPage)));
    CBCGPToolbarsPage *tp = sheet->m_pToolbarsPage;
    ASSERT_NE(tp->GetDlgItem(CBCGPToolbarsPage::IDC_NEW), nullptr);
    EXPECT_EQ(TextOf(tp->GetDlgItem(CBCGPToolbarsPage::IDC_NEW)), c.newButton);
    // A toolbar the user makes is named in the interface's language.
    tp->SendMessage(WM_COMMAND,
                    MAKEWPARAM(CBCGPToolbarsPage::IDC_NEW, BN_CLICKED),
                    reinterpret_cast<LPARAM>(
                        tp->GetDlgItem(CBCGPToolbarsPage::IDC_NEW)->m_hWnd));
    auto *bars = static_cast<CListBox *>(
        tp->GetDlgItem(CBCGPToolbarsPage::IDC_TOOLBARS));
    ASSERT_NE(bars, nullptr);
    bool found = false;
    for (int i = 0; i < bars->GetCount(); ++i) {
      CString s;
      bars->GetText(i, s);
      found = found || s.ToQString().toStdString() == c.customBar;
    }
    EXPECT_TRUE(found) << c.customBar;

    ASSERT_TRUE(
        sheet->SetActivePage(sheet->GetPageIndex(sheet->m_pKeyboardPage)));
    CBCGPKeyboardPage *kp = sheet->m_pKeyboardPage;
    EXPECT_EQ(TextOf(kp->GetDlgItem(CBCGPKeyboardPage::IDC_ASSIGN)),
              c.assignButton);
    kp->SetNewKey(u"Del"); // the fixture's frame gives Del to the snap command
    const std::string owner =
        TextOf(kp->GetDlgItem(CBCGPKeyboardPage::IDC_ASSIGNED_TO));
    EXPECT_EQ(owner.rfind(c.assignedPrefix, 0), 0u) << owner;

    EXPECT_EQ(Key(FCONTROL | FSHIFT, VK_SPACE), c.ctrlShiftSpace);
    EXPECT_EQ(Key(FALT, VK_LEFT), c.altLeft);
    EXPECT_EQ(Key(0, VK_ADD), c.numPlus);
    EXPECT_EQ(Key(0, VK_F5), c.f5);

    // A button's menu in customisation mode.
    CMenu menu;
    f->m_wndStandard.BuildCustomizeMenu(menu, 0);
    CString item;
    menu.GetMenuString(ID_CUSTOMIZE_BUTTON_RESET, item, MF_BYCOMMAND);
    EXPECT_EQ(item.ToQString().toStdString(), c.resetButton);
    menu.GetMenuString(CBCGPToolBar::kResetToolbarItem, item, MF_BYCOMMAND);
    EXPECT_EQ(item.ToQString().toStdString(), c.resetToolbar);
    sheet->DestroyWindow();
    Pump();
  }
  CloseFrame(f);
}

// Every kind of message box labels its buttons in the interface's language.
TEST_P(CustomizeTextsTest, MessageBoxButtonsComeFromTheLanguageLibrary) {
  const LanguageCase &c = GetParam();
  InterfaceLanguage language(c.code);
  std::vector<std::string> texts;
  const auto answer = [&texts] {
    QTimer::singleShot(0, [&texts] {
      auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      // In the order the box was asked for, whatever order the style lays them out in.
      for (QMessageBox::StandardButton which :
           {QMessageBox::Yes, QMessageBox::No, QMessageBox::Abort, QMessageBox::Retry,
            QMessageBox::Ignore, QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Help})
        if (QAbstractButton *b = box->button(which))
          texts.push_back(b->text().toStdString());
      box->button(QMessageBox::Cancel) ? box->button(QMessageBox::Cancel)->click()
                                       : box->buttons().front()->click();
    });
  };
  answer();
  EXPECT_EQ(AfxMessageBox(u"?", MB_YESNOCANCEL | MB_HELP), IDCANCEL);
  answer();
  AfxMessageBox(u"?", MB_ABORTRETRYIGNORE);
  answer();
  EXPECT_EQ(AfxMessageBox(u"!", MB_OK), IDOK);
  EXPECT_EQ(texts, c.boxButtons);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, CustomizeTextsTest,
    ::testing::Values(LanguageCase{"ENG", "Customize", "Toolbars", "Keyboard",
                                   "Menu", "&New...", "A&ssign", "Custom 1",
                                   "Assigned to: ", "Ctrl+Shift+Space",
                                   "Alt+Left", "Num +", "F5", "&Reset",
                                   "Reset tool&bar",
                                   {"OK", "Cancel", "&Apply", "Help"},
                                   {"&Yes", "&No", "Cancel", "Help", "&Abort",
                                    "&Retry", "&Ignore", "OK"}},
                      LanguageCase{"JPN", "ユーザー設定", "ツールバー",
                                   "キーボード", "メニュー", "新規作成(&N)...",
                                   "割り当て(&S)", "ユーザー定義 1",
                                   "割り当て先: ", "Ctrl+Shift+スペース",
                                   "Alt+←", "テンキー +", "F5", "リセット(&R)",
                                   "ツール バーのリセット(&B)",
                                   {"OK", "キャンセル", "適用(&A)", "ヘルプ"},
                                   {"はい(&Y)", "いいえ(&N)", "キャンセル",
                                    "ヘルプ", "中止(&A)", "再試行(&R)",
                                    "無視(&I)", "OK"}}),
    [](const ::testing::TestParamInfo<LanguageCase> &info) {
      return std::string(info.param.code);
    });

} // namespace
