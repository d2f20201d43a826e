// Rendering of a view into pictures: colours, line types, widths, hidden layers, part layouts clipped and
// scaled, texts at their anchors, and the overlay wiped by putting the picture back.

#include <gtest/gtest.h>

#include "ViewFixture.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kRed = 0xFF0000;

Line2dFeature RedLine(double x1, double y1, double x2, double y2)
{
    Line2dFeature l(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2));
    l.SetColorNo(-1);
    l.SetColor(RGB(255, 0, 0));
    return l;
}

// Pixels of the colour along a row between x0 and x1.
int CountRow(const QImage& image, int y, int x0, int x1, QRgb color)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += Px(image, x, y) == color;
    return n;
}

int CountColumn(const QImage& image, int x, int y0, int y1, QRgb color)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += Px(image, x, y) == color;
    return n;
}

}  // namespace

TEST(ViewRender, ShapesInTheirColoursOnTheBackground)
{
    ViewFixture f;
    Line2dFeature line = RedLine(10.5, 49.5, 190.5, 49.5);
    f.Add(line);
    Circle2dFeature circle(RuVaPnt2d(100, 50), 30);
    circle.SetColorNo(-1);
    circle.SetColor(RGB(0, 0, 255));
    f.Add(circle);
    const QImage image = f.Render();
    ASSERT_EQ(f.last, 1);
    EXPECT_EQ(Px(image, 5, 5), kWhite);
    EXPECT_GE(CountRow(image, 50, 12, 60, kRed), 48);  // the line, left of the circle
    // The circle crosses the vertical through its centre at y = 20 and 80 (rows 80 and 20).
    EXPECT_GE(CountColumn(image, 100, 17, 23, 0x0000FF), 1);
    EXPECT_GE(CountColumn(image, 100, 77, 83, 0x0000FF), 1);
    EXPECT_EQ(CountColumn(image, 100, 30, 45, 0x0000FF), 0);
    ASSERT_NE(f.view.GetPicture(), nullptr);
}

TEST(ViewRender, LineTypesDashAndSolidLinesDoNot)
{
    ViewFixture f;
    Line2dFeature solid = RedLine(10.5, 79.5, 190.5, 79.5);
    Line2dFeature dashed = RedLine(10.5, 29.5, 190.5, 29.5);
    ASSERT_TRUE(dashed.SetLineTypeNo(2));  // 6 on, 2 off (millimetres, one pixel each here)
    ASSERT_TRUE(f.doc.SetPartLinePitchDisplayMode(LinePitchAsPrinted, 0));
    f.Add(solid);
    f.Add(dashed);
    QImage image = f.Render();
    EXPECT_EQ(CountRow(image, 20, 12, 188, kRed), 177);
    const int on = CountRow(image, 70, 12, 188, kRed);
    EXPECT_GT(on, 177 * 6 / 8 - 8);
    EXPECT_LT(on, 177 * 6 / 8 + 8);

    // At twice the zoom the dashes double: the same stretch of pixels holds half the gaps.
    auto gaps = [](const QImage& im, int y) {
        int n = 0;
        for (int x = 12; x < 188; ++x)
            n += Px(im, x, y) == kRed && Px(im, x + 1, y) != kRed;
        return n;
    };
    const int gaps1 = gaps(image, 70);
    f.view.SetScale(2.0);
    image = f.Render();
    int row = -1;
    for (int y = 0; y < 100 && row < 0; ++y)
        if (CountRow(image, y, 0, 199, kRed) > 50 && CountRow(image, y, 0, 199, kRed) < 190)
            row = y;
    ASSERT_GE(row, 0);
    EXPECT_NEAR(gaps(image, row), gaps1 / 2, 2);

    // Fixed pitch: the dashes keep their size on screen whatever the zoom.
    ASSERT_TRUE(f.doc.SetPartLinePitchDisplayMode(LinePitchFixed, 0));
    f.view.InvalidateView();
    const int fixed2 = gaps(f.Render(), row);
    f.view.SetScale(1.0);
    EXPECT_NEAR(gaps(f.Render(), 70), fixed2, 1);
}

