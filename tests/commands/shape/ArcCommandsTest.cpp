// The arc commands over the real manager, document and view: by centre with ends given as points, angles
// or picked shapes; through two points with a radius; through three points; tangent to one, two or three
// shapes with one more click choosing among the fitting arcs. Refusals say why and add nothing.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "tests/commands/shape/CircleCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kArcID = 33462;
constexpr UINT kArcOf2PointID = 33463;
constexpr UINT kArcOf3PointID = 33464;
constexpr UINT kArcOfTangentID = 33465;
constexpr UINT kArcOf2TangentID = 33466;
constexpr UINT kArcOf3TangentID = 33467;

class ArcTest : public kctest::CircleCommandFixture
{
protected:
    const Arc2dFeature* Last() const
    {
        const auto arcs = Shapes<Arc2dFeature>();
        return arcs.empty() ? nullptr : arcs.back();
    }
};

}  // namespace

TEST_F(ArcTest, ByCentreWithEndsAsPointsAnglesOrShapes)
{
    const long wall = Add(Line2dFeature(P(-5, 2), P(5, 2)));
    doc.ClearUndoRedoHistory();
    Start(kArcID);

    // Points: centre, a point on the circle, the start and the end direction.
    Click(P(0, 0));
    Click(P(2, 0));
    Click(P(3, 0));
    Click(P(0, -3));
    const Arc2dFeature* p = Last();
    ASSERT_NE(p, nullptr);
    ExpectNear(p->GetCenterPoint(), Landed(P(0, 0)), 1e-9);
    EXPECT_NEAR(p->GetRadius(), Landed(P(0, 0)).Distance(Landed(P(2, 0))), 1e-9);
    EXPECT_NEAR(p->GetStartAngle(), 0.0, 1e-6);
    EXPECT_NEAR(p->GetEndAngle(), 270.0, 1e-6);
    ExpectCurrentAttributes(p);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_TRUE(Running()->IsParameterEmpty(0));

    // A typed radius and start angle, the end on the picked line y = 2: the arc ends where the circle of
    // radius 4 meets the line (at 30 degrees or 150 degrees, whichever is nearer the pick).
    Choose(1, 1);
    Choose(2, 1);
    Choose(3, 2);
    Click(P(0, 0));
    Type(1, 4 * u);
    Type(2, -45.0);
    Click(P(3.4, 2));
    p = Last();
    ASSERT_EQ(Shapes<Arc2dFeature>().size(), 2u);
    EXPECT_NEAR(p->GetRadius(), 4 * u, 1e-9);
    EXPECT_NEAR(p->GetStartAngle(), 315.0, 1e-6);
    EXPECT_NEAR(p->GetEndAngle(), 30.0, 1e-6);
    EXPECT_NEAR(p->GetEndPoint().Y(), P(0, 2).Y(), 1e-9);
    EXPECT_EQ(doc.GetUndoCount(), 2);

    // A radius below 1e-7 makes nothing and says why, once every value is given.
    Click(P(0, 0));
    Type(1, 0.0);
    Type(2, 10.0);
    Messages().clear();
    Click(P(3.4, 2));
    ExpectRefused(kMsgLengthNotPositive, 2, 3);

    // The end shape deleted after it was picked.
    manager.CancelAllCommands();
    Start(kArcID);
    Click(P(0, 0));
    Type(1, 4 * u);
    Type(2, 0.0);
    auto* pEnd = dynamic_cast<FeatureParameterItem*>(Running()->GetParameterItem(3));
    ASSERT_NE(pEnd, nullptr);
    pEnd->SetValue(FeatureLayout(wall, -1, -1), P(3.4, 2));
    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.DeleteFeature(wall, 1));
    doc.EndUndoOperation();
    Messages().clear();
    EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultNothing);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], Text(kMsgShapeGone));
}

TEST_F(ArcTest, TwoPointsWithARadiusChooseTheArcByAClick)
{
    Start(kArcOf2PointID);
    const RuVaPnt2d a = Landed(P(-1, 0));
    const RuVaPnt2d b = Landed(P(1, 0));
    Click(P(-1, 0));
    Click(P(1, 0));
    Messages().clear();
    Type(2, a.Distance(b) / 4.0);
    ExpectRefused(kMsgNoArc, 0, 0);
    Type(2, 2 * u);
    EXPECT_EQ(Running()->GetCurrentParameterIndex(), 3);
    // Just below the chord: the short arc bulging down.
    Click(P(0, -0.3));
    const Arc2dFeature* p = Last();
    ASSERT_NE(p, nullptr);
    EXPECT_LT(p->GetSweepAngle(), 180.0);
    EXPECT_GT(p->GetCenterPoint().Y(), a.Y());
    const bool ends = (p->GetStartPoint().Distance(a) < 1e-9 && p->GetEndPoint().Distance(b) < 1e-9) ||
                      (p->GetStartPoint().Distance(b) < 1e-9 && p->GetEndPoint().Distance(a) < 1e-9);
    EXPECT_TRUE(ends);
}

