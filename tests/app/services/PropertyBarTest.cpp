// The property bar in the running program: the selection's rows, and an edit of a row as the list sends
// it, applied to every selected shape in one undo step.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <memory>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "command/ColorParameterItem.h"
#include "command/CommandManager.h"
#include "command/CPropertyListCtrl.h"
#include "command/PropertyListItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"

namespace {

constexpr UINT kSelectAll = 34134;

class PropertyBarTest : public ProgramFixture
{
protected:
    long Add(Draw2dDocument* pModel, Feature2dBase&& shape, short nColor)
    {
        shape.SetColorNo(nColor);
        return pModel->AddFeature(&shape, pModel->GetActiveDrawingFeature(), 1);
    }
    // The list's value-changed notification for row nRow with the value item.
    LRESULT SendValueChanged(CPropertyBar* pBar, int nRow, const QZ2Command::ParameterItemBase& value)
    {
        std::unique_ptr<PropertyListItem> pClone(pBar->GetRow(nRow)->Clone());
        pClone->SetValueItem(&value);
        PROPERTYLISTNOTIFY info;
        info.hdr.hwndFrom = pBar->GetList().GetSafeHwnd();
        info.hdr.idFrom = CPropertyBar::IDC_LIST;
        info.hdr.code = PLN_VALUECHANGED;
        info.nIndex = nRow;
        info.pItem = pClone.get();
        return pBar->SendMessage(WM_NOTIFY, CPropertyBar::IDC_LIST, reinterpret_cast<LPARAM>(&info));
    }
};

}  // namespace

TEST_F(PropertyBarTest, AColourChosenInTheBarChangesTheWholeSelectionInOneStep)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    ASSERT_NE(pBar, nullptr);
    const long a = Add(pModel, Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(50, 0)), 1);
    const long b = Add(pModel, Line2dFeature(RuVaPnt2d(0, 10), RuVaPnt2d(50, 10)), 5);
    const long c = Add(pModel, Circle2dFeature(RuVaPnt2d(0, 0), 5), 1);
    ASSERT_GT(a, 0);
    Command(kSelectAll);
    Pump();

    ASSERT_EQ(pBar->GetFeaturePropertyCount(), 3);
    ASSERT_EQ(pBar->GetRowCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pBar->GetRow(i)->GetValueItem()->GetId(), i + 1);
    const int nColour = pBar->FindRowByPropertyId(5);
    ASSERT_GE(nColour, 0);
    EXPECT_TRUE(pBar->GetRow(nColour)->GetValueItem()->IsEmpty()) << "red and blue";

    QZ2Command::ColorParameterItem green;
    green.SetId(5);
    green.m_wNumber = 3;
    green.m_bEmpty = FALSE;
    const int nUndo = pModel->GetUndoCount();
    EXPECT_EQ(SendValueChanged(pBar, nColour, green), 1);
    EXPECT_EQ(pModel->GetUndoCount(), nUndo + 1);
    for (long id : {a, b, c})
        EXPECT_EQ(pModel->GetFeature(id)->GetColorNo(), 3);
    EXPECT_FALSE(pBar->GetRow(nColour)->GetValueItem()->IsEmpty());

    ASSERT_TRUE(pModel->Undo());
    Pump();
    AfxGetApp()->OnIdle(0);
    EXPECT_EQ(pModel->GetFeature(a)->GetColorNo(), 1);
    EXPECT_EQ(pModel->GetFeature(b)->GetColorNo(), 5);
    EXPECT_EQ(pModel->GetFeature(c)->GetColorNo(), 1);
    EXPECT_TRUE(pBar->GetRow(pBar->FindRowByPropertyId(5))->GetValueItem()->IsEmpty()) << "re-read at idle";

    // A colour the table does not hold: nothing changes and no step is recorded.
    QZ2Command::ColorParameterItem bad = green;
    bad.m_wNumber = 257;
    const int nBefore = pModel->GetUndoCount();
    EXPECT_EQ(SendValueChanged(pBar, nColour, bad), 0);
    EXPECT_EQ(pModel->GetUndoCount(), nBefore);
    EXPECT_EQ(pModel->GetFeature(a)->GetColorNo(), 1);
}
