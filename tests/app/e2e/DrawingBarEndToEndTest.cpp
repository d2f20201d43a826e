// The drawing bar in the running program: a new drawing's papers and part drawings added from the bar's
// buttons, the part drawing placed on the paper whose tab is active, and undo step by step with the bar's
// tree matching the document each time.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtTest/QTest>
#include <QtWidgets/QWidget>

#include "app/CDrawingTableView.h"
#include "app/CQZ2TabView.h"
#include "command/CommandManager.h"
#include "platform/win/CEdit.h"
#include "structure/PartLayout2dCommand.h"

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/WinMessages.h"
#include "property/CPropertyBar.h"
#include "property/DrawingFeatureProperty.h"
#include "structure/CDrawingBar.h"

namespace {

constexpr UINT kUndoID = 57643;

class DrawingBarEndToEndTest : public ProgramFixture
{
protected:
    // The items the tree must have for the document: root, drawings, and a paper's layouts (its own
    // included) when it has placed ones.
    static int ExpectedItems(const Draw2dDocument& doc)
    {
        int n = 1;
        for (int i = 0; i < doc.GetDrawingFeatureCount(); ++i) {
            const DrawingFeatureBase* d = doc.GetDrawingFeatureByIndex(i);
            ++n;
            if (d->IsPaperFeature() && d->GetPartLayoutCount() > 0)
                n += 1 + d->GetPartLayoutCount();
        }
        return n;
    }
    void Bar(UINT nID)
    {
        m_frame->GetDrawingBar()->SendMessage(WM_COMMAND, nID, 0);
        // The new item's name is open for editing: leave it as the document made it.
        m_frame->GetDrawingBar()->GetTree().EndEditLabelNow(TRUE);
        Pump();
    }
};

TEST_F(DrawingBarEndToEndTest, PapersAndPartDrawingsFromTheBarUndoStepByStep)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CDrawingBar* pBar = m_frame->GetDrawingBar();
    ASSERT_NE(pBar, nullptr);
    Pump();
    ASSERT_EQ(pBar->GetDocument(), pModel);
    CDrawingCommandTreeCtrl& tree = pBar->GetTree();
    EXPECT_EQ(static_cast<int>(tree.GetCount()), ExpectedItems(*pModel));
    const int drawings = pModel->GetDrawingFeatureCount();
    const int papers = pModel->GetPaperFeatureCount();

    Bar(CDrawingBar::ID_ADD_PAPER);
    ASSERT_EQ(pModel->GetPaperFeatureCount(), papers + 1);
    const long paper2 = pModel->GetPaperFeature(papers)->GetDrawingID();
    EXPECT_EQ(pModel->GetActiveDrawingID(), paper2);
    EXPECT_EQ(tree.GetSelectedDrawing()->GetDrawingID(), paper2);
    EXPECT_EQ(static_cast<int>(tree.GetCount()), ExpectedItems(*pModel));
    // The property bar shows the new paper's rows.
    CPropertyBar* pProperties = m_frame->GetPropertyBar();
    ASSERT_NE(pProperties, nullptr);
    ASSERT_EQ(pProperties->GetFeaturePropertyCount(), 1);
    const QZ2Command::DrawingFeatureProperty shown(pModel, pModel->GetDrawingFeatureByID(paper2), nullptr);
    EXPECT_TRUE(pProperties->GetFeatureProperty(0)->IsSameTarget(&shown));

    // Two papers: the part drawing goes on the paper whose tab is active, the new one.
    Bar(CDrawingBar::ID_ADD_PART);
    ASSERT_EQ(pModel->GetDrawingFeatureCount(), drawings + 2);
    const DrawingFeatureBase* pPart = pModel->GetDrawingFeatureByIndex(drawings + 1);
    EXPECT_TRUE(pPart->IsPartFeature());
    const DrawingFeatureBase* pPaper2 = pModel->GetDrawingFeatureByID(paper2);
    ASSERT_EQ(pPaper2->GetPartLayoutCount(), 1);
    EXPECT_EQ(pPaper2->GetPartLayout(0)->GetDrawingID(), pPart->GetDrawingID());
    EXPECT_EQ(pModel->GetActiveDrawingID(), pPart->GetDrawingID());
    EXPECT_EQ(static_cast<int>(tree.GetCount()), ExpectedItems(*pModel));

    for (int i = 0; i < 2; ++i) {
        Command(kUndoID);
        Pump();
        EXPECT_EQ(static_cast<int>(tree.GetCount()), ExpectedItems(*pModel)) << "after undo " << i + 1;
    }
    EXPECT_EQ(pModel->GetDrawingFeatureCount(), drawings);
}

