// The dimension colour and line page inside the style dialog: what is loaded reads back (shown or not,
// normal and mixed) with every other dimension value passing through, the rules enabling their boxes, the
// value text colour the text style can hold, the tree's dimension item, and the standard preview sample.

#include <gtest/gtest.h>

#include <QtGui/QImage>

#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CButton.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/CDimensionColorLineSettingPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/DimensionStylePreview.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

using Page = CDimensionColorLineSettingPage;

DimensionSetting Styled(short colour, short type, short width, int textRule, short textColour, int colourRule,
                        short extColour, int typeRule, short extType, int widthRule, short extWidth)
{
    DimensionSetting s;
    s.SetColorNo(colour);
    s.SetLineTypeNo(type);
    s.SetLineWidthNo(width);
    s.SetDimTextColorDifferentDim(textRule);
    TextSetting text = s.GetDimTextFont();
    text.SetColorNo(textColour);
    s.SetDimTextFont(text);
    s.SetProjectionColorDifferentDim(colourRule);
    s.SetProjectionColorNo(extColour);
    s.SetProjectionLTypeDifferentDim(typeRule);
    s.SetProjectionLTypeNo(extType);
    s.SetProjectionWidthDifferentDim(widthRule);
    s.SetProjectionWidthNo(extWidth);
    s.SetArrowSize1(3.25);  // shown by no page made here: must pass through
    return s;
}

class DimensionColorLinePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(TheApp(), nullptr);
        TheApp()->boxes.clear();
    }
    static Page& ThePage(CFeatureSettingTreeDialog& dialog)
    {
        return *static_cast<Page*>(dialog.GetPage(CFeatureSettingPropertyPage::kDimensionColorPage));
    }
    static void Open(CFeatureSettingTreeDialog& dialog) { ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr)); }
    Draw2dDocument m_document;
};

TEST_F(DimensionColorLinePageTest, ReadsBackWhatWasLoadedShownOrNot)
{
    struct Case {
        BOOL mixed;
        DimensionSetting given;
    } cases[] = {
        {FALSE, Styled(3, 2, 1, 1, 5, 1, 4, 0, 2, 1, 1)},
        {FALSE, Styled(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)},
        {TRUE, Styled(32767, 32767, 32767, 2, 32767, 2, 32767, 2, 32767, 2, 32767)},
        {TRUE, Styled(1, 32767, 2, 0, 3, 2, 1, 1, 32767, 0, 1)},
    };
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 9, c.mixed);
        dialog.SetDimensionSetting(&c.given);
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        EXPECT_TRUE(read.IsEqual(c.given)) << "never shown, mixed " << c.mixed;
        Open(dialog);
        ASSERT_NE(ThePage(dialog).GetSafeHwnd(), nullptr);
        ASSERT_TRUE(ThePage(dialog).OnKillActive());
        DimensionSetting shown;
        ASSERT_TRUE(dialog.GetDimensionSetting(&shown));
        EXPECT_TRUE(shown.IsEqual(c.given)) << "shown and read, mixed " << c.mixed;
        EXPECT_EQ(shown.GetArrowSize1(), 3.25);
        dialog.DestroyWindow();
    }
    EXPECT_TRUE(TheApp()->boxes.empty());
}

TEST_F(DimensionColorLinePageTest, WithoutADimensionStyleNothingIsRead)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 9, FALSE);
    DimensionSetting read;
    read.SetColorNo(7);
    EXPECT_FALSE(dialog.GetDimensionSetting(&read));
    EXPECT_EQ(read.GetColorNo(), 7);
    EXPECT_EQ(dialog.GetPage(CFeatureSettingPropertyPage::kDimensionColorPage), nullptr);
}

TEST_F(DimensionColorLinePageTest, EachRuleEnablesItsBoxAndAClearedRuleStillSavesTheNumber)
{
    const DimensionSetting given = Styled(3, 2, 1, 0, 5, 0, 4, 1, 2, 2, 1);
    for (BOOL mixed : {FALSE, TRUE}) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 9, mixed);
        dialog.SetDimensionSetting(&given);
        Open(dialog);
        Page& page = ThePage(dialog);
        EXPECT_FALSE(page.GetDlgItem(Page::kTextColorId)->IsWindowEnabled());
        EXPECT_FALSE(page.GetDlgItem(Page::kProjectionColorId)->IsWindowEnabled());
        EXPECT_TRUE(page.GetDlgItem(Page::kProjectionLineTypeId)->IsWindowEnabled());
        // An indeterminate rule (only loadable in mixed mode) enables its box too.
        EXPECT_TRUE(page.GetDlgItem(Page::kProjectionWidthId)->IsWindowEnabled());
        auto* pRule = static_cast<CButton*>(page.GetDlgItem(Page::kProjectionColorRuleId));
        EXPECT_EQ((pRule->GetStyle() & BS_TYPEMASK) == BS_AUTO3STATE, mixed != FALSE);
        // Turning the extension colour rule on enables its box.
        pRule->SetCheck(BST_CHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(Page::kProjectionColorRuleId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(pRule->m_hWnd));
        EXPECT_TRUE(page.GetDlgItem(Page::kProjectionColorId)->IsWindowEnabled());
        EXPECT_EQ((pRule->GetStyle() & BS_TYPEMASK), static_cast<DWORD>(BS_AUTOCHECKBOX)) << "decided once clicked";
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        EXPECT_EQ(read.GetProjectionColorDifferentDim(), 1);
        EXPECT_EQ(read.GetProjectionColorNo(), 4);
        EXPECT_EQ(read.GetDimTextColorDifferentDim(), 0);
        EXPECT_EQ(read.GetDimTextFont().GetColorNo(), 5) << "a disabled box's number is saved";
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionColorLinePageTest, OnlyAColourTheTextStyleCanHoldIsWritten)
{
    struct Case {
        short page;
        short expected;
    } cases[] = {{300, 9}, {257, 9}, {-2, 9}, {256, 256}, {0, 0}, {-1, -1}, {32767, 32767}};
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 9, FALSE);
        const DimensionSetting given = Styled(1, 1, 1, 1, 9, 0, 1, 0, 1, 0, 1);
        dialog.SetDimensionSetting(&given);
        ThePage(dialog).m_nTextColorNo = c.page;
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        EXPECT_EQ(read.GetDimTextFont().GetColorNo(), c.expected) << c.page;
    }
}

