// The layer move dialog over a real document and its English template: targets inside the moved groups
// refused, the root never a target, a layer as target turning "into" back to "before", and OK handing
// back the chosen target and position.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <functional>

#include "StructureTestSupport.h"
#include "libs/vevure/LayerFeature.h"
#include "platform/win/CButton.h"
#include "structure/CLayerMoveDialog.h"

namespace {

class LayerMoveDialogTest : public EnglishStructureTest
{
protected:
    // Runs the dialog moving `moved`; `act` works it while it shows and closes it.
    INT_PTR Run(CLayerMoveDialog& dialog, std::initializer_list<long> moved, const std::function<void()>& act)
    {
        dialog.m_pDocument = &ld.doc;
        for (long id : moved)
            dialog.m_movedIDs.Add(static_cast<DWORD>(id));
        QTimer::singleShot(0, act);
        return dialog.DoModal();
    }
    static bool Enabled(CDialog& dialog, int nID) { return dialog.GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    static void Click(CDialog& dialog, int nID)
    {
        CWnd* pButton = dialog.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
    }
    static void Pick(CLayerMoveDialog& dialog, long id)
    {
        HTREEITEM h = dialog.GetTree().FindLayerItem(id);
        ASSERT_NE(h, nullptr) << id;
        dialog.GetTree().Select(h, TVGN_CARET);
    }
    // Before, after, into, OK.
    static std::vector<bool> Choices(CLayerMoveDialog& dialog)
    {
        return {Enabled(dialog, CLayerMoveDialog::IDC_BEFORE), Enabled(dialog, CLayerMoveDialog::IDC_AFTER),
                Enabled(dialog, CLayerMoveDialog::IDC_INTO), Enabled(dialog, IDOK)};
    }
    LayerDocument ld;
};

TEST_F(LayerMoveDialogTest, TargetsInsideTheMovedGroupsAreRefused)
{
    struct Case {
        const char* what;
        std::vector<long> moved;
        long target;
        bool valid;
    };
    const Case cases[] = {
        {"the group itself", {ld.g2}, ld.g2, false},
        {"a layer below it", {ld.g2}, ld.b, false},
        {"a layer two levels below", {ld.g1}, ld.c, false},
        {"a group below it", {ld.g1}, ld.g2, false},
        {"its own group", {ld.g2}, ld.g1, true},
        {"a sibling", {ld.g2}, ld.a, true},
        {"a layer elsewhere", {ld.g2}, ld.d, true},
        {"one of several moved", {ld.a, ld.d}, ld.d, false},
        {"beside several moved", {ld.a, ld.d}, ld.e, true},
        {"nothing moved", {}, ld.c, true},
        {"the root", {}, -1, false},
    };
    for (const Case& c : cases) {
        CLayerMoveDialog dialog;
        dialog.m_pDocument = &ld.doc;
        for (long id : c.moved)
            dialog.m_movedIDs.Add(static_cast<DWORD>(id));
        EXPECT_EQ(dialog.IsValidTarget(c.target) != FALSE, c.valid) << c.what;
    }
}

TEST_F(LayerMoveDialogTest, ChoicesFollowTheTargetAndOkHandsItBack)
{
    CLayerMoveDialog dialog;
    const INT_PTR result = Run(dialog, {ld.g2}, [&] {
        CLayerTreeCtrl& tree = dialog.GetTree();
        ASSERT_NE(tree.GetSafeHwnd(), nullptr);
        EXPECT_EQ(tree.GetCount(), 8u) << "root and seven records";
        ASSERT_NE(tree.GetSelectedLayer(), nullptr);
        EXPECT_EQ(tree.GetSelectedLayer()->GetLayerID(), -1) << "the root starts selected";
        EXPECT_EQ(Choices(dialog), (std::vector<bool>{false, false, false, false}));

        Pick(dialog, ld.b);  // inside the moved group
        EXPECT_EQ(Choices(dialog), (std::vector<bool>{true, true, false, false}));
        Pick(dialog, ld.g1);  // a group outside it
        EXPECT_EQ(Choices(dialog), (std::vector<bool>{true, true, true, true}));
        dialog.CheckRadioButton(CLayerMoveDialog::IDC_BEFORE, CLayerMoveDialog::IDC_INTO, CLayerMoveDialog::IDC_INTO);
        Click(dialog, CLayerMoveDialog::IDC_INTO);
        Pick(dialog, ld.d);  // a layer: "into" goes back to "before"
        EXPECT_EQ(Choices(dialog), (std::vector<bool>{true, true, false, true}));
        EXPECT_EQ(dialog.IsDlgButtonChecked(CLayerMoveDialog::IDC_BEFORE), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(dialog.IsDlgButtonChecked(CLayerMoveDialog::IDC_INTO), static_cast<UINT>(BST_UNCHECKED));
        Pick(dialog, -1);
        EXPECT_EQ(Choices(dialog), (std::vector<bool>{false, false, false, false}));

        Pick(dialog, ld.e);
        dialog.CheckRadioButton(CLayerMoveDialog::IDC_BEFORE, CLayerMoveDialog::IDC_INTO, CLayerMoveDialog::IDC_AFTER);
        Click(dialog, CLayerMoveDialog::IDC_AFTER);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_nTargetID, ld.e);
    EXPECT_EQ(dialog.GetPosition(), CLayerMoveDialog::posAfter);
}

}  // namespace
