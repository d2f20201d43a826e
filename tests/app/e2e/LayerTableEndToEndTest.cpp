// The layer table tab in the running program: a group and two layers added from the bar, a layer renamed
// in the table, dragged into the group, made current and another hidden with the table's clicks, a layer
// holding shapes deleted after the question; each step one undo step, and undo step by step with the table
// and the bar's tree matching the document. Also: the delete question over several rows, the hidden
// toggle, command enabling, the context menu per selection, the table following changes made elsewhere,
// and the mode and column widths kept across a restart.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgramFixture.h"

#include "app/CLayerTableView.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "controls/CQZ2MessageBox.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "structure/CLayerBar.h"
#include "structure/LayerTableViewSetting.h"

namespace {

constexpr UINT kUndoID = 57643;
using View = CLayerTableView;
using List = CLayerListCtrl;

class LayerTableEndToEndTest : public ProgramFixture
{
protected:
    void Open()
    {
        CQZ2Doc* pDoc = NewDrawing();
        ASSERT_NE(pDoc, nullptr);
        m_model = pDoc->GetDraw2dDocument();
        CQZ2TabView* pTabs = pDoc->GetFrontTabView();
        ASSERT_NE(pTabs, nullptr);
        pTabs->ShowLayerTableView();
        Pump();
        m_view = pTabs->GetLayerTableView();
        ASSERT_NE(m_view, nullptr);
        ASSERT_EQ(m_view->GetModel(), m_model);
    }
    List& L() { return m_view->GetList(); }
    const LayerFeatureTable* T() const { return m_model->GetLayerTable(); }
    void ViewCommand(UINT nID)
    {
        m_view->SendMessage(WM_COMMAND, nID, 0);
        Pump();
    }
    void Select(std::initializer_list<long> ids)
    {
        CDWordArray a;
        for (long id : ids)
            a.Add(static_cast<DWORD>(id));
        L().SelectLayers(a);
        Pump();
    }
    long AddLine(long layer)
    {
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
        line.SetLayerID(layer);
        return m_model->AddFeature(&line, nullptr, 1);
    }
    CRect RowRect(long id)
    {
        CRect r;
        L().GetItemRect(L().FindLayerRow(id), &r, LVIR_BOUNDS);
        return r;
    }
    void Click(CPoint p)
    {
        L().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        L().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Pump();
    }
    // Answers the next four-button question with a button (Yes to all is button 2436).
    void Answer(int answer)
    {
        const int button = answer == CQZ2MessageBox::kYesToAll ? 2436 : answer;
        WhenModal<CQZ2MessageBox>([button](CQZ2MessageBox& box) {
            CWnd* pButton = box.GetDlgItem(button);
            ASSERT_NE(pButton, nullptr) << button;
            box.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
        });
    }
    // The table shows the children of its group in the document's order with their values.
    void ExpectTableMatches()
    {
        const long group = m_view->GetGroupShown();
        ASSERT_TRUE(T()->IsGroup(group)) << group;
        ASSERT_EQ(L().GetItemCount(), T()->GetChildLayerFeatureCount(group));
        for (int i = 0; i < L().GetItemCount(); ++i) {
            const long id = T()->GetChildLayerID(group, i);
            const List::Row* pRow = L().GetRow(i);
            ASSERT_NE(pRow, nullptr);
            EXPECT_EQ(pRow->nLayerID, id) << i;
            EXPECT_EQ(pRow->strName, T()->GetLayerName(id)) << i;
            EXPECT_EQ(pRow->bCurrent, id == m_model->GetCurrentLayerID() ? TRUE : FALSE) << i;
            if (!T()->IsGroup(id))
                EXPECT_EQ(pRow->nHide, T()->IsLayerHide(id) ? 1 : 0) << i;
            else if (T()->GetChildLayerCount(id, TRUE) > 0)
                EXPECT_EQ(pRow->nHide, T()->GetLayerGroupHide(id)) << i;
        }
    }
    // The bar's tree holds one item per record under its group's item.
    void ExpectBarMatches(long group = -1)
    {
        CLayerCommandTreeCtrl& tree = m_frame->GetLayerBar()->GetTree();
        HTREEITEM hGroup = tree.FindLayerItem(group);
        ASSERT_NE(hGroup, nullptr);
        ASSERT_EQ(tree.GetChildCount(hGroup), T()->GetChildLayerFeatureCount(group));
        for (int i = 0; i < T()->GetChildLayerFeatureCount(group); ++i) {
            const long id = T()->GetChildLayerID(group, i);
            EXPECT_EQ(tree.GetItemLayer(tree.GetChildItemAt(hGroup, i))->GetLayerID(), id);
            if (T()->IsGroup(id))
                ExpectBarMatches(id);
        }
    }

