// Mirror and cut-move through the manager: images replacing or joining their sources, an axis of one
// point refused and asked again with the document untouched, and curves cut at a rectangle's border
// whose inside parts move or are copied.

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/LoadResourceString.h"
#include "commands/edit/MoveCut2dCommand.h"
#include "commands/edit/MoveMirror2dCommand.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/StoredForm.h"
#include "libs/vevure/Text2dFeature.h"

using namespace QZ2Command;

namespace {

class MirrorCommandTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        line = Add(Line2dFeature(P(1, 0), P(2, 1)));
        doc.ClearUndoRedoHistory();
    }
    const Line2dFeature* LineOf(long id) const { return dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)); }
    long line = -1;
};

}  // namespace

TEST_F(MirrorCommandTest, ImagesReplaceOrJoinTheirSourcesWhicheverWayTheAxisIsGiven)
{
    struct Case {
        LPCTSTR identifier;
        bool replace;
        bool reversed;
    };
    const Case cases[] = {
        {_T("Korvan.Edit.MoveMirror"), true, false},
        {_T("Korvan.Edit.MoveMirror"), true, true},
        {_T("Korvan.Edit.CopyMirror"), false, false},
        {_T("Korvan.Edit.CopyMirror"), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << kctest::Narrow(c.identifier) << (c.reversed ? " reversed" : ""));
        const auto before = Snapshot();
        Preselect({line});
        Start(c.identifier);
        // The vertical axis x = 0.
        ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis1, c.reversed ? P(0, 3) : P(0, -1)));
        ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis2, c.reversed ? P(0, -1) : P(0, 3)));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_FALSE(manager.HasActiveCommand());
        const std::vector<long> ids = LiveIDs();
        ASSERT_EQ(ids.size(), c.replace ? 1u : 2u);
        EXPECT_EQ(doc.GetFeature(line) != nullptr, !c.replace);
        const Line2dFeature* pImage = LineOf(ids.back());
        ASSERT_NE(pImage, nullptr);
        EXPECT_GT(ids.back(), line);
        kctest::ExpectNear(pImage->GetStartPoint(), P(-1, 0), 1e-9);
        kctest::ExpectNear(pImage->GetEndPoint(), P(-2, 1), 1e-9);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
    }
}

TEST_F(MirrorCommandTest, AnAxisOfOnePointIsRefusedAndAskedAgain)
{
    const auto before = Snapshot();
    CommandBase* pMirror = Start(_T("Korvan.Edit.MoveMirror"));
    ASSERT_TRUE(GiveShapes(MoveMirror2dCommand::itemShapes, {line}));
    ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis1, P(0, 0)));
    const RuVaPnt2d same(P(0, 0).X() + 5e-8, P(0, 0).Y());
    EXPECT_FALSE(GivePoint(MoveMirror2dCommand::itemAxis2, same));
    ASSERT_EQ(statusTexts().size(), 1u);
    EXPECT_EQ(statusTexts()[0], LoadResourceString(11171));
    EXPECT_FALSE(statusTexts()[0].IsEmpty());
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "after the refused axis"));
    ASSERT_EQ(Running(), pMirror);
    EXPECT_TRUE(pMirror->IsParameterEmpty(IndexOf(MoveMirror2dCommand::itemAxis2)));
    EXPECT_FALSE(pMirror->IsParameterEmpty(IndexOf(MoveMirror2dCommand::itemShapes)));
    // A sound second point mirrors.
    ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis2, P(0, 1)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(line), nullptr);
}

namespace {

class CutCommandTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        // A line from inside the rectangle (0,0)-(2,2) to beyond its right side, a circle wholly inside,
        // a text inside and a line wholly outside.
        crossing = Add(Line2dFeature(P(1, 1), P(3, 1)));
        inside = Add(Circle2dFeature(P(0.5, 0.5), u / 4));
        text = Add(Text2dFeature(CString(_T("T")), P(1, 1.5)));
        outside = Add(Line2dFeature(P(3, 3), P(4, 3)));
        doc.ClearUndoRedoHistory();
    }
    void GiveRectangleAndPlacement()
    {
        // Corners in any order give the same rectangle.
        ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner1, P(2, 0)));
        ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner2, P(0, 2)));
        ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemBase, P(0, 0)));
        ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemDestination, P(0, -3)));
    }
    long crossing = -1, inside = -1, text = -1, outside = -1;
};

}  // namespace

TEST_F(CutCommandTest, MoveCutLeavesTheOutsidePieceAndMovesTheInsideParts)
{
    const auto before = Snapshot();
    CommandBase* pCut = Start(_T("Korvan.Edit.MoveCut"));
    GiveRectangleAndPlacement();
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(Running(), pCut);
    EXPECT_EQ(doc.GetFeature(crossing), nullptr);
    // The circle moved in place; the text and the far line stayed.
    const auto* pCircle = dynamic_cast<const Circle2dFeature*>(doc.GetFeature(inside));
    ASSERT_NE(pCircle, nullptr);
    kctest::ExpectNear(pCircle->GetCenterPoint(), P(0.5, -2.5), 1e-9);
    ASSERT_NE(doc.GetFeature(text), nullptr);
    ASSERT_NE(doc.GetFeature(outside), nullptr);
    // The two pieces of the cut line: (2,1)-(3,1) stays, (1,1)-(2,1) went down by 3.
    int found = 0;
    for (long id : LiveIDs()) {
        if (id <= outside)
            continue;
        const auto* pPiece = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
        ASSERT_NE(pPiece, nullptr);
        const double y = pPiece->GetStartPoint().Y();
        if (std::abs(y - P(0, 1).Y()) < 1e-7) {
            EXPECT_NEAR(std::min(pPiece->GetStartPoint().X(), pPiece->GetEndPoint().X()), P(2, 0).X(), 1e-7);
            ++found;
        } else {
            EXPECT_NEAR(y, P(0, -2).Y(), 1e-7);
            EXPECT_NEAR(std::max(pPiece->GetStartPoint().X(), pPiece->GetEndPoint().X()), P(2, 0).X(), 1e-7);
            found += 10;
        }
    }
    EXPECT_EQ(found, 11);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(CutCommandTest, CopyCutAddsCopiesOfTheInsidePartsAndStays)
{
    const auto before = Snapshot();
    CommandBase* pCut = Start(_T("Korvan.Edit.CopyCut"));
    GiveRectangleAndPlacement();
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // The sources are untouched: a copy of the inside piece and of the circle were added.
    EXPECT_EQ(doc.GetFeatureCount(), 6);
    EXPECT_TRUE(StoredForm::IsSame(doc.GetFeature(crossing), before->GetFeature(crossing)));
    EXPECT_EQ(Running(), pCut);

    // A rectangle holding only whole curves still counts as done: the command stays.
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner1, P(0, 0)));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner2, P(0.9, 0.9)));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemBase, P(0, 0)));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemDestination, P(5, 0)));
    EXPECT_EQ(doc.GetFeatureCount(), 5);
    EXPECT_EQ(Running(), pCut);
}

TEST_F(CutCommandTest, ARectangleTakingNoCurveWaits)
{
    const auto before = Snapshot();
    CommandBase* pCut = Start(_T("Korvan.Edit.MoveCut"));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner1, P(-4, -3)));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemCorner2, P(-3, -2)));
    ASSERT_TRUE(GivePoint(MoveCut2dCommand::itemBase, P(0, 0)));
    GivePoint(MoveCut2dCommand::itemDestination, P(0, -3));
    EXPECT_EQ(Running(), pCut);
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "nothing taken"));
}
