// The layer bar over a real document: it follows document activation and every layer notification,
// its commands and their enabling, renaming in place (an empty name refused), deleting with the
// questions, the drop targets of its tree, the context menu pruned per record (menu 200's relied-on
// positions pinned), and every change one undo step with the tree matching the document after undo.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QToolBar>

#include <functional>
#include <string>

#include "StructureFixture.h"
#include "StructureTestSupport.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "structure/CLayerBar.h"
#include "structure/CLayerMoveDialog.h"

namespace {

using Tree = CLayerCommandTreeCtrl;

// Answers the next message box with a button through the test application, which every box of the
// process reaches once it exists; remembers whether one came and its text.
struct BoxAnswer {
    QMessageBox::StandardButton press;
    size_t before = 0;
    void Arm()
    {
        before = TheApp().boxes.size();
        TheApp().answer = press == QMessageBox::Yes ? IDYES : press == QMessageBox::No ? IDNO : IDCANCEL;
    }
    bool Seen() const { return TheApp().boxes.size() > before; }
    QString Text() const { return Seen() ? TheApp().boxes.back() : QString(); }
};

class LayerBarTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 320, 600), nullptr, 0));
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(bar.Create(u"Layers", &host, CRect(0, 0, 300, 560), FALSE, 59427, WS_CHILD | WS_VISIBLE));
        ld.doc.SetNotifyFunction(&LayerBarTest::Relay, this);
        NotifyInfoBase activate(&ld.doc, NotifyInfoBase::kindDocument, 1);
        bar.OnDocumentNotify(&activate);
    }
    void TearDown() override
    {
        ld.doc.SetNotifyFunction(nullptr, nullptr);
        bar.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    static int Relay(NotifyInfoBase* pInfo, void* pUser)
    {
        static_cast<LayerBarTest*>(pUser)->bar.OnDocumentNotify(pInfo);
        return 0;
    }
    Tree& T() { return bar.GetTree(); }
    void Pick(long id) { ASSERT_TRUE(T().SelectLayerItem(id)); }
    void Command(UINT id) { bar.SendMessage(WM_COMMAND, id, 0); }
    // The tree matches the document: every layer has its item under its group's item, in order.
    void ExpectMatches(long group = -1)
    {
        const LayerFeatureTable* t = ld.doc.GetLayerTable();
        HTREEITEM hGroup = T().FindLayerItem(group);
        ASSERT_NE(hGroup, nullptr) << group;
        ASSERT_EQ(T().GetChildCount(hGroup), t->GetChildLayerFeatureCount(group)) << group;
        for (int i = 0; i < t->GetChildLayerFeatureCount(group); ++i) {
            const long id = t->GetChildLayerID(group, i);
            HTREEITEM h = T().GetChildItemAt(hGroup, i);
            ASSERT_NE(T().GetItemLayer(h), nullptr);
            EXPECT_EQ(T().GetItemLayer(h)->GetLayerID(), id);
            EXPECT_EQ(T().GetItemText(h), t->GetLayerName(id));
            EXPECT_EQ(T().FindLayerItem(id), h);
            if (t->IsGroup(id))
                ExpectMatches(id);
        }
    }
    CWnd host;
    LayerDocument ld;
    CLayerBar bar;
};

