// Menu, toolbar and accelerator ids reach the command manager through the document, with the
// drop-down group bookkeeping and the enabled, checked and radio states of the items.

#include "DocFixture.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/win/CMenu.h"
#include "platform/win/CTestCmdUI.h"
#include "platform/win/WinClipboard.h"

#include <cstring>

namespace {

class MenuCmdUI : public CTestCmdUI
{
public:
    MenuCmdUI(UINT nID, CMenu* pMenu)
    {
        m_nID = nID;
        m_pMenu = pMenu;
    }
    void SetRadio(BOOL bOn) override
    {
        m_nRadio = bOn ? 1 : 0;
        CTestCmdUI::SetRadio(bOn);
    }
    int m_nRadio = -1;  // -1: left alone
};

class CommandRoutingTest : public DocFixture
{
protected:
    static BOOL Command(CQZ2Doc* pDoc, UINT nID) { return pDoc->OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr); }
    static BOOL Update(CQZ2Doc* pDoc, CCmdUI& ui)
    {
        return pDoc->OnCmdMsg(ui.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui, nullptr);
    }
};

TEST_F(CommandRoutingTest, AGroupMemberChosenBecomesWhatItsGroupButtonStarts)
{
    CQZ2Doc* pDoc = NewDocument();
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33464), 33928u);  // arc of three points: the arc group
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33492), 33928u);
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33435), 33924u);
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33739), 33932u);
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33750), 0u);  // an edit command in no group
    EXPECT_EQ(CQZ2Doc::GetCommandGroup(33421), 0u);

    EXPECT_TRUE(Command(pDoc, 33464));
    EXPECT_EQ(CQZ2Doc::GetGroupButtonCommand(33928), 33464u);
    EXPECT_TRUE(Command(pDoc, 33442));
    EXPECT_EQ(CQZ2Doc::GetGroupButtonCommand(33927), 33442u);
    EXPECT_EQ(CQZ2Doc::GetGroupButtonCommand(33928), 33464u);
    // A command in no group leaves every group as it was.
    EXPECT_TRUE(Command(pDoc, 33750));
    EXPECT_EQ(CQZ2Doc::GetGroupButtonCommand(33928), 33464u);
    // The group buttons are handled, with or without a member.
    EXPECT_TRUE(Command(pDoc, 33928));
    EXPECT_TRUE(Command(pDoc, 33941));
    // Edit command items stay enabled.
    CTestCmdUI ui;
    ui.m_nID = 33750;
    EXPECT_TRUE(Update(pDoc, ui));
    EXPECT_TRUE(ui.m_bEnabled);
}

TEST_F(CommandRoutingTest, UndoRedoAndDeleteActiveDrawingFollowTheDocument)
{
    CQZ2Doc* pDoc = NewDocument();
    CTestCmdUI undo;
    undo.m_nID = 57643;
    ASSERT_TRUE(Update(pDoc, undo));
    EXPECT_FALSE(undo.m_bEnabled);
    AddShapes(pDoc, 1);
    undo.m_bEnabled = FALSE;
    ASSERT_TRUE(Update(pDoc, undo));
    EXPECT_TRUE(undo.m_bEnabled);
    CTestCmdUI redo;
    redo.m_nID = 57644;
    ASSERT_TRUE(Update(pDoc, redo));
    EXPECT_FALSE(redo.m_bEnabled);

    // The paper is active: a part drawing cannot be deleted from here.
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CTestCmdUI remove;
    remove.m_nID = 34343;
    ASSERT_TRUE(Update(pDoc, remove));
    EXPECT_FALSE(remove.m_bEnabled);
    ASSERT_TRUE(pModel->ActivateDrawingFeature(pModel->GetDrawingFeatureByIndex(1), FALSE));
    ASSERT_TRUE(Update(pDoc, remove));
    EXPECT_TRUE(remove.m_bEnabled);
}

