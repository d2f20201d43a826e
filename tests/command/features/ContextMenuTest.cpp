// The right click's menus as the command manager builds them from the English language library: the
// repeat entry and the recent commands of the history, the command menu of the running command (its
// settings and styles, one entry per parameter, alternatives and list entries, modifiers, finishing
// entries) and the edit menu that keeps only what the selection can use.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FeaturePickCommand.h"
#include "command/CommandInfo.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kTrimID = 33753;

std::vector<UINT> Ids(const CMenu& menu)
{
    std::vector<UINT> ids;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
        ids.push_back(menu.GetMenuItemID(static_cast<int>(i)));
    return ids;
}

CString Text(const CMenu& menu, int nPos)
{
    CString text;
    menu.GetMenuString(static_cast<UINT>(nPos), text, MF_BYPOSITION);
    return text;
}

BOOL Checked(const CMenu& menu, int nPos)
{
    return (menu.GetMenuState(static_cast<UINT>(nPos), MF_BYPOSITION) & MF_CHECKED) != 0;
}

// The position of the first item with the id (popups: -1 as id never matches), or -1.
int Find(const CMenu& menu, UINT nID)
{
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
        if (menu.GetMenuItemID(static_cast<int>(i)) == nID)
            return static_cast<int>(i);
    return -1;
}

BOOL Contains(const CMenu& menu, UINT nID)
{
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (menu.GetMenuItemID(static_cast<int>(i)) == nID)
            return TRUE;
        if (const CMenu* pSub = menu.GetSubMenu(static_cast<int>(i)))
            if (Contains(*pSub, nID))
                return TRUE;
    }
    return FALSE;
}

class ContextMenuTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        ASSERT_NE(english.pModule, nullptr) << "no English language library in the resource folder";
        previous = AfxGetResourceHandle();
        AfxSetResourceHandle(english.pModule);
        ManagerFixture::SetUp();
        // Every command of the table in table order: histories are made of these.
        for (const CommandInfo* pRow = CommandInfo::GetTable(); pRow->m_nID != 0; ++pRow)
            if (pRow->m_nID != kTrimID)
                table.push_back(pRow->m_nID);
    }
    void TearDown() override
    {
        ManagerFixture::TearDown();
        AfxSetResourceHandle(previous);
        if (english.pModule != nullptr)
            AfxFreeResourceModule(english.pModule);
    }
    CString Name(UINT nID) const { return CommandManager::GetCommandDisplayName(nID); }
    CString Numbered(int n, UINT nID) const
    {
        CString text;
        text.Format(_T("&%d "), n);
        return text + Name(nID);
    }

    LanguageModuleResult english{};
    ResourceModule* previous = nullptr;
    std::vector<UINT> table;
};

}  // namespace

TEST_F(ContextMenuTest, WithAnEmptyHistoryTheRepeatEntriesStayAsTheResourceHasThem)
{
    CMenu resource;
    CMenu* pMenu = manager.BuildDefaultContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetMenuItemID(0), 39202u);
    ASSERT_NE(pMenu->GetSubMenu(1), nullptr);
    EXPECT_EQ(Ids(*pMenu->GetSubMenu(1)), std::vector<UINT>({39203u}));
    EXPECT_NE(Find(*pMenu, 34134), -1);
    EXPECT_NE(Find(*pMenu, 34135), -1);
}

TEST_F(ContextMenuTest, TheRepeatEntryOffersTheNewestCommandAndTheSubmenuTheOlderOnes)
{
    CommandHistory& history = manager.GetCommandHistory();
    history.Add(table[0]);
    history.Add(table[1]);
    history.Add(table[2]);
    CMenu resource;
    CMenu* pMenu = manager.BuildDefaultContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetMenuItemID(0), table[2]);
    EXPECT_EQ(Text(*pMenu, 0), Name(table[2]) + LoadResourceString(10689));
    const CMenu* pRecent = pMenu->GetSubMenu(1);
    ASSERT_NE(pRecent, nullptr);
    EXPECT_EQ(Ids(*pRecent), std::vector<UINT>({table[1], table[0]}));
    EXPECT_EQ(Text(*pRecent, 0), Numbered(1, table[1]));
    EXPECT_EQ(Text(*pRecent, 1), Numbered(2, table[0]));
}

