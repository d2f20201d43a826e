// The buttons of user and add-in commands (their stored layout, their tips, their place while
// customising) and what the program's own toolbar buttons allow in the customise-mode menu, on a real
// toolbar.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QWidget>

#include <map>
#include <stdexcept>

#include "ControlsTestSupport.h"
#include "controls/CKcToolbarCustomButton.h"
#include "controls/CKcToolbarCustomComboBoxButton.h"
#include "controls/CQZ2ToolbarComboBoxButton.h"
#include "controls/CQZ2ToolbarMenuButton.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/win/CMenu.h"
#include "platform/win/CToolTipCtrl.h"

namespace {

std::vector<BYTE> Store(CObject& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(CObject& object, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

// Loading raises the archive exception the state loader handles.
bool LoadThrows(CObject& object, const std::vector<BYTE>& bytes)
{
    try {
        Load(object, bytes);
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

// The fields written after what the base class wrote.
struct Tail {
    WORD version = 0;
    CString first, second, third;
    DWORD flag = 0xFFFF;
};
Tail ReadTail(const std::vector<BYTE>& bytes, size_t baseSize, bool withFlag)
{
    std::vector<BYTE> rest(bytes.begin() + static_cast<std::ptrdiff_t>(baseSize), bytes.end());
    CMemFile file;
    file.Write(rest.data(), static_cast<UINT>(rest.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    Tail t;
    ar >> t.version >> t.first >> t.second >> t.third;
    if (withFlag)
        ar >> t.flag;
    return t;
}

CKcToolbarCustomButton MakeButton()
{
    CKcToolbarCustomButton b(36100, -1, u"Add-in");
    b.SetTextA(u"text A");
    b.SetToolTipText(u"Runs the add-in's first command");
    b.SetTextC(u"text C");
    b.SetStoredFlag(TRUE);
    return b;
}

TEST(CustomToolbarButton, StoresTextCThenTheTipThenTextAThenTheFlag)
{
    CKcToolbarCustomButton stored = MakeButton();
    const std::vector<BYTE> bytes = Store(stored);
    CBCGPToolbarButton base(36100, -1, u"Add-in");
    const size_t baseSize = Store(base).size();
    const Tail tail = ReadTail(bytes, baseSize, true);
    EXPECT_EQ(tail.version, 1);
    EXPECT_EQ(tail.first, CString(u"text C"));
    EXPECT_EQ(tail.second, CString(u"Runs the add-in's first command"));
    EXPECT_EQ(tail.third, CString(u"text A"));
    EXPECT_EQ(tail.flag, 1u);

    CKcToolbarCustomButton loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.m_nID, 36100u);
    EXPECT_EQ(loaded.GetTextA(), CString(u"text A"));
    EXPECT_EQ(loaded.GetToolTipText(), CString(u"Runs the add-in's first command"));
    EXPECT_EQ(loaded.GetTextC(), CString(u"text C"));
    EXPECT_TRUE(loaded.GetStoredFlag());
    EXPECT_TRUE(loaded.IsButtonEnabled()) << "not stored: as constructed";
    EXPECT_FALSE(loaded.IsButtonChecked());

    // Any non-zero flag reads as TRUE; version 2 reads nothing further; a cut record throws.
    std::vector<BYTE> seven = bytes;
    seven[bytes.size() - 4] = 7;
    CKcToolbarCustomButton flagged;
    Load(flagged, seven);
    EXPECT_TRUE(flagged.GetStoredFlag());
    std::vector<BYTE> version2 = bytes;
    version2[baseSize] = 2;
    CKcToolbarCustomButton other;
    Load(other, version2);
    EXPECT_TRUE(other.GetToolTipText().IsEmpty());
    EXPECT_FALSE(other.GetStoredFlag());
    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 3);
    CKcToolbarCustomButton truncated;
    EXPECT_TRUE(LoadThrows(truncated, cut));
}

TEST(CustomToolbarButton, TheComboStoresItsWholeListThenTheThreeTexts)
{
    CKcToolbarCustomComboBoxButton stored(36200, -1, 0x0003L, 140);
    stored.AddItem(u"first", 1);
    stored.AddItem(u"second", 2);
    stored.SelectItem(1);
    stored.SetTextA(u"A");
    stored.SetToolTipText(u"Chooses the add-in's mode");
    stored.SetTextC(u"C");
    const std::vector<BYTE> bytes = Store(stored);
    CBCGPToolbarComboBoxButton base(36200, -1, 0x0003L, 140);
    base.AddItem(u"first", 1);
    base.AddItem(u"second", 2);
    base.SelectItem(1);
    const size_t baseSize = Store(base).size();
    const Tail tail = ReadTail(bytes, baseSize, false);
    EXPECT_EQ(tail.version, 1);
    EXPECT_EQ(tail.first, CString(u"C"));
    EXPECT_EQ(tail.second, CString(u"Chooses the add-in's mode"));
    EXPECT_EQ(tail.third, CString(u"A"));

    CKcToolbarCustomComboBoxButton loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetCurSel(), 1);
    EXPECT_EQ(loaded.GetWidth(), 140);
    EXPECT_EQ(loaded.GetToolTipText(), CString(u"Chooses the add-in's mode"));
    EXPECT_EQ(loaded.GetTextA(), CString(u"A"));
    EXPECT_EQ(loaded.GetTextC(), CString(u"C"));
    std::vector<BYTE> version2 = bytes;
    version2[baseSize] = 2;
    CKcToolbarCustomComboBoxButton other;
    Load(other, version2);
    EXPECT_TRUE(other.GetToolTipText().IsEmpty());
    EXPECT_EQ(other.GetCount(), 2);
    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 2);
    CKcToolbarCustomComboBoxButton truncated;
    EXPECT_TRUE(LoadThrows(truncated, cut));
}

struct ItemState {
    bool enabled = false;
    bool checked = false;
};
std::map<UINT, ItemState> g_items;

// Notes the items of the next popup menu by command id and closes it unchosen.
void NoteNextMenu()
{
    g_items.clear();
    AfxSetPopupMenuHook([](QMenu* m) {
        for (QAction* a : m->actions())
            if (!a->isSeparator() && a->data().isValid())
                g_items[a->data().toUInt()] = {a->isEnabled(), a->isChecked()};
        QTimer::singleShot(0, m, [m] { m->close(); });
    });
}

class CustomizedToolbar : public EnglishResources
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(600, 100));
        ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), 59500));
    }
    void TearDown() override
    {
        AfxSetPopupMenuHook(nullptr);
        CBCGPToolBar::SetCustomizeMode(FALSE);
        bar.DestroyWindow();
        host.DestroyWindow();
    }
    QToolBar* Strip() { return qobject_cast<QToolBar*>(bar.GetLayoutWidget()); }
    // The customise-mode menu of button i: enabled and checked items by id.
    std::map<UINT, ItemState> MenuOf(int i)
    {
        CBCGPToolBar::SetCustomizeMode(TRUE);
        NoteNextMenu();
        bar.OnContextMenuAt(i, CPoint(10, 10));
        CBCGPToolBar::SetCustomizeMode(FALSE);
        return g_items;
    }

    RecordingHost host;
    CBCGPToolBar bar;
};

