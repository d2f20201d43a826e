// The style-setting dialog at the level of its pages and collections: what is loaded reads back, the tree
// holds only the kinds handed over and opens on the asked page, and the named-style row loads, keeps,
// drops, registers and deletes styles on the dialog's own copies of the collections.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>

#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/CImageList.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CGeneralFeatureSettingPage.h"
#include "settings/CRegisterSettingStyleDialog.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

void PumpEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

GeneralFeatureSetting General(short colour, short type, short width)
{
    GeneralFeatureSetting s;
    s.SetColorNo(colour);
    s.SetLineTypeNo(type);
    s.SetLineWidthNo(width);
    return s;
}

bool Same(const GeneralFeatureSetting& a, const GeneralFeatureSetting& b)
{
    return a.GetColorNo() == b.GetColorNo() && a.GetLineTypeNo() == b.GetLineTypeNo() &&
           a.GetLineWidthNo() == b.GetLineWidthNo();
}

class StyleDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        TheApp()->boxes.clear();
        TheApp()->answer = IDOK;
        m_styles.SetSettingStyle(CString(u"Red"), &m_red);
        m_styles.SetSettingStyle(CString(u"Blue"), &m_blue);
    }
    void TearDown() override { TheApp()->answer = IDOK; }

    // The dialog made modeless (as DoModal makes it) so that a test can work in it.
    static void Open(CFeatureSettingTreeDialog& dialog)
    {
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr)) << dialog.GetCreateError().ToQString().toStdString();
    }
    static CGeneralFeatureSettingPage* GeneralPage(CFeatureSettingTreeDialog& dialog)
    {
        return static_cast<CGeneralFeatureSettingPage*>(dialog.GetPage(CFeatureSettingPropertyPage::kGeneralPage));
    }
    static void Choose(CFeatureSettingTreeDialog& dialog, const char16_t* name)
    {
        CComboBox& list = dialog.GetStyleList();
        ASSERT_NE(list.SelectString(-1, name), CB_ERR);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CFeatureSettingTreeDialog::kStyleListId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(list.m_hWnd));
    }
    static void Press(CWnd& dialog, int nID) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    static CString Selected(CFeatureSettingTreeDialog& dialog)
    {
        CComboBox& list = dialog.GetStyleList();
        CString name;
        if (list.GetCurSel() != CB_ERR)
            list.GetLBText(list.GetCurSel(), name);
        return name;
    }
    // Picks a colour in the page's list as the user does (a committed change).
    static void PickColour(CGeneralFeatureSettingPage& page, short colour)
    {
        ASSERT_TRUE(page.m_colorList.SetColorNo(colour));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(CGeneralFeatureSettingPage::kColorId, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(page.m_colorList.m_hWnd));
    }
    // Runs act on the next register dialog, from the event loop.
    void WhenNameAsked(std::function<void(CRegisterSettingStyleDialog&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(10);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<CRegisterSettingStyleDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }

    Draw2dDocument m_document;
    GeneralFeatureSettingStyles m_styles;
    GeneralFeatureSetting m_red = General(1, 1, 1);
    GeneralFeatureSetting m_blue = General(5, 2, 3);
};

TEST_F(StyleDialogTest, ALoadedPageReadsBackWhatItWasGivenShownOrNot)
{
    for (BOOL mixed : {FALSE, TRUE}) {
        const GeneralFeatureSetting given = mixed ? General(32767, 2, 32767) : General(3, 2, 4);
        CFeatureSettingTreeDialog dialog(&m_document, -1, 12, mixed);
        GeneralFeatureSetting read;
        EXPECT_FALSE(dialog.GetGeneralFeatureSetting(&read)) << "nothing loaded yet";
        dialog.SetGeneralFeatureSetting(&given);
        ASSERT_TRUE(dialog.GetGeneralFeatureSetting(&read));
        EXPECT_TRUE(Same(read, given)) << "never shown, mixed " << mixed;

        Open(dialog);
        ASSERT_NE(GeneralPage(dialog)->GetSafeHwnd(), nullptr);
        EXPECT_EQ(GeneralPage(dialog)->m_colorList.GetColorNo(), given.GetColorNo());
        GeneralFeatureSetting shown;
        ASSERT_TRUE(GeneralPage(dialog)->OnKillActive());
        ASSERT_TRUE(dialog.GetGeneralFeatureSetting(&shown));
        EXPECT_TRUE(Same(shown, given)) << "shown and read, mixed " << mixed;
        EXPECT_NE(dialog.GetPreviewImage(), nullptr) << "the page drew its samples";
        dialog.DestroyWindow();
    }
}

