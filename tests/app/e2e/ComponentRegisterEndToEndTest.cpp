// Registering shapes as a component in the running program: three picked lines replaced by one placed
// component whose definition has the base point as its origin, the palette coming up with the new
// definition selected, a second one placed from the palette, and undo with the palette listing what the
// document holds after each step. Refusals: a name in use, shapes kept when asked.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtTest/QTest>
#include <QtWidgets/QAbstractItemView>

#include "app/CMainFrame.h"
#include "commands/shape/CAttributeDialog.h"
#include "controls/GridCellNotify.h"
#include "platform/ole/COleVariant.h"
#include "libs/vevure/FeatureAttribute.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "app/SystemEnvironment.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinCtrlConstants.h"
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
        // The whole document: a placement goes into the drawing the active part layout shows, the
        // registration's instance where the picked shapes were.
        for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
            if (pModel->GetFeatureType(id) == FeatureTypeDrawComponent)
                ids.push_back(id);
        return ids;
    }
    int Listed(CDrawComponentBar* pPalette) { return pPalette->GetList().GetItemCount(); }
    // A double click on the item's picture, as the mouse makes it.
    static void DoubleClickItem(CListCtrl& list, int nItem)
    {
        CRect rc;
        ASSERT_TRUE(list.GetItemRect(nItem, &rc, LVIR_ICON));
        QWidget* pViewport = nullptr;
        for (QAbstractItemView* pView : list.GetQWidget()->findChildren<QAbstractItemView*>())
            if (pView->isVisible())
                pViewport = pView->viewport();
        if (auto* pSelf = qobject_cast<QAbstractItemView*>(list.GetQWidget()); pSelf != nullptr && pViewport == nullptr)
            pViewport = pSelf->viewport();
        ASSERT_NE(pViewport, nullptr);
        const QPoint at = pViewport->mapFrom(list.GetQWidget(), QPoint(rc.CenterPoint().x, rc.CenterPoint().y));
        QTest::mouseDClick(pViewport, Qt::LeftButton, {}, at);
    }
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

    // Started on a selection, the command ran once, as every command does.
    m_manager->CancelAllCommands();
    Pump();

    // Placed by a double click on its picture in the palette: the placing command starts with the
    // definition chosen, and a typed point places it.
    const int undoRegistered = pModel->GetUndoCount();
    DoubleClickItem(pPalette->GetList(), pPalette->GetList().FindComponent(pDefine->GetComponentId()));
    Pump();
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.AddDrawComponent"));
    EXPECT_FALSE(m_manager->GetActiveCommand()->IsParameterEmpty(0)) << "the palette's definition is chosen";
    TypeAndReturn(u"150,50");
    Pump();
    ASSERT_EQ(Components(pModel).size(), 2u) << "placed";
    EXPECT_EQ(pModel->GetUndoCount(), undoRegistered + 1);
    m_manager->CancelAllCommands();
    Pump();

    // Undone step by step: the palette lists what the document holds after each.
    Command(kUndoID);
    Pump();
    EXPECT_EQ(Components(pModel).size(), 1u);
    ASSERT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 1);
    EXPECT_EQ(Listed(pPalette), 1) << "the definition stays while only the placement is undone";
    Command(kUndoID);
    Pump();
    EXPECT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 0);
    EXPECT_EQ(Listed(pPalette), 0);
    EXPECT_TRUE(Components(pModel).empty());
    for (long id : lines)
        EXPECT_FALSE(pModel->IsDeletedFeature(id)) << "the lines are back";
}

// The attributes of a definition edited from the palette: the dialog shows the definition's names and
// values, OK writes the edited list and the ask-when-placing choice in one undo step, Cancel nothing.
TEST_F(ComponentRegisterEndToEndTest, AttributesOfADefinitionFromThePalette)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    DrawComponent2dFeatureDefine define;
    define.SetComponentName(u"Valve");
    FeatureAttribute attributes;
    attributes.AddAttribute(u"Maker", u"K", 0);
    define.SetAttribute(attributes);
    pModel->BeginUndoOperation(nullptr);
    const long id = pModel->AddDrawComponentDefine(define);
    pModel->EndUndoOperation();
    ASSERT_NE(id, -1);
    CDrawComponentBar* pPalette = m_frame->GetComponentBar();
    ASSERT_NE(pPalette, nullptr);
    Pump();
    pPalette->SelectComponent(id);
    const DrawComponent2dFeatureDefine* pDefine = pModel->GetComponentDefineTable()->GetComponentDefine(id);
    const int undoBefore = pModel->GetUndoCount();

    // A value typed in the grid, as the grid reports it, and the ask-when-placing box ticked.
    CString shown;
    WhenModal<CAttributeDialog>([&shown](CAttributeDialog& d) {
        COleVariant value;
        d.GetGrid().GetCellValue(0, 1, &value);
        shown = value.GetString();
        GridCellNotify notify{};
        notify.hdr.hwndFrom = d.GetGrid().GetSafeHwnd();
        notify.hdr.idFrom = CAttributeDialog::kGrid;
        notify.nRow = 0;
        notify.nColumn = 2;
        const COleVariant typed{CString(u"Q")};
        d.GetGrid().SetCellValue(0, 2, &typed);
        notify.hdr.code = GridCellNotify::kCellChanged;
        VariantCopy(&notify.value, &typed);
        d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
        VariantClear(&notify.value);
        d.CheckDlgButton(CAttributeDialog::kDefinitionOption, BST_CHECKED);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    pPalette->SendMessage(WM_COMMAND, CDrawComponentBar::ID_ATTRIBUTES);
    Pump();
    EXPECT_EQ(PendingModalActions(), 0u) << "the dialog came";
    EXPECT_EQ(shown, CString(u"Maker"));
    pDefine = pModel->GetComponentDefineTable()->GetComponentDefine(id);
    ASSERT_NE(pDefine, nullptr);
    ASSERT_EQ(pDefine->GetAttribute().GetAttributeCount(), 1);
    EXPECT_EQ(pDefine->GetAttribute().GetAttributeValue(0), CString(u"Q"));
    EXPECT_TRUE(pDefine->IsAttributePrompt());
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore + 1) << "one undo step";

    // Cancel leaves everything, and adds no step.
    WhenModal<CAttributeDialog>([](CAttributeDialog& d) { d.EndDialog(IDCANCEL); });
    pPalette->SendMessage(WM_COMMAND, CDrawComponentBar::ID_ATTRIBUTES);
    Pump();
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(pModel->GetUndoCount(), undoBefore + 1);

    Command(kUndoID);
    Pump();
    pDefine = pModel->GetComponentDefineTable()->GetComponentDefine(id);
    ASSERT_NE(pDefine, nullptr);
    EXPECT_EQ(pDefine->GetAttribute().GetAttributeValue(0), CString(u"K"));
    EXPECT_FALSE(pDefine->IsAttributePrompt());
}

