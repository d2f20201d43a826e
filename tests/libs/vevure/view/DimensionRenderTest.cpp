// Dimensions drawn from their layout: filled and outlined heads, extension lines in their own colour, texts
// where the layout puts them, and the same picture from the printer path.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdlib>

#include "ViewFixture.h"

#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"

namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlue = 0x0000FF;

void Red(Feature2dBase& f)
{
    f.SetColorNo(-1);
    f.SetColor(RGB(255, 0, 0));
}

// Saves the picture for a look when KC_DUMP_DIR names a folder.
void Dump(const QImage& image, const char* name)
{
    if (const char* dir = std::getenv("KC_DUMP_DIR"))
        image.save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name));
}

int Count(const QImage& image, int x0, int y0, int x1, int y1, QRgb color)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += Px(image, x, y) == color;
    return n;
}

}  // namespace

TEST(DimensionRender, FilledHeadsAreFilledAndOutlinedOnesHollow)
{
    ViewFixture f(400, 200);
    f.view.SetScale(2.0);
    f.view.SetCenterPoint(RuVaPnt2d(100, 50));
    // Measured points (20, 20) and (180, 20), the line at y = 60 (pixel row 79.5), heads 10 long.
    LinearDimension2dFeature filled(RuVaPnt2d(20, 20), RuVaPnt2d(180, 20), 40.0, 90.0, 0.0);
    DimensionSetting s(filled.GetDimensionSetting());
    ASSERT_TRUE(s.SetArrowSize1(10) && s.SetArrowSize2(10) && s.SetArrowType1(6) && s.SetArrowType2(1));
    ASSERT_TRUE(filled.SetDimensionSetting(s));
    Red(filled);
    ASSERT_NE(f.Add(filled), -1);
    const QImage image = f.Render();
    Dump(image, "heads.png");
    // Head 1 points left with its tip at x = 20 (pixel 40): inside it, 6 units in, all red.
    EXPECT_GE(Count(image, 50, 78, 54, 81, kRed), 18);
    // Head 2 is an outline: its inside, away from the line and the sides, stays the background.
    EXPECT_EQ(Count(image, 344, 78, 348, 81, kRed), 0);
    EXPECT_GE(Count(image, 338, 70, 342, 89, kRed), 2);  // its base
}

TEST(DimensionRender, ExtensionLinesTakeTheirOwnColourWhenTheStyleSaysSo)
{
    ViewFixture f(400, 200);
    f.view.SetScale(2.0);
    f.view.SetCenterPoint(RuVaPnt2d(100, 50));
    LinearDimension2dFeature dim(RuVaPnt2d(20, 20), RuVaPnt2d(180, 20), 40.0, 90.0, 0.0);
    DimensionSetting s(dim.GetDimensionSetting());
    ASSERT_TRUE(s.SetProjectionColorDifferentDim(1) && s.SetProjectionColorNo(5));
    ASSERT_TRUE(dim.SetDimensionSetting(s));
    Red(dim);
    ASSERT_NE(f.Add(dim), -1);
    const QImage image = f.Render();
    Dump(image, "extension-colour.png");
    const COLORREF own = f.doc.GetColorFeatureTable()->GetColorRef(5);
    const QRgb ownRgb = qRgb(GetRValue(own), GetGValue(own), GetBValue(own)) & 0xFFFFFF;
    ASSERT_NE(ownRgb, kRed);
    // Extension line 1 runs up x = 20 (pixel column 40) from y = 21 to 61.
    EXPECT_GE(Count(image, 39, 100, 41, 150, ownRgb), 40);
    EXPECT_EQ(Count(image, 39, 100, 41, 150, kRed), 0);
    // The dimension line keeps the dimension's colour.
    EXPECT_GE(Count(image, 150, 79, 250, 80, kRed), 90);
}

TEST(DimensionRender, EveryKindDrawsInkWithinItsBoxAndThePrinterPathDrawsTheSame)
{
    ViewFixture f(400, 300);
    f.view.SetScale(2.0);
    f.view.SetCenterPoint(RuVaPnt2d(100, 75));
    LinearDimension2dFeature linear(RuVaPnt2d(10, 10), RuVaPnt2d(90, 10), 12.0, 90.0, 0.0);
    RadiusDimension2dFeature radius(RuVaPnt2d(140, 40), RuVaPnt2d(170, 60));
    DiameterDimension2dFeature diameter(RuVaPnt2d(10, 60), RuVaPnt2d(70, 100));
    AngularDimension2dFeature angular(RuVaPnt2d(110, 90), RuVaPnt2d(150, 90), RuVaPnt2d(130, 125), 30.0);
    ArcDimension2dFeature arc(RuVaPnt2d(150, 100), 30.0, 20.0, 100.0);
    arc.SetProjectionLength(8.0);
    Dimension2dFeatureBase* all[] = {&linear, &radius, &diameter, &angular, &arc};
    for (Dimension2dFeatureBase* d : all) {
        Red(*d);
        ASSERT_NE(f.Add(*d), -1);
    }
    const QImage image = f.Render();
    Dump(image, "every-kind.png");
    for (Dimension2dFeatureBase* d : all) {
        SCOPED_TRACE(d->GetFeatureType());
        const RuVaBndBox2d box = d->GetBndBox();
        // In pixels: x = 2 (wx - 0), y = 150 - 2 (wy - 75).
        const int x0 = (int)std::floor(2 * box.XMin()), x1 = (int)std::ceil(2 * box.XMax());
        const int y0 = (int)std::floor(300 - 2 * box.YMax()) - 1, y1 = (int)std::ceil(300 - 2 * box.YMin());
        EXPECT_GE(Count(image, std::max(0, x0), std::max(0, y0), std::min(399, x1), std::min(299, y1), kRed), 20);
    }
    // The printer path, onto any painter, gives the same picture.
    QImage printed(400, 300, QImage::Format_ARGB32_Premultiplied);
    printed.fill(Qt::white);
    {
        QPainter p(&printed);
        ASSERT_TRUE(DrawingManager::RenderViewTo(f.view, p, 400, 300));
    }
    Dump(printed, "every-kind-printed.png");
    int same = 0, red = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (Px(image, x, y) == kRed) {
                ++red;
                same += Px(printed, x, y) == kRed;
            }
    EXPECT_GT(red, 500);
    EXPECT_GE(same, red * 9 / 10);
}

