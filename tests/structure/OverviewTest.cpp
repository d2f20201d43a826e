// The overview: corner resizing keeps the main view's proportions and a least width, a new frame keeps
// them too and is refused when flat, a click beside the frame centres the main view there, dragging the
// frame scrolls it, a pan of the main view repaints without rendering again; and the saved-view slots.
#include <gtest/gtest.h>

#include <QtWidgets/QWidget>

#include <cmath>

#include "StructureFixture.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/ViewControlSetting.h"
#include "structure/CSkyViewBar.h"
#include "structure/CSkyViewBarWnd.h"

namespace {

constexpr double kTol = 1e-9;

struct Box {
    double l, b, r, t;
};
Box Normal(const RuVaPnt2d& p, const RuVaPnt2d& q)
{
    return Box{std::min(p.X(), q.X()), std::min(p.Y(), q.Y()), std::max(p.X(), q.X()), std::max(p.Y(), q.Y())};
}

TEST(OverviewGeometry, DraggingACornerKeepsTheOppositeCornerTheProportionsAndTenUnits)
{
    // The main view shows (0,0)-(40,20) (world y up).
    const RuVaPnt2d a(0, 0);
    const RuVaPnt2d b(40, 20);
    struct Case {
        const char* what;
        int kind;
        RuVaPnt2d cursor;
        Box expected;
    };
    const Case cases[] = {
        {"bottom-right outwards, wider than tall", CSkyViewBarWnd::dragBottomRight, RuVaPnt2d(80, -5),
         Box{0, -20, 80, 20}},
        {"bottom-right, the height decides", CSkyViewBarWnd::dragBottomRight, RuVaPnt2d(50, -40), Box{0, -40, 120, 20}},
        {"top-left inwards", CSkyViewBarWnd::dragTopLeft, RuVaPnt2d(20, 5), Box{20, 0, 40, 10}},
        {"top-right across the fixed corner keeps ten units", CSkyViewBarWnd::dragTopRight, RuVaPnt2d(-30, -30),
         Box{0, 0, 10, 5}},
        {"bottom-left", CSkyViewBarWnd::dragBottomLeft, RuVaPnt2d(-40, 0), Box{-40, -20, 40, 20}},
    };
    for (const Case& c : cases) {
        RuVaPnt2d p;
        RuVaPnt2d q;
        CSkyViewBarWnd::ResizeFrame(c.kind, a, b, c.cursor, p, q);
        const Box got = Normal(p, q);
        EXPECT_NEAR(got.l, c.expected.l, kTol) << c.what;
        EXPECT_NEAR(got.b, c.expected.b, kTol) << c.what;
        EXPECT_NEAR(got.r, c.expected.r, kTol) << c.what;
        EXPECT_NEAR(got.t, c.expected.t, kTol) << c.what;
        EXPECT_NEAR((got.t - got.b) / (got.r - got.l), 0.5, kTol) << c.what;
        EXPECT_GE(got.r - got.l, CSkyViewBarWnd::kMinimumWidth - kTol) << c.what;
    }
}

TEST(OverviewGeometry, ANewFrameTakesTheMainViewsProportionsAndFlatOnesAreRefused)
{
    RuVaPnt2d p;
    RuVaPnt2d q;
    ASSERT_TRUE(CSkyViewBarWnd::MakeNewFrame(RuVaPnt2d(0, 0), RuVaPnt2d(10, -1), 0.5, p, q));
    Box got = Normal(p, q);
    EXPECT_NEAR(got.r - got.l, 10, kTol);
    EXPECT_NEAR(got.t - got.b, 5, kTol) << "heightened, downwards as dragged";
    EXPECT_NEAR(got.b, -5, kTol);
    ASSERT_TRUE(CSkyViewBarWnd::MakeNewFrame(RuVaPnt2d(0, 0), RuVaPnt2d(-2, 8), 0.5, p, q));
    got = Normal(p, q);
    EXPECT_NEAR(got.l, -16, kTol) << "widened to the left";
    EXPECT_NEAR(got.t, 8, kTol);
    EXPECT_FALSE(CSkyViewBarWnd::MakeNewFrame(RuVaPnt2d(3, 0), RuVaPnt2d(3, 9), 0.5, p, q)) << "vertical";
    EXPECT_FALSE(CSkyViewBarWnd::MakeNewFrame(RuVaPnt2d(0, 4), RuVaPnt2d(9, 4), 0.5, p, q)) << "horizontal";
    EXPECT_FALSE(CSkyViewBarWnd::MakeNewFrame(RuVaPnt2d(0, 0), RuVaPnt2d(9, 9), 0.0, p, q)) << "no proportions";
}

class OverviewTest : public DrawingBarFixture
{
protected:
    void SetUp() override
    {
        DrawingBarFixture::SetUp();
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(200, 100));
        doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 1);
        main.SetDrawingFeature(doc.GetActiveDrawingFeature());
        main.ResizeView(400, 200);
        main.SetWorldSpace(RuVaPnt2d(0, 0), RuVaPnt2d(100, 50));
        ASSERT_TRUE(sky.Create(CRect(0, 0, 200, 200), &host, 2450));
        sky.SetMainViewForTest(&main);
        sky.SetDocument(&doc);
        sky.GetOwnView().SetWorldSpace(RuVaPnt2d(-100, -100), RuVaPnt2d(300, 300));
    }
    void TearDown() override
    {
        sky.DestroyWindow();
        DrawingBarFixture::TearDown();
    }
    RuVaPnt2d MainCentre()
    {
        RuVaPnt2d p;
        RuVaPnt2d q;
        main.GetWorldSpace(p, q);
        return RuVaPnt2d((p.X() + q.X()) / 2, (p.Y() + q.Y()) / 2);
    }
    CPoint OnSky(const RuVaPnt2d& w) { return sky.GetOwnView().ConvertPointWorldToClient(w); }
    Draw2dView main{&doc};
    CSkyViewBarWnd sky;
};

