// Values given to the running line command through the manager's typed setters: checked, assigned and
// run, remembered in the history when accepted, refused without a drawing view unless they clear, and
// put back when the run fails.

#include <gtest/gtest.h>

#include "command/CommandManager.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ParameterHistory.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Line2dCommand.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLineID = 33412;

class ValueSettingTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        ASSERT_TRUE(manager.ExecuteCommand(kLineID));
        line = manager.GetActiveCommand();
        ASSERT_NE(line, nullptr);
    }
    int Index(WORD id) const
    {
        for (int i = 0; i < line->GetParameterCount(); ++i)
            if (line->GetParameterItem(i) == line->FindItem(id))
                return i;
        return -1;
    }
    LengthParameterItem Length(double value) const
    {
        LengthParameterItem item(*dynamic_cast<const LengthParameterItem*>(line->FindItem(Line2dCommand::itemLength)));
        item.SetValue(value);
        return item;
    }
    PointParameterItem Point(WORD id, double x, double y) const
    {
        PointParameterItem item(*dynamic_cast<const PointParameterItem*>(line->FindItem(id)));
        item.SetValue(RuVaPnt2d(x, y));
        return item;
    }
    int LineCount() const { return FeatureCount(); }

    CommandBase* line = nullptr;
};

}  // namespace

TEST_F(ValueSettingTest, AnAcceptedLengthIsKeptAndRememberedAnEqualOneIsNotRunAgain)
{
    const int nLength = Index(Line2dCommand::itemLength);
    ASSERT_GE(nLength, 0);
    const int nHistory = manager.GetParameterHistory().GetCount(ParameterItemBase::typeLength);
    ASSERT_TRUE(manager.SetLengthParameter(nLength, Length(30), TRUE));
    EXPECT_TRUE(Length(30).IsEqual(*line->FindItem(Line2dCommand::itemLength)));
    ASSERT_EQ(manager.GetParameterHistory().GetCount(ParameterItemBase::typeLength), nHistory + 1);
    EXPECT_TRUE(Length(30).IsEqual(*manager.GetParameterHistory().GetAt(ParameterItemBase::typeLength, 0)));

    // The same value again: accepted, not run, not remembered twice.
    EXPECT_TRUE(manager.SetLengthParameter(nLength, Length(30), TRUE));
    EXPECT_EQ(manager.GetParameterHistory().GetCount(ParameterItemBase::typeLength), nHistory + 1);

    // A value of another type is refused and changes nothing.
    IntegerParameterItem wrong;
    wrong.SetValue(5);
    EXPECT_FALSE(manager.SetLengthParameter(nLength, wrong, TRUE));
    EXPECT_FALSE(manager.SetLengthParameter(99, Length(1), TRUE));
    EXPECT_FALSE(manager.SetLengthParameter(-1, Length(1), TRUE));
}

TEST_F(ValueSettingTest, WithoutADrawingViewOnlyEmptyValuesPass)
{
    const int nLength = Index(Line2dCommand::itemLength);
    ASSERT_TRUE(manager.SetLengthParameter(nLength, Length(12), TRUE));
    manager.SetActiveDraw2dView(nullptr);
    EXPECT_FALSE(manager.SetLengthParameter(nLength, Length(40), TRUE));
    EXPECT_TRUE(Length(12).IsEqual(*line->FindItem(Line2dCommand::itemLength)));
    LengthParameterItem empty = Length(0);
    empty.Clear();
    EXPECT_TRUE(manager.SetLengthParameter(nLength, empty, TRUE));
    EXPECT_TRUE(line->FindItem(Line2dCommand::itemLength)->IsEmpty());
}

TEST_F(ValueSettingTest, AFailedRunPutsThePreviousPointBackAndAGoodOneBecomesTheLastInput)
{
    const int nStart = Index(Line2dCommand::itemStartPoint);
    const int nEnd = Index(Line2dCommand::itemEndPoint);
    ASSERT_TRUE(manager.SetPointParameter(nStart, Point(Line2dCommand::itemStartPoint, 5, 5), TRUE));
    ASSERT_TRUE(manager.HasLastInputPoint());
    EXPECT_DOUBLE_EQ(manager.GetLastInputPoint().X(), 5);
    EXPECT_DOUBLE_EQ(manager.GetLastInputPoint().Y(), 5);
    // An end on the start makes no line: the end point is empty again and the last input stays.
    EXPECT_FALSE(manager.SetPointParameter(nEnd, Point(Line2dCommand::itemEndPoint, 5, 5), TRUE));
    EXPECT_TRUE(line->FindItem(Line2dCommand::itemEndPoint)->IsEmpty());
    EXPECT_EQ(LineCount(), 0);
    EXPECT_DOUBLE_EQ(manager.GetLastInputPoint().X(), 5);
    ASSERT_TRUE(manager.SetPointParameter(nEnd, Point(Line2dCommand::itemEndPoint, 25, 5), TRUE));
    EXPECT_EQ(LineCount(), 1);
    EXPECT_DOUBLE_EQ(manager.GetLastInputPoint().X(), 25);
}

TEST_F(ValueSettingTest, ATypedLengthIsOfferedAgainAfterARestart)
{
    const int nLength = Index(Line2dCommand::itemLength);
    ASSERT_GE(nLength, 0);
    // Made before the exit, which deletes the command they are copied from.
    const LengthParameterItem thirty = Length(30);
    const LengthParameterItem other = Length(42.5);
    ASSERT_TRUE(manager.SetLengthParameter(nLength, thirty, TRUE));
    ASSERT_TRUE(manager.SetLengthParameter(nLength, other, TRUE));
    line = nullptr;
    manager.Shutdown();  // the program's exit
    // The next run reads the same settings store.
    ParameterHistory next(10);
    ASSERT_GE(next.GetCount(ParameterItemBase::typeLength), 2);
    EXPECT_TRUE(other.IsEqual(*next.GetAt(ParameterItemBase::typeLength, 0)));
    EXPECT_TRUE(thirty.IsEqual(*next.GetAt(ParameterItemBase::typeLength, 1)));
    // Deleting an entry (the drop-down's Delete key) is kept too.
    ASSERT_TRUE(next.RemoveAt(ParameterItemBase::typeLength, 0));
    next.Save();
    ParameterHistory third(10);
    EXPECT_TRUE(thirty.IsEqual(*third.GetAt(ParameterItemBase::typeLength, 0)));
}
