// The layer bar in the running program: a group and two layers added from the bar's commands, names typed
// into the tree's editor, a layer moved into the group through the move dialog, made current, hidden,
// shown in the property bar, and a layer holding shapes deleted after the question; each step one undo
// step, and undo step by step with the bar's tree matching the document each time.

#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "ProgramFixture.h"

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/win/CEdit.h"
#include "property/CPropertyBar.h"
#include "property/LayerFeatureProperty.h"
#include "structure/CLayerBar.h"
#include "structure/CLayerMoveDialog.h"

namespace {

constexpr UINT kUndoID = 57643;
using Tree = CLayerCommandTreeCtrl;

class LayerBarEndToEndTest : public ProgramFixture
{
protected:
    Tree& T() { return m_frame->GetLayerBar()->GetTree(); }
    void Bar(UINT nID)
    {
        m_frame->GetLayerBar()->SendMessage(WM_COMMAND, nID, 0);
        Pump();
    }
    void Pick(long id) { ASSERT_TRUE(T().SelectLayerItem(id)); }
    // Types into the open label editor as a user does, then Return (or Esc).
    void TypeName(const char* text, Qt::Key end = Qt::Key_Return)
    {
        CEdit* pEdit = T().GetEditControl();
        ASSERT_NE(pEdit, nullptr) << "a name is open for editing";
        QWidget* pWidget = pEdit->GetQWidget();
        QTest::keyClick(pWidget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(pWidget, QString::fromUtf8(text));
        QTest::keyClick(pWidget, end);
        ASSERT_TRUE(WaitFor([&] { return T().GetEditControl() == nullptr; }));
        Pump();
    }
    std::string Name(long id) const
    {
        return m_model->GetLayerTable()->GetLayerName(id).ToQString().toStdString();
    }
    // The tree matches the document: every record has its item under its group's item, in order.
    void ExpectMatches(long group = -1)
    {
        const LayerFeatureTable* t = m_model->GetLayerTable();
        HTREEITEM hGroup = T().FindLayerItem(group);
        ASSERT_NE(hGroup, nullptr) << group;
        ASSERT_EQ(T().GetChildCount(hGroup), t->GetChildLayerFeatureCount(group)) << group;
        for (int i = 0; i < t->GetChildLayerFeatureCount(group); ++i) {
            const long id = t->GetChildLayerID(group, i);
            HTREEITEM h = T().GetChildItemAt(hGroup, i);
            ASSERT_NE(T().GetItemLayer(h), nullptr);
            EXPECT_EQ(T().GetItemLayer(h)->GetLayerID(), id);
            EXPECT_EQ(T().GetItemText(h), t->GetLayerName(id));
            EXPECT_EQ(T().GetItemLayer(h)->IsHide(), t->IsLayerHide(id)) << id;
            if (t->IsGroup(id))
                ExpectMatches(id);
        }
        if (group == -1) {
            HTREEITEM hCurrent = T().FindLayerItem(m_model->GetCurrentLayerID());
            ASSERT_NE(hCurrent, nullptr);
            EXPECT_NE(T().GetItemState(hCurrent, TVIS_BOLD) & TVIS_BOLD, 0u) << "the current layer is bold";
        }
    }
    Draw2dDocument* m_model = nullptr;
};

TEST_F(LayerBarEndToEndTest, BarCommandsTypedNamesMoveDialogAndUndoStepByStep)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    m_model = pDoc->GetDraw2dDocument();
    CLayerBar* pBar = m_frame->GetLayerBar();
    ASSERT_NE(pBar, nullptr);
    m_frame->ShowLayerBar(TRUE);
    Pump();
    ASSERT_EQ(pBar->GetDocument(), m_model);
    ExpectMatches();
    // Undo puts back a copy of the table: it is asked for anew each time.
    auto t = [&] { return m_model->GetLayerTable(); };
    const long first = m_model->GetCurrentLayerID();
    std::vector<int> steps{m_model->GetUndoCount()};
    auto oneStep = [&](const char* what) {
        EXPECT_EQ(m_model->GetUndoCount(), steps.back() + 1) << what;
        steps.push_back(m_model->GetUndoCount());
        ExpectMatches();
    };