TEST_F(OverviewTest, AClickBesideTheFrameCentresTheMainViewThere)
{
    const CPoint at = OnSky(RuVaPnt2d(200, 200));
    sky.PressLeft(at);
    sky.ReleaseLeft(at);
    const RuVaPnt2d c = MainCentre();
    EXPECT_NEAR(c.X(), 200, 2.0);
    EXPECT_NEAR(c.Y(), 200, 2.0);
}

TEST_F(OverviewTest, DraggingTheFrameScrollsTheMainViewAndSmallStepsDoNothing)
{
    const RuVaPnt2d before = MainCentre();
    const CPoint start = OnSky(RuVaPnt2d(50, 25));
    sky.PressLeft(start);
    ASSERT_TRUE(sky.IsFrameDragging());
    // Under four main-view pixels: nothing.
    sky.MoveMouse(0, start);
    EXPECT_NEAR(MainCentre().X(), before.X(), kTol);
    const CPoint moved(start.x + 20, start.y);
    sky.MoveMouse(0, moved);
    const double dx = MainCentre().X() - before.X();
    EXPECT_NEAR(dx, sky.GetOwnView().ConvertLengthClientToWorld(20), 1.0);
    EXPECT_NEAR(MainCentre().Y(), before.Y(), 0.5);
    // The drag lasts past the release and ends with the next press.
    sky.ReleaseLeft(moved);
    EXPECT_TRUE(sky.IsFrameDragging());
    sky.PressLeft(moved);
    EXPECT_FALSE(sky.IsFrameDragging());
}

TEST_F(OverviewTest, APanOfTheMainViewRepaintsWithoutRenderingTheDrawingAgain)
{
    QWidget* pWidget = sky.GetQWidget();
    ASSERT_NE(pWidget, nullptr);
    pWidget->grab();
    const int rendered = sky.GetRenderCount();
    ASSERT_GE(rendered, 1);
    main.MoveView(30, 0);
    sky.InvalidateView();
    pWidget->grab();
    EXPECT_EQ(sky.GetRenderCount(), rendered);
    // A change of the drawing renders again.
    sky.UpdateView(1, 0);
    pWidget->grab();
    EXPECT_EQ(sky.GetRenderCount(), rendered + 1);
}

TEST_F(OverviewTest, StoreAndStepPickTheirSlots)
{
    EXPECT_EQ(CSkyViewBar::GetFirstFreeSlot(&doc), 0);
    EXPECT_EQ(CSkyViewBar::GetStepSlot(&doc, TRUE), -1);
    CString name;
    EXPECT_FALSE(CSkyViewBar::GetSlotName(&doc, 2, name));
    EXPECT_EQ(name, CString(_T("View 3")));
    const long drawing = doc.GetActiveDrawingID();
    auto store = [&](int i) {
        ViewControlSetting setting;
        setting.SetIndex(i);
        setting.SetCenterPoint(RuVaPnt2d(1, 1));
        setting.SetScale(2.0);
        setting.SetDrawingID(drawing);
        setting.SetLayoutID(doc.GetActiveLayoutID());
        doc.SetViewControlSetting(i, setting);
    };
    store(1);
    // One slot in use: next and previous both restore it.
    EXPECT_EQ(CSkyViewBar::GetStepSlot(&doc, TRUE), 1);
    EXPECT_EQ(CSkyViewBar::GetStepSlot(&doc, FALSE), 1);
    store(0);
    EXPECT_EQ(CSkyViewBar::GetFirstFreeSlot(&doc), 2);
    EXPECT_TRUE(CSkyViewBar::GetSlotName(&doc, 0, name));
    EXPECT_EQ(name, CString(_T("1 - ")) + doc.GetActiveDrawingFeature()->GetDrawingName());
    for (int i = 2; i < 8; ++i)
        store(i);
    EXPECT_EQ(CSkyViewBar::GetFirstFreeSlot(&doc), 0) << "all in use: the first is replaced";
}

}  // namespace