TEST_F(ContextMenuTest, TheRecentListEndsAtTheTenthNewestCommandAndSkipsTheRunningOne)
{
    CommandHistory& history = manager.GetCommandHistory();
    for (int i = 0; i < 15; ++i)
        history.Add(table[static_cast<size_t>(i)]);
    {
        CMenu resource;
        CMenu* pMenu = manager.BuildDefaultContextMenu(resource);
        ASSERT_NE(pMenu, nullptr);
        EXPECT_EQ(pMenu->GetMenuItemID(0), table[14]);
        const CMenu* pRecent = pMenu->GetSubMenu(1);
        ASSERT_NE(pRecent, nullptr);
        std::vector<UINT> expected;
        for (int i = 13; i >= 5; --i)  // the 2nd to the 10th newest
            expected.push_back(table[static_cast<size_t>(i)]);
        EXPECT_EQ(Ids(*pRecent), expected);
        EXPECT_EQ(Text(*pRecent, 8), Numbered(9, table[5]));
    }
    // The running command is the newest entry: the repeat entry offers the one before it.
    ASSERT_TRUE(manager.ExecuteCommand(kTrimID));
    CMenu resource;
    CMenu* pMenu = manager.BuildCommandContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetMenuItemID(0), table[14]);
    const CMenu* pRecent = pMenu->GetSubMenu(1);
    ASSERT_NE(pRecent, nullptr);
    std::vector<UINT> expected;
    for (int i = 13; i >= 6; --i)  // the 3rd to the 10th newest
        expected.push_back(table[static_cast<size_t>(i)]);
    EXPECT_EQ(Ids(*pRecent), expected);
}

TEST_F(ContextMenuTest, TheLineCommandsMenuHasItsSettingsThenOneEntryPerParameterAndItsModifiers)
{
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    CommandBase* pLine = manager.GetActiveCommand();
    ASSERT_NE(pLine, nullptr);
    CMenu resource;
    CMenu* pMenu = manager.BuildCommandContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetMenuItemID(3), 34631u);
    EXPECT_EQ(Text(*pMenu, 3), LoadResourceString(10680));
    // Position 4: the style submenu, or the entry that registers a first style.
    if (pMenu->GetSubMenu(4) != nullptr)
        EXPECT_EQ(Text(*pMenu, 4), LoadResourceString(10686));
    else
        EXPECT_EQ(pMenu->GetMenuItemID(4), 34884u);
    EXPECT_EQ(pMenu->GetMenuItemID(5), 0u);
    const int count = pLine->GetParameterCount();
    ASSERT_GT(count, 1);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pMenu->GetMenuItemID(6 + i), 39222u + static_cast<UINT>(i));
        EXPECT_EQ(Text(*pMenu, 6 + i), pLine->GetParameterItem(i)->m_strCaption);
        EXPECT_EQ(Checked(*pMenu, 6 + i), i == pLine->GetCurrentParameterIndex());
    }
    EXPECT_EQ(pMenu->GetMenuItemID(6 + count), 0u);
    // Point, length and angle modifiers in that order.
    int at = 7 + count;
    for (UINT text : {10681u, 10682u, 10683u}) {
        ASSERT_NE(pMenu->GetSubMenu(at), nullptr) << text;
        EXPECT_EQ(Text(*pMenu, at), LoadResourceString(text));
        ++at;
    }
    EXPECT_EQ(Ids(*pMenu->GetSubMenu(7 + count)), std::vector<UINT>({37158u, 37159u}));
    EXPECT_EQ(Ids(*pMenu->GetSubMenu(8 + count)), std::vector<UINT>({37152u, 37153u}));
    EXPECT_EQ(Ids(*pMenu->GetSubMenu(9 + count)), std::vector<UINT>({37154u, 37155u, 37156u, 37157u}));
    EXPECT_EQ(pMenu->GetMenuItemID(at), 0u);
    EXPECT_FALSE(Contains(*pMenu, 34133));
    EXPECT_FALSE(Contains(*pMenu, 37102));
    EXPECT_NE(Find(*pMenu, 37101), -1);
}

TEST_F(ContextMenuTest, AlternativesAndListEntriesBecomeSubmenusNumberedAcrossTheMenu)
{
    ASSERT_TRUE(manager.ExecuteCommand(kTrimID));
    CommandBase* pCommand = manager.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_TRUE(manager.SetCurrentParameter(pCommand, Trim2dCommand::pGroup));
    CMenu resource;
    CMenu* pMenu = manager.BuildCommandContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    // No settings for this command: the parameters start at position 3.
    EXPECT_EQ(pMenu->GetMenuItemID(3), 39222u);
    const int size = 3 + Trim2dCommand::pSize;
    const CMenu* pSize = pMenu->GetSubMenu(size);
    ASSERT_NE(pSize, nullptr);
    EXPECT_EQ(Text(*pMenu, size), CString(_T("Size by angle")));
    EXPECT_EQ(Ids(*pSize), std::vector<UINT>({39252u, 39253u}));
    EXPECT_FALSE(Checked(*pSize, 0));
    EXPECT_TRUE(Checked(*pSize, 1));
    const CMenu* pStep = pMenu->GetSubMenu(size + 1);
    ASSERT_NE(pStep, nullptr);
    EXPECT_EQ(Ids(*pStep), std::vector<UINT>({39254u, 39255u}));
    EXPECT_TRUE(Checked(*pStep, 0));
    const CMenu* pKind = pMenu->GetSubMenu(size + 2);
    ASSERT_NE(pKind, nullptr);
    EXPECT_EQ(Text(*pMenu, size + 2), CString(_T("Kind")));
    EXPECT_EQ(Ids(*pKind), std::vector<UINT>({39362u, 39363u, 39364u}));
    EXPECT_EQ(Text(*pKind, 1), CString(_T("Far")));
    EXPECT_TRUE(Checked(*pKind, 1));
    EXPECT_FALSE(Checked(*pKind, 0));
    // The group input is current: its entry is checked and the selection can be finished.
    EXPECT_TRUE(Checked(*pMenu, 3 + Trim2dCommand::pGroup));
    EXPECT_FALSE(Checked(*pMenu, 3 + Trim2dCommand::pFeature));
    EXPECT_NE(Find(*pMenu, 34133), -1);
    // Of the current items only the angle takes a modifier.
    int modifiers = 0;
    for (UINT text : {10681u, 10682u, 10683u})
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i)
            if (pMenu->GetSubMenu(static_cast<int>(i)) != nullptr && Text(*pMenu, static_cast<int>(i)) == LoadResourceString(text))
                modifiers += static_cast<int>(text);
    EXPECT_EQ(modifiers, 10683);
}

