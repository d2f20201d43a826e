// Polylines, chains of separate lines and rectangles, run by the real manager over a real document and
// view: the shapes each input makes (one undo step each, the current attributes), how the rectangle's rows
// re-form between its two modes and come back after a restart, the results of refused values with their
// reasons, and previews that are the clicked shape pixel for pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/Polyline2dCommand.h"
#include "commands/shape/PolylineIndividual2dCommand.h"
#include "commands/shape/Rectangle2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Snap.h"
#include "platform/win/Registry.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kPolylineID = 33432;
constexpr UINT kPolylineIndividualID = 33431;
constexpr UINT kRectangleID = 33433;

class PolylineTest : public kctest::DrawingCommandFixture
{
protected:
    std::vector<int> ItemIds() const
    {
        std::vector<int> ids;
        for (int i = 0; i < Running()->GetParameterCount(); ++i)
            ids.push_back(Running()->GetParameterItem(i)->GetId());
        return ids;
    }
    void ExpectVertices(const Polyline2dFeature* pPolyline, std::initializer_list<RuVaPnt2d> points, double tol)
    {
        ASSERT_NE(pPolyline, nullptr);
        ASSERT_EQ(pPolyline->GetPointSize(), static_cast<int>(points.size()));
        int i = 0;
        for (const RuVaPnt2d& p : points)
            ExpectNear(pPolyline->GetPoint(i++), p, tol);
    }
};

}  // namespace

