// The selection filter sheet and its pages over a real document, run modally and answered from a timer
// the way a user would (checks, Check All, double-clicks), and the commands that open it.

#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>

#include "tests/commands/edit/EditFixture.h"
#include "tests/commands/edit/Screenshot.h"

#include "command/SelectionFilterDialogHooks.h"
#include "commands/edit/CFeatureSelectionAttributePropertyPage.h"
#include "commands/edit/CFeatureSelectionColorPropertyPage.h"
#include "commands/edit/CFeatureSelectionDrawingPropertyPage.h"
#include "commands/edit/CFeatureSelectionFeaturePropertyPage.h"
#include "commands/edit/CFeatureSelectionLayerPropertyPage.h"
#include "commands/edit/CFeatureSelectionPropertySheet.h"
#include "controls/GridCellNotify.h"
#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionFilter.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/win/WinMessages.h"

namespace {

using Sheet = CFeatureSelectionPropertySheet;

// The sheet through the hook the edit command library registers.
bool RunSheet(const Draw2dDocument& doc, SelectionFilter& filter, BOOL bSwitch)
{
    const auto pfn = SelectionFilterDialogHooks::Get().pfnRunFilterSheet;
    return pfn != nullptr && pfn(&doc, CString(_T("Selection Filter")), bSwitch, filter) != FALSE;
}

class SelectionFilterSheetTest : public kctest::EditFixture
{
protected:
    void TearDown() override
    {
        timer.reset();
        EditFixture::TearDown();
    }
    void AnswerWith(std::function<void(Sheet&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pSheet = dynamic_cast<Sheet*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pSheet == nullptr || pSheet->GetSafeHwnd() == nullptr)
                return;
            timer->stop();
            ++openings;
            act(*pSheet);
        });
        timer->start();
    }
    // The sheet run directly on the filter; the filter holds the result after OK.
    bool Run(SelectionFilter& filter, std::function<void(Sheet&)> act, BOOL bSwitch = TRUE)
    {
        AnswerWith(act);
        return RunSheet(doc, filter, bSwitch);
    }
    static void Press(CWnd& w, int id) { w.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    template <class P>
    static P& Show(Sheet& sheet, int nPage)
    {
        sheet.SetActivePage(nPage);
        return *static_cast<P*>(sheet.GetFilterPage(nPage));
    }
    // A check changed as a click on its box would.
    template <class P>
    static void UserCheck(P& page, int nRow, int nCheck)
    {
        page.m_list.SetCheck(nRow, nCheck);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(P::kControl, CLBN_CHKCHANGE), 0);
    }
    long LineOf(short color, double y, LPCTSTR name = nullptr, LPCTSTR value = nullptr)
    {
        Line2dFeature line(RuVaPnt2d(0, y), RuVaPnt2d(10, y));
        line.SetColorNo(color);
        if (name != nullptr) {
            FeatureAttribute list;
            list.AddAttribute(name, value, 0);
            line.SetAttribute(list);
        }
        return Add(line);
    }

    std::unique_ptr<QTimer> timer;
    int openings = 0;
};

}  // namespace


namespace {

TEST_F(SelectionFilterSheetTest, TheKindPageShowsGroupsAndWritesWholeGroups)
{
    struct Case {
        DWORD mask;
        std::vector<int> checkedRows;
        int uncheckRow;
        DWORD after;
    };
    const Case cases[] = {
        {0x600, {3, 7}, 3, 0x200},            // texts and infinite lines; infinite lines taken away
        {0x20000, {10}, -1, 0x7E0000},        // one dimension kind widens to all six
        {0, {}, -1, 0},                       // nothing checked restricts nothing
    };
    for (const Case& c : cases) {
        SelectionFilter filter;
        filter.GetFeatureFilter().SetFeatureFilter(c.mask);
        std::vector<int> shown;
        ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
            auto& page = Show<CFeatureSelectionFeaturePropertyPage>(sheet, Sheet::kFeaturePage);
            EXPECT_EQ(page.m_list.GetCount(), 17);
            for (int i = 0; i < page.m_list.GetCount(); ++i)
                if (page.m_list.GetCheck(i) == 1)
                    shown.push_back(i);
            if (c.uncheckRow >= 0)
                UserCheck(page, c.uncheckRow, 0);
            Press(sheet, IDOK);
        }));
        EXPECT_EQ(shown, c.checkedRows) << std::hex << c.mask;
        EXPECT_EQ(filter.GetFeatureFilter().GetFeatureFilter(), c.after) << std::hex << c.mask;
    }
}

