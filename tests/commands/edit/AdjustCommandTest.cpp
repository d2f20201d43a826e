// Extend or shorten through the manager: lines crossed by a fence line or a fence polyline carried to a
// boundary at the end nearer the crossing, in one undo step undone exactly; a boundary that is one of the
// shapes refused; the target row following the mode; lengths added or made whole.

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/LoadResourceString.h"
#include "commands/edit/Adjust2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

class AdjustTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        for (int y = 0; y < 3; ++y)
            lines.push_back(Add(Line2dFeature(RuVaPnt2d(0, y), RuVaPnt2d(5, y))));
        boundary = Add(Line2dFeature(RuVaPnt2d(8, -1), RuVaPnt2d(8, 3)));
        doc.ClearUndoRedoHistory();
    }
    BOOL GiveFence(const std::vector<long>& ids, int mode, std::initializer_list<RuVaPnt2d> fence)
    {
        const int index = IndexOf(Adjust2dCommand::itemShapes);
        if (index < 0)
            return FALSE;
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        for (long id : ids)
            records.Add(FeatureLayout(id, -1, -1));
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : fence)
            points.Add(p);
        value.AddGroup(records, mode, &points, 0);
        return manager.SetFeatureGroupParameter(index, value, TRUE, TRUE);
    }
    double RightEnd(long id) const
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
        return pLine != nullptr ? std::max(pLine->GetStartPoint().X(), pLine->GetEndPoint().X()) : -1;
    }
    std::vector<long> lines;
    long boundary = -1;
};

}  // namespace

TEST_F(AdjustTest, FencedLinesReachTheBoundary)
{
    struct Case {
        const char* what;
        int mode;
        std::vector<RuVaPnt2d> fence;
    } cases[] = {
        {"fence line", 8, {RuVaPnt2d(4, -0.5), RuVaPnt2d(4, 2.5)}},
        {"fence polyline", 16, {RuVaPnt2d(4, 3), RuVaPnt2d(4.5, 3.5), RuVaPnt2d(4, -0.5)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Adjust"));
        const int index = IndexOf(Adjust2dCommand::itemShapes);
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        for (long id : lines)
            records.Add(FeatureLayout(id, -1, -1));
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : c.fence)
            points.Add(p);
        value.AddGroup(records, c.mode, &points, 0);
        ASSERT_TRUE(manager.SetFeatureGroupParameter(index, value, TRUE, TRUE));
        ASSERT_TRUE(GivePick(Adjust2dCommand::itemBoundary, boundary, RuVaPnt2d(8, 1)));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        for (long id : lines)
            EXPECT_NEAR(RightEnd(id), 8.0, 1e-9);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(AdjustTest, ABoundaryAmongTheShapesChangesNothing)
{
    const auto before = Snapshot();
    CommandBase* pAdjust = Start(_T("Korvan.Edit.Adjust"));
    ASSERT_TRUE(GiveFence({lines[0], boundary}, 8, {RuVaPnt2d(4, -0.5), RuVaPnt2d(8.5, 0.5)}));
    GivePick(Adjust2dCommand::itemBoundary, boundary, RuVaPnt2d(8, 1));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "boundary among the shapes"));
    EXPECT_EQ(Running(), pAdjust);
}

TEST_F(AdjustTest, ModeDecidesTheTargetAndTheLengthVariants)
{
    struct Case {
        int mode;
        double length;
        double rightEnd;
    } cases[] = {{Adjust2dCommand::modeAddLength, 2, 7}, {Adjust2dCommand::modeWholeLength, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Adjust"));
        ASSERT_TRUE(GiveChoice(Adjust2dCommand::itemMode, c.mode));
        EXPECT_EQ(IndexOf(Adjust2dCommand::itemBoundary), -1);
        ASSERT_EQ(IndexOf(Adjust2dCommand::itemLength), 2);
        ASSERT_TRUE(GiveFence({lines[0]}, 4, {RuVaPnt2d(4.5, 0)}));
        ASSERT_TRUE(GiveDistance(Adjust2dCommand::itemLength, c.length));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_NEAR(RightEnd(lines[0]), c.rightEnd, 1e-9);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
    Start(_T("Korvan.Edit.Adjust"));
    ASSERT_TRUE(GiveChoice(Adjust2dCommand::itemMode, Adjust2dCommand::modePoint));
    EXPECT_EQ(IndexOf(Adjust2dCommand::itemPoint), 2);
    EXPECT_EQ(IndexOf(Adjust2dCommand::itemLength), -1);
}

TEST_F(AdjustTest, NothingAdjustableIsTold)
{
    const auto before = Snapshot();
    CommandBase* pAdjust = Start(_T("Korvan.Edit.Adjust"));
    ASSERT_TRUE(GiveChoice(Adjust2dCommand::itemMode, Adjust2dCommand::modeAddLength));
    ASSERT_TRUE(GiveFence({lines[0]}, 4, {RuVaPnt2d(4.5, 0)}));
    GiveDistance(Adjust2dCommand::itemLength, -50);
    ASSERT_FALSE(statusTexts().empty());
    EXPECT_EQ(statusTexts().back(), LoadResourceString(11180));
    EXPECT_TRUE(SameAs(*before, "a shape that would vanish"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_EQ(Running(), pAdjust);
}