TEST_F(PolylineTest, PointsUpToEnterMakeOnePolylineAndBackspaceTakesTheLastBack)
{
    Start(kPolylineID);
    ASSERT_NE(dynamic_cast<Polyline2dCommand*>(Running()), nullptr);
    EXPECT_EQ(Running()->GetParameterItem(0)->m_wBaseItemId, 0);
    Click(P(0, 0));
    Click(P(2, 0));
    Click(P(5, 5));
    manager.OnBackspace();
    Click(P(2, 2));
    Click(P(0, 2));
    EXPECT_EQ(doc.GetFeatureCount(), 0);
    // The vertices given so far are offered to snapping.
    EXPECT_EQ(Running()->GetPoints().GetSize(), 4);
    ASSERT_TRUE(manager.FinishListInput());
    const auto polylines = Shapes<Polyline2dFeature>();
    ASSERT_EQ(polylines.size(), 1u);
    ExpectVertices(polylines[0], {Landed(P(0, 0)), Landed(P(2, 0)), Landed(P(2, 2)), Landed(P(0, 2))}, 1e-9);
    ExpectCurrentAttributes(polylines[0]);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // Ready for the next polyline, nothing left over.
    ASSERT_EQ(Running(), manager.GetActiveCommand());
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    EXPECT_EQ(Running()->GetPoints().GetSize(), 0);

    // A list ended after one point makes nothing.
    Click(P(1, 1));
    manager.FinishListInput();
    EXPECT_EQ(doc.GetFeatureCount(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}

TEST_F(PolylineTest, EarlierVerticesAreSnapTargetsOnlyWhileSnappingIsOn)
{
    for (bool snap : {true, false}) {
        SCOPED_TRACE(snap);
        manager.CancelAllCommands();
        Start(kPolylineID);
        SetSnap(snap ? TRUE : FALSE, Snap::kPoint);
        Click(P(0, 0));
        Click(P(3, 0));
        Click(P(3, 3));
        // Three pixels off the first vertex.
        Click(C(P(0, 0)) + CPoint(3, 2));
        manager.FinishListInput();
        const auto polylines = Shapes<Polyline2dFeature>();
        ASSERT_FALSE(polylines.empty());
        const RuVaPnt2d last = polylines.back()->GetPoint(3);
        if (snap)
            ExpectNear(last, Landed(P(0, 0)), 1e-9);
        else
            EXPECT_GT(last.Distance(Landed(P(0, 0))), 2.0 / view.GetScale());
        SetSnap(FALSE);
    }
}

TEST_F(PolylineTest, SeparateLinesGoOnFromEachEndAndTheSamePointTwiceEnds)
{
    Start(kPolylineIndividualID);
    ASSERT_NE(dynamic_cast<PolylineIndividual2dCommand*>(Running()), nullptr);
    Click(P(0, 0));
    Click(P(3, 0));
    Click(P(3, 2));
    auto lines = Shapes<Line2dFeature>();
    ASSERT_EQ(lines.size(), 2u);
    ExpectNear(lines[0]->GetStartPoint(), Landed(P(0, 0)), 1e-9);
    ExpectNear(lines[0]->GetEndPoint(), Landed(P(3, 0)), 1e-9);
    ExpectNear(lines[1]->GetStartPoint(), Landed(P(3, 0)), 1e-9);
    ExpectNear(lines[1]->GetEndPoint(), Landed(P(3, 2)), 1e-9);
    ExpectCurrentAttributes(lines[1]);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    // The start row shows the last end; the end row waits.
    RuVaPnt2d start;
    ASSERT_TRUE(static_cast<PointParameterItem*>(Running()->FindItem(0))->GetValue(start));
    ExpectNear(start, Landed(P(3, 2)), 1e-9);
    EXPECT_TRUE(Running()->IsParameterEmpty(1));

    Click(P(3, 2));
    EXPECT_FALSE(manager.HasActiveCommand()) << "the same point twice ends the chain";
    EXPECT_EQ(Shapes<Line2dFeature>().size(), 2u);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Shapes<Line2dFeature>().size(), 1u);

    // The first two points coinciding: nothing added, the command ends, and starts again empty.
    Start(kPolylineIndividualID);
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    Click(P(1, 1));
    Click(P(1, 1));
    EXPECT_FALSE(manager.HasActiveCommand());
    EXPECT_EQ(Shapes<Line2dFeature>().size(), 1u);
}

TEST_F(PolylineTest, RectangleRowsReFormBetweenCornersAndSize)
{
    Start(kRectangleID);
    ASSERT_NE(dynamic_cast<Rectangle2dCommand*>(Running()), nullptr);
    EXPECT_EQ(ItemIds(), (std::vector<int>{0, 1}));
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 1));
    EXPECT_EQ(ItemIds(), (std::vector<int>{2, 3, 4, 5, 6}));
    // The angle starts given at 0, the position at the centre and stays through clearing.
    double angle = -1;
    ASSERT_TRUE(static_cast<DoubleParameterItem*>(Running()->GetParameterItem(2))->GetValue(angle));
    EXPECT_EQ(angle, 0.0);
    auto* pPosition = dynamic_cast<ListParameterItem*>(Running()->GetParameterItem(3));
    ASSERT_NE(pPosition, nullptr);
    EXPECT_EQ(pPosition->GetItemCount(), 9);
    int position = -1;
    ASSERT_TRUE(pPosition->GetValue(position));
    EXPECT_EQ(position, Rectangle2dCommand::kDefaultPosition);
    EXPECT_EQ(pPosition->m_nRetentionMode, 2);
    EXPECT_FALSE(pPosition->m_bClearable);
    for (int i = 0; i < Running()->GetParameterCount(); ++i)
        EXPECT_EQ(Running()->GetParameterItem(i)->m_wBaseItemId, ParameterItemBase::kNoBaseItem) << i;

    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 0));
    EXPECT_EQ(ItemIds(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(Running()->IsParameterEmpty(1));
    EXPECT_FALSE(Running()->OnAlternativeChanging(1, 0));
    EXPECT_FALSE(Running()->OnAlternativeChanging(0, 0));
}

TEST_F(PolylineTest, RectanglesByCornersAndBySizeWithTheirResults)
{
    struct Case {
        const char* name;
        bool size;
        double width, height, angle;
        int position;
        int result;
        UINT message;  // 0: none
    };
    const Case cases[] = {
        {"corners", false, 0, 0, 0, 0, CommandBase::resultDone, 0},
        {"size about the centre", true, 4, 2, 0, 4, CommandBase::resultDone, 0},
        {"size from the bottom left, turned", true, 4, 2, 90, 0, CommandBase::resultDone, 0},
        {"zero width", true, 0, 2, 0, 4, CommandBase::resultNothing, kMsgLengthNotPositive},
        {"negative height", true, 4, -2, 0, 4, CommandBase::resultNothing, kMsgLengthNotPositive},
    };
    CommandBase* pCommand = Start(kRectangleID);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((pCommand->GetParameter(0)->GetCurrentIndex() == 1) != c.size)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, c.size ? 1 : 0));
        for (int i = 0; i < pCommand->GetParameterCount(); ++i)
            if (pCommand->GetParameterItem(i)->m_nRetentionMode != 2)
                pCommand->GetParameterItem(i)->Clear();
        if (c.size) {
            static_cast<DoubleParameterItem*>(pCommand->FindItem(2))->SetValue(c.width * u);
            static_cast<DoubleParameterItem*>(pCommand->FindItem(3))->SetValue(c.height * u);
            static_cast<DoubleParameterItem*>(pCommand->FindItem(4))->SetValue(c.angle);
            static_cast<ListParameterItem*>(pCommand->FindItem(5))->SetValue(c.position);
            static_cast<PointParameterItem*>(pCommand->FindItem(6))->SetValue(P(1, 1));
        } else {
            static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(P(0, 0));
            static_cast<PointParameterItem*>(pCommand->FindItem(1))->SetValue(P(4, 2));
        }
        Messages().clear();
        const long count = doc.GetFeatureCount();
        const int undo = doc.GetUndoCount();
        EXPECT_EQ(pCommand->OnInput(-1), c.result);
        const bool done = c.result == CommandBase::resultDone;
        EXPECT_EQ(doc.GetFeatureCount(), count + (done ? 1 : 0));
        EXPECT_EQ(doc.GetUndoCount(), undo + (done ? 1 : 0));
        if (c.message != 0) {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0], Text(c.message));
        }
        if (!done)
            continue;
        const Polyline2dFeature* pRect = Shapes<Polyline2dFeature>().back();
        ASSERT_EQ(pRect->GetPointSize() >= 4, true);
        ExpectCurrentAttributes(pRect);
        RuVaBndBox2d box = pRect->GetBndBox();
        const double w = c.size ? (c.angle == 90 ? c.height : c.width) : 4, h = c.size ? (c.angle == 90 ? c.width : c.height) : 2;
        EXPECT_NEAR(box.Width(), w * u, 1e-6);
        EXPECT_NEAR(box.Height(), h * u, 1e-6);
        if (c.size && c.position == 4)
            ExpectNear(box.Center(), P(1, 1), 1e-6);
        if (c.size && c.position == 0)
            ExpectNear(pRect->GetPoint(0), P(1, 1), 1e-6);
    }
    // Corners within the tolerance: nothing, kept for correction.
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 0));
    static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(RuVaPnt2d(5, 5));
    static_cast<PointParameterItem*>(pCommand->FindItem(1))->SetValue(RuVaPnt2d(5 + 1e-8, 5));
    EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
}

