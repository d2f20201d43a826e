// The drawing combo box: the text of a drawing or a layout, the pop-up tree listing what the option
// mask asks for (built anew at each opening), a choice told to the owner as CBN_SELENDOK, a click
// outside or Esc keeping the value, and the property list's drawing rows edited through it while
// layer rows still reach the layer combo.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "StructureTestSupport.h"
#include "command/DrawingParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/PropertyListItem.h"
#include "controls/DropDownPlacement.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CDrawingComboBox.h"
#include "structure/CDrawingDropDownTreeCtrl.h"
#include "structure/CLayerComboBox.h"
#include "structure/DrawingComboEditor.h"
#include "structure/LayerComboEditor.h"

namespace {

class CComboHost : public CWnd
{
public:
    std::vector<std::pair<int, int>> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam != 0 && CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
            return TRUE;
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
};

class DrawingComboTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        paper1 = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
        paper2 = doc.AddPaperFeature(_T("Sheet B"));
        part = doc.AddPartDrawingFeature(_T("Bracket"));
        layout = doc.AddPartLayout(paper1, part, _T("Bracket 1:2"), -1, 1);
        ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(50, 50, 400, 300), nullptr, 0));
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 160, 200), &host, 1050));
        combo.SetDocument(&doc);
    }
    void TearDown() override
    {
        combo.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    size_t SelEndOk()
    {
        PumpEvents();
        size_t n = 0;
        for (auto& c : host.commands)
            n += c.first == 1050 && c.second == CBN_SELENDOK;
        return n;
    }
    LPARAM ItemPoint(HTREEITEM hItem)
    {
        CRect r;
        EXPECT_TRUE(combo.GetDropDownTree()->GetItemRect(hItem, &r, TRUE));
        return MAKELPARAM(r.left + 2, r.top + r.Height() / 2);
    }
    std::vector<std::pair<long, long>> Listed()
    {
        std::vector<std::pair<long, long>> out;
        CDrawingDropDownTreeCtrl* tree = combo.GetDropDownTree();
        for (HTREEITEM h = tree->GetRootItem(); h != nullptr; h = tree->GetNextItemInOrder(h))
            if (const DrawingTreeItem* r = tree->GetItemRecord(h))
                out.emplace_back(r->nDrawingID, r->nLayoutID);
        return out;
    }
    PartDrawingLayout* Layout() { return doc.GetPartLayoutByID(layout); }

    Draw2dDocument doc;
    long paper1 = -1, paper2 = -1, part = -1, layout = -1;
    CComboHost host;
    CDrawingComboBox combo;
};

TEST_F(DrawingComboTest, ShowsTheLayoutNameElseTheDrawingName)
{
    EXPECT_TRUE(combo.GetSelectionText().IsEmpty());
    combo.SetSelection(doc.GetDrawingFeatureByID(paper2), nullptr);
    EXPECT_EQ(combo.GetSelectionText(), CString(_T("Sheet B")));
    combo.SetSelection(doc.GetDrawingFeatureByID(part), Layout());
    EXPECT_EQ(combo.GetSelectionText(), CString(_T("Bracket 1:2")));
    const DrawingFeatureBase* pDrawing = nullptr;
    const PartDrawingLayout* pLayout = nullptr;
    EXPECT_TRUE(combo.GetSelection(pDrawing, pLayout));
    EXPECT_EQ(pDrawing, doc.GetDrawingFeatureByID(part));
    EXPECT_EQ(pLayout, Layout());
    // Kept by id: a drawing that goes leaves nothing to read or draw.
    combo.SetSelection(doc.GetDrawingFeatureByID(paper2), nullptr);
    ASSERT_TRUE(doc.DeleteDrawingFeature(paper2, 1));
    EXPECT_TRUE(combo.GetSelectionText().IsEmpty());
    EXPECT_TRUE(combo.GetSelection(pDrawing, pLayout));
    EXPECT_EQ(pDrawing, nullptr);
}

TEST_F(DrawingComboTest, OptionMaskDecidesWhatTheTreeLists)
{
    const struct {
        WORD options;
        std::vector<std::pair<long, long>> expected;
    } cases[] = {
        {0x06, {{paper1, -1}, {paper2, -1}, {part, -1}}},
        {0x02, {{paper1, -1}, {paper2, -1}}},
        {0x04, {{part, -1}}},
        {0x0E, {{paper1, -1}, {paper1, doc.GetDrawingFeatureByID(paper1)->GetSelfPartLayoutID()}, {part, layout},
                {paper2, -1}, {part, -1}}},
    };
    for (const auto& c : cases) {
        combo.m_wTreeOptions = c.options;
        combo.ShowDropDown();
        ASSERT_TRUE(combo.IsDropDownVisible());
        EXPECT_EQ(Listed(), c.expected) << c.options;
        combo.HideDropDown();
    }
}

