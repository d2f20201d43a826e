// The row painters: dash and thickness geometry as values, and a few rows painted into images.
#include <gtest/gtest.h>

#include <QtGui/QImage>

#include <cmath>
#include <limits>

#include "ControlsTestSupport.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineWidthFeature.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"

namespace {

struct DashCase {
    const char* name;
    std::vector<double> pattern;
    int left, right;
    bool solid;
};

class LineTypeDashes : public ::testing::TestWithParam<DashCase>
{
};

TEST_P(LineTypeDashes, StayInsideTheSampleAndKeepTheirSpacing)
{
    const DashCase& c = GetParam();
    const auto dashes =
        LineTypeSampleDashes(c.left, c.right, 96, c.pattern.data(), static_cast<int>(c.pattern.size()));
    ASSERT_FALSE(dashes.empty());
    if (c.solid) {
        ASSERT_EQ(dashes.size(), 1u);
        EXPECT_EQ(dashes[0], std::make_pair(c.left, c.right));
        return;
    }
    int previousEnd = std::numeric_limits<int>::min();
    for (const auto& [from, to] : dashes) {
        EXPECT_GE(from, c.left);
        EXPECT_LE(to, c.right);
        EXPECT_GE(to - from, from < c.right ? 1 : 0);
        if (previousEnd != std::numeric_limits<int>::min())
            EXPECT_GE(from - previousEnd, 1) << "dashes run together";
        previousEnd = to;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LineTypeDashes,
    ::testing::Values(DashCase{"empty", {}, 10, 100, true}, DashCase{"zero_sum", {0.0, 0.0}, 10, 100, true},
                      DashCase{"negative", {5.0, -5.0}, 10, 100, true},
                      DashCase{"nan", {std::nan(""), 1.0}, 10, 100, true},
                      DashCase{"single_unpaired", {3.0}, 10, 100, true},
                      DashCase{"dash_gap", {10.0, 5.0}, 10, 100, false},
                      DashCase{"odd_count", {4.0, 1.0, 2.0}, 0, 90, false},
                      DashCase{"tiny", {0.001, 0.001}, 0, 90, false},
                      DashCase{"huge", {1e14, 1e14}, 0, 90, false},
                      DashCase{"dash_dot", {6.0, 1.0, 0.5, 1.0}, 5, 200, false}),
    [](const ::testing::TestParamInfo<DashCase>& info) { return std::string(info.param.name); });

TEST(LineTypeDashes, TenFiveAtNinetySixDpiStartsWithAHalfDashAndRepeatsThreeTimes)
{
    const double pattern[] = {10.0, 5.0};
    const auto dashes = LineTypeSampleDashes(0, 90, 96, pattern, 2);
    // W = 23.8 mm, A = 7.5 mm: n = 3, scale 0.529; the first dash is 2.6 mm = 10 pixels.
    ASSERT_GE(dashes.size(), 3u);
    EXPECT_EQ(dashes[0], std::make_pair(0, 10));
    // Then a gap of 2.6 mm and a whole dash of 5.3 mm.
    EXPECT_EQ(dashes[1].first, 20);
    EXPECT_EQ(dashes[1].second, 40);
    EXPECT_LE(dashes.size(), 5u);
}

TEST(LineTypeDashes, AnOddPatternIgnoresItsUnpairedLastLength)
{
    const double odd[] = {4.0, 1.0, 2.0};
    const double even[] = {4.0, 1.0};
    EXPECT_EQ(LineTypeSampleDashes(0, 90, 96, odd, 3), LineTypeSampleDashes(0, 90, 96, even, 2));
}

TEST(LineWidthSample, ThicknessFollowsTheWidthAndTheRowHeight)
{
    struct Case {
        double width;
        int height, expected;
    };
    for (const Case& c : {Case{2.0, 20, 13}, Case{2.0, 10, 8}, Case{0.13, 20, 1}, Case{0.0, 20, 1},
                          Case{1e300, 20, 18}, Case{std::nan(""), 20, 1}})
        EXPECT_EQ(LineWidthSampleThickness(96, c.width, c.height), c.expected) << c.width << " " << c.height;
}

// A row painted into an image; white background outside the rows.
class PaintedRow : public EnglishResources
{
protected:
    void SetUp() override
    {
        image = QImage(200, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(dc.CreateFromPaintDevice(&image));
    }
    void TearDown() override { dc.DeleteDC(); }
    QColor At(int x, int y) const { return QColor(image.pixel(x, y)); }
    bool AnyNonBackground(int x0, int x1) const
    {
        const QColor back(image.pixel(0, 0));
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (QColor(image.pixel(x, y)) != back)
                    return true;
        return false;
    }
    QImage image;
    CDC dc;
    const CRect row{0, 0, 200, 20};
};

TEST_F(PaintedRow, ColourSeventeenShowsASwatchEndingFivePixelsBeforeTheEdgeAndNoName)
{
    const ColorFeature red(17, RGB(255, 0, 0), CString(u"Seventeen"));
    DrawColorItem(&dc, nullptr, &row, 17, &red, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, FALSE);
    dc.DeleteDC();
    // Frame (left-2 .. right-1), filled inside: the last red column is 200 - 5 - 1 - 2 = 192.
    EXPECT_EQ(At(192, 10), QColor(255, 0, 0));
    EXPECT_EQ(At(195, 10), QColor(GetRValue(GetSysColor(COLOR_WINDOW)), GetGValue(GetSysColor(COLOR_WINDOW)),
                                  GetBValue(GetSysColor(COLOR_WINDOW))));
}

TEST_F(PaintedRow, ADisabledSwatchIsBlendedWithTheBackground)
{
    const ColorFeature red(1, RGB(255, 0, 0), CString(u"Red"));
    CRect swatch(20, 0, 60, 20);
    DrawColorSwatch(&dc, &swatch, RGB(255, 0, 0), TRUE);
    dc.DeleteDC();
    const QColor c = At(40, 10);
    EXPECT_EQ(c.red(), 255);
    EXPECT_NEAR(c.green(), 155, 2);
    EXPECT_NEAR(c.blue(), 155, 2);
}

TEST_F(PaintedRow, NoneShowsOnlyTheBackground)
{
    const ColorFeature red(1, RGB(255, 0, 0), CString(u"Red"));
    DrawColorItem(&dc, nullptr, &row, 32767, &red, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, FALSE);
    DrawLineTypeItem(&dc, nullptr, &row, 32767, nullptr, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, FALSE, FALSE,
                     FALSE, 0);
    dc.DeleteDC();
    EXPECT_FALSE(AnyNonBackground(0, 200));
}

TEST_F(PaintedRow, ByLayerTextThatDoesNotFitShortensTheSampleInsteadOfTheText)
{
    LineTypeFeature solid;
    ASSERT_TRUE(solid.SetLineType(1, CString(u"Continuous"), nullptr, 0));
    const CRect narrow(0, 0, 90, 20);
    DrawLineTypeItem(&dc, nullptr, &narrow, 0, &solid, FALSE, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, FALSE, FALSE,
                     FALSE, 0);
    dc.DeleteDC();
    // The sample line (row's vertical centre) ends before the text begins: somewhere between them the
    // centre row is background.
    bool gap = false;
    for (int x = 10; x < 60 && !gap; ++x)
        gap = At(x, 10) == At(0, 0) && At(x - 1, 10) != At(0, 0);
    EXPECT_TRUE(gap);
}

TEST_F(PaintedRow, ALineWidthSampleIsAsThickAsItsWidth)
{
    const LineWidthFeature width(5, 1.0);
    DrawLineWidthItem(&dc, nullptr, &row, 5, &width, FALSE, FALSE, FALSE, TRUE, TRUE, FALSE, TRUE, FALSE, FALSE,
                      FALSE, 0);
    dc.DeleteDC();
    // 1 mm at the image's 96 dpi: 6 pixels (96 × 1.8 / 25.4 = 6.8), centred on row 10.
    const int x = 30;
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        if (At(x, y).lightness() < 128)
            ++dark;
    EXPECT_EQ(dark, 6);
}

}  // namespace
