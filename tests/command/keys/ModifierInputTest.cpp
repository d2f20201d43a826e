// Input to a modifier attached to the running command: points, lengths, angles and picked shapes fill
// its inputs, its result goes to the parameter (or to the outer link of a chain), refused inputs keep
// their previous value, and switching or attaching ends what a modifier was collecting.

#include "KeysFixture.h"

#include "command/DoubleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"

namespace keys {

namespace {

using Step = KeysTestStepCommand;

}  // namespace

class ModifierInputTest : public KeysFixture
{
protected:
    void SetUp() override
    {
        KeysFixture::SetUp();
        step = StartStep();
        ASSERT_NE(step, nullptr);
    }
    ParameterModifierBase* Attach(int nKind, int nParameter)
    {
        manager.SetCurrentParameter(step, nParameter);
        return step->AttachModifier(nKind, nParameter);
    }
    // A line from (0, 0) to (30, 0) drawn by the line command; its record id.
    long DrawLine()
    {
        manager.CancelAllCommands();
        EXPECT_TRUE(manager.ExecuteCommand(33412));
        EXPECT_TRUE(manager.SetParameterText(0, u"0,0", TRUE));
        EXPECT_TRUE(manager.SetParameterText(1, u"30,0", TRUE));
        manager.CancelAllCommands();
        step = StartStep();
        EXPECT_NE(step, nullptr);
        return doc.GetNextFeatureRecordID(-1);
    }
    Step* step = nullptr;
};

TEST_F(ModifierInputTest, ALengthFromTwoPointsGoesToTheParameterAfterTheSecondPoint)
{
    ParameterModifierBase* pModifier = Attach(ParameterModifierBase::kindLengthOf2Point, Step::paramSize);
    ASSERT_NE(pModifier, nullptr);
    ASSERT_TRUE(manager.IsModifierInputActive());
    EXPECT_EQ(manager.GetActiveModifierInputIndex(), 0);

    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));
    EXPECT_TRUE(step->HasModifier()) << "not ready yet";
    EXPECT_EQ(manager.GetActiveModifierInputIndex(), 1) << "the second point is asked for";
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());
    EXPECT_TRUE(step->m_runs.empty()) << "the command is not run before the result";

    // The same point again only refreshes.
    EXPECT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));
    EXPECT_EQ(manager.GetActiveModifierInputIndex(), 1);

    ASSERT_TRUE(manager.SetModifierPointValue(1, RuVaPnt2d(4, 5), FALSE, FALSE));
    EXPECT_FALSE(step->HasModifier()) << "the modifier ends with its result";
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 5.0);
    ASSERT_EQ(step->m_runs.size(), 1u);
    EXPECT_EQ(step->m_runs[0], Step::paramSize);
}

TEST_F(ModifierInputTest, ClicksGoToTheModifiersPointInputs)
{
    ASSERT_NE(Attach(ParameterModifierBase::kindMiddlePoint, Step::paramPoint), nullptr);
    manager.SetCursorPosition(CPoint(100, 100), 0);
    const RuVaPnt2d first = manager.GetCursorLocalPoint();
    ASSERT_TRUE(manager.CommandClickInput(manager.GetCursorWorldPoint(), 0));
    EXPECT_TRUE(Item(Step::paramPoint)->IsEmpty());
    ASSERT_TRUE(step->HasModifier());
    RuVaPnt2d given;
    ASSERT_TRUE(static_cast<PointParameterItem*>(step->GetModifierInputItemAt(0))->GetValue(given));
    EXPECT_TRUE(given.IsEqual(first, 1e-9));

    manager.SetCursorPosition(CPoint(200, 150), 0);
    const RuVaPnt2d second = manager.GetCursorLocalPoint();
    ASSERT_TRUE(manager.CommandClickInput(manager.GetCursorWorldPoint(), 0));
    EXPECT_FALSE(step->HasModifier());
    RuVaPnt2d middle;
    ASSERT_TRUE(static_cast<PointParameterItem*>(Item(Step::paramPoint))->GetValue(middle));
    EXPECT_NEAR(middle.X(), (first.X() + second.X()) / 2, 1e-9);
    EXPECT_NEAR(middle.Y(), (first.Y() + second.Y()) / 2, 1e-9);
    EXPECT_TRUE(manager.GetLastInputPoint().IsEqual(middle, 1e-9)) << "an accepted point is the last input";
}