TEST_F(SelectionFilterSheetTest, TheColourPageListsUsedColoursAndDropsOthers)
{
    LineOf(3, 0);
    LineOf(1, 5);
    LineOf(3, 10);
    SelectionFilter filter;
    filter.GetColorFilter().SetColorFilter(3, TRUE);
    filter.GetColorFilter().SetColorFilter(5, TRUE);
    CString rows;
    CString marks[3];
    bool swatches[2] = {false, false};
    ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.GetTabText(Sheet::kColorPage).Right(2), CString(_T(" *")));
        EXPECT_EQ(sheet.GetTabText(Sheet::kLayerPage).Right(2) == CString(_T(" *")), false);
        auto& page = Show<CFeatureSelectionColorPropertyPage>(sheet, Sheet::kColorPage);
        for (int i = 0; i < page.m_list.GetCount(); ++i) {
            CString text;
            page.m_list.GetText(i, text);
            rows += text + (page.m_list.GetCheck(i) == 1 ? _T("+ ") : _T("- "));
        }
        // Each row shows its colour after the number, painted by the colour-row painter.
        auto* pWidget = qobject_cast<QListWidget*>(page.m_list.GetQWidget());
        ASSERT_NE(pWidget, nullptr);
        const QImage image = pWidget->viewport()->grab().toImage();
        for (int i = 0; i < 2 && i < pWidget->count(); ++i) {
            const QRect r = pWidget->visualItemRect(pWidget->item(i));
            const COLORREF want = doc.GetColorFeatureTable()->GetColor(i == 0 ? 1 : 3)->GetColorRef();
            swatches[i] = image.pixelColor(r.left() + r.width() * 3 / 4, r.center().y()) ==
                          QColor(GetRValue(want), GetGValue(want), GetBValue(want));
        }
        kctest::SaveScreenshot(sheet, "selection-filter-colour-page.png");
        Press(page, CFeatureSelectionPropertyPage::kUncheckAll);
        marks[0] = sheet.GetTabText(Sheet::kColorPage);
        Press(page, CFeatureSelectionPropertyPage::kCheckAll);
        marks[1] = sheet.GetTabText(Sheet::kColorPage);
        UserCheck(page, 1, 0);
        marks[2] = sheet.GetTabText(Sheet::kColorPage);
        Press(sheet, IDOK);
    }));
    EXPECT_EQ(rows, CString(_T("1- 3+ ")));
    EXPECT_TRUE(swatches[0]);
    EXPECT_TRUE(swatches[1]);
    EXPECT_EQ(marks[0].Right(2) == CString(_T(" *")), false);
    EXPECT_EQ(marks[1], marks[0] + _T(" *"));
    EXPECT_EQ(marks[2], marks[1]);
    // Colour 5 was not shown and is gone; 1 stays checked, 3 was unchecked.
    EXPECT_NE(filter.GetColorFilter().GetColorFilter(1), 0);
    EXPECT_EQ(filter.GetColorFilter().GetColorFilter(3), 0);
    EXPECT_EQ(filter.GetColorFilter().GetColorFilter(5), 0);
}

