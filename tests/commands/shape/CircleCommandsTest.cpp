// The circle commands over the real manager, document and view: centre and radius, diameter or a point;
// two points with a radius; three points; tangent to one, two or three shapes. Several fitting circles ask
// for one more click, which chooses the nearest; runs that make nothing say why; each circle is one undo
// step with the current attributes; the preview is the circle a click makes; Shift shows every solution.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/CircleOfTangent2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/win/WinConstants.h"
#include "tests/commands/shape/CircleCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kCircleID = 33442;
constexpr UINT kCircleOf2PointID = 33443;
constexpr UINT kCircleOf3PointID = 33444;
constexpr UINT kCircleOfTangentID = 33445;
constexpr UINT kCircleOf2TangentID = 33446;
constexpr UINT kCircleOf3TangentID = 33447;

class CircleTest : public kctest::CircleCommandFixture
{
protected:
    // A length typed into the size row of the circle command (a point-or-length item).
    void TypeSize(double value)
    {
        auto* pItem = dynamic_cast<MultiParameterItem*>(Running()->GetParameterItem(1));
        ASSERT_NE(pItem, nullptr);
        LengthParameterItem length;
        length.SetValue(value);
        ASSERT_TRUE(pItem->SetLengthFrom(length));
        manager.RunActiveCommand(1, TRUE);
    }
    const Circle2dFeature* Last() const
    {
        const auto circles = Shapes<Circle2dFeature>();
        return circles.empty() ? nullptr : circles.back();
    }
};

}  // namespace

TEST_F(CircleTest, CentreWithTypedRadiusOrDiameterOrAPoint)
{
    struct Case {
        const char* name;
        int alternative;  // 0 radius, 1 diameter
        double typed;     // raster units; 0: a clicked point at (3, 0)
        double radius;    // raster units for typed values
    };
    const Case cases[] = {
        {"typed radius", 0, 2, 2},
        {"typed diameter is halved", 1, 2, 1},
        {"a point in the radius row", 0, 0, 0},
        {"a point in the diameter row is not halved", 1, 0, 0},
    };
    Start(kCircleID);
    int undo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(1, c.alternative);
        Click(P(0, 0));
        if (c.typed > 0)
            TypeSize(c.typed * u);
        else
            Click(P(3, 0));
        const Circle2dFeature* p = Last();
        ASSERT_NE(p, nullptr);
        ExpectNear(p->GetCenterPoint(), Landed(P(0, 0)), 1e-9);
        const double expected = c.typed > 0 ? c.radius * u : Landed(P(0, 0)).Distance(Landed(P(3, 0)));
        EXPECT_NEAR(p->GetRadius(), expected, 1e-9);
        ExpectCurrentAttributes(p);
        EXPECT_EQ(doc.GetUndoCount(), ++undo);
        EXPECT_TRUE(Running()->IsParameterEmpty(0)) << "ready for the next circle";
    }
    // A radius of 0 or less makes nothing and says why.
    for (double bad : {0.0, -3.0}) {
        Click(P(0, 0));
        Messages().clear();
        TypeSize(bad);
        ExpectRefused(kMsgLengthNotPositive, undo, 4);
        manager.CancelAllCommands();
        Start(kCircleID);
    }
}

TEST_F(CircleTest, TwoPointsWithARadiusMakeNoneOneOrTheNearerOfTwo)
{
    Start(kCircleOf2PointID);
    const RuVaPnt2d a = Landed(P(-1, 0));
    const RuVaPnt2d b = Landed(P(1, 0));
    const double half = a.Distance(b) / 2.0;

    // Too small: nothing fits.
    Click(P(-1, 0));
    Click(P(1, 0));
    Messages().clear();
    Type(2, half * 0.5);
    ExpectRefused(kMsgNoCircle, 0, 0);

    // Exactly half the distance: one circle, made without asking for a pick point.
    Type(2, half);
    ASSERT_EQ(Shapes<Circle2dFeature>().size(), 1u);
    EXPECT_NEAR(Last()->GetRadius(), half, 1e-9);
    ExpectNear(Last()->GetCenterPoint(), RuVaPnt2d((a.X() + b.X()) / 2, (a.Y() + b.Y()) / 2), 1e-9);

    // Larger: two circles; the command asks for the pick point and makes the nearer.
    Click(P(-1, 0));
    Click(P(1, 0));
    Type(2, 2 * u);
    EXPECT_EQ(Shapes<Circle2dFeature>().size(), 1u);
    EXPECT_EQ(Running()->GetCurrentParameterIndex(), 3);
    Click(P(0, -3));
    ASSERT_EQ(Shapes<Circle2dFeature>().size(), 2u);
    EXPECT_LT(Last()->GetCenterPoint().Y(), Landed(P(0, 0)).Y());
    EXPECT_EQ(doc.GetUndoCount(), 2);
}

