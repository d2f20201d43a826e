// The property list and its rows on a real window: value texts and editors per item type, reading
// typed text back, the keys, scrolling, the splitter and what the owner hears.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "command/CPropertyListCtrl.h"
#include "command/CommandPropertyListItem.h"
#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/ParameterHistory.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ColorParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "../InvalidArgCheck.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

using namespace QZ2Command;

namespace {

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// What the owner heard: code, row index, text, enter flag and the value text of the row sent.
struct Heard {
    UINT code;
    int index;
    CString text;
    BOOL enter;
    CString value;
};

// The list's owner: records what it hears and answers with a set result; it may rebuild the
// list's rows while it handles a notification.
class Owner : public CWnd
{
public:
    BOOL CreateOwner()
    {
        return CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                        nullptr);
    }
    std::vector<Heard> heard;
    std::vector<int> selections;
    LRESULT answer = 1;
    CPropertyListCtrl* pRebuild = nullptr;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(lParam);
        heard.push_back({pInfo->hdr.code, pInfo->nIndex, pInfo->strText, pInfo->bEnter,
                         pInfo->pItem != nullptr ? pInfo->pItem->GetValueText() : CString()});
        if (pRebuild != nullptr) {
            // Rows rebuilt inside the notification: the list must not touch the old row.
            pRebuild->DeleteAllItems();
            CommandPropertyListItem row;
            pRebuild->AddItem(row);
        }
        *pResult = answer;
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PROPERTYLIST_SELCHANGED)
            selections.push_back(static_cast<int>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class PropertyListTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        s_pModule = english.pModule;
        s_pPrevious = AfxGetResourceHandle();
        if (s_pModule != nullptr)
            AfxSetResourceHandle(s_pModule);
    }
    static void TearDownTestSuite()
    {
        AfxSetResourceHandle(s_pPrevious);
        delete s_pModule;
        s_pModule = nullptr;
    }
    void SetUp() override
    {
        CBCGPRegistrySP sp;
        sp.Create(FALSE, FALSE).DeleteKey(ParameterHistory::GetStorePath());
        ASSERT_TRUE(m_owner.CreateOwner());
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 300, 200), &m_owner, 1000));
        m_list.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), FALSE);
        m_list.m_bShowArrows = TRUE;
        m_list.m_bEmphasizeGiven = TRUE;
        m_list.m_pParameterHistory = &m_history;
        m_owner.SetActiveWindow();
        Pump();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_owner.DestroyWindow();
    }

    int AddRow(const ParameterItemBase& item)
    {
        CommandPropertyListItem row;
        row.SetValueItem(&item);
        return m_list.AddItem(row);
    }

    // A key pressed on a widget, as the user presses it.
    static void Key(QWidget* pWidget, Qt::Key key, const QString& text = QString())
    {
        ASSERT_NE(pWidget, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(pWidget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(pWidget, &release);
        Pump();
    }

    // The selected row with its editor shown and focused, holding the typed text.
    CWnd* TypeIntoEditor(const CString& text)
    {
        m_list.SetFocus();
        Pump();
        PropertyListItem* pRow = m_list.GetCurItem();
        if (pRow == nullptr || pRow->GetEditor() == nullptr)
            return nullptr;
        pRow->GetEditor()->SetFocus();
        pRow->GetEditor()->SetWindowText(text);
        pRow->SetEditorModified(TRUE);
        Pump();
        return pRow->GetEditor();
    }

    static QWidget* FocusedWidget(CWnd* pFallback)
    {
        QWidget* pFocus = QApplication::focusWidget();
        return pFocus != nullptr ? pFocus : pFallback->GetQWidget();
    }

    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
    Owner m_owner;
    CPropertyListCtrl m_list;
    ParameterHistory m_history{10};
};

ResourceModule* PropertyListTest::s_pModule = nullptr;
ResourceModule* PropertyListTest::s_pPrevious = nullptr;

LengthParameterItem Length(double value, BOOL bHistory)
{
    LengthParameterItem item;
    item.m_strCaption = u"Length";
    item.m_bHistory = bHistory;
    if (value >= 0.0) {
        item.SetValue(value);
        item.m_bEmpty = FALSE;
    }
    return item;
}

TEST_F(PropertyListTest, EachTypeShowsItsValueText)
{
    IntegerParameterItem integer;
    integer.SetValue(42);
    integer.m_bEmpty = FALSE;
    TextParameterItem text;
    text.SetValue(u"note");
    ListParameterItem list;
    list.SetItemsFromText(u"one|two|three");
    list.SetValue(1);
    PointParameterItem point;
    point.SetValue(RuVaPnt2d(10, 20));
    PointArrayParameterItem none;
    PointArrayParameterItem three;
    three.AddPoint(RuVaPnt2d(0, 0));
    three.AddPoint(RuVaPnt2d(1, 0));
    three.AddPoint(RuVaPnt2d(1, 1));
    ScaleParameterItem scale;
    scale.SetValue(2, 3);
    ColorParameterItem color;
    FeatureListParameterItem features;
    const struct {
        const ParameterItemBase* item;
        bool empty;
        const char16_t* contains;
    } cases[] = {
        {&integer, false, u"42"}, {&text, false, u"note"},   {&list, false, u"two"},   {&point, false, u"10"},
        {&none, false, u"0 :"},   {&three, false, u"3 :"},   {&scale, false, u"2"},    {&color, true, u""},
        {&features, true, u""},
    };
    for (const auto& c : cases) {
        PropertyListItem row;
        row.SetValueItem(c.item);
        const CString shown = row.GetValueText();
        EXPECT_EQ(shown.IsEmpty(), c.empty) << c.item->GetTypeCode();
        EXPECT_NE(shown.Find(CString(c.contains)), -1) << c.item->GetTypeCode() << " " << shown.GetLength();
    }
    // An empty item shows an empty cell; a header row shows no value.
    LengthParameterItem empty = Length(-1, FALSE);
    PropertyListItem row;
    row.SetValueItem(&empty);
    EXPECT_TRUE(row.GetValueText().IsEmpty());
    row.SetValueItem(&integer);
    row.m_bHeader = TRUE;
    EXPECT_TRUE(row.GetValueText().IsEmpty());
    // An optional item's caption stands in parentheses, an empty one stays empty.
    integer.m_bOptional = TRUE;
    integer.m_strCaption = u"Count";
    row.SetValueItem(&integer);
    EXPECT_EQ(row.GetCaption(), CString(u"(Count)"));
    integer.m_strCaption.Empty();
    row.SetValueItem(&integer);
    EXPECT_TRUE(row.GetCaption().IsEmpty());
}

TEST_F(PropertyListTest, TheEditorFitsTheTypeAndFlags)
{
    TextParameterItem dialogText;
    dialogText.m_bEditInDialog = TRUE;
    ListParameterItem list;
    list.SetItemsFromText(u"a|b");
    ColorParameterItem color;
    FeatureListParameterItem features;
    LengthParameterItem locked = Length(5, FALSE);
    locked.m_bRequired = FALSE;
    const struct {
        ParameterItemBase* item;
        PropertyListItem::EditorKind kind;
    } cases[] = {
        {nullptr, PropertyListItem::editorHistoryCombo}, {nullptr, PropertyListItem::editorEdit},
        {&dialogText, PropertyListItem::editorButton},   {&list, PropertyListItem::editorListCombo},
        {&color, PropertyListItem::editorColor},         {&features, PropertyListItem::editorNone},
        {&locked, PropertyListItem::editorNone},
    };
    LengthParameterItem withHistory = Length(5, TRUE);
    LengthParameterItem plain = Length(5, FALSE);
    int n = 0;
    for (const auto& c : cases) {
        const ParameterItemBase* pItem = c.item != nullptr ? c.item : n == 0 ? &withHistory : &plain;
        m_list.DeleteAllItems();
        AddRow(*pItem);
        m_list.SetFocus();
        Pump();
        ASSERT_TRUE(m_list.SetCurSel(0));
        m_list.StartEdit();
        EXPECT_EQ(m_list.GetCurItem()->GetEditorKind(), c.kind) << n;
        if (c.kind != PropertyListItem::editorNone) {
            ASSERT_NE(m_list.GetCurItem()->GetEditor(), nullptr);
            EXPECT_EQ(m_list.GetCurItem()->GetEditor()->GetParent(), &m_list);
        }
        ++n;
    }
}

TEST_F(PropertyListTest, ReadingTheEditorTakesValidTextAndRefusesTheRest)
{
    PointParameterItem point;
    IntegerParameterItem integer;
    ScaleParameterItem scale;
    PointArrayParameterItem array;
    array.AddPoint(RuVaPnt2d(1, 2));
    const struct {
        ParameterItemBase* item;
        const char16_t* text;
        bool ok;
    } cases[] = {
        {&point, u"10,20", true}, {&point, u"abc", false},   {&point, u"", true},      {&integer, u"7", true},
        {&integer, u"x", false},  {&scale, u"2,3", true},    {&scale, u"0,1", false},  {&array, u"1,2", false},
        {&array, u"3,4", true},   {&array, u"", true},
    };
    for (const auto& c : cases) {
        m_list.DeleteAllItems();
        AddRow(*c.item);
        m_list.SetFocus();
        Pump();
        ASSERT_TRUE(m_list.SetCurSel(0));
        PropertyListItem* pRow = m_list.GetCurItem();
        ASSERT_NE(pRow->GetEditor(), nullptr);
        pRow->GetEditor()->SetWindowText(c.text);
        std::unique_ptr<ParameterItemBase> pBefore(pRow->GetValueItem()->Clone());
        EXPECT_EQ(pRow->ReadEditor() != FALSE, c.ok) << c.item->GetTypeCode() << " " << CString(c.text).GetLength();
        if (!c.ok) {
            // Refused: the value stays, the text is selected for retyping.
            EXPECT_TRUE(pRow->GetValueItem()->IsEqual(*pBefore));
            if (auto* pEdit = dynamic_cast<CEdit*>(pRow->GetEditor())) {
                int start = 0, end = 0;
                pEdit->GetSel(start, end);
                EXPECT_EQ(start, 0);
                EXPECT_EQ(end, CString(c.text).GetLength());
            }
        }
    }
}

TEST_F(PropertyListTest, TypedTextGoesToTheOwnerAndARefusalKeepsItSelected)
{
    AddRow(Length(5, FALSE));
    AddRow(Length(6, TRUE));
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(0));
    CWnd* pEditor = TypeIntoEditor(u"12");
    ASSERT_NE(pEditor, nullptr);
    m_owner.answer = 0;
    Key(FocusedWidget(pEditor), Qt::Key_Return, QStringLiteral("\r"));
    ASSERT_EQ(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_TEXTENTERED);
    EXPECT_EQ(m_owner.heard[0].text, CString(u"12"));
    EXPECT_TRUE(m_owner.heard[0].enter);
    int start = 0, end = 0;
    static_cast<CEdit*>(pEditor)->GetSel(start, end);
    EXPECT_EQ(end - start, 2);

    // Clicking another row commits the typed text first (without Enter), from an edit ...
    m_owner.heard.clear();
    m_owner.selections.clear();
    m_owner.answer = 1;
    const CRect second = m_list.GetValueRect(1);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left + 5, second.top + 3));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(second.left + 5, second.top + 3));
    Pump();
    ASSERT_GE(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_TEXTENTERED);
    EXPECT_EQ(m_owner.heard[0].index, 0);
    EXPECT_FALSE(m_owner.heard[0].enter);
    ASSERT_EQ(m_owner.selections.size(), 1u);
    EXPECT_EQ(m_owner.selections[0], 1);
    // ... and from a history combo alike, so that a typed length is not lost.
    m_owner.heard.clear();
    ASSERT_EQ(m_list.GetCurItem()->GetEditorKind(), PropertyListItem::editorHistoryCombo);
    TypeIntoEditor(u"30");
    const CRect first = m_list.GetValueRect(0);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 5, first.top + 3));
    Pump();
    ASSERT_GE(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_TEXTENTERED);
    EXPECT_EQ(m_owner.heard[0].text, CString(u"30"));
    EXPECT_EQ(m_owner.heard[0].index, 1);
}