    Draw2dDocument* m_model = nullptr;
    View* m_view = nullptr;
};

TEST_F(LayerTableEndToEndTest, StepsThroughTheTableAreOneUndoStepEachAndUndoKeepsTheTableInStep)
{
    Open();
    m_frame->ShowLayerBar(TRUE);
    Pump();
    CLayerBar* pBar = m_frame->GetLayerBar();
    ASSERT_EQ(pBar->GetDocument(), m_model);
    EXPECT_EQ(m_view->GetGroupShown(), -1);
    ExpectTableMatches();
    std::vector<int> steps{m_model->GetUndoCount()};
    auto oneStep = [&](const char* what) {
        EXPECT_EQ(m_model->GetUndoCount(), steps.back() + 1) << what;
        steps.push_back(m_model->GetUndoCount());
        ExpectTableMatches();
        ExpectBarMatches();
    };
    auto endBarEdit = [&] {
        if (CEdit* pEdit = pBar->GetTree().GetEditControl())
            QTest::keyClick(pEdit->GetQWidget(), Qt::Key_Escape);
        Pump();
    };
    const long first = m_model->GetCurrentLayerID();

    // A group and two layers from the bar.
    ASSERT_TRUE(pBar->GetTree().SelectLayerItem(first));
    pBar->SendMessage(WM_COMMAND, CLayerCommandTreeCtrl::cmdAddGroup, 0);
    Pump();
    endBarEdit();
    const long group = pBar->GetTree().GetSelectedLayer()->GetLayerID();
    ASSERT_TRUE(T()->IsGroup(group));
    oneStep("add a group");
    EXPECT_GE(L().FindLayerRow(group), 0) << "the table shows the new group";
    long layers[2] = {-1, -1};
    for (long& layer : layers) {
        ASSERT_TRUE(pBar->GetTree().SelectLayerItem(first));
        pBar->SendMessage(WM_COMMAND, CLayerCommandTreeCtrl::cmdAddLayer, 0);
        Pump();
        endBarEdit();
        layer = m_model->GetCurrentLayerID();
        oneStep("add a layer");
    }

    // Renamed in place in the table.
    L().SelectLayer(layers[0]);
    ViewCommand(View::cmdRename);
    CEdit* pEdit = L().GetEditControl();
    ASSERT_NE(pEdit, nullptr) << "the name opens for typing";
    QTest::keyClick(pEdit->GetQWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pEdit->GetQWidget(), QStringLiteral("Walls"));
    QTest::keyClick(pEdit->GetQWidget(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return L().GetEditControl() == nullptr; }));
    Pump();
    EXPECT_EQ(T()->GetLayerName(layers[0]), CString(u"Walls"));
    oneStep("rename in the table");