TEST_F(ContextMenuTest, TheEditMenuKeepsWhatASelectedLineCanUse)
{
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    doc.BeginUndoOperation(nullptr);
    const long id = doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 1);
    doc.EndUndoOperation();
    ASSERT_GT(id, 0);
    ASSERT_TRUE(doc.GetSelectionManager()->SelectFeature(FeatureRecord(id, -1)));
    manager.GetCommandHistory().Add(table[0]);
    CMenu resource;
    CMenu* pMenu = manager.BuildEditContextMenu(resource);
    ASSERT_NE(pMenu, nullptr);
    // One picked line: a parallel of it may be drawn.
    for (UINT kept : {57635u, 57634u, 33723u, 33724u, 57632u, 34134u, 34135u, 33416u})
        EXPECT_NE(Find(*pMenu, kept), -1) << kept;
    for (UINT dropped : {33763u, 33764u, 33753u, 57872u, 33783u})
        EXPECT_FALSE(Contains(*pMenu, dropped)) << dropped;
    // Submenus left without entries go.
    for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i)
        if (const CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(i)))
            EXPECT_GT(pSub->GetMenuItemCount(), 0u);
    // A linear dimension may measure the line.
    EXPECT_TRUE(Contains(*pMenu, 33552));
    EXPECT_FALSE(Contains(*pMenu, 34733));
    EXPECT_EQ(pMenu->GetMenuItemID(0), table[0]);
}

TEST_F(ContextMenuTest, TheStyleSubmenuShowsNineStylesThenMoreAndMarksTheCurrentOne)
{
    DimensionSettingStyles styles;
    styles.Copy(*doc.GetDimensionSettingStyles());
    styles.RemoveAllSettingStyles();
    for (int i = 1; i <= 12; ++i) {
        CString name;
        name.Format(_T("Style %d"), i);
        ASSERT_TRUE(styles.SetSettingStyle(name, doc.GetDimensionSetting()));
    }
    ASSERT_TRUE(styles.SetCurrentSettingStyleName(_T("Style 3")));
    ASSERT_TRUE(doc.UpdateFeatureSettingStyles(styles));

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, _T("first"));
    ASSERT_TRUE(manager.AddSettingStyleMenu(&menu, 0, 50));
    EXPECT_EQ(Text(menu, 0), LoadResourceString(10686));
    const CMenu* pStyles = menu.GetSubMenu(0);
    ASSERT_NE(pStyles, nullptr);
    std::vector<UINT> expected;
    for (UINT i = 0; i < 9; ++i)
        expected.push_back(34838 + i);
    expected.push_back(0);
    expected.push_back(34848);
    EXPECT_EQ(Ids(*pStyles), expected);
    EXPECT_EQ(Text(*pStyles, 10), LoadResourceString(10687));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Checked(*pStyles, i), i == 2) << i;

    // A kind without styles offers to register one; other kinds of shape get nothing.
    styles.RemoveAllSettingStyles();
    ASSERT_TRUE(doc.UpdateFeatureSettingStyles(styles));
    CMenu empty;
    ASSERT_TRUE(empty.CreatePopupMenu());
    ASSERT_TRUE(manager.AddSettingStyleMenu(&empty, 0, 50));
    EXPECT_EQ(Ids(empty), std::vector<UINT>({34889u}));
    EXPECT_EQ(Text(empty, 0), LoadResourceString(10688));
    EXPECT_FALSE(manager.AddSettingStyleMenu(&empty, 0, 3));
    EXPECT_EQ(empty.GetMenuItemCount(), 1u);
}