TEST_F(ModifierInputTest, AnInputTheModifierCannotUseKeepsItsPreviousValue)
{
    ASSERT_NE(Attach(ParameterModifierBase::kindAngleOf3Point, Step::paramSize), nullptr);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(0, 0), FALSE, FALSE));
    ASSERT_TRUE(manager.SetModifierPointValue(1, RuVaPnt2d(10, 0), FALSE, FALSE));
    EXPECT_FALSE(manager.SetModifierPointValue(2, RuVaPnt2d(0, 0), FALSE, FALSE)) << "on the vertex";
    ASSERT_TRUE(step->HasModifier());
    EXPECT_TRUE(step->GetModifierInputItemAt(2)->IsEmpty());
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());
    // Wrong types and indexes are refused.
    EXPECT_FALSE(manager.SetModifierLengthValue(2, 3.0));
    EXPECT_FALSE(manager.SetModifierPointValue(3, RuVaPnt2d(1, 1), FALSE, FALSE));
    EXPECT_FALSE(manager.SetModifierInputText(0, u"abc", TRUE));

    ASSERT_TRUE(manager.SetModifierInputText(2, u"0,5", TRUE));
    EXPECT_FALSE(step->HasModifier());
    EXPECT_NEAR(NumberOf(Item(Step::paramSize)), 90.0, 1e-9);
}

TEST_F(ModifierInputTest, TheInnerLinkOfAChainFillsTheOuterInputNotTheParameter)
{
    SetUserOrigin(100, 100);
    ASSERT_NE(Attach(ParameterModifierBase::kindRelativePoint, Step::paramPoint), nullptr);
    ASSERT_NE(step->AttachInnerModifier(ParameterModifierBase::kindLengthOf2Point, 1), nullptr);
    ASSERT_EQ(step->GetModifierDepth(), 2);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(0, 0), FALSE, FALSE));
    ASSERT_TRUE(manager.SetModifierPointValue(1, RuVaPnt2d(6, 8), FALSE, FALSE));
    ASSERT_EQ(step->GetModifierDepth(), 1) << "the inner link ended";
    EXPECT_TRUE(Item(Step::paramPoint)->IsEmpty());
    EXPECT_DOUBLE_EQ(NumberOf(step->GetModifierInputItemAt(1)), 10.0);

    // Modifier points are typed in the drawing's coordinates: the user origin is not added.
    ASSERT_TRUE(manager.SetModifierInputText(0, u"1,2", TRUE));
    ASSERT_TRUE(manager.SetModifierInputText(2, u"-2", TRUE));
    EXPECT_FALSE(step->HasModifier());
    RuVaPnt2d p;
    ASSERT_TRUE(static_cast<PointParameterItem*>(Item(Step::paramPoint))->GetValue(p));
    EXPECT_DOUBLE_EQ(p.X(), 11.0);
    EXPECT_DOUBLE_EQ(p.Y(), 0.0);
}

TEST_F(ModifierInputTest, APickedShapeGivesItsLengthAndIsSelectedOnlyWhileTheModifierHoldsIt)
{
    const long id = DrawLine();
    ASSERT_GE(id, 0);
    SelectionManager* pSelection = doc.GetSelectionManager();

    ASSERT_NE(Attach(ParameterModifierBase::kindFeatureRelativeAngle, Step::paramSize), nullptr);
    ASSERT_TRUE(manager.ModifierFeatureClick(0, RuVaPnt2d(15, 0)));
    auto* pPicked = static_cast<FeatureParameterItem*>(step->GetModifierInputItemAt(0));
    ASSERT_FALSE(pPicked->IsEmpty());
    EXPECT_EQ(pPicked->m_nRecordID, id);
    EXPECT_FALSE(pSelection->IsSelectionEmpty()) << "the picked line is shown selected";

    // A click into empty space clears the input and the selection.
    ASSERT_TRUE(manager.ModifierFeatureClick(0, RuVaPnt2d(15, 150)));
    EXPECT_TRUE(step->GetModifierInputItemAt(0)->IsEmpty());
    EXPECT_TRUE(pSelection->IsSelectionEmpty());

    ASSERT_TRUE(manager.ModifierFeatureClick(0, RuVaPnt2d(15, 0)));
    ASSERT_TRUE(manager.SetModifierAngleValue(1, 30.0));
    EXPECT_FALSE(step->HasModifier());
    EXPECT_NEAR(NumberOf(Item(Step::paramSize)), 30.0, 1e-9) << "a horizontal line plus 30 degrees";
    EXPECT_TRUE(pSelection->IsSelectionEmpty()) << "the modifier's shapes are let go";

    manager.SetCurrentParameter(step, Step::paramKept);
    ASSERT_NE(step->AttachModifier(ParameterModifierBase::kindFeatureLength, Step::paramKept), nullptr);
    ASSERT_TRUE(manager.ModifierFeatureClick(0, RuVaPnt2d(20, 0)));
    EXPECT_FALSE(step->HasModifier());
    EXPECT_NEAR(NumberOf(Item(Step::paramKept)), 30.0, 1e-9);
}

