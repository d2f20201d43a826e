// Undo and Redo started over a running line command, as the Edit menu starts them: one step taken back
// or done again, and the line command resumes with its input as it was, also when there is nothing to
// undo.

#include <gtest/gtest.h>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/edit/UndoCommand.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kUndoID = 57643;
constexpr UINT kRedoID = 57644;

class UndoCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        doc.ClearUndoRedoHistory();
        // The manager only needs a distinct address for the application's document.
        manager.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    }
    void TearDown() override { manager.Shutdown(); }

    void AddLine(double x)
    {
        Line2dFeature line(RuVaPnt2d(x, 0), RuVaPnt2d(x, 10));
        doc.BeginUndoOperation(nullptr);
        ASSERT_NE(doc.AddFeature(&line, nullptr, 1), -1);
        doc.EndUndoOperation();
    }

    // The line command waiting for its end point.
    CommandBase* LineWithStartPoint()
    {
        EXPECT_TRUE(manager.ExecuteCommand(kLineID));
        CommandBase* pLine = manager.GetActiveCommand();
        auto* pStart = dynamic_cast<PointParameterItem*>(pLine->GetParameterItem(0));
        pStart->SetValue(RuVaPnt2d(3, 4));
        manager.RunActiveCommand(0, TRUE);
        EXPECT_EQ(pLine->GetCurrentParameterIndex(), 1);
        return pLine;
    }

    int slot = 0;
    Draw2dDocument doc;
    CommandManager manager;
};

}  // namespace

TEST_F(UndoCommandTest, UndoAndRedoOneStepAndTheWaitingCommandGoesOn)
{
    AddLine(0);
    AddLine(5);
    CommandBase* pLine = LineWithStartPoint();

    struct Step {
        UINT id;
        long features;
        int undo;
        int redo;
    };
    const Step steps[] = {{kUndoID, 1, 1, 1}, {kUndoID, 0, 0, 2}, {kRedoID, 1, 1, 1}, {kRedoID, 2, 2, 0}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.id << " to " << s.features);
        ASSERT_TRUE(manager.ExecuteNestedCommand(s.id));
        EXPECT_EQ(doc.GetFeatureCount(), s.features);
        EXPECT_EQ(doc.GetUndoCount(), s.undo);
        EXPECT_EQ(doc.GetRedoCount(), s.redo);
        // The undo command ended at once; the line command is back on top with its start point.
        EXPECT_EQ(manager.GetActiveCommand(), pLine);
        EXPECT_FALSE(pLine->IsParameterEmpty(0));
        EXPECT_EQ(pLine->GetCurrentParameterIndex(), 1);
    }
    EXPECT_EQ(manager.GetCachedCommandCount(), 3);
    ASSERT_NE(manager.GetCommand(_T("Korvan.Edit.Undo")), nullptr);
    EXPECT_TRUE(manager.GetCommand(_T("Korvan.Edit.Undo"))->IsKindOf(RUNTIME_CLASS(UndoCommand)));
}

TEST_F(UndoCommandTest, NothingToUndoOrRedoStillGivesTheWaitingCommandBack)
{
    CommandBase* pLine = LineWithStartPoint();
    for (UINT id : {kUndoID, kRedoID}) {
        SCOPED_TRACE(id);
        manager.ExecuteNestedCommand(id);
        EXPECT_EQ(manager.GetActiveCommand(), pLine);
        EXPECT_FALSE(pLine->IsParameterEmpty(0));
    }
    EXPECT_EQ(doc.GetFeatureCount(), 0);

    // Without a running command it ends just the same.
    manager.CancelAllCommands();
    manager.ExecuteNestedCommand(kUndoID);
    EXPECT_FALSE(manager.HasActiveCommand());
}
