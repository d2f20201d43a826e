// The printed page as the plot setting places it: a drawing printed through PlotManager into a real
// PDF file (a printer context over a PDF writer, as the print loop makes it), read back with poppler's
// tools, and checked for where the ink lies, its colour and its thickness.

#include <gtest/gtest.h>

#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPdfWriter>

#include <functional>
#include <memory>
#include <string>

#include "libs/kcplot/PlotManager.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/gdi/CDC.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/win/PrintDlgTypes.h"
#include "tests/support/print/PdfPage.h"

namespace {

using kctest::InkBox;

// A document whose active drawing holds a 100 x 50 rectangle from (0, 0), red, 0.25 mm wide.
class PlotFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_drawing = m_doc.GetActiveDrawingFeature();
        ASSERT_NE(m_drawing, nullptr);
        m_layer = m_doc.GetCurrentLayerID();
        AddRect(RuVaPnt2d(0, 0), RuVaPnt2d(100, 50), RGB(255, 0, 0), 0.25, m_layer);
    }

    void AddLine(const RuVaPnt2d& a, const RuVaPnt2d& b, COLORREF color, double width, long layer)
    {
        std::unique_ptr<Line2dFeature> line(FeatureCreator::CreateLineFeature(a, b));
        ASSERT_NE(line, nullptr);
        line->SetColorNo(-1);
        line->SetColor(color);
        line->SetLineWidthNo(Feature2dBase::kLineWidthNoExplicit);
        line->SetLineWidth(width);
        line->SetLayerID(layer);
        ASSERT_GT(m_doc.AddFeature(line.get(), m_drawing, 1), 0);
    }

    void AddRect(const RuVaPnt2d& a, const RuVaPnt2d& b, COLORREF color, double width, long layer)
    {
        AddLine(a, RuVaPnt2d(b.X(), a.Y()), color, width, layer);
        AddLine(RuVaPnt2d(b.X(), a.Y()), b, color, width, layer);
        AddLine(b, RuVaPnt2d(a.X(), b.Y()), color, width, layer);
        AddLine(RuVaPnt2d(a.X(), b.Y()), a, color, width, layer);
    }

    // Prints into a PDF of the paper and orientation given and reads the page back at dpi.
    QImage Print(short paper, bool landscape, int dpi, kctest::PdfInfo* pInfo = nullptr)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_count));
        {
            QPdfWriter writer(path);
            writer.setResolution(600);
            writer.setPageLayout(QPageLayout(QPageSize(paper == DMPAPER_A3 ? QPageSize::A3 : QPageSize::A4),
                                             landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
            CDC dc;
            EXPECT_TRUE(dc.CreateFromPaintDevice(&writer));
            dc.StartDoc(u"test");
            dc.StartPage();
            {
                Gdiplus::Graphics graphics(dc.GetSafeHdc());
                graphics.SetPageUnit(Gdiplus::UnitMillimeter);
                EXPECT_TRUE(PlotManager::PlotOut(&m_doc, m_drawing, &graphics, dc.GetSafeHdc()));
            }
            dc.EndPage();
            dc.EndDoc();
        }
        if (pInfo != nullptr)
            *pInfo = kctest::ReadPdfInfo(path);
        m_lastPdf = path;
        return kctest::RenderPdfPage(path, dpi);
    }

    void Set(const std::function<void(PlotSetting&)>& change)
    {
        PlotSetting s = m_doc.GetPlotSetting();
        change(s);
        m_doc.SetPlotSetting(s);
    }

    QTemporaryDir m_dir;
    Draw2dDocument m_doc{nullptr};
    DrawingFeatureBase* m_drawing = nullptr;
    long m_layer = 0;
    int m_count = 0;
    QString m_lastPdf;
};

// Where the rectangle lands, in millimetres on the sheet (rendered at 25.4 dpi: a pixel is a millimetre).
struct PlacementCase {
    const char* name;
    short paper;
    bool landscape;
    int scaleMode;
    double scale;
    double offsetX, offsetY;
    double left, top, right, bottom;  // expected ink box in mm
    double sheetW, sheetH;
};

class PlacementTest : public PlotFixture, public ::testing::WithParamInterface<PlacementCase>
{
};

