// The part layout command through the real command manager: the region inputs follow the shape choice,
// picks in the wrong view and bad scales are refused, a change of tab keeps what is given, and a placed
// layout gets its scale fraction and the origin that puts the region's reference point on the picked point.
#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "StructureFixture.h"
#include "command/DrawingParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/gdi/CDC.h"
#include "structure/PartLayout2dCommand.h"
#include "tests/support/command/ManagerFixture.h"

namespace {

using QZ2Command::PartLayout2dCommand;

TEST(PartLayoutArithmetic, ScalesBecomeFractionsAndOriginsPutTheReferenceOnThePoint)
{
    struct Fraction {
        double f, num, den;
    };
    for (const Fraction& c : {Fraction{0.5, 1, 2}, Fraction{2, 2, 1}, Fraction{1, 1, 1}, Fraction{0.25, 1, 4}}) {
        double num = 0;
        double den = 0;
        PartLayout2dCommand::ScaleToFraction(c.f, num, den);
        EXPECT_DOUBLE_EQ(num, c.num) << c.f;
        EXPECT_DOUBLE_EQ(den, c.den) << c.f;
    }
    struct Origin {
        double sx, sy, angle, x, y;
    };
    // Rectangle (0,0)-(10,20): reference (5,10), placed at (100,100).
    for (const Origin& c : {Origin{1, 1, 0, 95, 90}, Origin{0.5, 0.5, 0, 97.5, 95}, Origin{2, 2, 0, 90, 80},
                            Origin{1, 1, 90, 110, 95}}) {
        const RuVaPnt2d o = PartLayout2dCommand::ComputeOrigin(RuVaPnt2d(100, 100), RuVaPnt2d(5, 10), c.sx, c.sy, c.angle);
        EXPECT_NEAR(o.X(), c.x, 1e-9) << c.sx << " " << c.angle;
        EXPECT_NEAR(o.Y(), c.y, 1e-9) << c.sx << " " << c.angle;
    }
}

class PartLayoutCommandTest : public kctest::ManagerFixture
{
protected:
    static void SetUpTestSuite()
    {
        TheApp();
        s_pModule = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG").pModule;
        s_pPrevious = AfxGetResourceHandle();
        if (s_pModule != nullptr)
            AfxSetResourceHandle(s_pModule);
    }
    static void TearDownTestSuite()
    {
        AfxSetResourceHandle(s_pPrevious);
        if (s_pModule != nullptr)
            AfxFreeResourceModule(s_pModule);
    }
    void SetUp() override
    {
        kctest::ManagerFixture::SetUp();
        TheApp().boxes.clear();
        paperID = doc.GetActiveDrawingID();
        partID = doc.AddPartDrawingFeature(_T("Bracket"));
        doc.ClearUndoRedoHistory();
        Show(Part());
        ASSERT_TRUE(manager.ExecuteCommand(34344));
        cmd = dynamic_cast<PartLayout2dCommand*>(manager.GetActiveCommand());
        ASSERT_NE(cmd, nullptr);
    }
    void TearDown() override { kctest::ManagerFixture::TearDown(); }
    void Show(DrawingFeatureBase* pDrawing)
    {
        view.SetDrawingFeature(pDrawing);
        view.SetActiveLayout(pDrawing->GetSelfPartLayout());
    }
    int Index(WORD id) { return cmd->FindParameterIndex(id); }
    BOOL Drawing(DrawingFeatureBase* pDrawing)
    {
        QZ2Command::DrawingParameterItem item;
        item.SetId(PartLayout2dCommand::itemDrawing);
        item.m_pDocument = &doc;
        item.SetValue(pDrawing, nullptr);
        return manager.SetDrawingParameter(Index(PartLayout2dCommand::itemDrawing), item, TRUE);
    }
    BOOL Point(WORD id, double x, double y)
    {
        QZ2Command::PointParameterItem item;
        item.SetId(id);
        item.SetValue(RuVaPnt2d(x, y));
        return manager.SetPointParameter(Index(id), item, TRUE);
    }
    BOOL Scale(double sx, double sy)
    {
        QZ2Command::ScaleParameterItem item;
        item.SetId(PartLayout2dCommand::itemScale);
        if (!item.SetValue(sx, sy)) {
            // A factor the item itself refuses, as a value handed in unchecked would carry it.
            item.m_dValueX = sx;
            item.m_dValueY = sy;
            item.m_bEmpty = FALSE;
        }
        return manager.SetScaleParameter(Index(PartLayout2dCommand::itemScale), item, TRUE);
    }
    BOOL Shape(int choice)
    {
        QZ2Command::ListParameterItem item;
        item.SetId(PartLayout2dCommand::itemShape);
        item.SetItemsFromStringId(10847);
        item.SetValue(choice);
        return manager.SetListParameter(Index(PartLayout2dCommand::itemShape), item, TRUE);
    }