// The whole sequence: a second paper and a part drawing from the bar, a layout of the part drawing placed
// with the part layout command (rectangle, scale 1:2), the paper renamed in the drawing table, then undo
// step by step with the bar, the table and the property bar matching the document after each step.
// The region is given in the part drawing's tab and the placement point in the paper's: the change of tab
// keeps what was given.
TEST_F(DrawingBarEndToEndTest, ALayoutPlacedARenameInTheTableAndUndoStepByStep)
{
    using QZ2Command::PartLayout2dCommand;
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CDrawingBar* pBar = m_frame->GetDrawingBar();
    ASSERT_NE(pBar, nullptr);
    Pump();
    CDrawingCommandTreeCtrl& tree = pBar->GetTree();
    CQZ2TabView* pTabs = pDoc->GetFrontTabView();
    ASSERT_NE(pTabs, nullptr);
    CPropertyBar* pProperties = m_frame->GetPropertyBar();
    ASSERT_NE(pProperties, nullptr);

    // What the three views must show for the document as it is.
    auto matches = [&](const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(static_cast<int>(tree.GetCount()), ExpectedItems(*pModel));
        for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i) {
            const DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
            HTREEITEM hItem = tree.FindDrawingItem(pDrawing->GetDrawingID());
            ASSERT_NE(hItem, nullptr) << "drawing " << i;
            EXPECT_EQ(tree.GetItemText(hItem), pDrawing->GetDrawingName());
        }
        if (CDrawingTableView* pTable = pTabs->GetDrawingTableView()) {
            ASSERT_EQ(pTable->GetPaperCount(), pModel->GetPaperFeatureCount());
            for (int i = 0; i < pModel->GetPaperFeatureCount(); ++i) {
                const DrawingFeatureBase* pPaper = pModel->GetPaperFeature(i);
                EXPECT_EQ(pTable->GetPaperID(i), pPaper->GetDrawingID());
                const CDrawingListCtrl::Item* pRow = pTable->GetList().GetItemRecord(i);
                ASSERT_NE(pRow, nullptr);
                EXPECT_EQ(pRow->strName, pPaper->GetDrawingName());
                EXPECT_EQ(pRow->bActive, pPaper->GetDrawingID() == pModel->GetActiveDrawingID());
            }
        }
        // The property bar never shows a drawing or layout the document no longer holds.
        for (int i = 0; i < pProperties->GetFeaturePropertyCount(); ++i)
            if (const auto* pShown =
                    dynamic_cast<const QZ2Command::DrawingFeatureProperty*>(pProperties->GetFeatureProperty(i))) {
                EXPECT_NE(pModel->GetDrawingFeatureByID(pShown->GetDrawingID()), nullptr);
                if (pShown->GetLayoutID() != -1)
                    EXPECT_NE(pModel->GetPartLayoutByID(pShown->GetLayoutID()), nullptr);
            }
    };

    const int undoStart = pModel->GetUndoCount();
    Bar(CDrawingBar::ID_ADD_PAPER);
    const long paper2 = pModel->GetActiveDrawingID();
    Bar(CDrawingBar::ID_ADD_PART);
    DrawingFeatureBase* pPart = pModel->ChangeDrawingFeature(pModel->GetActiveDrawingID());
    ASSERT_NE(pPart, nullptr);
    ASSERT_TRUE(pPart->IsPartFeature());
    const long part = pPart->GetDrawingID();
    matches("paper and part drawing added");

    // Add Layout from the bar with the part drawing selected: the command starts with it chosen.
    pBar->SelectDrawing(pPart);
    pBar->SendMessage(WM_COMMAND, CDrawingBar::ID_ADD_LAYOUT);
    Pump();
    auto* pCommand = dynamic_cast<PartLayout2dCommand*>(m_manager->GetActiveCommand());
    ASSERT_NE(pCommand, nullptr);
    EXPECT_FALSE(pCommand->IsParameterEmpty(pCommand->FindParameterIndex(PartLayout2dCommand::itemDrawing)));
    // The user picks a row of the command bar and types its value.
    auto type = [&](WORD id, const char16_t* text) {
        m_manager->SetCurrentParameter(pCommand, pCommand->FindParameterIndex(id));
        TypeAndReturn(text);
        Pump();
    };
    ASSERT_TRUE(pTabs->ActivateDrawing(pPart));
    Pump();
    type(PartLayout2dCommand::itemCorner1, u"0,0");
    type(PartLayout2dCommand::itemCorner2, u"10,20");
    type(PartLayout2dCommand::itemScale, u"0.5");
    ASSERT_FALSE(pCommand->IsParameterEmpty(pCommand->FindParameterIndex(PartLayout2dCommand::itemCorner2)));
    ASSERT_FALSE(pCommand->IsParameterEmpty(pCommand->FindParameterIndex(PartLayout2dCommand::itemScale)));
    // The placement point is picked on the paper.
    ASSERT_TRUE(pTabs->ActivateDrawing(pModel->ChangeDrawingFeature(paper2)));
    Pump();
    // The tab change makes the paper the active drawing, a step of its own as every tab change is.
    EXPECT_EQ(pModel->GetActiveDrawingID(), paper2);
    EXPECT_EQ(pModel->GetUndoCount(), undoStart + 3);
    ASSERT_EQ(m_manager->GetActiveCommand(), pCommand);
    for (WORD id : {PartLayout2dCommand::itemDrawing, PartLayout2dCommand::itemCorner1, PartLayout2dCommand::itemCorner2,
                    PartLayout2dCommand::itemScale})
        EXPECT_FALSE(pCommand->IsParameterEmpty(pCommand->FindParameterIndex(id))) << id;
    type(PartLayout2dCommand::itemPlace, u"100,100");
    EXPECT_FALSE(m_manager->HasActiveCommand()) << "ends after the placement";
    const DrawingFeatureBase* pPaper2 = pModel->GetDrawingFeatureByID(paper2);
    ASSERT_EQ(pPaper2->GetPartLayoutCount(), 2);
    const PartDrawingLayout* pPlaced = pModel->GetPartLayoutByID(pModel->GetActiveLayoutID());
    ASSERT_NE(pPlaced, nullptr);
    EXPECT_EQ(pPlaced->GetDrawingID(), part);
    EXPECT_EQ(pPlaced->GetPaperID(), paper2);
    EXPECT_DOUBLE_EQ(pPlaced->GetScaleNumeratorX(), 1.0);
    EXPECT_DOUBLE_EQ(pPlaced->GetScaleDenominatorX(), 2.0);
    // (0,0)-(10,20) at half scale: the centre (5,10) lands on (100,100).
    EXPECT_NEAR(pPlaced->GetOrigin().X(), 97.5, 1e-9);
    EXPECT_NEAR(pPlaced->GetOrigin().Y(), 95.0, 1e-9);
    EXPECT_EQ(pModel->GetUndoCount(), undoStart + 4) << "one step for the placement";
    const PartDrawingLayout* pSelectedLayout = nullptr;
    const DrawingFeatureBase* pSelectedDrawing = nullptr;
    ASSERT_TRUE(tree.GetSelection(pSelectedDrawing, pSelectedLayout));
    ASSERT_NE(pSelectedLayout, nullptr);
    EXPECT_EQ(pSelectedLayout->GetLayoutID(), pPlaced->GetLayoutID()) << "the bar selects the placed layout";
    ASSERT_EQ(pProperties->GetFeaturePropertyCount(), 1);
    const auto* pShown = dynamic_cast<const QZ2Command::DrawingFeatureProperty*>(pProperties->GetFeatureProperty(0));
    ASSERT_NE(pShown, nullptr);
    EXPECT_EQ(pShown->GetLayoutID(), pPlaced->GetLayoutID()) << "the property bar shows it";
    matches("layout placed");

    // The paper renamed in the drawing table, typed into the row's editor.
    pTabs->ShowDrawingTableView();
    Pump();
    CDrawingTableView* pTable = pTabs->GetDrawingTableView();
    ASSERT_NE(pTable, nullptr);
    pTable->GetList().SelectItemsByID({paper2});
    pTable->GetList().FocusItemByID(paper2);
    Pump();
    pTable->SendMessage(WM_COMMAND, 34331);
    CEdit* pEdit = pTable->GetList().GetEditControl();
    ASSERT_NE(pEdit, nullptr) << "the name opens for typing";
    QTest::keyClick(pEdit->GetQWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pEdit->GetQWidget(), QStringLiteral("Elevations"));
    QTest::keyClick(pEdit->GetQWidget(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return pTable->GetList().GetEditControl() == nullptr; }));
    Pump();
    EXPECT_EQ(pModel->GetDrawingFeatureByID(paper2)->GetDrawingName(), CString(u"Elevations"));
    EXPECT_EQ(pModel->GetUndoCount(), undoStart + 5);
    matches("renamed in the table");

    // Undone step by step.
    const char* steps[] = {"undo rename", "undo placement", "undo the change of tab", "undo part drawing",
                           "undo paper"};
    for (const char* step : steps) {
        Command(kUndoID);
        Pump();
        matches(step);
    }
    EXPECT_EQ(pModel->GetUndoCount(), undoStart);
    EXPECT_EQ(pModel->GetDrawingFeatureByID(paper2), nullptr);
    EXPECT_EQ(pModel->GetDrawingFeatureByID(part), nullptr);
}

}  // namespace