TEST_F(PropertyListTest, AnOwnerThatRebuildsTheRowsInsideANotificationIsSafe)
{
    AddRow(Length(5, FALSE));
    ASSERT_TRUE(m_list.SetCurSel(0));
    CWnd* pEditor = TypeIntoEditor(u"12");
    ASSERT_NE(pEditor, nullptr);
    m_owner.pRebuild = &m_list;
    for (LRESULT answer : {LRESULT(1), LRESULT(0)}) {
        m_owner.answer = answer;
        EXPECT_TRUE(m_list.EndEdit(TRUE, TRUE, TRUE));
        m_list.DeleteAllItems();
        AddRow(Length(5, FALSE));
        m_owner.pRebuild = nullptr;
        ASSERT_TRUE(m_list.SetCurSel(0));
        ASSERT_NE(TypeIntoEditor(u"13"), nullptr);
        m_owner.pRebuild = &m_list;
    }
    m_owner.pRebuild = nullptr;
}

TEST_F(PropertyListTest, EnterOnALoneXCoordinateAddsTheSeparatorAndFeatureRowsAskForAPick)
{
    PointParameterItem point;
    AddRow(point);
    FeatureListParameterItem features;
    AddRow(features);
    DoubleParameterItem number;
    AddRow(number);
    ASSERT_TRUE(m_list.SetCurSel(0));
    CWnd* pEditor = TypeIntoEditor(u"12");
    ASSERT_NE(pEditor, nullptr);
    Key(FocusedWidget(pEditor), Qt::Key_Return, QStringLiteral("\r"));
    CString text;
    pEditor->GetWindowText(text);
    EXPECT_EQ(text, CString(u"12, "));
    EXPECT_TRUE(m_owner.heard.empty());
    // A feature row has no editor: Enter asks the owner to finish the pick.
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(1));
    Pump();
    m_list.OnEnterKey();
    ASSERT_EQ(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_PICKREQUEST);
    // Enter on the list itself moves to the next row.
    m_owner.heard.clear();
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(2));
    Pump();
    m_list.SetFocus();
    Pump();
    Key(m_list.GetQWidget(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(m_list.GetCurSel(), 2);  // the last row: nowhere to go
}

TEST_F(PropertyListTest, EscapeFirstRestoresTheValueThenTellsTheOwner)
{
    AddRow(Length(5, FALSE));
    ASSERT_TRUE(m_list.SetCurSel(0));
    CWnd* pEditor = TypeIntoEditor(u"99");
    ASSERT_NE(pEditor, nullptr);
    Key(FocusedWidget(pEditor), Qt::Key_Escape);
    CString text;
    pEditor->GetWindowText(text);
    EXPECT_EQ(text, m_list.GetCurItem()->GetValueText());
    EXPECT_TRUE(m_owner.heard.empty());
    EXPECT_EQ(CWnd::GetFocus(), &m_list);
    Key(m_list.GetQWidget(), Qt::Key_Escape);
    ASSERT_EQ(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_ESCAPE);
}

TEST_F(PropertyListTest, BackspaceOnAnEmptyPointListRowSendsItWithoutItsLastPoint)
{
    PointArrayParameterItem array;
    array.AddPoint(RuVaPnt2d(0, 0));
    array.AddPoint(RuVaPnt2d(5, 5));
    AddRow(array);
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(0));
    Pump();
    Key(m_list.GetQWidget(), Qt::Key_Backspace);
    ASSERT_EQ(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_VALUECHANGED);
    EXPECT_EQ(m_owner.heard[0].value, CString(u"1 :"));
    EXPECT_FALSE(m_owner.heard[0].enter);
    // The list's own row keeps its value until the owner refreshes it.
    EXPECT_EQ(m_list.GetItem(0)->GetValueText(), CString(u"2 :"));
}

