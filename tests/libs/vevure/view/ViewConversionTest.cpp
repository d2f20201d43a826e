// Conversions between client pixels, world and layout coordinates, and zoom and pan about points.

#include <gtest/gtest.h>

#include <cmath>

#include "ViewFixture.h"

#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/VeVureEnums.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"

TEST(ViewConversion, ClientWorldAndLocalRoundTrip)
{
    ViewFixture f(640, 480);
    f.view.SetScale(3.7);
    f.view.SetCenterPoint(RuVaPnt2d(-12.5, 40.25));
    PartDrawingLayout layout;
    layout.SetOrigin(RuVaPnt2d(10, 20));
    layout.SetAngle(30);
    ASSERT_TRUE(layout.SetScale(1, 4, TRUE, 1, 2));
    const RuVaPnt2d worlds[] = {RuVaPnt2d(0, 0), RuVaPnt2d(-12.5, 40.25), RuVaPnt2d(1e5, -3e4), RuVaPnt2d(0.001, 7)};
    for (const RuVaPnt2d& w : worlds) {
        double x = 0, y = 0;
        f.view.ConvertPointWorldToClient(w, x, y);
        RuVaPnt2d back;
        f.view.ConvertPointClientToWorld(x, y, back);
        EXPECT_NEAR(back.X(), w.X(), 1e-9 * (1 + std::fabs(w.X())));
        EXPECT_NEAR(back.Y(), w.Y(), 1e-9 * (1 + std::fabs(w.Y())));
        RuVaPnt2d local, world;
        f.view.ConvertPointWorldToLocal(f.drawing, &layout, w, local);
        f.view.ConvertPointLocalToWorld(f.drawing, &layout, local, world);
        EXPECT_NEAR(world.X(), w.X(), 1e-9 * (1 + std::fabs(w.X())));
        EXPECT_NEAR(world.Y(), w.Y(), 1e-9 * (1 + std::fabs(w.Y())));
    }
    // The centre of the world is the centre of the client area; y runs up in the world, down on screen.
    EXPECT_EQ(f.view.ConvertPointWorldToClient(RuVaPnt2d(-12.5, 40.25)), CPoint(320, 240));
    const RuVaPnt2d up = f.view.ConvertPointClientToWorld(CPoint(320, 240 - 37));
    EXPECT_NEAR(up.Y(), 50.25, 1e-9);
    EXPECT_NEAR(f.view.ConvertLengthClientToWorld(37), 10.0, 1e-12);
    EXPECT_NEAR(f.view.ConvertLengthLocalToWorld(f.drawing, &layout, 8.0), 2.0, 1e-12);
    EXPECT_NEAR(f.view.ConvertLengthWorldToLocal(f.drawing, &layout, 2.0), 8.0, 1e-12);

    RuVaPnt2d c1, c2;
    f.view.GetWorldSpace(c1, c2);
    EXPECT_NEAR(c1.X(), -12.5 - 320 / 3.7, 1e-9);
    EXPECT_NEAR(c2.Y(), 40.25 + 240 / 3.7, 1e-9);
}

TEST(ViewConversion, ZoomAboutAPointKeepsItUnderTheCursor)
{
    ViewFixture f(400, 300);
    struct Case {
        int x, y;
        double factor;
        bool in;
    } cases[] = {{10, 20, 0.2, true}, {399, 0, 0.2, false}, {200, 150, 1.0, true}, {123, 277, 0.5, false}};
    for (const Case& c : cases) {
        const RuVaPnt2d before = f.view.ConvertPointClientToWorld(CPoint(c.x, c.y));
        const double scale = f.view.GetScale();
        ASSERT_TRUE(c.in ? f.view.ZoomIn(CPoint(c.x, c.y), c.factor) : f.view.ZoomOut(CPoint(c.x, c.y), c.factor));
        const RuVaPnt2d after = f.view.ConvertPointClientToWorld(CPoint(c.x, c.y));
        EXPECT_NEAR(after.X(), before.X(), 1e-9);
        EXPECT_NEAR(after.Y(), before.Y(), 1e-9);
        EXPECT_NEAR(f.view.GetScale(), c.in ? scale * (1 + c.factor) : scale / (1 + c.factor), 1e-12);
    }
    EXPECT_FALSE(f.view.ZoomIn(CPoint(0, 0), 0.0));
    EXPECT_FALSE(f.view.ZoomIn(CPoint(0, 0), std::nan("")));
    // Panning moves the picture by the pixels given: what was at the centre is 30 pixels right.
    const RuVaPnt2d centre = f.view.GetCenterPoint();
    ASSERT_TRUE(f.view.MoveView(30, 0));
    EXPECT_EQ(f.view.ConvertPointWorldToClient(centre), CPoint(230, 150));
    ASSERT_TRUE(f.view.MoveView(0, 30));
    EXPECT_EQ(f.view.ConvertPointWorldToClient(centre), CPoint(230, 120));
}