TEST_F(PolylineTest, SizedRectanglesNeedOnlyANewPlacementEach)
{
    Start(kRectangleID);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 1));
    Type(0, 4 * u);
    Type(1, 2 * u);
    Click(P(0, 0));
    Click(P(3, 3));
    const auto rects = Shapes<Polyline2dFeature>();
    ASSERT_EQ(rects.size(), 2u);
    ExpectNear(rects[0]->GetBndBox().Center(), Landed(P(0, 0)), 1e-9);
    ExpectNear(rects[1]->GetBndBox().Center(), Landed(P(3, 3)), 1e-9);
    EXPECT_EQ(doc.GetUndoCount(), 2);
}

TEST_F(PolylineTest, RectangleComesBackInItsLastModeAndPositionAfterARestart)
{
    Start(kRectangleID);
    // From now on the settings carry a program version that may load what this run remembers.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 1));
    ASSERT_TRUE(static_cast<ListParameterItem*>(Running()->FindItem(5))->SetValue(6));
    manager.CancelAllCommands();
    manager.Shutdown();

    struct Case {
        const char* name;
        int stored;  // written over the remembered position before the restart; -1: as saved
        int expected;
    };
    const Case cases[] = {{"as saved", -1, 6}, {"outside the list", 12, 4}, {"negative", -3, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.stored != -1)
            registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Rectangle\\Parameter"), _T("5"), c.stored);
        CommandManager next;
        next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
        next.SetActiveDraw2dView(&view);
        ASSERT_TRUE(next.ExecuteCommand(kRectangleID));
        CommandBase* pCommand = next.GetActiveCommand();
        ASSERT_NE(pCommand, nullptr);
        ASSERT_EQ(pCommand->GetParameterCount(), 5);
        int position = -1;
        ASSERT_TRUE(static_cast<ListParameterItem*>(pCommand->FindItem(5))->GetValue(position));
        EXPECT_EQ(position, c.expected);
        next.CancelAllCommands();
        next.SetActiveDraw2dView(nullptr);
        next.Shutdown();
    }
}

TEST_F(PolylineTest, PreviewIsTheShapeAClickMakes)
{
    struct Case {
        const char* name;
        UINT command;
        bool size;
    };
    const Case cases[] = {
        {"separate line", kPolylineIndividualID, false},
        {"rectangle by corners", kRectangleID, false},
        {"rectangle by size", kRectangleID, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(c.command);
        if (c.command == kRectangleID && (Running()->GetParameter(0)->GetCurrentIndex() == 1) != c.size)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, c.size ? 1 : 0));
        if (c.size) {
            Type(0, 3 * u);
            Type(1, 1 * u);
        } else {
            Click(P(-2, -1));
        }
        ExpectPreviewIsTheClickedShape(P(2, 2));
        ASSERT_TRUE(doc.Undo());
    }
    // The polyline: its preview with the cursor as the next vertex equals the polyline ended there.
    manager.CancelAllCommands();
    Start(kPolylineID);
    Click(P(-2, -1));
    Click(P(0, 1));
    const QImage before = Render();
    const QImage preview = PreviewAt(P(2, -1));
    EXPECT_NE(preview, before);
    Click(P(2, -1));
    manager.FinishListInput();
    ASSERT_EQ(Shapes<Polyline2dFeature>().size(), 1u);
    EXPECT_TRUE(Render() == preview);
}
