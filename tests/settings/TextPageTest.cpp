// The text page: values read back as loaded, the field ranges, the at sign of a vertical-writing face
// dropped, and the mixed-values forms (empty font, indeterminate options that a first click settles).

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>

#include <QtGui/QImage>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CButton.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CTextSettingPage.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

class TextPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        TheApp()->boxes.clear();
        m_given.SetHeight(3.5);
        m_given.SetWidthRatio(0.8);
        m_given.SetSlantAngle(15.0);
        m_given.SetCharSpacing(0.5);
        m_given.SetLineSpacing(1.0);
        m_given.SetOption2(1);
    }
    CTextSettingPage& Open(CFeatureSettingTreeDialog& dialog, const TextSetting& given)
    {
        dialog.SetTextSetting(&given);
        EXPECT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        return *static_cast<CTextSettingPage*>(dialog.GetPage(CFeatureSettingPropertyPage::kTextPage));
    }
    Draw2dDocument m_document;
    TextSetting m_given;
};

TEST_F(TextPageTest, ReadsBackWhatWasLoaded)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 2, FALSE);
    dialog.SetTextSetting(&m_given);
    TextSetting read;
    ASSERT_TRUE(dialog.GetTextSetting(&read));
    EXPECT_TRUE(read.IsEqual(m_given)) << "never shown";
    ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    auto* pPage = static_cast<CTextSettingPage*>(dialog.GetPage(CFeatureSettingPropertyPage::kTextPage));
    ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(pPage->OnKillActive());
    TextSetting shown;
    dialog.GetTextSetting(&shown);
    EXPECT_DOUBLE_EQ(shown.GetWidthRatio(), 0.8);
    EXPECT_DOUBLE_EQ(shown.GetHeight(), 3.5);
    EXPECT_DOUBLE_EQ(shown.GetSlantAngle(), 15.0);
    EXPECT_EQ(shown.GetOption2(), 1);
    EXPECT_TRUE(TheApp()->boxes.empty());
    dialog.DestroyWindow();
}

TEST_F(TextPageTest, FieldsKeepToTheirRanges)
{
    struct Case {
        int field;
        const char16_t* text;
        bool accepted;
    } cases[] = {
        {CTextSettingPage::kWidthId, u"100", true},    {CTextSettingPage::kWidthId, u"0.5", false},
        {CTextSettingPage::kSlantId, u"-85", true},    {CTextSettingPage::kSlantId, u"85", true},
        {CTextSettingPage::kSlantId, u"-85.5", false}, {CTextSettingPage::kHeightId, u"0", false},
        {CTextSettingPage::kSpacingId, u"0", true},    {CTextSettingPage::kLineSpacingId, u"-1", false},
    };
    for (const Case& c : cases) {
        TheApp()->boxes.clear();
        CFeatureSettingTreeDialog dialog(&m_document, -1, 2, FALSE);
        CTextSettingPage& page = Open(dialog, m_given);
        page.GetDlgItem(c.field)->SetWindowText(c.text);
        EXPECT_EQ(page.OnKillActive() != FALSE, c.accepted) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(TheApp()->boxes.size(), c.accepted ? 0u : 1u) << QString::fromUtf16(c.text).toStdString();
        if (c.accepted && c.field == CTextSettingPage::kWidthId) {
            TextSetting read;
            dialog.GetTextSetting(&read);
            EXPECT_DOUBLE_EQ(read.GetWidthRatio(), 1.0);
        }
        dialog.DestroyWindow();
    }
}

TEST_F(TextPageTest, AVerticalWritingFaceReadsBackAsItsFamily)
{
    TextSetting given = m_given;
    given.SetFontName(CString(u"@DejaVu Sans"));
    CFeatureSettingTreeDialog dialog(&m_document, -1, 2, FALSE);
    CTextSettingPage& page = Open(dialog, given);
    ASSERT_TRUE(page.OnKillActive());
    TextSetting read;
    dialog.GetTextSetting(&read);
    EXPECT_EQ(read.GetFontName(), CString(u"DejaVu Sans"));
    dialog.DestroyWindow();
}

TEST_F(TextPageTest, MixedValuesStayUndefinedUntilSet)
{
    TextSetting given = m_given;
    given.SetFontName(CString(u"\\n"));
    given.SetHeight(DBL_MAX);
    given.SetOption1(2);
    given.SetOption3(2);
    CFeatureSettingTreeDialog dialog(&m_document, -1, 2, TRUE);
    CTextSettingPage& page = Open(dialog, given);
    ASSERT_TRUE(page.OnKillActive());
    TextSetting read;
    dialog.GetTextSetting(&read);
    EXPECT_EQ(read.GetFontName(), CString(u"\\n"));
    EXPECT_EQ(read.GetHeight(), DBL_MAX);
    EXPECT_EQ(read.GetOption1(), 2);

    // The first click on an indeterminate box leaves it unchecked for good.
    auto* pBox = static_cast<CButton*>(page.GetDlgItem(CTextSettingPage::kOption1Id));
    pBox->SendMessage(BM_CLICK, 0, 0);
    EXPECT_EQ(pBox->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(pBox->GetStyle() & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX));
    pBox->SendMessage(BM_CLICK, 0, 0);
    EXPECT_EQ(pBox->GetCheck(), BST_CHECKED);
    pBox->SendMessage(BM_CLICK, 0, 0);
    EXPECT_EQ(pBox->GetCheck(), BST_UNCHECKED);
    ASSERT_TRUE(page.OnKillActive());
    dialog.GetTextSetting(&read);
    EXPECT_EQ(read.GetOption1(), 0);
    EXPECT_EQ(read.GetOption3(), 2) << "an untouched box stays undefined";
    dialog.DestroyWindow();
}

}  // namespace

namespace {

// The preview's samples fill the picture about its centre, whatever the text's size in the drawing.
TEST_F(TextPageTest, ThePreviewIsCentredAndFillsThePicture)
{
    for (double height : {0.5, 3.5, 200.0}) {
        TextSetting given = m_given;
        given.SetHeight(height);
        CFeatureSettingTreeDialog dialog(&m_document, -1, 2, FALSE);
        Open(dialog, given);
        ASSERT_NE(dialog.GetPreviewImage(), nullptr);
        const QImage image = dialog.GetPreviewImage()->convertToFormat(QImage::Format_RGB32);
        int left = image.width(), right = -1, top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(right, 0) << "something is drawn, height " << height;
        EXPECT_NEAR((left + right) / 2.0, image.width() / 2.0, image.width() / 6.0) << "height " << height;
        EXPECT_NEAR((top + bottom) / 2.0, image.height() / 2.0, image.height() / 6.0) << "height " << height;
        EXPECT_GT(right - left, image.width() / 2) << "not small, height " << height;
        dialog.DestroyWindow();
    }
}

}  // namespace
