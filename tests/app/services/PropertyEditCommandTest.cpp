// Taking a property row's value from the drawing: a pick mode of the property bar's toolbar starts the
// property-edit command, a click gives the value, every held object takes it in one step and the
// command ends; without a selected row nothing starts.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/PropertyListItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"
#include "property/CPropertyToolBar.h"

namespace {

constexpr UINT kLengthOfShape = 37153;
constexpr WORD kRadius = 17;

class PropertyEditCommandTest : public ProgramFixture
{
};

}  // namespace

TEST_F(PropertyEditCommandTest, ALengthOfAShapeGoesToEveryHeldCircle)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    CRect client;
    pView->GetClientRect(&client);
    auto world = [&](double fx, double fy) {
        return pDraw->ConvertPointClientToWorld(CPoint(int(client.Width() * fx), int(client.Height() * fy)), TRUE);
    };
    const Line2dFeature line(world(0.1, 0.8), world(0.6, 0.8));
    const double length = line.GetLength();
    const long nLine = pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1);
    const Circle2dFeature small(world(0.8, 0.2), length / 10);
    const long a = pModel->AddFeature(&small, pModel->GetActiveDrawingFeature(), 1);
    const Circle2dFeature other(world(0.2, 0.2), length / 20);
    const long b = pModel->AddFeature(&other, pModel->GetActiveDrawingFeature(), 1);
    ASSERT_GT(nLine, 0);
    // No row selected (nothing shown): nothing starts.
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    ASSERT_EQ(pBar->GetCurrentRow(), nullptr);
    pBar->SendMessage(WM_COMMAND, MAKEWPARAM(kLengthOfShape, 0), 0);
    Pump();
    EXPECT_FALSE(m_manager->HasActiveCommand());

    CArray<FeatureLayout> records;
    for (long id : {a, b})
        records.Add(FeatureLayout(id, pModel->GetActiveLayoutID(), -1));
    pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, TRUE);
    Pump();
    ASSERT_EQ(pBar->GetFeaturePropertyCount(), 2);


    // The radius row: one drop-down button offering the length modes.
    const int nRow = pBar->FindRowByPropertyId(kRadius);
    ASSERT_GE(nRow, 0);
    pBar->GetList().SetCurSel(nRow);
    EXPECT_EQ(pBar->GetToolBar().GetMode(), 2u);
    EXPECT_EQ(pBar->GetToolBar().GetCount(), 1);
    std::vector<UINT> menu;
    pBar->GetToolBar().GetMenuCommands(menu);
    EXPECT_EQ(menu, (std::vector<UINT>{37152, 37153}));

    const int nUndo = pModel->GetUndoCount();
    pBar->SendMessage(WM_COMMAND, MAKEWPARAM(kLengthOfShape, 0), 0);
    Pump();
    ASSERT_TRUE(m_manager->HasActiveCommand());
    EXPECT_EQ(m_manager->GetActiveCommand()->GetDisplayName(), CString(u"Edit Radius"));
    Click(pView, pDraw->ConvertPointWorldToClient(world(0.35, 0.8)));
    Pump();
    EXPECT_FALSE(m_manager->HasActiveCommand()) << "one value ends the command";
    EXPECT_EQ(pModel->GetUndoCount(), nUndo + 1);
    EXPECT_NEAR(static_cast<Circle2dFeature*>(pModel->GetFeature(a))->GetRadius(), length, 1e-6);
    EXPECT_NEAR(static_cast<Circle2dFeature*>(pModel->GetFeature(b))->GetRadius(), length, 1e-6);
}