TEST_F(DimensionColorLinePageTest, TheDimensionItemOpensForAnyDimensionPageAndShowsAPreview)
{
    for (int initial : {5, 9, 10}) {
        const DimensionSetting given = Styled(3, 2, 1, 1, 5, 1, 4, 0, 2, 1, 1);
        CFeatureSettingTreeDialog dialog(&m_document, -1, initial, FALSE);
        dialog.SetDimensionSetting(&given);
        Open(dialog);
        CQZ2TreeCtrl& tree = dialog.GetTree();
        HTREEITEM hRoot = tree.GetRootItem();
        ASSERT_NE(hRoot, nullptr);
        EXPECT_EQ(tree.GetSelectedItem(), hRoot) << "initial page " << initial;
        EXPECT_EQ(dialog.GetCurrentPageIndex(), CFeatureSettingPropertyPage::kDimensionColorPage);
        CString caption = tree.GetItemText(hRoot);
        EXPECT_FALSE(caption.IsEmpty());
        ASSERT_NE(dialog.GetPreviewImage(), nullptr);
        const QImage& image = *dialog.GetPreviewImage();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_TRUE(drawn) << "the sample dimension is drawn";
        dialog.DestroyWindow();
        EXPECT_EQ(CFeatureSettingTreeDialog::GetLastStylePage(), 9);
    }
}

TEST_F(DimensionColorLinePageTest, TheStandardSampleJustHoldsItsTextAndArrows)
{
    for (int arrow : {0, 1, 6}) {
        DimensionSetting source;
        source.SetArrowType1(arrow);
        source.SetArrowType2(1);
        source.SetArrowSize1(40.0);  // replaced by the sample's own size
        TextSetting text = source.GetDimTextFont();
        text.SetHeight(70.0);
        source.SetDimTextFont(text);
        DimensionSetting sample;
        DimensionStylePreview::MakeSampleSetting(source, sample);
        EXPECT_EQ(sample.GetArrowSize1(), 1.5);
        EXPECT_EQ(sample.GetDimTextFont().GetHeight(), 5.0);
        EXPECT_EQ(sample.GetArrowType1(), arrow);
        Feature2dList samples;
        ASSERT_TRUE(DimensionStylePreview::AddStandardSample(sample, samples));
        ASSERT_EQ(samples.GetFeatureSize(), 1);
        auto* pDimension = dynamic_cast<LinearDimension2dFeature*>(samples.GetFeature(0));
        ASSERT_NE(pDimension, nullptr);
        double h1 = 0, v1 = 0, h2 = 0, v2 = 0;
        Arrow2dFeature::GetArrowHorizonVerticalSize(arrow, 1.5, h1, v1);
        Arrow2dFeature::GetArrowHorizonVerticalSize(1, 1.5, h2, v2);
        const double w = DimensionText(pDimension).GetTextWidth();
        EXPECT_GT(w, 0.0);
        const double x = pDimension->GetPoint(1).X();
        EXPECT_NEAR(x, 1.1 * (w + h1 + h2), 1e-6) << "arrow " << arrow;
        EXPECT_NEAR(pDimension->GetValueTextPoint().X(), x + 1.1 * h2 + w / 2, 1e-6);
        EXPECT_NEAR(pDimension->GetPoint(0).Y(), -2.3 * (std::max(v1, v2) + 5.0), 1e-9);
    }
}

TEST_F(DimensionColorLinePageTest, MixedValuesDrawWithTheDefaults)
{
    DimensionSetting source;
    source.SetArrowType1(-1);
    source.SetColorNo(32767);
    DimensionSetting sample;
    DimensionStylePreview::MakeSampleSetting(source, sample);
    const DimensionSetting defaults;
    EXPECT_EQ(sample.GetArrowType1(), defaults.GetArrowType1());
}

}  // namespace
