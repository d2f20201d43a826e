// The attribute command through the real command manager and the real attribute dialog, answered from a
// timer by editing its grid as the user would (the grid's own change notifications).

#include <functional>
#include <memory>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include "tests/commands/edit/EditFixture.h"
#include "tests/commands/edit/Screenshot.h"

#include "commands/shape/CAttributeDialog.h"
#include "controls/GridCellNotify.h"
#include "controls/GridRowItem.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/ole/COleVariant.h"

namespace {

class AttributeCommandTest : public kctest::EditFixture
{
protected:
    void TearDown() override
    {
        timer.reset();
        EditFixture::TearDown();
    }
    void AnswerWith(std::function<void(CAttributeDialog&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pDialog = dynamic_cast<CAttributeDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
                return;
            timer->stop();
            ++openings;
            act(*pDialog);
        });
        timer->start();
    }
    // The grid row showing the name.
    static int RowOf(CAttributeDialog& d, LPCTSTR name)
    {
        for (int r = 0; r < d.GetGrid().GetRowCount(); ++r) {
            COleVariant value;
            d.GetGrid().GetCellValue(r, 1, &value);
            if (value.GetString() == name)
                return r;
        }
        return -1;
    }
    // A cell typed in, as the grid reports it to the dialog.
    static void Edit(CAttributeDialog& d, int nRow, int nColumn, LPCTSTR text)
    {
        GridCellNotify notify{};
        notify.hdr.hwndFrom = d.GetGrid().GetSafeHwnd();
        notify.hdr.idFrom = CAttributeDialog::kGrid;
        notify.nRow = nRow;
        notify.nColumn = nColumn;
        const COleVariant value{CString(text)};
        notify.hdr.code = GridCellNotify::kValueChanging;
        VariantCopy(&notify.value, &value);
        const LRESULT refused = d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
        VariantClear(&notify.value);
        if (refused != 0)
            return;
        d.GetGrid().SetCellValue(nRow, nColumn, &value);
        notify.hdr.code = GridCellNotify::kCellChanged;
        d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
    }
    long LineWith(std::initializer_list<std::pair<const char16_t*, const char16_t*>> items, double y)
    {
        Line2dFeature line(RuVaPnt2d(0, y), RuVaPnt2d(10, y));
        FeatureAttribute list;
        for (const auto& [name, value] : items)
            list.AddAttribute(CString(name), CString(value), 0);
        if (!list.IsEmpty())
            line.SetAttribute(list);
        return Add(line);
    }
    CString ValueOf(long id, LPCTSTR name) const
    {
        const FeatureAttribute* pList = doc.GetFeature(id)->GetAttribute();
        const int index = pList != nullptr ? pList->FindAttribute(name) : -1;
        return index >= 0 ? pList->GetAttributeValue(index) : CString(_T("<none>"));
    }

    std::unique_ptr<QTimer> timer;
    int openings = 0;
};

TEST_F(AttributeCommandTest, AValueTypedForTwoShapesIsOneUndoStep)
{
    const long a = LineWith({{u"Part", u"1"}, {u"Maker", u"K"}}, 0);
    const long b = LineWith({{u"Part", u"2"}}, 5);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CString shownPart;
    AnswerWith([&shownPart](CAttributeDialog& d) {
        const int part = RowOf(d, _T("Part"));
        ASSERT_GE(part, 0);
        COleVariant value;
        d.GetGrid().GetCellValue(part, 2, &value);
        shownPart = value.GetString();
        Edit(d, part, 2, _T("42"));
        // Renaming keeps the one shape's value and touches no other shape.
        Edit(d, RowOf(d, _T("Maker")), 1, _T("Vendor"));
        kctest::SaveScreenshot(d, "attribute-dialog.png");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Start(_T("Korvan.Settings.Attributes"));
    ASSERT_TRUE(GiveShapes(0, {a, b}));
    EXPECT_EQ(openings, 1);
    EXPECT_EQ(shownPart, CString(_T("")));
    EXPECT_EQ(ValueOf(a, _T("Part")), CString(_T("42")));
    EXPECT_EQ(ValueOf(b, _T("Part")), CString(_T("42")));
    EXPECT_EQ(ValueOf(a, _T("Vendor")), CString(_T("K")));
    EXPECT_EQ(ValueOf(b, _T("Vendor")), CString(_T("<none>")));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(AttributeCommandTest, ADuplicateNameKeepsTheDialogOpenAndCancelChangesNothing)
{
    const long a = LineWith({{u"A", u"1"}, {u"B", u"2"}}, 0);
    const long plain = LineWith({}, 5);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    bool stayedOpen = false;
    CString copied;
    AnswerWith([&](CAttributeDialog& d) {
        Edit(d, RowOf(d, _T("A")), 1, _T("b"));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stayedOpen = d.GetSafeHwnd() != nullptr && ::IsWindowVisible(d.GetSafeHwnd());
        // An empty name is refused while typing.
        Edit(d, 0, 1, _T(""));
        d.EndDialog(IDCANCEL);
    });
    Start(_T("Korvan.Settings.Attributes"));
    ASSERT_TRUE(GiveShapes(0, {a, plain}));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], CString(_T("Another attribute already has this name.")));
    EXPECT_EQ(boxes.texts[1], CString(_T("The name \"B\" is used twice. Give each attribute its own name.")));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "after cancel"));
}

TEST_F(AttributeCommandTest, CopyAllGivesTabSeparatedLinesWithTheShapeNumbers)
{
    const long a = LineWith({{u"B", u"2"}, {u"A", u"1"}}, 0);
    const long b = LineWith({{u"A", u"x"}}, 5);
    CString text;
    AnswerWith([&text](CAttributeDialog& d) {
        d.m_bNumberColumn = TRUE;
        d.CheckDlgButton(CAttributeDialog::kNumberColumn, BST_CHECKED);
        text = d.MakeCopyText(FALSE);
        d.EndDialog(IDCANCEL);
    });
    Start(_T("Korvan.Settings.Attributes"));
    ASSERT_TRUE(GiveShapes(0, {a, b}));
    CString expected;
    expected.Format(_T("No\tA\tB\r\n%ld\t1\t2\r\n%ld\tx\t\r\n"), doc.GetFeature(a)->GetFeatureNo(),
                    doc.GetFeature(b)->GetFeatureNo());
    EXPECT_EQ(text, expected);
}

}  // namespace
