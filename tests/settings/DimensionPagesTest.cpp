// The dimension style pages in the style dialog: every page reads back what was loaded (shown or not,
// normal and mixed), the enabling rules, the fields' ranges, the formats the tolerance page takes from
// the value text page, the degrees-minutes-seconds limit, texts of a chosen style, the automatic
// arrangement animation, and the focus-dependent samples.

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include <string>

#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CDimensionAddTextSettingPage.h"
#include "settings/CDimensionAutoSettingPage.h"
#include "settings/CDimensionSettingPage.h"
#include "settings/CDimensionTextSettingPage.h"
#include "settings/CDimensionToleranceSettingPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/DimensionStylePreview.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

using ArrowsPage = CDimensionSettingPage;
using TextPage = CDimensionTextSettingPage;
using AddTextPage = CDimensionAddTextSettingPage;
using TolerancePage = CDimensionToleranceSettingPage;
using AutoPage = CDimensionAutoSettingPage;

// A style with a value in every field that differs from the defaults.
DimensionSetting Varied()
{
    DimensionSetting s;
    s.SetDimLineEnd1Drawn(1);
    s.SetDimLineEnd2Drawn(0);
    s.SetArrowType1(6);
    s.SetArrowSize1(2.25);
    s.SetArrowType2(9);
    s.SetArrowSize2(1.75);
    s.SetArrowPosition(1);
    s.SetInsideDimLine(1);
    s.SetOutsideLength1(4.5);
    s.SetOutsideLength2(3.5);
    s.SetExtendedDimLine(0);
    s.SetProjectionShow1(1);
    s.SetProjectionShow2(0);
    s.SetProjectionExtension1(1.25);
    s.SetProjectionExtension2(0.75);
    s.SetProjectionLineMode(1);
    s.SetProjectionOffsetOrLineLength1(6.0);
    s.SetProjectionOffsetOrLineLength2(7.0);
    s.SetArcDimProjeLineRadialMode(1);
    TextSetting text = s.GetDimTextFont();
    text.SetFontName(CString(u"DejaVu Sans"));
    text.SetHeight(3.5);
    text.SetWidthRatio(0.8);
    text.SetSlantAngle(-10.0);
    text.SetCharSpacing(0.25);
    text.SetStyleFlag(1);
    s.SetDimTextFont(text);
    s.SetLengthUnitFormatType(2);
    s.SetPrecision(3);
    s.SetRound(0.5);
    s.SetLengthDimValueScale(2.0);
    s.SetAngleUnitFormatType(1);
    s.SetAnglePrecision(4);
    s.SetZeroVisible(1);
    s.SetSeparateTextType(2);
    s.SetAddRPhi(1);
    s.SetVerticalPos(2);
    s.SetDistance(-1.5);
    s.SetHorizonPos(5);
    s.SetPosAngle(2);
    s.SetDimValuePosAngle(30.0);
    s.SetToFullWidth(1);
    s.SetArcDimTextOption(2);
    s.SetPreAdditionText(CString(u"2x"));
    s.SetInsideAdditionTextType(1);
    s.SetInsideAdditionText1(CString(u"a"));
    s.SetInsideAdditionText2(CString(u"b"));
    s.SetInsideAdditionTextSizeRatio(0.75);
    s.SetInsideAdditionTextVerticalArrangeType(2);
    s.SetInsideAdditionTextHorizonArrangeType(0);
    s.SetPostAdditionTextType(0);
    s.SetPostAdditionText1(CString(u"TYP."));
    s.SetPostAdditionText2(CString(u"c"));
    s.SetPostAdditionTextSizeRatio(0.5);
    s.SetPostAdditionTextVerticalArrangeType(1);
    s.SetPostAdditionTextHorizonArrangeType(2);
    s.SetToleranceType(2);
    s.SetTolerance1(0.1);
    s.SetTolerance2(-0.05);
    s.SetToleranceAngle1(0.5);
    s.SetToleranceAngle2(-0.25);
    s.SetTolerancePrecision(2);
    s.SetToleranceAnglePrecision(3);
    s.SetToleranceTextSizeRatio(0.7);
    s.SetToleranceHorizonTrueUpType(1);
    s.SetToleranceVerticalTrueUpType(0);
    s.SetToleranceAddParenthesis(1);
    s.SetToleranceZeroVisible(1);
    s.SetVisibleDimValue(1);
    s.SetAutoArrowPosition(1);
    s.SetNotSettledArrowPosMode(2);
    s.SetAutoHorizonPos(1);
    return s;
}