TEST_F(LayerBarTest, FollowsActivationAndLayerNotifications)
{
    EXPECT_EQ(bar.GetDocument(), &ld.doc);
    ExpectMatches();
    ASSERT_NE(T().GetSelectedItem(), nullptr);
    EXPECT_EQ(T().GetSelectedLayer()->GetLayerID(), ld.doc.GetCurrentLayerID()) << "the current layer is selected";

    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"add", [&] { ld.doc.AddLayer(ld.g2, u"N", 1); }},
        {"remove", [&] { ld.doc.DeleteLayer(ld.c, 1); }},
        {"move into", [&] { ld.doc.MoveInLayer(ld.d, ld.g1, 0, 1); }},
        {"move after", [&] { ld.doc.MoveAfterLayer(ld.a, ld.e, 1); }},
        {"move before", [&] { ld.doc.MoveBeforeLayer(ld.g2, ld.d, 1); }},
        {"rename", [&] { ld.doc.SetLayerName(ld.b, u"Bee"); }},
        {"current", [&] { ld.doc.SetCurrentLayerID(ld.e, 1); }},
        {"undo", [&] { ld.doc.Undo(1); }},
        {"redo", [&] { ld.doc.Redo(1); }},
    };
    for (const Step& s : steps) {
        ld.doc.BeginUndoOperation(nullptr);
        s.change();
        ld.doc.EndUndoOperation();
        SCOPED_TRACE(s.what);
        ExpectMatches();
    }
    EXPECT_NE(T().GetItemState(T().FindLayerItem(ld.e), TVIS_BOLD) & TVIS_BOLD, 0u) << "the pencil follows code 8";

    // Another document's records change nothing; a layer id that is gone neither.
    Draw2dDocument other;
    NotifyInfoBase foreign(&other, NotifyInfoBase::kindLayer, NotifyInfoBase::layerRemoved);
    foreign.SetLayerArguments(ld.e, -1, -1, -1, FALSE);
    EXPECT_FALSE(bar.OnDocumentNotify(&foreign));
    EXPECT_NE(T().FindLayerItem(ld.e), nullptr);
    NotifyInfoBase gone(&ld.doc, NotifyInfoBase::kindLayer, NotifyInfoBase::layerNameChanged);
    gone.SetLayerArguments(4711, -1, -1, -1, FALSE);
    EXPECT_FALSE(bar.OnDocumentNotify(&gone));
    NotifyInfoBase two(&ld.doc, NotifyInfoBase::kindLayer, 2);
    EXPECT_FALSE(bar.OnDocumentNotify(&two)) << "code 2 means nothing";
}

TEST_F(LayerBarTest, CommandEnabling)
{
    ld.doc.SetCurrentLayerID(ld.b, 1);
    T().RefreshAllItems();
    struct Case {
        long pick;
        UINT id;
        bool enabled;
    };
    const Case cases[] = {
        {ld.b, Tree::cmdDelete, false},      // the current layer
        {ld.g2, Tree::cmdDelete, false},     // a group holding it
        {ld.g1, Tree::cmdDelete, false},     // and its parent group
        {ld.d, Tree::cmdDelete, true},
        {ld.g1, Tree::cmdMakeCurrent, false},
        {ld.a, Tree::cmdMakeCurrent, true},
        {ld.a, Tree::cmdMove, true},
        {ld.a, Tree::cmdAddLayer, true},
        {ld.a, Tree::cmdProperties, true},
    };
    for (const Case& c : cases) {
        Pick(c.pick);
        EXPECT_EQ(T().IsCommandEnabled(c.id) != FALSE, c.enabled) << c.pick << " " << c.id;
    }
}

TEST_F(LayerBarTest, ToolbarButtonsHaveTips)
{
    auto* strip = qobject_cast<QToolBar*>(bar.GetToolBar().GetLayoutWidget());
    ASSERT_NE(strip, nullptr);
    QStringList tips;
    for (QAction* a : strip->actions())
        if (!a->isSeparator())
            tips << a->toolTip();
    EXPECT_EQ(tips, QStringList({QStringLiteral("Add Layer"), QStringLiteral("Add Group"), QStringLiteral("Delete"),
                                 QStringLiteral("Make Current"), QStringLiteral("Properties"),
                                 QStringLiteral("Layer Table")}));
}

TEST_F(LayerBarTest, AddRenameDeleteEachOneUndoStep)
{
    const int start = ld.doc.GetUndoCount();
    // A new layer lands in the selected group, becomes current and opens its name.
    Pick(ld.g2);
    Command(Tree::cmdAddLayer);
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 1);
    const long added = ld.doc.GetCurrentLayerID();
    EXPECT_EQ(ld.doc.GetLayerTable()->GetParentLayerID(added), ld.g2);
    CEdit* pEdit = T().GetEditControl();
    ASSERT_NE(pEdit, nullptr) << "its name is open for editing";
    pEdit->SetWindowText(u"Doors");
    T().SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
    PumpEvents();
    EXPECT_EQ(ld.doc.GetLayerTable()->GetLayerName(added).ToQString().toStdString(), "Doors");
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 2);
    ExpectMatches();

    // An empty name leaves the old one and records nothing.
    Pick(added);
    Command(Tree::cmdRename);
    ASSERT_NE(T().GetEditControl(), nullptr);
    T().GetEditControl()->SetWindowText(u"   ");
    T().SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
    PumpEvents();
    EXPECT_EQ(ld.doc.GetLayerTable()->GetLayerName(added).ToQString().toStdString(), "Doors");
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 2);

    // A group: its name opens too.
    Pick(ld.g1);
    Command(Tree::cmdAddGroup);
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 3);
    ASSERT_NE(T().GetEditControl(), nullptr);
    T().SendMessage(TVM_ENDEDITLABELNOW, TRUE, 0);

    // Deleting a layer with shapes asks; No keeps it, Yes deletes it in one step.
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    line.SetLayerID(ld.d);
    ld.doc.AddFeature(&line, nullptr, 1);
    const int before = ld.doc.GetUndoCount();
    Pick(ld.d);
    BoxAnswer no{QMessageBox::No};
    no.Arm();
    Command(Tree::cmdDelete);
    EXPECT_TRUE(no.Seen());
    EXPECT_TRUE(no.Text().contains(QStringLiteral("'D'")));
    EXPECT_TRUE(ld.doc.GetLayerTable()->IsExistLayerID(ld.d));
    BoxAnswer yes{QMessageBox::Yes};
    yes.Arm();
    Command(Tree::cmdDelete);
    EXPECT_FALSE(ld.doc.GetLayerTable()->IsExistLayerID(ld.d));
    EXPECT_EQ(ld.doc.GetUndoCount(), before + 1);
    ExpectMatches();

    // Undo everything: the tree matches the document after every step.
    while (ld.doc.GetUndoCount() > start) {
        ld.doc.Undo(1);
        ExpectMatches();
    }
}