TEST_F(CommandRoutingTest, TheRadioMarkOfAStyleMenuStaysInItsBlock)
{
    CQZ2Doc* pDoc = NewDocument();
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    DimensionSettingStyles* pStyles = pModel->GetDimensionSettingStyles();
    ASSERT_NE(pStyles, nullptr);
    DimensionSetting setting;
    if (pStyles->GetSettingStyleCount() > 0)
        setting = *static_cast<const DimensionSetting*>(pStyles->GetSettingStyleAt(0));
    pStyles->RemoveAllSettingStyles();
    for (int i = 0; i < 12; ++i) {
        CString name;
        name.Format(u"Dim %d", i);
        ASSERT_TRUE(pStyles->SetSettingStyle(name, &setting));
    }
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const UINT first = 34838;  // the dimension block

    // Choosing the third entry makes its style current, as one undo step.
    const int nUndo = pModel->GetUndoCount();
    EXPECT_TRUE(Command(pDoc, first + 2));
    EXPECT_TRUE(pStyles->GetCurrentSettingStyleName() == CString(u"Dim 2"));
    EXPECT_EQ(pModel->GetUndoCount(), nUndo + 1);
    MenuCmdUI third(first + 2, &menu), fourth(first + 3, &menu), eleventh(first + 10, &menu);
    ASSERT_TRUE(Update(pDoc, third));
    ASSERT_TRUE(Update(pDoc, fourth));
    ASSERT_TRUE(Update(pDoc, eleventh));
    EXPECT_EQ(third.m_nRadio, 1);
    EXPECT_EQ(fourth.m_nRadio, 0);
    EXPECT_EQ(eleventh.m_nRadio, 0);

    // A current style beyond the first ten puts the mark on the eleventh entry.
    ASSERT_TRUE(pModel->SetCurrentDimensionSettingStyleName(u"Dim 11"));
    MenuCmdUI again(first + 10, &menu);
    ASSERT_TRUE(Update(pDoc, again));
    EXPECT_EQ(again.m_nRadio, 1);

    // On a toolbar nothing is marked.
    MenuCmdUI toolbar(first + 2, nullptr);
    ASSERT_TRUE(Update(pDoc, toolbar));
    EXPECT_EQ(toolbar.m_nRadio, -1);
    // An entry beyond the styles chooses nothing.
    ASSERT_TRUE(pModel->SetCurrentDimensionSettingStyleName(u"Dim 1"));
    pStyles->RemoveSettingStyle(u"Dim 9");
    pStyles->RemoveSettingStyle(u"Dim 10");
    pStyles->RemoveSettingStyle(u"Dim 11");
    pStyles->RemoveSettingStyle(u"Dim 8");
    EXPECT_TRUE(Command(pDoc, first + 9));
    EXPECT_TRUE(pStyles->GetCurrentSettingStyleName() == CString(u"Dim 1"));
}

TEST_F(CommandRoutingTest, OnlyStyleRegistrationEntriesWithADialogAsk)
{
    CQZ2Doc* pDoc = NewDocument();
    TheApp()->answer = IDNO;
    EXPECT_TRUE(Command(pDoc, 34884));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].type & MB_YESNO, 0u);
    Boxes().clear();
    for (UINT id = 34891; id <= 34894; ++id)
        EXPECT_TRUE(Command(pDoc, id));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CommandRoutingTest, PasteIsEnabledByTextOnTheClipboardAndDisabledByAnEmptyOne)
{
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    for (UINT id : {57637u, 57639u}) {
        CTestCmdUI ui;
        ui.m_nID = id;
        ASSERT_TRUE(Update(pDoc, ui));
        EXPECT_FALSE(ui.m_bEnabled) << id;
    }

    const char16_t text[] = u"12.5";
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(hText), text, sizeof text);
    GlobalUnlock(hText);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, hText), nullptr);
    ASSERT_TRUE(CloseClipboard());
    for (UINT id : {57637u, 57639u}) {
        CTestCmdUI ui;
        ui.m_nID = id;
        ui.m_bEnabled = FALSE;
        ASSERT_TRUE(Update(pDoc, ui));
        EXPECT_TRUE(ui.m_bEnabled) << id;
    }
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace
