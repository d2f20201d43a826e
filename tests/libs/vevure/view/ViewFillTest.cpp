// Fills: solid hatches with islands, hatches of line patterns from the document's table, and pictures.

#include <gtest/gtest.h>

#include <QBuffer>

#include "ViewFixture.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Hatch2dFeature.h"
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