TEST_F(LayerBarTest, AGroupWithShapesBelowAsksToo)
{
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    line.SetLayerID(ld.c);
    ld.doc.AddFeature(&line, nullptr, 1);
    Pick(ld.g2);
    BoxAnswer no{QMessageBox::No};
    no.Arm();
    Command(Tree::cmdDelete);
    EXPECT_TRUE(no.Seen()) << "the shapes of a layer inside the group count";
    EXPECT_TRUE(ld.doc.GetLayerTable()->IsExistLayerID(ld.g2));
}

TEST_F(LayerBarTest, StatesHiddenAndAllOthersInOneStep)
{
    ld.doc.SetCurrentLayerID(ld.e, 1);
    T().RefreshAllItems();
    const int start = ld.doc.GetUndoCount();
    Pick(ld.a);
    Command(Tree::cmdState1);
    EXPECT_EQ(ld.doc.GetLayerTable()->GetLayerState(ld.a), 1);
    Command(Tree::cmdHide);
    EXPECT_TRUE(ld.doc.GetLayerTable()->IsLayerHide(ld.a));
    Pick(ld.e);
    Command(Tree::cmdHide);
    EXPECT_FALSE(ld.doc.GetLayerTable()->IsLayerHide(ld.e)) << "the current layer is not hidden by the bar";
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 2);
    // Hide every layer outside G2, in one step.
    Pick(ld.g2);
    Command(Tree::cmdOthersHide);
    EXPECT_EQ(ld.doc.GetUndoCount(), start + 3);
    const LayerFeatureTable* t = ld.doc.GetLayerTable();
    EXPECT_TRUE(t->IsLayerHide(ld.d));
    EXPECT_FALSE(t->IsLayerHide(ld.b));
    EXPECT_FALSE(t->IsLayerHide(ld.c));
    // Icon clicks: the next state; a hidden layer is shown; the current layer stays.
    EXPECT_EQ(T().NextIconState(T().GetItemLayer(T().FindLayerItem(ld.d))), 3);
    EXPECT_EQ(T().NextIconState(T().GetItemLayer(T().FindLayerItem(ld.b))), 1);
    EXPECT_EQ(T().NextIconState(T().GetItemLayer(T().FindLayerItem(ld.e))), -1);
}

