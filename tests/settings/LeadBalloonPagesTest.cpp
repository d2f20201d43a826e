// The lead and balloon style pages: values read back as loaded (shown or not, normal and mixed), the
// enabling rules, the fields' ranges, a vertical-writing face shown as its family, and the samples each
// focused field shows.

#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <cfloat>
#include <string>

#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CBalloonSettingPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CLeadSettingPage.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

LeadSetting VariedLead()
{
    LeadSetting s;
    s.SetType(6);
    s.SetSize(1.75);
    s.SetColorNo(3);
    s.SetLineTypeNo(2);
    s.SetLineWidthNo(1);
    TextSetting text = s.GetTextFont();
    text.SetFontName(CString(u"DejaVu Sans"));
    text.SetHeight(3.5);
    text.SetColorNo(5);
    text.SetWidthRatio(0.7);
    text.SetSlantAngle(-12.0);
    text.SetCharSpacing(0.35);
    text.SetStyleFlag(1);
    s.SetTextFont(text);
    s.SetTextColorDifferentLead(1);
    s.SetTextAngleType(1);
    s.SetTextPosAngle(30.0);
    s.SetTextVerticalOrient(2);
    s.SetVerticalDistance(-0.5);
    s.SetDistanceFromLastPoint(1.5);
    s.SetWithUnderLine(1);
    s.SetUnderLineExtension(2.0);
    return s;
}

LeadSetting MixedLead()
{
    LeadSetting s = VariedLead();
    s.SetType(-1);
    s.SetSize(DBL_MAX);
    s.SetColorNo(32767);
    TextSetting text = s.GetTextFont();
    text.SetFontName(CString(u"\\n"));
    text.SetHeight(DBL_MAX);
    s.SetTextFont(text);
    s.SetTextColorDifferentLead(2);
    s.SetWithUnderLine(2);
    s.SetTextAngleType(-1);
    return s;
}

BalloonSetting VariedBalloon()
{
    BalloonSetting s;
    s.SetType(1);
    s.SetSize(8.0);
    s.SetColorNo(2);
    s.SetLineTypeNo(1);
    s.SetLineWidthNo(2);
    TextSetting text = s.GetTextFont();
    text.SetFontName(CString(u"DejaVu Sans"));
    text.SetSlantAngle(15.0);
    text.SetColorNo(6);
    text.SetStyleFlag(1);
    s.SetTextFont(text);
    s.SetTextColorDifferentBalloon(1);
    s.SetLeadArrowType(9);
    s.SetLeadArrowSize(1.25);
    s.SetLeadColorDifferentBalloon(1);
    s.SetLeadColorNo(4);
    s.SetLeadLineTypeDifferentBalloon(0);
    s.SetLeadLineTypeNo(2);
    s.SetLeadLineWidthDifferentBalloon(1);
    s.SetLeadLineWidthNo(1);
    return s;
}

BalloonSetting MixedBalloon()
{
    BalloonSetting s = VariedBalloon();
    s.SetType(-1);
    s.SetSize(DBL_MAX);
    TextSetting text = s.GetTextFont();
    text.SetFontName(CString(u"\\n"));
    text.SetSlantAngle(DBL_MAX);
    s.SetTextFont(text);
    s.SetLeadColorDifferentBalloon(2);
    s.SetLeadArrowType(-1);
    return s;
}

class LeadBalloonPagesTest : public SettingsDialogTest
{
protected:
    static void Select(CDialog& page, int nID, int nIndex)
    {
        auto* pList = dynamic_cast<CComboBox*>(page.GetDlgItem(nID));
        ASSERT_NE(pList, nullptr);
        pList->SetCurSel(nIndex);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELENDOK), reinterpret_cast<LPARAM>(pList->m_hWnd));
    }
    static void Check(CDialog& page, int nID, int nState)
    {
        auto* pBox = dynamic_cast<CButton*>(page.GetDlgItem(nID));
        ASSERT_NE(pBox, nullptr);
        pBox->SetCheck(nState);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pBox->m_hWnd));
    }
    Draw2dDocument m_document;
};

