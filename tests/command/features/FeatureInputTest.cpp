// Clicks for the feature inputs of a running command over a real data-model view, and the document
// selection that follows what the inputs hold: feature, list, sequence, sequence list, group and multi
// inputs, failed runs that put the old shapes back, shapes shared by two inputs, inputs for editable
// shapes only, select all and invert, and grips dragged while no command runs.

#include <gtest/gtest.h>

#include "FeaturePickCommand.h"
#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/MultiParameterItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/win/WinConstants.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kTrimID = 33753;

int ForwardNotify(NotifyInfoBase* pInfo, void* pUser)
{
    if (pInfo != nullptr)
        static_cast<CommandManager*>(pUser)->OnDocumentUpdated(*pInfo);
    return 0;
}

class FeatureInputTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ShowDrawing();
        view.SetFeatureTracker(doc.GetSelectionManager()->GetFeatureTracker());
        AttachManager();
        SetSnap(FALSE);
        doc.SetNotifyFunction(&ForwardNotify, &manager);
        a = Add(Line2dFeature(P(-3, 0), P(-1, 0)));
        b = Add(Line2dFeature(P(2, -1), P(2, 1)));
        c = Add(Circle2dFeature(P(0, 2), u / 2));
    }
    void TearDown() override
    {
        doc.SetNotifyFunction(nullptr, nullptr);
        ManagerFixture::TearDown();
    }
    // Points on the shapes, and one far from all.
    RuVaPnt2d OnA() const { return P(-2, 0); }
    RuVaPnt2d OnB() const { return P(2, 0.5); }
    RuVaPnt2d OnC() const { return P(0.5, 2); }
    RuVaPnt2d Empty() const { return P(-3, -2.5); }
    Trim2dCommand* Start(int nParameter)
    {
        EXPECT_TRUE(manager.ExecuteCommand(kTrimID));
        auto* pCommand = dynamic_cast<Trim2dCommand*>(manager.GetActiveCommand());
        EXPECT_NE(pCommand, nullptr);
        if (pCommand != nullptr) {
            EXPECT_TRUE(manager.SetCurrentParameter(pCommand, nParameter));
        }
        return pCommand;
    }
    BOOL Selected(long id) const { return doc.GetSelectionManager()->IsFeatureSelected(FeatureRecord(id, -1)); }
    int SelectedCount() const { return doc.GetSelectionManager()->GetSelectedFeatureCount(); }
    template <class T>
    T* Item(int nIndex) const
    {
        return dynamic_cast<T*>(manager.GetActiveCommand()->GetParameterItem(nIndex));
    }

    long a = -1, b = -1, c = -1;
};

}  // namespace

TEST_F(FeatureInputTest, AFeatureInputTakesTheClickedShapeAndEmptySpaceEmptiesIt)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    Click(OnA());
    auto* item = Item<FeatureParameterItem>(Trim2dCommand::pFeature);
    ASSERT_FALSE(item->IsEmpty());
    EXPECT_EQ(item->m_nRecordID, a);
    EXPECT_TRUE(Selected(a));

    Click(OnB());
    EXPECT_EQ(item->m_nRecordID, b);
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(b));

    Click(Empty());
    EXPECT_TRUE(item->IsEmpty());
    EXPECT_EQ(SelectedCount(), 0);
}

TEST_F(FeatureInputTest, AFailedRunPutsTheOldShapeAndItsSelectionBack)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    Click(OnA());
    const int runs = cmd->m_nRuns;
    cmd->m_results = {CommandBase::resultNothing};
    Click(OnB());
    EXPECT_EQ(cmd->m_nRuns, runs + 1);
    auto* item = Item<FeatureParameterItem>(Trim2dCommand::pFeature);
    EXPECT_EQ(item->m_nRecordID, a);
    EXPECT_TRUE(Selected(a));
    EXPECT_FALSE(Selected(b));

    // A value the command refuses is not assigned and the command is not run.
    cmd->m_nRefuse = Trim2dCommand::pFeature;
    Click(OnC());
    EXPECT_EQ(cmd->m_nRuns, runs + 1);
    EXPECT_EQ(item->m_nRecordID, a);
    EXPECT_FALSE(Selected(c));
}