TEST_F(StyleDialogTest, TheTreeHoldsTheKindsHandedOverAndOpensOnTheAskedPage)
{
    for (int initial : {12, 0, 7}) {
        const GeneralFeatureSetting given = General(3, 2, 4);
        CFeatureSettingTreeDialog dialog(&m_document, -1, initial, FALSE);
        dialog.SetGeneralFeatureSetting(&given);
        Open(dialog);
        CQZ2TreeCtrl& tree = dialog.GetTree();
        HTREEITEM hRoot = tree.GetRootItem();
        ASSERT_NE(hRoot, nullptr);
        EXPECT_EQ(tree.GetNextSiblingItem(hRoot), nullptr) << "one kind, one item";
        ASSERT_NE(tree.GetImageList(TVSIL_NORMAL), nullptr);
        EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL)->GetImageCount(), 8) << "an icon for each kind and the sub-pages";
        EXPECT_EQ(tree.GetSelectedItem(), hRoot) << "initial page " << initial;
        EXPECT_EQ(dialog.GetCurrentPage(), GeneralPage(dialog));
        CString title;
        dialog.GetWindowText(title);
        EXPECT_EQ(title, LoadResourceString(10197));
        dialog.DestroyWindow();
        EXPECT_EQ(CFeatureSettingTreeDialog::GetLastStylePage(), 12) << "the page shown last is remembered";
    }
}

TEST_F(StyleDialogTest, MixedValuesHideRegisterAndDeleteAndDropTheCurrentStyle)
{
    m_styles.SetCurrentSettingStyleName(CString(u"Red"));
    CFeatureSettingTreeDialog dialog(&m_document, -1, 12, TRUE);
    const GeneralFeatureSetting given = General(32767, 32767, 32767);
    dialog.SetGeneralFeatureSetting(&given);
    dialog.SetFeatureSettingStyles(&m_styles);
    ASSERT_NE(dialog.GetGeneralFeatureSettingStyles(), nullptr);
    EXPECT_TRUE(dialog.GetGeneralFeatureSettingStyles()->GetCurrentSettingStyleName().IsEmpty());
    EXPECT_EQ(m_styles.GetCurrentSettingStyleName(), CString(u"Red")) << "the caller's collection is untouched";
    Open(dialog);
    CString title;
    dialog.GetWindowText(title);
    EXPECT_EQ(title, LoadResourceString(10196));
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kRegisterId)->IsWindowEnabled());
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kDeleteId)->IsWindowEnabled());
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kRegisterId)->GetStyle() & WS_VISIBLE);
    CRect list, frame;
    dialog.GetStyleList().GetWindowRect(&list);
    dialog.GetDlgItem(CTreeDialog::kFrameId)->GetWindowRect(&frame);
    EXPECT_EQ(list.right, frame.right) << "the list spans to the frame's right edge";
    // Choosing a name still loads it.
    Choose(dialog, u"Blue");
    GeneralFeatureSetting read;
    dialog.GetGeneralFeatureSetting(&read);
    EXPECT_TRUE(Same(read, m_blue));
    dialog.DestroyWindow();
}

