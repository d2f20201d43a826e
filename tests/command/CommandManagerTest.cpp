// The command manager's lifecycle driven with test commands: starts, nesting, result codes,
// suspension and resumption, cancellation, document and drawing changes, and remembered values.

#include <gtest/gtest.h>

#include <cmath>

#include <QImage>

#include "command/CCommandBar.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dList.h"
#include "platform/gdi/CDC.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/Registry.h"
#include "tests/command/InvalidArgCheck.h"
#include "tests/command/TestCommands.h"

using namespace QZ2Command;

namespace {

const CString kLine(_T("Korvan.Shape.Line"));
const CString kGrid(_T("Korvan.Settings.GridSetting"));
const CString kOptions(_T("Korvan.Settings.Options"));
const CString kMove(_T("Korvan.Edit.Move"));
const CString kCircle(_T("Korvan.Shape.Circle"));

// The manager's document is the application's; the tests only need a distinct address for it.
CQZ2Doc* FakeDocument(int& slot)
{
    return reinterpret_cast<CQZ2Doc*>(&slot);
}

void WriteVersion(int major, int minor)
{
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), major);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), minor);
}

void ForgetRememberedParameters()
{
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileString(_T("CommandParameter"), nullptr, nullptr);
}

class CommandManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestLog().clear();
        ForgetRememberedParameters();
        doc.InitDocument();
        manager.SetCommandBar(&bar);
        manager.SetDocument(FakeDocument(docSlot), &doc);
    }
    void TearDown() override { manager.Shutdown(); }

    ScriptedCommand* Command(const CString& identifier)
    {
        return static_cast<ScriptedCommand*>(manager.GetCommand(identifier));
    }
    // The stack as short names, bottom first.
    std::vector<std::string> Stack() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < manager.GetStackDepth(); ++i)
            names.push_back(ShortName(manager.GetStackEntry(i)->GetIdentifier()));
        return names;
    }
    static std::vector<std::string> Names(std::initializer_list<const char*> list)
    {
        return std::vector<std::string>(list.begin(), list.end());
    }

    int docSlot = 0;
    Draw2dDocument doc;
    CCommandBar bar;
    CommandManager manager;
};

}  // namespace

TEST_F(CommandManagerTest, StartCreatesOnceAndRestartsTheSameObject)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(manager.GetActiveCommandName(), kLine);
    EXPECT_EQ(pLine->GetDisplayName(), CommandManager::GetCommandDisplayName(33412));
    EXPECT_TRUE(pLine->m_bStarted);
    EXPECT_EQ(bar.GetCommand(), pLine);
    EXPECT_EQ(bar.GetRowCount(), 4);
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 0);
    EXPECT_EQ(pLine->GetPickParameterIndex(), 0);

    // The length item keeps its value across runs; the points do not.
    static_cast<LengthParameterItem*>(pLine->GetParameterItem(2))->SetValue(7.5);
    static_cast<PointParameterItem*>(pLine->GetParameterItem(0))->SetValue(RuVaPnt2d(1, 1));

    TestLog().clear();
    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_EQ(manager.GetActiveCommand(), pLine);
    EXPECT_EQ(manager.GetCachedCommandCount(), 1);
    EXPECT_EQ(TestLog(), Names({"Line:end", "Line:start"}));
    EXPECT_TRUE(pLine->GetParameterItem(0)->IsEmpty());
    double length = 0;
    ASSERT_TRUE(static_cast<LengthParameterItem*>(pLine->GetParameterItem(2))->GetValue(length));
    EXPECT_EQ(length, 7.5);
    // The list (retention 2) got its default at the first start only while it was empty.
    auto* pMode = static_cast<ListParameterItem*>(pLine->GetParameterItem(3));
    int mode = -1;
    ASSERT_TRUE(pMode->GetValue(mode));
    EXPECT_EQ(mode, 0);
    pMode->SetValue(2);
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(pMode->GetValue(mode));
    EXPECT_EQ(mode, 2);
}

TEST_F(CommandManagerTest, CommandWithoutParametersRunsAndEndsDuringItsStart)
{
    ASSERT_TRUE(manager.StartCommand(kOptions));
    EXPECT_TRUE(Stack().empty());
    EXPECT_EQ(TestLog(), Names({"Options:start", "Options:input", "Options:end"}));
    EXPECT_EQ(Command(kOptions)->m_inputs, std::vector<int>{-1});
    EXPECT_EQ(bar.GetCommand(), nullptr);
}