// Started without a selection, the command takes the shapes picked in the view and stays for the next
// registration, its inputs empty again.
TEST_F(ComponentRegisterEndToEndTest, PickedInsideTheCommandItStaysForTheNextRegistration)
{
    m_app->SetSnapEnabled(FALSE);
    m_app->SetSnapAngularEnabled(FALSE);
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    CRect client;
    pView->GetClientRect(&client);
    const CPoint a(client.Width() / 4, client.Height() / 2);
    const CPoint b(3 * client.Width() / 4, client.Height() / 2);
    Line2dFeature line(pDraw->ConvertPointClientToWorld(a, TRUE), pDraw->ConvertPointClientToWorld(b, TRUE));
    pModel->BeginUndoOperation(nullptr);
    const long id = pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1);
    pModel->EndUndoOperation();
    ASSERT_NE(id, -1);

    Command(kRegisterID);
    ASSERT_EQ(m_manager->GetActiveCommandName(), CString(u"Korvan.Shape.RegisterDrawComponent"));
    QZ2Command::CommandBase* pCommand = m_manager->GetActiveCommand();
    EXPECT_TRUE(pCommand->IsParameterEmpty(0)) << "nothing selected to take";
    Click(pView, CPoint(client.Width() / 2, client.Height() / 2));
    Pump();
    ASSERT_FALSE(pCommand->IsParameterEmpty(0)) << "the line is picked";
    m_manager->SetCurrentParameter(pCommand, 2);
    TypeAndReturn(u"0,0");
    m_manager->SetCurrentParameter(pCommand, 3);
    TypeAndReturn(u"Beam");
    Pump();
    ASSERT_EQ(pModel->GetComponentDefineTable()->GetComponentDefineCount(), 1);
    EXPECT_EQ(m_manager->GetActiveCommand(), pCommand) << "ready for the next registration";
    EXPECT_TRUE(pCommand->IsParameterEmpty(0));
    EXPECT_TRUE(pCommand->IsParameterEmpty(3));
    m_manager->CancelAllCommands();
    Pump();
}

// A new thumbnail back colour in the options: the palette's pictures are made again in it.
TEST_F(ComponentRegisterEndToEndTest, AColourOptionRedrawsThePalettesThumbnails)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    DrawComponent2dFeatureDefine define;
    define.SetComponentName(u"Post");
    pModel->BeginUndoOperation(nullptr);
    const long id = pModel->AddDrawComponentDefine(define);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    pModel->AddFeature(&line, pModel->GetComponentDefineTable()->GetComponentDefine(id), 0);
    pModel->EndUndoOperation();
    CDrawComponentBar* pPalette = m_frame->GetComponentBar();
    ASSERT_NE(pPalette, nullptr);
    Pump();
    CDrawComponentCommandListCtrl& list = pPalette->GetList();
    ASSERT_EQ(list.GetItemCount(), 1);
    (void)pPalette->GetQWidget()->grab();
    ASSERT_FALSE(list.GetInfo(0)->bStale) << "the picture is made when shown";

    SystemEnvironment options(*m_app->GetSystemEnvironment());
    options.m_TableViewThumbnailBackColor = options.m_TableViewThumbnailBackColor == RGB(40, 40, 40) ? RGB(250, 250, 250)
                                                                                                   : RGB(40, 40, 40);
    ASSERT_TRUE(m_app->SetSystemEnvironment(options));
    EXPECT_TRUE(list.GetInfo(0)->bStale) << "made again at the next paint";
    EXPECT_EQ(DrawComponent2dFeatureDefineTable::GetThumbnailBackColor(), options.m_TableViewThumbnailBackColor);
    const long renders = DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount();
    (void)pPalette->GetQWidget()->grab();
    EXPECT_FALSE(list.GetInfo(0)->bStale);
    EXPECT_EQ(DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount(), renders + 1) << "in the new colour";
}

}  // namespace
