// The layer combo box: its text for every kind of id, the pop-up tree opened under it with the
// document's layers, a choice told to the owner as CBN_SELENDOK, Esc and refused rows keeping the id,
// and the property list's layer rows edited through it.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QWidget>

#include <memory>
#include <utility>
#include <vector>

#include "StructureTestSupport.h"
#include "command/LayerParameterItem.h"
#include "command/PropertyListItem.h"
#include "controls/DropDownPlacement.h"
#include "libs/vevure/LayerFeature.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CLayerComboBox.h"
#include "structure/CLayerDropDownTreeCtrl.h"
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

class LayerComboTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(50, 50, 400, 300), nullptr, 0));
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 160, 200), &host, 1074));
        combo.SetDocument(&ld.doc);
    }
    void TearDown() override
    {
        combo.DestroyWindow();
        host.DestroyWindow();
        PumpEvents();
    }
    std::vector<int> SelEndOk()
    {
        PumpEvents();
        std::vector<int> out;
        for (auto& c : host.commands)
            if (c.first == 1074 && c.second == CBN_SELENDOK)
                out.push_back(c.first);
        return out;
    }
    void ClickItem(long id)
    {
        CLayerDropDownTreeCtrl* tree = combo.GetDropDownTree();
        ASSERT_NE(tree, nullptr);
        CRect r;
        ASSERT_TRUE(tree->GetItemRect(tree->FindLayerItem(id), &r, TRUE));
        const LPARAM at = MAKELPARAM(r.left + 2, r.top + r.Height() / 2);
        tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        tree->SendMessage(WM_LBUTTONUP, 0, at);
    }
    CComboHost host;
    LayerDocument ld;
    CLayerComboBox combo;
};

TEST_F(LayerComboTest, TextOfEveryKindOfId)
{
    const std::pair<long, const char*> cases[] = {{-1, "All layers"}, {0, "(No layer)"}, {ld.a, "A"}, {ld.g2, "G2"}, {777, ""}};
    for (const auto& [id, text] : cases) {
        combo.SetLayerID(id);
        EXPECT_EQ(combo.GetLayerText().ToQString().toStdString(), text) << id;
    }
    combo.SetDocument(nullptr);
    combo.SetLayerID(ld.a);
    EXPECT_TRUE(combo.GetLayerText().IsEmpty()) << "nothing without a document";
}

TEST_F(LayerComboTest, OpensUnderTheComboAndTellsAChoice)
{
    combo.SetLayerID(ld.a);
    combo.ShowDropDown();
    ASSERT_TRUE(combo.IsDropDownVisible());
    CLayerDropDownTreeCtrl* tree = combo.GetDropDownTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(tree->FindLayerItem(ld.c), nullptr) << "the document's layers";
    EXPECT_EQ(tree->CTreeCtrl::GetSelectedItem(), tree->FindLayerItem(ld.a)) << "the combo's layer is the caret";
    CRect rcCombo, rcTree;
    combo.GetWindowRect(&rcCombo);
    tree->GetWindowRect(&rcTree);
    EXPECT_EQ(rcTree, DropDownPlacement::Place(rcCombo, DropDownPlacement::MonitorRect(&combo),
                                               DropDownPlacement::TreeExtent(*tree)));
    EXPECT_TRUE(combo.SendMessage(CB_GETDROPPEDSTATE));

    ClickItem(ld.e);
    PumpEvents();
    EXPECT_EQ(combo.GetLayerID(), ld.e);
    EXPECT_FALSE(combo.IsDropDownVisible());
    EXPECT_EQ(SelEndOk().size(), 1u);

    // Opened again, it shows a layer added meanwhile.
    const long added = ld.doc.AddLayer(-1, u"New", 1);
    combo.SendMessage(CB_SHOWDROPDOWN, TRUE);
    ASSERT_TRUE(combo.IsDropDownVisible());
    EXPECT_NE(combo.GetDropDownTree()->FindLayerItem(added), nullptr);
}

TEST_F(LayerComboTest, EscapeAndRefusedRowsKeepTheId)
{
    combo.SetTreeOptions(0x17);  // groups cannot be chosen
    combo.SetLayerID(ld.b);
    combo.ShowDropDown();
    ClickItem(ld.g1);
    PumpEvents();
    EXPECT_TRUE(combo.IsDropDownVisible()) << "a group row neither chooses nor closes";
    EXPECT_EQ(combo.GetLayerID(), ld.b);
    MSG esc{};
    esc.hwnd = combo.GetSafeHwnd();
    esc.message = WM_KEYDOWN;
    esc.wParam = VK_ESCAPE;
    EXPECT_TRUE(combo.PreTranslateMessage(&esc));
    EXPECT_FALSE(combo.IsDropDownVisible());
    EXPECT_EQ(combo.GetLayerID(), ld.b);
    EXPECT_TRUE(SelEndOk().empty());

    // Down opens it; Enter takes the caret item.
    MSG down = esc;
    down.wParam = VK_DOWN;
    EXPECT_TRUE(combo.PreTranslateMessage(&down));
    ASSERT_TRUE(combo.IsDropDownVisible());
    combo.GetDropDownTree()->SelectLayerItem(ld.c);
    MSG enter = esc;
    enter.wParam = VK_RETURN;
    combo.PreTranslateMessage(&enter);
    EXPECT_EQ(combo.GetLayerID(), ld.c);
    EXPECT_EQ(SelEndOk().size(), 1u);
}

TEST_F(LayerComboTest, ALayerRowIsEditedThroughTheCombo)
{
    LayerComboEditor::Register();
    QZ2Command::LayerParameterItem item;
    item.m_pDocument = &ld.doc;
    item.m_nLayerID = ld.a;
    item.m_bEmpty = FALSE;
    PropertyListItem row;
    row.SetValueItem(&item);
    ASSERT_NE(PropertyListItem::GetServices().pCreateComboEditor, nullptr);
    std::unique_ptr<CWnd> editor(PropertyListItem::GetServices().pCreateComboEditor(row, &host, 1074));
    auto* pCombo = dynamic_cast<CLayerComboBox*>(editor.get());
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetLayerID(), ld.a);
    EXPECT_EQ(pCombo->GetDocument(), &ld.doc);
    EXPECT_EQ(pCombo->GetTreeOptions(), 27);
    pCombo->ShowDropDown();
    pCombo->GetDropDownTree()->SelectLayerItem(ld.d);
    pCombo->SendMessage(WM_COMMAND, CLayerDropDownTreeCtrl::kChoiceCommand, 0);
    long chosen = -5;
    ASSERT_TRUE(static_cast<QZ2Command::LayerParameterItem*>(row.GetValueItem())->GetValue(chosen));
    EXPECT_EQ(chosen, ld.d) << "the row's item holds the choice before the list reads it";
    editor->DestroyWindow();
}

}  // namespace
