// The drawing table tab: papers only, the active one bold; clicks on a row's state image and check box
// acting on all selected papers in one undo step; rename, reorder by a drop, the preview of the
// selection, Delete never offered; the rows following the document's drawing changes and undo.

#include "tests/app/view/TabViewFixture.h"

#include <algorithm>
#include <memory>

#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "app/CDrawingTableView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

class DrawingTableTest : public TabViewFixture
{
protected:
    void SetUp() override
    {
        TabViewFixture::SetUp();
        Open();
        model->BeginUndoOperation(nullptr);
        paper2 = model->AddPaperFeature(u"Sheet B");
        paper3 = model->AddPaperFeature(u"Sheet C");
        model->EndUndoOperation();
        paper1 = model->GetPaperFeature(0)->GetDrawingID();
        tabs->ShowDrawingTableView();
        table = tabs->GetDrawingTableView();
        ASSERT_NE(table, nullptr);
        PumpTabEvents();
    }
    CDrawingListCtrl& List() { return table->GetList(); }
    std::vector<long> Rows()
    {
        std::vector<long> ids;
        for (int i = 0; i < table->GetPaperCount(); ++i)
            ids.push_back(table->GetPaperID(i));
        return ids;
    }
    std::vector<long> Papers()
    {
        std::vector<long> ids;
        for (int i = 0; i < model->GetPaperFeatureCount(); ++i)
            ids.push_back(model->GetPaperFeature(i)->GetDrawingID());
        return ids;
    }
    void Select(const std::vector<long>& ids)
    {
        List().SelectItemsByID(ids);
        PumpTabEvents();
    }
    int State(long id) { return model->ChangeDrawingFeature(id)->GetDrawingState(); }
    BOOL Printable(long id) { return model->ChangeDrawingFeature(id)->IsPrintable(); }
    // A real click on a part of a row, as the list posts it to the view.
    void ClickPart(long id, int part)
    {
        const int row = List().FindItem(id);
        CRect rcRow;
        ASSERT_TRUE(List().GetItemRect(row, &rcRow, LVIR_BOUNDS));
        for (int x = rcRow.left; x < rcRow.right; ++x) {
            int found = -1;
            const CPoint at(x, rcRow.top + rcRow.Height() / 2);
            if (List().HitTestPart(at, found) == row && found == part) {
                List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
                List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
                PumpTabEvents();
                return;
            }
        }
        ADD_FAILURE() << "no part " << part << " in row " << row;
    }

    CDrawingTableView* table = nullptr;
    long paper1 = -1, paper2 = -1, paper3 = -1;
};

TEST_F(DrawingTableTest, ListsPapersOnlyWithTheActiveOneBold)
{
    EXPECT_EQ(table->GetDisplayMode(), CDrawingTableView::modeDetails);
    EXPECT_EQ(List().GetDisplayStyle(), 0);
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    int columns = 0;
    while (List().GetColumn(columns, &column))
        ++columns;
    EXPECT_EQ(columns, 7);
    EXPECT_EQ(Rows(), Papers()) << "part drawings are not listed";
    const long active = model->GetActiveDrawingID();
    for (int i = 0; i < table->GetPaperCount(); ++i)
        EXPECT_EQ(List().GetItemRecord(i)->bActive, table->GetPaperID(i) == active) << i;

    model->BeginUndoOperation(nullptr);
    EXPECT_TRUE(model->ActivateDrawingFeature(paper3, -1, TRUE));
    model->EndUndoOperation();
    EXPECT_EQ(model->GetActiveDrawingID(), paper3);
    // The document tells only the window in front of an activation; this window is not the main one.
    DrawingFeatureBase* pPaper3 = model->ChangeDrawingFeature(paper3);
    NotifyInfoBase activated(model, NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingActivated);
    activated.SetDrawingArguments(pPaper3, pPaper3, pPaper3->GetSelfPartLayout(), -1);
    tabs->OnDocumentNotify(&activated);
    for (int i = 0; i < table->GetPaperCount(); ++i)
        EXPECT_EQ(List().GetItemRecord(i)->bActive, table->GetPaperID(i) == paper3) << "only the new active row";
}

