// The move, copy, rotate and scale family run through the manager over a real document: each
// identifier's inputs, the placed shapes, one undo step that takes the document back exactly, copies
// that keep coming while the shapes were picked after the start, and shapes seen through part layouts.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "EditFixture.h"
#include "PartLayoutFixture.h"
#include "command/LoadResourceString.h"
#include "commands/edit/Move2dCommand.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"

using namespace QZ2Command;

namespace {

class MoveCommandTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        layer = doc.AddLayer(_T("Target"), -1);
        line = Add(Line2dFeature(P(1, 0), P(2, 0)));
        circle = Add(Circle2dFeature(P(1, 1), u / 2));
        ownLayer = doc.GetFeatureLayerID(line);
        ASSERT_NE(ownLayer, layer);
        ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
        doc.ClearUndoRedoHistory();
    }
    const Line2dFeature* LineOf(long id) const { return dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)); }

    long layer = -1;
    long ownLayer = -1;
    long line = -1;
    long circle = -1;
};

// Where a point goes: scaled from the base, turned about it, moved onto the destination.
RuVaPnt2d Placed(const RuVaPnt2d& p, const RuVaPnt2d& base, double sx, double sy, double angle, const RuVaPnt2d& to)
{
    const double a = angle * RuVa::DegToRad;
    const double x = (p.X() - base.X()) * sx;
    const double y = (p.Y() - base.Y()) * sy;
    return RuVaPnt2d(to.X() + x * std::cos(a) - y * std::sin(a), to.Y() + x * std::sin(a) + y * std::cos(a));
}

}  // namespace

TEST_F(MoveCommandTest, EachIdentifierAsksForItsInputsAndPlacesThePreselectedShapesInOneStep)
{
    struct Case {
        LPCTSTR identifier;
        bool copy;
        double sx, sy;  // 0: no scale input
        double angle;   // NaN: no angle input
        bool destination;
        bool toLayer;
    };
    const double none = std::nan("");
    const Case cases[] = {
        {_T("Korvan.Edit.Move"), false, 0, 0, none, true, false},
        {_T("Korvan.Edit.Copy"), true, 0, 0, none, true, false},
        {_T("Korvan.Edit.Rotate"), false, 0, 0, 30, false, false},
        {_T("Korvan.Edit.Scale"), false, 2, 2, none, false, false},
        {_T("Korvan.Edit.MoveRotate"), false, 0, 0, 90, true, false},
        {_T("Korvan.Edit.MoveScale"), false, 3, 0.5, none, true, false},
        {_T("Korvan.Edit.MoveScaleRotate"), false, 2, 2, -45, true, false},
        {_T("Korvan.Edit.MoveToLayer"), false, 0, 0, none, true, true},
        {_T("Korvan.Edit.CopyRotate"), true, 0, 0, 30, true, false},
        {_T("Korvan.Edit.CopyScale"), true, 0.5, 0.5, none, true, false},
        {_T("Korvan.Edit.CopyScaleRotate"), true, 2, 3, 60, true, false},
        {_T("Korvan.Edit.CopyToLayer"), true, 0, 0, none, true, true},
    };
    const RuVaPnt2d base = P(0, 0);
    const RuVaPnt2d to = P(-1, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(kctest::Narrow(c.identifier));
        const auto before = Snapshot();
        const int undo = doc.GetUndoCount();
        const RuVaPnt2d s0 = LineOf(line)->GetStartPoint();
        const RuVaPnt2d e0 = LineOf(line)->GetEndPoint();
        Preselect({line, circle});
        CommandBase* pCommand = Start(c.identifier);
        ASSERT_NE(pCommand, nullptr);
        // Inputs the identifier calls for, and only those.
        EXPECT_GE(pCommand->FindParameterIndex(Move2dCommand::itemShapes), 0);
        EXPECT_FALSE(pCommand->IsParameterEmpty(0)) << "the selection is taken over";
        EXPECT_EQ(pCommand->FindParameterIndex(Move2dCommand::itemScale) >= 0, c.sx != 0);
        EXPECT_EQ(pCommand->FindParameterIndex(Move2dCommand::itemAngle) >= 0, !std::isnan(c.angle));
        EXPECT_EQ(pCommand->FindParameterIndex(Move2dCommand::itemDestination) >= 0, c.destination);

        ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, base));
        if (c.sx != 0) {
            ASSERT_TRUE(GiveScale(Move2dCommand::itemScale, c.sx, c.sy));
        }
        if (!std::isnan(c.angle)) {
            ASSERT_TRUE(GiveAngle(Move2dCommand::itemAngle, c.angle));
        }
        if (c.destination) {
            ASSERT_TRUE(GivePoint(Move2dCommand::itemDestination, to));
        }

        // One step, and a command started on a pre-selection has ended.
        EXPECT_EQ(doc.GetUndoCount(), undo + 1);
        EXPECT_FALSE(manager.HasActiveCommand());
        const double sx = c.sx != 0 ? c.sx : 1.0;
        const double sy = c.sx != 0 ? c.sy : 1.0;
        const double angle = std::isnan(c.angle) ? 0.0 : c.angle;
        const RuVaPnt2d target = c.destination ? to : base;
        const Line2dFeature* pPlaced = LineOf(line);
        if (c.copy) {
            // The sources stay; the copies are the two newest records.
            ASSERT_EQ(doc.GetFeatureCount(), 4);
            kctest::ExpectNear(LineOf(line)->GetStartPoint(), s0, 1e-9);
            const std::vector<long> ids = LiveIDs();
            pPlaced = LineOf(ids[2]);
            ASSERT_NE(pPlaced, nullptr);
            EXPECT_GT(ids[2], circle);
        } else {
            ASSERT_EQ(doc.GetFeatureCount(), 2);
        }
        kctest::ExpectNear(pPlaced->GetStartPoint(), Placed(s0, base, sx, sy, angle, target), 1e-7);
        kctest::ExpectNear(pPlaced->GetEndPoint(), Placed(e0, base, sx, sy, angle, target), 1e-7);
        EXPECT_EQ(pPlaced->GetLayerID(), c.toLayer ? layer : ownLayer);

        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
    }
}

