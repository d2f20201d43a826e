// The tangent and perpendicular line commands over the real manager, document and view: the rows of the
// two forms (also after a restart), lines on the shape and from a point in one undo step each, the kinds
// each accepts, lines that do not exist refused with their reason, and the preview equal to the line a
// click makes.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/PerpendicularLine2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "commands/shape/TangentLine2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kTangentID = 33418;
constexpr UINT kPerpendicularID = 33417;
using Rows = std::vector<std::pair<int, int>>;

class TangentTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        circle = Add(Circle2dFeature(P(0, 0), 2 * u));
        wall = Add(Line2dFeature(P(-4, -3), P(4, -3)));
        doc.ClearUndoRedoHistory();
    }
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative) {
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
        }
    }
    static Rows RowIds(const CommandBase* pCommand)
    {
        Rows rows;
        for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
            const CommandParameter* p = pCommand->GetParameter(i);
            for (int k = 0; k < p->GetItemCount(); ++k)
                rows.emplace_back(i, p->GetItem(k)->GetId());
        }
        return rows;
    }
    const Line2dFeature* LastLine() const
    {
        const auto lines = Shapes<Line2dFeature>();
        return lines.size() > 1 ? lines.back() : nullptr;  // the wall is the first
    }

    long circle = -1;
    long wall = -1;
    const Rows kOnShape{{0, 0}, {0, 3}, {1, 2}, {2, 4}};
    const Rows kFromPoint{{0, 0}, {0, 3}, {1, 1}};
};

}  // namespace

TEST_F(TangentTest, TheTwoFormsReformTheRowsAndTheFormComesBackAfterARestart)
{
    for (UINT id : {kTangentID, kPerpendicularID}) {
        SCOPED_TRACE(id);
        Start(id);
        EXPECT_EQ(RowIds(Running()), kOnShape);
        Choose(0, 1);
        EXPECT_EQ(RowIds(Running()), kFromPoint);
        const auto* pShape = static_cast<const FeatureParameterItem*>(Running()->FindItem(TangentLine2dCommand::itemShapeFromPoint));
        EXPECT_EQ(pShape->m_dwAcceptedKinds, id == kTangentID ? 0x018001F8u : 0x01800DFEu);
        EXPECT_EQ(pShape->m_nPickSetting, 1);
        // A straight line touches nothing, but a line can stand square to it.
        EXPECT_EQ(pShape->IsAcceptedFeature(2), id == kPerpendicularID ? TRUE : FALSE);
        Choose(0, 0);
        EXPECT_EQ(RowIds(Running()), kOnShape);
        EXPECT_TRUE(Running()->IsParameterEmpty(1));
        EXPECT_TRUE(Running()->IsParameterEmpty(2));
        manager.CancelAllCommands();
    }
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    Start(kTangentID);
    Choose(0, 1);
    manager.CancelAllCommands();
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kTangentID));
    EXPECT_EQ(RowIds(next.GetActiveCommand()), kFromPoint);
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();
}

TEST_F(TangentTest, LinesOnTheShapeAndFromAPointAreOneStepEach)
{
    const double h = std::sqrt(3.0);
    struct Case {
        const char* name;
        UINT command;
        bool fromPoint;
        RuVaPnt2d a, b;        // on the shape: the shape's pick, position and end (b); from a point: start (a), pick (b)
        RuVaPnt2d position;
        RuVaPnt2d start, end;  // expected
    };
    const Case cases[] = {
        {"tangent from a point, the upper one", kTangentID, true, RuVaPnt2d(4, 0), RuVaPnt2d(1, h), RuVaPnt2d(), RuVaPnt2d(4, 0), RuVaPnt2d(1, h)},
        {"tangent from a point, the lower one", kTangentID, true, RuVaPnt2d(4, 0), RuVaPnt2d(1, -h), RuVaPnt2d(), RuVaPnt2d(4, 0), RuVaPnt2d(1, -h)},
        {"tangent on the circle", kTangentID, false, RuVaPnt2d(0, 2), RuVaPnt2d(3, 2.5), RuVaPnt2d(0, 3), RuVaPnt2d(0, 2), RuVaPnt2d(3, 2)},
        {"perpendicular from a point to the wall", kPerpendicularID, true, RuVaPnt2d(1, -1), RuVaPnt2d(2, -3), RuVaPnt2d(), RuVaPnt2d(1, -1), RuVaPnt2d(1, -3)},
        {"perpendicular on the wall", kPerpendicularID, false, RuVaPnt2d(3, -3), RuVaPnt2d(-1.5, -1), RuVaPnt2d(-2, -3.5), RuVaPnt2d(-2, -3), RuVaPnt2d(-2, -1)},
    };
    const double tol = 1.5 / view.GetScale();
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(c.command);
        Choose(0, c.fromPoint ? 1 : 0);
        Click(P(c.a.X(), c.a.Y()));
        if (!c.fromPoint)
            Click(P(c.position.X(), c.position.Y()));
        Click(P(c.b.X(), c.b.Y()));
        ASSERT_EQ(doc.GetUndoCount(), ++made);
        const Line2dFeature* pLine = LastLine();
        ASSERT_NE(pLine, nullptr);
        ExpectNear(pLine->GetStartPoint(), P(c.start.X(), c.start.Y()), tol);
        ExpectNear(pLine->GetEndPoint(), P(c.end.X(), c.end.Y()), tol);
        ExpectCurrentAttributes(pLine);
        EXPECT_TRUE(Running()->IsParameterEmpty(0));
    }
}