TEST_F(CommandManagerTest, ResultCodes)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ScriptedCommand* pLine = Command(kLine);
    auto* p1 = static_cast<PointParameterItem*>(pLine->GetParameterItem(0));
    auto* p2 = static_cast<PointParameterItem*>(pLine->GetParameterItem(1));

    // 2: input missing, the next missing parameter becomes current.
    p1->SetValue(RuVaPnt2d(0, 0));
    pLine->m_results = {CommandBase::resultMissing};
    EXPECT_TRUE(manager.RunActiveCommand(0, TRUE));
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 1);
    EXPECT_EQ(Stack(), Names({"Line"}));

    // 3: nothing done, reported as a failure, nothing else changes.
    pLine->m_results = {CommandBase::resultNothing};
    EXPECT_FALSE(manager.RunActiveCommand(1, TRUE));
    EXPECT_FALSE(p1->IsEmpty());

    // 1: done; transient points cleared, the first empty parameter current again.
    p2->SetValue(RuVaPnt2d(5, 0));
    pLine->m_results = {CommandBase::resultDone};
    EXPECT_TRUE(manager.RunActiveCommand(1, TRUE));
    EXPECT_TRUE(p1->IsEmpty());
    EXPECT_TRUE(p2->IsEmpty());
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 0);
    EXPECT_EQ(Stack(), Names({"Line"}));

    // 4 with parameters: cleared, stays, counts as failed.
    p1->SetValue(RuVaPnt2d(1, 0));
    pLine->m_results = {CommandBase::resultConditional};
    EXPECT_FALSE(manager.RunActiveCommand(0, TRUE));
    EXPECT_TRUE(p1->IsEmpty());
    EXPECT_EQ(Stack(), Names({"Line"}));

    // 1 with the end-after-run flag ends the command.
    pLine->m_bEndAfterRun = TRUE;
    pLine->m_results = {CommandBase::resultDone};
    EXPECT_TRUE(manager.RunActiveCommand(0, TRUE));
    EXPECT_TRUE(Stack().empty());
    pLine->m_bEndAfterRun = FALSE;

    // 0: finished.
    ASSERT_TRUE(manager.StartCommand(kLine));
    pLine->m_results = {CommandBase::resultFinished};
    EXPECT_TRUE(manager.RunActiveCommand(-1, TRUE));
    EXPECT_TRUE(Stack().empty());
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), -1);
    EXPECT_EQ(pLine->GetCurrentParameterItem(), nullptr);

    // 4 without parameters ends the command.
    ScriptedCommand* pOptions = Command(kOptions);
    pOptions->m_nDefaultResult = CommandBase::resultConditional;
    ASSERT_TRUE(manager.StartCommand(kOptions));
    EXPECT_TRUE(Stack().empty());
    // Any other code is a failure that changes nothing.
    ASSERT_TRUE(manager.StartCommand(kLine));
    pLine->m_results = {42};
    EXPECT_FALSE(manager.RunActiveCommand(0, TRUE));
    EXPECT_EQ(Stack(), Names({"Line"}));
}

TEST_F(CommandManagerTest, NestedStartSuspendsAndResumes)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ScriptedCommand* pLine = Command(kLine);
    TestLog().clear();
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    EXPECT_EQ(Stack(), Names({"Line", "GridSetting"}));
    EXPECT_EQ(TestLog(), Names({"Line:suspend", "GridSetting:start"}));
    EXPECT_EQ(bar.GetCommand(), Command(kGrid));

    // The same command cannot be nested over itself.
    EXPECT_FALSE(manager.StartNestedCommand(kGrid));
    EXPECT_EQ(Stack(), Names({"Line", "GridSetting"}));

    // The nested command finishes: the one below is resumed and shown again.
    TestLog().clear();
    ScriptedCommand* pGrid = Command(kGrid);
    pGrid->m_results = {CommandBase::resultFinished};
    static_cast<PointParameterItem*>(pGrid->GetParameterItem(0))->SetValue(RuVaPnt2d(2, 2));
    EXPECT_TRUE(manager.RunActiveCommand(0, TRUE));
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(TestLog(), Names({"GridSetting:input", "GridSetting:end", "Line:resume"}));
    EXPECT_EQ(bar.GetCommand(), pLine);
}

TEST_F(CommandManagerTest, ResumeRunsACommandWhoseParametersAreAllGiven)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ScriptedCommand* pLine = Command(kLine);
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    static_cast<PointParameterItem*>(pLine->GetParameterItem(0))->SetValue(RuVaPnt2d(0, 0));
    static_cast<PointParameterItem*>(pLine->GetParameterItem(1))->SetValue(RuVaPnt2d(1, 0));
    static_cast<LengthParameterItem*>(pLine->GetParameterItem(2))->SetValue(1);
    pLine->m_results = {CommandBase::resultFinished};
    TestLog().clear();
    manager.EndCommand(nullptr, TRUE);
    EXPECT_EQ(TestLog(), Names({"GridSetting:end", "Line:resume", "Line:input", "Line:end"}));
    EXPECT_TRUE(Stack().empty());
}

TEST_F(CommandManagerTest, EndingACommandBelowTheTopResumesNothing)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    TestLog().clear();
    manager.EndCommand(Command(kLine), TRUE);
    EXPECT_EQ(Stack(), Names({"GridSetting"}));
    EXPECT_EQ(TestLog(), Names({"Line:end"}));
    EXPECT_EQ(bar.GetCommand(), Command(kGrid));
}