TEST_F(DrawingTableTest, StateAndPrintableClicksActOnTheSelectionInOneStep)
{
    Select({paper1, paper2, paper3});
    const int undo = model->GetUndoCount();
    ClickPart(paper2, CDrawingListCtrl::partState);
    EXPECT_EQ(State(paper1), 1);
    EXPECT_EQ(State(paper2), 1);
    EXPECT_EQ(State(paper3), 1);
    EXPECT_EQ(model->GetUndoCount(), undo + 1);
    EXPECT_EQ(List().GetItemRecord(List().FindItem(paper3))->nState, 1) << "the rows follow";

    ClickPart(paper2, CDrawingListCtrl::partPrintable);
    EXPECT_FALSE(Printable(paper1));
    EXPECT_FALSE(Printable(paper3));
    ASSERT_TRUE(model->Undo());
    EXPECT_TRUE(Printable(paper1) && Printable(paper2) && Printable(paper3));
    ASSERT_TRUE(model->Undo());
    EXPECT_EQ(State(paper1), 0);
    EXPECT_EQ(List().GetItemRecord(List().FindItem(paper3))->nState, 0) << "undo refills the rows";

    // A row outside the selection changes alone.
    Select({paper1});
    ClickPart(paper3, CDrawingListCtrl::partState);
    EXPECT_EQ(State(paper3), 1);
    EXPECT_EQ(State(paper1), 0);
}

TEST_F(DrawingTableTest, CommandsOnTheSelection)
{
    Select({paper2, paper3});
    EnableCmdUI del(34329);
    del.DoUpdate(table, FALSE);
    EXPECT_FALSE(del.enabled) << "Delete is never offered";
    EnableCmdUI activate(34330);
    activate.DoUpdate(table, FALSE);
    EXPECT_FALSE(activate.enabled) << "two rows";

    table->SendMessage(WM_COMMAND, 34334);
    EXPECT_EQ(State(paper2), 2);
    EXPECT_EQ(State(paper3), 2);
    EnableCmdUI hidden(34334);
    hidden.DoUpdate(table, FALSE);
    EXPECT_EQ(hidden.check, 1);

    model->BeginUndoOperation(nullptr);
    model->SetDrawingPrintable(paper3, FALSE, 1);
    model->EndUndoOperation();
    table->SendMessage(WM_COMMAND, 34335);
    EXPECT_TRUE(Printable(paper2) && Printable(paper3)) << "not all printable: all become printable";
    table->SendMessage(WM_COMMAND, 34335);
    EXPECT_FALSE(Printable(paper2) || Printable(paper3));

    const int drawings = model->GetDrawingFeatureCount();
    table->SendMessage(WM_COMMAND, 34328);
    EXPECT_EQ(model->GetDrawingFeatureCount(), drawings) << "34328 does nothing here";

    Select({paper2});
    table->SendMessage(WM_COMMAND, 34330);
    PumpTabEvents();
    EXPECT_EQ(model->GetActiveDrawingID(), paper2);
}

TEST_F(DrawingTableTest, RenameTakesATextAndIgnoresAnEmptyOne)
{
    auto endEdit = [&](long id, const char16_t* text) {
        NMLVDISPINFO info{};
        info.hdr.hwndFrom = List().GetSafeHwnd();
        info.hdr.idFrom = CDrawingTableView::IDC_LIST;
        info.hdr.code = LVN_ENDLABELEDIT;
        info.item.iItem = List().FindItem(id);
        info.item.pszText = const_cast<LPTSTR>(text);
        table->SendMessage(WM_NOTIFY, CDrawingTableView::IDC_LIST, reinterpret_cast<LPARAM>(&info));
    };
    endEdit(paper2, u"Renamed");
    EXPECT_EQ(model->ChangeDrawingFeature(paper2)->GetDrawingName(), CString(u"Renamed"));
    EXPECT_EQ(List().GetItemRecord(List().FindItem(paper2))->strName, CString(u"Renamed")) << "told, so the row follows";
    const int undo = model->GetUndoCount();
    endEdit(paper2, u"");
    endEdit(paper2, nullptr);
    EXPECT_EQ(model->GetUndoCount(), undo);
    EXPECT_EQ(model->ChangeDrawingFeature(paper2)->GetDrawingName(), CString(u"Renamed"));
}