TEST_F(CustomizedToolbar, CustomButtonsShowTheirStoredTipsAndCopiesKeepTheirTexts)
{
    CKcToolbarCustomButton button = MakeButton();
    button.SetButtonChecked(TRUE);
    ASSERT_EQ(bar.InsertButton(button), 0);
    CKcToolbarCustomComboBoxButton combo(36200, -1, 0x0003L, 120);
    combo.SetToolTipText(u"Chooses the add-in's mode");
    ASSERT_EQ(bar.InsertButton(combo), 1);
    bar.AdjustLayout();
    auto* copy = DYNAMIC_DOWNCAST(CKcToolbarCustomButton, bar.GetButton(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &button);
    EXPECT_EQ(copy->GetTextA(), CString(u"text A"));
    EXPECT_TRUE(copy->IsButtonChecked());
    EXPECT_EQ(Strip()->actions()[0]->toolTip(), QStringLiteral("Runs the add-in's first command"));
    auto* comboCopy = DYNAMIC_DOWNCAST(CKcToolbarCustomComboBoxButton, bar.GetButton(1));
    ASSERT_NE(comboCopy, nullptr);
    ASSERT_NE(comboCopy->GetEmbeddedWidget(), nullptr);
    EXPECT_EQ(comboCopy->GetEmbeddedWidget()->toolTip(), QStringLiteral("Chooses the add-in's mode"));

    // A tool tip control gets the button's rectangle under the id after its place.
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&host));
    CString unused;
    EXPECT_TRUE(copy->OnUpdateToolTip(&host, 4, tips, unused));
    CString text;
    tips.GetText(text, &host, 5);
    EXPECT_EQ(text, CString(u"Runs the add-in's first command"));
    tips.DestroyWindow();
}

