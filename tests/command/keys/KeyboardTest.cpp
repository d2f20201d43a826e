// The keys the drawing view hands to the command manager: the key table, the order in which Escape
// drops things, Enter and Backspace.

#include "KeysFixture.h"

#include "command/FeatureSequenceListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/win/WinConstants.h"

namespace keys {

namespace {

RuVaPnt2d ViewCentre(const Draw2dView& view)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    view.GetWorldSpace(a, b);
    return RuVaPnt2d((a.X() + b.X()) / 2, (a.Y() + b.Y()) / 2);
}

}  // namespace

using KeyboardTest = KeysFixture;

TEST_F(KeyboardTest, EveryKeyCountsAsHandledAndPageKeysZoomAboutTheCentre)
{
    const RuVaPnt2d centre = ViewCentre(view);
    const double scale = view.GetScale();
    for (UINT key : {UINT('A'), UINT(VK_F5), UINT(VK_SPACE), UINT(VK_TAB)})
        EXPECT_TRUE(manager.OnKeyDown(key, 1, 0)) << key;
    EXPECT_DOUBLE_EQ(view.GetScale(), scale) << "other keys do nothing";

    EXPECT_TRUE(manager.OnKeyDown(VK_PRIOR, 1, 0));
    EXPECT_GT(view.GetScale(), scale);
    EXPECT_NEAR(ViewCentre(view).X(), centre.X(), 1e-6);
    EXPECT_NEAR(ViewCentre(view).Y(), centre.Y(), 1e-6);
    EXPECT_TRUE(manager.OnKeyDown(VK_NEXT, 1, 0));
    EXPECT_NEAR(view.GetScale(), scale, scale * 1e-9) << "zoom in then out by the same factor";
    EXPECT_NEAR(ViewCentre(view).X(), centre.X(), 1e-6);
}

TEST_F(KeyboardTest, ArrowsScrollThirtyPixelsTheVisibleRegionFollowingTheArrow)
{
    struct Case {
        UINT key;
        int dx;  // sign of the move of the visible region in world x
        int dy;
    };
    const Case cases[] = {{VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, 1}, {VK_DOWN, 0, -1}};
    for (const Case& c : cases) {
        const RuVaPnt2d before = ViewCentre(view);
        const double pixels = 30.0 / view.GetScale();
        EXPECT_TRUE(manager.OnKeyDown(c.key, 1, 0));
        const RuVaPnt2d after = ViewCentre(view);
        EXPECT_NEAR(after.X() - before.X(), c.dx * pixels, 1e-6) << c.key;
        EXPECT_NEAR(after.Y() - before.Y(), c.dy * pixels, 1e-6) << c.key;
    }
}

TEST_F(KeyboardTest, EscapeDropsOnlyTheFirstOfViewCommandFenceAndSelection)
{
    manager.SetViewCommandMode(2);
    manager.SetFenceActive(TRUE);
    manager.GetFencePoints().Add(RuVaPnt2d(1, 1));
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_EQ(manager.GetViewCommandMode(), 0);
    EXPECT_TRUE(manager.IsFenceActive()) << "the fence waits for the next Escape";
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_FALSE(manager.IsFenceActive());
    EXPECT_EQ(manager.GetFencePoints().GetSize(), 0);

    // Idle with a selection: the selection goes.
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    ASSERT_TRUE(manager.SetParameterText(0, u"10,10", TRUE));
    ASSERT_TRUE(manager.SetParameterText(1, u"50,10", TRUE));
    manager.CancelAllCommands();
    ASSERT_EQ(FeatureCount(), 1);
    SelectionManager* pSelection = doc.GetSelectionManager();
    const long id = doc.GetNextFeatureRecordID(-1);
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id, -1), FALSE));
    ASSERT_FALSE(pSelection->IsSelectionEmpty());
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
}

TEST_F(KeyboardTest, EscapeNeverEndsTheRunningCommandNorItsValues)
{
    KeysTestStepCommand* pStep = StartStep();
    ASSERT_NE(pStep, nullptr);
    ASSERT_TRUE(manager.SetPointValue(KeysTestStepCommand::paramPoint, RuVaPnt2d(2, 3), FALSE, FALSE));
    for (int i = 0; i < 2; ++i) {
        manager.OnKeyDown(VK_ESCAPE, 1, 0);
        EXPECT_EQ(manager.GetActiveCommand(), pStep);
        EXPECT_FALSE(Item(KeysTestStepCommand::paramPoint)->IsEmpty());
    }
}