// What several shapes with differing values give: undefined forms everywhere the pages show them.
DimensionSetting Mixed()
{
    DimensionSetting s = Varied();
    s.SetDimLineEnd1Drawn(2);
    s.SetArrowType2(-1);
    s.SetArrowSize1(DBL_MAX);
    s.SetProjectionShow2(2);
    s.SetOutsideLength2(DBL_MAX);
    TextSetting text = s.GetDimTextFont();
    text.SetFontName(CString(u"\\n"));
    text.SetHeight(DBL_MAX);
    s.SetDimTextFont(text);
    s.SetLengthUnitFormatType(-1);
    s.SetPrecision(-1);
    // Without one length format the tolerance precisions differ too.
    s.SetTolerancePrecision(-1);
    s.SetZeroVisible(2);
    s.SetDistance(DBL_MAX);
    s.SetPreAdditionText(CString(u"\\n"));
    s.SetInsideAdditionTextSizeRatio(DBL_MAX);
    s.SetToleranceType(-1);
    s.SetTolerance1(DBL_MAX);
    s.SetToleranceAddParenthesis(2);
    s.SetAutoArrowPosition(2);
    s.SetNotSettledArrowPosMode(-1);
    return s;
}

// The names of the values in which two styles differ, for failure messages.
std::string Differences(const DimensionSetting& a, const DimensionSetting& b)
{
    std::string out;
    if (!(a.GetColorNo() == b.GetColorNo())) out += " ColorNo";
    if (!(a.GetLineTypeNo() == b.GetLineTypeNo())) out += " LineTypeNo";
    if (!(a.GetLineWidthNo() == b.GetLineWidthNo())) out += " LineWidthNo";
    if (!(a.GetProjectionColorDifferentDim() == b.GetProjectionColorDifferentDim())) out += " ProjectionColorDifferentDim";
    if (!(a.GetProjectionLTypeDifferentDim() == b.GetProjectionLTypeDifferentDim())) out += " ProjectionLTypeDifferentDim";
    if (!(a.GetProjectionWidthDifferentDim() == b.GetProjectionWidthDifferentDim())) out += " ProjectionWidthDifferentDim";
    if (!(a.GetDimTextColorDifferentDim() == b.GetDimTextColorDifferentDim())) out += " DimTextColorDifferentDim";
    if (!(a.GetProjectionColorNo() == b.GetProjectionColorNo())) out += " ProjectionColorNo";
    if (!(a.GetProjectionLTypeNo() == b.GetProjectionLTypeNo())) out += " ProjectionLTypeNo";
    if (!(a.GetProjectionWidthNo() == b.GetProjectionWidthNo())) out += " ProjectionWidthNo";
    if (!(a.GetArrowPosition() == b.GetArrowPosition())) out += " ArrowPosition";
    if (!(a.GetArrowSize1() == b.GetArrowSize1())) out += " ArrowSize1";
    if (!(a.GetArrowSize2() == b.GetArrowSize2())) out += " ArrowSize2";
    if (!(a.GetArrowType1() == b.GetArrowType1())) out += " ArrowType1";
    if (!(a.GetArrowType2() == b.GetArrowType2())) out += " ArrowType2";
    if (!(a.GetOutsideLength1() == b.GetOutsideLength1())) out += " OutsideLength1";
    if (!(a.GetOutsideLength2() == b.GetOutsideLength2())) out += " OutsideLength2";
    if (!(a.GetProjectionExtension1() == b.GetProjectionExtension1())) out += " ProjectionExtension1";
    if (!(a.GetProjectionExtension2() == b.GetProjectionExtension2())) out += " ProjectionExtension2";
    if (!(a.GetProjectionOffsetOrLineLength1() == b.GetProjectionOffsetOrLineLength1())) out += " ProjectionOffsetOrLineLength1";
    if (!(a.GetProjectionOffsetOrLineLength2() == b.GetProjectionOffsetOrLineLength2())) out += " ProjectionOffsetOrLineLength2";
    if (!(a.GetProjectionShow1() == b.GetProjectionShow1())) out += " ProjectionShow1";
    if (!(a.GetProjectionShow2() == b.GetProjectionShow2())) out += " ProjectionShow2";
    if (!(a.GetProjectionLineMode() == b.GetProjectionLineMode())) out += " ProjectionLineMode";
    if (!(a.GetDimLineEnd1Drawn() == b.GetDimLineEnd1Drawn())) out += " DimLineEnd1Drawn";
    if (!(a.GetDimLineEnd2Drawn() == b.GetDimLineEnd2Drawn())) out += " DimLineEnd2Drawn";
    if (!(a.GetExtendedDimLine() == b.GetExtendedDimLine())) out += " ExtendedDimLine";
    if (!(a.GetInsideDimLine() == b.GetInsideDimLine())) out += " InsideDimLine";
    if (!(a.GetArcDimProjeLineRadialMode() == b.GetArcDimProjeLineRadialMode())) out += " ArcDimProjeLineRadialMode";
    if (!(a.GetArcDiameterFlag() == b.GetArcDiameterFlag())) out += " ArcDiameterFlag";
    if (!(a.GetDistance() == b.GetDistance())) out += " Distance";
    if (!(a.GetHorizonPos() == b.GetHorizonPos())) out += " HorizonPos";
    if (!(a.GetSeparateTextType() == b.GetSeparateTextType())) out += " SeparateTextType";
    if (!(a.GetPosAngle() == b.GetPosAngle())) out += " PosAngle";
    if (!(a.GetDimValuePosAngle() == b.GetDimValuePosAngle())) out += " DimValuePosAngle";
    if (!(a.GetVerticalPos() == b.GetVerticalPos())) out += " VerticalPos";
    if (!(a.GetToFullWidth() == b.GetToFullWidth())) out += " ToFullWidth";
    if (!(a.GetZeroVisible() == b.GetZeroVisible())) out += " ZeroVisible";
    if (!(a.GetAddRPhi() == b.GetAddRPhi())) out += " AddRPhi";
    if (!(a.GetLengthUnitFormatType() == b.GetLengthUnitFormatType())) out += " LengthUnitFormatType";
    if (!(a.GetPrecision() == b.GetPrecision())) out += " Precision";
    if (!(a.GetRound() == b.GetRound())) out += " Round";
    if (!(a.GetLengthDimValueScale() == b.GetLengthDimValueScale())) out += " LengthDimValueScale";
    if (!(a.GetAngleUnitFormatType() == b.GetAngleUnitFormatType())) out += " AngleUnitFormatType";
    if (!(a.GetAnglePrecision() == b.GetAnglePrecision())) out += " AnglePrecision";
    if (!(a.GetArcDimTextOption() == b.GetArcDimTextOption())) out += " ArcDimTextOption";
    if (!(a.GetInsideAdditionTextType() == b.GetInsideAdditionTextType())) out += " InsideAdditionTextType";
    if (!(a.GetInsideAdditionTextSizeRatio() == b.GetInsideAdditionTextSizeRatio())) out += " InsideAdditionTextSizeRatio";
    if (!(a.GetInsideAdditionTextVerticalArrangeType() == b.GetInsideAdditionTextVerticalArrangeType())) out += " InsideAdditionTextVerticalArrangeType";
    if (!(a.GetInsideAdditionTextHorizonArrangeType() == b.GetInsideAdditionTextHorizonArrangeType())) out += " InsideAdditionTextHorizonArrangeType";
    if (!(a.GetPostAdditionTextType() == b.GetPostAdditionTextType())) out += " PostAdditionTextType";
    if (!(a.GetPostAdditionTextSizeRatio() == b.GetPostAdditionTextSizeRatio())) out += " PostAdditionTextSizeRatio";
    if (!(a.GetPostAdditionTextVerticalArrangeType() == b.GetPostAdditionTextVerticalArrangeType())) out += " PostAdditionTextVerticalArrangeType";
    if (!(a.GetPostAdditionTextHorizonArrangeType() == b.GetPostAdditionTextHorizonArrangeType())) out += " PostAdditionTextHorizonArrangeType";
    if (!(a.GetToleranceType() == b.GetToleranceType())) out += " ToleranceType";
    if (!(a.GetTolerance1() == b.GetTolerance1())) out += " Tolerance1";
    if (!(a.GetTolerance2() == b.GetTolerance2())) out += " Tolerance2";
    if (!(a.GetToleranceAngle1() == b.GetToleranceAngle1())) out += " ToleranceAngle1";
    if (!(a.GetToleranceAngle2() == b.GetToleranceAngle2())) out += " ToleranceAngle2";
    if (!(a.GetTolerancePrecision() == b.GetTolerancePrecision())) out += " TolerancePrecision";
    if (!(a.GetToleranceAnglePrecision() == b.GetToleranceAnglePrecision())) out += " ToleranceAnglePrecision";
    if (!(a.GetToleranceTextSizeRatio() == b.GetToleranceTextSizeRatio())) out += " ToleranceTextSizeRatio";
    if (!(a.GetToleranceHorizonTrueUpType() == b.GetToleranceHorizonTrueUpType())) out += " ToleranceHorizonTrueUpType";
    if (!(a.GetToleranceVerticalTrueUpType() == b.GetToleranceVerticalTrueUpType())) out += " ToleranceVerticalTrueUpType";
    if (!(a.GetToleranceAddParenthesis() == b.GetToleranceAddParenthesis())) out += " ToleranceAddParenthesis";
    if (!(a.GetToleranceZeroVisible() == b.GetToleranceZeroVisible())) out += " ToleranceZeroVisible";
    if (!(a.GetVisibleDimValue() == b.GetVisibleDimValue())) out += " VisibleDimValue";
    if (!(a.GetAutoArrowPosition() == b.GetAutoArrowPosition())) out += " AutoArrowPosition";
    if (!(a.GetNotSettledArrowPosMode() == b.GetNotSettledArrowPosMode())) out += " NotSettledArrowPosMode";
    if (!(a.GetAutoHorizonPos() == b.GetAutoHorizonPos())) out += " AutoHorizonPos";
    if (!(a.GetDimTextFont().GetFontName() == b.GetDimTextFont().GetFontName())) out += " text.FontName";
    if (!(a.GetDimTextFont().GetHeight() == b.GetDimTextFont().GetHeight())) out += " text.Height";
    if (!(a.GetDimTextFont().GetWidthRatio() == b.GetDimTextFont().GetWidthRatio())) out += " text.WidthRatio";
    if (!(a.GetDimTextFont().GetSlantAngle() == b.GetDimTextFont().GetSlantAngle())) out += " text.SlantAngle";
    if (!(a.GetDimTextFont().GetCharSpacing() == b.GetDimTextFont().GetCharSpacing())) out += " text.CharSpacing";
    if (!(a.GetDimTextFont().GetStyleFlag() == b.GetDimTextFont().GetStyleFlag())) out += " text.StyleFlag";
    if (!(a.GetDimTextFont().GetColorNo() == b.GetDimTextFont().GetColorNo())) out += " text.ColorNo";
    return out;
}