TEST_F(CustomizedToolbar, EachButtonKindGreysWhatDoesNotApplyInTheCustomiseMenu)
{
    bar.InsertButton(CBCGPToolbarButton(57600, -1));
    bar.InsertButton(MakeButton());
    bar.InsertButton(CKcToolbarCustomComboBoxButton(36200, -1, 0x0003L, 120));
    bar.InsertButton(CQZ2ToolbarComboBoxButton(34646, -1, 0x0003L, 155));
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, 33412, u"Line");
    bar.InsertButton(CQZ2ToolbarMenuButton(33400, popup.m_hMenu, -1, u"Lines"));
    bar.AdjustLayout();
    constexpr UINT kFirst = ID_CUSTOMIZE_BUTTON_RESET, kLast = ID_CUSTOMIZE_BUTTON_BEGIN_GROUP;
    const struct {
        int button;
        std::vector<UINT> greyed;
        std::vector<UINT> checked;
    } cases[] = {
        // The plain command button: everything applies; it shows its image only.
        {0, {kLast}, {ID_CUSTOMIZE_BUTTON_IMAGE_ONLY}},
        // An add-in button: no reset to a default look.
        {1, {ID_CUSTOMIZE_BUTTON_RESET}, {ID_CUSTOMIZE_BUTTON_IMAGE_ONLY}},
        // Combos: only delete.
        {2, {16910, 16911, 16913, 16914, 16915, 16916}, {ID_CUSTOMIZE_BUTTON_IMAGE_ONLY}},
        {3, {16910, 16911, 16913, 16914, 16915, 16916}, {ID_CUSTOMIZE_BUTTON_IMAGE_ONLY}},
        // A menu button: only delete, shown as text.
        {4, {16910, 16911, 16913, 16914, 16915, 16916}, {ID_CUSTOMIZE_BUTTON_IMAGE_ONLY, ID_CUSTOMIZE_BUTTON_TEXT_ONLY}},
    };
    for (const auto& c : cases) {
        const std::map<UINT, ItemState> items = MenuOf(c.button);
        for (UINT id = kFirst; id <= kLast; ++id) {
            ASSERT_TRUE(items.count(id)) << c.button << " " << id;
            const bool greyed = std::find(c.greyed.begin(), c.greyed.end(), id) != c.greyed.end();
            const bool checked = std::find(c.checked.begin(), c.checked.end(), id) != c.checked.end();
            EXPECT_EQ(items.at(id).enabled, !greyed) << c.button << " " << id;
            EXPECT_EQ(items.at(id).checked, checked) << c.button << " " << id;
        }
    }
    // Add-in buttons stay where they are while customising; the program's own move freely.
    EXPECT_FALSE(bar.GetButton(1)->OnBeforeDrag());
    EXPECT_FALSE(bar.GetButton(2)->OnBeforeDrag());
    EXPECT_TRUE(bar.GetButton(3)->OnBeforeDrag());
}

}  // namespace