TEST_F(TangentTest, LinesThatDoNotExistOrAShapeDeletedMeanwhileAreRefusedWithTheirReason)
{
    struct Case {
        const char* name;
        UINT command;
        RuVaPnt2d start;
        bool deleteShape;
        UINT message;
    };
    const Case cases[] = {
        {"tangent from inside the circle", kTangentID, RuVaPnt2d(0.5, 0), false, kMsgNoTangent},
        {"perpendicular from a point on the wall", kPerpendicularID, RuVaPnt2d(2, -3), false, kMsgNoPerpendicular},
        {"the circle deleted", kTangentID, RuVaPnt2d(4, 0), true, kMsgShapeGone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(c.command);
        Choose(0, 1);
        CommandBase* pCommand = Running();
        static_cast<PointParameterItem*>(pCommand->FindItem(TangentLine2dCommand::itemStart))->SetValue(P(c.start.X(), c.start.Y()));
        const long shape = c.command == kTangentID ? circle : wall;
        static_cast<FeatureParameterItem*>(pCommand->FindItem(TangentLine2dCommand::itemShapeFromPoint))
            ->SetValue(FeatureLayout(shape, -1, -1), c.command == kTangentID ? P(0, 2) : P(3, -3));
        if (c.deleteShape) {
            doc.BeginUndoOperation(nullptr);
            ASSERT_TRUE(doc.DeleteFeature(circle, 1));
            doc.EndUndoOperation();
        }
        const int undo = doc.GetUndoCount();
        const long count = doc.GetFeatureCount();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetUndoCount(), undo);
        EXPECT_EQ(doc.GetFeatureCount(), count);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }
}

TEST_F(TangentTest, PreviewIsTheLineAClickMakes)
{
    for (UINT id : {kTangentID, kPerpendicularID}) {
        SCOPED_TRACE(id);
        manager.CancelAllCommands();
        Start(id);
        Choose(0, 1);
        Click(P(4, 1));
        // The shape under the cursor stands in for the pick.
        const RuVaPnt2d at = id == kTangentID ? P(0, 2) : P(1, -3);
        manager.OnMouseMove(0, C(at));
        ExpectPreviewIsTheClickedShape(at);
    }
}

TEST_F(TangentTest, InsideATurnedScaledPartLayoutTheLinesFitTheShapesInThePartsOwnCoordinates)
{
    const long paper = doc.GetActiveDrawingFeature()->GetDrawingID();
    const long part = doc.AddPartDrawingFeature(_T("Part"));
    const long layout = doc.AddPartLayout(paper, part, _T("Detail"), -1, 0);
    ASSERT_GT(layout, 0);
    ASSERT_TRUE(doc.SetPartLayoutAngle(layout, 30, 0));
    ASSERT_TRUE(doc.SetPartLayoutScale(layout, 2, 1, FALSE, 2, 1, 0));
    ASSERT_TRUE(doc.ActivateDrawingFeature(paper, layout, FALSE));
    DrawingFeatureBase* pPart = doc.GetDrawingFeatureByID(part);
    ASSERT_NE(pPart, nullptr);
    const Circle2dFeature partCircle(RuVaPnt2d(0, 0), 5.0);
    const Line2dFeature partWall(RuVaPnt2d(-10, -8), RuVaPnt2d(10, -8));
    doc.BeginUndoOperation(nullptr);
    const long c = doc.AddFeature(&partCircle, pPart, 1);
    const long w = doc.AddFeature(&partWall, pPart, 1);
    doc.EndUndoOperation();
    ASSERT_GT(c, 0);
    ASSERT_GT(w, 0);
    const PartDrawingLayout* pLayout = doc.GetPartLayoutByID(layout);
    auto world = [&](const RuVaPnt2d& local) {
        RuVaPnt2d out;
        pLayout->ConvertPointLocalToWorld(local, out);
        return out;
    };
    struct Case {
        const char* name;
        UINT command;
        long shape;
        RuVaPnt2d start, pick;  // in the part's coordinates
    };
    for (const Case& k : {Case{"tangent", kTangentID, c, RuVaPnt2d(12, 0), RuVaPnt2d(3, 4)},
                          Case{"perpendicular", kPerpendicularID, w, RuVaPnt2d(2, 3), RuVaPnt2d(0, -8)}}) {
        SCOPED_TRACE(k.name);
        manager.CancelAllCommands();
        Start(k.command);
        Choose(0, 1);
        CommandBase* pCommand = Running();
        static_cast<PointParameterItem*>(pCommand->FindItem(TangentLine2dCommand::itemStart))->SetValue(k.start);
        static_cast<FeatureParameterItem*>(pCommand->FindItem(TangentLine2dCommand::itemShapeFromPoint))
            ->SetValue(FeatureLayout(k.shape, layout, -1), world(k.pick));
        ASSERT_EQ(pCommand->OnInput(-1), CommandBase::resultDone);
        const Line2dFeature* pLine = LastLine();
        ASSERT_NE(pLine, nullptr);
        ExpectNear(pLine->GetStartPoint(), k.start, 1e-9);
        const RuVaPnt2d t = pLine->GetEndPoint();
        if (k.command == kTangentID) {
            EXPECT_NEAR(t.Distance(RuVaPnt2d(0, 0)), 5.0, 1e-9);
            EXPECT_NEAR((t - RuVaPnt2d(0, 0)).Dot(t - k.start), 0.0, 1e-7);
            EXPECT_GT(t.Y(), 0.0) << "the touching point nearest the pick";
        } else {
            ExpectNear(t, RuVaPnt2d(2, -8), 1e-9);
        }
    }
}
