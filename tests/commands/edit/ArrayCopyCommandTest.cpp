// The grid array through the manager: copies on columns and rows turned by the grid angle in one undo
// step, a spacing asked only where the counts need it, counts and spacings out of range refused with a
// message, and a cancel that takes back the whole array (and never the user's step before it).

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "commands/edit/RectangleArrangeCopy2dCommand.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;
using Grid = RectangleArrangeCopy2dCommand;

namespace {

class ArrayCopyTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)));
        doc.ClearUndoRedoHistory();
    }
    BOOL GiveCount(WORD id, int value)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        IntegerParameterItem item;
        item.Copy(*Running()->GetParameterItem(index));
        item.SetValue(value);
        return manager.SetIntegerParameter(index, item, TRUE);
    }
    BOOL GiveLength(WORD id, double value)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        LengthParameterItem item;
        item.Copy(*Running()->GetParameterItem(index));
        item.SetValue(value);
        return manager.SetLengthParameter(index, item, TRUE);
    }
    std::vector<RuVaPnt2d> Starts() const
    {
        std::vector<RuVaPnt2d> starts;
        for (long id : LiveIDs())
            starts.push_back(static_cast<const Line2dFeature*>(doc.GetFeature(id))->GetStartPoint());
        return starts;
    }
    long line = -1;
};

}  // namespace

TEST_F(ArrayCopyTest, CopiesLieOnTheTurnedGridInOneStep)
{
    const RuVaPnt2d origin = [&] {
        RuVaPnt2d w;
        manager.LocalToWorldPoint(RuVaPnt2d(0, 0), w);
        return w;
    }();
    ASSERT_NEAR(origin.Distance(RuVaPnt2d(0, 0)), 0.0, 1e-12) << "the paper's origin is the world's";
    const auto before = Snapshot();
    Preselect({line});
    Start(_T("Korvan.Edit.CopyRectangleArrange"));
    ASSERT_TRUE(GiveAngle(Grid::itemAngle, 90));
    ASSERT_TRUE(GiveCount(Grid::itemColumns, 3));
    ASSERT_TRUE(GiveCount(Grid::itemRows, 2));
    ASSERT_TRUE(GiveLength(Grid::itemColumnSpacing, 10));
    ASSERT_TRUE(GiveLength(Grid::itemRowSpacing, -20));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const std::vector<RuVaPnt2d> starts = Starts();
    ASSERT_EQ(starts.size(), 6u);
    // Columns go up the turned x axis, rows (negative spacing) along +x.
    const RuVaPnt2d expected[] = {RuVaPnt2d(0, 0),  RuVaPnt2d(0, 10),  RuVaPnt2d(0, 20),
                                  RuVaPnt2d(20, 0), RuVaPnt2d(20, 10), RuVaPnt2d(20, 20)};
    for (size_t i = 0; i < 6; ++i)
        kctest::ExpectNear(starts[i], expected[i], 1e-9);
    EXPECT_EQ(progress().shown, 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(ArrayCopyTest, OneColumnAsksForNoColumnSpacingAndGetsItBackAfterwards)
{
    CommandBase* pArray = Start(_T("Korvan.Edit.CopyRectangleArrange"));
    ASSERT_TRUE(GiveShapes(Grid::itemShapes, {line}));
    ASSERT_TRUE(GiveCount(Grid::itemColumns, 1));
    EXPECT_LT(IndexOf(Grid::itemColumnSpacing), 0);
    ASSERT_TRUE(GiveCount(Grid::itemRows, 3));
    ASSERT_TRUE(GiveLength(Grid::itemRowSpacing, 5));
    EXPECT_EQ(doc.GetFeatureCount(), 3);
    ASSERT_EQ(Running(), pArray);
    EXPECT_GE(IndexOf(Grid::itemColumnSpacing), 0);
}

TEST_F(ArrayCopyTest, CountsAndSpacingsOutOfRangeAreRefusedWithAMessage)
{
    struct Case {
        const char* name;
        int columns, rows;
        double spacing;
    };
    const Case cases[] = {{"1 x 1", 1, 1, 10}, {"no columns", 0, 2, 10}, {"too many rows", 2, 32768, 10},
                          {"spacing below 1e-7", 2, 1, 5e-8}};
    const auto before = Snapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        statusTexts().clear();
        CommandBase* pArray = Start(_T("Korvan.Edit.CopyRectangleArrange"));
        ASSERT_TRUE(GiveShapes(Grid::itemShapes, {line}));
        GiveCount(Grid::itemColumns, c.columns);
        GiveCount(Grid::itemRows, c.rows);
        GiveLength(Grid::itemColumnSpacing, c.spacing);
        ASSERT_FALSE(statusTexts().empty());
        EXPECT_EQ(statusTexts().back(), LoadResourceString(11177));
        EXPECT_TRUE(SameAs(*before, "refused"));
        EXPECT_EQ(doc.GetUndoCount(), 0);
        EXPECT_EQ(Running(), pArray);
        manager.CancelAllCommands();
    }
}

TEST_F(ArrayCopyTest, ACancelledArrayIsTakenBackWholeAndNothingIsLeftToRedo)
{
    // The user's own step before the array stays.
    const long mine = Add(Line2dFeature(RuVaPnt2d(5, 5), RuVaPnt2d(6, 5)));
    const auto before = Snapshot();
    progress().cancelAfterPumps = 3;
    CArray<FeatureLayout> shapes;
    shapes.Add(FeatureLayout(line, -1, -1));
    RectangleArrangeCopy2dCommand::Grid grid;
    grid.nColumns = 100;
    grid.nRows = 100;
    grid.dColumnSpacing = 2;
    grid.dRowSpacing = 2;
    BOOL bCancelled = FALSE;
    EXPECT_TRUE(RectangleArrangeCopy2dCommand::CopyGrid(&doc, &manager, shapes, grid, &bCancelled));
    EXPECT_TRUE(bCancelled);
    EXPECT_EQ(progress().pumps, 3);
    EXPECT_TRUE(SameAs(*before, "after the cancel"));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetRedoCount(), 0);
    ASSERT_NE(doc.GetFeature(mine), nullptr);
    ASSERT_FALSE(statusTexts().empty());
    EXPECT_EQ(statusTexts().back(), LoadResourceString(11120));

    // Cancelled before the first copy: nothing recorded, and the user's step is not undone.
    progress().pumps = 0;
    progress().cancelAfterPumps = 0;
    EXPECT_TRUE(RectangleArrangeCopy2dCommand::CopyGrid(&doc, &manager, shapes, grid, &bCancelled));
    EXPECT_TRUE(bCancelled);
    EXPECT_NE(doc.GetFeature(mine), nullptr);
    EXPECT_EQ(doc.GetUndoCount(), 1);
}