TEST_F(FeatureInputTest, AShapeMustPassTheInputsKindsMask)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    // Circles only (feature type 4): a click on a line finds nothing, a typed line is refused.
    Item<FeatureParameterItem>(Trim2dCommand::pFeature)->m_dwAcceptedKinds = SelectionFeatureFilter::GetFeatureBit(4);
    const int type = doc.GetFeatureType(c);
    ASSERT_EQ(type, 4);
    Click(OnA());
    EXPECT_TRUE(Item<FeatureParameterItem>(Trim2dCommand::pFeature)->IsEmpty());
    FeatureParameterItem line(*Item<FeatureParameterItem>(Trim2dCommand::pFeature));
    line.SetValue(FeatureLayout(a, -1, -1), OnA());
    EXPECT_FALSE(manager.SetFeatureParameter(Trim2dCommand::pFeature, line, TRUE));
    EXPECT_FALSE(Selected(a));
    Click(OnC());
    EXPECT_EQ(Item<FeatureParameterItem>(Trim2dCommand::pFeature)->m_nRecordID, c);
}

TEST_F(FeatureInputTest, AListTogglesShapesAndIgnoresEmptySpace)
{
    ASSERT_NE(Start(Trim2dCommand::pList), nullptr);
    auto* list = Item<FeatureListParameterItem>(Trim2dCommand::pList);
    Click(OnA());
    Click(OnB());
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetFeatureIdAt(0), a);
    EXPECT_EQ(list->GetFeatureIdAt(1), b);
    EXPECT_TRUE(Selected(a) && Selected(b));

    Click(OnA());
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetFeatureIdAt(0), b);
    EXPECT_FALSE(Selected(a));

    EXPECT_FALSE(manager.FeatureClickInput(Empty(), 0));
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_TRUE(Selected(b));
}

TEST_F(FeatureInputTest, ASequenceKeepsRepeatsAndStepsBack)
{
    ASSERT_NE(Start(Trim2dCommand::pSequence), nullptr);
    auto* sequence = Item<FeatureSequenceParameterItem>(Trim2dCommand::pSequence);
    Click(OnA());
    Click(OnA());
    Click(OnB());
    ASSERT_EQ(sequence->GetCount(), 3);
    EXPECT_EQ(sequence->GetFeatureIdAt(2), b);
    EXPECT_FALSE(manager.FeatureClickInput(Empty(), 0));
    EXPECT_EQ(sequence->GetCount(), 3);

    EXPECT_TRUE(manager.RemoveLastSequenceFeature(Trim2dCommand::pSequence));
    EXPECT_EQ(sequence->GetCount(), 2);
    EXPECT_FALSE(Selected(b));
    EXPECT_TRUE(Selected(a));
}

TEST_F(FeatureInputTest, ASequenceListStartsANewSequenceAfterTheLastOneIsFinished)
{
    ASSERT_NE(Start(Trim2dCommand::pSequenceList), nullptr);
    auto* list = Item<FeatureSequenceListParameterItem>(Trim2dCommand::pSequenceList);
    Click(OnA());
    Click(OnB());
    ASSERT_EQ(list->GetSequenceCount(), 1);
    EXPECT_EQ(list->GetLastSequenceCount(), 2);
    EXPECT_TRUE(manager.FinishListInput());
    EXPECT_TRUE(list->IsLastSequenceClosed());
    Click(OnC());
    EXPECT_EQ(list->GetSequenceCount(), 2);
    EXPECT_EQ(list->GetLastSequenceCount(), 1);
    EXPECT_TRUE(Selected(a) && Selected(b) && Selected(c));
    EXPECT_FALSE(manager.FeatureClickInput(Empty(), 0));
}