TEST_F(MoveCommandTest, CopiesOfShapesPickedAfterTheStartComeWithEveryDestination)
{
    CommandBase* pCopy = Start(_T("Korvan.Edit.Copy"));
    ASSERT_NE(pCopy, nullptr);
    ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {line}));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(1, 0)));
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(GivePoint(Move2dCommand::itemDestination, P(1, i)));
        EXPECT_EQ(doc.GetFeatureCount(), 2 + i);
        EXPECT_EQ(doc.GetUndoCount(), i);
        const Line2dFeature* pCopyLine = LineOf(LiveIDs().back());
        ASSERT_NE(pCopyLine, nullptr);
        kctest::ExpectNear(pCopyLine->GetStartPoint(), P(1, i), 1e-9);
        // Still running with the shapes and the base point; only the destination is asked again.
        ASSERT_EQ(Running(), pCopy);
        EXPECT_FALSE(pCopy->IsParameterEmpty(IndexOf(Move2dCommand::itemShapes)));
        EXPECT_FALSE(pCopy->IsParameterEmpty(IndexOf(Move2dCommand::itemBase)));
        EXPECT_TRUE(pCopy->IsParameterEmpty(IndexOf(Move2dCommand::itemDestination)));
    }
}

TEST_F(MoveCommandTest, AMoveWithoutPreselectionStaysAndKeepsATypedAngle)
{
    CommandBase* pRotate = Start(_T("Korvan.Edit.Rotate"));
    ASSERT_TRUE(GiveAngle(Move2dCommand::itemAngle, 90));
    ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {line}));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(1, 0)));
    kctest::ExpectNear(LineOf(line)->GetEndPoint(), P(1, 1), 1e-9);
    ASSERT_EQ(Running(), pRotate);
    EXPECT_TRUE(pRotate->IsParameterEmpty(IndexOf(Move2dCommand::itemShapes)));
    EXPECT_FALSE(pRotate->IsParameterEmpty(IndexOf(Move2dCommand::itemAngle)));
    // The next shapes turn by the same angle.
    ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {line}));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(1, 0)));
    kctest::ExpectNear(LineOf(line)->GetEndPoint(), P(0, 0), 1e-9);
    EXPECT_EQ(doc.GetUndoCount(), 2);
}

