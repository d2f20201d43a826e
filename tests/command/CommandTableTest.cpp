// The command table and its four lookups.

#include <gtest/gtest.h>

#include <set>

#include "command/CommandInfo.h"
#include "command/CommandManager.h"
#include "platform/afx/ResourceModule.h"

using namespace QZ2Command;

TEST(CommandTable, RowsCountsAndTerminator)
{
    const CommandInfo* table = CommandInfo::GetTable();
    std::set<UINT> ids;
    std::set<std::u16string> identifiers;
    std::set<std::string> classes;
    int shape = 0, edit = 0, settings = 0, tools = 0, property = 0, print = 0, addin = 0;
    int n = 0;
    for (; table[n].m_nID != 0; ++n) {
        const CommandInfo& row = table[n];
        EXPECT_LT(row.m_nID, 65536u);
        ids.insert(row.m_nID);
        const CString& id = row.m_strIdentifier;
        identifiers.insert(std::u16string((LPCTSTR)id));
        classes.insert(row.m_lpszClassName);
        ASSERT_EQ(id.Left(7), CString(_T("Korvan.")));
        const CString group = id.Mid(7, id.Find(_T('.'), 7) - 7);
        shape += group == _T("Shape");
        edit += group == _T("Edit");
        settings += group == _T("Settings");
        tools += group == _T("Tools");
        property += group == _T("Property");
        print += group == _T("Print");
        addin += group == _T("AddIn");
        const bool standard = row.m_nID >= 57600;
        if (!standard) {
            EXPECT_GE(row.m_nID, 33402u);
            EXPECT_LE(row.m_nID, 39562u);
        }
    }
    EXPECT_EQ(n, 162);
    EXPECT_EQ(CommandInfo::kCommandCount, 162);
    EXPECT_TRUE(table[n].m_strIdentifier.IsEmpty());
    EXPECT_EQ(table[n].m_nStringID, 0u);
    EXPECT_EQ(table[n].m_lpszClassName, nullptr);
    EXPECT_EQ(ids.size(), 162u);
    EXPECT_EQ(identifiers.size(), 162u);
    EXPECT_EQ(classes.size(), 95u);
    EXPECT_EQ(shape, 75);
    EXPECT_EQ(edit, 51);
    EXPECT_EQ(settings, 27);
    EXPECT_EQ(tools, 4);
    EXPECT_EQ(property, 3);
    EXPECT_EQ(print, 1);
    EXPECT_EQ(addin, 1);

    // Display names: 10511 upward, 10553 and 10610 unused, 10640 shared, 10673 last.
    EXPECT_EQ(table[0].m_nStringID, 10511u);
    EXPECT_EQ(table[161].m_nStringID, 10673u);
    std::multiset<UINT> numbers;
    for (int i = 0; i < n; ++i)
        numbers.insert(table[i].m_nStringID);
    EXPECT_EQ(numbers.count(10553), 0u);
    EXPECT_EQ(numbers.count(10610), 0u);
    EXPECT_EQ(numbers.count(10640), 2u);
    for (UINT s = 10511; s <= 10673; ++s) {
        if (s != 10553 && s != 10610 && s != 10640) {
            EXPECT_EQ(numbers.count(s), 1u) << s;
        }
    }
}

TEST(CommandTable, RowsThatShareAClass)
{
    struct Shared { const char* name; int rows; } shared[] = {
        {"HorizontalVerticalLine2dCommand", 3}, {"BSplineCurve2dCommand", 2}, {"Text2dCommand", 2},
        {"InfiniteLine2dCommand", 2}, {"Lead2dCommand", 2}, {"LinearDimension2dCommand", 4},
        {"ContinueLinearDimension2dCommand", 12}, {"ContinueAngularDimension2dCommand", 6}, {"Hatch2dCommand", 2},
        {"DrawGroup2dCommand", 2}, {"Move2dCommand", 12}, {"MoveCut2dCommand", 2}, {"MoveMirror2dCommand", 2},
        {"Trim2dCommand", 2}, {"UndoCommand", 2}, {"ClipboardCopy2dCommand", 2}, {"ClipboardPaste2dCommand", 2},
        {"ChangeFeatureSetting2dCommand", 8}, {"FeatureSettingCommand", 7}, {"GridSettingCommand", 4},
        {"SelectionFilterCommand", 2}, {"OptionsCommand", 2}, {"Drawing2dCommand", 3}, {"PartLayout2dCommand", 2},
        {"PropertyEdit2dCommand", 3},
    };
    for (const Shared& s : shared) {
        int rows = 0;
        for (const CommandInfo* row = CommandInfo::GetTable(); row->m_nID != 0; ++row)
            rows += std::string(row->m_lpszClassName) == s.name;
        EXPECT_EQ(rows, s.rows) << s.name;
    }
}