TEST_F(CommandManagerTest, DocumentChangeCancelsEverythingWithoutResuming)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    TestLog().clear();
    Draw2dDocument other;
    other.InitDocument();
    int otherSlot = 0;
    manager.SetDocument(FakeDocument(otherSlot), &other);
    EXPECT_TRUE(Stack().empty());
    EXPECT_EQ(TestLog(), Names({"GridSetting:document", "GridSetting:end", "Line:end"}));
    EXPECT_EQ(manager.GetDraw2dDocument(), &other);
    EXPECT_EQ(bar.GetCommand(), nullptr);

    // Without a document a command that needs a drawing does not start, and stays cached.
    manager.SetDocument(nullptr, nullptr);
    const int cached = manager.GetCachedCommandCount();
    EXPECT_FALSE(manager.StartCommand(kLine));
    EXPECT_EQ(manager.GetCachedCommandCount(), cached);
    EXPECT_TRUE(manager.StartCommand(kCircle));  // needs no drawing
}

TEST_F(CommandManagerTest, DrawingChangeResumesTheSurvivorOnce)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    Command(kGrid)->m_bSurvivesDrawingChange = FALSE;
    TestLog().clear();
    manager.EndCommandsOnDrawingChange(0);
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(TestLog(), Names({"GridSetting:end", "Line:resume"}));
    EXPECT_EQ(Command(kLine)->GetCurrentParameterIndex(), 0);

    // Three deep with the middle one ending: the top survivor is ended as a nested command and
    // the bottom is resumed exactly once.
    ASSERT_TRUE(manager.StartNestedCommand(kCircle));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    Command(kCircle)->m_bSurvivesDrawingChange = FALSE;
    Command(kGrid)->m_bSurvivesDrawingChange = TRUE;
    TestLog().clear();
    manager.EndCommandsOnDrawingChange(0);
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(TestLog(), Names({"Circle:end", "GridSetting:end", "Line:resume"}));

    // Reported through the document's notification as well.
    Command(kLine)->m_bSurvivesDrawingChange = FALSE;
    NotifyInfoBase info(&doc, 3, 4);
    manager.OnDocumentUpdated(info);
    EXPECT_TRUE(Stack().empty());
}

TEST_F(CommandManagerTest, FailedStarts)
{
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    EXPECT_EQ(manager.GetCommandHistory().GetCount(), 1);

    // An id without a row changes nothing.
    EXPECT_FALSE(manager.ExecuteCommand(33401));
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(manager.GetCommandHistory().GetCount(), 1);

    // A row whose class is not in the program: the running command is already cancelled.
    EXPECT_FALSE(manager.ExecuteCommand(34998));
    EXPECT_TRUE(Stack().empty());
    EXPECT_EQ(manager.GetCommandHistory().GetCount(), 1);
    EXPECT_FALSE(manager.StartCommand(_T("Korvan.Shape.Nothing")));
    EXPECT_FALSE(manager.StartCommand(CString()));

    // OnStart refusing: the command is ended again.
    Command(kCircle)->m_bStartResult = FALSE;
    TestLog().clear();
    EXPECT_FALSE(manager.ExecuteCommand(33442));
    EXPECT_TRUE(Stack().empty());
    EXPECT_EQ(TestLog(), Names({"Circle:start", "Circle:end"}));
    EXPECT_EQ(manager.GetCommandHistory().GetCount(), 1);

    // Index 0 is the newest; a repeated id moves to the newest place.
    Command(kCircle)->m_bStartResult = TRUE;
    ASSERT_TRUE(manager.ExecuteCommand(33442));
    ASSERT_TRUE(manager.ExecuteCommand(33412));
    ASSERT_EQ(manager.GetCommandHistory().GetCount(), 2);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(0), 33412u);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(1), 33442u);
    ASSERT_TRUE(manager.ExecuteCommand(33442));
    EXPECT_EQ(manager.GetCommandHistory().GetCount(), 2);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(0), 33442u);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(1), 33412u);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(2), static_cast<UINT>(-1));
    EXPECT_EQ(manager.GetCommandHistory().GetAt(-1), static_cast<UINT>(-1));
}

TEST_F(CommandManagerTest, PreSelectionIsTakenAndTheCommandRunsOnce)
{
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    const long id = doc.AddFeature(&line, nullptr, 0);
    ASSERT_GT(id, 0);
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id, -1), FALSE));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(kMove, &doc));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kLine, &doc));

    ASSERT_TRUE(manager.StartCommand(kMove));
    CommandBase* pMove = manager.GetActiveCommand();
    auto* pGroup = static_cast<FeatureGroupParameterItem*>(pMove->GetParameterItem(0));
    CArray<FeatureLayout> taken;
    ASSERT_TRUE(pGroup->GetFeatureLayouts(taken));
    ASSERT_EQ(taken.GetSize(), 1);
    EXPECT_EQ(taken[0].GetRecordID(), id);
    EXPECT_TRUE(pMove->m_bEndAfterRun);
    EXPECT_EQ(pMove->GetCurrentParameterIndex(), 1);
    EXPECT_FALSE(pSelection->IsSelectionEmpty());  // selected again for the command

    // A command without a selection-taking item clears the selection when it starts.
    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kMove, &doc));
}