TEST_F(ModifierInputTest, AShapeDeletedAfterItWasPickedIsRefused)
{
    const long id = DrawLine();
    ASSERT_NE(Attach(ParameterModifierBase::kindFeatureRelativeAngle, Step::paramSize), nullptr);
    ASSERT_TRUE(manager.ModifierFeatureClick(0, RuVaPnt2d(15, 0)));
    ASSERT_TRUE(doc.DeleteFeature(id, 0));
    EXPECT_FALSE(manager.SetModifierAngleValue(1, 30.0));
    EXPECT_TRUE(step->HasModifier());
    EXPECT_TRUE(step->GetModifierInputItemAt(1)->IsEmpty());
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());
}

TEST_F(ModifierInputTest, SwitchingTheParameterEndsTheModifier)
{
    ASSERT_NE(Attach(ParameterModifierBase::kindLengthOf2Point, Step::paramSize), nullptr);
    ASSERT_NE(step->AttachInnerModifier(ParameterModifierBase::kindMiddlePoint, 0), nullptr);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramPoint));
    EXPECT_FALSE(step->HasModifier()) << "every link ends";
    EXPECT_FALSE(manager.IsModifierInputActive());
    EXPECT_FALSE(manager.EndAllModifierInput()) << "nothing left to end";
    EXPECT_FALSE(manager.RemoveActiveModifier());
    EXPECT_FALSE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));
}

TEST_F(ModifierInputTest, RemovingTheInnermostLinkKeepsTheOuterOne)
{
    ASSERT_NE(Attach(ParameterModifierBase::kindRelativePoint, Step::paramPoint), nullptr);
    ASSERT_NE(step->AttachInnerModifier(ParameterModifierBase::kindLengthOf2Point, 1), nullptr);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));
    ASSERT_TRUE(manager.RemoveActiveModifier());
    ASSERT_EQ(step->GetModifierDepth(), 1);
    EXPECT_EQ(step->GetActiveModifier()->GetKind(), ParameterModifierBase::kindRelativePoint);
    ASSERT_TRUE(manager.ClearModifierInput(0, TRUE));
    EXPECT_TRUE(step->GetModifierInputItemAt(0)->IsEmpty());
}

TEST_F(ModifierInputTest, AttachingEmptiesTheParameterButKeepsAnOpenPointList)
{
    const int nList = Step::paramPoints;
    ASSERT_TRUE(manager.AddPointArrayValue(nList, RuVaPnt2d(0, 0), FALSE, FALSE, FALSE));
    ASSERT_TRUE(manager.AddPointArrayValue(nList, RuVaPnt2d(5, 0), FALSE, FALSE, FALSE));
    EXPECT_FALSE(manager.SetParameterModifier(nList, ParameterModifierBase::kindMiddlePoint));
    EXPECT_EQ(static_cast<PointArrayParameterItem*>(Item(nList))->GetCount(), 2);
    ASSERT_TRUE(manager.AddPointArrayValue(nList, RuVaPnt2d(5, 0), FALSE, FALSE, FALSE));
    ASSERT_TRUE(static_cast<PointArrayParameterItem*>(Item(nList))->m_bFinished);
    EXPECT_FALSE(manager.SetParameterModifier(nList, ParameterModifierBase::kindMiddlePoint));
    EXPECT_EQ(static_cast<PointArrayParameterItem*>(Item(nList))->GetCount(), 0) << "a finished list is emptied";
}

TEST_F(ModifierInputTest, AModifierCodeGoesToTheFirstEmptyParameterOfItsKindElseEmptiesOne)
{
    EXPECT_FALSE(manager.ApplyModifierCode(30)) << "no kind of item takes it";
    ASSERT_TRUE(manager.SetParameterText(Step::paramKept, u"9", TRUE));
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramChoice));
    manager.ApplyModifierCode(ParameterModifierBase::kindLengthOf2Point);
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramSize) << "the empty length, after wrapping round";
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramKept)), 9.0);

    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"4", TRUE));
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramChoice));
    manager.ApplyModifierCode(ParameterModifierBase::kindLengthOf2Point);
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramKept) << "the first length from the current one on";
    EXPECT_TRUE(Item(Step::paramKept)->IsEmpty());
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramSize)), 4.0);
    manager.CancelAllCommands();
    EXPECT_FALSE(manager.ApplyModifierCode(ParameterModifierBase::kindLengthOf2Point)) << "no command";
}

