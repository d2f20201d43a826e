// The tree dialog: pages made when their item is selected and destroyed when left, a page that refuses to
// be left keeping its item and the dialog, the frame growing to the largest page with the buttons and the
// preview laid out below it, the preview picture, and help asked for the shown page.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "tests/support/app/SharedAppEnvironment.h"
#include "controls/CQZ2PropertyPage.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CTreeDialog.h"

namespace {

constexpr int kValueId = 2001;

DialogTemplate PageTemplate(int cx, int cy)
{
    const QString text = QStringLiteral("DIALOG 0 0 %1 %2\nFONT 9 \"DejaVu Sans\"\n"
                                        "CONTROL EDIT 2001 \"\" 5 5 60 12 WS_BORDER | WS_TABSTOP\n")
                             .arg(cx)
                             .arg(cy);
    DialogTemplate t;
    EXPECT_TRUE(t.Parse(CString::FromQString(text)));
    return t;
}

// A page with one number from 0 to 100.
class TestPage : public CQZ2PropertyPage
{
public:
    TestPage(int cx, int cy, UINT nHelp)
    {
        ConstructIndirect(PageTemplate(cx, cy));
        m_nIDHelp = nHelp;
    }
    int m_value = 5;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kValueId, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 100);
    }
};

// A page whose template the language library lacks: its window cannot be made.
class MissingPage : public CQZ2PropertyPage
{
public:
    MissingPage() : CQZ2PropertyPage(59999, 0) {}
};

// The owner of the dialog: records the help topics asked of it.
class HelpOwner : public CWnd
{
public:
    std::vector<LPARAM> asked;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDHELP) {
            asked.push_back(lParam);
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TestTreeDialog : public CTreeDialog
{
public:
    TestTreeDialog(CWnd* pParent, BOOL bPreview, int nBand = 0) : CTreeDialog(pParent, bPreview) { m_nExtraBand = nBand; }
    std::function<void(TestTreeDialog&)> onInit;
    using CTreeDialog::RecalcLayout;

    CRect Rect(int nID) const
    {
        CRect rc;
        GetDlgItem(nID)->GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    }
    CRect SeparatorRect() const
    {
        CRect rc;
        m_separator.GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CTreeDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return result;
    }
};

class TreeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        TheApp()->boxes.clear();
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                     nullptr, nullptr));
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    // The dialog made modeless, so that a test can look at it as long as it likes.
    std::unique_ptr<TestTreeDialog> Make(BOOL bPreview, int nBand = 0)
    {
        auto pDialog = std::make_unique<TestTreeDialog>(&m_owner, bPreview, nBand);
        EXPECT_TRUE(pDialog->Create(CTreeDialog::IDD, &m_owner)) << pDialog->GetCreateError().ToQString().toStdString();
        return pDialog;
    }
    static void SetValue(CWnd& page, const char16_t* text) { page.GetDlgItem(kValueId)->SetWindowText(text); }

    HelpOwner m_owner;
};