TEST_F(MoveCommandTest, UnequalScalesMakeACircleAnEllipseUnderTheSameRecord)
{
    Preselect({circle});
    Start(_T("Korvan.Edit.Scale"));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(1, 1)));
    ASSERT_TRUE(GiveScale(Move2dCommand::itemScale, 2, 1));
    const auto* pEllipse = dynamic_cast<const Ellipse2dFeature*>(doc.GetFeature(circle));
    ASSERT_NE(pEllipse, nullptr);
    EXPECT_NEAR(pEllipse->GetMajorRadius(), u, 1e-9);
    EXPECT_NEAR(pEllipse->GetMinorRadius(), u / 2, 1e-9);
    kctest::ExpectNear(pEllipse->GetCenterPoint(), P(1, 1), 1e-9);
}

TEST_F(MoveCommandTest, MissingInputRunsNothing)
{
    const auto before = Snapshot();
    CommandBase* pMove = Start(_T("Korvan.Edit.Move"));
    EXPECT_EQ(pMove->OnInput(-1), CommandBase::resultMissing);
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(0, 0)));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemDestination, P(3, 3)));
    // No shapes yet: the points wait for them.
    EXPECT_EQ(pMove->OnInput(-1), CommandBase::resultMissing);
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "without shapes"));
    ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {line}));
    kctest::ExpectNear(LineOf(line)->GetStartPoint(), P(4, 3), 1e-9);
}

TEST_F(MoveCommandTest, AShapeDeletedAfterThePickIsSkipped)
{
    CommandBase* pMove = Start(_T("Korvan.Edit.Move"));
    ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {line, circle}));
    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.DeleteFeature(line, 0));
    doc.EndUndoOperation();
    ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, P(0, 0)));
    ASSERT_TRUE(GivePoint(Move2dCommand::itemDestination, P(0, 2)));
    const auto* pCircle = dynamic_cast<const Circle2dFeature*>(doc.GetFeature(circle));
    ASSERT_NE(pCircle, nullptr);
    kctest::ExpectNear(pCircle->GetCenterPoint(), P(1, 3), 1e-9);
    EXPECT_EQ(Running(), pMove);
    EXPECT_TRUE(statusTexts().empty());
}


TEST_F(PartLayoutFixture, ShapesPickedThroughEachLayoutMoveByTheSameWorldDistance)
{
    struct Pick {
        long* record;
        long* layout;
    };
    const Pick picks[] = {{&lineA, &layoutA}, {&lineB, &layoutB}};
    for (const Pick& pick : picks) {
        SCOPED_TRACE(*pick.layout);
        const PartDrawingLayout* pLayout = doc.GetPartLayoutByID(*pick.layout);
        ASSERT_NE(pLayout, nullptr);
        const auto before = Snapshot();
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(*pick.record));
        RuVaPnt2d startWorld;
        pLayout->ConvertPointLocalToWorld(pLine->GetStartPoint(), startWorld);
        Start(_T("Korvan.Edit.Move"));
        ASSERT_TRUE(GiveShapes(Move2dCommand::itemShapes, {*pick.record}, *pick.layout));
        ASSERT_TRUE(GivePoint(Move2dCommand::itemBase, RuVaPnt2d(0, 0)));
        ASSERT_TRUE(GivePoint(Move2dCommand::itemDestination, RuVaPnt2d(6, -3)));
        pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(*pick.record));
        RuVaPnt2d movedWorld;
        pLayout->ConvertPointLocalToWorld(pLine->GetStartPoint(), movedWorld);
        kctest::ExpectNear(movedWorld, RuVaPnt2d(startWorld.X() + 6, startWorld.Y() - 3), 1e-7);
        EXPECT_EQ(doc.GetFeatureDrawingID(*pick.record), part);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        manager.CancelAllCommands();
    }
}