    // A group, its name typed in place.
    Pick(first);
    Bar(Tree::cmdAddGroup);
    const long group = T().GetSelectedLayer()->GetLayerID();
    ASSERT_TRUE(t()->IsGroup(group));
    oneStep("add group");
    TypeName("Outline");
    EXPECT_EQ(Name(group), "Outline");
    oneStep("rename group");

    // A layer into the selected group: current, its name typed.
    Pick(group);
    Bar(Tree::cmdAddLayer);
    const long inGroup = m_model->GetCurrentLayerID();
    EXPECT_EQ(t()->GetParentLayerID(inGroup), group);
    oneStep("add layer into the group");
    TypeName("Walls");
    EXPECT_EQ(Name(inGroup), "Walls");
    oneStep("rename layer");

    // A layer beside the first one; Esc leaves the name the document gave it.
    Pick(first);
    Bar(Tree::cmdAddLayer);
    const long beside = m_model->GetCurrentLayerID();
    EXPECT_EQ(t()->GetParentLayerID(beside), t()->GetParentLayerID(first));
    oneStep("add layer beside");
    const std::string given = Name(beside);
    TypeName("Doors", Qt::Key_Escape);
    EXPECT_EQ(Name(beside), given);
    EXPECT_EQ(m_model->GetUndoCount(), steps.back()) << "Esc records nothing";

    // Renaming again through F2's command takes the typed name.
    Pick(beside);
    Bar(Tree::cmdRename);
    TypeName("Doors");
    EXPECT_EQ(Name(beside), "Doors");
    oneStep("rename through the command");

    // Moved into the group through the move dialog.
    WhenModal<CLayerMoveDialog>([&](CLayerMoveDialog& dialog) {
        dialog.GetTree().Select(dialog.GetTree().FindLayerItem(group), TVGN_CARET);
        dialog.CheckRadioButton(CLayerMoveDialog::IDC_BEFORE, CLayerMoveDialog::IDC_INTO, CLayerMoveDialog::IDC_INTO);
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Pick(beside);
    Bar(Tree::cmdMove);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(t()->GetParentLayerID(beside), group);
    oneStep("move into the group");

    // The first layer current again, then the moved one hidden.
    Pick(first);
    Bar(Tree::cmdMakeCurrent);
    EXPECT_EQ(m_model->GetCurrentLayerID(), first);
    oneStep("make current");
    Pick(beside);
    Bar(Tree::cmdHide);
    EXPECT_TRUE(t()->IsLayerHide(beside));
    oneStep("hide");

    // The selected layer in the property bar.
    Pick(inGroup);
    Bar(Tree::cmdProperties);
    CPropertyBar* pProperties = m_frame->GetPropertyBar();
    ASSERT_NE(pProperties, nullptr);
    ASSERT_EQ(pProperties->GetFeaturePropertyCount(), 1);
    const QZ2Command::LayerFeatureProperty shown(m_model, inGroup);
    EXPECT_TRUE(pProperties->GetFeatureProperty(0)->IsSameTarget(&shown));

    // A layer holding a shape is deleted after Yes to the question.
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    line.SetLayerID(inGroup);
    m_model->AddFeature(&line, nullptr, 1);
    steps.push_back(m_model->GetUndoCount());
    m_app->boxes.clear();
    m_app->answer = IDYES;
    Pick(inGroup);
    Bar(Tree::cmdDelete);
    ASSERT_EQ(m_app->boxes.size(), 1u) << "the question about its shapes";
    EXPECT_TRUE(m_app->boxes[0].text.contains(QStringLiteral("Walls")));
    EXPECT_FALSE(t()->IsExistLayerID(inGroup));
    oneStep("delete with its shape");

    // Undo every step; the tree matches the document after each.
    while (steps.size() > 1) {
        steps.pop_back();
        Command(kUndoID);
        Pump();
        EXPECT_EQ(m_model->GetUndoCount(), steps.back());
        ExpectMatches();
    }
    EXPECT_FALSE(t()->IsExistLayerID(group));
    EXPECT_EQ(m_model->GetCurrentLayerID(), first);
}

}  // namespace