TEST_F(KeyboardTest, EnterStepsThroughTheParametersWithoutWrappingAndFinishesLists)
{
    EXPECT_FALSE(manager.OnEnter()) << "no command";
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_EQ(pLine->GetCurrentParameterIndex(), 0);
    for (int expected : {1, 2, 3}) {
        EXPECT_TRUE(manager.OnKeyDown(VK_RETURN, 1, 0));
        EXPECT_EQ(pLine->GetCurrentParameterIndex(), expected);
    }
    EXPECT_TRUE(manager.OnEnter()) << "the last parameter: nothing, but handled";
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 3);
    manager.CancelAllCommands();

    // On a point list Enter finishes the list.
    KeysTestStepCommand* pStep = StartStep();
    ASSERT_NE(pStep, nullptr);
    const int nPoints = KeysTestStepCommand::paramPoints;
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nPoints));
    ASSERT_TRUE(manager.AddPointArrayValue(nPoints, RuVaPnt2d(0, 0), FALSE, FALSE, FALSE));
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nPoints));
    EXPECT_TRUE(manager.OnEnter());
    EXPECT_TRUE(static_cast<PointArrayParameterItem*>(Item(nPoints))->m_bFinished);
    ASSERT_FALSE(pStep->m_runs.empty()) << "the finished list runs the command";
    EXPECT_EQ(pStep->m_runs.back(), nPoints);
    EXPECT_EQ(static_cast<PointArrayParameterItem*>(Item(nPoints))->GetCount(), 1);
}

TEST_F(KeyboardTest, EnterWithAFenceFinishesTheFence)
{
    manager.SetFenceActive(TRUE);
    manager.GetFencePoints().Add(RuVaPnt2d(1, 1));
    manager.OnEnter();
    EXPECT_FALSE(manager.IsFenceActive());
}

TEST_F(KeyboardTest, BackspaceRemovesTheLastPointOfAListAndTheLastFenceCorner)
{
    KeysTestStepCommand* pStep = StartStep();
    ASSERT_NE(pStep, nullptr);
    const int nPoints = KeysTestStepCommand::paramPoints;
    for (double x : {0.0, 10.0, 20.0})
        ASSERT_TRUE(manager.AddPointArrayValue(nPoints, RuVaPnt2d(x, 0), FALSE, FALSE, FALSE));
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nPoints));
    manager.OnKeyDown(VK_BACK, 1, 0);
    auto* pList = static_cast<PointArrayParameterItem*>(Item(nPoints));
    ASSERT_EQ(pList->GetCount(), 2);
    RuVaPnt2d last;
    ASSERT_TRUE(pList->GetLastPoint(last));
    EXPECT_DOUBLE_EQ(last.X(), 10.0);

    // On a point parameter Backspace changes nothing.
    ASSERT_TRUE(manager.SetPointValue(KeysTestStepCommand::paramPoint, RuVaPnt2d(5, 5), FALSE, FALSE));
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, KeysTestStepCommand::paramPoint));
    manager.OnBackspace();
    EXPECT_FALSE(Item(KeysTestStepCommand::paramPoint)->IsEmpty());
    manager.CancelAllCommands();

    manager.SetFenceActive(TRUE);
    manager.GetFencePoints().Add(RuVaPnt2d(1, 1));
    manager.GetFencePoints().Add(RuVaPnt2d(2, 2));
    manager.OnBackspace();
    EXPECT_EQ(manager.GetFencePoints().GetSize(), 1);
    EXPECT_TRUE(manager.IsFenceActive());
}

class NudgeTest : public KeysFixture
{
protected:
    void SetUp() override
    {
        KeysFixture::SetUp();
        ASSERT_TRUE(manager.ExecuteCommand(33412));
        ASSERT_TRUE(manager.SetParameterText(0, u"10,10", TRUE));
        ASSERT_TRUE(manager.SetParameterText(1, u"50,10", TRUE));
        manager.CancelAllCommands();
        id = doc.GetNextFeatureRecordID(-1);
        ASSERT_GE(id, 0);
    }
    RuVaPnt2d Start() const
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
        EXPECT_NE(pLine, nullptr);
        return pLine != nullptr ? pLine->GetStartPoint() : RuVaPnt2d();
    }
    long id = -1;
};