    // Dragged into the group: the list's drag ends in a drop on the group's middle.
    L().SelectLayer(layers[0]);
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = L().m_hWnd;
    begin.hdr.idFrom = View::kListId;
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = L().FindLayerRow(layers[0]);
    m_view->SendMessage(WM_NOTIFY, View::kListId, reinterpret_cast<LPARAM>(&begin));
    EXPECT_EQ(L().GetDragState(), 1);
    const CPoint into(RowRect(group).left + 40, RowRect(group).CenterPoint().y);
    L().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(into.x, into.y));
    EXPECT_TRUE(L().GetItemState(L().FindLayerRow(group), LVIS_DROPHILITED)) << "the group is highlighted";
    L().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(into.x, into.y));
    Pump();
    EXPECT_EQ(L().GetDragState(), 0);
    EXPECT_EQ(T()->GetParentLayerID(layers[0]), group);
    EXPECT_EQ(L().FindLayerRow(layers[0]), -1) << "gone from the root's rows";
    oneStep("drag into the group");

    // The first layer current through its marker, then the other one hidden through its box.
    L().SelectLayer(layers[1]);
    Click(L().GetMarkerRect(RowRect(first)).CenterPoint());
    EXPECT_EQ(m_model->GetCurrentLayerID(), first);
    EXPECT_TRUE(L().GetItemState(L().FindLayerRow(layers[1]), LVIS_SELECTED)) << "the selection stays";
    oneStep("make current by the marker");
    Click(List::CheckBoxRect(L().GetCellRect(RowRect(layers[1]), 2)).CenterPoint());
    EXPECT_TRUE(T()->IsLayerHide(layers[1]));
    oneStep("hide through the check box");

    // A layer holding a shape deleted after Yes.
    AddLine(layers[1]);
    steps.push_back(m_model->GetUndoCount());
    L().SelectLayer(layers[1]);
    Answer(IDYES);
    ViewCommand(View::cmdDelete);
    EXPECT_EQ(PendingModalActions(), 0u) << "the question came";
    EXPECT_FALSE(T()->IsExistLayerID(layers[1]));
    oneStep("delete with its shape");

    while (steps.size() > 1) {
        steps.pop_back();
        Command(kUndoID);
        Pump();
        ASSERT_EQ(m_model->GetUndoCount(), steps.back());
        ExpectTableMatches();
        ExpectBarMatches();
    }
    EXPECT_FALSE(T()->IsExistLayerID(group));
}

TEST_F(LayerTableEndToEndTest, DeleteAsksPerLayerWithShapesWithYesToAllAndCancel)
{
    Open();
    m_model->BeginUndoOperation(nullptr);
    const long a = m_model->AddLayer(-1, u"A", 1);
    const long b = m_model->AddLayer(-1, u"B", 1);
    const long c = m_model->AddLayer(-1, u"C", 1);
    AddLine(b);
    AddLine(c);
    m_model->EndUndoOperation();
    Pump();

    struct Case {
        const char* what;
        int answer;
        bool aGone, bGone, cGone;
        size_t pending;
    };
    const Case cases[] = {
        {"yes to all", CQZ2MessageBox::kYesToAll, true, true, true, 0},
        {"cancel at the second", IDCANCEL, true, false, false, 0},
        {"no skips the second only", IDNO, true, false, true, 1},
    };
    for (const Case& k : cases) {
        const int before = m_model->GetUndoCount();
        Select({a, b, c});
        Answer(k.answer);
        if (k.answer == IDNO)
            Answer(IDYES);
        ViewCommand(View::cmdDelete);
        EXPECT_EQ(PendingModalActions(), 0u) << k.what;
        EXPECT_EQ(!T()->IsExistLayerID(a), k.aGone) << k.what;
        EXPECT_EQ(!T()->IsExistLayerID(b), k.bGone) << k.what;
        EXPECT_EQ(!T()->IsExistLayerID(c), k.cGone) << k.what;
        EXPECT_EQ(m_model->GetUndoCount(), before + 1) << k.what << ": one step, even after Cancel";
        ExpectTableMatches();
        Command(kUndoID);
        Pump();
        ASSERT_TRUE(T()->IsExistLayerID(a) && T()->IsExistLayerID(b) && T()->IsExistLayerID(c)) << k.what;
    }
}