class DimensionPagesTest : public SettingsDialogTest
{
protected:
    template <class P>
    static P& ThePage(CFeatureSettingTreeDialog& dialog, int nPage)
    {
        return *static_cast<P*>(dialog.GetPage(nPage));
    }
    static void Open(CFeatureSettingTreeDialog& dialog, const DimensionSetting& given)
    {
        dialog.SetDimensionSetting(&given);
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
    }
    static void Select(CDialog& page, int nID, int nIndex)
    {
        auto* pList = dynamic_cast<CComboBox*>(page.GetDlgItem(nID));
        ASSERT_NE(pList, nullptr);
        pList->SetCurSel(nIndex);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELENDOK), reinterpret_cast<LPARAM>(pList->m_hWnd));
    }
    static void Focus(CDialog& page, int nID)
    {
        CWnd* pItem = page.GetDlgItem(nID);
        ASSERT_NE(pItem, nullptr);
        pItem->SetFocus();
        Pump();
    }
    Draw2dDocument m_document;
};

TEST_F(DimensionPagesTest, EveryPageReadsBackWhatWasLoadedShownOrNot)
{
    struct Case {
        BOOL mixed;
        DimensionSetting given;
    } cases[] = {{FALSE, DimensionSetting()}, {FALSE, Varied()}, {TRUE, Varied()}, {TRUE, Mixed()}};
    for (const Case& c : cases) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 5, c.mixed);
        dialog.SetDimensionSetting(&c.given);
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        EXPECT_TRUE(read.IsEqual(c.given)) << "never shown, mixed " << c.mixed << ":" << Differences(read, c.given);
        ASSERT_TRUE(dialog.Create(CTreeDialog::IDD, nullptr));
        // Each page shown in turn and left again.
        for (int nPage = 5; nPage <= 10; ++nPage) {
            ASSERT_TRUE(dialog.SelectPage(nPage)) << nPage;
            ASSERT_NE(dialog.GetPage(nPage)->GetSafeHwnd(), nullptr) << nPage;
            ASSERT_TRUE(dialog.GetPage(nPage)->OnKillActive()) << nPage;
            DimensionSetting shown;
            ASSERT_TRUE(dialog.GetDimensionSetting(&shown));
            EXPECT_TRUE(shown.IsEqual(c.given))
                << "page " << nPage << " shown, mixed " << c.mixed << ":" << Differences(shown, c.given);
        }
        EXPECT_TRUE(Boxes().empty());
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionPagesTest, TheArrowsPageEnablesByEndsKindsAndExtensionLines)
{
    struct Case {
        BOOL mixed;
        int end1, end2, kind1, show1;
        bool arrow1, size1, position, outside1, extension1;
    } cases[] = {
        {FALSE, 1, 1, 6, 1, true, true, true, true, true},
        {FALSE, 0, 1, 6, 1, false, false, true, false, true},
        {FALSE, 0, 0, 6, 0, false, false, false, false, false},
        {FALSE, 1, 0, 0, 1, true, false, true, true, true},
        {TRUE, 2, 0, -1, 2, true, true, true, true, false},
    };
    for (const Case& c : cases) {
        DimensionSetting given;
        given.SetDimLineEnd1Drawn(static_cast<BYTE>(c.end1));
        given.SetDimLineEnd2Drawn(static_cast<BYTE>(c.end2));
        given.SetArrowType1(c.kind1);
        given.SetProjectionShow1(c.show1);
        CFeatureSettingTreeDialog dialog(&m_document, -1, 5, c.mixed);
        Open(dialog, given);
        auto& page = ThePage<ArrowsPage>(dialog, 5);
        const std::string at = "end1 " + std::to_string(c.end1) + " kind1 " + std::to_string(c.kind1);
        EXPECT_EQ(Enabled(page, ArrowsPage::kArrow1Id), c.arrow1) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kArrowSize1Id), c.size1) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kArrowSize1Id + 1), c.size1) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kArrowPositionId), c.position) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kInsideLineId), c.position) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kExtendedLineId), c.position) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kOutside1Id), c.outside1) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kExtension1Id), c.extension1) << at;
        EXPECT_EQ(Enabled(page, ArrowsPage::kOffset1Id), c.extension1) << at;
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionPagesTest, ChoosingNoArrowDisablesItsSize)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 5, FALSE);
    DimensionSetting given;
    given.SetDimLineEnd1Drawn(1);
    given.SetArrowType1(6);
    Open(dialog, given);
    auto& page = ThePage<ArrowsPage>(dialog, 5);
    EXPECT_TRUE(Enabled(page, ArrowsPage::kArrowSize1Id));
    Select(page, ArrowsPage::kArrow1Id, 0);
    EXPECT_FALSE(Enabled(page, ArrowsPage::kArrowSize1Id));
    DimensionSetting read;
    ASSERT_TRUE(dialog.GetDimensionSetting(&read));
    EXPECT_EQ(read.GetArrowType1(), 0);
    dialog.DestroyWindow();
}