TEST_F(NudgeTest, ArrowsMoveTheSelectionWhenNudgingIsOnAndScrollOtherwise)
{
    manager.SetNudgeOptions(TRUE, 1, 2.5);
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id, -1), FALSE));
    const RuVaPnt2d centre = ViewCentre(view);
    manager.OnKeyDown(VK_RIGHT, 1, 0);
    EXPECT_NEAR(Start().X(), 12.5, 1e-9);
    manager.OnKeyDown(VK_UP, 2, 0);
    EXPECT_NEAR(Start().Y(), 15.0, 1e-9) << "the repeat count multiplies the step";
    EXPECT_NEAR(ViewCentre(view).X(), centre.X(), 1e-9) << "the view stays";

    manager.SetNudgeOptions(FALSE, 1, 2.5);
    manager.OnKeyDown(VK_RIGHT, 1, 0);
    EXPECT_NEAR(Start().X(), 12.5, 1e-9);
    EXPECT_GT(ViewCentre(view).X(), centre.X()) << "without the option the arrows scroll";

    // Nothing selected: the arrows scroll even with the option on.
    manager.SetNudgeOptions(TRUE, 1, 2.5);
    pSelection->UnselectAll(FALSE);
    const RuVaPnt2d before = ViewCentre(view);
    manager.OnKeyDown(VK_LEFT, 1, 0);
    EXPECT_LT(ViewCentre(view).X(), before.X());
    EXPECT_NEAR(Start().X(), 12.5, 1e-9);
}

TEST_F(NudgeTest, EscapeDuringAGripDragCancelsTheDragAndKeepsTheSelection)
{
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id, -1), FALSE));
    FeatureTrackerBase* pTracker = pSelection->GetFeatureTracker();
    ASSERT_NE(pTracker, nullptr);
    pTracker->UpdateHandles(&view);
    const CPoint grip = view.ConvertPointWorldToClient(RuVaPnt2d(10, 10));
    ASSERT_TRUE(pTracker->BeginTrack(&view, grip, 10));
    ASSERT_TRUE(pTracker->IsTracking());
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_FALSE(pTracker->IsTracking());
    EXPECT_FALSE(pSelection->IsSelectionEmpty()) << "only the drag ends";
    EXPECT_NEAR(Start().X(), 10.0, 1e-9);
    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
}

TEST_F(NudgeTest, BackspaceOnASequenceListTakesBackTheLastPickedShape)
{
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    ASSERT_TRUE(manager.SetParameterText(0, u"10,40", TRUE));
    ASSERT_TRUE(manager.SetParameterText(1, u"50,40", TRUE));
    manager.CancelAllCommands();
    const long second = doc.GetNextFeatureRecordID(id);
    ASSERT_GE(second, 0);
    KeysTestStepCommand* pStep = StartStep();
    ASSERT_NE(pStep, nullptr);
    const int nChains = KeysTestStepCommand::paramChains;
    ASSERT_TRUE(manager.AddFeatureToSequenceList(nChains, FeatureLayout(id, -1, -1), RuVaPnt2d(30, 10), TRUE));
    ASSERT_TRUE(manager.AddFeatureToSequenceList(nChains, FeatureLayout(second, -1, -1), RuVaPnt2d(30, 40), TRUE));
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_EQ(pSelection->GetSelectedFeatureCount(), 2);
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nChains));

    manager.OnKeyDown(VK_BACK, 1, 0);
    auto* pChains = static_cast<FeatureSequenceListParameterItem*>(Item(nChains));
    ASSERT_EQ(pChains->GetSequenceCount(), 1);
    EXPECT_EQ(pChains->GetLastSequenceCount(), 1);
    EXPECT_FALSE(pSelection->IsFeatureSelected(FeatureRecord(second, -1))) << "the shape taken back is let go";
    EXPECT_TRUE(pSelection->IsFeatureSelected(FeatureRecord(id, -1)));

    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nChains));
    manager.OnKeyDown(VK_BACK, 1, 0);
    EXPECT_TRUE(Item(nChains)->IsEmpty());
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
    ASSERT_TRUE(manager.SetCurrentParameter(pStep, nChains));
    manager.OnKeyDown(VK_BACK, 1, 0);
    EXPECT_TRUE(Item(nChains)->IsEmpty()) << "nothing left to take back";
}

}  // namespace keys