TEST_F(ArcTest, ThreePointsAndCollinearOnesRefused)
{
    Start(kArcOf3PointID);
    Click(P(-2, 0));
    Click(P(0, 2));
    Click(P(2, 0));
    ASSERT_NE(Last(), nullptr);
    ExpectNear(Last()->GetCenterPoint(), Landed(P(0, 0)), 1e-6);
    EXPECT_NEAR(Last()->GetSweepAngle(), 180.0, 1e-3);
    Click(P(-2, 0));
    Click(P(0, 0));
    Messages().clear();
    Click(P(2, 0));
    ExpectRefused(kMsgPointsCollinear, 1, 1);
}

TEST_F(ArcTest, TangentArcsAndTheSameShapeTwiceRefused)
{
    Add(Line2dFeature(P(-5, 0), P(5, 0)));
    Add(Line2dFeature(P(0, -5), P(0, 5)));
    doc.ClearUndoRedoHistory();

    // A fillet: radius 1 between the axes, the short arc in the upper right.
    Start(kArcOf2TangentID);
    Click(P(3, 0));
    Click(P(0, 3));
    Choose(2, 1);
    Type(2, u);
    Click(P(0.35, 0.35));
    const Arc2dFeature* p = Last();
    ASSERT_NE(p, nullptr);
    ExpectNear(p->GetCenterPoint(), P(1, 1), 1e-9);
    EXPECT_NEAR(p->GetSweepAngle(), 90.0, 1e-6);
    EXPECT_EQ(doc.GetUndoCount(), 1);

    // Both tangents one pick of one shape.
    Click(P(3, 0));
    Click(P(3, 0));
    Choose(2, 1);
    Messages().clear();
    Type(2, u);
    ExpectRefused(kMsgSameShapeTwice, 1, 3);

    // One shape, a first point and a radius.
    manager.CancelAllCommands();
    Start(kArcOfTangentID);
    ASSERT_EQ(Running()->GetParameterCount(), 4);
    Choose(2, 1);
    ASSERT_EQ(Running()->GetParameterCount(), 4);
    Click(P(3, 0));
    Click(P(2, 1));
    Type(2, u);
    Click(P(2.8, 0.4));
    ASSERT_EQ(Shapes<Arc2dFeature>().size(), 2u);
    EXPECT_NEAR(Last()->GetRadius(), u, 1e-9);
    EXPECT_NEAR(Last()->GetCenterPoint().Y(), P(0, 1).Y(), 1e-9);
}

TEST_F(ArcTest, PreviewIsTheArcAClickMakes)
{
    Start(kArcID);
    Click(P(0, 0));
    Click(P(2, 0));
    Click(P(3, 1));
    ExpectPreviewIsTheClickedShape(P(-1, 2));

    manager.CancelAllCommands();
    Start(kArcOf3PointID);
    Click(P(-2, 0));
    Click(P(0, 2));
    ExpectPreviewIsTheClickedShape(P(2, 0.5));

    manager.CancelAllCommands();
    Start(kArcOf2PointID);
    Click(P(-1, 0));
    Click(P(1, 0));
    Type(2, 2 * u);
    ExpectPreviewIsTheClickedShape(P(0, -0.3));
}

TEST_F(ArcTest, ThreeTangentArcIsOneOfTheArcsThroughItsContacts)
{
    Add(Line2dFeature(P(-5, -2), P(5, -2)));
    Add(Line2dFeature(P(-2, -5), P(-2, 5)));
    Add(Line2dFeature(P(4, -3.5), P(-4, 2.5)));
    doc.ClearUndoRedoHistory();
    Start(kArcOf3TangentID);
    Click(P(1, -2));
    Click(P(-2, 1));
    Click(P(0, -0.5));
    // Lower left of the incircle, away from its contacts: the arc passing there.
    Click(P(-1.0 - std::sqrt(0.5), -1.0 - std::sqrt(0.5)));
    const Arc2dFeature* p = Last();
    ASSERT_NE(p, nullptr);
    ExpectNear(p->GetCenterPoint(), P(-1, -1), 1e-9);
    EXPECT_GT(p->GetSweepAngle(), 180.0);
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST_F(ArcTest, TangentPreviewsAreTheArcsAClickMakes)
{
    Add(Line2dFeature(P(-5, 0), P(5, 0)));
    Add(Line2dFeature(P(0, -5), P(0, 5)));
    Add(Line2dFeature(P(-5, 3), P(5, -2)));
    doc.ClearUndoRedoHistory();

    Start(kArcOf2TangentID);
    Click(P(3, 0));
    Click(P(0, 3));
    Choose(2, 1);
    Type(2, u);
    ExpectTangentPreviewIsTheClickedShape(P(0.35, 0.35));

    manager.CancelAllCommands();
    Start(kArcOfTangentID);
    Choose(2, 0);
    Click(P(3, 0));
    Click(P(2, 1));
    Click(P(3.5, 1));
    ExpectTangentPreviewIsTheClickedShape(P(2.5, 0.2));

    manager.CancelAllCommands();
    Start(kArcOf3TangentID);
    Click(P(-3, 0));
    Click(P(0, -3));
    Click(P(4, -1.5));
    ExpectTangentPreviewIsTheClickedShape(P(-0.3, -0.3));
}