TEST_F(PropertyListTest, UpAndDownSkipHeadersAndLeftRightStepAlternatives)
{
    AddRow(Length(1, FALSE));
    CommandPropertyListItem header(TRUE);
    header.m_bHeader = TRUE;
    header.m_strCaption = u"Modifier";
    m_list.AddItem(header);
    CommandPropertyListItem arrows;
    LengthParameterItem length = Length(2, FALSE);
    arrows.SetValueItem(&length);
    arrows.m_bHasNext = TRUE;
    m_list.AddItem(arrows);
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(0));
    m_list.SetFocus();
    Pump();
    Key(m_list.GetQWidget(), Qt::Key_Down);
    EXPECT_EQ(m_list.GetCurSel(), 2);
    Key(m_list.GetQWidget(), Qt::Key_Left);  // no previous alternative: nothing
    EXPECT_TRUE(m_owner.heard.empty());
    Key(m_list.GetQWidget(), Qt::Key_Right);
    ASSERT_EQ(m_owner.heard.size(), 1u);
    EXPECT_EQ(m_owner.heard[0].code, PLN_ALTERNATIVE);
    EXPECT_EQ(m_owner.heard[0].index, 2);
    Key(m_list.GetQWidget(), Qt::Key_Up);
    EXPECT_EQ(m_list.GetCurSel(), 0);
    // Selecting the selected row again tells nobody.
    m_owner.selections.clear();
    EXPECT_TRUE(m_list.SetCurSel(0));
    EXPECT_TRUE(m_owner.selections.empty());
    EXPECT_FALSE(m_list.SetCurSel(7));
    EXPECT_INVALID_ARG(m_list.GetItem(7));
}