TEST_F(LayerBarTest, DropTargets)
{
    // Drag C (last child of G2).
    CRect rc;
    ASSERT_TRUE(T().GetItemRect(T().FindLayerItem(ld.c), &rc, TRUE));
    ASSERT_TRUE(T().BeginDrag(POINT{rc.left + 2, rc.top + 2}));
    auto target = [&](long id, int dy, int& position) {
        CRect r;
        T().GetItemRect(T().FindLayerItem(id), &r, FALSE);
        POINT p{r.left + 30, dy >= 0 ? r.top + dy : r.bottom + dy};
        HTREEITEM h = T().GetDropTarget(&p, &position);
        return h != nullptr && T().GetItemLayer(h) != nullptr ? T().GetItemLayer(h)->GetLayerID() : -99;
    };
    struct Case {
        const char* what;
        long over;
        int dy;
        long expectedID;
        int expectedPosition;
    };
    const Case cases[] = {
        {"upper half of a layer: before", ld.d, 2, ld.d, Tree::kDropBefore},
        {"lower half of a layer: after", ld.d, -2, ld.d, Tree::kDropAfter},
        {"top fifth of a group: before", ld.g1, 1, ld.g1, Tree::kDropBefore},
        {"rest of a group: into", ld.g1, -2, ld.g1, Tree::kDropOnto},
        {"itself: refused", ld.c, 2, ld.c, Tree::kDropRefused},
        {"after its previous sibling: nothing moves", ld.b, -2, ld.b, Tree::kDropRefused},
        {"into its own group: nothing moves", ld.g2, -2, ld.g2, Tree::kDropRefused},
    };
    for (const Case& c : cases) {
        int position = -1;
        EXPECT_EQ(target(c.over, c.dy, position), c.expectedID) << c.what;
        EXPECT_EQ(position, c.expectedPosition) << c.what;
    }
    T().CancelDrag();
    // A group cannot go into its own subgroup.
    ASSERT_TRUE(T().GetItemRect(T().FindLayerItem(ld.g1), &rc, TRUE));
    ASSERT_TRUE(T().BeginDrag(POINT{rc.left + 2, rc.top + 2}));
    int position = -1;
    EXPECT_EQ(target(ld.g2, -2, position), ld.g2);
    EXPECT_EQ(position, Tree::kDropRefused);
    T().CancelDrag();
}