TEST_F(LeadBalloonPagesTest, BothPagesReadBackWhatWasLoadedShownOrNot)
{
    struct Case {
        BOOL mixed;
        LeadSetting lead;
        BalloonSetting balloon;
    } cases[] = {{FALSE, LeadSetting(), BalloonSetting()},
                 {FALSE, VariedLead(), VariedBalloon()},
                 {TRUE, MixedLead(), MixedBalloon()}};
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 3, c.mixed);
        dialog.SetLeadSetting(&c.lead);
        dialog.SetBalloonSetting(&c.balloon);
        LeadSetting lead;
        BalloonSetting balloon;
        ASSERT_TRUE(dialog.GetLeadSetting(&lead));
        ASSERT_TRUE(dialog.GetBalloonSetting(&balloon));
        EXPECT_TRUE(lead.IsEqual(c.lead)) << "lead never shown, mixed " << c.mixed;
        EXPECT_TRUE(balloon.IsEqual(c.balloon)) << "balloon never shown, mixed " << c.mixed;
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        for (int nPage : {3, 4}) {
            ASSERT_TRUE(dialog.SelectPage(nPage));
            ASSERT_NE(dialog.GetPage(nPage)->GetSafeHwnd(), nullptr);
            ASSERT_TRUE(dialog.GetPage(nPage)->OnKillActive());
        }
        ASSERT_TRUE(dialog.GetLeadSetting(&lead));
        ASSERT_TRUE(dialog.GetBalloonSetting(&balloon));
        EXPECT_TRUE(lead.IsEqual(c.lead)) << "lead shown, mixed " << c.mixed;
        EXPECT_TRUE(balloon.IsEqual(c.balloon)) << "balloon shown, mixed " << c.mixed;
        EXPECT_TRUE(Boxes().empty());
        dialog.DestroyWindow();
    }
}

TEST_F(LeadBalloonPagesTest, TheLeadPageEnablesItsDependentFields)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 3, FALSE);
    LeadSetting given = VariedLead();
    dialog.SetLeadSetting(&given);
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    auto& page = *static_cast<CLeadSettingPage*>(dialog.GetPage(3));
    using P = CLeadSettingPage;
    EXPECT_TRUE(Enabled(page, P::kSizeId));
    EXPECT_TRUE(Enabled(page, P::kAngleId));
    EXPECT_TRUE(Enabled(page, P::kVerticalDistanceId));
    EXPECT_TRUE(Enabled(page, P::kUnderlineExtensionId));
    EXPECT_TRUE(Enabled(page, P::kTextColorId));
    Select(page, P::kAngleTypeId, 0);
    EXPECT_FALSE(Enabled(page, P::kAngleId));
    Select(page, P::kOrientId, 1);
    EXPECT_FALSE(Enabled(page, P::kVerticalDistanceId));
    // No arrow: its size is disabled at the next enabling update.
    Select(page, P::kArrowId, 0);
    Check(page, P::kUnderlineId, BST_UNCHECKED);
    EXPECT_FALSE(Enabled(page, P::kUnderlineExtensionId));
    EXPECT_FALSE(Enabled(page, P::kSizeId));
    Check(page, P::kTextColorRuleId, BST_UNCHECKED);
    EXPECT_FALSE(Enabled(page, P::kTextColorId));
    LeadSetting read;
    ASSERT_TRUE(dialog.GetLeadSetting(&read));
    EXPECT_EQ(read.GetType(), 0);
    EXPECT_DOUBLE_EQ(read.GetTextPosAngle(), 30.0) << "a disabled field's value is saved";
    dialog.DestroyWindow();
}

TEST_F(LeadBalloonPagesTest, EachBalloonRuleEnablesItsOwnList)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 4, FALSE);
    BalloonSetting given = VariedBalloon();
    dialog.SetBalloonSetting(&given);
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    auto& page = *static_cast<CBalloonSettingPage*>(dialog.GetPage(4));
    using P = CBalloonSettingPage;
    EXPECT_EQ(static_cast<CComboBox*>(page.GetDlgItem(P::kKindId))->GetCount(), 2);
    EXPECT_TRUE(Enabled(page, P::kLeadColorId));
    EXPECT_FALSE(Enabled(page, P::kLeadLineTypeId));
    EXPECT_TRUE(Enabled(page, P::kLeadLineWidthId));
    Check(page, P::kLeadLineTypeRuleId, BST_CHECKED);
    EXPECT_TRUE(Enabled(page, P::kLeadLineTypeId));
    EXPECT_TRUE(Enabled(page, P::kLeadColorId));
    Check(page, P::kTextColorRuleId, BST_UNCHECKED);
    EXPECT_FALSE(Enabled(page, P::kTextColorId));
    EXPECT_TRUE(Enabled(page, P::kLeadLineWidthId));
    Select(page, P::kArrowId, 0);
    Check(page, P::kLeadColorRuleId, BST_UNCHECKED);
    EXPECT_FALSE(Enabled(page, P::kArrowSizeId));
    EXPECT_FALSE(Enabled(page, P::kLeadColorId));
    dialog.DestroyWindow();
}