TEST_F(FeatureInputTest, AGroupReplacesWithoutShiftAndTogglesWithShift)
{
    ASSERT_NE(Start(Trim2dCommand::pGroup), nullptr);
    auto* group = Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup);
    CArray<FeatureLayout> held;
    auto ids = [&]() {
        std::vector<long> out;
        group->GetFeatureLayouts(held);
        for (INT_PTR i = 0; i < held.GetSize(); ++i)
            out.push_back(held[i].GetRecordID());
        std::sort(out.begin(), out.end());
        return out;
    };
    Click(OnA());
    EXPECT_EQ(ids(), std::vector<long>({a}));
    Click(OnB());
    EXPECT_EQ(ids(), std::vector<long>({b}));
    EXPECT_FALSE(Selected(a));
    Click(OnA(), MK_SHIFT);
    EXPECT_EQ(ids(), std::vector<long>({a, b}));
    EXPECT_TRUE(Selected(a) && Selected(b));
    Click(OnB(), MK_SHIFT);
    EXPECT_EQ(ids(), std::vector<long>({a}));
    EXPECT_FALSE(Selected(b));

    // Without the several-groups flag Shift does not add.
    group->m_bSeveralGroups = FALSE;
    Click(OnC(), MK_SHIFT);
    EXPECT_EQ(ids(), std::vector<long>({c}));
    EXPECT_EQ(SelectedCount(), 1);
}

TEST_F(FeatureInputTest, AGroupTakesARectangleFenceAndSinglePicksOnlyWhenAllowed)
{
    manager.SetSelectionOptions(1, 2, 1, FALSE);  // rectangle, crossing
    ASSERT_NE(Start(Trim2dCommand::pGroup), nullptr);
    auto* group = Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup);
    Click(P(-3.5, -0.5));
    EXPECT_TRUE(manager.IsFenceActive());
    EXPECT_TRUE(group->IsEmpty());
    Click(P(2.5, 0.7));  // crosses both lines, not the circle
    EXPECT_FALSE(manager.IsFenceActive());
    CArray<FeatureLayout> held;
    ASSERT_TRUE(group->GetFeatureLayouts(held));
    EXPECT_EQ(held.GetSize(), 2);
    EXPECT_TRUE(Selected(a) && Selected(b));
    EXPECT_FALSE(Selected(c));

    // Without single picks a click on a shape starts a fence.
    group->m_dwShapeModes = 1;
    Click(OnC());
    EXPECT_TRUE(manager.IsFenceActive());
    EXPECT_TRUE(group->IsEmpty());
}

TEST_F(FeatureInputTest, AMultiInputTakesTheShapeUnderTheCursorOrElseThePoint)
{
    ASSERT_NE(Start(Trim2dCommand::pMulti), nullptr);
    auto* multi = Item<MultiParameterItem>(Trim2dCommand::pMulti);
    Click(OnB());
    EXPECT_EQ(multi->m_nCurrentKind, ParameterItemBase::typeFeature);
    EXPECT_EQ(multi->m_featureItem.m_nRecordID, b);
    EXPECT_TRUE(Selected(b));

    Click(Empty());
    EXPECT_EQ(multi->m_nCurrentKind, ParameterItemBase::typePoint);
    EXPECT_NEAR(multi->m_pointItem.m_point.X(), manager.GetCursorLocalPoint().X(), 1e-9);
    EXPECT_FALSE(Selected(b));

    // Points only: a click on a shape gives its point.
    multi->m_wKindMask = MultiParameterItem::acceptPoint;
    Click(OnA());
    EXPECT_EQ(multi->m_nCurrentKind, ParameterItemBase::typePoint);
    EXPECT_FALSE(Selected(a));
}

TEST_F(FeatureInputTest, AShapeHeldByTwoInputsStaysSelectedWhenOneLetsItGo)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    Click(OnA());
    manager.SetCurrentParameter(cmd, Trim2dCommand::pSecondFeature);
    Click(OnA());
    manager.SetCurrentParameter(cmd, Trim2dCommand::pFeature);
    Click(Empty());
    EXPECT_TRUE(Item<FeatureParameterItem>(Trim2dCommand::pFeature)->IsEmpty());
    EXPECT_TRUE(Selected(a));

    // Lists are not searched: a shape held only by a list goes when the feature input lets it go.
    manager.SetCurrentParameter(cmd, Trim2dCommand::pSecondFeature);
    Click(Empty());
    EXPECT_FALSE(Selected(a));
    manager.SetCurrentParameter(cmd, Trim2dCommand::pList);
    Click(OnB());
    manager.SetCurrentParameter(cmd, Trim2dCommand::pFeature);
    Click(OnB());
    Click(Empty());
    EXPECT_FALSE(Selected(b));
    EXPECT_EQ(Item<FeatureListParameterItem>(Trim2dCommand::pList)->GetCount(), 1);
}

