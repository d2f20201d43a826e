// The circular array through the manager: copies turned about the centre at the angles the layout's two
// values give, copies carried along the circle keeping their orientation, the parameters following the
// two lists, one undo step undone exactly; and the plan of positions for each layout.

#include <gtest/gtest.h>

#include <cmath>

#include "EditFixture.h"
#include "command/IntegerParameterItem.h"
#include "commands/edit/RotateArrangeCopy2dCommand.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

class RotateArrayTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        line = Add(Line2dFeature(RuVaPnt2d(10, 0), RuVaPnt2d(20, 0)));
        doc.ClearUndoRedoHistory();
    }
    BOOL GiveNumber(WORD id, int n)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        IntegerParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(n);
        return manager.SetIntegerParameter(index, value, TRUE);
    }
    // The angles (degrees, 0 to 360) of the copies' start points about the origin, sorted, and whether
    // every copy points away from the origin.
    std::vector<double> CopyAngles(bool* pRadial) const
    {
        std::vector<double> angles;
        *pRadial = true;
        for (long id : LiveIDs()) {
            if (id == line)
                continue;
            const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
            if (pLine == nullptr)
                continue;
            const RuVaPnt2d s = pLine->GetStartPoint();
            const RuVaPnt2d e = pLine->GetEndPoint();
            double a = std::atan2(s.Y(), s.X()) * 180.0 / M_PI;
            angles.push_back(std::round(a < -1e-6 ? a + 360.0 : a));
            const double along = ((e.X() - s.X()) * s.X() + (e.Y() - s.Y()) * s.Y()) / (10.0 * s.Distance(RuVaPnt2d(0, 0)));
            *pRadial = *pRadial && std::fabs(along - 1.0) < 1e-9;
        }
        std::sort(angles.begin(), angles.end());
        return angles;
    }
    long line = -1;
};

}  // namespace

TEST_F(RotateArrayTest, CopiesTurnedAboutTheCentre)
{
    struct Case {
        double total;
        std::vector<double> angles;
    } cases[] = {{360, {90, 180, 270}}, {180, {60, 120, 180}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.CopyRotateArrange"));
        ASSERT_TRUE(GiveShapes(RotateArrangeCopy2dCommand::itemShapes, {line}));
        ASSERT_TRUE(GivePoint(RotateArrangeCopy2dCommand::itemCentre, RuVaPnt2d(0, 0)));
        ASSERT_TRUE(GiveAngle(RotateArrangeCopy2dCommand::itemTotalAngle, c.total));
        ASSERT_TRUE(GiveNumber(RotateArrangeCopy2dCommand::itemNumber, 4));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        bool radial = false;
        EXPECT_EQ(CopyAngles(&radial), c.angles);
        EXPECT_TRUE(radial) << "each copy turned about the centre";
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(RotateArrayTest, ListsDecideTheParametersAndCopiesKeepTheirOrientation)
{
    Start(_T("Korvan.Edit.CopyRotateArrange"));
    ASSERT_TRUE(GiveChoice(RotateArrangeCopy2dCommand::itemLayout, RotateArrangeCopy2dCommand::layoutTotalAndStep));
    EXPECT_EQ(IndexOf(RotateArrangeCopy2dCommand::itemNumber), -1);
    EXPECT_EQ(IndexOf(RotateArrangeCopy2dCommand::itemTotalAngle), IndexOf(RotateArrangeCopy2dCommand::itemLayout) + 1);
    EXPECT_EQ(IndexOf(RotateArrangeCopy2dCommand::itemStepAngle), Running()->GetParameterCount() - 1);
    ASSERT_TRUE(GiveChoice(RotateArrangeCopy2dCommand::itemOrientation, 1));
    EXPECT_EQ(IndexOf(RotateArrangeCopy2dCommand::itemBase), IndexOf(RotateArrangeCopy2dCommand::itemOrientation) + 1);
    ASSERT_TRUE(GiveShapes(RotateArrangeCopy2dCommand::itemShapes, {line}));
    ASSERT_TRUE(GivePoint(RotateArrangeCopy2dCommand::itemCentre, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GivePoint(RotateArrangeCopy2dCommand::itemBase, RuVaPnt2d(10, 0)));
    ASSERT_TRUE(GiveAngle(RotateArrangeCopy2dCommand::itemTotalAngle, 350));
    ASSERT_TRUE(GiveAngle(RotateArrangeCopy2dCommand::itemStepAngle, 100));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    for (long id : LiveIDs()) {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
        ASSERT_NE(pLine, nullptr);
        EXPECT_NEAR(pLine->GetEndPoint().X() - pLine->GetStartPoint().X(), 10.0, 1e-9) << "kept horizontal";
        EXPECT_NEAR(pLine->GetStartPoint().Distance(RuVaPnt2d(0, 0)), 10.0, 1e-9) << "base on the circle";
    }
    EXPECT_EQ(LiveIDs().size(), 4u);
}

TEST(RotateArrayPlan, PositionsForEachLayout)
{
    struct Case {
        int layout;
        int number;
        double total;
        double step;
        bool fits;
        int positions;
        double stepOut;
    } cases[] = {
        {0, 4, 360, 0, true, 4, 90},   {0, 4, 180, 0, true, 4, 60},   {0, 1, 180, 0, false, 0, 0},
        {1, 4, 0, 90, true, 4, 90},    {1, 5, 0, 90, false, 0, 0},    {2, 0, 360, 90, true, 4, 90},
        {2, 0, 350, 100, true, 4, 100}, {2, 0, 90, 100, false, 0, 0}, {2, 0, 90, -30, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout * 1000 + c.number);
        int positions = 0;
        double step = 0;
        EXPECT_EQ(RotateArrangeCopy2dCommand::Plan(c.layout, c.number, c.total, c.step, positions, step) != FALSE,
                  c.fits);
        if (c.fits) {
            EXPECT_EQ(positions, c.positions);
            EXPECT_NEAR(step, c.stepOut, 1e-12);
        }
    }
}