namespace {
BOOL EnabledWithTwoOrMoreFeatures(CString, Draw2dDocument* pDocument)
{
    return pDocument->GetSelectionManager()->GetSelectedFeatureCount() >= 2 ? TRUE : FALSE;
}
}  // namespace

TEST_F(CommandManagerTest, RegisteredEnableTestsDecideForTheirIdentifiers)
{
    const LPCTSTR kRegistered = _T("Korvan.Test.NeedsTwo");
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kRegistered, &doc));  // unknown identifiers are disabled

    CommandBase::RegisterEnableTest(kRegistered, &EnabledWithTwoOrMoreFeatures);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    const long id1 = doc.AddFeature(&line, nullptr, 0);
    const long id2 = doc.AddFeature(&line, nullptr, 0);
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id1, -1), FALSE));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kRegistered, &doc));
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id2, -1), FALSE));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(kRegistered, &doc));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kRegistered, nullptr));  // no document: never enabled

    CommandBase::RegisterEnableTest(kRegistered, nullptr);  // removed again
    EXPECT_FALSE(CommandBase::IsCommandEnabled(kRegistered, &doc));
}

TEST_F(CommandManagerTest, ParametersOfTheRunningCommand)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    CommandBase* pLine = manager.GetActiveCommand();

    // A parameter without a current item, or with an id in use, is refused.
    auto* pNoCurrent = new CommandParameter;
    PointParameterItem p;
    p.SetId(9);
    pNoCurrent->AddItem(p);
    EXPECT_FALSE(manager.AddParameter(nullptr, pNoCurrent));
    auto* pDuplicate = new CommandParameter;
    PointParameterItem dup;
    dup.SetId(2);
    pDuplicate->SetCurrentIndex(pDuplicate->AddItem(dup));
    EXPECT_FALSE(manager.AddParameter(nullptr, pDuplicate));
    EXPECT_EQ(pLine->GetParameterCount(), 4);
    delete pNoCurrent;
    delete pDuplicate;

    // Insert before the current parameter shifts it; the bar gains a row.
    ASSERT_TRUE(manager.SetCurrentParameter(nullptr, 1));
    auto* pInserted = new CommandParameter;
    pInserted->SetCurrentIndex(pInserted->AddItem(p));
    ASSERT_TRUE(manager.InsertParameter(nullptr, 0, pInserted));
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 2);
    EXPECT_EQ(bar.GetRowCount(), 5);
    ASSERT_TRUE(manager.RemoveParameter(nullptr, 0));
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 1);
    EXPECT_EQ(bar.GetRowCount(), 4);
    EXPECT_FALSE(manager.RemoveParameter(nullptr, 4));
    EXPECT_INVALID_ARG(pLine->GetParameterItem(4));

    // Reference points follow the base-item ids.
    RuVaPnt2d ref;
    EXPECT_FALSE(pLine->GetReferencePoint(0, ref));
    static_cast<PointParameterItem*>(pLine->GetParameterItem(1))->SetValue(RuVaPnt2d(3, 4));
    ASSERT_TRUE(pLine->GetReferencePoint(0, ref));
    EXPECT_EQ(ref.X(), 3.0);

    // The provisional value of an empty point is the cursor point.
    manager.SetCursorPoints(RuVaPnt2d(100, 100), RuVaPnt2d(6, 7));
    PointParameterItem value;
    ASSERT_TRUE(pLine->GetParameterValue(0, value));
    RuVaPnt2d v;
    ASSERT_TRUE(value.GetValue(v));
    EXPECT_EQ(v.Y(), 7.0);
    EXPECT_FALSE(pLine->SetModifier(0, 99));  // no such modifier
    EXPECT_FALSE(pLine->SetModifier(2, 20));  // a point modifier on a length
    EXPECT_TRUE(pLine->SetModifier(0, 20));   // a relative point on a point
}