TEST_F(FeatureInputTest, ARunThatIsDoneEmptiesTheOneCycleInputsAndTheirSelection)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup)->m_nRetentionMode = 1;
    manager.SetCurrentParameter(cmd, Trim2dCommand::pGroup);
    Click(OnC());
    manager.SetCurrentParameter(cmd, Trim2dCommand::pFeature);
    cmd->m_results = {CommandBase::resultDone};
    Click(OnA());
    EXPECT_TRUE(Item<FeatureParameterItem>(Trim2dCommand::pFeature)->IsEmpty());
    EXPECT_FALSE(Selected(a));
    // The group lives on with its shape selected.
    EXPECT_FALSE(Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup)->IsEmpty());
    EXPECT_TRUE(Selected(c));
}

TEST_F(FeatureInputTest, LockingALayerDropsItsShapesFromInputsForEditableShapes)
{
    // Line d lies on a layer of its own, which is made display-only while the command holds it.
    const long layer = doc.AddLayer(_T("Locked"), -1);
    ASSERT_GT(layer, 0);
    Line2dFeature line(P(3, -1), P(3, 1));
    line.SetLayerID(layer);
    const long d = Add(line);
    const RuVaPnt2d onD = P(3, 0.5);

    Trim2dCommand* cmd = Start(Trim2dCommand::pList);
    ASSERT_NE(cmd, nullptr);
    Item<FeatureListParameterItem>(Trim2dCommand::pList)->m_bEditableOnly = TRUE;
    Item<FeatureParameterItem>(Trim2dCommand::pSecondFeature)->m_bEditableOnly = TRUE;
    Click(OnA());
    Click(onD);
    manager.SetCurrentParameter(cmd, Trim2dCommand::pFeature);
    Click(onD);
    manager.SetCurrentParameter(cmd, Trim2dCommand::pSecondFeature);
    Click(onD);
    ASSERT_EQ(Item<FeatureParameterItem>(Trim2dCommand::pSecondFeature)->m_nRecordID, d);
    ASSERT_EQ(Item<FeatureListParameterItem>(Trim2dCommand::pList)->GetCount(), 2);

    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.SetLayerState(layer, 1, 1));
    doc.EndUndoOperation();
    ASSERT_FALSE(doc.IsFeatureEditable(d));

    auto* list = Item<FeatureListParameterItem>(Trim2dCommand::pList);
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetFeatureIdAt(0), a);
    EXPECT_TRUE(Item<FeatureParameterItem>(Trim2dCommand::pSecondFeature)->IsEmpty());
    // The input that takes locked shapes too keeps it, and so it stays selected.
    EXPECT_EQ(Item<FeatureParameterItem>(Trim2dCommand::pFeature)->m_nRecordID, d);
    EXPECT_TRUE(Selected(d));
    EXPECT_TRUE(Selected(a));
}

TEST_F(FeatureInputTest, SelectAllAndInvertWorkOnTheSelectionWhenIdle)
{
    EXPECT_TRUE(manager.InvertSelection(&doc));  // nothing selected: everything
    EXPECT_EQ(SelectedCount(), 3);
    EXPECT_TRUE(manager.InvertSelection(&doc));  // everything selected: nothing
    EXPECT_EQ(SelectedCount(), 0);
    Click(OnA());
    ASSERT_TRUE(Selected(a));
    EXPECT_TRUE(manager.InvertSelection(&doc));
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(b) && Selected(c));
    EXPECT_TRUE(manager.SelectAllFeatures(&doc));
    EXPECT_EQ(SelectedCount(), 3);
}

TEST_F(FeatureInputTest, SelectAllAndInvertFillAGroupInputAndLeaveOtherInputsAlone)
{
    Trim2dCommand* cmd = Start(Trim2dCommand::pFeature);
    ASSERT_NE(cmd, nullptr);
    EXPECT_FALSE(manager.SelectAllFeatures(&doc));
    EXPECT_EQ(SelectedCount(), 0);

    manager.SetCurrentParameter(cmd, Trim2dCommand::pGroup);
    auto* group = Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup);
    Click(OnA());
    EXPECT_TRUE(manager.InvertSelection(&doc));
    CArray<FeatureLayout> held;
    ASSERT_TRUE(group->GetFeatureLayouts(held));
    EXPECT_EQ(held.GetSize(), 2);
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(b) && Selected(c));
    EXPECT_TRUE(manager.SelectAllFeatures(&doc));
    ASSERT_TRUE(group->GetFeatureLayouts(held));
    EXPECT_EQ(held.GetSize(), 3);

    // A group restricted to some shape modes takes neither.
    group->m_dwShapeModes = 4;
    EXPECT_FALSE(manager.InvertSelection(&doc));
    EXPECT_EQ(SelectedCount(), 3);
}