TEST_P(PlacementTest, InkLiesWhereTheSettingPutsIt)
{
    const PlacementCase& c = GetParam();
    Set([&](PlotSetting& s) {
        s.SetScaleMode(c.scaleMode);
        s.SetScale(c.scale);
        s.SetOffset(c.offsetX, c.offsetY);
        s.SetRangeMode(PlotSetting::rangeExtents);
    });
    kctest::PdfInfo info;
    const QImage page = Print(c.paper, c.landscape, 254, &info);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthMM, c.sheetW, 0.5);
    EXPECT_NEAR(info.heightMM, c.sheetH, 0.5);
    const InkBox box = kctest::InkBoxOf(page);
    ASSERT_FALSE(box.Empty());
    // 10 pixels a millimetre; the 0.25 mm line adds a pixel or two either side.
    EXPECT_NEAR(box.left / 10.0, c.left, 0.4) << c.name;
    EXPECT_NEAR(box.top / 10.0, c.top, 0.4) << c.name;
    EXPECT_NEAR((box.right + 1) / 10.0, c.right, 0.4) << c.name;
    EXPECT_NEAR((box.bottom + 1) / 10.0, c.bottom, 0.4) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PlacementTest,
    ::testing::Values(
        // Fit: 100 x 50 into 210 x 297 at 2.1, centred.
        PlacementCase{"fit A4", DMPAPER_A4, false, PlotSetting::scaleFit, 1.0, 0, 0, 0, 96, 210, 201, 210, 297},
        PlacementCase{"100 % A4", DMPAPER_A4, false, PlotSetting::scaleRatio, 1.0, 0, 0, 55, 123.5, 155, 173.5, 210, 297},
        PlacementCase{"100 % A3 landscape", DMPAPER_A3, true, PlotSetting::scaleRatio, 1.0, 0, 0, 160, 123.5, 260, 173.5,
                      420, 297},
        PlacementCase{"50 % A4", DMPAPER_A4, false, PlotSetting::scaleRatio, 0.5, 0, 0, 80, 136, 130, 161, 210, 297},
        // The offset moves the image right and up.
        PlacementCase{"offset 10 mm", DMPAPER_A4, false, PlotSetting::scaleRatio, 1.0, 10, 10, 65, 113.5, 165, 163.5, 210,
                      297}),
    [](const ::testing::TestParamInfo<PlacementCase>& i) {
        std::string n = i.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST_F(PlotFixture, ColoursConvertedLeaveNoColouredInk)
{
    const QImage asDrawn = Print(DMPAPER_A4, false, 100);
    EXPECT_GT(kctest::CountPixels(asDrawn, &kctest::IsColouredInk), 100);
    Set([](PlotSetting& s) { s.SetConvertColorMode(PlotSetting::colorBlack); });
    const QImage converted = Print(DMPAPER_A4, false, 100);
    EXPECT_GT(kctest::CountPixels(converted, &kctest::IsInk), 100);
    EXPECT_EQ(kctest::CountPixels(converted, &kctest::IsColouredInk), 0);
}

TEST_F(PlotFixture, LineWidthsOffPrintTheThinnestLine)
{
    AddLine(RuVaPnt2d(0, 25), RuVaPnt2d(100, 25), RGB(0, 0, 0), 2.0, m_layer);
    Set([](PlotSetting& s) {
        s.SetScaleMode(PlotSetting::scaleRatio);
        s.SetScale(1.0);
    });
    // Across the thick line in the middle of the rectangle, at 254 dpi (10 pixels a millimetre).
    auto thickness = [](const QImage& page) {
        int n = 0;
        for (int y = 1485 - 30; y <= 1485 + 30; ++y)
            n += kctest::IsInk(page.pixel(1050, y)) ? 1 : 0;
        return n;
    };
    const QImage wide = Print(DMPAPER_A4, false, 254);
    EXPECT_GE(thickness(wide), 17);
    Set([](PlotSetting& s) { s.SetLineWidthPrintable(FALSE); });
    const QImage thin = Print(DMPAPER_A4, false, 254);
    EXPECT_GE(thickness(thin), 1);
    EXPECT_LE(thickness(thin), 3);
}

TEST_F(PlotFixture, ShapesOfALayerNotPrintableAreLeftOut)
{
    const long hidden = m_doc.AddLayer(u"hidden", -1);
    ASSERT_GT(hidden, 0);
    // Far to the right: with it the extents double.
    AddRect(RuVaPnt2d(300, 0), RuVaPnt2d(400, 50), RGB(0, 0, 0), 0.25, hidden);
    Set([](PlotSetting& s) {
        s.SetScaleMode(PlotSetting::scaleRatio);
        s.SetScale(0.5);
        s.SetOrientType(PlotSetting::orientLandscape);
    });
    const InkBox both = kctest::InkBoxOf(Print(DMPAPER_A4, true, 254));
    EXPECT_NEAR(both.Width() / 10.0, 200.0, 1.0);
    ASSERT_TRUE(m_doc.SetLayerPrintable(hidden, FALSE));
    const QImage page = Print(DMPAPER_A4, true, 254);
    const InkBox one = kctest::InkBoxOf(page);
    // Only the first rectangle, 50 mm wide at 50 %, is printed.
    EXPECT_NEAR(one.Width() / 10.0, 50.0, 1.0);
}

TEST_F(PlotFixture, ExtentsAreThoseOfTheShapesThatPrint)
{
    // Far to the right on a layer that does not print: the fitted extents must not reach it.
    const long notPrinted = m_doc.AddLayer(u"not printed", -1);
    ASSERT_GT(notPrinted, 0);
    AddRect(RuVaPnt2d(300, 0), RuVaPnt2d(400, 50), RGB(0, 0, 0), 0.25, notPrinted);
    ASSERT_TRUE(m_doc.SetLayerPrintable(notPrinted, FALSE));
    Set([](PlotSetting& s) {
        s.SetRangeMode(PlotSetting::rangeExtents);
        s.SetScaleMode(PlotSetting::scaleFit);
    });
    RuVaBndBox2d range;
    ASSERT_TRUE(m_doc.GetPlotSetting().GetPlotRange(m_doc, *m_drawing, range));
    EXPECT_NEAR(range.XMax(), 100.0, 1e-9);
    // The 100 x 50 rectangle fills the width of the A4 sheet, as if the other were not there.
    const InkBox box = kctest::InkBoxOf(Print(DMPAPER_A4, false, 254));
    ASSERT_FALSE(box.Empty());
    EXPECT_NEAR(box.Width() / 10.0, 210.0, 1.0);
}

TEST_F(PlotFixture, PrintRangePrintsOnlyWhatLiesInside)
{
    AddLine(RuVaPnt2d(20, 10), RuVaPnt2d(40, 10), RGB(0, 0, 0), 0.25, m_layer);
    // The range holds the short line and cuts the rectangle's left edge away.
    ASSERT_TRUE(m_doc.SetDrawingPrintRange(m_drawing->GetDrawingID(), RuVaBndBox2d(RuVaPnt2d(10, 5), RuVaPnt2d(50, 15))));
    Set([](PlotSetting& s) {
        s.SetRangeMode(PlotSetting::rangePrintRange);
        s.SetScaleMode(PlotSetting::scaleFit);
    });
    const QImage page = Print(DMPAPER_A4, false, 254);
    const InkBox box = kctest::InkBoxOf(page);
    ASSERT_FALSE(box.Empty());
    // 40 x 10 fitted to 210 wide (5.25 times): the line from 20 to 40 runs from 52.5 to 157.5 mm.
    EXPECT_NEAR(box.left / 10.0, 52.5, 0.5);
    EXPECT_NEAR((box.right + 1) / 10.0, 157.5, 0.5);
    // Nothing of the rectangle's edges (at x 0 and y 0, outside the range) shows.
    EXPECT_NEAR(box.top / 10.0, 148.5, 1.0);
}

// The path commands of the PDF's first page as poppler's SVG output writes them: how many curve pieces
// (C) and straight pieces (L).
struct PathCounts {
    int curves = 0, lines = 0;
};
PathCounts CountPathCommands(const QString& pdf)
{
    PathCounts counts;
    const QString svg = pdf + QStringLiteral(".svg");
    QProcess p;
    p.start(QStringLiteral("pdftocairo"), {QStringLiteral("-svg"), QStringLiteral("-f"), QStringLiteral("1"),
                                            QStringLiteral("-l"), QStringLiteral("1"), pdf, svg});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return counts;
    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly))
        return counts;
    const QString text = QString::fromUtf8(file.readAll());
    auto it = QRegularExpression(QStringLiteral(" d=\"([^\"]*)\"")).globalMatch(text);
    while (it.hasNext()) {
        const QString d = it.next().captured(1);
        counts.curves += static_cast<int>(d.count(QLatin1Char('C')));
        counts.lines += static_cast<int>(d.count(QLatin1Char('L')));
    }
    return counts;
}

