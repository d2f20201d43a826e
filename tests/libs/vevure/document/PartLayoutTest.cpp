#include <gtest/gtest.h>

#include <cmath>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/PartDrawingLayout.h"

namespace {

TEST(PartLayoutTest, ScaleRules)
{
    struct Case {
        double nx, dx, ny, dy;
        BOOL yEnabled;
        double x, y;
    } cases[] = {
        {1, 1, 2, 1, FALSE, 1, 1},     // Y follows X while disabled
        {1, 1, 2, 1, TRUE, 1, 2},
        {1, 50, 1, 50, FALSE, 0.02, 0.02},
        {3, 2, 5, 4, TRUE, 1.5, 1.25},
    };
    for (const Case& c : cases) {
        PartDrawingLayout l;
        ASSERT_TRUE(l.SetScale(c.nx, c.dx, c.yEnabled, c.ny, c.dy));
        double x = 0, y = 0;
        l.GetScale(x, y);
        EXPECT_DOUBLE_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(y, c.y);
    }
}

TEST(PartLayoutTest, RefusedScalesKeepTheOldOne)
{
    const double bad[] = {0.0, -1.0, NAN, INFINITY};
    for (double v : bad) {
        PartDrawingLayout l;
        ASSERT_TRUE(l.SetScale(2, 1, FALSE, 0, 0));
        EXPECT_FALSE(l.SetScale(v, 1, FALSE, 1, 1));
        EXPECT_FALSE(l.SetScale(1, v, FALSE, 1, 1));
        EXPECT_FALSE(l.SetScale(1, 1, TRUE, v, 1));
        EXPECT_FALSE(l.SetScale(1, 1, TRUE, 1, v));
        EXPECT_DOUBLE_EQ(l.GetScaleX(), 2.0);
        EXPECT_DOUBLE_EQ(l.ConvertLengthWorldToLocal(4.0), 2.0);
    }
}

TEST(PartLayoutTest, TinyDenominatorGivesUnitScale)
{
    // Only an archive can bring such a layout; the guard keeps conversions finite.
    PartDrawingLayout l;
    ASSERT_TRUE(l.SetScale(1, 1e-8, FALSE, 1, 1e-8));
    double x = 0, y = 0;
    l.GetScale(x, y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 1.0);
    EXPECT_EQ(l.ConvertLengthWorldToLocal(3.0), 3.0);
    EXPECT_EQ(l.ConvertLengthLocalToWorld(3.0), 3.0);
}

TEST(PartLayoutTest, ConversionsInvertEachOther)
{
    PartDrawingLayout l;
    l.SetOrigin(RuVaPnt2d(100, 50));
    l.SetAngle(30);
    l.SetScale(1, 2, TRUE, 1, 4);
    EXPECT_FALSE(l.IsTransformIdentity());
    EXPECT_TRUE(l.IsScaleXYDifferent());
    const RuVaPnt2d local(10, 20);
    RuVaPnt2d world, back;
    l.ConvertPointLocalToWorld(local, world);
    // x axis: rotate (10 * 0.5, 20 * 0.25) by 30 degrees, then move to the origin.
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    EXPECT_NEAR(world.X(), 100 + 5 * c - 5 * s, 1e-12);
    EXPECT_NEAR(world.Y(), 50 + 5 * s + 5 * c, 1e-12);
    l.ConvertPointWorldToLocal(world, back);
    EXPECT_NEAR(back.X(), 10, 1e-9);
    EXPECT_NEAR(back.Y(), 20, 1e-9);
    EXPECT_DOUBLE_EQ(l.ConvertLengthLocalToWorld(10), 5);
    EXPECT_DOUBLE_EQ(l.ConvertAngleWorldToLocal(45), 15);
    EXPECT_DOUBLE_EQ(l.ConvertAngleLocalToWorld(45), 75);

    RuVaBndBox2d box(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10)), wbox, lbox;
    l.ConvertBoxLocalToWorld(box, wbox);
    l.ConvertBoxWorldToLocal(wbox, lbox);
    EXPECT_LE(lbox.XMin(), 1e-9);  // the round trip can only grow a box
    EXPECT_GE(lbox.XMax(), 10 - 1e-9);

    PartDrawingLayout identity;
    EXPECT_TRUE(identity.IsTransformIdentity());
    EXPECT_FALSE(identity.IsScaleXYDifferent());
    identity.ConvertPointLocalToWorld(local, world);
    EXPECT_EQ(world, local);
}

TEST(PartLayoutTest, AngleIsNormalised)
{
    PartDrawingLayout l;
    l.SetAngle(-90);
    EXPECT_DOUBLE_EQ(l.GetAngle(), 270);
    l.SetAngle(720);
    EXPECT_DOUBLE_EQ(l.GetAngle(), 0);
}

TEST(PartLayoutTest, CopyIsDeepAndEqual)
{
    PartDrawingLayout a(_T("layout"));
    a.SetLayoutID(5);
    a.SetDrawingID(2);
    a.SetOrigin(RuVaPnt2d(1, 2));
    a.SetScale(1, 3, FALSE, 1, 3);
    PartDrawingLayout b(a);
    EXPECT_TRUE(a.IsSame(b));
    b.SetAngle(10);
    EXPECT_FALSE(a.IsSame(b));
    EXPECT_EQ(a.GetRegion(), nullptr);
}

}  // namespace