TEST_F(FeatureInputTest, DraggingAGripMovesTheEndOfASelectedLineInOneUndoStep)
{
    Click(OnA());
    ASSERT_TRUE(Selected(a));
    const CPoint grip = C(P(-1, 0));
    const CPoint target = C(P(-1, 1));
    manager.OnMouseMove(0, grip);
    manager.OnLButtonDown(MK_LBUTTON, grip);
    EXPECT_TRUE(manager.IsFeatureTracking());
    manager.OnMouseMove(MK_LBUTTON, CPoint((grip.x + target.x) / 2, (grip.y + target.y) / 2));
    manager.OnMouseMove(MK_LBUTTON, target);
    manager.OnLButtonUp(0, target);
    EXPECT_FALSE(manager.IsFeatureTracking());
    const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(a));
    ASSERT_NE(pLine, nullptr);
    const RuVaPnt2d moved = view.ConvertPointClientToWorld(target, TRUE);
    EXPECT_NEAR(pLine->GetEndPoint().X(), moved.X(), 1e-6);
    EXPECT_NEAR(pLine->GetEndPoint().Y(), moved.Y(), 1e-6);
    EXPECT_NEAR(pLine->GetStartPoint().X(), P(-3, 0).X(), 1e-9);

    ASSERT_TRUE(doc.Undo());
    pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(a));
    ASSERT_NE(pLine, nullptr);
    EXPECT_NEAR(pLine->GetEndPoint().X(), P(-1, 0).X(), 1e-9);
    EXPECT_NEAR(pLine->GetEndPoint().Y(), P(-1, 0).Y(), 1e-9);
}

TEST_F(FeatureInputTest, AGripClickedAndReleasedInPlaceFollowsToTheNextClickUnlessCancelled)
{
    Click(OnA());
    const CPoint grip = C(P(-3, 0));
    auto start = [&]() {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(a));
        return pLine != nullptr ? pLine->GetStartPoint() : RuVaPnt2d();
    };
    // Pressed, moved, cancelled: nothing changes.
    manager.OnMouseMove(0, grip);
    manager.OnLButtonDown(MK_LBUTTON, grip);
    ASSERT_TRUE(manager.IsFeatureTracking());
    manager.OnMouseMove(MK_LBUTTON, C(P(-3, 2)));
    EXPECT_TRUE(manager.CancelFeatureTracking());
    EXPECT_FALSE(manager.IsFeatureTracking());
    manager.OnLButtonUp(0, C(P(-3, 2)));
    EXPECT_NEAR(start().Y(), P(-3, 0).Y(), 1e-9);

    // Pressed and released in place: the grip waits for the next click, which places it.
    manager.OnLButtonDown(MK_LBUTTON, grip);
    manager.OnLButtonUp(0, grip);
    EXPECT_TRUE(manager.IsFeatureTracking());
    EXPECT_NEAR(start().Y(), P(-3, 0).Y(), 1e-9);
    const CPoint target = C(P(-3, -1));
    manager.OnMouseMove(0, target);
    manager.OnLButtonDown(MK_LBUTTON, target);
    manager.OnLButtonUp(0, target);
    EXPECT_FALSE(manager.IsFeatureTracking());
    EXPECT_NEAR(start().Y(), view.ConvertPointClientToWorld(target, TRUE).Y(), 1e-6);
    EXPECT_TRUE(Selected(a));
}