TEST_F(DrawingTableTest, ADropReordersThePapersInOneStep)
{
    Select({paper3});
    const int undo = model->GetUndoCount();
    table->SendMessage(CDrawingListCtrl::WM_DRAWINGLIST_DROP, static_cast<WPARAM>(List().FindItem(paper1)), 0);
    EXPECT_EQ(Papers(), (std::vector<long>{paper3, paper1, paper2}));
    EXPECT_EQ(Rows(), Papers());
    EXPECT_EQ(model->GetUndoCount(), undo + 1);
    EXPECT_EQ(List().GetSelectedRows(), std::vector<int>{0}) << "the moved paper stays selected";
    ASSERT_TRUE(model->Undo());
    EXPECT_EQ(Papers(), (std::vector<long>{paper1, paper2, paper3}));
    EXPECT_EQ(Rows(), Papers());

    // Drop targets: beside a selected row there is nowhere to go.
    Select({paper2});
    int position = -1;
    CRect rc;
    List().GetItemRect(List().FindItem(paper1), &rc, LVIR_BOUNDS);
    EXPECT_EQ(List().GetDropTarget(CPoint(rc.left + 40, rc.bottom - 2), position), -1) << "after the row before it";
    EXPECT_EQ(List().GetDropTarget(CPoint(rc.left + 40, rc.top + 2), position), List().FindItem(paper1));
    EXPECT_EQ(position, 0);
}

// Dragging rows: the insertion mark stands at the edge of the row the papers would land before or after
// and goes where no drop is possible; near the bottom edge the table scrolls by a row; the drop reorders.
TEST_F(DrawingTableTest, ADragShowsTheInsertMarkAndScrollsNearAnEdge)
{
    model->BeginUndoOperation(nullptr);
    for (int i = 0; i < 40; ++i)
        model->AddPaperFeature(CString(QStringLiteral("Extra %1").arg(i).toStdU16String().c_str()));
    model->EndUndoOperation();
    PumpTabEvents();
    ASSERT_EQ(List().GetItemCount(), 43);
    ASSERT_LT(List().GetCountPerPage(), 43) << "the table must scroll for this test";
    Select({paper1});
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = List().GetSafeHwnd();
    begin.hdr.idFrom = CDrawingTableView::IDC_LIST;
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = List().FindItem(paper1);
    table->SendMessage(WM_NOTIFY, CDrawingTableView::IDC_LIST, reinterpret_cast<LPARAM>(&begin));
    ASSERT_EQ(List().GetDragState(), 1);
    EXPECT_FALSE(List().IsInsertMarkShown());

    // Over the upper half of the third row: before it, the mark along its top edge.
    CRect third;
    ASSERT_TRUE(List().GetItemRect(List().FindItem(paper3), &third, LVIR_BOUNDS));
    const CPoint over(third.left + 40, third.top + 2);
    List().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(List().GetDragState(), 2);
    EXPECT_TRUE(List().IsInsertMarkShown());
    CPoint mark;
    ASSERT_TRUE(List().GetInsertMarkPoint(List().FindItem(paper3), 0, mark));
    EXPECT_EQ(mark.y, third.top);
    ASSERT_TRUE(List().GetInsertMarkPoint(List().FindItem(paper3), 1, mark));
    EXPECT_EQ(mark.y, third.bottom);
    // Over the dragged row itself: nowhere to go, no mark.
    CRect first;
    ASSERT_TRUE(List().GetItemRect(List().FindItem(paper1), &first, LVIR_BOUNDS));
    List().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.left + 40, first.CenterPoint().y));
    EXPECT_EQ(List().GetDragState(), 1);
    EXPECT_FALSE(List().IsInsertMarkShown());

    // Near the bottom edge the table scrolls down one row at a time; in the middle it stays.
    CRect client;
    List().GetClientRect(&client);
    const int top = List().GetTopIndex();
    EXPECT_FALSE(List().ScrollWhileDragging(client.CenterPoint()));
    EXPECT_EQ(List().GetTopIndex(), top);
    EXPECT_TRUE(List().ScrollWhileDragging(CPoint(client.CenterPoint().x, client.bottom - 5)));
    EXPECT_EQ(List().GetTopIndex(), top + 1);
    EXPECT_FALSE(List().IsInsertMarkShown()) << "hidden before scrolling";
    EXPECT_TRUE(List().ScrollWhileDragging(CPoint(client.CenterPoint().x, client.top + 25)));
    EXPECT_EQ(List().GetTopIndex(), top);

    // Dropped after the third paper: one undo step, the marker gone.
    ASSERT_TRUE(List().GetItemRect(List().FindItem(paper3), &third, LVIR_BOUNDS));
    const int undo = model->GetUndoCount();
    List().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(third.left + 40, third.bottom - 2));
    List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(third.left + 40, third.bottom - 2));
    PumpTabEvents();
    EXPECT_EQ(List().GetDragState(), 0);
    EXPECT_FALSE(List().IsInsertMarkShown());
    EXPECT_EQ(model->GetPaperFeature(2)->GetDrawingID(), paper1);
    EXPECT_EQ(model->GetUndoCount(), undo + 1);
}

