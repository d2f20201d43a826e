// Trim and offset through the manager: pieces that carry the cut shape's attributes in one step undone
// exactly, nothing to trim told and waited on, parallels with the current attributes, a typed distance
// kept for the next shape and kept after a refusal, and the through-point form without a side.

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "commands/edit/Offset2dCommand.h"
#include "commands/edit/Trim2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

class TrimOffsetTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        // A line across two upright cutters, with its own colour and an attribute.
        Line2dFeature l(P(-3, 0), P(3, 0));
        l.SetColorNo(6);
        FeatureAttribute attribute;
        attribute.AddAttribute(_T("Part"), _T("A-1"));
        l.SetAttribute(attribute);
        line = Add(l);
        Add(Line2dFeature(P(-1, -2), P(-1, 2)));
        Add(Line2dFeature(P(1, -2), P(1, 2)));
        doc.ClearUndoRedoHistory();
    }
    BOOL GiveFeature(WORD id, long record, const RuVaPnt2d& pick)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        FeatureParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(FeatureLayout(record, -1, -1), pick);
        return manager.SetFeatureParameter(index, value, TRUE);
    }
    BOOL GiveLength(WORD id, double length)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        LengthParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(length);
        return manager.SetLengthParameter(index, value, TRUE);
    }
    long line = -1;
};

}  // namespace

TEST_F(TrimOffsetTest, PickTrimLeavesTwoPiecesWithTheCutLinesAttributes)
{
    const auto before = Snapshot();
    CommandBase* pTrim = Start(_T("Korvan.Edit.Trim"));
    ASSERT_TRUE(GiveFeature(Trim2dCommand::itemShape, line, P(0, 0)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(line), nullptr);
    std::vector<long> ids = LiveIDs();
    ASSERT_EQ(ids.size(), 4u);
    for (size_t i = 2; i < 4; ++i) {
        const auto* pPiece = dynamic_cast<const Line2dFeature*>(doc.GetFeature(ids[i]));
        ASSERT_NE(pPiece, nullptr);
        EXPECT_EQ(pPiece->GetColorNo(), 6);
        EXPECT_EQ(pPiece->GetLayerID(), baseLayer);
        ASSERT_NE(pPiece->GetAttribute(), nullptr);
        EXPECT_NEAR(pPiece->GetLength(), 2 * u, 1e-7);
    }
    EXPECT_EQ(Running(), pTrim);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(TrimOffsetTest, NothingToTrimIsToldAndTheCommandWaits)
{
    const long lone = Add(Line2dFeature(P(-3, 3), P(3, 3)));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pTrim = Start(_T("Korvan.Edit.Trim"));
    EXPECT_FALSE(GiveFeature(Trim2dCommand::itemShape, lone, P(0, 3)));
    ASSERT_EQ(statusTexts().size(), 1u);
    EXPECT_EQ(statusTexts()[0], LoadResourceString(11175));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "nothing trimmed"));
    EXPECT_EQ(Running(), pTrim);
    EXPECT_TRUE(pTrim->IsParameterEmpty(0));
}

TEST_F(TrimOffsetTest, RectangleTrimCutsWhatItCrosses)
{
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.TrimRect"));
    // Right to left: the same rectangle, around the middle of the line between the cutters.
    ASSERT_TRUE(GivePoint(Trim2dCommand::itemCorner1, P(0.5, 0.5)));
    ASSERT_TRUE(GivePoint(Trim2dCommand::itemCorner2, P(-0.5, -0.5)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(line), nullptr);
    EXPECT_EQ(doc.GetFeatureCount(), 4);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(TrimOffsetTest, OffsetByDistanceTakesTheCurrentAttributesAndKeepsTheDistance)
{
    const long current = doc.AddLayer(_T("Offsets"), -1);
    ASSERT_TRUE(doc.SetCurrentLayerID(current, 0));
    ASSERT_TRUE(doc.SetCurrentColorNo(3, 0));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pOffset = Start(_T("Korvan.Edit.Offset"));
    ASSERT_TRUE(GiveLength(Offset2dCommand::itemDistance, u));
    ASSERT_TRUE(GiveFeature(Offset2dCommand::itemShape, line, P(2, 0)));
    ASSERT_TRUE(GivePoint(Offset2dCommand::itemSide, P(0, 3)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const auto* pParallel = dynamic_cast<const Line2dFeature*>(doc.GetFeature(LiveIDs().back()));
    ASSERT_NE(pParallel, nullptr);
    EXPECT_NEAR(pParallel->GetStartPoint().Y(), P(0, 1).Y(), 1e-7);
    EXPECT_NEAR(pParallel->GetEndPoint().Y(), P(0, 1).Y(), 1e-7);
    EXPECT_EQ(pParallel->GetLayerID(), current);
    EXPECT_EQ(pParallel->GetColorNo(), 3);
    // The distance stays; shape and side are asked again.
    ASSERT_EQ(Running(), pOffset);
    EXPECT_FALSE(pOffset->IsParameterEmpty(IndexOf(Offset2dCommand::itemDistance)));
    EXPECT_TRUE(pOffset->IsParameterEmpty(IndexOf(Offset2dCommand::itemShape)));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(TrimOffsetTest, AnOffsetThatCannotBeMadeIsToldAndTheDistanceStays)
{
    const long circle = Add(Circle2dFeature(P(0, 3), u / 2));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pOffset = Start(_T("Korvan.Edit.Offset"));
    ASSERT_TRUE(GiveLength(Offset2dCommand::itemDistance, u));
    ASSERT_TRUE(GiveFeature(Offset2dCommand::itemShape, circle, P(0.5, 3)));
    // Inward past the centre.
    EXPECT_FALSE(GivePoint(Offset2dCommand::itemSide, P(0, 3)));
    ASSERT_FALSE(statusTexts().empty());
    EXPECT_EQ(statusTexts().back(), LoadResourceString(11174));
    EXPECT_TRUE(SameAs(*before, "refused"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    ASSERT_EQ(Running(), pOffset);
    EXPECT_FALSE(pOffset->IsParameterEmpty(IndexOf(Offset2dCommand::itemDistance)));
    EXPECT_FALSE(pOffset->IsParameterEmpty(IndexOf(Offset2dCommand::itemShape)));
}

TEST_F(TrimOffsetTest, TheThroughPointFormHasNoSide)
{
    CommandBase* pOffset = Start(_T("Korvan.Edit.Offset"));
    ASSERT_EQ(pOffset->GetParameterCount(), 3);
    ASSERT_TRUE(manager.SetParameterAlternative(pOffset, 1, 1));
    EXPECT_EQ(pOffset->GetParameterCount(), 2);
    EXPECT_LT(pOffset->FindParameterIndex(Offset2dCommand::itemSide), 0);
    ASSERT_TRUE(GiveFeature(Offset2dCommand::itemShape, line, P(2, 0)));
    ASSERT_TRUE(GivePoint(Offset2dCommand::itemThrough, P(0, -2)));
    const auto* pParallel = dynamic_cast<const Line2dFeature*>(doc.GetFeature(LiveIDs().back()));
    ASSERT_NE(pParallel, nullptr);
    EXPECT_NEAR(pParallel->GetStartPoint().Y(), P(0, -2).Y(), 1e-7);
    // Back to the distance: the side comes back at the end.
    ASSERT_TRUE(manager.SetParameterAlternative(pOffset, 1, 0));
    EXPECT_EQ(pOffset->GetParameterCount(), 3);
    EXPECT_EQ(pOffset->FindParameterIndex(Offset2dCommand::itemSide), 2);
}