TEST_F(LayerTableEndToEndTest, HiddenToggleEnablingAndContextMenus)
{
    Open();
    m_model->BeginUndoOperation(nullptr);
    const long g = m_model->AddLayerGroup(u"G", -1);
    const long in1 = m_model->AddLayer(g, u"In1", 1);
    const long in2 = m_model->AddLayer(g, u"In2", 1);
    const long x = m_model->AddLayer(-1, u"X", 1);
    const long y = m_model->AddLayer(-1, u"Y", 1);
    m_model->EndUndoOperation();
    Pump();
    const long current = m_model->GetCurrentLayerID();

    struct HideCase {
        const char* what;
        std::function<void()> before;
        std::initializer_list<long> selected;
        bool hidden;
    };
    const HideCase hides[] = {
        {"one hidden, one shown: both hidden", [&] { m_model->SetLayerHide(x, TRUE, 1); }, {x, y}, true},
        {"both hidden: both shown", [&] {}, {x, y}, false},
        {"hidden group and a shown layer: both hidden",
         [&] { m_model->SetLayerHide(in1, TRUE, 1); m_model->SetLayerHide(in2, TRUE, 1); }, {g, x}, true},
    };
    for (const HideCase& h : hides) {
        h.before();
        Pump();
        Select(h.selected);
        ViewCommand(View::cmdHide);
        for (long id : {x})
            EXPECT_EQ(T()->IsLayerHide(id) != FALSE, h.hidden) << h.what;
        if (h.selected.size() == 2 && *h.selected.begin() == x)
            EXPECT_EQ(T()->IsLayerHide(y) != FALSE, h.hidden) << h.what;
        else
            EXPECT_TRUE(T()->IsLayerHide(in1) && T()->IsLayerHide(in2)) << h.what;
    }

    struct EnableCase {
        const char* what;
        std::initializer_list<long> selected;
        UINT command;
        bool enabled;
    };
    const EnableCase enables[] = {
        {"delete with the current layer among two", {current, x}, View::cmdDelete, false},
        {"delete of two other layers", {x, y}, View::cmdDelete, true},
        {"delete of nothing", {}, View::cmdDelete, false},
        {"make current on a group", {g}, View::cmdMakeCurrent, false},
        {"make current on two", {x, y}, View::cmdMakeCurrent, false},
        {"make current on one layer", {x}, View::cmdMakeCurrent, true},
        {"rename of two", {x, y}, View::cmdRename, false},
        {"state of a group with layers", {g}, View::cmdState1, true},
        {"all others with everything selected", {current, g, x, y}, View::cmdOthersHide, false},
        {"all others with one selected", {x}, View::cmdOthersHide, true},
        {"move with a selection", {x}, View::cmdMove, true},
        {"add always", {}, View::cmdAddLayer, true},
    };
    for (const EnableCase& e : enables) {
        Select(e.selected);
        EXPECT_EQ(m_view->IsCommandEnabled(e.command) != FALSE, e.enabled) << e.what;
    }

    // The context menu of a row keeps positions 6 to 8 only for one selected group.
    struct MenuCase {
        const char* what;
        std::initializer_list<long> selected;
        bool groupItems;
    };
    const MenuCase menus[] = {
        {"one group", {g}, true}, {"one layer", {x}, false}, {"a group and a layer", {g, x}, false}};
    for (const MenuCase& m : menus) {
        Select(m.selected);
        CMenu menu;
        ASSERT_TRUE(m_view->PrepareContextMenu(0, menu)) << m.what;
        CMenu* pPopup = menu.GetSubMenu(0);
        ASSERT_NE(pPopup, nullptr);
        const bool has = pPopup->GetMenuItemID(6) == View::cmdAddLayer && pPopup->GetMenuItemID(7) == View::cmdAddGroup;
        EXPECT_EQ(has, m.groupItems) << m.what;
        EXPECT_EQ(static_cast<int>(pPopup->GetMenuItemCount()), m.groupItems ? 18 : 15) << m.what;
        menu.DestroyMenu();
    }
    CMenu empty;
    ASSERT_TRUE(m_view->PrepareContextMenu(-1, empty));
    EXPECT_EQ(empty.GetSubMenu(0)->GetMenuItemID(0), View::cmdAddLayer);
    empty.DestroyMenu();
}