TEST_F(FeatureInputTest, AShiftClickOnAGripMarksItInsteadOfDragging)
{
    Click(OnA());
    FeatureTrackerBase* pTracker = doc.GetSelectionManager()->GetFeatureTracker();
    ASSERT_NE(pTracker, nullptr);
    const CPoint grip = C(P(-1, 0));
    manager.OnMouseMove(MK_SHIFT, grip);
    manager.OnLButtonDown(MK_LBUTTON | MK_SHIFT, grip);
    EXPECT_FALSE(manager.IsFeatureTracking());
    const int hit = pTracker->HitTest(&view, grip, 10, 1);
    ASSERT_GE(hit, 0);
    EXPECT_TRUE(pTracker->IsHandleSelected(hit));
    EXPECT_TRUE(Selected(a));
}

TEST_F(FeatureInputTest, ADoubleClickOnATextSelectsItAndOnOtherShapesDoesNothing)
{
    Text2dFeature text(_T("Note"), P(-2, -2));
    text.SetHeight(u / 2);
    const long t = Add(text);
    const CPoint at = C(P(-2, -2));
    manager.OnMouseMove(0, at);
    manager.OnLButtonDblClk(MK_LBUTTON, at);
    EXPECT_TRUE(Selected(t));
    EXPECT_EQ(SelectedCount(), 1);

    manager.OnKeyDown(VK_ESCAPE, 1, 0);
    ASSERT_EQ(SelectedCount(), 0);
    manager.OnLButtonDblClk(MK_LBUTTON, C(OnA()));
    EXPECT_EQ(SelectedCount(), 0);
}

TEST_F(FeatureInputTest, ACtrlShiftClickMakesTheShapesLayerCurrentAndSelectsNothing)
{
    const long layer = doc.AddLayer(_T("Other"), -1);
    ASSERT_GT(layer, 0);
    ASSERT_NE(doc.GetCurrentLayerID(), layer);
    Line2dFeature line(P(3, -1), P(3, 1));
    line.SetLayerID(layer);
    Add(line);
    Click(P(3, 0.5), MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(doc.GetCurrentLayerID(), layer);
    EXPECT_EQ(SelectedCount(), 0);
}

TEST_F(FeatureInputTest, AFilterNarrowsTheSelectionOrTheGroupInputAndNeverWidensIt)
{
    SelectionFilter circles;
    circles.SetSelectionFilterMode(1);
    circles.GetFeatureFilter().SetFeatureFilter(SelectionFeatureFilter::GetFeatureBit(4));
    Click(OnA());
    Click(OnC(), MK_SHIFT);
    ASSERT_EQ(SelectedCount(), 2);
    EXPECT_TRUE(manager.ApplySelectionFilter(circles));
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(c));
    EXPECT_FALSE(Selected(b));

    Trim2dCommand* cmd = Start(Trim2dCommand::pGroup);
    ASSERT_NE(cmd, nullptr);
    ASSERT_TRUE(manager.SelectAllFeatures(&doc));
    auto* group = Item<FeatureGroupParameterItem>(Trim2dCommand::pGroup);
    EXPECT_TRUE(manager.ApplySelectionFilter(circles));
    CArray<FeatureLayout> held;
    ASSERT_TRUE(group->GetFeatureLayouts(held));
    ASSERT_EQ(held.GetSize(), 1);
    EXPECT_EQ(held[0].GetRecordID(), c);
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_TRUE(Selected(c));
}

TEST_F(FeatureInputTest, ADraggedGripSnapsToAngularRaysFromWhereTheDragStarted)
{
    CommandManager::SnapOptions options = manager.GetSnapOptions();
    options.bEnabled = FALSE;  // no shape points: only the rays
    options.bAngularEnabled = TRUE;
    options.dAngle = 45.0;
    options.nAngularMode = 0;
    manager.SetSnapOptions(options);
    Click(OnA());
    const CPoint grip = C(P(-1, 0));
    const CPoint target = C(P(0.1, 0.9));  // 39 degrees from the grip
    manager.OnMouseMove(0, grip);
    manager.OnLButtonDown(MK_LBUTTON, grip);
    manager.OnMouseMove(MK_LBUTTON, target);
    manager.OnLButtonUp(0, target);
    const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(a));
    ASSERT_NE(pLine, nullptr);
    const double dx = pLine->GetEndPoint().X() - P(-1, 0).X();
    const double dy = pLine->GetEndPoint().Y() - P(-1, 0).Y();
    EXPECT_GT(dx, 0.5 * u);
    EXPECT_NEAR(dx, dy, 1e-6);
}