TEST(ViewRender, LineWidthsInPaperMillimetresScaledByTheZoom)
{
    ViewFixture f;
    Line2dFeature thin = RedLine(20.5, 10.5, 20.5, 90.5);
    Line2dFeature wide = RedLine(100.5, 10.5, 100.5, 90.5);
    ASSERT_TRUE(wide.SetLineWidthNo(9));  // 2.0 mm
    f.Add(thin);
    f.Add(wide);
    ASSERT_TRUE(f.doc.SetPartLineWidthDisplayMode(LineWidthAsPrinted, 0));
    f.view.SetScale(2.0);
    f.view.SetCenterPoint(RuVaPnt2d(60, 50));
    const QImage image = f.Render();
    // x = 20.5 -> pixel 21, x = 100.5 -> pixel 181 at two pixels per unit about 60.
    EXPECT_EQ(CountRow(image, 50, 15, 27, kRed), 1);
    const int w = CountRow(image, 50, 170, 192, kRed);
    EXPECT_GE(w, 3);
    EXPECT_LE(w, 5);

    // Thin-line display draws every width as one pixel.
    ASSERT_TRUE(f.doc.SetPartLineWidthDisplayMode(LineWidthThin, 0));
    f.view.InvalidateView();
    EXPECT_EQ(CountRow(f.Render(), 50, 170, 192, kRed), 1);
}

// The line caps of a wide line: flat ends at the end point, square ones half the width beyond it, and the
// fourth cap a triangle: as far out on the line's axis, but its corners stay empty.
TEST(ViewRender, LineCapsFlatSquareAndTriangle)
{
    struct Caps {
        int cap;
        int x;  // the row is the line's; x lies beyond the right end
        bool onAxis;
        bool offAxis;
    };
    for (const Caps& c : {Caps{LineCapFlat, 0, false, false}, Caps{LineCapSquare, 0, true, true},
                          Caps{LineCapTriangle, 0, true, false}}) {
        ViewFixture f;
        Line2dFeature wide = RedLine(45.0, 50.0, 55.0, 50.0);
        ASSERT_TRUE(wide.SetLineWidthNo(9));
        f.Add(wide);
        ASSERT_TRUE(f.doc.SetPartLineWidthDisplayMode(LineWidthAsPrinted, 0));
        ASSERT_TRUE(f.doc.SetLineCapMode(c.cap, 0)) << c.cap;
        f.view.SetScale(8.0);
        f.view.SetCenterPoint(RuVaPnt2d(50, 50));
        const QImage image = f.Render();
        // The line's end lies at pixel 140; find its half width from a column across it.
        const int thick = CountColumn(image, 120, 0, 99, kRed);
        ASSERT_GE(thick, 8) << c.cap;
        int row = -1;
        for (int y = 0; y < 100 && row < 0; ++y)
            if (Px(image, 120, y) == kRed)
                row = y + thick / 2;
        const int half = thick / 2;
        EXPECT_EQ(Px(image, 140 + half / 2, row) == kRed, c.onAxis) << c.cap;
        EXPECT_EQ(Px(image, 140 + half / 2 + 1, row - half + 1) == kRed, c.offAxis) << c.cap;
    }
}

TEST(ViewRender, HiddenLayersAndHiddenDrawingsAreLeftOut)
{
    ViewFixture f;
    const long layer = f.doc.AddLayer(-1, u"L", 0);
    ASSERT_NE(layer, -1);
    Line2dFeature onLayer = RedLine(10.5, 49.5, 190.5, 49.5);
    onLayer.SetLayerID(layer);
    f.Add(onLayer);
    EXPECT_GT(CountRow(f.Render(), 50, 0, 199, kRed), 150);
    // The current layer is always shown; the new layer is not the current one, so hiding it hides it.
    ASSERT_NE(f.doc.GetCurrentLayerID(), layer);
    ASSERT_TRUE(f.doc.SetLayerHide(layer, TRUE, 0));
    f.view.InvalidateView();
    EXPECT_FALSE(f.doc.IsDisplayLayerID(layer));
    EXPECT_EQ(CountRow(f.Render(), 50, 0, 199, kRed), 0);
}