TEST_F(PlotFixture, CirclesArcsAndEllipsesGoOutAsCurvesDashedOnesToo)
{
    const long layer = m_layer;
    const short dashed = 2;  // the table's dashed line
    auto add = [&](Feature2dBase* f, short lineType) {
        std::unique_ptr<Feature2dBase> owned(f);
        owned->SetLineTypeNo(lineType);
        owned->SetLayerID(layer);
        ASSERT_GT(m_doc.AddFeature(owned.get(), m_drawing, 1), 0);
    };
    add(new Circle2dFeature(RuVaPnt2d(40, 40), 30), dashed);
    add(new Arc2dFeature(RuVaPnt2d(40, 40), 20, 30.0, 250.0, 1), dashed);                // clockwise
    add(new Ellipse2dFeature(RuVaPnt2d(120, 40), 35, 15, 30.0), 1);                        // solid
    add(new EllipseArc2dFeature(RuVaPnt2d(120, 40), 25, 10, 120.0, 20.0, 300.0, 0), dashed);
    add(new EllipseArc2dFeature(RuVaPnt2d(120, 40), 20, 8, 60.0, 20.0, 300.0, 1), 1);    // clockwise
    Set([](PlotSetting& s) {
        s.SetScaleMode(PlotSetting::scaleRatio);
        s.SetScale(1.0);
        s.SetOrientType(PlotSetting::orientLandscape);
        s.SetConvertColorMode(PlotSetting::colorBlack);  // the red rectangle's faint edges count as ink
    });
    const int dpi = 100;
    const QImage page = Print(DMPAPER_A4, true, dpi);
    ASSERT_FALSE(page.isNull());

    // Curves, no chains of short lines (the only lines are the rectangle's four sides): the dashes are
    // pieces of the curves.
    const PathCounts counts = CountPathCommands(m_lastPdf);
    EXPECT_GT(counts.curves, 40);
    EXPECT_LE(counts.lines, 8);

    // The same shapes drawn as chains of lines, dashes and all, at the place the page puts them: the ink
    // of each lies on the other's.
    const PlotSetting& setting = m_doc.GetPlotSetting();
    const PlotManager::Sheet sheet = PlotManager::GetSheet(nullptr, setting);
    QTransform toSheet;
    ASSERT_TRUE(PlotManager::GetPlotTransform(m_doc, *m_drawing, setting, sheet, toSheet));
    QImage chains(page.size(), QImage::Format_RGB32);
    chains.fill(Qt::white);
    {
        QPainter painter(&chains);
        DrawingManager::PlotStyle style;
        style.bCurves = false;
        style.bBlack = true;
        const double k = dpi / 25.4;
        ASSERT_TRUE(DrawingManager::PlotDrawing(m_doc, *m_drawing, painter, toSheet * QTransform::fromScale(k, k), k,
                                                chains.width(), chains.height(), style));
    }
    EXPECT_GT(kctest::CountPixels(page, &kctest::IsInk), 2000);
    EXPECT_GE(kctest::InkCoveredBy(page, chains, 2), 0.98);
    EXPECT_GE(kctest::InkCoveredBy(chains, page, 2), 0.98);
}

TEST_F(PlotFixture, AnEmptyDrawingPrintsAnEmptyPage)
{
    Draw2dDocument empty(nullptr);
    const QString path = m_dir.filePath(QStringLiteral("empty.pdf"));
    {
        QPdfWriter writer(path);
        CDC dc;
        ASSERT_TRUE(dc.CreateFromPaintDevice(&writer));
        dc.StartDoc(u"empty");
        dc.StartPage();
        Gdiplus::Graphics graphics(dc.GetSafeHdc());
        graphics.SetPageUnit(Gdiplus::UnitMillimeter);
        EXPECT_TRUE(PlotManager::PlotOut(&empty, empty.GetActiveDrawingFeature(), &graphics, dc.GetSafeHdc()));
        dc.EndDoc();
    }
    const QImage page = kctest::RenderPdfPage(path, 50);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(kctest::CountPixels(page, &kctest::IsInk), 0);
}

}  // namespace
