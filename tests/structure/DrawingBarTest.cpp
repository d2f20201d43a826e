// The drawing bar over a real document: its tree follows every drawing change (codes 1-11) and undo, and
// its operations refuse, ask and change the document as one undo step each.
#include <gtest/gtest.h>

#include <functional>

#include "StructureFixture.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

std::string Text(const CString& s) { return QString::fromUtf16(static_cast<LPCTSTR>(s)).toStdString(); }

class DrawingBarTest : public DrawingBarFixture
{
};

TEST_F(DrawingBarTest, TheTreeFollowsEveryDrawingChangeAndEachUndo)
{
    ASSERT_EQ(Tree(), Expected());
    const std::string first = Text(doc.GetDrawingFeatureByIndex(0)->GetDrawingName());
    ASSERT_EQ(Tree(), "Drawings*{" + first + "*!}");
    long paper2 = -1;
    long part = -1;
    long layout = -1;
    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Step> steps = {
        {"add paper (1, 4)", [&] { paper2 = doc.AddPaperFeature(nullptr); }},
        {"add part drawing (1)", [&] { part = doc.AddPartDrawingFeature(nullptr); }},
        {"place a layout (7)", [&] { layout = doc.AddPartLayout(paper2, part, nullptr, -1, 1); }},
        {"activate the layout (4)", [&] { doc.ActivateDrawingFeature(paper2, layout, 1); }},
        {"activate the first paper (4)", [&] { doc.ActivateDrawingFeature(doc.GetDrawingFeatureByIndex(0), 1); }},
        {"rename (3)", [&] { doc.SetDrawingName(paper2, CString(_T("Sheet B")), 1); }},
        {"lock (3)", [&] { doc.SetDrawingState(part, 1, 1); }},
        {"hide (3)", [&] { doc.SetDrawingState(paper2, 2, 1); }},
        {"rename the layout (9)", [&] { doc.SetPartLayoutName(layout, CString(_T("Detail A")), 1); }},
        {"move a drawing (5)", [&] { doc.SetDrawingOrder(part, 0, 1); }},
        {"second layout and its move (7, 10)", [&] {
             doc.BeginUndoOperation(nullptr);
             const long second = doc.AddPartLayout(paper2, part, nullptr, -1, 1);
             doc.SetPartLayoutOrder(second, 0, 1);
             doc.EndUndoOperation();
         }},
        {"remove a layout (8)", [&] { doc.DeletePartLayout(layout, 1); }},
        {"remove a drawing (2)", [&] { doc.DeleteDrawingFeature(part, 1); }},
    };
    int count = 0;
    for (const Step& step : steps) {
        step.act();
        ++count;
        EXPECT_EQ(Tree(), Expected()) << step.what;
    }
    // Undo swaps the drawings section and reports a rebuild (6); the tree keeps ids, not the records.
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(doc.Undo(1));
        EXPECT_EQ(Tree(), Expected()) << "after undo " << i + 1;
    }
    EXPECT_EQ(Tree(), "Drawings*{" + first + "*!}");
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(doc.Redo(1));
        EXPECT_EQ(Tree(), Expected()) << "after redo " << i + 1;
    }
}

TEST_F(DrawingBarTest, APaperListsItsLayoutsOnlyWhileItHasOneBesidesItsOwn)
{
    const long part = doc.AddPartDrawingFeature(_T("Bracket"));
    const long paper = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
    const long layout = doc.AddPartLayout(paper, part, _T("Bracket 1:2"), -1, 1);
    const std::string first = Text(doc.GetDrawingFeatureByIndex(0)->GetDrawingName());
    EXPECT_EQ(Tree(), "Drawings*{" + first + "{" + first + "*!;Bracket 1:2};Bracket}");
    doc.DeletePartLayout(layout, 1);
    EXPECT_EQ(Tree(), "Drawings*{" + first + "*!;Bracket}");
}

TEST_F(DrawingBarTest, ARebuildKeepsTheSelectedItem)
{
    const long part = doc.AddPartDrawingFeature(nullptr);
    Select(Item(part));
    NotifyInfoBase info(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingRebuild);
    bar.OnDocumentNotify(&info);
    EXPECT_EQ(bar.GetTree().GetSelectedTreeItem(), Item(part));
    EXPECT_EQ(bar.GetTree().GetSelectedDrawing()->GetDrawingID(), part);
}

TEST_F(DrawingBarTest, DeletingRefusesTheOnlyPaperAndOwnLayoutsAndAsksBeforeShapesGo)
{
    const long paper1 = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
    Select(Item(paper1));
    EXPECT_FALSE(bar.DeleteSelected());
    ASSERT_EQ(TheApp().boxes.size(), 1u);
    EXPECT_TRUE(TheApp().boxes[0].contains("only paper"));
    EXPECT_EQ(doc.GetDrawingFeatureCount(), 1);

    const long part = doc.AddPartDrawingFeature(_T("Shaft"));
    doc.AddPartLayout(paper1, part, nullptr, -1, 1);
    Select(bar.GetTree().FindLayoutItem(doc.GetDrawingFeatureByID(paper1)->GetSelfPartLayoutID()));
    EXPECT_FALSE(bar.DeleteSelected());
    EXPECT_TRUE(TheApp().boxes.back().contains("own layout"));

    AddLine(part);
    Select(Item(part));
    TheApp().answer = IDNO;
    const int undoCount = doc.GetUndoCount();
    EXPECT_FALSE(bar.DeleteSelected());
    EXPECT_TRUE(TheApp().boxes.back().contains("\"Shaft\""));
    EXPECT_EQ(TheApp().types.back() & MB_DEFBUTTON2, static_cast<UINT>(MB_DEFBUTTON2));
    EXPECT_TRUE(doc.IsDrawingFeatureExists(part));
    EXPECT_EQ(doc.GetUndoCount(), undoCount);
    TheApp().answer = IDYES;
    EXPECT_TRUE(bar.DeleteSelected());
    EXPECT_FALSE(doc.IsDrawingFeatureExists(part));
    EXPECT_EQ(doc.GetUndoCount(), undoCount + 1);
    EXPECT_EQ(Tree(), Expected());
}