TEST(CommandTable, Lookups)
{
    CommandManager manager;
    EXPECT_EQ(CommandManager::GetCommandIdentifier(33412), CString(_T("Korvan.Shape.Line")));
    EXPECT_EQ(CommandManager::GetCommandID(_T("Korvan.Shape.Line")), 33412u);
    EXPECT_EQ(CommandManager::GetCommandID(_T("korvan.shape.line")), static_cast<UINT>(-1));
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("korvan.shape.line")), nullptr);
    const CommandInfo* pRow = CommandManager::FindCommandInfo(_T("Korvan.Shape.Line"));
    ASSERT_NE(pRow, nullptr);
    EXPECT_STREQ(pRow->m_lpszClassName, "Line2dCommand");
    EXPECT_EQ(pRow->m_nStringID, 10515u);

    for (UINT id : {0u, 33401u, 65535u, 65536u + 33412u}) {
        EXPECT_TRUE(CommandManager::GetCommandIdentifier(id).IsEmpty()) << id;
        EXPECT_TRUE(CommandManager::GetCommandDisplayName(id).IsEmpty()) << id;
    }

    struct Standard { UINT id; const char16_t* identifier; } standard[] = {
        {57632, u"Korvan.Edit.Delete"}, {57634, u"Korvan.Edit.ClipboardCopy"}, {57635, u"Korvan.Edit.ClipboardCut"},
        {57637, u"Korvan.Edit.ClipboardPaste"}, {57639, u"Korvan.Edit.ClipboardPasteSpecial"},
        {57643, u"Korvan.Edit.Undo"}, {57644, u"Korvan.Edit.Redo"}, {57856, u"Korvan.Shape.InsertOleObject"},
    };
    for (const Standard& s : standard) {
        EXPECT_EQ(CommandManager::GetCommandIdentifier(s.id), CString(s.identifier));
        EXPECT_EQ(CommandManager::GetCommandID(s.identifier), s.id);
    }

    // The point-marker and text setting rows share one display name.
    EXPECT_EQ(CommandManager::GetCommandDisplayName(34632), CommandManager::GetCommandDisplayName(34633));
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Settings.PointMarkerSetting"))->m_nStringID, 10640u);
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Settings.LeadSetting"))->m_nStringID, 10641u);
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Shape.Tolerance"))->m_nStringID, 10552u);
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Shape.LinearDimension"))->m_nStringID, 10554u);
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Edit.TrimRect"))->m_nStringID, 10609u);
    EXPECT_EQ(CommandManager::FindCommandInfo(_T("Korvan.Edit.Fillet"))->m_nStringID, 10611u);

    // Every id maps back to its own row.
    for (const CommandInfo* row = CommandInfo::GetTable(); row->m_nID != 0; ++row) {
        EXPECT_EQ(CommandManager::GetCommandIdentifier(row->m_nID), row->m_strIdentifier);
        EXPECT_EQ(CommandManager::GetCommandID(row->m_strIdentifier), row->m_nID);
    }
}

TEST(CommandTable, SecondManagerLeavesTheIndex)
{
    CommandManager first;
    const CommandManager::CommandIndex& index = CommandManager::GetCommandIndex();
    EXPECT_EQ(index.GetCount(), 162);
    {
        CommandManager second;
        EXPECT_EQ(index.GetCount(), 162);
    }
    EXPECT_EQ(index.GetCount(), 162);
    EXPECT_EQ(CommandManager::GetCommandIdentifier(34998), CString(_T("Korvan.AddIn.AddInManager")));
}

TEST(CommandTable, DisplayNamesComeFromTheLanguageLibrary)
{
    CommandManager manager;  // fills the id index when no manager has yet
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    ASSERT_NE(english.pModule, nullptr) << "no English language library in the resource folder";
    ResourceModule* pPrevious = AfxGetResourceHandle();
    AfxSetResourceHandle(english.pModule);

    EXPECT_EQ(CommandManager::GetCommandDisplayName(33412), CString(_T("Line")));
    const CString pointMarker = CommandManager::GetCommandDisplayName(34632);
    EXPECT_FALSE(pointMarker.IsEmpty());
    EXPECT_EQ(pointMarker, CommandManager::GetCommandDisplayName(34633));
    EXPECT_EQ(CommandManager::GetCommandDisplayName(34998), CString(_T("Add-in Manager")));
    // Every row has a name.
    for (const CommandInfo* row = CommandInfo::GetTable(); row->m_nID != 0; ++row)
        EXPECT_FALSE(CommandManager::GetCommandDisplayName(row->m_nID).IsEmpty()) << row->m_nID;

    AfxSetResourceHandle(pPrevious);
    AfxFreeResourceModule(english.pModule);
}
