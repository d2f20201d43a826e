// Pictures made for previews and thumbnails: shapes of a list, layers of a drawing, hatch patterns, whole
// drawings and a region drawn into a device context.

#include <gtest/gtest.h>

#include <QPainter>

#include <memory>

#include "ViewFixture.h"

#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"

namespace {

int Count(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Px(image, x, y) == color;
    return n;
}

Line2dFeature Colored(double y, COLORREF c, long layer = -1)
{
    Line2dFeature l(RuVaPnt2d(0, y), RuVaPnt2d(100, y));
    l.SetColorNo(-1);
    l.SetColor(c);
    l.SetLayerID(layer);
    return l;
}

}  // namespace

TEST(ImageFunctions, FeatureListAndDrawingPictures)
{
    ViewFixture f;
    Feature2dList list;
    Line2dFeature red = Colored(0, RGB(255, 0, 0));
    list.AddFeature(static_cast<const Feature2dBase*>(&red));
    std::unique_ptr<QImage> image(DrawingManager::CreateFeatureListImage(&f.doc, &list, 64, 32, RGB(255, 255, 255)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(64, 32));
    EXPECT_GE(Count(*image, 0xFF0000), 40);
    Feature2dList empty;
    EXPECT_EQ(DrawingManager::CreateFeatureListImage(&f.doc, &empty, 64, 32, 0), nullptr);
    EXPECT_EQ(DrawingManager::CreateFeatureListImage(&f.doc, &list, 0, 32, 0), nullptr);
    EXPECT_EQ(DrawingManager::CreateFeatureListImage(&f.doc, &list, 100000, 32, 0), nullptr);

    f.Add(red);
    image.reset(DrawingManager::CreateDrawingFeatureImage(&f.doc, f.part, 80, 60, RGB(255, 255, 255)));
    ASSERT_TRUE(image);
    EXPECT_GE(Count(*image, 0xFF0000), 50);
    EXPECT_EQ(DrawingManager::CreateDrawingFeatureImage(&f.doc, 9999, 80, 60, 0), nullptr);

    // A thumbnail of a region into a device context, with the region's corners in pixels.
    QImage thumb(50, 50, QImage::Format_ARGB32_Premultiplied);
    CDC dc;
    dc.CreateFromPaintDevice(&thumb);
    RuVaPnt2d frame[5];
    ASSERT_TRUE(DrawingManager::DrawDrawingFeature(dc.GetSafeHdc(), &f.doc, f.part, RuVaPnt2d(0, -50),
                                                   RuVaPnt2d(100, 50), 50, 50, 1, 1, frame));
    dc.DeleteDC();
    EXPECT_NEAR(frame[0].X(), 0, 1e-9);
    EXPECT_NEAR(frame[0].Y(), 50, 1e-9);
    EXPECT_NEAR(frame[2].X(), 50, 1e-9);
    EXPECT_NEAR(frame[2].Y(), 0, 1e-9);
    EXPECT_GE(Count(thumb, 0xFF0000), 40);

    // The same region drawn as vectors into a context of twice the size.
    QImage big(100, 100, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::black);
    CDC bigDC;
    bigDC.CreateFromPaintDevice(&big);
    ASSERT_TRUE(DrawingManager::DrawOleServerDocument(bigDC.GetSafeHdc(), &f.doc, f.part, RuVaPnt2d(0, -50),
                                                      RuVaPnt2d(100, 50), 100, 100));
    EXPECT_FALSE(DrawingManager::DrawOleServerDocument(bigDC.GetSafeHdc(), &f.doc, 4242, RuVaPnt2d(0, -50),
                                                       RuVaPnt2d(100, 50), 100, 100));
    bigDC.DeleteDC();
    EXPECT_GE(Count(big, 0xFF0000), 90);
    EXPECT_EQ(Count(big, 0x000000), 0);
}

TEST(ImageFunctions, LayerPicturesShowTheLayersAloneOrTheRestGreyed)
{
    ViewFixture f;
    const long a = f.doc.AddLayer(-1, u"A", 0), b = f.doc.AddLayer(-1, u"B", 0);
    Line2dFeature la = Colored(0, RGB(255, 0, 0), a), lb = Colored(30, RGB(0, 0, 255), b);
    f.Add(la);
    f.Add(lb);
    std::unique_ptr<QImage> only(DrawingManager::CreateLayerFeatureImage(&f.doc, {a}, 0, f.part, 100, 60, RGB(255, 255, 255), 1));
    ASSERT_TRUE(only);
    EXPECT_GT(Count(*only, 0xFF0000), 50);
    EXPECT_EQ(Count(*only, 0x0000FF), 0);
    EXPECT_EQ(Count(*only, 0xC0C0C0), 0);
    std::unique_ptr<QImage> all(DrawingManager::CreateLayerFeatureImage(&f.doc, {a}, 2, f.part, 100, 60, RGB(255, 255, 255), 1));
    ASSERT_TRUE(all);
    EXPECT_GT(Count(*all, 0xFF0000), 50);
    EXPECT_EQ(Count(*all, 0x0000FF), 0);
    EXPECT_GT(Count(*all, 0xC0C0C0), 50);
    // Nothing on the layers: an empty picture.
    std::unique_ptr<QImage> none(DrawingManager::CreateLayerFeatureImage(&f.doc, {12345}, 0, f.part, 10, 10, RGB(255, 255, 255), 0));
    ASSERT_TRUE(none);
    EXPECT_EQ(Count(*none, 0xFFFFFF), 100);
}

TEST(ImageFunctions, HatchPatternSampleShowsItsLines)
{
    ViewFixture f;
    LineHatchPattern pattern;
    LineHatchPatternLineItem item;
    ASSERT_TRUE(item.SetAngle(45));
    ASSERT_TRUE(item.SetSpace(3));
    ASSERT_NE(pattern.AddLineItem(item), -1);
    std::unique_ptr<QImage> image(DrawingManager::CreateHatchPatternImage(&f.doc, &pattern, -1, 60, 40, 0xFFFFFF));
    ASSERT_TRUE(image);
    const int ink = Count(*image, 0x000000);
    EXPECT_GT(ink, 200);
    EXPECT_LT(ink, 60 * 40 / 2);
    EXPECT_EQ(DrawingManager::CreateHatchPatternImage(&f.doc, nullptr, -1, 60, 40, 0xFFFFFF), nullptr);
}

TEST(ImageFunctions, PrintingLeavesOutWhatIsNotToBePrinted)
{
    ViewFixture f;
    const long layer = f.doc.AddLayer(-1, u"Notes", 0);
    Line2dFeature kept = Colored(10, RGB(255, 0, 0)), note = Colored(40, RGB(0, 0, 255), layer);
    f.Add(kept);
    f.Add(note);
    ASSERT_TRUE(f.doc.SetLayerPrintable(layer, FALSE, 0));
    f.view.SetGridVisible(TRUE);
    auto print = [&] {
        QImage page(200, 100, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&page);
        DrawingManager::RenderViewTo(f.view, painter, 200, 100, -1, -1, nullptr, TRUE);
        return page;
    };
    QImage page = print();
    EXPECT_GT(Count(page, 0xFF0000), 80);
    EXPECT_EQ(Count(page, 0x0000FF), 0);
    // On screen the layer shows.
    EXPECT_GT(Count(f.Render(), 0x0000FF), 80);
    // A drawing that is not printable prints nothing.
    ASSERT_TRUE(f.doc.SetDrawingPrintable(f.part, FALSE, 0));
    page = print();
    EXPECT_EQ(Count(page, 0xFF0000), 0);
}