TEST_F(SelectionFilterSheetTest, PagesNeverShownKeepTheirFiltersAndTheSwitchTurnsTheFilterOff)
{
    SelectionFilter filter;
    filter.SetSelectionFilterMode(1);
    filter.GetColorFilter().SetColorFilter(5, TRUE);
    filter.GetLayerFilter().AddLayerFilter(12345);
    filter.GetAttributeFilter().AddAttribute(_T("Part"), _T("7"));
    const SelectionFilter before = filter;
    bool switchShown = false;
    std::vector<CWnd*> tabOrder;
    ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
        switchShown = sheet.m_switch.GetSafeHwnd() != nullptr && sheet.m_switch.GetCheck() == BST_CHECKED;
        // Tab from the help button: OK, Cancel, the switch.
        for (CWnd* p = &sheet.m_helpButton; tabOrder.size() < 4 && p != nullptr; p = sheet.GetNextDlgTabItem(p))
            tabOrder.push_back(p);
        EXPECT_EQ(tabOrder, (std::vector<CWnd*>{&sheet.m_helpButton, sheet.GetDlgItem(IDOK),
                                                 sheet.GetDlgItem(IDCANCEL), &sheet.m_switch}));
        kctest::SaveScreenshot(sheet, "selection-filter-sheet.png");
        sheet.m_switch.SetCheck(BST_UNCHECKED);
        Press(sheet, Sheet::kSwitch);
        Press(sheet, IDOK);
    }));
    EXPECT_TRUE(switchShown);
    EXPECT_EQ(filter.GetSelectionFilterMode(), 0);
    SelectionFilter expected = before;
    expected.SetSelectionFilterMode(0);
    EXPECT_TRUE(filter == expected);

    // Cancel gives nothing back.
    ASSERT_FALSE(Run(filter, [](Sheet& sheet) { Press(sheet, IDCANCEL); }));
    EXPECT_EQ(openings, 2);
}

TEST_F(SelectionFilterSheetTest, ALayerInAGroupLeavesTheGroupUnchecked)
{
    const long group = doc.AddLayerGroup(_T("Group"), -1);
    const long inner = doc.AddLayer(_T("Inner"), group);
    const long other = doc.AddLayer(_T("Other"), group);
    ASSERT_NE(other, -1);
    SelectionFilter filter;
    for (int round = 0; round < 2; ++round) {
        bool groupChecked = true;
        bool innerChecked = false;
        ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
            auto& page = Show<CFeatureSelectionLayerPropertyPage>(sheet, Sheet::kLayerPage);
            HTREEITEM hInner = page.m_tree.FindLayerItem(inner);
            ASSERT_NE(hInner, nullptr);
            if (round == 0) {
                page.m_tree.SetCheck(hInner, TRUE);
                page.m_tree.OnItemCheckChanged(hInner);
            }
            innerChecked = page.m_tree.GetCheck(hInner) != FALSE;
            groupChecked = page.m_tree.GetCheck(page.m_tree.FindLayerItem(group)) != FALSE;
            Press(sheet, IDOK);
        }));
        EXPECT_TRUE(innerChecked) << round;
        EXPECT_FALSE(groupChecked) << round;
        ASSERT_EQ(filter.GetLayerFilter().GetLayerFilterCount(), 1) << round;
        EXPECT_EQ(filter.GetLayerFilter().GetLayerFilter(0), inner);
    }
}

TEST_F(SelectionFilterSheetTest, TheDrawingPageWritesTheCheckedDrawing)
{
    const DrawingFeatureBase* pActive = doc.GetActiveDrawingFeature();
    ASSERT_NE(pActive, nullptr);
    SelectionFilter filter;
    filter.GetDrawingFilter().AddDrawingFilter(pActive->GetDrawingID());
    bool shownChecked = false;
    ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
        auto& page = Show<CFeatureSelectionDrawingPropertyPage>(sheet, Sheet::kDrawingPage);
        HTREEITEM hItem = page.m_tree.FindDrawingItem(pActive->GetDrawingID());
        ASSERT_NE(hItem, nullptr);
        shownChecked = page.m_tree.GetCheck(hItem) != FALSE;
        Press(sheet, IDOK);
    }));
    EXPECT_TRUE(shownChecked);
    ASSERT_EQ(filter.GetDrawingFilter().GetDrawingFilterCount(), 1);
    EXPECT_EQ(filter.GetDrawingFilter().GetDrawingFilter(0), pActive->GetDrawingID());
}