    // The view's picture without overlays, and the box of the green pixels a preview drew over it.
    void Render()
    {
        view.UpdateView(0, 1);
        QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        view.DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
    }
    QRect GreenBox() const
    {
        const QImage* pFrame = view.GetFrame();
        QRect box;
        if (pFrame == nullptr)
            return box;
        for (int y = 0; y < pFrame->height(); ++y)
            for (int x = 0; x < pFrame->width(); ++x) {
                const QColor c = pFrame->pixelColor(x, y);
                if (c.green() > 200 && c.red() < 60 && c.blue() < 60)
                    box |= QRect(x, y, 1, 1);
            }
        return box;
    }
    QRect Preview(const RuVaPnt2d& local)
    {
        view.RestoreView();
        RuVaPnt2d world;
        view.ConvertPointLocalToWorld(view.GetActiveDrawingFeature(), view.GetActivePartLayout(), local, world);
        manager.SetCursorPoints(world, local);
        cmd->DrawPreview(view.ConvertPointWorldToClient(world), world, local, 0);
        return GreenBox();
    }
    // The client box of a rectangle given in the coordinates of the view's active drawing.
    QRect ClientBox(const RuVaPnt2d& a, const RuVaPnt2d& b) const
    {
        RuVaPnt2d wa;
        RuVaPnt2d wb;
        view.ConvertPointLocalToWorld(view.GetActiveDrawingFeature(), view.GetActivePartLayout(), a, wa);
        view.ConvertPointLocalToWorld(view.GetActiveDrawingFeature(), view.GetActivePartLayout(), b, wb);
        const CPoint ca = view.ConvertPointWorldToClient(wa);
        const CPoint cb = view.ConvertPointWorldToClient(wb);
        return QRect(QPoint(ca.x, ca.y), QPoint(cb.x, cb.y)).normalized();
    }
    static void ExpectBoxNear(const QRect& box, const QRect& expected)
    {
        EXPECT_NEAR(box.left(), expected.left(), 2);
        EXPECT_NEAR(box.right(), expected.right(), 2);
        EXPECT_NEAR(box.top(), expected.top(), 2);
        EXPECT_NEAR(box.bottom(), expected.bottom(), 2);
    }

    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
    DrawingFeatureBase* Paper() { return doc.GetDrawingFeatureByID(paperID); }
    DrawingFeatureBase* Part() { return doc.GetDrawingFeatureByID(partID); }
    long paperID = -1;
    long partID = -1;
    PartLayout2dCommand* cmd = nullptr;
};
ResourceModule* PartLayoutCommandTest::s_pModule = nullptr;
ResourceModule* PartLayoutCommandTest::s_pPrevious = nullptr;

TEST_F(PartLayoutCommandTest, APlacedRectangleAtHalfScaleLandsWithItsCentreOnThePoint)
{
    ASSERT_TRUE(Drawing(Part()));
    ASSERT_TRUE(Point(PartLayout2dCommand::itemCorner1, 0, 0));
    ASSERT_TRUE(Point(PartLayout2dCommand::itemCorner2, 10, 20));
    ASSERT_TRUE(Scale(0.5, 0.5));
    Show(Paper());
    // Switching to the paper's tab restarts the running command's inputs: what was given in the part
    // drawing stays, and the placement point is asked for.
    manager.EndCommandsOnDrawingChange(paperID);
    ASSERT_EQ(manager.GetActiveCommand(), cmd);
    for (WORD id : {PartLayout2dCommand::itemDrawing, PartLayout2dCommand::itemCorner1, PartLayout2dCommand::itemCorner2,
                    PartLayout2dCommand::itemScale})
        EXPECT_FALSE(cmd->IsParameterEmpty(Index(id))) << id;
    EXPECT_EQ(cmd->GetCurrentParameterIndex(), Index(PartLayout2dCommand::itemPlace));
    ASSERT_TRUE(Point(PartLayout2dCommand::itemPlace, 100, 100));
    EXPECT_FALSE(manager.HasActiveCommand()) << "ends after one placement";
    const DrawingFeatureBase* pPaper = doc.GetDrawingFeatureByID(paperID);
    ASSERT_EQ(pPaper->GetPartLayoutCount(), 1);
    const PartDrawingLayout* pLayout = pPaper->GetPartLayout(0);
    EXPECT_EQ(pLayout->GetDrawingID(), partID);
    EXPECT_DOUBLE_EQ(pLayout->GetScaleNumeratorX(), 1.0);
    EXPECT_DOUBLE_EQ(pLayout->GetScaleDenominatorX(), 2.0);
    EXPECT_NEAR(pLayout->GetOrigin().X(), 97.5, 1e-9);
    EXPECT_NEAR(pLayout->GetOrigin().Y(), 95.0, 1e-9);
    EXPECT_EQ(doc.GetActiveLayoutID(), pLayout->GetLayoutID());
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST_F(PartLayoutCommandTest, ThePolygonChoiceSwapsTheCornersForAPointList)
{
    const int shape = Index(PartLayout2dCommand::itemShape);
    ASSERT_TRUE(Shape(1));
    EXPECT_LT(Index(PartLayout2dCommand::itemCorner1), 0);
    EXPECT_LT(Index(PartLayout2dCommand::itemCorner2), 0);
    EXPECT_EQ(Index(PartLayout2dCommand::itemPolygon), shape + 1);
    ASSERT_TRUE(Shape(2));
    EXPECT_LT(Index(PartLayout2dCommand::itemPolygon), 0);
    EXPECT_EQ(Index(PartLayout2dCommand::itemCentre), shape + 1);
    EXPECT_EQ(Index(PartLayout2dCommand::itemRadius), shape + 2);
    ASSERT_TRUE(Shape(0));
    EXPECT_EQ(Index(PartLayout2dCommand::itemCorner1), shape + 1);
    EXPECT_EQ(Index(PartLayout2dCommand::itemCorner2), shape + 2);
    EXPECT_LT(Index(PartLayout2dCommand::itemCentre), 0);
}

TEST_F(PartLayoutCommandTest, PicksInTheWrongViewAndScalesOfZeroAreRefusedWithAMessage)
{
    ASSERT_TRUE(Drawing(Part()));
    Show(Paper());
    EXPECT_FALSE(Point(PartLayout2dCommand::itemCorner1, 0, 0));
    ASSERT_FALSE(TheApp().boxes.empty());
    EXPECT_TRUE(TheApp().boxes.back().contains("part drawing"));
    Show(Part());
    EXPECT_FALSE(Point(PartLayout2dCommand::itemPlace, 5, 5));
    EXPECT_TRUE(TheApp().boxes.back().contains("paper"));
    EXPECT_FALSE(Scale(0, 1));
    EXPECT_TRUE(TheApp().boxes.back().contains("scale"));
    EXPECT_FALSE(Scale(-2, -2));
    EXPECT_EQ(Paper()->GetPartLayoutCount(), 0);
}

TEST_F(PartLayoutCommandTest, TheGreenOutlineFollowsTheCursorAndShowsWhereTheRegionWillLand)
{
    ASSERT_TRUE(Drawing(Part()));
    Show(Part());
    view.ZoomPaper();
    Render();
    ASSERT_TRUE(GreenBox().isNull()) << "the picture itself has no green";
    // Before the first corner both corners are the cursor: nothing to show.
    EXPECT_TRUE(Preview(RuVaPnt2d(3, 3)).isNull());
    ASSERT_TRUE(Point(PartLayout2dCommand::itemCorner1, 0, 0));
    Render();
    // The second corner follows the cursor.
    ExpectBoxNear(Preview(RuVaPnt2d(40, 80)), ClientBox(RuVaPnt2d(0, 0), RuVaPnt2d(40, 80)));
    ASSERT_TRUE(Point(PartLayout2dCommand::itemCorner2, 40, 80));
    ASSERT_TRUE(Scale(0.5, 0.5));

    // On the paper the region lands with its centre on the cursor at half its size.
    Show(Paper());
    view.ZoomPaper();
    Render();
    ExpectBoxNear(Preview(RuVaPnt2d(100, 100)), ClientBox(RuVaPnt2d(90, 80), RuVaPnt2d(110, 120)));
    ExpectBoxNear(Preview(RuVaPnt2d(150, 60)), ClientBox(RuVaPnt2d(140, 40), RuVaPnt2d(160, 80)));
    view.RestoreView();
    ASSERT_TRUE(Point(PartLayout2dCommand::itemPlace, 150, 60));
    const PartDrawingLayout* pLayout = Paper()->GetPartLayout(0);
    ASSERT_NE(pLayout, nullptr);
    EXPECT_NEAR(pLayout->GetOrigin().X(), 140.0, 1e-9) << "the outline showed where the layout went";
    EXPECT_NEAR(pLayout->GetOrigin().Y(), 40.0, 1e-9);
}

}  // namespace
