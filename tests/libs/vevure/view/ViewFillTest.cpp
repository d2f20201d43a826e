// Fills: solid hatches with islands, hatches of built-in patterns and of line patterns from the document's
// table, pictures, and the markers that fill.

#include <gtest/gtest.h>

#include <QBuffer>

#include "ViewFixture.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "platform/gdiplus/GdiplusPrivate.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/UserDefinedHatchFormat.h"

namespace {

Region2dFeature Square(double x0, double y0, double x1, double y1)
{
    Polyline2dFeature p;
    p.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(x0, y0), RuVaPnt2d(x1, y0), RuVaPnt2d(x1, y1), RuVaPnt2d(x0, y1),
                                     RuVaPnt2d(x0, y0)});
    Region2dFeature r;
    r.AddFeature(&p);
    return r;
}

constexpr QRgb kWhite = 0xFFFFFF;

}  // namespace

TEST(ViewFill, SolidHatchFillsAroundItsIslands)
{
    ViewFixture f;
    Hatch2dFeature h;
    ASSERT_TRUE(h.SetOuterRegion(Square(20, 20, 80, 80)));
    ASSERT_TRUE(h.AddInnerRegions(Square(40, 40, 60, 60)));
    ASSERT_TRUE(h.SetHatchType(Hatch2dFeature::Solid));
    h.SetColorNo(-1);
    h.SetColor(RGB(255, 0, 0));
    ASSERT_NE(f.Add(h), -1);
    const QImage image = f.Render();
    EXPECT_NE(Px(image, 30, 50), kWhite);  // in the fill
    EXPECT_NE(Px(image, 70, 30), kWhite);
    EXPECT_EQ(Px(image, 50, 50), kWhite);  // the island
    EXPECT_EQ(Px(image, 10, 50), kWhite);  // outside
    EXPECT_EQ(Px(image, 90, 50), kWhite);
}

TEST(ViewFill, LinePatternHatchDrawsItsFamilyOfLinesInside)
{
    ViewFixture f;
    LineHatchPattern pattern;
    ASSERT_TRUE(pattern.SetPatternName(CString(u"Rows")));
    LineHatchPatternLineItem item;
    ASSERT_TRUE(item.SetAngle(0));
    ASSERT_TRUE(item.SetSpace(10));
    ASSERT_NE(pattern.AddLineItem(item), -1);
    const long id = f.doc.AddHatchPattern(&pattern);
    ASSERT_GT(id, 0);
    Hatch2dFeature h;
    ASSERT_TRUE(h.SetOuterRegion(Square(20.5, 20.5, 180.5, 80.5)));
    ASSERT_TRUE(h.SetHatchType(Hatch2dFeature::UserDefined));
    UserDefinedHatchFormat format;
    format.SetPatternID(id);
    h.SetUserDefinedHatchFormat(format);
    ASSERT_TRUE(h.SetPoint(RuVaPnt2d(0, 0.5)));
    ASSERT_NE(f.Add(h), -1);
    const QImage image = f.Render();
    // Rows of ink at world y = 30.5, 40.5 ... (pixel rows 69, 59 ...), blank rows between them.
    int inked = 0, blank = 0;
    for (int y = 22; y < 78; ++y) {
        const bool ink = Px(image, 100, y) != kWhite;
        inked += ink;
        blank += !ink;
    }
    EXPECT_GE(inked, 5);
    EXPECT_LE(inked, 12);
    EXPECT_GT(blank, 40);
    EXPECT_EQ(Px(image, 10, 69), kWhite);  // clipped to the hatch
    EXPECT_EQ(Px(image, 190, 69), kWhite);
}

