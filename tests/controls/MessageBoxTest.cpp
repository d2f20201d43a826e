// The Yes / Yes to all / No / Cancel box and the property-page base, in real dialogs offscreen.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>

#include "ControlsTestSupport.h"
#include "controls/CQZ2MessageBox.h"
#include "controls/CQZ2PropertyPage.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

class MessageBox : public EnglishResources
{
protected:
    // Runs the box modally and does the action once it is up; the box's result.
    static INT_PTR RunWith(CQZ2MessageBox& box, std::function<void(CQZ2MessageBox&)> action)
    {
        QTimer::singleShot(0, [&box, action] {
            if (box.GetSafeHwnd() != nullptr)
                action(box);
        });
        return box.DoModal();
    }
    static void Press(CQZ2MessageBox& box, int id)
    {
        CWnd* pButton = box.GetDlgItem(id);
        ASSERT_NE(pButton, nullptr) << id;
        box.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
};

TEST_F(MessageBox, EachAnswerEndsTheBoxWithItsNumber)
{
    struct Case {
        int button;
        INT_PTR result;
    };
    for (const Case& c : {Case{IDYES, 6}, Case{2436, 110}, Case{IDNO, 7}, Case{IDCANCEL, 2}}) {
        CQZ2MessageBox box;
        box.SetMessageText(u"Delete drawing 2?");
        box.m_strTitle = u"Delete";
        EXPECT_EQ(RunWith(box, [&](CQZ2MessageBox& b) { Press(b, c.button); }), c.result) << c.button;
    }
}

TEST_F(MessageBox, EscapeAndTheCloseBoxCancel)
{
    CQZ2MessageBox escaped;
    EXPECT_EQ(RunWith(escaped,
                      [](CQZ2MessageBox& b) {
                          QWidget* target = QApplication::focusWidget();
                          if (target == nullptr)
                              target = b.GetQWidget();
                          QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                          QCoreApplication::sendEvent(target, &press);
                      }),
              IDCANCEL);
    CQZ2MessageBox closed;
    EXPECT_EQ(RunWith(closed, [](CQZ2MessageBox& b) { b.SendMessage(WM_CLOSE); }), IDCANCEL);
}

TEST_F(MessageBox, TheTextTitleAndIconAreShown)
{
    struct Case {
        int kind;
        bool icon;
    };
    for (const Case& c : {Case{0, true}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        CQZ2MessageBox box;
        box.SetMessageText(u"Replace the layer?");
        box.m_strTitle = u"Layers";
        box.m_nIconKind = c.kind;
        bool iconShown = false;
        CString text, title;
        RunWith(box, [&](CQZ2MessageBox& b) {
            b.GetDlgItem(2439)->GetWindowText(text);
            b.GetWindowText(title);
            iconShown = b.GetDlgItem(2438)->IsWindowVisible() != FALSE;
            Press(b, IDNO);
        });
        EXPECT_EQ(text, CString(u"Replace the layer?"));
        EXPECT_EQ(title, CString(u"Layers"));
        EXPECT_EQ(iconShown, c.icon) << c.kind;
    }
}

// A page that exchanges one text with the message static of template 553.
class TextPage : public CQZ2PropertyPage
{
public:
    TextPage() : CQZ2PropertyPage(553, 0) {}
    CString text = u"from the page";
    int initCount = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCount;
        return CQZ2PropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CQZ2PropertyPage::DoDataExchange(pDX);
        DDX_Text(pDX, 2439, text);
    }
};

TEST_F(MessageBox, APageMadeAsAChildWorksWithoutASheet)
{
    RecordingHost host;
    ASSERT_TRUE(host.CreateHost());
    TextPage page;
    ASSERT_TRUE(page.CreateAsChild(&host));
    EXPECT_EQ(page.initCount, 1);
    EXPECT_EQ(page.GetParent(), &host);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    CString shown;
    page.GetDlgItem(2439)->GetWindowText(shown);
    EXPECT_EQ(shown, CString(u"from the page"));
    page.GetDlgItem(2439)->SetWindowText(u"typed");
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.text, CString(u"typed"));
    page.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace

namespace {

// The box in Japanese, for the documentation. Run on demand: --gtest_also_run_disabled_tests with
// KC_SCREENSHOT_DIR set.
TEST(MessageBoxPicture, DISABLED_Japanese)
{
    LanguageModuleResult japanese = AfxLoadLanguageModule(AfxGetResourceFolder(), u"JPN");
    ASSERT_NE(japanese.pModule, nullptr);
    ResourceModule* pPrevious = AfxGetResourceHandle();
    AfxSetResourceHandle(japanese.pModule);
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QStringLiteral("."));
    CQZ2MessageBox box;
    box.SetMessageText(u"図面「図面2」を削除しますか?");
    box.m_strTitle = u"図面の削除";
    bool saved = false;
    QTimer::singleShot(50, [&] {
        saved = box.GetQWidget()->grab().save(dir + QStringLiteral("/message-box-japanese.png"));
        box.EndDialog(IDCANCEL);
    });
    box.DoModal();
    EXPECT_TRUE(saved);
    AfxSetResourceHandle(pPrevious);
    AfxFreeResourceModule(japanese.pModule);
}

}  // namespace