TEST_F(DrawingTableTest, PreviewShowsTheSelectionElseTheFocusedPaper)
{
    Select({paper1, paper3});
    table->SendMessage(WM_COMMAND, 39484);
    PumpTabEvents();
    EXPECT_EQ(table->GetDisplayMode(), CDrawingTableView::modePreview);
    EXPECT_TRUE(table->GetPreview().IsWindowVisible());
    EXPECT_EQ(table->GetPreview().GetDrawings(), (std::vector<long>{paper1, paper3}));
    Select({});
    List().FocusItemByID(paper2);
    table->SendMessage(WM_COMMAND, 39482);
    table->SendMessage(WM_COMMAND, 39484);
    EXPECT_EQ(table->GetPreview().GetDrawings(), std::vector<long>{paper2});
    EXPECT_FALSE(table->GetPreview().HasCachedImage());
    std::unique_ptr<QImage> two(CDrawingPreviewWnd::CreatePapersImage(model, {paper1, paper3}, 300, 200));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->width(), 300) << "two papers are tiled into the whole picture";
    EXPECT_EQ(CDrawingPreviewWnd::CreatePapersImage(model, {9999}, 300, 200), nullptr);

    table->SendMessage(WM_COMMAND, 39486);
    EXPECT_EQ(table->GetPreview().GetImageMode(), 1);
    EXPECT_EQ(List().GetImageOption(), 1);
    table->SendMessage(WM_COMMAND, 39483);
    EXPECT_FALSE(table->GetPreview().IsWindowVisible());
    EXPECT_EQ(List().GetDisplayStyle(), 1);
}