namespace {

// Every dimension kind, in the style given, laid out in a band of the drawing from y0 up.
void AddEveryKind(ViewFixture& f, double y0, const DimensionSetting& style)
{
    LinearDimension2dFeature linear(RuVaPnt2d(10, y0 + 10), RuVaPnt2d(90, y0 + 10), 25.0, 90.0, 0.0);
    LinearDimension2dFeature narrow(RuVaPnt2d(105, y0 + 10), RuVaPnt2d(113, y0 + 10), 25.0, 90.0, 0.0);
    LinearDimension2dFeature upright(RuVaPnt2d(125, y0 + 5), RuVaPnt2d(125, y0 + 45), -10.0, 180.0, 90.0);
    RadiusDimension2dFeature radius(RuVaPnt2d(160, y0 + 25), RuVaPnt2d(178, y0 + 35));
    RadiusDimension2dFeature leader(RuVaPnt2d(160, y0 + 25), RuVaPnt2d(142, y0 + 35));
    leader.SetSecondPoint(RuVaPnt2d(135, y0 + 48));
    leader.SetLeaderMode(1);
    Circle2dFeature around(RuVaPnt2d(160, y0 + 25), RuVaPnt2d(160, y0 + 25).Distance(RuVaPnt2d(178, y0 + 35)));
    DiameterDimension2dFeature diameter(RuVaPnt2d(200, y0 + 10), RuVaPnt2d(240, y0 + 40));
    Circle2dFeature circle(RuVaPnt2d(220, y0 + 25), 25.0);
    AngularDimension2dFeature angular(RuVaPnt2d(265, y0 + 5), RuVaPnt2d(305, y0 + 5), RuVaPnt2d(290, y0 + 35), 30.0);
    ArcDimension2dFeature arc(RuVaPnt2d(350, y0 + 10), 25.0, 30.0, 150.0);
    arc.SetProjectionLength(8.0);
    Arc2dFeature measured(RuVaPnt2d(350, y0 + 10), 25.0, 30.0, 150.0);
    LinearDimension2dFeature parallel(RuVaPnt2d(60, y0 + 45), RuVaPnt2d(100, y0 + 60), 0.0, 90.0, 0.0);
    Dimension2dFeatureBase* dims[] = {&linear, &narrow, &upright, &radius, &leader, &diameter, &angular, &arc};
    for (Dimension2dFeatureBase* d : dims) {
        ASSERT_TRUE(d->SetDimensionSetting(style));
        ASSERT_NE(f.Add(*d), -1);
    }
    for (Feature2dBase* s : std::initializer_list<Feature2dBase*>{&around, &circle, &measured}) {
        s->SetColorNo(-1);
        s->SetColor(RGB(0, 0, 255));
        ASSERT_NE(f.Add(*s), -1);
    }
}

}  // namespace

TEST(DimensionRender, EveryKindInTwoStylesAndOnAPdfPage)
{
    ViewFixture f(1200, 390);
    f.view.SetScale(3.0);
    f.view.SetCenterPoint(RuVaPnt2d(200, 65));
    DimensionSetting plain(*f.doc.GetDimensionSetting());
    AddEveryKind(f, 70, plain);
    // A second style: open heads outside, level text on the line, a tolerance and additions.
    DimensionSetting other(plain);
    ASSERT_TRUE(other.SetArrowType1(ArrowOpen) && other.SetArrowType2(ArrowOblique));
    ASSERT_TRUE(other.SetArrowPosition(DimArrowOutside) && other.SetAutoArrowPosition(0) && other.SetInsideDimLine(1));
    ASSERT_TRUE(other.SetVerticalPos(DimValueOnLine) && other.SetPosAngle(DimValueHorizontal));
    ASSERT_TRUE(other.SetToleranceType(DimToleranceDeviation) && other.SetTolerance1(0.1) && other.SetTolerance2(-0.05));
    ASSERT_TRUE(other.SetPreAdditionText(CString(u"2-")) && other.SetAddRPhi(1) && other.SetZeroVisible(1));
    ASSERT_TRUE(other.SetProjectionColorDifferentDim(1) && other.SetProjectionColorNo(3));
    AddEveryKind(f, 5, other);
    const QImage image = f.Render();
    Dump(image, "dimensions.png");
    EXPECT_GT(Count(image, 0, 0, 1199, 389, 0x000000), 500);  // lines, heads and texts in black

    // The printer path onto a PDF page, as printing does: the heads are filled paths, the texts real text.
    const QString path = QDir::temp().filePath(QStringLiteral("kc-dimensions-%1.pdf").arg(QCoreApplication::applicationPid()));
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        QPainter p(&pdf);
        ASSERT_TRUE(DrawingManager::RenderViewTo(f.view, p, pdf.width(), pdf.height()));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QFile::remove(path);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Font")) << "the value texts are text on the page";
    EXPECT_GT(bytes.size(), 4000);
}