TEST_F(DimensionPagesTest, TheToleranceKindEnablesItsFields)
{
    struct Case {
        int kind;
        bool shown, first, second, horizontal, rest;
    } cases[] = {
        {-1, false, true, true, true, true}, {0, false, false, false, false, false},
        {1, false, true, false, false, true}, {2, false, true, true, true, true},
        {3, true, true, true, true, true},   {4, false, false, false, false, false},
        {5, false, false, false, false, false}, {6, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        DimensionSetting given;
        given.SetToleranceType(c.kind);
        CFeatureSettingTreeDialog dialog(&m_document, -1, 8, c.kind == -1);
        Open(dialog, given);
        auto& page = ThePage<TolerancePage>(dialog, 8);
        ASSERT_NE(page.GetSafeHwnd(), nullptr);
        const std::string at = "kind " + std::to_string(c.kind);
        EXPECT_TRUE(Enabled(page, TolerancePage::kKindId)) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kValueShownId), c.shown) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kTolerance1Id), c.first) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kAngle1Id), c.first) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kTolerance2Id), c.second) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kAngle2Id + 1), c.second) << at;
        EXPECT_EQ(Enabled(page, TolerancePage::kHorizontalId), c.horizontal) << at;
        for (int nID : {TolerancePage::kPrecisionId, TolerancePage::kAnglePrecisionId, TolerancePage::kRatioId,
                        TolerancePage::kVerticalId, TolerancePage::kZeroId, TolerancePage::kParenthesisId})
            EXPECT_EQ(Enabled(page, nID), c.rest) << at << " field " << nID;
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionPagesTest, FieldsKeepToTheirRanges)
{
    struct Case {
        int page, field;
        const char16_t* text;
        UINT message;  // 0: accepted
    } cases[] = {
        {5, ArrowsPage::kArrowSize1Id, u"0", 10125},     {5, ArrowsPage::kArrowSize1Id, u"0.5", 0},
        {5, ArrowsPage::kOutside1Id, u"0", 0},           {5, ArrowsPage::kOutside2Id, u"-1", 10126},
        {6, TextPage::kHeightId, u"0", 10125},           {6, TextPage::kWidthId, u"10000", 0},
        {6, TextPage::kWidthId, u"0.5", 10124},          {6, TextPage::kSlantId, u"-85", 0},
        {6, TextPage::kSlantId, u"86", 10124},           {6, TextPage::kAngleId, u"360", 10126},
        {6, TextPage::kDistanceId, u"-2", 0},            {6, TextPage::kScaleId, u"0", 10125},
        {7, AddTextPage::kInsideRatioId, u"24", 10124},  {7, AddTextPage::kPostRatioId, u"101", 10124},
        {7, AddTextPage::kInsideRatioId, u"25", 0},      {8, TolerancePage::kTolerance1Id, u"-0.2", 0},
        {8, TolerancePage::kTolerance2Id, u"1e15", 10125}, {8, TolerancePage::kRatioId, u"100", 0},
    };
    for (const Case& c : cases) {
        ClearBoxes();
        DimensionSetting given;
        given.SetToleranceType(2);
        CFeatureSettingTreeDialog dialog(&m_document, -1, c.page, FALSE);
        Open(dialog, given);
        CFeatureSettingPropertyPage* pPage = dialog.GetPage(c.page);
        ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
        Type(*pPage, c.field, QString::fromUtf16(c.text));
        const std::string at = std::to_string(c.field) + " " + QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(pPage->OnKillActive() != FALSE, c.message == 0) << at;
        if (c.message != 0)
            EXPECT_TRUE(OneBox(c.message)) << at;
        else
            EXPECT_TRUE(Boxes().empty()) << at;
        if (c.page == 7 && c.message == 0) {
            DimensionSetting read;
            ASSERT_TRUE(dialog.GetDimensionSetting(&read));
            EXPECT_DOUBLE_EQ(read.GetInsideAdditionTextSizeRatio(), 0.25);
        }
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionPagesTest, AnEmptyFieldOfTheMixedModeStaysUndefined)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 5, TRUE);
    Open(dialog, Varied());
    auto& page = ThePage<ArrowsPage>(dialog, 5);
    Type(page, ArrowsPage::kArrowSize1Id, QString());
    ASSERT_TRUE(page.OnKillActive());
    EXPECT_TRUE(Boxes().empty());
    DimensionSetting read;
    ASSERT_TRUE(dialog.GetDimensionSetting(&read));
    EXPECT_EQ(read.GetArrowSize1(), DBL_MAX);
    dialog.DestroyWindow();
}