TEST_F(SelectionFilterSheetTest, TheAttributePageTogglesRowsOfTheSameNameAndDropsUnmatchedConditions)
{
    LineOf(1, 0, _T("Part"), _T("1"));
    LineOf(1, 5, _T("Part"), _T("2"));
    LineOf(1, 10, _T("Part"), _T("1"));
    LineOf(1, 15, _T("Maker"), _T("K"));
    SelectionFilter filter;
    filter.GetAttributeFilter().AddAttribute(_T("Maker"), _T("K"));
    filter.GetAttributeFilter().AddAttribute(_T("Gone"), _T("x"));
    int rowCount = 0;
    ASSERT_TRUE(Run(filter, [&](Sheet& sheet) {
        auto& page = Show<CFeatureSelectionAttributePropertyPage>(sheet, Sheet::kAttributePage);
        rowCount = page.m_grid.GetRowCount();
        EXPECT_TRUE(page.IsRowChecked(2));
        // A double-click on the first row's name toggles both "Part" rows; on the check column nothing.
        GridCellNotify notify{};
        notify.hdr.hwndFrom = page.m_grid.GetSafeHwnd();
        notify.hdr.idFrom = CFeatureSelectionAttributePropertyPage::kGrid;
        notify.hdr.code = GridCellNotify::kReadOnlyDblClk;
        notify.nRow = 0;
        notify.nColumn = CFeatureSelectionAttributePropertyPage::kNameColumn;
        page.SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        notify.nColumn = CFeatureSelectionAttributePropertyPage::kCheckColumn;
        page.SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        Press(sheet, IDOK);
    }));
    EXPECT_EQ(rowCount, 3);
    const SelectionAttributeFilter& result = filter.GetAttributeFilter();
    ASSERT_EQ(result.GetAttributeCount(), 3);
    CString name;
    CString value;
    CString all;
    for (int i = 0; i < result.GetAttributeCount(); ++i) {
        result.GetAttribute(i, name, value);
        all += name + _T("=") + value + _T(" ");
    }
    EXPECT_EQ(all, CString(_T("Part=1 Part=2 Maker=K ")));
}

TEST_F(SelectionFilterSheetTest, TheCommandsEditAndSwitchTheDocumentsFilter)
{
    SelectionFilter start;
    start.GetColorFilter().SetColorFilter(2, TRUE);
    doc.SetSelectionFilter(start);
    for (int expected : {1, 0}) {
        Start(_T("Korvan.Settings.SelectFilterMode"));
        EXPECT_EQ(doc.GetSelectionFilter()->GetSelectionFilterMode(), expected);
        EXPECT_NE(doc.GetSelectionFilter()->GetColorFilter().GetColorFilter(2), 0);
    }
    EXPECT_EQ(doc.GetUndoCount(), 0);

    AnswerWith([](Sheet& sheet) {
        auto& page = Show<CFeatureSelectionFeaturePropertyPage>(sheet, Sheet::kFeaturePage);
        UserCheck(page, 7, 1);  // texts
        sheet.m_switch.SetCheck(BST_CHECKED);
        Press(sheet, Sheet::kSwitch);
        Press(sheet, IDOK);
    });
    Start(_T("Korvan.Settings.SelectFilter"));
    EXPECT_EQ(openings, 1);
    EXPECT_EQ(doc.GetSelectionFilter()->GetSelectionFilterMode(), 1);
    EXPECT_EQ(doc.GetSelectionFilter()->GetFeatureFilter().GetFeatureFilter(), 0x200u);
    EXPECT_NE(doc.GetSelectionFilter()->GetColorFilter().GetColorFilter(2), 0);
    EXPECT_EQ(doc.GetUndoCount(), 0);
}

TEST_F(SelectionFilterSheetTest, SelectByFilterNarrowsTheSelection)
{
    const long line = LineOf(1, 0);
    Text2dFeature text(_T("A"), RuVaPnt2d(0, 20));
    const long t = Add(text);
    Preselect({line, t});
    bool noSwitch = false;
    bool emptyKinds = false;
    AnswerWith([&](Sheet& sheet) {
        noSwitch = sheet.m_switch.GetSafeHwnd() == nullptr;
        auto& page = Show<CFeatureSelectionFeaturePropertyPage>(sheet, Sheet::kFeaturePage);
        emptyKinds = !page.HasAnyCheck();
        UserCheck(page, 1, 1);  // lines
        Press(sheet, IDOK);
    });
    EXPECT_TRUE(manager.SelectByFilterDialog());
    EXPECT_TRUE(noSwitch);
    EXPECT_TRUE(emptyKinds);
    CArray<FeatureLayout> selected;
    doc.GetSelectionManager()->GetSelectedFeatureList(selected);
    ASSERT_EQ(selected.GetSize(), 1);
    EXPECT_EQ(selected[0].GetRecordID(), line);
    // The document's own filter is not touched.
    EXPECT_EQ(doc.GetSelectionFilter()->GetSelectionFilterMode(), 0);
}

}  // namespace
