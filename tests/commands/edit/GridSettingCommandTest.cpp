// The grid commands through the real command manager: the dialog answered from a timer, picks given to
// the nested origin and range commands, the drawing's grid setting and its undo steps read back.

#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "tests/commands/edit/EditFixture.h"
#include "tests/commands/edit/Screenshot.h"

#include "commands/edit/CGridSettingDialog.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/CEdit.h"

namespace {

class GridSettingCommandTest : public kctest::EditFixture
{
protected:
    void TearDown() override
    {
        timer.reset();
        EditFixture::TearDown();
    }
    const GridSetting& Grid() const { return *doc.GetActiveDrawingFeature()->GetGridSetting(); }

    // Each time the grid dialog shows, the next step works it (the last one is repeated).
    void AnswerWith(std::vector<std::function<void(CGridSettingDialog&)>> acts)
    {
        steps = std::move(acts);
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this]() {
            auto* pDialog = dynamic_cast<CGridSettingDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            // Each dialog is answered once; a later one may take the same address, never the same window.
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr ||
                pDialog->GetQWidget()->property("answered").toBool())
                return;
            pDialog->GetQWidget()->setProperty("answered", true);
            CString caption;
            pDialog->GetWindowText(caption);
            captions.push_back(caption);
            const size_t i = std::min(openings++, steps.size() - 1);
            steps[i](*pDialog);
        });
        timer->start();
    }
    static void Type(CGridSettingDialog& d, int nID, LPCTSTR text)
    {
        d.GetDlgItem(nID)->SetWindowText(text);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, EN_CHANGE), reinterpret_cast<LPARAM>(d.GetDlgItem(nID)->GetSafeHwnd()));
    }
    static void Press(CGridSettingDialog& d, int nID) { d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    static CString Text(CGridSettingDialog& d, int nID)
    {
        CString text;
        d.GetDlgItem(nID)->GetWindowText(text);
        return text;
    }

    std::unique_ptr<QTimer> timer;
    std::vector<std::function<void(CGridSettingDialog&)>> steps;
    size_t openings = 0;
    std::vector<CString> captions;
};

TEST_F(GridSettingCommandTest, ShowGridTwiceIsTwoStepsBackToTheStart)
{
    const BOOL first = Grid().IsShowGrid();
    Start(_T("Korvan.Settings.ShowGrid"));
    EXPECT_EQ(Grid().IsShowGrid(), !first);
    EXPECT_EQ(Running(), nullptr);
    Start(_T("Korvan.Settings.ShowGrid"));
    EXPECT_EQ(Grid().IsShowGrid(), first);
    EXPECT_EQ(doc.GetUndoCount(), 2);
}

TEST_F(GridSettingCommandTest, PickOriginFromTheDialogThenOkIsOneStep)
{
    GridSetting shown = Grid();
    shown.ShowGrid(TRUE);
    doc.SetDrawingGridSetting(doc.GetActiveDrawingFeature()->GetDrawingID(), shown, 1);
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CString originShown;
    AnswerWith({[](CGridSettingDialog& d) { Press(d, CGridSettingDialog::kPickOrigin); },
                [&originShown](CGridSettingDialog& d) {
                    originShown = Text(d, CGridSettingDialog::kOriginX) + _T(";") + Text(d, CGridSettingDialog::kOriginY);
                    kctest::SaveScreenshot(d, "grid-setting.png");
                    Press(d, IDOK);
                }});
    Start(_T("Korvan.Settings.GridSetting"));
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetIdentifier(), CString(_T("Korvan.Settings.GridOrigin")));
    // The grid is hidden in the view while the user picks, the drawing untouched.
    EXPECT_FALSE(view.GetGridVisible());
    EXPECT_TRUE(SameAs(*before, "while picking"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(12, 34)));
    EXPECT_EQ(Running(), nullptr);
    EXPECT_EQ(openings, 2u);
    EXPECT_EQ(originShown, CString(_T("12;34")));
    EXPECT_EQ(Grid().GetOrigin().Distance(RuVaPnt2d(12, 34)), 0.0);
    EXPECT_TRUE(view.GetGridVisible());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undo"));
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions[0], doc.GetActiveDrawingFeature()->GetDrawingName() + _T(" - Grid Setting"));
}