TEST(ViewConversion, ZoomAllFitsTheShapesOfTheDrawingAndItsLayouts)
{
    ViewFixture f(400, 200);
    EXPECT_FALSE(f.view.ZoomAll());  // nothing to fit
    Line2dFeature line(RuVaPnt2d(-100, 0), RuVaPnt2d(300, 50));
    f.Add(line);
    ASSERT_TRUE(f.view.ZoomAll());
    RuVaPnt2d c1, c2;
    f.view.GetWorldSpace(c1, c2);
    EXPECT_LE(c1.X(), -100);
    EXPECT_GE(c2.X(), 300);
    EXPECT_LE(c1.Y(), 0);
    EXPECT_GE(c2.Y(), 50);
    EXPECT_LT(c2.X() - c1.X(), 400 * 1.2);

    ASSERT_TRUE(f.view.ZoomWindow(CPoint(0, 0), CPoint(100, 100)));
    EXPECT_FALSE(f.view.ZoomWindow(CPoint(0, 0), CPoint(1, 100)));

    // A saved view comes back as it was stored.
    ASSERT_TRUE(f.view.SetViewControlSetting(RuVaPnt2d(5, 6), 2.5, f.part, -1));
    EXPECT_EQ(f.view.GetCenterPoint(), RuVaPnt2d(5, 6));
    EXPECT_EQ(f.view.GetViewScale(), 2.5);
    EXPECT_FALSE(f.view.SetViewControlSetting(RuVaPnt2d(5, 6), 0.0, f.part, -1));
    EXPECT_FALSE(f.view.SetViewControlSetting(RuVaPnt2d(5, 6), 1.0, 12345, -1));

    // Paper zoom fits the active paper.
    Draw2dView paperView(&f.doc);
    paperView.ResizeView(400, 300);
    EXPECT_FALSE(f.view.ZoomPaper());
    const long paper = f.doc.GetPaperFeature(0)->GetDrawingID();
    ASSERT_TRUE(paperView.SetDrawingID(paper));
    ASSERT_TRUE(paperView.ZoomPaper());
    double w = 0, h = 0;
    ASSERT_TRUE(f.doc.GetPaperSize(f.doc.GetPaperFeature(0)->GetDrawingName(), w, h));
    paperView.GetWorldSpace(c1, c2);
    EXPECT_LE(c1.X(), 0);
    EXPECT_GE(c2.X(), w);
    EXPECT_GE(c2.Y(), h);
}

TEST(ViewConversion, GridSnapFindsTheNearestGridPointWithinTheAperture)
{
    ViewFixture f;
    RuVaPnt2d g;
    EXPECT_FALSE(f.view.HitGrid(RuVaPnt2d(9.8, 20.1), g, 1.0, FALSE));  // grid hidden
    ASSERT_TRUE(f.view.HitGrid(RuVaPnt2d(9.8, 20.1), g, 1.0, TRUE));
    EXPECT_EQ(g, RuVaPnt2d(10, 20));
    EXPECT_FALSE(f.view.HitGrid(RuVaPnt2d(14.9, 20.1), g, 1.0, TRUE));
    EXPECT_FALSE(f.view.HitGrid(RuVaPnt2d(std::nan(""), 0), g, 1.0, TRUE));

    // A turned grid: steps of 10 along 30 degrees and across it.
    GridSetting grid;
    ASSERT_TRUE(grid.SetAngle(30, 30));
    ASSERT_TRUE(grid.SetOrigin(RuVaPnt2d(1, 2)));
    ASSERT_TRUE(f.doc.SetDrawingGridSetting(f.part, grid, 0));
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const RuVaPnt2d lattice(1 + 2 * 10 * c - 10 * s, 2 + 2 * 10 * s + 10 * c);
    ASSERT_TRUE(f.view.HitGrid(RuVaPnt2d(lattice.X() + 0.3, lattice.Y() - 0.2), g, 1.0, TRUE));
    EXPECT_NEAR(g.X(), lattice.X(), 1e-9);
    EXPECT_NEAR(g.Y(), lattice.Y(), 1e-9);
    // Drawn as lines, the grid shows in the picture.
    ASSERT_TRUE(grid.SetAngle(0, 0));
    ASSERT_TRUE(grid.SetType(GridDrawLines));
    grid.ShowGrid(TRUE);
    grid.SetColorRef1(RGB(0, 200, 0));
    grid.SetColorRef2(RGB(0, 200, 0));
    ASSERT_TRUE(f.doc.SetDrawingGridSetting(f.part, grid, 0));
    f.view.SetGridVisible(TRUE);
    const QImage image = f.Render();
    int green = 0;
    for (int x = 0; x < 200; ++x)
        green += Px(image, x, 50) == 0x00C800;
    EXPECT_GE(green, 15);  // a vertical line every 10 pixels along the row
    EXPECT_LE(green, 200);
}