TEST_F(DimensionPagesTest, TheTolerancePageFollowsTheValueTextFormats)
{
    DimensionSetting given = Varied();
    given.SetLengthUnitFormatType(0);
    given.SetAngleUnitFormatType(0);
    given.SetAnglePrecision(8);
    given.SetToleranceAnglePrecision(8);
    CFeatureSettingTreeDialog dialog(&m_document, -1, 6, FALSE);
    Open(dialog, given);
    auto& text = ThePage<TextPage>(dialog, 6);
    // Degrees-minutes-seconds offer seven precisions: 8 becomes 6.
    Select(text, TextPage::kAngleFormatId, 1);
    EXPECT_EQ(text.m_anglePrecisionList.GetCount(), 7);
    EXPECT_EQ(text.m_nAnglePrecision, 6);
    // Every length format offers nine precisions.
    Select(text, TextPage::kLengthFormatId, 3);
    EXPECT_EQ(text.m_precisionList.GetCount(), 9);
    ASSERT_TRUE(text.OnKillActive());
    ASSERT_TRUE(dialog.SelectPage(8));
    auto& tolerance = ThePage<TolerancePage>(dialog, 8);
    EXPECT_EQ(tolerance.m_anglePrecisionList.GetCount(), 7);
    EXPECT_EQ(tolerance.m_tolerance1Edit.m_nLengthUnitFormat, 3);
    DimensionSetting read;
    ASSERT_TRUE(dialog.GetDimensionSetting(&read));
    EXPECT_EQ(read.GetAngleUnitFormatType(), 1);
    EXPECT_EQ(read.GetAnglePrecision(), 6);
    EXPECT_EQ(read.GetToleranceAnglePrecision(), 6);
    dialog.DestroyWindow();
}

