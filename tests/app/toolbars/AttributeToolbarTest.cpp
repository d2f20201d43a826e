// The attribute toolbar's colour, line-type and line-width fields, end to end: the real program offscreen
// over its own settings store, documents made with File New, choices made in the palette and the lists,
// and the document's current attributes, undo steps and new lines checked.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "controls/CColorToolbarComboBoxButton.h"
#include "controls/CLineTypeToolbarComboBoxButton.h"
#include "controls/CLineWidthToolbarComboBoxButton.h"
#include "controls/CSelectColorWnd.h"
#include "controls/CSelectCurrentColorComboBox.h"
#include "controls/CSelectCurrentLineTypeComboBox.h"
#include "controls/CSelectCurrentLineWidthComboBox.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CDocManager.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kUndoID = 57643;
constexpr UINT kLineID = 33412;
constexpr UINT kEndCommandID = 37101;

template <class Button>
Button* FirstButton(UINT nID)
{
    CObList list;
    CBCGPToolBar::GetCommandButtons(nID, list);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        if (auto* p = dynamic_cast<Button*>(list.GetNext(pos)))
            return p;
    return nullptr;
}

class AttributeToolbar : public ProgramFixture
{
protected:
    CSelectCurrentColorComboBox* ColorCombo()
    {
        auto* p = FirstButton<CColorToolbarComboBoxButton>(34646);
        return p != nullptr ? p->GetCurrentCombo() : nullptr;
    }
    CSelectCurrentLineTypeComboBox* LineTypeCombo()
    {
        auto* p = FirstButton<CLineTypeToolbarComboBoxButton>(34647);
        return p != nullptr ? p->GetCurrentCombo() : nullptr;
    }
    CSelectCurrentLineWidthComboBox* LineWidthCombo()
    {
        auto* p = FirstButton<CLineWidthToolbarComboBoxButton>(34648);
        return p != nullptr ? p->GetCurrentCombo() : nullptr;
    }
    // Opens the palette and presses on one cell, releasing on another, as the user does.
    static void PressRelease(CSelectColorComboBox* pCombo, int pressOn, int releaseOn)
    {
        ASSERT_TRUE(pCombo->DropDown());
        CSelectColorWnd* pPopup = pCombo->GetPopup();
        ASSERT_NE(pPopup, nullptr);
        auto centre = [&](int n) {
            if (n == 0)
                return pPopup->GetLayerButtonRect().CenterPoint();
            const CRect block = pPopup->GetColorBlockRect();
            return CPoint(block.left + ((n - 1) % 8) * 18 + 9, block.top + ((n - 1) / 8) * 18 + 9);
        };
        const CPoint down = centre(pressOn), up = centre(releaseOn);
        pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(down.x, down.y));
        pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        pPopup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.x, up.y));
        pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        Pump();
    }
    // Chooses a row of a toolbar list as the user does: the selection, then the list's notification to
    // its toolbar.
    static void ChooseRow(CComboBox* pCombo, int row)
    {
        pCombo->SetCurSel(row);
        pCombo->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(pCombo->GetDlgCtrlID(), CBN_SELCHANGE),
                                         reinterpret_cast<LPARAM>(pCombo->m_hWnd));
        Pump();
    }
};