TEST_F(CircleTest, ThreePointsAndCollinearOnesRefused)
{
    Start(kCircleOf3PointID);
    Click(P(-2, 0));
    Click(P(0, 2));
    Click(P(2, 0));
    ASSERT_NE(Last(), nullptr);
    ExpectNear(Last()->GetCenterPoint(), Landed(P(0, 0)), 1e-6);
    Click(P(-2, 0));
    Click(P(0, 0));
    Messages().clear();
    Click(P(2, 0));
    ExpectRefused(kMsgPointsCollinear, 1, 1);
}

TEST_F(CircleTest, TangentToTwoLinesWithARadiusChosenByAClick)
{
    Add(Line2dFeature(P(-5, 0), P(5, 0)));
    Add(Line2dFeature(P(0, -5), P(0, 5)));
    doc.ClearUndoRedoHistory();
    Start(kCircleOf2TangentID);
    Click(P(3, 0));
    Click(P(0, 3));
    auto* pFirst = dynamic_cast<FeatureParameterItem*>(Running()->GetParameterItem(0));
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->m_dwAcceptedKinds, 0x01800DFEu);
    EXPECT_EQ(pFirst->m_nPickSetting, 1);
    Choose(2, 1);
    Type(2, u);
    // Four circles fit; the click in the lower left quadrant chooses.
    EXPECT_EQ(Shapes<Circle2dFeature>().size(), 0u);
    Click(P(-1.5, -1.5));
    const Circle2dFeature* p = Last();
    ASSERT_NE(p, nullptr);
    ExpectNear(p->GetCenterPoint(), P(-1, -1), 1e-9);
    EXPECT_NEAR(p->GetRadius(), u, 1e-9);
    ExpectCurrentAttributes(p);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Shapes<Circle2dFeature>().size(), 0u);
}

TEST_F(CircleTest, ThreeTangentPreviewIsTheClickedCircleAndShiftShowsEverySolution)
{
    // A 3-4-5 triangle with its right angle at (-2, -2): the incircle and three excircles fit.
    Add(Line2dFeature(P(-5, -2), P(5, -2)));
    Add(Line2dFeature(P(-2, -5), P(-2, 5)));
    Add(Line2dFeature(P(4, -3.5), P(-4, 2.5)));
    Start(kCircleOf3TangentID);
    Click(P(1, -2));
    Click(P(-2, 1));
    Click(P(0, -0.5));  // on the slanted line
    ASSERT_EQ(Running()->GetCurrentParameterIndex(), 3) << "several circles fit: the pick point is asked for";

    const RuVaPnt2d near = P(-1.2, -1.2);
    const QImage background = Render();
    const QImage plain = PreviewAt(near);
    // With Shift held every circle is drawn: more than the one alone.
    const RuVaPnt2d world = Landed(near);
    view.RestoreView();
    manager.SetCursorPoints(world, world);
    Running()->DrawPreview(C(world), world, world, MK_SHIFT);
    const QImage all = Frame();
    view.RestoreView();
    auto drawn = [&](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) != background.pixel(x, y) ? 1 : 0;
        return n;
    };
    EXPECT_GT(drawn(all), 2 * drawn(plain));

    ExpectTangentPreviewIsTheClickedShape(near);
    ASSERT_EQ(Shapes<Circle2dFeature>().size(), 1u);
    ExpectNear(Last()->GetCenterPoint(), P(-1, -1), 1e-9);  // the incircle
}

TEST_F(CircleTest, OneShapeConditionReFormsTheRowsAndEachConditionMakesItsCircle)
{
    const long line = Add(Line2dFeature(P(-5, 0), P(5, 0)));
    doc.ClearUndoRedoHistory();
    Start(kCircleOfTangentID);
    CommandBase* pCommand = Running();
    ASSERT_EQ(pCommand->GetParameterCount(), 3);
    struct Step {
        int alternative;
        int count;
        WORD extra;  // the item of the row before the pick point, 0 for none
    };
    for (const Step& s : {Step{1, 4, CircleOfTangent2dCommand::itemSecondPoint},
                          Step{2, 4, CircleOfTangent2dCommand::itemRadius}, Step{0, 3, 0},
                          Step{2, 4, CircleOfTangent2dCommand::itemRadius}}) {
        Choose(1, s.alternative);
        ASSERT_EQ(pCommand->GetParameterCount(), s.count);
        if (s.extra != 0)
            EXPECT_EQ(pCommand->GetParameterItem(2)->GetId(), s.extra);
        EXPECT_EQ(pCommand->GetParameterItem(s.count - 1)->GetId(), CircleOfTangent2dCommand::itemPick);
    }

    // Through a point with a radius: two circles; the click chooses the left one.
    Click(P(2, 0));
    Click(P(0, 1));
    Type(2, u);
    Click(P(-2, 1));
    ASSERT_NE(Last(), nullptr);
    EXPECT_LT(Last()->GetCenterPoint().X(), Landed(P(0, 1)).X());
    EXPECT_NEAR(Last()->GetCenterPoint().Y(), P(0, 1).Y(), 1e-9);

    // With a centre: the one circle about it, made at once.
    Choose(1, 0);
    Click(P(2, 0));
    Click(P(1, 2));
    ASSERT_EQ(Shapes<Circle2dFeature>().size(), 2u);
    EXPECT_NEAR(Last()->GetRadius(), std::fabs(Landed(P(1, 2)).Y() - P(0, 0).Y()), 1e-9);

    // A picked shape deleted before the run: the reason, nothing added.
    Click(P(2, 0));
    static_cast<PointParameterItem*>(pCommand->GetParameterItem(1))->SetValue(P(1, 2));
    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.DeleteFeature(line, 1));
    doc.EndUndoOperation();
    Messages().clear();
    EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultMissing);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], Text(kMsgShapeGone));
}

TEST_F(CircleTest, RememberedConditionBringsItsRowBackAfterARestart)
{
    Start(kCircleOfTangentID);
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    Choose(1, 1);
    manager.CancelAllCommands();
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kCircleOfTangentID));
    CommandBase* pCommand = next.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_EQ(pCommand->GetParameterCount(), 4);
    EXPECT_EQ(pCommand->GetCurrentItemID(1), CircleOfTangent2dCommand::itemFirstPoint);
    EXPECT_EQ(pCommand->GetParameterItem(2)->GetId(), CircleOfTangent2dCommand::itemSecondPoint);
    EXPECT_EQ(pCommand->GetParameterItem(3)->GetId(), CircleOfTangent2dCommand::itemPick);
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();
}

TEST_F(CircleTest, PreviewIsTheCircleAClickMakes)
{
    Start(kCircleID);
    Click(P(0, 0));
    ExpectPreviewIsTheClickedShape(P(2, 1));

    manager.CancelAllCommands();
    Start(kCircleOf3PointID);
    Click(P(-2, 0));
    Click(P(0, 2));
    ExpectPreviewIsTheClickedShape(P(2, 0.5));

    manager.CancelAllCommands();
    Start(kCircleOf2PointID);
    Click(P(-1, 0));
    Click(P(1, 0));
    Type(2, 2 * u);
    ExpectPreviewIsTheClickedShape(P(0, 3));
}

TEST_F(CircleTest, TangentPreviewsAreTheCirclesAClickMakes)
{
    Add(Line2dFeature(P(-5, 0), P(5, 0)));
    Add(Line2dFeature(P(0, -5), P(0, 5)));
    doc.ClearUndoRedoHistory();

    Start(kCircleOf2TangentID);
    Click(P(3, 0));
    Click(P(0, 3));
    Choose(2, 0);
    Click(P(1, 2));
    ExpectTangentPreviewIsTheClickedShape(P(0.6, 0.6));

    manager.CancelAllCommands();
    Start(kCircleOfTangentID);
    Choose(1, 1);
    Click(P(3, 0));
    Click(P(-1, 1));
    Click(P(1, 2));
    ASSERT_EQ(doc.GetFeatureCount(), 3) << "two circles fit";
    ExpectTangentPreviewIsTheClickedShape(P(0, 2.5));
}
