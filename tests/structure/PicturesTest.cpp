// The drawing bar and the overview as pictures: each paints its content (and, with KC_SCREENSHOT_DIR set,
// is saved there for the documentation).
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include <cmath>

#include "StructureFixture.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "structure/CSkyViewBar.h"
#include "structure/CSkyViewBarWnd.h"

namespace {

void Save(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("KC_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

class PicturesTest : public DrawingBarFixture
{
};

TEST_F(PicturesTest, TheDrawingBarShowsItsToolbarAndTree)
{
    const long paper1 = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
    const long paper2 = doc.AddPaperFeature(nullptr);
    const long shaft = doc.AddPartDrawingFeature(_T("Shaft"));
    const long cover = doc.AddPartDrawingFeature(_T("Cover"));
    doc.AddPartLayout(paper1, shaft, _T("Shaft 1:2"), -1, 1);
    doc.AddPartLayout(paper1, cover, _T("Cover detail"), -1, 1);
    doc.SetDrawingState(paper2, 1, 1);
    doc.SetDrawingState(cover, 2, 1);
    bar.SetWindowPos(nullptr, 0, 0, 240, 300, SWP_NOZORDER);
    const QImage image = bar.GetQWidget()->grab().toImage();
    Save(image, "drawing-bar.png");
    EXPECT_EQ(Tree(), Expected());
    EXPECT_GT(image.width(), 100);
}

TEST_F(PicturesTest, TheOverviewDrawsTheDrawingAndARedFrame)
{
    DrawingFeatureBase* pPaper = doc.GetActiveDrawingFeature();
    for (int i = 0; i < 24; ++i) {
        const double a = i * 3.14159265358979 / 12;
        Line2dFeature line(RuVaPnt2d(150, 100), RuVaPnt2d(150 + 90 * std::cos(a), 100 + 90 * std::sin(a)));
        doc.AddFeature(&line, pPaper, 1);
    }
    Draw2dView main(&doc);
    main.SetDrawingFeature(doc.GetActiveDrawingFeature());
    main.ResizeView(400, 300);
    main.SetWorldSpace(RuVaPnt2d(120, 80), RuVaPnt2d(200, 140));
    CSkyViewBar overview;
    ASSERT_TRUE(overview.Create(u"Overview", &host, CRect(0, 0, 240, 260), FALSE, 59429,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, 0xF));
    CSkyViewBarWnd& sky = overview.GetOverview();
    sky.SetMainViewForTest(&main);
    NotifyInfoBase info(&doc, NotifyInfoBase::kindDocument, 1);
    overview.OnDocumentNotify(&info);
    sky.GetOwnView().ZoomPaper();
    const QImage image = overview.GetQWidget()->grab().toImage();
    Save(image, "overview.png");
    EXPECT_GT(CountColour(sky.GetQWidget()->grab().toImage(), qRgb(255, 0, 0)), 100) << "the frame";
    overview.DestroyWindow();
}

}  // namespace
