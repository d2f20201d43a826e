// The text input dialog from the real template of the language library, driven by its messages and
// real key and input-method events: Ctrl+Return confirms and Return breaks the line, the empty-text flag
// greys OK and keeps the dialog open, the recent texts drop down newest first and insert at the caret, a
// confirmed text goes into the history, and the input method's open state is kept across openings only
// when the options ask for it.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QInputMethodEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QWidget>

#include <functional>
#include <vector>

#include "command/CommandManager.h"
#include "command/ParameterHistory.h"
#include "command/TextParameterItem.h"
#include "commands/shape/CTextEditDialog.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinImm.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using QZ2Command::CommandManager;
using QZ2Command::ParameterHistory;
using QZ2Command::TextParameterItem;

namespace {

struct ImeOptions {
    BOOL bSaveEnabled = TRUE;
    BOOL bState = FALSE;
    int nStores = 0;
};
ImeOptions g_ime;

// The dialog, telling whether it has been ended.
class Dialog : public CTextEditDialog
{
public:
    void EndModalLoop(int nResult) override
    {
        m_bClosed = true;
        CTextEditDialog::EndModalLoop(nResult);
    }
    bool IsOpen() const { return !m_bClosed; }

private:
    bool m_bClosed = false;
};

class TextEditDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(kctest::UseLanguage(u"ENG"), nullptr);
        saved = CommandManager::GetShellServices();
        CommandManager::ShellServices shell = saved;
        shell.pfnGetImeOptions = [](BOOL* pSave, BOOL* pState) -> BOOL {
            *pSave = g_ime.bSaveEnabled;
            *pState = g_ime.bState;
            return TRUE;
        };
        shell.pfnSetImeState = [](BOOL bState) -> BOOL {
            g_ime.bState = bState;
            ++g_ime.nStores;
            return TRUE;
        };
        CommandManager::SetShellServices(shell);
        g_ime = ImeOptions();
    }
    void TearDown() override
    {
        CommandManager::SetShellServices(saved);
        kctest::UseLanguage(u"ENG");
    }

    // Runs the dialog; `act` works it while it shows. A dialog still open after `act` is cancelled, and the
    // test fails.
    INT_PTR Run(Dialog& dialog, const std::function<void()>& act, bool expectOpenAfter = false)
    {
        QTimer::singleShot(0, [&dialog, act, expectOpenAfter]() {
            // Key events go where the focus is: the dialog is the active window, as on a desktop.
            QWidget* pWindow = dialog.GetQWidget()->window();
            pWindow->activateWindow();
            QApplication::setActiveWindow(pWindow);
            QApplication::processEvents();
            act();
            QApplication::processEvents();
            if (dialog.IsOpen()) {
                EXPECT_TRUE(expectOpenAfter) << "the dialog is still open";
                dialog.EndDialog(IDCANCEL);
            }
        });
        return dialog.DoModal();
    }
    static CEdit* Edit(CTextEditDialog& d) { return static_cast<CEdit*>(d.GetDlgItem(CTextEditDialog::kTextEdit)); }
    static QWidget* EditWidget(CTextEditDialog& d) { return Edit(d)->GetQWidget(); }
    static CString Text(CTextEditDialog& d)
    {
        CString text;
        Edit(d)->GetWindowText(text);
        return text;
    }
    static void AddToHistory(ParameterHistory& history, const CString& text)
    {
        TextParameterItem item;
        item.SetValue(text);
        ASSERT_TRUE(history.Add(item));
    }

    CommandManager::ShellServices saved;
};

}  // namespace