TEST_F(CommandManagerTest, RememberedParametersRoundTrip)
{
    WriteVersion(4, 21);
    ASSERT_TRUE(manager.StartCommand(kCircle));
    ScriptedCommand* pCircle = Command(kCircle);
    static_cast<IntegerParameterItem*>(pCircle->GetParameterItem(0))->SetValue(5);
    CommandParameter* pChoice = pCircle->GetParameter(1);
    ASSERT_TRUE(pChoice->SetCurrentIndex(1));
    static_cast<LengthParameterItem*>(pChoice->GetCurrentItem())->SetValue(2.5);
    // A command that was never started writes nothing.
    manager.GetCommand(kGrid);
    manager.Shutdown();

    RegistryManager registry(HKEY_CURRENT_USER);
    EXPECT_EQ(registry.GetProfileInt(_T("CommandParameter\\Korvan.Shape.Circle\\Index"), _T("1"), -1), 1u);
    EXPECT_EQ(registry.GetProfileInt(_T("CommandParameter\\Korvan.Shape.Circle\\Parameter"), _T("1"), -1), 5u);
    double stored = 0;
    EXPECT_TRUE(registry.GetProfileBinary(_T("CommandParameter\\Korvan.Shape.Circle\\Parameter"), _T("3"), &stored));
    EXPECT_EQ(stored, 2.5);
    EXPECT_EQ(registry.GetProfileInt(_T("CommandParameter\\Korvan.Settings.GridSetting\\Index"), _T("0"), -1),
              static_cast<UINT>(-1));

    {
        CommandManager next;
        ScriptedCommand* pLoaded = static_cast<ScriptedCommand*>(next.GetCommand(kCircle));
        int count = 0;
        ASSERT_TRUE(static_cast<IntegerParameterItem*>(pLoaded->GetParameterItem(0))->GetValue(count));
        EXPECT_EQ(count, 5);
        EXPECT_EQ(pLoaded->GetParameter(1)->GetCurrentIndex(), 1);
        double diameter = 0;
        ASSERT_TRUE(static_cast<LengthParameterItem*>(pLoaded->GetParameterItem(1))->GetValue(diameter));
        EXPECT_EQ(diameter, 2.5);
        // Each loaded parameter was handed to the command.
        EXPECT_EQ(pLoaded->m_inputs, (std::vector<int>{0, 1}));

        // An emptied value is stored as absent and does not come back as 0.
        ASSERT_TRUE(next.StartCommand(kCircle));
        pLoaded->GetParameterItem(0)->Clear();
        next.Shutdown();
    }
    {
        CommandManager next;
        CommandBase* pLoaded = next.GetCommand(kCircle);
        EXPECT_TRUE(pLoaded->GetParameterItem(0)->IsEmpty());
        EXPECT_FALSE(pLoaded->GetParameterItem(1)->IsEmpty());
        next.Shutdown();
    }
    // Values stored by an older version are not loaded.
    WriteVersion(3, 9);
    {
        CommandManager next;
        CommandBase* pLoaded = next.GetCommand(kCircle);
        EXPECT_EQ(pLoaded->GetParameter(1)->GetCurrentIndex(), 0);
        EXPECT_TRUE(pLoaded->GetParameterItem(1)->IsEmpty());
    }
    WriteVersion(4, 0);
    {
        CommandManager next;
        EXPECT_EQ(next.GetCommand(kCircle)->GetParameter(1)->GetCurrentIndex(), 1);
    }
    // Without a stored version the values are of an unknown version and are not loaded either.
    RegistryManager(HKEY_CURRENT_USER).WriteProfileString(_T("Version"), nullptr, nullptr);
    {
        CommandManager next;
        EXPECT_EQ(next.GetCommand(kCircle)->GetParameter(1)->GetCurrentIndex(), 0);
    }
    WriteVersion(4, 0);
    // With the option off nothing is loaded.
    {
        CommandManager next;
        next.SetCommandParameterSaveEnabled(FALSE);
        EXPECT_EQ(next.GetCommand(kCircle)->GetParameter(1)->GetCurrentIndex(), 0);
    }
}

TEST_F(CommandManagerTest, DamagedRememberedValuesAreIgnored)
{
    WriteVersion(4, 21);
    RegistryManager registry(HKEY_CURRENT_USER);
    // An alternative that does not exist, a list index outside the list, a double of the wrong size.
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Line\\Index"), _T("0"), 5);
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Line\\Index"), _T("1"), -3);
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Line\\Parameter"), _T("4"), 17);
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Line\\Parameter"), _T("3"), 12);
    CommandManager next;
    CommandBase* pLine = next.GetCommand(kLine);
    EXPECT_EQ(pLine->GetParameter(0)->GetCurrentIndex(), 0);
    EXPECT_EQ(pLine->GetParameter(1)->GetCurrentIndex(), 0);
    EXPECT_TRUE(pLine->GetParameterItem(2)->IsEmpty());
    EXPECT_TRUE(pLine->GetParameterItem(3)->IsEmpty());
}

TEST_F(CommandManagerTest, ReturnFinishesListInputs)
{
    ASSERT_TRUE(manager.StartCommand(_T("Korvan.Shape.Polyline")));
    ScriptedCommand* pPolyline = Command(_T("Korvan.Shape.Polyline"));
    auto* pPoints = static_cast<PointArrayParameterItem*>(pPolyline->GetParameterItem(0));
    pPoints->AddPoint(RuVaPnt2d(0, 0));
    pPoints->AddPoint(RuVaPnt2d(1, 0));
    EXPECT_FALSE(pPolyline->AreAllParametersSatisfied());
    EXPECT_EQ(pPolyline->GetPickParameterIndex(), 0);
    pPolyline->m_results = {CommandBase::resultFinished};
    EXPECT_TRUE(manager.FinishListInput());
    EXPECT_EQ(pPolyline->m_inputs.back(), 0);
    EXPECT_TRUE(Stack().empty());

    ASSERT_TRUE(manager.StartCommand(_T("Korvan.Shape.Hatch")));
    ScriptedCommand* pHatch = Command(_T("Korvan.Shape.Hatch"));
    auto* pBoundaries = static_cast<FeatureSequenceListParameterItem*>(pHatch->GetParameterItem(0));
    pBoundaries->AddFeature(0, 11, RuVaPnt2d());
    EXPECT_TRUE(manager.FinishListInput());
    EXPECT_TRUE(pBoundaries->IsLastSequenceClosed());
    EXPECT_FALSE(pBoundaries->m_bFinished);
    EXPECT_TRUE(manager.FinishListInput());
    EXPECT_TRUE(pBoundaries->m_bFinished);
    EXPECT_EQ(pHatch->m_inputs.size(), 2u);

    // A point item is no list.
    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_FALSE(manager.FinishListInput());
}