TEST_F(AttributeToolbar, TheColourPaletteSetsTheCurrentColourInOneUndoStep)
{
    ASSERT_NE(ColorCombo(), nullptr) << "toolbar 307 shows the special colour button";
    // Bound to the drawing the program starts with, if any.
    CQZ2Doc* pStart = ActiveDocument();
    EXPECT_EQ(ColorCombo()->GetDocument(), pStart != nullptr ? pStart->GetDraw2dDocument() : nullptr);
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_EQ(ColorCombo()->GetDocument(), pModel);
    ASSERT_EQ(LineTypeCombo()->GetDocument(), pModel);
    ASSERT_EQ(LineWidthCombo()->GetDocument(), pModel);
    const short before = pModel->GetCurrentColorNo();
    ASSERT_NE(before, 9);
    ASSERT_FALSE(pModel->CanUndo());

    PressRelease(ColorCombo(), 5, 9);
    EXPECT_EQ(pModel->GetCurrentColorNo(), 9);
    EXPECT_EQ(ColorCombo()->GetColorNo(), 9);
    ASSERT_TRUE(pModel->CanUndo());
    Command(kUndoID);
    EXPECT_EQ(pModel->GetCurrentColorNo(), before);
    EXPECT_FALSE(pModel->CanUndo()) << "the choice was one undo step";
    EXPECT_EQ(ColorCombo()->GetColorNo(), before) << "the field follows the undo";

    // Choosing the colour already current writes nothing.
    PressRelease(ColorCombo(), static_cast<int>(before), static_cast<int>(before));
    EXPECT_FALSE(pModel->CanUndo());

    PressRelease(ColorCombo(), 9, 9);
    // The next line drawn has the colour.
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Command(kLineID);
    CRect client;
    pView->GetClientRect(&client);
    Click(pView, CPoint(client.Width() / 5, client.Height() / 4));
    Click(pView, CPoint(client.Width() / 2, client.Height() / 3));
    Command(kEndCommandID);
    int lines = 0;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        if (const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(id))) {
            ++lines;
            EXPECT_EQ(pLine->GetColorNo(), 9);
        }
    EXPECT_EQ(lines, 1);
}

TEST_F(AttributeToolbar, ByLayerShowsTheLayerColourAndTheFieldsFollowTheActiveDocument)
{
    CQZ2Doc* pFirst = NewDrawing();
    ASSERT_NE(pFirst, nullptr);
    Draw2dDocument* pModel = pFirst->GetDraw2dDocument();
    PressRelease(ColorCombo(), 0, 0);
    EXPECT_EQ(pModel->GetCurrentColorNo(), 0);
    const short layerColor = pModel->GetLayerTable()->GetLayerColorNo(pModel->GetCurrentLayerID());
    EXPECT_EQ(ColorCombo()->GetLayerColorNo(), layerColor);
    COLORREF rgb = 0;
    EXPECT_EQ(ColorCombo()->GetColor(rgb), 0);
    EXPECT_EQ(rgb, pModel->GetColorFeatureTable()->GetColorRef(layerColor));

    CQZ2Doc* pSecond = NewDrawing();
    ASSERT_NE(pSecond, nullptr);
    ASSERT_NE(pSecond, pFirst);
    EXPECT_EQ(ColorCombo()->GetDocument(), pSecond->GetDraw2dDocument());
    EXPECT_EQ(LineTypeCombo()->GetDocument(), pSecond->GetDraw2dDocument());

    AfxCloseAllDocuments(FALSE);
    Pump();
    EXPECT_EQ(ColorCombo()->GetDocument(), nullptr);
    EXPECT_EQ(LineTypeCombo()->GetDocument(), nullptr);
    EXPECT_EQ(LineWidthCombo()->GetDocument(), nullptr);
    EXPECT_FALSE(ColorCombo()->DropDown()) << "no document: nothing to choose from";
    EXPECT_EQ(LineTypeCombo()->GetCount(), 0);
}