TEST(ViewRender, PartLayoutClippedToItsRegionAndCarriedByItsTransform)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long part = doc.AddPartDrawingFeature(u"A");
    DrawingFeatureBase* a = doc.GetDrawingFeatureByID(part);
    Line2dFeature line = RedLine(0, 0, 100, 0);
    Line2dFeature vertical = RedLine(50, -40, 50, 40);
    doc.AddFeature(&line, a, 0);
    doc.AddFeature(&vertical, a, 0);
    PartDrawingLayout layout;
    layout.SetPaperID(paper);
    layout.SetDrawingID(part);
    layout.SetOrigin(RuVaPnt2d(50.5, 40.5));
    ASSERT_TRUE(layout.SetScale(1, 2, FALSE, 1, 1));
    ASSERT_TRUE(layout.SetRectangleRegion(RuVaPnt2d(0, -10), RuVaPnt2d(60, 10)));
    const long layoutID = doc.AddPartLayout(layout, -1, 0);
    ASSERT_NE(layoutID, -1);

    Draw2dView view(&doc);
    view.SetDrawingID(paper);
    view.SetGridVisible(FALSE);
    view.SetLayoutRegionVisible(FALSE);
    view.ResizeView(200, 100);
    view.SetScale(1.0);
    view.SetCenterPoint(RuVaPnt2d(100, 50));
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    CDC dc;
    dc.CreateFromPaintDevice(&image);
    ASSERT_EQ(view.DrawView(dc.GetSafeHdc()), 1);
    dc.DeleteDC();
    // The line runs from world x 50.5 at half scale, clipped at local x 60 (world 80.5); the vertical at
    // local x 50 (world 75.5) is clipped to local y -10..10 (world 35.5..45.5).
    const int row = 100 - 41;
    EXPECT_GE(CountRow(image, row, 52, 78, kRed), 26);
    EXPECT_EQ(CountRow(image, row, 83, 150, kRed), 0);
    EXPECT_EQ(CountRow(image, row, 0, 48, kRed), 0);
    const int column = 75;
    EXPECT_GE(CountColumn(image, column, 100 - 45, 100 - 36, kRed), 8);
    EXPECT_EQ(CountColumn(image, column, 0, 100 - 48, kRed), 0);
    EXPECT_EQ(CountColumn(image, column, 100 - 33, 99, kRed), 0);
}

TEST(ViewRender, TextSitsOnItsAnchor)
{
    ViewFixture f;
    Text2dFeature text(CString(u"HHH"), RuVaPnt2d(100.5, 30.5));
    ASSERT_TRUE(text.SetHeight(20));
    ASSERT_TRUE(text.SetHorizonArrange(0));
    ASSERT_TRUE(text.SetVerticalArrange(2));
    text.SetColorNo(-1);
    text.SetColor(RGB(255, 0, 0));
    f.Add(text);
    const QImage image = f.Render();
    auto inked = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            n += CountRow(image, y, x0, x1, kRed) + CountRow(image, y, x0, x1, 0) * 0;
        return n;
    };
    // Anchor at pixel (100, 70): the letters stand right of it and above it.
    EXPECT_GT(inked(101, 50, 160, 69), 40);
    EXPECT_EQ(inked(0, 0, 97, 99), 0);
    EXPECT_EQ(inked(0, 73, 199, 99), 0);
}

TEST(ViewRender, OverlayWipedByRestoreLeavesThePictureIdentical)
{
    ViewFixture f;
    Line2dFeature line = RedLine(10.5, 49.5, 190.5, 49.5);
    f.Add(line);
    f.Render();
    ASSERT_NE(f.view.GetFrame(), nullptr);
    const QImage before = f.view.GetFrame()->copy();

    ASSERT_TRUE(f.view.BeginDrawTemporaryFeature());
    Line2dFeature rubber = RedLine(0, 0, 200, 100);
    f.view.DrawOverlayFeature(&rubber, RGB(0, 255, 0));
    f.view.EndDrawTemporaryFeature();
    ASSERT_TRUE(f.view.BeginDraw());
    f.view.DrawMouseCursor(CPoint(60, 40), TRUE, 5, TRUE, RGB(0, 0, 0), 0);
    f.view.DrawSnapMark(RuVaPnt2d(10.5, 49.5), 5, RGB(255, 0, 255), 0x0002);
    f.view.DrawSnapText(CPoint(60, 40), 5, 0x0002, 0, 0.0, 0, 2);
    f.view.DrawRectangleMarquee(CPoint(20, 20), CPoint(80, 70), 2);
    f.view.DrawAngularSnapLine(RuVaPnt2d(100, 50), 30.0, 0.0, RGB(0, 0, 255));
    f.view.EndDraw();
    EXPECT_NE(*f.view.GetFrame(), before);
    EXPECT_EQ(*f.view.GetPicture(), before);

    f.view.RestoreView();
    EXPECT_EQ(*f.view.GetFrame(), before);

    // The overlay reaches a device context given to the bracket as it is drawn.
    QImage shown = before.copy();
    CDC dc;
    dc.CreateFromPaintDevice(&shown);
    ASSERT_TRUE(f.view.BeginDraw(dc.GetSafeHdc()));
    f.view.DrawMouseCursor(CPoint(60, 40), FALSE, 5, TRUE, RGB(0, 0, 0), 0);
    f.view.EndDraw();
    dc.DeleteDC();
    EXPECT_EQ(Px(shown, 60, 10), 0u);
    EXPECT_EQ(shown, *f.view.GetFrame());
    // Painting again wipes the overlay without rendering the drawing again.
    f.Render();
    EXPECT_EQ(*f.view.GetFrame(), before);
}

TEST(ViewRender, BreakProcedureStopsARedrawThatTheNextPaintFinishes)
{
    ViewFixture f;
    for (int i = 0; i < 9000; ++i) {
        Line2dFeature l(RuVaPnt2d(i % 200, 10), RuVaPnt2d(i % 200, 90));
        f.Add(l);
    }
    static int calls = 0;
    calls = 0;
    f.view.SetBreakProc([](Draw2dView*) { return ++calls > 1 ? 0 : 1; });
    f.Render();
    EXPECT_EQ(f.last, 0);
    EXPECT_GE(calls, 2);
    EXPECT_EQ(f.view.GetPicture(), nullptr);
    f.view.SetBreakProc(nullptr);
    f.Render();
    EXPECT_EQ(f.last, 1);
    EXPECT_NE(f.view.GetPicture(), nullptr);
}

TEST(ViewRender, DimensionValueAboveItsTextPoint)
{
    ViewFixture f;
    LinearDimension2dFeature dim(RuVaPnt2d(20, 20), RuVaPnt2d(180, 20), 10.0, 90.0, 0.0);
    ASSERT_TRUE(dim.SetTextHeight(15));
    DimensionSetting zeros(dim.GetDimensionSetting());
    ASSERT_TRUE(zeros.SetZeroVisible(1));  // "160.00"
    ASSERT_TRUE(dim.SetDimensionSetting(zeros));
    ASSERT_TRUE(dim.SetValueTextPosFreeMode(TRUE));
    ASSERT_TRUE(dim.SetValueTextPoint(RuVaPnt2d(100.5, 60.5)));
    dim.SetColorNo(-1);
    dim.SetColor(RGB(255, 0, 0));
    ASSERT_NE(f.Add(dim), -1);
    const QImage image = f.Render();
    // Ink above the text point (pixel row 39) and about its column, none well above the text.
    int above = 0, beyond = 0;
    for (int y = 20; y < 39; ++y)
        above += CountRow(image, y, 70, 130, kRed);
    for (int y = 0; y < 15; ++y)
        beyond += CountRow(image, y, 0, 199, kRed);
    EXPECT_GT(above, 20);
    EXPECT_EQ(beyond, 0);
}

TEST(ViewRender, UnboundedLinesMarkersAndFarDashesStayOnScreen)
{
    ViewFixture f;
    InfiniteLine2dFeature xline;
    ASSERT_TRUE(xline.SetPoint(RuVaPnt2d(0, 79.5)));
    xline.SetColorNo(-1);
    xline.SetColor(RGB(255, 0, 0));
    f.Add(xline);
    // A dashed line reaching far beyond the client area on both sides.
    Line2dFeature longDash = RedLine(-1e7, 19.5, 1e7, 19.5);
    ASSERT_TRUE(longDash.SetLineTypeNo(2));
    f.Add(longDash);
    PointMarker2dFeature marker;
    ASSERT_TRUE(marker.SetPoint(RuVaPnt2d(100.5, 49.5)));
    marker.SetColorNo(-1);
    marker.SetColor(RGB(0, 0, 255));
    f.Add(marker);
    ASSERT_TRUE(f.doc.SetPartLinePitchDisplayMode(LinePitchAsPrinted, 0));
    const QImage image = f.Render();
    ASSERT_EQ(f.last, 1);
    EXPECT_EQ(CountRow(image, 20, 0, 199, kRed), 200);
    const int dashes = CountRow(image, 80, 0, 199, kRed);
    EXPECT_GT(dashes, 130);
    EXPECT_LT(dashes, 170);
    EXPECT_GE(CountRow(image, 50, 95, 105, 0x0000FF), 3);
}