TEST_F(DimensionPagesTest, InDegreesMinutesSecondsNeitherAnglePrecisionStaysAboveSix)
{
    struct Case {
        int format, value, tolerance, valueRead, toleranceRead;
    } cases[] = {{1, 8, 7, 6, 6}, {1, 3, 8, 3, 6}, {1, 8, 2, 6, 2}, {0, 8, 8, 8, 8}};
    for (const Case& c : cases) {
        DimensionSetting given;
        given.SetAngleUnitFormatType(c.format);
        given.SetAnglePrecision(static_cast<short>(c.value));
        given.SetToleranceAnglePrecision(static_cast<short>(c.tolerance));
        CFeatureSettingTreeDialog dialog(&m_document, -1, 5, FALSE);
        dialog.SetDimensionSetting(&given);
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        EXPECT_EQ(read.GetAnglePrecision(), c.valueRead) << c.format << " " << c.value;
        EXPECT_EQ(read.GetToleranceAnglePrecision(), c.toleranceRead) << c.format << " " << c.tolerance;
    }
}

TEST_F(DimensionPagesTest, WithoutADimensionStyleNothingIsRead)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 6, FALSE);
    DimensionSetting read;
    read.SetColorNo(7);
    EXPECT_FALSE(dialog.GetDimensionSetting(&read));
    EXPECT_EQ(read.GetColorNo(), 7);
    for (int nPage = 5; nPage <= 10; ++nPage)
        EXPECT_EQ(dialog.GetPage(nPage), nullptr);
    EXPECT_EQ(dialog.GetDimensionLengthUnitFormat(), -1);
}

TEST_F(DimensionPagesTest, AChosenStylesTextsReplaceTheShapesTexts)
{
    DimensionSetting mixed = Mixed();
    mixed.SetPostAdditionText1(CString(u"\\n"));
    // A named style whose trailing text is empty.
    DimensionSetting style = Varied();
    style.SetPostAdditionText1(CString());
    DimensionSettingStyles styles;
    ASSERT_TRUE(styles.SetSettingStyle(CString(u"ISO"), &style, 1, nullptr));
    for (bool choose : {false, true}) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 7, TRUE);
        dialog.SetFeatureSettingStyles(&styles);
        Open(dialog, mixed);
        auto& page = ThePage<AddTextPage>(dialog, 7);
        if (choose) {
            CComboBox& list = dialog.GetStyleList();
            ASSERT_NE(list.SelectString(-1, CString(u"ISO")), CB_ERR);
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CFeatureSettingTreeDialog::kStyleListId, CBN_SELENDOK),
                               reinterpret_cast<LPARAM>(list.m_hWnd));
        }
        ASSERT_TRUE(page.OnKillActive());
        DimensionSetting read;
        ASSERT_TRUE(dialog.GetDimensionSetting(&read));
        // Untouched and empty, a text stays each shape's own; after a chosen style it is the style's.
        EXPECT_EQ(read.GetPostAdditionText1(), choose ? CString() : CString(u"\\n")) << choose;
        EXPECT_EQ(read.GetPreAdditionText(), choose ? CString(u"2x") : CString(u"\\n")) << choose;
        dialog.DestroyWindow();
    }
}