TEST_F(LayerTableEndToEndTest, FollowsChangesMadeElsewhere)
{
    Open();
    m_model->BeginUndoOperation(nullptr);
    const long g = m_model->AddLayerGroup(u"G", -1);
    const long sub = m_model->AddLayerGroup(u"Sub", g);
    const long deep = m_model->AddLayer(sub, u"Deep", 1);
    const long in = m_model->AddLayer(g, u"In", 1);
    m_model->EndUndoOperation();
    Pump();
    m_view->ShowGroup(g);
    ExpectTableMatches();

    // A new empty group takes its notified place, not the end.
    m_model->BeginUndoOperation(nullptr);
    const long empty = m_model->AddLayerGroup(u"Empty", g);
    m_model->MoveInLayer(empty, g, 0, 1);
    m_model->EndUndoOperation();
    Pump();
    ExpectTableMatches();

    // A change inside a sub-group refreshes the sub-group's common values.
    m_model->SetLayerHide(deep, TRUE, 1);
    Pump();
    EXPECT_EQ(L().GetRow(L().FindLayerRow(sub))->nHide, 1);
    m_model->SetLayerColorNo(in, 6, 1);
    Pump();
    EXPECT_EQ(L().GetRow(L().FindLayerRow(in))->nColorNo, 6);

    // The group shown deleted elsewhere: the current layer's group is shown.
    m_model->DeleteLayer(g, 1);
    Pump();
    EXPECT_EQ(m_view->GetGroupShown(), T()->GetParentLayerID(m_model->GetCurrentLayerID()));
    ExpectTableMatches();

    // The drawing shown removed: the first paper is shown.
    const long paper0 = m_model->GetPaperFeature(0)->GetDrawingID();
    m_model->BeginUndoOperation(nullptr);
    const long added = m_model->AddPaperFeature(u"Second");
    m_model->EndUndoOperation();
    ASSERT_NE(added, -1);
    m_view->SetDrawing(added);
    m_model->BeginUndoOperation(nullptr);
    m_model->DeleteDrawingFeature(added, 1);
    m_model->EndUndoOperation();
    Pump();
    EXPECT_EQ(m_view->GetDrawingID(), paper0);
    EXPECT_EQ(L().GetDrawing(), paper0);
}

// The shape counts of the table stay right through every kind of shape change: added, moved to another
// layer, deleted, undone and redone, with a drawing or a layer going with its shapes.
TEST_F(LayerTableEndToEndTest, ShapeCountsFollowEveryChange)
{
    Open();
    m_model->BeginUndoOperation(nullptr);
    const long a = m_model->AddLayer(-1, u"A", 1);
    const long b = m_model->AddLayer(-1, u"B", 1);
    m_model->EndUndoOperation();
    m_view->ShowGroup(-1);
    Pump();
    auto expectCounts = [&](const char* step) {
        Pump();
        for (int i = 0; i < L().GetItemCount(); ++i) {
            const List::Row* pRow = L().GetRow(i);
            if (pRow->bGroup)
                continue;
            EXPECT_EQ(L().GetCountText(i), CString(QString::number(m_model->GetFeatureCountByLayer(pRow->nLayerID))
                                                      .toStdU16String()
                                                      .c_str()))
                << step << ", layer " << pRow->nLayerID;
        }
    };
    expectCounts("at the start");
    m_model->BeginUndoOperation(nullptr);
    const long one = AddLine(a);
    AddLine(a);
    AddLine(b);
    m_model->EndUndoOperation();
    expectCounts("three added");
    std::unique_ptr<Feature2dBase> moved(m_model->GetFeature(one)->CopyObject());
    moved->SetLayerID(b);
    m_model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(m_model->UpdateFeature(one, moved.get(), 1, Feature2dBase::copyAll));
    m_model->EndUndoOperation();
    expectCounts("one moved to B");
    m_model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(m_model->DeleteFeature(one, 1));
    m_model->EndUndoOperation();
    expectCounts("the moved one deleted");
    ASSERT_TRUE(m_model->Undo(2));
    expectCounts("two steps undone");
    ASSERT_TRUE(m_model->Redo(2));
    expectCounts("and redone");

    // A second paper with shapes of A, removed and brought back.
    m_model->BeginUndoOperation(nullptr);
    const long paper = m_model->AddPaperFeature(u"Second");
    m_model->EndUndoOperation();
    Line2dFeature there(RuVaPnt2d(0, 0), RuVaPnt2d(5, 5));
    there.SetLayerID(a);
    m_model->BeginUndoOperation(nullptr);
    m_model->AddFeature(&there, m_model->GetDrawingFeatureByID(paper), 1);
    m_model->EndUndoOperation();
    expectCounts("a shape on the second paper");
    m_model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(m_model->DeleteDrawingFeature(paper, 1));
    m_model->EndUndoOperation();
    expectCounts("the paper removed with its shape");
    ASSERT_TRUE(m_model->Undo());
    expectCounts("the paper back");

    // A layer deleted with its shapes, and a new layer made: it starts at none.
    m_model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(m_model->DeleteLayer(b, 1));
    const long fresh = m_model->AddLayer(-1, u"Fresh", 1);
    m_model->EndUndoOperation();
    EXPECT_EQ(L().GetCountText(L().FindLayerRow(fresh)), CString(u"0"));
    expectCounts("B deleted, a new layer");
    ASSERT_TRUE(m_model->Undo());
    expectCounts("B back with its shapes");
}