TEST_F(DrawingComboTest, OpensUnderTheComboAndTellsAChoice)
{
    combo.SetSelection(doc.GetDrawingFeatureByID(paper2), nullptr);
    combo.ShowDropDown();
    ASSERT_TRUE(combo.IsDropDownVisible());
    CDrawingDropDownTreeCtrl* tree = combo.GetDropDownTree();
    EXPECT_EQ(tree->CTreeCtrl::GetSelectedItem(), tree->FindDrawingItem(paper2)) << "the shown drawing is the caret";
    CRect rcCombo, rcTree;
    combo.GetWindowRect(&rcCombo);
    tree->GetWindowRect(&rcTree);
    EXPECT_EQ(rcTree, DropDownPlacement::Place(rcCombo, DropDownPlacement::MonitorRect(&combo),
                                               DropDownPlacement::TreeExtent(*tree)));
    EXPECT_TRUE(combo.SendMessage(CB_GETDROPPEDSTATE));

    const LPARAM at = ItemPoint(tree->FindDrawingItem(part));
    tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    tree->SendMessage(WM_LBUTTONUP, 0, at);
    PumpEvents();
    EXPECT_EQ(combo.GetDrawingID(), part);
    EXPECT_EQ(combo.GetLayoutID(), -1);
    EXPECT_FALSE(combo.IsDropDownVisible());
    EXPECT_EQ(SelEndOk(), 1u);

    // Opened again after an undo of a new drawing, the tree lists what the document holds now.
    doc.BeginUndoOperation();
    const long added = doc.AddPaperFeature(_T("Late"));
    doc.EndUndoOperation();
    combo.ShowDropDown();
    EXPECT_NE(combo.GetDropDownTree()->FindDrawingItem(added), nullptr);
    combo.HideDropDown();
    doc.Undo();
    combo.ShowDropDown();
    EXPECT_EQ(combo.GetDropDownTree()->FindDrawingItem(added), nullptr);
}

TEST_F(DrawingComboTest, OutsideClickAndEscapeKeepTheValue)
{
    combo.SetSelection(doc.GetDrawingFeatureByID(part), Layout());
    combo.m_wTreeOptions = 0x0E;
    combo.ShowDropDown();
    CDrawingDropDownTreeCtrl* tree = combo.GetDropDownTree();
    EXPECT_EQ(tree->CTreeCtrl::GetSelectedItem(), tree->FindLayoutItem(layout)) << "a listed layout is preselected";
    tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-40, -40));
    PumpEvents();
    EXPECT_FALSE(combo.IsDropDownVisible());
    EXPECT_EQ(combo.GetLayoutID(), layout);
    EXPECT_EQ(SelEndOk(), 0u);

    MSG key{};
    key.hwnd = combo.GetSafeHwnd();
    key.message = WM_KEYDOWN;
    key.wParam = VK_DOWN;
    EXPECT_TRUE(combo.PreTranslateMessage(&key)) << "Down opens it";
    ASSERT_TRUE(combo.IsDropDownVisible());
    combo.GetDropDownTree()->SelectDrawingItem(paper1);
    key.wParam = VK_ESCAPE;
    EXPECT_TRUE(combo.PreTranslateMessage(&key));
    EXPECT_FALSE(combo.IsDropDownVisible());
    EXPECT_EQ(combo.GetLayoutID(), layout);
    EXPECT_EQ(SelEndOk(), 0u);

    combo.ShowDropDown();
    combo.GetDropDownTree()->SelectDrawingItem(paper1);
    key.wParam = VK_RETURN;
    combo.PreTranslateMessage(&key);
    EXPECT_EQ(combo.GetDrawingID(), paper1);
    EXPECT_EQ(combo.GetLayoutID(), -1);
    EXPECT_EQ(SelEndOk(), 1u);
}

TEST_F(DrawingComboTest, PropertyRowsOfDrawingsAndLayersGetTheirOwnCombos)
{
    // Both hooks installed, in either order: each kind of row still finds its editor.
    LayerComboEditor::Register();
    DrawingComboEditor::Register();
    EXPECT_EQ(DrawingComboEditor::TreeOptionsFor(1), 0x02);
    EXPECT_EQ(DrawingComboEditor::TreeOptionsFor(7), 0x0E);

    QZ2Command::DrawingParameterItem item;
    item.m_pDocument = &doc;
    item.m_nAcceptedEntries = 5;
    item.SetValue(doc.GetDrawingFeatureByID(paper2), nullptr);
    PropertyListItem row;
    row.SetValueItem(&item);
    std::unique_ptr<CWnd> editor(PropertyListItem::GetServices().pCreateComboEditor(row, &host, 1050));
    auto* pCombo = dynamic_cast<CDrawingComboBox*>(editor.get());
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetDocument(), &doc);
    EXPECT_EQ(pCombo->m_wTreeOptions, 0x0A);
    EXPECT_EQ(pCombo->GetDrawingID(), paper2);
    pCombo->SendMessage(CB_SHOWDROPDOWN, TRUE);
    ASSERT_TRUE(pCombo->IsDropDownVisible());
    pCombo->GetDropDownTree()->SelectLayoutItem(layout);
    pCombo->SendMessage(WM_COMMAND, CDrawingDropDownTreeCtrl::kChoiceCommand, 0);
    DrawingFeatureBase* pDrawing = nullptr;
    PartDrawingLayout* pLayout = nullptr;
    ASSERT_TRUE(static_cast<QZ2Command::DrawingParameterItem*>(row.GetValueItem())->GetValue(pDrawing, pLayout));
    EXPECT_EQ(pDrawing, doc.GetDrawingFeatureByID(part)) << "the row's item holds the choice before the list reads it";
    EXPECT_EQ(pLayout, Layout());
    editor->DestroyWindow();

    LayerDocument ld;
    QZ2Command::LayerParameterItem layerItem;
    layerItem.m_pDocument = &ld.doc;
    layerItem.m_nLayerID = ld.a;
    layerItem.m_bEmpty = FALSE;
    PropertyListItem layerRow;
    layerRow.SetValueItem(&layerItem);
    std::unique_ptr<CWnd> layerEditor(PropertyListItem::GetServices().pCreateComboEditor(layerRow, &host, 1074));
    EXPECT_NE(dynamic_cast<CLayerComboBox*>(layerEditor.get()), nullptr);
    layerEditor->DestroyWindow();
}

}  // namespace