TEST_F(LayerBarTest, ContextMenuPerRecordAndPinnedPositions)
{
    CMenu raw;
    ASSERT_TRUE(raw.LoadMenu(200));
    CMenu* pRaw = raw.GetSubMenu(0);
    ASSERT_NE(pRaw, nullptr);
    ASSERT_NE(pRaw->GetSubMenu(10), nullptr) << "position 10 is the sub-menu for all other layers";
    EXPECT_EQ(pRaw->GetSubMenu(10)->GetMenuItemID(0), 34242u);
    EXPECT_EQ(pRaw->GetMenuItemID(11), 0u) << "position 11 is the separator beside it";
    raw.DestroyMenu();

    auto has = [](CMenu& m, UINT id) {
        CMenu* p = m.GetSubMenu(0);
        for (UINT i = 0; i < p->GetMenuItemCount(); ++i)
            if (p->GetMenuItemID(static_cast<int>(i)) == id)
                return true;
        return false;
    };
    auto hasOthers = [](CMenu& m) {
        CMenu* p = m.GetSubMenu(0);
        for (UINT i = 0; i < p->GetMenuItemCount(); ++i)
            if (p->GetSubMenu(static_cast<int>(i)) != nullptr)
                return true;
        return false;
    };
    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    struct Case {
        const char* what;
        std::function<void()> pick;
        std::vector<UINT> present, absent;
        bool others;
    };
    const Case cases[] = {
        {"a layer", [&] { Pick(ld.a); }, {34230, 34234, 34237, 34229}, {34227, 34228}, true},
        {"a group", [&] { Pick(ld.g1); }, {34227, 34228, 34234, 34229}, {34230}, true},
        {"the root", [&] { T().Select(T().GetRootItem(), TVGN_CARET); }, {34227, 34234}, {34229, 34241, 34239, 34230}, true},
        {"an empty group", [&] { Pick(empty); }, {34227, 34229}, {34234, 34235, 34236, 34237, 34238, 34230}, false},
    };
    for (const Case& c : cases) {
        c.pick();
        CMenu menu;
        ASSERT_TRUE(T().PrepareContextMenu(menu)) << c.what;
        for (UINT id : c.present)
            EXPECT_TRUE(has(menu, id)) << c.what << " " << id;
        for (UINT id : c.absent)
            EXPECT_FALSE(has(menu, id)) << c.what << " " << id;
        EXPECT_EQ(hasOthers(menu), c.others) << c.what;
        menu.DestroyMenu();
    }
    // Ticks: the state radio and hidden.
    ld.doc.SetLayerState(ld.a, 1, 1);
    ld.doc.SetLayerHide(ld.a, TRUE, 1);
    Pick(ld.a);
    CMenu menu;
    ASSERT_TRUE(T().PrepareContextMenu(menu));
    EXPECT_NE(menu.GetSubMenu(0)->GetMenuState(34235, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(menu.GetSubMenu(0)->GetMenuState(34237, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(menu.GetSubMenu(0)->GetMenuState(34238, MF_BYCOMMAND) & MF_CHECKED, 0u) << "printable, as new layers are";
    menu.DestroyMenu();
}

TEST(LayerComponentListTest, CutAfterFortyCharactersAtACharacterBoundary)
{
    CStringArray names;
    names.Add(u"Door");
    names.Add(u"Window");
    EXPECT_EQ(CLayerCommandTreeCtrl::MakeComponentList(names).ToQString(), QStringLiteral("'Door', 'Window'"));
    names.Add(u"A very long component name indeed");
    const QString cut = CLayerCommandTreeCtrl::MakeComponentList(names).ToQString();
    EXPECT_EQ(cut, QStringLiteral("'Door', 'Window', 'A very long component..."));
    // A surrogate pair at the cut stays whole.
    CStringArray emoji;
    QString long38 = QString(38, QLatin1Char('x'));
    emoji.Add(CString::FromQString(long38 + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("yz")));
    const QString cutEmoji = CLayerCommandTreeCtrl::MakeComponentList(emoji).ToQString();
    EXPECT_TRUE(cutEmoji.endsWith(QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("...")));
    EXPECT_FALSE(cutEmoji.at(cutEmoji.size() - 4).isHighSurrogate());
}

}  // namespace

namespace {

// Run by hand (--gtest_also_run_disabled_tests, KC_SCREENSHOT_DIR) to refresh the picture of the bar.
TEST_F(LayerBarTest, DISABLED_Screenshot)
{
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR", QDir::currentPath());
    ld.doc.BeginUndoOperation(nullptr);
    ld.doc.SetCurrentLayerID(ld.b, 1);
    ld.doc.SetLayerState(ld.c, 1, 1);
    ld.doc.SetLayerHide(ld.d, TRUE, 1);
    ld.doc.SetLayerState(ld.e, 2, 1);
    ld.doc.EndUndoOperation();
    host.SetWindowPos(nullptr, 0, 0, 260, 330, SWP_NOZORDER);
    bar.SetWindowPos(nullptr, 0, 0, 240, 300, SWP_NOZORDER);
    PumpEvents();
    Pick(ld.a);
    PumpEvents();
    ASSERT_TRUE(bar.GetQWidget()->grab().save(dir + QStringLiteral("/layer-bar.png")));
}

}  // namespace

namespace {

// The move command opens the move dialog for the selected record and moves it where the dialog says, in
// one undo step; Cancel moves nothing.
TEST_F(LayerBarTest, MoveThroughTheDialog)
{
    struct Case {
        const char* what;
        int button;
        int position;
        long target;
        long parent;
        int index;
    };
    const Case cases[] = {
        {"into a group", IDOK, CLayerMoveDialog::posInto, ld.g2, ld.g2, 2},
        {"before a layer", IDOK, CLayerMoveDialog::posBefore, ld.a, ld.g1, 0},
        {"after a group", IDOK, CLayerMoveDialog::posAfter, ld.g1, -1, 1},
        {"cancelled", IDCANCEL, CLayerMoveDialog::posInto, ld.g2, -1, 1},
    };
    const int radio[] = {CLayerMoveDialog::IDC_BEFORE, CLayerMoveDialog::IDC_AFTER, CLayerMoveDialog::IDC_INTO};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int start = ld.doc.GetUndoCount();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* pDialog = dynamic_cast<CLayerMoveDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            ASSERT_NE(pDialog, nullptr);
            shown = true;
            ASSERT_EQ(pDialog->m_movedIDs.GetSize(), 1);
            EXPECT_EQ(static_cast<long>(pDialog->m_movedIDs[0]), ld.e);
            pDialog->GetTree().Select(pDialog->GetTree().FindLayerItem(c.target), TVGN_CARET);
            pDialog->CheckRadioButton(radio[0], radio[2], radio[c.position]);
            pDialog->SendMessage(WM_COMMAND, c.button, 0);
        });
        Pick(ld.e);
        Command(Tree::cmdMove);
        EXPECT_TRUE(shown);
        const LayerFeatureTable* t = ld.doc.GetLayerTable();
        EXPECT_EQ(t->GetParentLayerID(ld.e), c.parent);
        EXPECT_EQ(t->GetChildLayerID(c.parent, c.index), ld.e);
        EXPECT_EQ(ld.doc.GetUndoCount(), start + (c.button == IDOK ? 1 : 0));
        ExpectMatches();
    }
}

}  // namespace