TEST_F(TreeDialogTest, FrameGrowsToTheLargestPageAndTheButtonsFollowIt)
{
    auto pDialog = Make(FALSE);
    TestTreeDialog& dlg = *pDialog;
    const CRect frame0 = dlg.Rect(CTreeDialog::kFrameId);
    const CRect ok0 = dlg.Rect(IDOK);
    const CRect help0 = dlg.Rect(ID_HELP);

    // No larger than the frame: nothing moves.
    TestPage small(100, 80, 1);
    dlg.AddPage(&small, u"Small", 0, 0);
    EXPECT_EQ(dlg.Rect(CTreeDialog::kFrameId), frame0);
    EXPECT_EQ(dlg.Rect(IDOK), ok0);

    // Wider only: only the width grows.
    TestPage wide(400, 80, 2);
    const CSize wideSize = PageTemplate(400, 80).GetSizeInPixels();
    ASSERT_GT(wideSize.cx, frame0.Width());
    dlg.AddPage(&wide, u"Wide", 0, 0);
    CRect frame = dlg.Rect(CTreeDialog::kFrameId);
    EXPECT_EQ(frame.TopLeft(), frame0.TopLeft());
    EXPECT_EQ(frame.Width(), wideSize.cx);
    EXPECT_EQ(frame.Height(), frame0.Height());

    // Taller (and narrower than now): only the height grows; the frame never shrinks.
    TestPage tall(150, 300, 3);
    const CSize tallSize = PageTemplate(150, 300).GetSizeInPixels();
    dlg.AddPage(&tall, u"Tall", 0, 0);
    frame = dlg.Rect(CTreeDialog::kFrameId);
    EXPECT_EQ(frame.Width(), wideSize.cx);
    EXPECT_EQ(frame.Height(), tallSize.cy);

    // Without a preview the tree reaches the frame's bottom; the buttons sit 8 pixels below it, Cancel
    // ends at the frame's right, OK 8 pixels before Cancel, and the window a margin beyond them.
    EXPECT_EQ(dlg.Rect(CTreeDialog::kTreeId).bottom, frame.bottom);
    const CRect cancel = dlg.Rect(IDCANCEL);
    const CRect ok = dlg.Rect(IDOK);
    const CRect help = dlg.Rect(ID_HELP);
    EXPECT_EQ(cancel.top, frame.bottom + 8);
    EXPECT_EQ(cancel.right, frame.right);
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_EQ(ok.right, cancel.left - 8);
    EXPECT_EQ(ok.Width(), cancel.Width());
    EXPECT_EQ(help.top, cancel.top);
    EXPECT_EQ(help.left, help0.left);
    EXPECT_EQ(help.Size(), help0.Size());
    CRect client;
    dlg.GetClientRect(&client);
    const int margin = dlg.Rect(CTreeDialog::kTreeId).left;
    EXPECT_EQ(client.right, cancel.right + margin);
    EXPECT_EQ(client.bottom, cancel.bottom + margin);
    EXPECT_FALSE(dlg.GetDlgItem(CTreeDialog::kPreviewId)->IsWindowVisible());
    EXPECT_EQ(dlg.SeparatorRect().bottom, dlg.Rect(CTreeDialog::kTreeId).bottom);
}

TEST_F(TreeDialogTest, PreviewSitsUnderTheTreeAndShowsACopyOfThePicture)
{
    auto pDialog = Make(TRUE, 36);
    TestTreeDialog& dlg = *pDialog;
    dlg.ShowWindow(SW_SHOW);
    const CRect frame = dlg.Rect(CTreeDialog::kFrameId);
    const CRect preview = dlg.Rect(CTreeDialog::kPreviewId);
    EXPECT_TRUE(dlg.GetDlgItem(CTreeDialog::kPreviewId)->IsWindowVisible());
    EXPECT_EQ(preview.bottom, frame.bottom + 36);
    EXPECT_EQ(dlg.Rect(CTreeDialog::kTreeId).bottom, preview.top - 10);
    EXPECT_EQ(dlg.Rect(IDOK).top, frame.bottom + 36 + 8);
    EXPECT_EQ(dlg.SeparatorRect().bottom, preview.bottom);
    SIZE size{};
    dlg.GetPreviewSize(size);
    EXPECT_EQ(size.cx, preview.Width());
    EXPECT_EQ(size.cy, preview.Height());

    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    dlg.SetPreviewImage(&picture);
    picture.fill(Qt::blue);
    ASSERT_NE(dlg.GetPreviewImage(), nullptr);
    EXPECT_EQ(dlg.GetPreviewImage()->pixel(0, 0), QColor(Qt::red).rgb()) << "the dialog keeps its own copy";
    // Drawn with its own size in the middle of the preview.
    const QImage shown = dlg.GetDlgItem(CTreeDialog::kPreviewId)->GetQWidget()->grab().toImage();
    const double dpr = shown.devicePixelRatio();
    EXPECT_EQ(shown.pixel(int(size.cx / 2 * dpr), int(size.cy / 2 * dpr)), QColor(Qt::red).rgb());
    EXPECT_NE(shown.pixel(int((size.cx / 2 - 12) * dpr), int(size.cy / 2 * dpr)), QColor(Qt::red).rgb());

    // Without the preview flag an offered picture is ignored.
    auto pPlain = Make(FALSE);
    pPlain->SetPreviewImage(&picture);
    EXPECT_EQ(pPlain->GetPreviewImage(), nullptr);
}