TEST_F(CommandManagerTest, SelectionOptionsFollowTheCurrentInput)
{
    manager.SetSelectionOptions(1, 1, 1, TRUE);
    EXPECT_EQ(manager.GetSelectionMode(), 1);
    EXPECT_TRUE(manager.IsSelectionModeAllowed(4));
    ASSERT_TRUE(manager.StartCommand(_T("Korvan.Edit.Trim")));
    // Shape modes 2 and 8 allowed: option 1 gives way to 2; an allowed option stands.
    EXPECT_EQ(manager.GetShapeSelectionMode(0), 2);
    EXPECT_EQ(manager.GetSelectionMode(), 2);
    EXPECT_EQ(manager.GetPartSelectionMode(0), 2);
    EXPECT_EQ(manager.GetSideSelectionMode(0), 1);
    EXPECT_FALSE(manager.IsSelectionModeAllowed(1));
    EXPECT_TRUE(manager.IsSelectionModeAllowed(8));
    manager.SetSelectionOptions(8, 0, 1, TRUE);
    EXPECT_EQ(manager.GetShapeSelectionMode(0), 8);
    EXPECT_EQ(manager.GetPartSelectionMode(0), 0);
    // Only editable features: the display-state mode is off for this input.
    EXPECT_FALSE(manager.IsSelectionDisplayStateEnabled(0));
    EXPECT_EQ(manager.GetItemFeatureFilter(0), 0x6u);
    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_TRUE(manager.IsSelectionDisplayStateEnabled(0));
    EXPECT_EQ(manager.GetItemFeatureFilter(0), 0u);
}

TEST_F(CommandManagerTest, SelectionWhileNoCommandRuns)
{
    Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Line2dFeature b(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5));
    const long idA = doc.AddFeature(&a, nullptr, 0);
    const long idB = doc.AddFeature(&b, nullptr, 0);
    SelectionManager* pSelection = doc.GetSelectionManager();
    CArray<FeatureLayout> first;
    first.Add(FeatureLayout(idA, -1, -1));
    CArray<FeatureLayout> both;
    both.Add(FeatureLayout(idA, -1, -1));
    both.Add(FeatureLayout(idB, -1, -1));

    EXPECT_TRUE(manager.SelectFeaturesWhenIdle(&doc, first, 0, nullptr, 0));
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    EXPECT_TRUE(manager.SelectFeaturesWhenIdle(&doc, both, 0, nullptr, 1));
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 2);
    EXPECT_TRUE(manager.SelectFeaturesWhenIdle(&doc, first, 0, nullptr, 2));
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    EXPECT_TRUE(pSelection->IsFeatureSelected(FeatureRecord(idB, -1)));
    EXPECT_TRUE(manager.SelectFeaturesWhenIdle(&doc, first, 0, nullptr, 0));
    EXPECT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    EXPECT_TRUE(pSelection->IsFeatureSelected(FeatureRecord(idA, -1)));
    EXPECT_FALSE(manager.SelectFeaturesWhenIdle(&doc, CArray<FeatureLayout>(), 0, nullptr, 0));

    CArray<long, long> ids;
    ids.Add(idB);
    EXPECT_FALSE(manager.UnselectFeaturesWhenIdle(&doc, ids));  // not selected
    ids.Add(idA);
    EXPECT_TRUE(manager.UnselectFeaturesWhenIdle(&doc, ids));
    EXPECT_TRUE(pSelection->IsSelectionEmpty());

    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_FALSE(manager.SelectFeaturesWhenIdle(&doc, first, 0, nullptr, 0));
}

TEST_F(CommandManagerTest, CommandThatEndsItselfWhileRunning)
{
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    ScriptedCommand* pGrid = Command(kGrid);
    pGrid->m_bEndSelfInInput = TRUE;
    for (int result : {CommandBase::resultFinished, CommandBase::resultDone}) {
        TestLog().clear();
        pGrid->m_results = {result};
        manager.RunActiveCommand(0, TRUE);
        // Ended once; the command below is resumed once and left as it was.
        EXPECT_EQ(TestLog(), Names({"GridSetting:input", "GridSetting:end", "Line:resume"})) << result;
        EXPECT_EQ(Stack(), Names({"Line"}));
        EXPECT_EQ(Command(kLine)->GetCurrentParameterIndex(), 0);
        ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    }
}