TEST_F(DrawingBarTest, AddingAPartDrawingNeedsAPaperTabWhenThereAreSeveralPapers)
{
    // One paper: it receives the layout, before any view is asked.
    EXPECT_TRUE(bar.AddPartDrawing());
    bar.GetTree().EndEditLabelNow(TRUE);
    const DrawingFeatureBase* pPaper = doc.GetDrawingFeatureByIndex(0);
    ASSERT_EQ(pPaper->GetPartLayoutCount(), 1);
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetDrawingType(), DrawingFeatureBase::typePart);
    EXPECT_EQ(Tree(), Expected());
    // Two papers and no paper tab (no view at all here): message 10131, nothing added.
    doc.AddPaperFeature(nullptr);
    const int drawings = doc.GetDrawingFeatureCount();
    TheApp().boxes.clear();
    EXPECT_FALSE(bar.AddPartDrawing());
    ASSERT_EQ(TheApp().boxes.size(), 1u);
    EXPECT_TRUE(TheApp().boxes[0].contains("paper"));
    EXPECT_EQ(doc.GetDrawingFeatureCount(), drawings);
}

TEST_F(DrawingBarTest, AnAddedPaperIsActiveSelectedAndOpenForNaming)
{
    const int undo = doc.GetUndoCount();
    EXPECT_TRUE(bar.AddPaper());
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    const DrawingFeatureBase* pNew = doc.GetDrawingFeatureByIndex(doc.GetDrawingFeatureCount() - 1);
    EXPECT_EQ(doc.GetActiveDrawingID(), pNew->GetDrawingID());
    EXPECT_EQ(bar.GetTree().GetSelectedTreeItem(), Item(pNew->GetDrawingID()));
    EXPECT_NE(bar.GetTree().GetEditControl(), nullptr);
    const CString name = pNew->GetDrawingName();
    bar.GetTree().EndEditLabelNow(TRUE);
    EXPECT_EQ(pNew->GetDrawingName(), name) << "a cancelled edit keeps the name the document made";
}

TEST_F(DrawingBarTest, RenamingKeepsTheOldNameForEmptyOrTakenNames)
{
    const long part = doc.AddPartDrawingFeature(_T("Lever"));
    const long paper = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
    HTREEITEM hPart = Item(part);
    EXPECT_FALSE(bar.RenameItem(hPart, CString()));
    EXPECT_FALSE(bar.RenameItem(hPart, doc.GetDrawingFeatureByID(paper)->GetDrawingName()));
    EXPECT_EQ(doc.GetDrawingFeatureByID(part)->GetDrawingName(), CString(_T("Lever")));
    EXPECT_EQ(bar.GetTree().GetItemText(hPart), CString(_T("Lever")));
    const int undo = doc.GetUndoCount();
    EXPECT_TRUE(bar.RenameItem(hPart, CString(_T("Arm"))));
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    EXPECT_EQ(bar.GetTree().GetItemText(Item(part)), CString(_T("Arm")));
}

TEST_F(DrawingBarTest, TheStateOfAllOtherDrawingsShowsOnEveryItem)
{
    const long part1 = doc.AddPartDrawingFeature(_T("A"));
    const long part2 = doc.AddPartDrawingFeature(_T("B"));
    Select(Item(part1));
    const int undo = doc.GetUndoCount();
    EXPECT_TRUE(bar.SetOtherDrawingsState(1));
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    EXPECT_EQ(doc.GetDrawingFeatureByID(part2)->GetDrawingState(), 1);
    EXPECT_EQ(doc.GetDrawingFeatureByID(part1)->GetDrawingState(), 0);
    EXPECT_EQ(Tree(), Expected());
    EXPECT_EQ(Tree(), "Drawings*{" + Text(doc.GetDrawingFeatureByIndex(0)->GetDrawingName()) + "*!;A;B#}");
}

TEST_F(DrawingBarTest, TheDocumentCodeFromTheTreeGoesToTheFrameAndOthersAreHandled)
{
    // A record arriving as WM_NOTIFY from elsewhere is taken like OnDocumentNotify.
    const long part = doc.AddPartDrawingFeature(nullptr);
    bar.GetTree().RemoveDrawingItem(part);
    NotifyInfoBase info(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingAdded);
    info.SetDrawingArguments(doc.GetDrawingFeatureByID(part), nullptr, nullptr, -1);
    struct {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    } note{{host.GetSafeHwnd(), 1, CDrawingBar::kDocumentNotifyCode}, &info};
    bar.SendMessage(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&note));
    EXPECT_EQ(Tree(), Expected());
}

}  // namespace