TEST_F(AttributeToolbar, LineTypeAndWidthListsSetTheCurrentValuesAndRebuildOnTableChanges)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CSelectCurrentLineTypeComboBox* pTypes = LineTypeCombo();
    ASSERT_GT(pTypes->GetCount(), 3);
    ChooseRow(pTypes, 3);
    EXPECT_EQ(pModel->GetCurrentLineTypeNo(), pTypes->RowToNumber(3));
    ASSERT_TRUE(pModel->CanUndo());
    Command(kUndoID);
    EXPECT_FALSE(pModel->CanUndo());

    CSelectCurrentLineWidthComboBox* pWidths = LineWidthCombo();
    ChooseRow(pWidths, 4);
    EXPECT_EQ(pModel->GetCurrentLineWidthNo(), 4);
    Command(kUndoID);
    EXPECT_FALSE(pModel->CanUndo());

    // A new line type in the table: kind 9 code 1 rebuilds the list, code 4 does not.
    const int rows = pTypes->GetCount();
    LineTypeFeatureTable table(*pModel->GetLineTypeFeatureTable());
    LineTypeFeature added;
    const double pattern[] = {3.0, 1.0};
    ASSERT_TRUE(added.SetLineType(4321, CString(u"Toolbar test dash"), pattern, 2));
    ASSERT_TRUE(table.SetLineType(added));
    pModel->SetLineTypeFeatureTable(table, 0);
    NotifyInfoBase other(pModel, NotifyInfoBase::kindLineTypeTable, 4);
    m_frame->BroadcastDocumentNotify(&other);
    EXPECT_EQ(pTypes->GetCount(), rows);
    NotifyInfoBase added1(pModel, NotifyInfoBase::kindLineTypeTable, 1);
    m_frame->BroadcastDocumentNotify(&added1);
    EXPECT_EQ(pTypes->GetCount(), rows + 1);
}

TEST_F(AttributeToolbar, NotificationKindsReachTheButtonsThatAskForThem)
{
    struct Case {
        int kind, code;
        BOOL color, lineType, lineWidth;
    };
    for (const Case& c : {Case{1, 1, TRUE, TRUE, TRUE}, Case{1, 2, FALSE, FALSE, FALSE}, Case{4, 13, TRUE, TRUE, TRUE},
                          Case{8, 0, TRUE, FALSE, FALSE}, Case{9, 1, FALSE, TRUE, FALSE}, Case{9, 4, FALSE, FALSE, FALSE},
                          Case{9, 5, FALSE, TRUE, FALSE}, Case{10, 2, FALSE, FALSE, TRUE},
                          Case{11, 1, TRUE, FALSE, FALSE}, Case{11, 2, FALSE, TRUE, FALSE},
                          Case{11, 3, FALSE, FALSE, TRUE}, Case{5, 1, FALSE, FALSE, FALSE},
                          Case{14, 0, FALSE, FALSE, FALSE}}) {
        const NotifyInfoBase info(nullptr, c.kind, c.code);
        EXPECT_EQ(CColorToolbarComboBoxButton::IsUpdateNeeded(&info), c.color) << c.kind << "/" << c.code;
        EXPECT_EQ(CLineTypeToolbarComboBoxButton::IsUpdateNeeded(&info), c.lineType) << c.kind << "/" << c.code;
        EXPECT_EQ(CLineWidthToolbarComboBoxButton::IsUpdateNeeded(&info), c.lineWidth) << c.kind << "/" << c.code;
    }
}

TEST_F(AttributeToolbar, AfterARestartTheStoredToolbarsHoldTheSpecialButtonsAtTheirWidths)
{
    Stop();
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    Pump();
    auto* pColor = FirstButton<CColorToolbarComboBoxButton>(34646);
    auto* pType = FirstButton<CLineTypeToolbarComboBoxButton>(34647);
    auto* pWidth = FirstButton<CLineWidthToolbarComboBoxButton>(34648);
    ASSERT_NE(pColor, nullptr);
    ASSERT_NE(pType, nullptr);
    ASSERT_NE(pWidth, nullptr);
    EXPECT_EQ(pColor->GetWidth(), 155);
    EXPECT_EQ(pType->GetWidth(), 135);
    EXPECT_EQ(pWidth->GetWidth(), 130);
    ASSERT_NE(pColor->GetCurrentCombo(), nullptr);
    EXPECT_NE(pColor->GetCurrentCombo()->GetSafeHwnd(), nullptr);
}

}  // namespace