TEST_F(CommandManagerTest, RememberedValuesThatSatisfyEveryParameterRunAtTheStart)
{
    ScriptedCommand* pCircle = Command(kCircle);
    static_cast<IntegerParameterItem*>(pCircle->GetParameterItem(0))->SetValue(3);
    static_cast<LengthParameterItem*>(pCircle->GetParameterItem(1))->SetValue(4);
    pCircle->m_results = {CommandBase::resultFinished};
    TestLog().clear();
    EXPECT_TRUE(manager.StartCommand(kCircle));
    EXPECT_EQ(TestLog(), Names({"Circle:start", "Circle:input", "Circle:end"}));
    EXPECT_EQ(pCircle->m_inputs.back(), -1);
    EXPECT_TRUE(Stack().empty());
    // Retention-2 values outlive the end.
    EXPECT_FALSE(pCircle->GetParameterItem(0)->IsEmpty());
}

TEST_F(CommandManagerTest, PartLayoutsSeenFromThePaper)
{
    const long paper = doc.GetPaperFeature(0)->GetDrawingID();
    const long part = doc.AddPartDrawingFeature(_T("Part"));
    const long layout = doc.AddPartLayout(paper, part, _T("Detail"), -1, 0);
    ASSERT_GT(layout, 0);
    ASSERT_TRUE(doc.SetPartLayoutScale(layout, 1, 2, TRUE, 1, 4, 0));
    PointMarker2dFeature marker(RuVaPnt2d(4, 8));
    const long id = doc.AddFeature(&marker, doc.GetDrawingFeatureByID(part), 0);
    ASSERT_GT(id, 0);

    ASSERT_TRUE(manager.StartCommand(kMove));
    CommandBase* pMove = manager.GetActiveCommand();
    double sx = 0, sy = 0;
    // The part drawing itself is active: no layout scale applies, and any scale is uniform.
    ASSERT_TRUE(doc.ActivateDrawingFeature(part, -1, FALSE));
    ASSERT_TRUE(pMove->GetLayoutInverseScale(&sx, &sy));
    EXPECT_EQ(sx, 1.0);
    EXPECT_TRUE(pMove->CheckUniformLayoutScale(1));

    ASSERT_TRUE(doc.ActivateDrawingFeature(paper, layout, FALSE));
    ASSERT_TRUE(pMove->GetLayoutInverseScale(&sx, &sy));
    EXPECT_DOUBLE_EQ(sx, 2.0);
    EXPECT_DOUBLE_EQ(sy, 4.0);

    // A point marker seen through a layout of unequal scales cannot be edited uniformly.
    EXPECT_FALSE(pMove->CheckUniformLayoutScale(1));  // nothing picked
    auto* pGroup = static_cast<FeatureGroupParameterItem*>(pMove->GetParameterItem(0));
    CArray<FeatureLayout> picked;
    picked.Add(FeatureLayout(id, layout, -1));
    pGroup->AddGroup(picked, 4, nullptr, 0);
    EXPECT_FALSE(pMove->CheckUniformLayoutScale(1));
    ASSERT_TRUE(doc.SetPartLayoutScale(layout, 1, 2, FALSE, 1, 2, 0));
    EXPECT_TRUE(pMove->CheckUniformLayoutScale(1));

    // Points and shapes carried from world coordinates into the active layout.
    RuVaPnt2d local;
    RuVaPnt2d world;
    doc.GetPartLayoutByID(layout)->ConvertPointLocalToWorld(RuVaPnt2d(4, 8), world);
    pMove->ConvertPointToLayout(nullptr, world, local);
    EXPECT_NEAR(local.X(), 4.0, 1e-9);
    EXPECT_NEAR(local.Y(), 8.0, 1e-9);
    pMove->ConvertPointToLayout(doc.GetActiveDrawingLayout(), RuVaPnt2d(1, 2), local);
    EXPECT_EQ(local.Y(), 2.0);
    std::unique_ptr<Feature2dBase> copy(pMove->ConvertFeatureToLayout(doc.GetActiveDrawingLayout(), &marker));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetFeatureType(), marker.GetFeatureType());
}