TEST(ViewFill, PictureStretchedOverItsFrame)
{
    ViewFixture f;
    QImage pic(2, 2, QImage::Format_RGB32);
    pic.fill(QColor(0, 0, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(pic.save(&buffer, "PNG"));
    Image2dFeature image;
    ASSERT_TRUE(image.SetPoint(RuVaPnt2d(100, 40)));
    ASSERT_TRUE(image.SetWidth(40));
    ASSERT_TRUE(image.SetHeight(20));
    image.SetImageData(reinterpret_cast<const BYTE*>(png.constData()), (size_t)png.size());
    ASSERT_NE(f.Add(image), -1);
    KcArrayOfGePnt2d outline;
    ASSERT_TRUE(image.GetOutlinePoints(outline));
    const RuVaBndBox2d box = outline.GetBndBox();
    const QImage shown = f.Render();
    double x = 0, y = 0;
    f.view.ConvertPointWorldToClient(box.Center(), x, y);
    EXPECT_EQ(Px(shown, (int)x, (int)y), 0x0000FFu);
    f.view.ConvertPointWorldToClient(RuVaPnt2d(box.XMax() + 5, box.Center().Y()), x, y);
    EXPECT_EQ(Px(shown, (int)x, (int)y), kWhite);

    // Bytes that are no picture leave the frame drawn instead.
    Image2dFeature broken;
    ASSERT_TRUE(broken.SetPoint(RuVaPnt2d(10, 10)));
    ASSERT_TRUE(broken.SetWidth(20));
    ASSERT_TRUE(broken.SetHeight(20));
    const BYTE junk[] = {1, 2, 3, 4, 5};
    broken.SetImageData(junk, sizeof junk);
    ASSERT_NE(f.Add(broken), -1);
    f.view.InvalidateView();
    EXPECT_EQ(f.Render().isNull(), false);
    EXPECT_EQ(f.last, 1);
}

// A hatch of a built-in pattern is the pattern's own 8 x 8 picture, as the style page's list shows it (the
// pattern colour over the fill colour, laid on device pixels), for the first patterns and the last ones.
TEST(ViewFill, BuiltInPatternsAreTheirOwnPicturesInBothColours)
{
    for (int pattern : {0, 5, 12, 13, 30, 52}) {
        SCOPED_TRACE(pattern);
        ViewFixture f;
        Hatch2dFeature h;
        ASSERT_TRUE(h.SetOuterRegion(Square(20, 20, 180, 80)));
        HatchSetting setting = h.GetHatchSetting();
        ASSERT_TRUE(setting.SetHatchType(Hatch2dFeature::BuiltInPattern));
        ASSERT_TRUE(setting.SetPatternType(pattern));
        ASSERT_TRUE(setting.SetSolidColorNo(5));
        ASSERT_TRUE(setting.SetPatternColorNo(3));
        ASSERT_TRUE(setting.SetTransparency(0.0f));
        ASSERT_TRUE(setting.SetRegionDisplayMode(0));
        ASSERT_TRUE(h.SetHatchSetting(setting));
        ASSERT_EQ(h.GetPatternNo(), pattern);
        ASSERT_NE(f.Add(h), -1);
        const QImage image = f.Render();
        const QRgb back = f.doc.GetColorFeatureTable()->GetColorRef(5), fore = f.doc.GetColorFeatureTable()->GetColorRef(3);
        const QRgb backRgb = qRgb(GetRValue(back), GetGValue(back), GetBValue(back)) & 0xFFFFFF;
        const QRgb foreRgb = qRgb(GetRValue(fore), GetGValue(fore), GetBValue(fore)) & 0xFFFFFF;
        ASSERT_NE(backRgb, foreRgb);
        const unsigned char* rows = gdip::HatchRows(pattern);
        int wrong = 0, inked = 0;
        for (int y = 30; y < 70; ++y)
            for (int x = 30; x < 170; ++x) {
                const bool on = (rows[y % 8] >> (7 - x % 8)) & 1;
                inked += on;
                wrong += Px(image, x, y) != (on ? foreRgb : backRgb);
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(inked, 0);
        EXPECT_EQ(Px(image, 10, 50), kWhite) << "clipped to the hatch";
    }
}

// Each of the ten marker types has a picture of its own; the dot (type 8) is a square filled over the
// marker's whole size, so that markers of it side by side tile a checkerboard.
TEST(ViewFill, EveryMarkerTypeHasItsOwnPictureAndTheDotFillsItsSquare)
{
    std::vector<QImage> pictures;
    for (int type = 0; type < 10; ++type) {
        ViewFixture f;
        PointMarker2dFeature marker(RuVaPnt2d(100, 50));
        ASSERT_TRUE(marker.SetMarkerType(type));
        ASSERT_TRUE(marker.SetMarkerSize(20));
        marker.SetColorNo(-1);
        marker.SetColor(RGB(255, 0, 0));
        ASSERT_NE(f.Add(marker), -1);
        pictures.push_back(f.Render());
        for (int other = 0; other < type; ++other)
            EXPECT_NE(pictures[other], pictures[type]) << "types " << other << " and " << type;
    }
    const QImage& dot = pictures[8];
    int filled = 0;
    for (int y = 42; y <= 57; ++y)
        for (int x = 92; x <= 107; ++x)
            filled += Px(dot, x, y) == 0xFF0000u;
    EXPECT_EQ(filled, 16 * 16) << "the inside of the square";
    EXPECT_EQ(Px(dot, 100, 37), kWhite);
    EXPECT_EQ(Px(dot, 113, 50), kWhite);
    EXPECT_NE(Px(pictures[0], 95, 45), 0xFF0000u) << "the cross leaves its quarters empty";
}