TEST_F(LeadBalloonPagesTest, FieldsKeepToTheirRanges)
{
    struct Case {
        int page, field;
        const char16_t* text;
        UINT message;
    } cases[] = {
        {3, CLeadSettingPage::kWidthId, u"1", 0},         {3, CLeadSettingPage::kWidthId, u"10000", 0},
        {3, CLeadSettingPage::kWidthId, u"0.5", 10124},   {3, CLeadSettingPage::kWidthId, u"10001", 10124},
        {3, CLeadSettingPage::kAngleId, u"360", 10126},   {3, CLeadSettingPage::kAngleId, u"0", 0},
        {3, CLeadSettingPage::kSizeId, u"0", 10125},      {3, CLeadSettingPage::kVerticalDistanceId, u"-3", 0},
        {4, CBalloonSettingPage::kSlantId, u"-85", 0},    {4, CBalloonSettingPage::kSlantId, u"85.5", 10124},
        {4, CBalloonSettingPage::kSizeId, u"0", 10125},   {4, CBalloonSettingPage::kArrowSizeId, u"0", 10125},
    };
    for (const Case& c : cases) {
        ClearBoxes();
        CFeatureSettingTreeDialog dialog(&m_document, -1, c.page, FALSE);
        const LeadSetting lead = VariedLead();
        const BalloonSetting balloon = VariedBalloon();
        dialog.SetLeadSetting(&lead);
        dialog.SetBalloonSetting(&balloon);
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        CFeatureSettingPropertyPage* pPage = dialog.GetPage(c.page);
        ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
        Type(*pPage, c.field, QString::fromUtf16(c.text));
        const std::string at = std::to_string(c.field) + " " + QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(pPage->OnKillActive() != FALSE, c.message == 0) << at;
        if (c.message != 0)
            EXPECT_TRUE(OneBox(c.message)) << at;
        else
            EXPECT_TRUE(Boxes().empty()) << at;
        dialog.DestroyWindow();
    }
}

TEST_F(LeadBalloonPagesTest, AVerticalWritingFaceShowsAsItsFamily)
{
    LeadSetting lead = VariedLead();
    TextSetting text = lead.GetTextFont();
    text.SetFontName(CString(u"@DejaVu Sans"));
    lead.SetTextFont(text);
    CFeatureSettingTreeDialog dialog(&m_document, -1, 3, FALSE);
    dialog.SetLeadSetting(&lead);
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    ASSERT_TRUE(dialog.GetPage(3)->OnKillActive());
    LeadSetting read;
    ASSERT_TRUE(dialog.GetLeadSetting(&read));
    EXPECT_EQ(read.GetTextFont().GetFontName(), CString(u"DejaVu Sans"));
    dialog.DestroyWindow();
}

TEST_F(LeadBalloonPagesTest, EveryFocusedFieldDrawsASample)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 3, FALSE);
    const LeadSetting lead = VariedLead();
    const BalloonSetting balloon = VariedBalloon();
    dialog.SetLeadSetting(&lead);
    dialog.SetBalloonSetting(&balloon);
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    dialog.ShowWindow(SW_SHOW);
    struct Case {
        int page, field;
    } cases[] = {{3, CLeadSettingPage::kArrowId},       {3, CLeadSettingPage::kSizeId},
                 {3, CLeadSettingPage::kWidthId},       {3, CLeadSettingPage::kAngleId},
                 {3, CLeadSettingPage::kDistanceId},    {3, CLeadSettingPage::kVerticalDistanceId},
                 {3, CLeadSettingPage::kUnderlineExtensionId}, {4, CBalloonSettingPage::kKindId},
                 {4, CBalloonSettingPage::kSizeId},     {4, CBalloonSettingPage::kSlantId},
                 {4, CBalloonSettingPage::kArrowSizeId}};
    QImage last;
    for (const Case& c : cases) {
        ASSERT_TRUE(dialog.SelectPage(c.page));
        CWnd* pField = dialog.GetPage(c.page)->GetDlgItem(c.field);
        ASSERT_NE(pField, nullptr);
        pField->SetFocus();
        Pump();
        ASSERT_NE(dialog.GetPreviewImage(), nullptr);
        const QImage image = *dialog.GetPreviewImage();
        EXPECT_NE(image, last) << "field " << c.field << " shows its own sample";
        last = image;
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR") && c.field == CLeadSettingPage::kWidthId)
            dialog.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/lead-page.png"));
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR") && c.field == CBalloonSettingPage::kKindId)
            dialog.GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/balloon-page.png"));
    }
    EXPECT_TRUE(Boxes().empty());
    dialog.DestroyWindow();
}

}  // namespace