TEST_F(CommandManagerTest, MiddleButtonPanWaitsForTwoPixels)
{
    EXPECT_FALSE(manager.ZoomAll());
    EXPECT_FALSE(manager.BeginMiddleButtonPan(CPoint(10, 10)));
    EXPECT_FALSE(manager.MiddleButtonPanTo(CPoint(20, 20)));

    Draw2dView view(&doc);
    view.SetClientSize(400, 300);
    ASSERT_TRUE(view.SetScale(2.0));
    view.SetCenterPoint(RuVaPnt2d(0, 0));
    manager.SetActiveDraw2dView(&view);

    ASSERT_TRUE(manager.BeginMiddleButtonPan(CPoint(100, 100)));
    const RuVaPnt2d start = view.GetCenterPoint();
    EXPECT_TRUE(manager.MiddleButtonPanTo(CPoint(101, 100)));
    EXPECT_TRUE(manager.MiddleButtonPanTo(CPoint(101, 101)));
    EXPECT_EQ(view.GetCenterPoint().X(), start.X());
    EXPECT_EQ(view.GetCenterPoint().Y(), start.Y());
    // The whole distance since the start: 4 pixels right, 2 down.
    EXPECT_TRUE(manager.MiddleButtonPanTo(CPoint(104, 102)));
    const RuVaPnt2d moved = view.GetCenterPoint();
    EXPECT_NEAR(std::fabs(moved.X() - start.X()), 4 / 2.0, 1e-9);
    EXPECT_NEAR(std::fabs(moved.Y() - start.Y()), 2 / 2.0, 1e-9);
    // The next small step is measured from the point that moved the view.
    EXPECT_TRUE(manager.MiddleButtonPanTo(CPoint(105, 102)));
    EXPECT_EQ(view.GetCenterPoint().X(), moved.X());
    manager.EndMiddleButtonPan();
    EXPECT_FALSE(manager.MiddleButtonPanTo(CPoint(200, 200)));

    EXPECT_TRUE(manager.ZoomIn(0.2));
    EXPECT_NEAR(view.GetScale(), 2.4, 1e-9);
    EXPECT_TRUE(manager.MoveView(10, 0));
    manager.SetActiveDraw2dView(nullptr);
}

namespace {

int CountGreen(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0x00FFFFFF) == 0x00FF00;
    return n;
}

}  // namespace

TEST_F(CommandManagerTest, PreviewsDrawOverTheActiveView)
{
    KcArrayOfGePnt2d outline;
    CommandBase::GetRectangleOutline(RuVaPnt2d(0, 0), RuVaPnt2d(2, 1), outline);
    const KcArrayOfGePnt2d expected{RuVaPnt2d(0, 0), RuVaPnt2d(2, 0), RuVaPnt2d(2, 1), RuVaPnt2d(0, 1), RuVaPnt2d(0, 0)};
    EXPECT_TRUE(outline == expected);

    ASSERT_TRUE(manager.StartCommand(kLine));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_NE(pLine->GetRubberband(), nullptr);
    ASSERT_NE(pLine->GetDrag(), nullptr);
    // No view, or a view without a picture yet: nothing is drawn and that is what is reported.
    EXPECT_FALSE(pLine->DrawRubberbandLine(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10)));
    const long part = doc.AddPartDrawingFeature(_T("P"));
    ASSERT_TRUE(doc.ActivateDrawingFeature(part, -1, FALSE));
    Draw2dView view(&doc);
    view.SetDrawingID(part);
    view.SetGridVisible(FALSE);
    view.ResizeView(200, 100);
    view.SetScale(1.0);
    view.SetCenterPoint(RuVaPnt2d(100, 50));
    manager.SetActiveDraw2dView(&view);
    EXPECT_FALSE(pLine->DrawRubberbandRectangle(RuVaPnt2d(10.5, 10.5), RuVaPnt2d(60.5, 40.5)));

    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    CDC dc;
    dc.CreateFromPaintDevice(&image);
    view.DrawView(dc.GetSafeHdc());
    dc.DeleteDC();
    ASSERT_NE(view.GetFrame(), nullptr);
    EXPECT_EQ(CountGreen(*view.GetFrame()), 0);

    ASSERT_TRUE(pLine->DrawRubberbandRectangle(RuVaPnt2d(10.5, 10.5), RuVaPnt2d(60.5, 40.5)));
    const int green = CountGreen(*view.GetFrame());
    EXPECT_GE(green, 2 * (50 + 30) - 8);
    EXPECT_LE(green, 2 * (51 + 31) + 8);
    view.RestoreView();
    EXPECT_EQ(CountGreen(*view.GetFrame()), 0);

    Feature2dList empty;
    EXPECT_FALSE(pLine->DrawRubberbandFeatureList(empty));
    Feature2dList lines;
    Line2dFeature l(RuVaPnt2d(20, 20), RuVaPnt2d(80, 20));
    lines.AddFeature(&l);
    EXPECT_TRUE(pLine->DrawRubberbandFeatureList(lines));
    view.RestoreView();
    manager.SetActiveDraw2dView(nullptr);
}

TEST_F(CommandManagerTest, TableShownInPlaceOfTheDrawingEndsNestedCommands)
{
    Draw2dView view(&doc);
    manager.SetActiveDraw2dView(&view);
    ASSERT_TRUE(manager.StartCommand(kLine));
    ASSERT_TRUE(manager.StartNestedCommand(kGrid));
    TestLog().clear();
    manager.OnViewChanged();
    EXPECT_EQ(Stack(), Names({"Line", "GridSetting"}));
    EXPECT_EQ(TestLog(), Names({"GridSetting:view"}));

    manager.SetActiveDraw2dView(nullptr);
    TestLog().clear();
    manager.OnViewChanged();
    EXPECT_EQ(Stack(), Names({"Line"}));
    EXPECT_EQ(TestLog(), Names({"GridSetting:end", "Line:resume", "Line:view"}));
}
