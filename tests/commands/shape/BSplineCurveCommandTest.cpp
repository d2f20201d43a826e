// The B-spline commands over the real manager, document and view: curves by control points or through
// points, open or closed, one undo step each; too few points refused with the reason; the open-or-closed
// choice kept per command and across a restart; the preview falling back to the polyline through the
// points while they are too few for a curve, and otherwise the curve a click makes.

#include <gtest/gtest.h>

#include <memory>

#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/BSplineCurve2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/win/Registry.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kControlID = 33502;
constexpr UINT kThroughID = 33503;

class BSplineTest : public kctest::DrawingCommandFixture
{
protected:
    void SetClosed(bool closed)
    {
        auto* pList = dynamic_cast<ListParameterItem*>(Running()->GetParameterItem(0));
        ASSERT_NE(pList, nullptr);
        pList->SetValue(closed ? 1 : 0);
        manager.RunActiveCommand(0, TRUE);
    }
    int Closed() const
    {
        int index = -1;
        static_cast<ListParameterItem*>(Running()->GetParameterItem(0))->GetValue(index);
        return index;
    }
    // The polyline through the points drawn as the preview draws its fallback.
    QImage PolylinePreview(std::initializer_list<RuVaPnt2d> points)
    {
        KcArrayOfGePnt2d array;
        for (const RuVaPnt2d& p : points)
            array.Add(Landed(p));
        auto pPolyline = std::make_unique<Polyline2dFeature>();
        EXPECT_TRUE(pPolyline->SetPointArray(array));
        view.RestoreView();
        EXPECT_TRUE(ShapeCommandHelper::BuildFeature(Running(), pPolyline.release(), ShapeCommandHelper::actionPreview));
        QImage frame = Frame();
        view.RestoreView();
        return frame;
    }
};

}  // namespace

TEST_F(BSplineTest, CurvesByControlPointsOrThroughPointsOpenOrClosed)
{
    struct Case {
        UINT command;
        bool closed;
        int kind;  // BSplineCurve2dFeature's kind of points
    };
    int made = 0;
    for (const Case& c : {Case{kControlID, false, BSplineCurve2dFeature::ControlPoints},
                          Case{kControlID, true, BSplineCurve2dFeature::ControlPoints},
                          Case{kThroughID, false, BSplineCurve2dFeature::InterpolatePoints},
                          Case{kThroughID, true, BSplineCurve2dFeature::InterpolatePoints}}) {
        SCOPED_TRACE(testing::Message() << c.command << (c.closed ? " closed" : " open"));
        manager.CancelAllCommands();
        Start(c.command);
        ASSERT_NE(dynamic_cast<BSplineCurve2dCommand*>(Running()), nullptr);
        SetClosed(c.closed);
        for (const RuVaPnt2d& p : {P(-2, 0), P(-1, 2), P(1, -1), P(2, 1)})
            Click(p);
        EXPECT_EQ(doc.GetFeatureCount(), made);
        ASSERT_TRUE(manager.FinishListInput());
        const auto curves = Shapes<BSplineCurve2dFeature>();
        ASSERT_EQ(curves.size(), static_cast<size_t>(++made));
        EXPECT_EQ(curves.back()->GetKind(), c.kind);
        ExpectNear(curves.back()->GetPoint(0), Landed(P(-2, 0)), 1e-9);
        ExpectCurrentAttributes(curves.back());
        EXPECT_EQ(doc.GetUndoCount(), made);
        // The points are cleared, the choice stays.
        EXPECT_TRUE(Running()->IsParameterEmpty(1));
        EXPECT_EQ(Closed(), c.closed ? 1 : 0);
    }
}