TEST_F(PropertyListTest, TheHistoryDropDownOffersStoredValuesAndDeleteRemovesThem)
{
    for (double v : {10.0, 20.0, 30.0}) {
        LengthParameterItem stored = Length(v, TRUE);
        ASSERT_TRUE(m_history.Add(stored));
    }
    AddRow(Length(5, TRUE));
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(0));
    Pump();
    auto* pCombo = dynamic_cast<CComboBox*>(m_list.GetCurItem()->GetEditor());
    ASSERT_NE(pCombo, nullptr);
    // The current value heads the list (not a history entry), then the newest value first.
    ASSERT_EQ(pCombo->GetCount(), 4);
    EXPECT_EQ(static_cast<INT_PTR>(pCombo->GetItemData(0)), -1);
    CString newest;
    pCombo->GetLBText(1, newest);
    EXPECT_EQ(newest.Left(2), CString(u"30"));
    // The current value's entry is no history entry: nothing goes.
    EXPECT_FALSE(m_list.DeleteHistoryEntry(0));
    EXPECT_EQ(m_history.GetCount(ParameterItemBase::typeLength), 3);
    // 20 goes from the history and the list; the entry below it now names the next stored value.
    EXPECT_TRUE(m_list.DeleteHistoryEntry(2));
    EXPECT_EQ(m_history.GetCount(ParameterItemBase::typeLength), 2);
    ASSERT_EQ(pCombo->GetCount(), 3);
    EXPECT_EQ(static_cast<int>(pCombo->GetItemData(2)), 1);
    EXPECT_TRUE(m_list.DeleteHistoryEntry(2));
    EXPECT_EQ(m_history.GetCount(ParameterItemBase::typeLength), 1);
}