TEST_F(LayerTableEndToEndTest, ModeOptionAndColumnWidthsSurviveARestart)
{
    Open();
    EXPECT_FALSE(m_view->SetPreviewOption(3));
    ViewCommand(View::cmdOption1);
    EXPECT_EQ(m_view->GetPreviewOption(), 1);
    // A divider dragged: the list tells the view at once.
    NMHEADER header{};
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = 222;
    header.hdr.hwndFrom = L().m_hWnd;
    header.hdr.idFrom = 0;
    header.hdr.code = HDN_ENDTRACK;
    header.iItem = 4;
    header.pitem = &item;
    L().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(m_app->GetLayerTableViewSetting()->GetColumnWidths().GetSize(), 8);
    EXPECT_EQ(m_app->GetLayerTableViewSetting()->GetColumnWidths()[4], 222u);
    // The mode button steps the modes.
    ViewCommand(View::cmdMode);
    EXPECT_EQ(m_view->GetMode(), 1);
    ViewCommand(View::cmdMode);
    EXPECT_EQ(m_view->GetMode(), 2);
    EXPECT_TRUE(m_view->GetPreview().IsWindowVisible());

    Stop();
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    EXPECT_EQ(m_app->GetLayerTableViewSetting()->GetListMode(), 2);
    Open();
    EXPECT_EQ(m_view->GetMode(), 2) << "opens with the preview";
    EXPECT_EQ(m_view->GetPreviewOption(), 1);
    EXPECT_TRUE(m_view->GetPreview().IsWindowVisible());
    const std::vector<long> shown{L().GetLayerID(L().GetNextItem(-1, LVNI_FOCUSED))};
    EXPECT_EQ(m_view->GetPreview().GetLayerIDs(), shown) << "the focused row's layer";
    ViewCommand(View::cmdTable);
    EXPECT_EQ(L().GetColumnWidth(4), 222);
}