TEST_F(StyleDialogTest, ChoosingKeepingAndDroppingANamedStyle)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 12, FALSE);
    const GeneralFeatureSetting given = General(3, 2, 4);
    dialog.SetGeneralFeatureSetting(&given);
    dialog.SetFeatureSettingStyles(&m_styles);
    Open(dialog);
    EXPECT_EQ(dialog.GetStyleList().GetCount(), 2);
    EXPECT_EQ(dialog.GetStyleList().GetCurSel(), CB_ERR);
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kDeleteId)->IsWindowEnabled());

    Choose(dialog, u"Blue");
    CGeneralFeatureSettingPage& page = *GeneralPage(dialog);
    // A picture of the dialog for looking at it, when asked for.
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
        dialog.ShowWindow(SW_SHOW);
        PumpEvents();
        dialog.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/style-dialog.png"));
    }
    EXPECT_EQ(page.m_colorList.GetColorNo(), 5);
    EXPECT_EQ(dialog.GetGeneralFeatureSettingStyles()->GetCurrentSettingStyleName(), CString(u"Blue"));
    EXPECT_TRUE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kDeleteId)->IsWindowEnabled());

    // A choice equal to the style keeps it; another drops it and nothing restores it.
    PickColour(page, 5);
    EXPECT_EQ(Selected(dialog), CString(u"Blue"));
    PickColour(page, 6);
    EXPECT_TRUE(Selected(dialog).IsEmpty());
    EXPECT_TRUE(dialog.GetGeneralFeatureSettingStyles()->GetCurrentSettingStyleName().IsEmpty());
    PickColour(page, 5);
    EXPECT_TRUE(Selected(dialog).IsEmpty());

    // A keystroke drops the choice at once.
    Choose(dialog, u"Red");
    page.NotifySettingChanged(TRUE);
    EXPECT_TRUE(Selected(dialog).IsEmpty());
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kDeleteId)->IsWindowEnabled());

    // A name the collection no longer holds changes nothing.
    dialog.GetGeneralFeatureSettingStyles()->RemoveSettingStyle(CString(u"Red"));
    PickColour(page, 7);
    Choose(dialog, u"Red");
    EXPECT_EQ(page.m_colorList.GetColorNo(), 7);
    dialog.DestroyWindow();
    EXPECT_EQ(m_styles.GetSettingStyleCount(), 2) << "the dialog works on its copy";
}

// The values a page writes into its fields when it is shown are not the user's typing: a chosen style stays
// chosen while the user goes through the pages that show it.
TEST_F(StyleDialogTest, AChosenStyleStaysThroughThePagesShownAfter)
{
    DimensionSetting iso;
    iso.SetColorNo(4);
    iso.SetPrecision(3);
    DimensionSettingStyles styles;
    ASSERT_TRUE(styles.SetSettingStyle(CString(u"ISO 5"), &iso, 1, nullptr));
    CFeatureSettingTreeDialog dialog(&m_document, -1, CFeatureSettingPropertyPage::kDimensionTextPage, FALSE);
    dialog.SetDimensionSetting(&iso);
    dialog.SetFeatureSettingStyles(&styles);
    Open(dialog);
    Choose(dialog, u"ISO 5");
    for (int nPage : {CFeatureSettingPropertyPage::kDimensionTolerancePage, CFeatureSettingPropertyPage::kDimensionArrowPage,
                      CFeatureSettingPropertyPage::kDimensionAddTextPage, CFeatureSettingPropertyPage::kDimensionColorPage,
                      CFeatureSettingPropertyPage::kDimensionAutoPage, CFeatureSettingPropertyPage::kDimensionTextPage}) {
        ASSERT_TRUE(dialog.SelectPage(nPage)) << nPage;
        EXPECT_EQ(Selected(dialog), CString(u"ISO 5")) << "after showing page " << nPage;
    }
    EXPECT_EQ(dialog.GetFeatureSettingStyles(CFeatureSettingTreeDialog::kDimension)->GetCurrentSettingStyleName(),
              CString(u"ISO 5"));
    dialog.DestroyWindow();
}