TEST_F(TextEditDialogTest, CtrlReturnConfirmsAndReturnBreaksTheLine)
{
    Dialog dialog;
    const INT_PTR result = Run(dialog, [&]() {
        QWidget* pEdit = EditWidget(dialog);
        pEdit->setFocus();
        QTest::keyClicks(pEdit, QStringLiteral("ab"));
        QTest::keyClick(pEdit, Qt::Key_Return);
        QTest::keyClicks(pEdit, QStringLiteral("cd"));
        EXPECT_TRUE(dialog.IsOpen()) << "Return alone closed the dialog";
        QTest::keyClick(pEdit, Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strText, CString(_T("ab\ncd")));
}

TEST_F(TextEditDialogTest, InputMethodTextArrivesInTheEdit)
{
    Dialog dialog;
    dialog.m_strText = _T("x");
    ASSERT_EQ(Run(dialog, [&]() {
                  QWidget* pEdit = EditWidget(dialog);
                  pEdit->setFocus();
                  EXPECT_TRUE(pEdit->testAttribute(Qt::WA_InputMethodEnabled));
                  QTest::keyClick(pEdit, Qt::Key_End);
                  QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
                  QApplication::sendEvent(pEdit, &preedit);
                  QInputMethodEvent commit;
                  commit.setCommitString(QStringLiteral("日本語"));
                  QApplication::sendEvent(pEdit, &commit);
                  QTest::keyClick(pEdit, Qt::Key_Return, Qt::ControlModifier);
              }),
              IDOK);
    EXPECT_EQ(dialog.m_strText, CString(_T("x日本語")));
}

TEST_F(TextEditDialogTest, WithoutEmptyTextsOkIsGreyedAndAForcedOkKeepsTheDialogOpen)
{
    Dialog dialog;
    dialog.m_bAcceptEmptyText = FALSE;
    Run(
        dialog,
        [&]() {
            CWnd* pOk = dialog.GetDlgItem(IDOK);
            EXPECT_FALSE(pOk->IsWindowEnabled());
            Edit(dialog)->SetWindowText(_T("t"));
            EXPECT_TRUE(pOk->IsWindowEnabled());
            Edit(dialog)->SetWindowText(_T(""));
            EXPECT_FALSE(pOk->IsWindowEnabled());
            QWidget* pEdit = EditWidget(dialog);
            pEdit->setFocus();
            QTest::keyClick(pEdit, Qt::Key_Return, Qt::ControlModifier);
            QApplication::processEvents();
            EXPECT_TRUE(dialog.IsOpen());
        },
        true);

    // With empty texts allowed, an empty OK closes the dialog.
    Dialog allowed;
    EXPECT_EQ(Run(allowed, [&]() { allowed.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }), IDOK);
    EXPECT_TRUE(allowed.m_strText.IsEmpty());
}

TEST_F(TextEditDialogTest, RecentTextsDropDownNewestFirstAndGoInAtTheCaret)
{
    ParameterHistory history(20);
    history.Load();  // texts stored by earlier tests are dropped, not merged in later
    history.RemoveAll();
    AddToHistory(history, _T("oldest"));
    AddToHistory(history, _T("middle"));
    AddToHistory(history, _T("A&B"));

    static int s_pick = -1;
    static std::vector<QString> s_entries;
    AfxSetPopupMenuHook([](QMenu* pMenu) {
        s_entries.clear();
        for (QAction* a : pMenu->actions())
            s_entries.push_back(a->text());
        if (s_pick >= 0 && s_pick < pMenu->actions().size())
            QTimer::singleShot(0, pMenu, [pMenu]() {
                pMenu->setActiveAction(pMenu->actions().at(s_pick));
                pMenu->activeAction()->trigger();
                pMenu->close();
            });
        else
            QTimer::singleShot(0, pMenu, [pMenu]() { pMenu->close(); });
    });

    Dialog dialog;
    dialog.m_pHistory = &history;
    dialog.m_strText = _T("[]");
    ASSERT_EQ(Run(dialog, [&]() {
                  CWnd* pButton = dialog.GetDlgItem(CTextEditDialog::kHistoryButton);
                  EXPECT_TRUE(pButton->IsWindowEnabled());
                  CMenu* pMenu = dialog.GetHistoryMenu();
                  ASSERT_NE(pMenu, nullptr);
                  ASSERT_EQ(pMenu->GetMenuItemCount(), 3u);
                  EXPECT_EQ(pMenu->GetMenuItemID(0), CTextEditDialog::kFirstHistoryCommand);
                  Edit(dialog)->SetSel(1, 1);
                  s_pick = 1;  // "middle"
                  QTest::mouseClick(pButton->GetQWidget(), Qt::LeftButton);
                  QApplication::processEvents();
                  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
              }),
              IDOK);
    AfxSetPopupMenuHook(nullptr);
    ASSERT_EQ(s_entries.size(), 3u);
    EXPECT_EQ(s_entries[0], QStringLiteral("A&&B"));
    EXPECT_EQ(s_entries[1], QStringLiteral("middle"));
    EXPECT_EQ(s_entries[2], QStringLiteral("oldest"));
    EXPECT_EQ(dialog.m_strText, CString(_T("[middle]")));
    // The confirmed text is now the newest.
    ASSERT_EQ(history.GetCount(5), 4);
    EXPECT_EQ(static_cast<const TextParameterItem*>(history.GetAt(5, 0))->m_strText, CString(_T("[middle]")));

    // Without a history the button is disabled.
    Dialog none;
    Run(none, [&]() {
        EXPECT_FALSE(none.GetDlgItem(CTextEditDialog::kHistoryButton)->IsWindowEnabled());
        none.EndDialog(IDCANCEL);
    });
}

TEST_F(TextEditDialogTest, TheInputMethodStateIsKeptAcrossOpeningsOnlyWhenTheOptionsSaySo)
{
    struct Case {
        const char* name;
        BOOL saveEnabled;
        BOOL storedAfter;   // the options' state after the first opening
        BOOL openOnSecond;  // the state the edit gets on the second opening
    };
    for (const Case& c : {Case{"kept", TRUE, TRUE, TRUE}, Case{"not kept", FALSE, FALSE, FALSE}}) {
        SCOPED_TRACE(c.name);
        g_ime = ImeOptions();
        g_ime.bSaveEnabled = c.saveEnabled;
        Dialog first;
        Run(first, [&]() {
            EditWidget(first)->setFocus();
            QApplication::processEvents();
            HIMC hIMC = ImmGetContext(first.GetSafeHwnd());
            ASSERT_NE(hIMC, nullptr);
            EXPECT_FALSE(ImmGetOpenStatus(hIMC));
            ImmSetOpenStatus(hIMC, TRUE);  // the user switches the input method on
            first.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(g_ime.bState, c.storedAfter);
        Dialog second;
        BOOL bOpen = -1;
        Run(second, [&]() {
            EditWidget(second)->setFocus();
            QApplication::processEvents();
            bOpen = ImmGetOpenStatus(ImmGetContext(second.GetSafeHwnd()));
            second.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(bOpen, c.openOnSecond);
    }
}

TEST_F(TextEditDialogTest, TheJapaneseLibraryGivesTheCaptionAndTheMessages)
{
    ASSERT_NE(kctest::UseLanguage(u"JPN"), nullptr);
    Dialog dialog;
    CString caption;
    Run(dialog, [&]() {
        dialog.GetWindowText(caption);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(caption, CString(_T("文字入力")));
    EXPECT_EQ(LoadResourceString(11025), CString(_T("ハッチングする閉じた領域が見つかりません。")));
}
