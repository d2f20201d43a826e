// The drawing bar in the running program: a new drawing's papers and part drawings added from the bar's
// buttons, the part drawing placed on the paper whose tab is active, and undo step by step with the bar's
// tree matching the document each time.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

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

}  // namespace