TEST_F(LayerTableEndToEndTest, ToolbarDropDownsListTheDrawingsAndCheckTheMode)
{
    Open();
    m_model->BeginUndoOperation(nullptr);
    const long second = m_model->AddPaperFeature(u"Second sheet");
    m_model->EndUndoOperation();
    ASSERT_NE(second, -1);
    CLayerTableViewToolBar& bar = m_view->GetToolBar();
    // The preview button opens its menu on a click: it has no command of its own, and is the last.
    auto dropDown = [&](UINT nID) -> QMenu* {
        auto* tb = qobject_cast<QToolBar*>(bar.GetLayoutWidget());
        const int index = nID == View::cmdPreview ? bar.GetCount() - 1 : bar.CommandToIndex(nID);
        return tb != nullptr && index >= 0 && index < tb->actions().size() ? tb->actions()[index]->menu() : nullptr;
    };
    EXPECT_EQ(bar.GetCount(), 8);
    QStringList tips;
    if (auto* tb = qobject_cast<QToolBar*>(bar.GetLayoutWidget()))
        for (QAction* a : tb->actions())
            if (!a->isSeparator())
                tips << a->toolTip();
    EXPECT_EQ(tips, QStringList({QStringLiteral("Parent Group"), QStringLiteral("Add Layer"), QStringLiteral("Add Group"),
                                 QStringLiteral("Delete"), QStringLiteral("Display Mode"),
                                 QStringLiteral("Preview Options")}));
    QMenu* pModes = dropDown(View::cmdMode);
    ASSERT_NE(pModes, nullptr);
    Q_EMIT pModes->aboutToShow();
    ASSERT_EQ(pModes->actions().size(), 3);
    EXPECT_TRUE(pModes->actions()[m_view->GetMode()]->isChecked()) << "the mode shown is ticked";

    QMenu* pPreview = dropDown(View::cmdPreview);
    ASSERT_NE(pPreview, nullptr);
    Q_EMIT pPreview->aboutToShow();
    QMenu* pDrawings = nullptr;
    for (QAction* a : pPreview->actions())
        if (a->menu() != nullptr)
            pDrawings = a->menu();
    ASSERT_NE(pDrawings, nullptr);
    ASSERT_EQ(pDrawings->actions().size(), m_model->GetDrawingFeatureCount()) << "one item per drawing";
    QAction* pSecond = nullptr;
    for (QAction* a : pDrawings->actions())
        if (a->text() == QStringLiteral("Second sheet"))
            pSecond = a;
    ASSERT_NE(pSecond, nullptr);
    pSecond->trigger();
    Pump();
    EXPECT_EQ(m_view->GetDrawingID(), second);
    EXPECT_EQ(L().GetDrawing(), second);
}

// The table and the thumbnails for the documentation. Run on demand: --gtest_also_run_disabled_tests with
// KC_SCREENSHOT_DIR set.
TEST_F(LayerTableEndToEndTest, DISABLED_Screenshot)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    Open();
    m_frame->ShowWindow(SW_SHOW);
    m_frame->MoveWindow(0, 0, 1100, 760);
    Pump();
    m_model->BeginUndoOperation(nullptr);
    const long walls = m_model->AddLayerGroup(u"Walls", -1);
    const long outer = m_model->AddLayer(walls, u"Outer walls", 1);
    const long inner = m_model->AddLayer(walls, u"Inner walls", 1);
    const long doors = m_model->AddLayer(-1, u"Doors", 1);
    const long text = m_model->AddLayer(-1, u"Text", 1);
    const long grid = m_model->AddLayer(-1, u"Grid", 1);
    m_model->SetLayerColorNo(inner, 3, 1);
    m_model->SetLayerColorNo(doors, 2, 1);
    m_model->SetLayerLineTypeNo(grid, 2, 1);
    m_model->SetLayerState(text, 1, 1);
    m_model->SetLayerHide(grid, TRUE, 1);
    m_model->SetLayerPrintable(grid, FALSE);
    for (int i = 0; i < 6; ++i) {
        Line2dFeature line(RuVaPnt2d(i * 20.0, 0), RuVaPnt2d(i * 20.0 + 15, 60));
        line.SetLayerID(i % 2 == 0 ? outer : doors);
        m_model->AddFeature(&line, nullptr, 1);
    }
    Line2dFeature box(RuVaPnt2d(0, 0), RuVaPnt2d(120, 0));
    box.SetLayerID(inner);
    m_model->AddFeature(&box, nullptr, 1);
    m_model->SetCurrentLayerID(doors, 1);
    m_model->EndUndoOperation();

    m_view->MoveWindow(0, 0, 760, 330);
    ViewCommand(View::cmdTable);
    L().SelectLayer(doors);
    L().SetFocus();
    Pump();
    const QImage table = m_view->GetQWidget()->grab().toImage();
    ViewCommand(View::cmdThumbnails);
    Pump();
    const QImage thumbs = m_view->GetQWidget()->grab().toImage();
    QImage both(std::max(table.width(), thumbs.width()), table.height() + thumbs.height() + 8, QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, table);
    painter.drawImage(0, table.height() + 8, thumbs);
    painter.end();
    ASSERT_TRUE(both.save(dir + QStringLiteral("/layer-table.png")));
    ViewCommand(View::cmdTable);
}

}  // namespace