TEST_F(PropertyListTest, PageDownMakesTheLastVisibleRowTheFirst)
{
    m_list.m_bShowDescription = FALSE;
    for (int i = 0; i < 10; ++i)
        AddRow(Length(i, FALSE));
    // Four whole rows fit.
    m_list.MoveWindow(0, 0, 300, m_list.GetRowHeight() * 4 + m_list.GetRowHeight() / 2, TRUE);
    Pump();
    ASSERT_EQ(m_list.GetVisibleRowCount(), 4);
    m_list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(m_list.GetFirstVisible(), 3);
    m_list.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_LE(m_list.GetFirstVisible(), 6);
    m_list.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(m_list.GetFirstVisible(), 0);
    // A row below comes into view by whole rows, no further.
    m_list.EnsureVisible(5);
    EXPECT_EQ(m_list.GetFirstVisible(), 2);
}

TEST_F(PropertyListTest, TheSplitterKeepsARowAboveAndARowBelow)
{
    AddRow(Length(1, FALSE));
    Pump();
    const CRect list = m_list.GetListArea();
    const int y = list.bottom + 1;
    const int h = m_list.GetRowHeight();
    CRect client;
    m_list.GetClientRect(&client);
    // To the very top: one row stays in view.
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
    m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 0));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 0));
    EXPECT_GE(m_list.GetListArea().Height(), h);
    // To the very bottom: the pane is one row high.
    const int y2 = m_list.GetListArea().bottom + 1;
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y2));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, client.bottom + 50));
    EXPECT_EQ(m_list.m_nDescriptionHeight, h);
    EXPECT_EQ(client.bottom - m_list.GetListArea().bottom, h);
}

TEST_F(PropertyListTest, SetItemKeepsTheListsOwnEditorAndSelection)
{
    AddRow(Length(5, FALSE));
    AddRow(Length(6, FALSE));
    m_list.SetFocus();
    ASSERT_TRUE(m_list.SetCurSel(0));
    Pump();
    CWnd* pEditor = m_list.GetCurItem()->GetEditor();
    ASSERT_NE(pEditor, nullptr);
    // A fresh row (not selected, no editor) with a new value.
    CommandPropertyListItem fresh;
    LengthParameterItem seven = Length(7, FALSE);
    fresh.SetValueItem(&seven);
    ASSERT_TRUE(m_list.SetItem(0, fresh));
    EXPECT_EQ(m_list.GetCurSel(), 0);
    EXPECT_EQ(m_list.GetCurItem()->GetEditor(), pEditor);
    CString text;
    pEditor->GetWindowText(text);
    EXPECT_EQ(text, m_list.GetItem(0)->GetValueText());
    EXPECT_EQ(text.Left(1), CString(u"7"));
    // A clone of the list's row carries no editor: only the list's row ever destroys it.
    std::unique_ptr<PropertyListItem> pClone(m_list.GetItem(0)->Clone());
    EXPECT_EQ(pClone->GetEditor(), nullptr);
    ASSERT_TRUE(m_list.SetItem(1, *pClone));
    EXPECT_FALSE(m_list.GetItem(1)->m_bSelected);
    EXPECT_EQ(m_list.GetItem(1)->GetEditor(), nullptr);
    EXPECT_FALSE(m_list.SetItem(2, fresh));
}

}  // namespace