TEST_F(ModifierInputTest, ADrawingChangeRestartsTheInputsKeepingRememberedValues)
{
    ASSERT_TRUE(manager.SetParameterText(Step::paramSize, u"5", TRUE));
    ASSERT_TRUE(manager.SetParameterText(Step::paramKept, u"9", TRUE));
    ASSERT_TRUE(manager.SetParameterText(Step::paramNumber, u"8", TRUE));
    ASSERT_NE(Attach(ParameterModifierBase::kindMiddlePoint, Step::paramPoint), nullptr);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(1, 1), FALSE, FALSE));

    manager.EndCommandsOnDrawingChange(0);
    ASSERT_EQ(manager.GetActiveCommand(), step);
    EXPECT_FALSE(step->HasModifier());
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty());
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramNumber)), 3.0) << "back to its default";
    EXPECT_DOUBLE_EQ(NumberOf(Item(Step::paramKept)), 9.0) << "remembered values stay";
    EXPECT_EQ(step->GetCurrentParameterIndex(), Step::paramPoint) << "the first missing value";
}

TEST_F(ModifierInputTest, ThePreviewValueUsesTheCursorForInputsStillMissing)
{
    const long id = DrawLine();
    ASSERT_NE(Attach(ParameterModifierBase::kindFeatureLength, Step::paramSize), nullptr);
    LengthParameterItem preview;
    preview.Copy(*Item(Step::paramSize));
    EXPECT_FALSE(step->GetParameterValue(Step::paramSize, preview)) << "no shape under the cursor";

    FeatureLayout hit;
    const double aperture = view.ConvertLengthClientToWorld(10);
    ASSERT_TRUE(doc.GetSelectionManager()->PickByPoint(&view, RuVaPnt2d(10, 0), aperture, 0, 0, 0xFFFFFFFF, nullptr,
                                                       hit));
    ASSERT_EQ(hit.GetRecordID(), id);
    manager.SetHitFeature(hit);
    ASSERT_TRUE(step->GetParameterValue(Step::paramSize, preview));
    double value = 0;
    ASSERT_TRUE(preview.GetValue(value));
    EXPECT_NEAR(value, 30.0, 1e-9);
    EXPECT_TRUE(Item(Step::paramSize)->IsEmpty()) << "a preview gives nothing to the parameter";

    // Two points: the second one follows the cursor until it is given.
    ASSERT_TRUE(manager.SetCurrentParameter(step, Step::paramKept));
    ASSERT_NE(step->AttachModifier(ParameterModifierBase::kindLengthOf2Point, Step::paramKept), nullptr);
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(0, 0), FALSE, FALSE));
    manager.SetCursorPoints(RuVaPnt2d(6, 8), RuVaPnt2d(6, 8));
    ASSERT_TRUE(step->GetParameterValue(Step::paramKept, preview));
    ASSERT_TRUE(preview.GetValue(value));
    EXPECT_NEAR(value, 10.0, 1e-9);
}

}  // namespace keys

namespace keys {

// A real command through the public path: the length modifier attached by its code measures two clicks'
// distance and the line takes it.
TEST_F(ModifierInputTest, TheLineCommandTakesALengthMeasuredBetweenTwoPoints)
{
    manager.CancelAllCommands();
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    ASSERT_TRUE(manager.SetParameterText(0, u"10,10", TRUE));
    ASSERT_TRUE(manager.ApplyModifierCode(ParameterModifierBase::kindLengthOf2Point));
    ASSERT_TRUE(pLine->HasModifier());
    ASSERT_TRUE(manager.IsModifierInputActive());
    ASSERT_TRUE(manager.SetModifierPointValue(0, RuVaPnt2d(0, 0), FALSE, FALSE));
    ASSERT_TRUE(manager.SetModifierPointValue(1, RuVaPnt2d(3, 4), FALSE, FALSE));
    EXPECT_FALSE(pLine->HasModifier());
    const auto* pLength = dynamic_cast<const LengthParameterItem*>(pLine->GetParameterItem(2));
    ASSERT_NE(pLength, nullptr);
    double length = 0;
    ASSERT_FALSE(pLength->IsEmpty());
    ASSERT_TRUE(pLength->GetValue(length));
    EXPECT_NEAR(length, 5.0, 1e-9);
    ASSERT_TRUE(manager.SetParameterText(1, u"20,10", TRUE));  // the end point gives the direction

    const long id = doc.GetNextFeatureRecordID(-1);
    ASSERT_NE(id, -1);
    const auto* pShape = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
    ASSERT_NE(pShape, nullptr);
    EXPECT_NEAR(pShape->GetStartPoint().X(), 10.0, 1e-9);
    EXPECT_NEAR(pShape->GetEndPoint().X(), 15.0, 1e-9);
    EXPECT_NEAR(pShape->GetEndPoint().Y(), 10.0, 1e-9);
}

}  // namespace keys