TEST_F(GridSettingCommandTest, PickRangeThenCancelLeavesTheDrawingAsItWas)
{
    const auto before = Snapshot();
    AnswerWith({[](CGridSettingDialog& d) {
                    Press(d, CGridSettingDialog::kVisible);
                    Press(d, CGridSettingDialog::kPickRange);
                },
                [](CGridSettingDialog& d) {
                    // The picked corners come back sorted, the range switched on.
                    EXPECT_EQ(d.m_dMinX, 10.0);
                    EXPECT_EQ(d.m_dMinY, 5.0);
                    EXPECT_EQ(d.m_dMaxX, 30.0);
                    EXPECT_EQ(d.m_dMaxY, 50.0);
                    EXPECT_TRUE(d.m_bRangeLimited);
                    d.EndDialog(IDCANCEL);
                }});
    Start(_T("Korvan.Settings.GridSetting"));
    ASSERT_NE(Running(), nullptr);
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(30, 5)));
    ASSERT_TRUE(GivePoint(2, RuVaPnt2d(10, 50)));
    EXPECT_EQ(openings, 2u);
    EXPECT_EQ(Running(), nullptr);
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(SameAs(*before, "after cancel"));
}

TEST_F(GridSettingCommandTest, RangeAloneWritesSortedCorners)
{
    Start(_T("Korvan.Settings.GridRange"));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(30, 50)));
    ASSERT_TRUE(GivePoint(2, RuVaPnt2d(10, 5)));
    EXPECT_EQ(Grid().GetMinGridPnt().Distance(RuVaPnt2d(10, 5)), 0.0);
    EXPECT_EQ(Grid().GetMaxGridPnt().Distance(RuVaPnt2d(30, 50)), 0.0);
    EXPECT_FALSE(Grid().GetGridAllWindow());
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST_F(GridSettingCommandTest, RefusedValuesKeepTheDialogOpen)
{
    struct Case {
        const char* what;
        int field;
        LPCTSTR text;
        CString message;
    };
    const Case cases[] = {
        {"step 0", CGridSettingDialog::kStepX, _T("0"), _T("Enter a value greater than 0 and less than 1e+15.")},
        {"angle 90", CGridSettingDialog::kAngle1, _T("90"), _T("Enter a value greater than -90 and less than 90.")},
        {"minimum X at the maximum", CGridSettingDialog::kMinX, _T("100"),
         _T("The minimum X of the range must be less than its maximum X.")},
        {"grid count 101", CGridSettingDialog::kGridCount, _T("101"), _T("")},
        {"grid count 1", CGridSettingDialog::kGridCount, _T("1"), _T("")},
    };
    for (const Case& c : cases) {
        boxes.texts.clear();
        openings = 0;
        const auto before = Snapshot();
        bool stayedOpen = false;
        AnswerWith({[&c, &stayedOpen](CGridSettingDialog& d) {
            Press(d, CGridSettingDialog::kVisible);
            Type(d, c.field, c.text);
            Press(d, IDOK);
            stayedOpen = d.GetSafeHwnd() != nullptr && ::IsWindowVisible(d.GetSafeHwnd());
            d.EndDialog(IDCANCEL);
        }});
        Start(_T("Korvan.Settings.GridSetting"));
        EXPECT_TRUE(stayedOpen) << c.what;
        ASSERT_EQ(boxes.texts.size(), 1u) << c.what;
        if (!c.message.IsEmpty())
            EXPECT_EQ(boxes.texts[0], c.message) << c.what;
        EXPECT_TRUE(SameAs(*before, c.what));
        timer.reset();
    }
}

}  // namespace

namespace {

using SelectionFilterModeTest = kctest::EditFixture;

TEST_F(SelectionFilterModeTest, SwitchesTheFilterAndKeepsThePartFilters)
{
    SelectionFilter filter = *doc.GetSelectionFilter();
    filter.GetColorFilter().SetColorFilter(3, 1);
    filter.SetSelectionFilterMode(0);
    doc.SetSelectionFilter(filter);
    const int undo = doc.GetUndoCount();
    Start(_T("Korvan.Settings.SelectFilterMode"));
    EXPECT_EQ(doc.GetSelectionFilter()->GetSelectionFilterMode(), 1);
    EXPECT_NE(doc.GetSelectionFilter()->GetColorFilter().GetColorFilter(3), 0);
    EXPECT_EQ(Running(), nullptr);
    Start(_T("Korvan.Settings.SelectFilterMode"));
    EXPECT_EQ(doc.GetSelectionFilter()->GetSelectionFilterMode(), 0);
    EXPECT_NE(doc.GetSelectionFilter()->GetColorFilter().GetColorFilter(3), 0);
    // View state: no undo step.
    EXPECT_EQ(doc.GetUndoCount(), undo);
}

}  // namespace