TEST(ViewRender, SelectedShapesInTheSelectionColour)
{
    ViewFixture f;
    Line2dFeature a = RedLine(10.5, 69.5, 190.5, 69.5), b = RedLine(10.5, 29.5, 190.5, 29.5);
    const long ida = f.Add(a);
    f.Add(b);
    f.view.SetSelectedFeatureColor(RGB(0, 0, 255));
    ASSERT_TRUE(f.doc.GetSelectionManager()->SelectFeature(FeatureRecord(ida, -1), FALSE));
    f.view.UpdateSelection(FALSE);
    const QImage image = f.Render();
    EXPECT_GT(CountRow(image, 30, 0, 199, 0x0000FF), 150);
    EXPECT_GT(CountRow(image, 70, 0, 199, kRed), 150);
    f.doc.GetSelectionManager()->UnselectAll(FALSE);
    f.view.UpdateSelection(FALSE);
    EXPECT_GT(CountRow(f.Render(), 30, 0, 199, kRed), 150);
}

TEST(ViewRender, ExtremeZoomsAndCentresDrawWithoutHarm)
{
    ViewFixture f;
    Line2dFeature line = RedLine(-1e6, -1e6, 1e6, 1e6);
    ASSERT_TRUE(line.SetLineTypeNo(5));
    f.Add(line);
    Circle2dFeature c(RuVaPnt2d(3, 4), 1e5);
    f.Add(c);
    Text2dFeature t(CString(u"Huge"), RuVaPnt2d(0, 0));
    ASSERT_TRUE(t.SetHeight(1e4));
    f.Add(t);
    const double scales[] = {1e-9, 1e-3, 1.0, 1e3, 1e9};
    const RuVaPnt2d centres[] = {RuVaPnt2d(0, 0), RuVaPnt2d(1e6, 1e6), RuVaPnt2d(-1e14, 3)};
    for (double s : scales)
        for (const RuVaPnt2d& c0 : centres) {
            ASSERT_TRUE(f.view.SetScale(s));
            f.view.SetCenterPoint(c0);
            f.Render();
            EXPECT_EQ(f.last, 1) << s;
        }
    f.view.SetCenterPoint(RuVaPnt2d(std::nan(""), 0));
    EXPECT_TRUE(f.view.GetCenterPoint().IsFinite());
    EXPECT_FALSE(f.view.SetScale(std::nan("")));
    EXPECT_FALSE(f.view.SetScale(-1));
    // An empty client area draws nothing and says so.
    f.view.ResizeView(0, 0);
    EXPECT_EQ(f.view.DrawView(nullptr), 0);
}

TEST(ViewRender, RepaintRequestsComeFromChangesNotFromPainting)
{
    ViewFixture f;
    int requests = 0;
    f.view.SetRepaintProc([](Draw2dView*, void* user) { ++*static_cast<int*>(user); }, &requests);
    f.Render();
    // An overlay drawn without a device context asks once at its end; restoring asks once.
    ASSERT_TRUE(f.view.BeginDraw());
    f.view.DrawMouseCursor(CPoint(10, 10), TRUE, 3, TRUE, RGB(0, 0, 0), 0);
    f.view.EndDraw();
    EXPECT_EQ(requests, 1);
    // Painting wipes the overlay without asking for another paint.
    f.Render();
    EXPECT_EQ(requests, 1);
    f.view.ResizeView(150, 80);
    EXPECT_EQ(requests, 2);
    f.Render();
    EXPECT_EQ(requests, 2);
}

TEST(ViewRender, LeadsWithTheirArrowAndText)
{
    ViewFixture f;
    Lead2dFeature lead;
    ASSERT_TRUE(lead.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(20.5, 50.5), RuVaPnt2d(120.5, 50.5)}));
    ASSERT_TRUE(lead.SetText(CString(u"NOTE")));
    ASSERT_TRUE(lead.SetTextPoint(RuVaPnt2d(125, 45)));
    ASSERT_TRUE(lead.SetTextHeight(12));
    ASSERT_TRUE(lead.SetArrowSize(8));
    lead.SetColorNo(-1);
    lead.SetColor(RGB(255, 0, 0));
    ASSERT_NE(f.Add(lead), -1);
    const QImage image = f.Render();
    // The arrow's wings stand off the line near its tip (pixel (20, 49)); the text right of the line's end.
    int wings = 0;
    for (int y = 44; y <= 47; ++y)
        wings += CountRow(image, y, 21, 30, kRed);
    EXPECT_GT(wings, 0);
    // Text is smoothed: count reddish pixels.
    int text = 0;
    for (int y = 40; y <= 58; ++y)
        for (int x = 124; x < 199; ++x) {
            const QColor c = QColor::fromRgb(image.pixel(x, y));
            text += c.red() > 160 && c.green() < 140 && c.blue() < 140;
        }
    EXPECT_GT(text, 40);
}
