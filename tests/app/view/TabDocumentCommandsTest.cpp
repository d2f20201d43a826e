// What the document window's commands and file do with its tabs: the tab order written with the drawing,
// the layer table shown by its command, select all and invert selection from the menu.

#include <QtCore/QTemporaryDir>

#include "TabViewFixture.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/WinMessages.h"
#include "platform/afx/CArray.h"

namespace {

class TabDocumentCommandsTest : public TabViewFixture
{
protected:
    void Command(UINT nID) { frame->SendMessage(WM_COMMAND, nID, 0); }
};

TEST_F(TabDocumentCommandsTest, TheTabOrderAndTheActiveTabAreWrittenWithTheDrawing)
{
    Open();
    DrawingFeatureBase* pPart = AddPart(u"Bracket");
    PumpTabEvents();
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2, 1}));
    // Layer table first, the new part second and active.
    CUIntArray order;
    for (const UINT n : {3u, 4u, 0u, 1u, 2u})
        order.Add(n);
    ASSERT_TRUE(tabs->ReorderTabs(order));
    ASSERT_TRUE(tabs->ActivateDrawing(pPart));
    ASSERT_EQ(ActiveTab(), 1);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabs.kvcd"));
    const std::u16string file = path.toStdU16String();
    ASSERT_TRUE(doc->OnSaveDocument(file.c_str()));
    Close();

    CQZ2Doc reopened;
    reopened.m_bAutoDelete = FALSE;
    ASSERT_TRUE(reopened.OnOpenDocument(file.c_str()));
    const DrawViewInfo& info = reopened.GetViewInfo();
    ASSERT_EQ(info.GetViewInfoCount(), 5);
    EXPECT_EQ(info.GetViewType(0), 2);
    EXPECT_EQ(info.GetViewType(1), 1);
    EXPECT_EQ(info.GetViewID(1), pPart->GetDrawingID());
    EXPECT_EQ(info.GetViewType(2), 0);
    EXPECT_EQ(info.GetActiveIndex(), 1);
}

TEST_F(TabDocumentCommandsTest, TheLayerTableCommandShowsAndActivatesTheLayerTable)
{
    Open();
    tabs->CloseLayerTableTab();
    PumpTabEvents();
    ASSERT_EQ(tabs->GetLayerTableView(), nullptr);
    ASSERT_EQ(manager->GetActiveTabView(), tabs);
    Command(33306);
    PumpTabEvents();
    ASSERT_NE(tabs->GetLayerTableView(), nullptr);
    EXPECT_EQ(tabs->GetTabViewKind(ActiveTab()), 2);
}

TEST_F(TabDocumentCommandsTest, SelectAllAndInvertSelectionWorkFromTheMenu)
{
    Open();
    model->BeginUndoOperation(nullptr);
    for (int i = 0; i < 3; ++i) {
        const Line2dFeature line(RuVaPnt2d(0, i * 10.0), RuVaPnt2d(50, i * 10.0));
        ASSERT_GT(model->AddFeature(&line, model->GetActiveDrawingFeature(), 1), 0);
    }
    model->EndUndoOperation();
    const SelectionManager* pSelection = model->GetSelectionManager();
    ASSERT_TRUE(pSelection->IsSelectionEmpty());

    Command(34134);
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    EXPECT_EQ(selected.GetSize(), 3);

    Command(34135);
    EXPECT_TRUE(pSelection->IsSelectionEmpty());
    Command(34135);
    pSelection->GetSelectedFeatureList(selected);
    EXPECT_EQ(selected.GetSize(), 3);
}

}  // namespace