TEST_F(TreeDialogTest, SelectingAnItemMakesItsPageInTheFrameAndDestroysTheOldOne)
{
    auto pDialog = Make(FALSE);
    TestTreeDialog& dlg = *pDialog;
    TestPage first(100, 80, 501), nested(100, 80, 502), unknown(100, 80, 503);
    HTREEITEM hRoot = dlg.AddPage(&first, u"First", 0, 0);
    dlg.AddPage(&nested, u"Nested", 0, 0, hRoot);
    EXPECT_EQ(dlg.GetCurrentPage(), nullptr);

    ASSERT_TRUE(dlg.SelectPage(&nested));
    EXPECT_EQ(dlg.GetCurrentPage(), &nested);
    ASSERT_NE(nested.GetSafeHwnd(), nullptr);
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.m_nIDHelp, 502u);
    CRect page;
    nested.GetWindowRect(&page);
    dlg.ScreenToClient(&page);
    CRect frame = dlg.Rect(CTreeDialog::kFrameId);
    frame.OffsetRect(0, 5);
    EXPECT_EQ(page, frame);
    // Tab goes from the tree into the page.
    EXPECT_EQ(dlg.GetDlgItem(CTreeDialog::kTreeId)->GetWindow(GW_HWNDNEXT), &nested);

    ASSERT_TRUE(dlg.SelectPage(&first));
    EXPECT_EQ(nested.GetSafeHwnd(), nullptr);
    EXPECT_NE(first.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.m_nIDHelp, 501u);

    EXPECT_FALSE(dlg.SelectPage(&unknown));
    EXPECT_EQ(dlg.GetCurrentPage(), &first);
    EXPECT_NE(first.GetSafeHwnd(), nullptr);
}

TEST_F(TreeDialogTest, AnInvalidEntryKeepsThePageAndTheDialog)
{
    TestTreeDialog dlg(&m_owner, FALSE);
    TestPage first(100, 80, 1), second(100, 80, 2);
    bool stayed = false;
    bool kept = false;
    dlg.onInit = [&](TestTreeDialog& d) {
        d.AddPage(&first, u"First", 0, 0);
        d.AddPage(&second, u"Second", 0, 0);
        d.SelectPage(&first);
        QTimer::singleShot(0, [&] {
            SetValue(first, u"500");
            d.SelectPage(&second);
            stayed = d.GetCurrentPage() == &first && first.GetSafeHwnd() != nullptr && second.GetSafeHwnd() == nullptr;
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            kept = d.GetSafeHwnd() != nullptr && d.IsWindowVisible();
            SetValue(first, u"50");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(stayed) << "the tree keeps the page with the invalid entry";
    EXPECT_TRUE(kept) << "OK keeps the dialog open";
    EXPECT_EQ(TheApp()->boxes.size(), 2u) << "each refusal says why";
    EXPECT_EQ(first.m_value, 50);
}

TEST_F(TreeDialogTest, APageWithoutAWindowNeverBlocksLeavingOrOK)
{
    TestTreeDialog dlg(&m_owner, FALSE);
    TestPage first(100, 80, 1);
    MissingPage missing;
    bool moved = false;
    dlg.onInit = [&](TestTreeDialog& d) {
        d.AddPage(&first, u"First", 0, 0, TVI_ROOT, TVI_LAST, FALSE);
        d.AddPage(&missing, u"Missing", 0, 0, TVI_ROOT, TVI_LAST, FALSE);
        QTimer::singleShot(0, [&] {
            d.SelectPage(&missing);
            // The selection moved although the page could not be shown; leaving it again works.
            moved = d.GetTree().GetItemData(d.GetTree().GetSelectedItem()) == reinterpret_cast<DWORD_PTR>(&missing);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(moved);
    EXPECT_TRUE(TheApp()->boxes.empty());
}

TEST_F(TreeDialogTest, HelpAsksTheShownPagesTopicFromAnyControl)
{
    auto pDialog = Make(FALSE);
    TestTreeDialog& dlg = *pDialog;
    TestPage first(100, 80, 611), second(100, 80, 612);
    dlg.AddPage(&first, u"First", 0, 0);
    dlg.AddPage(&second, u"Second", 0, 0);
    dlg.SelectPage(&second);
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = kValueId;
    dlg.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), 0);
    ASSERT_EQ(m_owner.asked.size(), 2u);
    EXPECT_EQ(m_owner.asked[0], 612);
    EXPECT_EQ(m_owner.asked[1], 612);
}

}  // namespace