// Icons: each paper's state picture stands beside its thumbnail, follows the state, and a click on it
// steps the state as in the table.
TEST_F(DrawingTableTest, IconsShowTheStatePictureAndAClickOnItStepsTheState)
{
    model->BeginUndoOperation(nullptr);
    model->SetDrawingState(model->ChangeDrawingFeature(paper2)->GetDrawingName(), 1, 1);
    model->EndUndoOperation();
    table->SendMessage(WM_COMMAND, 39483);
    PumpTabEvents();
    ASSERT_EQ(List().GetDisplayStyle(), 1);
    // Bitmap 401: 3 white sheets (editable), 7 padlock (locked), 4 grey sheets (hidden).
    EXPECT_EQ(List().GetStatePicture(List().FindItem(paper1)), 3);
    EXPECT_EQ(List().GetStatePicture(List().FindItem(paper2)), 7);
    model->BeginUndoOperation(nullptr);
    model->SetDrawingState(model->ChangeDrawingFeature(paper3)->GetDrawingName(), 2, 1);
    model->EndUndoOperation();
    PumpTabEvents();
    EXPECT_EQ(List().GetStatePicture(List().FindItem(paper3)), 4) << "follows the document";

    CRect icon;
    ASSERT_TRUE(List().GetItemRect(List().FindItem(paper2), &icon, LVIR_ICON));
    int part = -1;
    const CPoint onState(icon.left + 6, icon.top + 6);
    EXPECT_EQ(List().HitTestPart(onState, part), List().FindItem(paper2));
    EXPECT_EQ(part, CDrawingListCtrl::partState);
    Select({paper2});
    List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onState.x, onState.y));
    List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onState.x, onState.y));
    PumpTabEvents();
    EXPECT_EQ(State(paper2), 2);
    EXPECT_EQ(List().GetStatePicture(List().FindItem(paper2)), 4);

    // Back in the table the column draws the state: no item picture.
    table->SendMessage(WM_COMMAND, 39482);
    PumpTabEvents();
    EXPECT_EQ(List().GetStatePicture(List().FindItem(paper2)), -1);
}

TEST_F(DrawingTableTest, RowsFollowAddsRemovesAndUndo)
{
    model->BeginUndoOperation(nullptr);
    const long added = model->AddPaperFeature(u"Sheet D");
    model->EndUndoOperation();
    EXPECT_EQ(Rows(), Papers()) << "a new paper is listed at once";
    EXPECT_EQ(List().GetImageList(LVSIL_NORMAL)->GetImageCount(), table->GetPaperCount());
    model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(model->DeleteDrawingFeature(paper2, 1));
    model->EndUndoOperation();
    EXPECT_EQ(Rows(), Papers());
    EXPECT_EQ(List().GetImageList(LVSIL_NORMAL)->GetImageCount(), table->GetPaperCount())
        << "the row's picture goes with it";
    ASSERT_TRUE(model->Undo());
    ASSERT_TRUE(model->Undo());
    EXPECT_EQ(Rows(), Papers());
    EXPECT_EQ(List().FindItem(added), -1);

    // Shapes drawn change the count shown.
    auto* pLine = new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    model->BeginUndoOperation(nullptr);
    model->AddFeature(pLine, model->ChangeDrawingFeature(paper1), 1);
    model->EndUndoOperation();
    delete pLine;
    EXPECT_EQ(List().GetItemRecord(List().FindItem(paper1))->nFeatureCount, -1) << "asked again at the next paint";
}

}  // namespace

namespace {

TEST_F(DrawingTableTest, Screenshots)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "KC_SCREENSHOT_DIR names where the pictures go";
    model->BeginUndoOperation(nullptr);
    for (long id : {paper1, paper2, paper3})
        for (int i = 0; i < 6; ++i) {
            Line2dFeature line(RuVaPnt2d(20 + i * 30, 20 + (id % 3) * 20), RuVaPnt2d(60 + i * 25, 150 - i * 10));
            model->AddFeature(&line, model->ChangeDrawingFeature(id), 1);
        }
    model->SetDrawingState(paper2, 1, 1);
    model->SetDrawingState(paper3, 2, 1);
    model->EndUndoOperation();
    frame->MoveWindow(0, 0, 760, 520);
    Select({paper2});
    PumpTabEvents();
    EXPECT_TRUE(frame->GetQWidget()->grab().save(dir + QStringLiteral("/drawing-table.png")));
    Select({paper1, paper3});
    table->SendMessage(WM_COMMAND, 39484);
    PumpTabEvents();
    EXPECT_TRUE(frame->GetQWidget()->grab().save(dir + QStringLiteral("/drawing-table-preview.png")));
    table->SendMessage(WM_COMMAND, 39483);
    PumpTabEvents();
    EXPECT_TRUE(frame->GetQWidget()->grab().save(dir + QStringLiteral("/drawing-table-icons.png")));
}

}  // namespace