TEST_F(DimensionPagesTest, TheArrangementSampleAnimatesWhileAnAutomaticBoxHasTheFocus)
{
    CFeatureSettingTreeDialog dialog(&m_document, -1, 10, FALSE);
    Open(dialog, Varied());
    dialog.ShowWindow(SW_SHOW);
    auto& page = ThePage<AutoPage>(dialog, 10);
    ASSERT_NE(page.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(page.IsAnimating());
    Focus(page, AutoPage::kOutsideId);
    EXPECT_FALSE(page.IsAnimating()) << "a radio button shows the enlarged arrows without animation";
    Focus(page, AutoPage::kAutoArrowId);
    ASSERT_TRUE(page.IsAnimating());
    // Ticks delivered by hand: each draws a frame; the 62nd stops the timer.
    for (int i = 0; i < AutoPage::kLastTick; ++i)
        page.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(page.GetTickCount(), AutoPage::kLastTick);
    EXPECT_TRUE(page.IsAnimating());
    page.SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(page.IsAnimating());
    EXPECT_EQ(page.GetTickCount(), 0);
    // Leaving the page stops a running animation at once.
    Focus(page, AutoPage::kAutoHorizontalId);
    ASSERT_TRUE(page.IsAnimating());
    page.SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(dialog.SelectPage(9));
    EXPECT_FALSE(page.IsAnimating());
    EXPECT_EQ(page.GetTickCount(), 0);
    dialog.DestroyWindow();
}

TEST_F(DimensionPagesTest, TheMixedModeHidesTheAutomaticTextPosition)
{
    for (BOOL mixed : {FALSE, TRUE}) {
        CFeatureSettingTreeDialog dialog(&m_document, -1, 10, mixed);
        Open(dialog, Varied());
        EXPECT_EQ(Visible(*dialog.GetPage(10), AutoPage::kAutoHorizontalId), !mixed);
        dialog.DestroyWindow();
    }
}

// ---- samples --------------------------------------------------------------------------------------------

template <class T>
int Count(const Feature2dList& list)
{
    int n = 0;
    for (int i = 0; i < list.GetFeatureSize(); ++i)
        n += dynamic_cast<const T*>(list.GetFeature(i)) != nullptr ? 1 : 0;
    return n;
}

TEST(DimensionSamplesTest, TheFocusedFieldChoosesTheSample)
{
    DimensionSetting source = Varied();
    struct Case {
        int focus;
        int leads, linear, angular;
    } cases[] = {
        {0, 0, 1, 0},                                   // the standard sample
        {ArrowsPage::kArrowSize1Id, 1, 1, 0},           // the arrow as a lead and a dimension
        {ArrowsPage::kOutside1Id, 0, 2, 0},             // the detail and its measure
        {ArrowsPage::kExtendedLineId, 0, 1, 0},
    };
    for (const Case& c : cases) {
        Feature2dList samples;
        ASSERT_TRUE(DimensionStylePreview::BuildDimensionSamples(source, c.focus, samples)) << c.focus;
        EXPECT_EQ(Count<Lead2dFeature>(samples), c.leads) << c.focus;
        EXPECT_EQ(Count<LinearDimension2dFeature>(samples), c.linear) << c.focus;
    }
    // The angle unit fields show an angle, resolved into simple shapes.
    Feature2dList angle;
    ASSERT_TRUE(DimensionStylePreview::BuildDimensionSamples(source, TextPage::kAngleFormatId, angle));
    EXPECT_EQ(Count<AngularDimension2dFeature>(angle), 0);
    EXPECT_GT(angle.GetFeatureSize(), 2);
}

TEST(DimensionSamplesTest, TheFocusedTextPartIsFramed)
{
    DimensionSetting source = Varied();
    source.SetInsideAdditionTextType(1);
    source.SetPostAdditionTextType(1);
    for (int focus : {AddTextPage::kPreTextId, AddTextPage::kInsideText1Id, AddTextPage::kPostText2Id}) {
        Feature2dList framed, plain;
        ASSERT_TRUE(DimensionStylePreview::BuildDimensionTextSamples(source, 7, focus, framed));
        ASSERT_TRUE(DimensionStylePreview::BuildDimensionTextSamples(source, 7, 0, plain));
        EXPECT_EQ(Count<Polyline2dFeature>(framed), Count<Polyline2dFeature>(plain) + 1) << focus;
    }
    // A size ratio adds the height measure beside the frame.
    Feature2dList ratio, text1;
    ASSERT_TRUE(DimensionStylePreview::BuildDimensionTextSamples(source, 7, AddTextPage::kInsideRatioId, ratio));
    ASSERT_TRUE(DimensionStylePreview::BuildDimensionTextSamples(source, 7, AddTextPage::kInsideText1Id, text1));
    EXPECT_GT(ratio.GetFeatureSize(), text1.GetFeatureSize());
    EXPECT_EQ(DimensionStylePreview::TextPartOfField(TolerancePage::kRatioId),
              DimensionStylePreview::TextPartOfField(TolerancePage::kTolerance1Id));
}

TEST(DimensionSamplesTest, LinearSamplesOffsetTheShorterExtensionAndPutLongArrowsOutside)
{
    struct Case {
        double outside, ext1, ext2, offset1, offset2, arrow;
        int position;
    } cases[] = {
        {0.0, 1.0, 1.0, 0.0, 0.0, 1.2, 0},
        {0.0, 1.0, 3.0, 2.0, 0.0, 1.2, 0},
        {0.0, 3.0, 1.0, 0.0, 2.0, 1.2, 0},
        {5.0, 1.0, 1.0, 0.0, 0.0, 1.1, 1},
    };
    for (const Case& c : cases) {
        Feature2dList samples;
        CFeatureSettingPropertyPage::AddLinearDimensionSample(&samples, RuVaPnt2d(0, 0), 10.0, 0.0, c.outside, c.ext1,
                                                              c.ext2, CString(), 0);
        ASSERT_EQ(samples.GetFeatureSize(), 1);
        auto* pDimension = dynamic_cast<Dimension2dFeatureBase*>(samples.GetFeature(0));
        ASSERT_NE(pDimension, nullptr);
        const DimensionSetting& s = pDimension->GetDimensionSetting();
        EXPECT_DOUBLE_EQ(s.GetProjectionOffsetOrLineLength1(), c.offset1);
        EXPECT_DOUBLE_EQ(s.GetProjectionOffsetOrLineLength2(), c.offset2);
        EXPECT_DOUBLE_EQ(s.GetArrowSize1(), c.arrow);
        EXPECT_EQ(s.GetArrowPosition(), c.position);
        EXPECT_EQ(s.GetColorNo(), 4);
    }
}

TEST(DimensionSamplesTest, AnAngularSampleReachingItsVertexDrawsItsArms)
{
    Feature2dList reaching, normal;
    CFeatureSettingPropertyPage::AddAngularDimensionSample(&reaching, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 30.0, 6, 0,
                                                           10.0, FALSE);
    EXPECT_EQ(Count<Line2dFeature>(reaching), 2);
    ASSERT_EQ(Count<AngularDimension2dFeature>(reaching), 1);
    for (int i = 0; i < reaching.GetFeatureSize(); ++i)
        if (auto* p = dynamic_cast<AngularDimension2dFeature*>(reaching.GetFeature(i)))
            EXPECT_EQ(p->GetDimensionSetting().GetProjectionShow1(), 0);
    CFeatureSettingPropertyPage::AddAngularDimensionSample(&normal, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 30.0, 6, 6,
                                                           4.0, TRUE);
    EXPECT_EQ(Count<Line2dFeature>(normal), 0);
    EXPECT_EQ(normal.GetFeatureSize(), 2) << "the dimension and the vertex mark";
}

TEST(DimensionSamplesTest, ArrowKindsEightAndTenTurnTheDimension)
{
    for (int kind : {1, 8, 10, 3}) {
        Feature2dList samples;
        CFeatureSettingPropertyPage::AddArrowSample(&samples, kind, 4);
        ASSERT_EQ(Count<Lead2dFeature>(samples), 1) << kind;
        LinearDimension2dFeature* pDimension = nullptr;
        for (int i = 0; i < samples.GetFeatureSize(); ++i)
            if (auto* p = dynamic_cast<LinearDimension2dFeature*>(samples.GetFeature(i)))
                pDimension = p;
        ASSERT_NE(pDimension, nullptr) << kind;
        const RuVaPnt2d a = pDimension->GetPoint(0), b = pDimension->GetPoint(1);
        const bool turned = std::fabs(a.X() - b.X()) > 1e-6 && std::fabs(a.Y() - b.Y()) > 1e-6;
        EXPECT_EQ(turned, kind == 8 || kind == 10) << kind;
    }
}

TEST(DimensionSamplesTest, ATextSampleMarksItsKindAndTakesTheCallersText)
{
    for (int mark : {0, 1, 2, 3, 4, 5, 6}) {
        TextSetting style;
        style.SetHeight(5.0);
        Feature2dList samples;
        const double width =
            CFeatureSettingPropertyPage::AddTextSample(&samples, &style, RuVaPnt2d(0, 0), 0.0, mark, nullptr, FALSE);
        EXPECT_GT(width, 0.0) << mark;
        EXPECT_EQ(samples.GetFeatureSize() > 1, mark != 0) << mark;
    }
    TextSetting style;
    style.SetHeight(5.0);
    const CString mine(u"WWWWWWWW");
    Feature2dList narrow, wide;
    const double w0 = CFeatureSettingPropertyPage::AddTextSample(&narrow, &style, RuVaPnt2d(0, 0), 0.0, 1, nullptr,
                                                                 FALSE);
    const double w1 = CFeatureSettingPropertyPage::AddTextSample(&wide, &style, RuVaPnt2d(0, 0), 0.0, 1, &mine, FALSE);
    EXPECT_GT(w1, w0);
}

}  // namespace