TEST_F(StyleDialogTest, RegisteringAsksANameAndRefusesAnEmptyOne)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 12, FALSE);
    const GeneralFeatureSetting given = General(3, 2, 4);
    dialog.SetGeneralFeatureSetting(&given);
    dialog.SetFeatureSettingStyles(&m_styles);
    Open(dialog);

    // Empty: refused with its message, the name dialog stays; then a new name is stored and selected.
    bool stayed = false;
    WhenNameAsked([&](CRegisterSettingStyleDialog& names) {
        EXPECT_EQ(names.m_nameList.GetCount(), 2);
        names.m_nameList.SetWindowText(u"");
        Press(names, IDOK);
        stayed = names.GetSafeHwnd() != nullptr && TheApp()->boxes.size() == 1;
        names.m_nameList.SetWindowText(u"Green");
        Press(names, IDOK);
    });
    Press(dialog, CFeatureSettingTreeDialog::kRegisterId);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(TheApp()->boxes.size(), 1u);
    EXPECT_EQ(TheApp()->boxes[0].text, LoadResourceString(10370).ToQString());
    GeneralFeatureSettingStyles* pStyles = dialog.GetGeneralFeatureSettingStyles();
    ASSERT_EQ(pStyles->GetSettingStyleCount(), 3);
    EXPECT_EQ(Selected(dialog), CString(u"Green"));
    EXPECT_EQ(pStyles->GetCurrentSettingStyleName(), CString(u"Green"));
    const auto* pGreen = dynamic_cast<const GeneralFeatureSetting*>(pStyles->GetSettingStyle(CString(u"Green")));
    ASSERT_NE(pGreen, nullptr);
    EXPECT_TRUE(Same(*pGreen, given));

    // A case-variant asks; No keeps the name dialog open, Yes replaces the style in place.
    TheApp()->boxes.clear();
    TheApp()->answer = IDNO;
    bool kept = false;
    WhenNameAsked([&](CRegisterSettingStyleDialog& names) {
        names.m_nameList.SetWindowText(u"BLUE");
        Press(names, IDOK);
        kept = names.GetSafeHwnd() != nullptr;
        TheApp()->answer = IDYES;
        Press(names, IDOK);
    });
    Press(dialog, CFeatureSettingTreeDialog::kRegisterId);
    EXPECT_TRUE(kept);
    ASSERT_EQ(TheApp()->boxes.size(), 2u);
    EXPECT_TRUE(TheApp()->boxes[0].text.contains(QStringLiteral("BLUE")));
    EXPECT_EQ(pStyles->GetSettingStyleCount(), 3);
    EXPECT_EQ(pStyles->GetSettingStyleName(1), CString(u"BLUE"));
    EXPECT_EQ(Selected(dialog), CString(u"BLUE"));

    // Cancel registers nothing.
    WhenNameAsked([&](CRegisterSettingStyleDialog& names) {
        names.m_nameList.SetWindowText(u"Other");
        Press(names, IDCANCEL);
    });
    Press(dialog, CFeatureSettingTreeDialog::kRegisterId);
    EXPECT_EQ(pStyles->GetSettingStyleCount(), 3);
    dialog.DestroyWindow();
}

TEST_F(StyleDialogTest, DeletingAsksAndLeavesNothingSelected)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 12, FALSE);
    const GeneralFeatureSetting given = General(3, 2, 4);
    dialog.SetGeneralFeatureSetting(&given);
    dialog.SetFeatureSettingStyles(&m_styles);
    Open(dialog);
    Choose(dialog, u"Red");
    TheApp()->answer = IDNO;
    Press(dialog, CFeatureSettingTreeDialog::kDeleteId);
    EXPECT_EQ(dialog.GetGeneralFeatureSettingStyles()->GetSettingStyleCount(), 2);
    ASSERT_EQ(TheApp()->boxes.size(), 1u);
    EXPECT_TRUE(TheApp()->boxes[0].text.contains(QStringLiteral("Red")));
    EXPECT_EQ(TheApp()->boxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));

    TheApp()->answer = IDYES;
    Press(dialog, CFeatureSettingTreeDialog::kDeleteId);
    EXPECT_EQ(dialog.GetGeneralFeatureSettingStyles()->GetSettingStyleCount(), 1);
    EXPECT_EQ(dialog.GetStyleList().GetCount(), 1);
    EXPECT_EQ(dialog.GetStyleList().GetCurSel(), CB_ERR);
    EXPECT_FALSE(dialog.GetDlgItem(CFeatureSettingTreeDialog::kDeleteId)->IsWindowEnabled());
    dialog.DestroyWindow();
}

}  // namespace