TEST_F(BSplineTest, TooFewPointsSayWhyAndKeepThePoints)
{
    struct Case {
        bool closed;
        int points;
        int result;
    };
    const Case cases[] = {{false, 1, CommandBase::resultNothing}, {true, 2, CommandBase::resultNothing},
                          {false, 2, CommandBase::resultDone}, {true, 3, CommandBase::resultDone}};
    Start(kThroughID);
    CommandBase* pCommand = Running();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << (c.closed ? " closed" : " open"));
        static_cast<ListParameterItem*>(pCommand->GetParameterItem(0))->SetValue(c.closed ? 1 : 0);
        auto* pPoints = static_cast<PointArrayParameterItem*>(pCommand->GetParameterItem(1));
        pPoints->Clear();
        for (int i = 0; i < c.points; ++i)
            pPoints->AddPoint(RuVaPnt2d(i * 10.0, (i % 2) * 10.0));
        pPoints->m_bFinished = TRUE;
        Messages().clear();
        const long count = doc.GetFeatureCount();
        EXPECT_EQ(pCommand->OnInput(1), c.result);
        const bool done = c.result == CommandBase::resultDone;
        EXPECT_EQ(doc.GetFeatureCount(), count + (done ? 1 : 0));
        if (!done) {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0], Text(kMsgTooFewPoints));
            EXPECT_EQ(pPoints->GetCount(), c.points);
        }
    }
}

TEST_F(BSplineTest, EachCommandKeepsItsOwnChoiceAlsoAfterARestart)
{
    Start(kThroughID);
    manager.CancelAllCommands();
    Start(kControlID);
    // From now on the settings carry a program version that may load what this run remembers.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    SetClosed(true);
    manager.CancelAllCommands();
    Start(kThroughID);
    EXPECT_EQ(Closed(), 0);
    manager.CancelAllCommands();
    Start(kControlID);
    EXPECT_EQ(Closed(), 1);
    manager.CancelAllCommands();
    manager.Shutdown();

    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    for (auto [id, closed] : {std::pair{kControlID, 1}, std::pair{kThroughID, 0}}) {
        ASSERT_TRUE(next.ExecuteCommand(id));
        int index = -1;
        ASSERT_TRUE(static_cast<ListParameterItem*>(next.GetActiveCommand()->GetParameterItem(0))->GetValue(index));
        EXPECT_EQ(index, closed) << id;
        next.CancelAllCommands();
    }
    next.Shutdown();
}

TEST_F(BSplineTest, PreviewIsThePolylineWhileThePointsAreTooFewThenTheCurveAClickMakes)
{
    struct Case {
        UINT command;
        bool closed;
        int curveFrom;  // points (the cursor counted) from which the preview is a curve
    };
    for (const Case& c : {Case{kControlID, false, 4}, Case{kThroughID, false, 2}, Case{kControlID, true, 3},
                          Case{kThroughID, true, 3}}) {
        SCOPED_TRACE(testing::Message() << c.command << (c.closed ? " closed" : " open"));
        manager.CancelAllCommands();
        Start(c.command);
        SetClosed(c.closed);
        const RuVaPnt2d given[] = {P(-3, 0), P(-1, 2), P(1, -2), P(3, 1)};
        for (int n = 1; n <= 3; ++n) {
            Click(given[n - 1]);
            Render();
            const RuVaPnt2d cursor = P(2, 3);
            const QImage preview = PreviewAt(cursor);
            std::vector<RuVaPnt2d> points(given, given + n);
            points.push_back(cursor);
            QImage polyline;
            if (n == 1)
                polyline = PolylinePreview({points[0], points[1]});
            else if (n == 2)
                polyline = PolylinePreview({points[0], points[1], points[2]});
            else
                polyline = PolylinePreview({points[0], points[1], points[2], points[3]});
            // Fewer than a curve takes: the polyline. With four points every form shows a curve.
            if (n + 1 < c.curveFrom)
                EXPECT_TRUE(preview == polyline) << n << " given";
            if (n + 1 == 4)
                EXPECT_FALSE(preview == polyline) << n << " given";
        }
        // The curve the click at the cursor makes, ended there.
        const QImage before = Render();
        const QImage preview = PreviewAt(P(2, 3));
        Click(P(2, 3));
        manager.FinishListInput();
        ASSERT_FALSE(Shapes<BSplineCurve2dFeature>().empty());
        EXPECT_TRUE(Render() == preview);
        EXPECT_NE(preview, before);
        ASSERT_TRUE(doc.Undo());
    }
}
