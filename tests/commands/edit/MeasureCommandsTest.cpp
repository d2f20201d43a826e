// The measure commands and the user origin through the real command manager, their results read off the
// real measure result dialog while it shows (answered from a timer), the precisions in the real settings
// store.

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include "tests/commands/edit/EditFixture.h"
#include "tests/commands/edit/Screenshot.h"

#include "command/IntegerParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "tests/commands/edit/MeasureResultProbe.h"
#include "commands/edit/MeasureArea2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/Registry.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinCtrlConstants.h"

using QZ2Command::MeasureArea2dCommand;

namespace {

constexpr double kPi = 3.14159265358979323846;

// What the dialog showed.
struct Shown {
    int kind = -1;
    std::vector<CString> captions;
    std::vector<CString> values;
    bool firstRowRed = false;
};

class MeasureCommandsTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        RegistryManager(HKEY_CURRENT_USER).WriteProfileString(CMeasureResultDialog::GetSection(), nullptr, nullptr);
        MeasureArea2dCommand::SetDivisionCount(5000);
        // Every dialog is read and closed with OK unless a test works it itself.
        AnswerWith([](CMeasureResultDialog& d) { d.EndDialog(IDOK); });
    }
    void TearDown() override
    {
        timer.reset();
        EditFixture::TearDown();
    }

    // From now on each result dialog is read, then `act` works and closes it.
    void AnswerWith(std::function<void(CMeasureResultDialog&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pDialog = dynamic_cast<CMeasureResultDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
                return;
            Shown s;
            s.kind = pDialog->m_nKind;
            for (int i = 0; i < pDialog->GetRowCount(); ++i) {
                s.captions.push_back(pDialog->GetRowCaption(i));
                s.values.push_back(pDialog->GetRowValue(i));
            }
            s.firstRowRed = IsRowRed(*pDialog, 0);
            shown.push_back(s);
            act(*pDialog);
        });
        timer->start();
    }
    static bool IsRowRed(CMeasureResultDialog& d, int nRow) { return kctest::IsMeasureRowRed(d, nRow); }
    static void SelectRows(CMeasureResultDialog& d, std::initializer_list<int> rows)
    {
        auto* pList = static_cast<CListCtrl*>(d.GetDlgItem(CMeasureResultDialog::kResultList));
        for (int i = 0; i < pList->GetItemCount(); ++i)
            pList->SetItemState(i, 0, LVIS_SELECTED);
        for (int r : rows)
            pList->SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    static void ChoosePrecision(CMeasureResultDialog& d, int nIndex)
    {
        auto* pCombo = static_cast<CComboBox*>(d.GetDlgItem(CMeasureResultDialog::kPrecisionCombo));
        pCombo->SetCurSel(nIndex);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CMeasureResultDialog::kPrecisionCombo, CBN_SELENDOK),
                      reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
    }
    static CString ClipboardText() { return kctest::ClipboardUnicodeText(); }

    BOOL GivePoints(WORD id, std::initializer_list<RuVaPnt2d> points, BOOL bFinished = TRUE)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::PointArrayParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        KcArrayOfGePnt2d list;
        for (const RuVaPnt2d& p : points)
            list.Add(p);
        value.SetPoints(list);
        value.m_bFinished = bFinished;
        return manager.SetPointArrayParameter(index, value, TRUE);
    }
    BOOL GiveCount(WORD id, int count)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        QZ2Command::IntegerParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(count);
        return manager.SetIntegerParameter(index, value, TRUE);
    }
    BOOL Choose(int nIndex, WORD wItem)
    {
        const QZ2Command::CommandParameter* pParameter = Running()->GetParameter(nIndex);
        for (int i = 0; i < pParameter->GetItemCount(); ++i) {
            if (pParameter->GetItem(i)->GetId() == wItem)
                return pParameter->GetCurrentIndex() == i || manager.SetParameterAlternative(Running(), nIndex, i);
        }
        return FALSE;
    }
    static double Number(const CString& text) { return QString::fromUtf16(text).toDouble(); }

    std::unique_ptr<QTimer> timer;
    std::vector<Shown> shown;
};

// --- coordinates and the user origin ---------------------------------------------------------------

TEST_F(MeasureCommandsTest, CoordinatesShowASecondRedRowAwayFromTheUserOrigin)
{
    doc.GetActiveDrawingFeature()->SetUserOrigin(RuVaPnt2d(10, 0));
    Start(_T("Korvan.Tools.MeasureCoordinates"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(12.5, 3)));
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].values.size(), 2u);
    EXPECT_EQ(shown[0].captions[0], CString(_T("Relative to user origin")));
    EXPECT_EQ(shown[0].values[0], CString(_T("2.500, 3.000")));
    EXPECT_EQ(shown[0].captions[1], CString(_T("Coordinates")));
    EXPECT_EQ(shown[0].values[1], CString(_T("12.500, 3.000")));
    EXPECT_TRUE(shown[0].firstRowRed);
    // The command stays for the next point.
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetIdentifier(), CString(_T("Korvan.Tools.MeasureCoordinates")));
}

TEST_F(MeasureCommandsTest, UserOriginIsOneUndoStepAndTheOriginGivesOneRowAgain)
{
    const auto before = Snapshot();
    Start(_T("Korvan.Settings.UserOrigin"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(5, 5)));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetUserOrigin().Distance(RuVaPnt2d(0, 0)), 0.0);
    manager.CancelAllCommands();

    Start(_T("Korvan.Tools.MeasureCoordinates"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(7, 8)));
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].values.size(), 1u);
    EXPECT_EQ(shown[0].captions[0], CString(_T("Coordinates")));
    EXPECT_FALSE(shown[0].firstRowRed);
    manager.CancelAllCommands();

    // Each placement is a step of its own; undoing the second brings the first back.
    doc.Undo(1);
    EXPECT_EQ(doc.GetActiveDrawingFeature()->GetUserOrigin().Distance(RuVaPnt2d(5, 5)), 0.0);
    doc.Undo(1);
    EXPECT_TRUE(SameAs(*before, "after undoing both placements"));
}

// --- length ----------------------------------------------------------------------------------------

TEST_F(MeasureCommandsTest, LengthOfTwoPointsCopiesAllRowsOrOneValue)
{
    std::vector<CString> copies;
    AnswerWith([&copies](CMeasureResultDialog& d) {
        SelectRows(d, {0, 1, 2});
        kctest::SaveScreenshot(d, "measure-result.png");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CMeasureResultDialog::kCopyButton, BN_CLICKED), 0);
        copies.push_back(ClipboardText());
        SelectRows(d, {1});
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CMeasureResultDialog::kCopyButton, BN_CLICKED), 0);
        copies.push_back(ClipboardText());
        SelectRows(d, {});
        copies.push_back(d.GetDlgItem(CMeasureResultDialog::kCopyButton)->IsWindowEnabled() ? _T("on") : _T("off"));
        d.EndDialog(IDOK);
    });
    Start(_T("Korvan.Tools.MeasureLength"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(1, 1)));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(4, 5)));
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].captions.size(), 3u);
    EXPECT_EQ(shown[0].captions[0], CString(_T("Length")));
    EXPECT_EQ(shown[0].captions[1], CString(_T("DX")));
    EXPECT_EQ(shown[0].captions[2], CString(_T("DY")));
    EXPECT_EQ(shown[0].values[0], CString(_T("5.000")));
    EXPECT_EQ(shown[0].values[1], CString(_T("3.000")));
    EXPECT_EQ(shown[0].values[2], CString(_T("4.000")));
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0], CString(_T("Length\t5.000\nDX\t3.000\nDY\t4.000\n")));
    EXPECT_EQ(copies[1], CString(_T("3.000")));
    EXPECT_EQ(copies[2], CString(_T("off")));
}

TEST_F(MeasureCommandsTest, LengthOfAChainAndOfAShape)
{
    Start(_T("Korvan.Tools.MeasureLength"));
    ASSERT_TRUE(Choose(0, 2));
    EXPECT_LT(IndexOf(1), 0) << "the end point row goes with the two-point alternative";
    // An unfinished chain only offers its points to snapping.
    GivePoints(2, {RuVaPnt2d(0, 0), RuVaPnt2d(3, 0)}, FALSE);
    EXPECT_TRUE(shown.empty());
    GivePoints(2, {RuVaPnt2d(0, 0), RuVaPnt2d(3, 0), RuVaPnt2d(3, 4)});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].values[0], CString(_T("7.000")));
    EXPECT_EQ(shown[0].values[1], CString(_T("3.000")));
    EXPECT_EQ(shown[0].values[2], CString(_T("4.000")));

    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 10));
    ASSERT_TRUE(Choose(0, 3));
    ASSERT_TRUE(GivePick(3, circle, RuVaPnt2d(10, 0)));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(Number(shown[1].values[0]), 2 * kPi * 10, 0.01);

    // A shape deleted after the pick measures nothing.
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(5, 0)));
    doc.DeleteFeature(line, 0);
    GivePick(3, line, RuVaPnt2d(1, 0));
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_NE(Running(), nullptr);
}

TEST_F(MeasureCommandsTest, PrecisionChosenWithOkIsKeptPerKindAndCancelKeepsNothing)
{
    AnswerWith([](CMeasureResultDialog& d) {
        ChoosePrecision(d, 4);
        d.EndDialog(IDCANCEL);
    });
    Start(_T("Korvan.Tools.MeasureLength"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(1, 0)));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].values[0], CString(_T("1.000")));

    AnswerWith([](CMeasureResultDialog& d) {
        ChoosePrecision(d, 4);
        // The rows follow the choice at once.
        EXPECT_EQ(d.GetRowValue(0), CString(_T("1.0000")));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(1, 0)));
    AnswerWith([](CMeasureResultDialog& d) { d.EndDialog(IDOK); });
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(2, 0)));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].values[0], CString(_T("2.0000")));
    manager.CancelAllCommands();
    // Another kind keeps the document's precision.
    Start(_T("Korvan.Tools.MeasureCoordinates"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(1, 2)));
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[3].values[0], CString(_T("1.000, 2.000")));
}

TEST_F(MeasureCommandsTest, DamagedStoredPrecisionsAreBroughtIntoTheEntries)
{
    struct Case {
        LPCTSTR entry;
        int stored;
        LPCTSTR command;
        CString expected;
    };
    const Case cases[] = {
        {_T("LengthPrecision"), 99, _T("Korvan.Tools.MeasureLength"), _T("1.00000000")},
        {_T("LengthPrecision"), -7, _T("Korvan.Tools.MeasureLength"), _T("1")},
        {_T("AnglePrecision"), 1000, _T("Korvan.Tools.MeasureAngle"), CString(_T("90.00000000")) + CString(_T("°"))},
        {_T("AnglePrecision"), -1, _T("Korvan.Tools.MeasureAngle"), CString(_T("90")) + CString(_T("°"))},
    };
    for (const Case& c : cases) {
        shown.clear();
        RegistryManager(HKEY_CURRENT_USER).WriteProfileInt(CMeasureResultDialog::GetSection(), c.entry, c.stored);
        Start(c.command);
        ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
        ASSERT_TRUE(GivePoint(1, RuVaPnt2d(0, 1)));
        ASSERT_EQ(shown.size(), 1u) << kctest::Narrow(c.entry) << " " << c.stored;
        EXPECT_EQ(shown[0].values[0], c.expected) << kctest::Narrow(c.entry) << " " << c.stored;
        manager.CancelAllCommands();
    }
}

// --- angle -----------------------------------------------------------------------------------------

TEST_F(MeasureCommandsTest, TheDialogsRowsForEachKind)
{
    using D = CMeasureResultDialog;
    constexpr double kSquareFoot = 304.8 * 304.8;
    struct Case {
        const char* what;
        int kind;
        int lengthFormat;
        RuVaPnt2d first;
        RuVaPnt2d second;
        double value;  // the length, the angle or the area
        std::vector<CString> captions;
        std::vector<CString> values;
        bool firstRowRed;
    };
    const std::vector<Case> cases = {
        {"a point at the user origin", D::kindCoordinates, 0, RuVaPnt2d(1.5, -2), RuVaPnt2d(1.5, -2), 0,
         {_T("Coordinates")}, {_T("1.50, -2.00")}, false},
        {"a point away from it", D::kindCoordinates, 0, RuVaPnt2d(1.5, -2), RuVaPnt2d(0.5, 1), 0,
         {_T("Relative to user origin"), _T("Coordinates")}, {_T("0.50, 1.00"), _T("1.50, -2.00")}, true},
        {"a length", D::kindLength, 0, RuVaPnt2d(), RuVaPnt2d(), 5, {_T("Length"), _T("DX"), _T("DY")},
         {_T("5.00"), _T("3.00"), _T("4.00")}, false},
        {"an angle", D::kindAngle, 0, RuVaPnt2d(), RuVaPnt2d(), 30, {_T("Angle")}, {_T("30.00\u00B0")}, false},
        {"an area", D::kindArea, 0, RuVaPnt2d(), RuVaPnt2d(), 12.5, {_T("Area")}, {_T("12.50")}, false},
        {"an area in feet and inches", D::kindArea, 1, RuVaPnt2d(), RuVaPnt2d(), 2 * kSquareFoot, {_T("Area")},
         {_T("2.00 sq ft")}, false},
        {"an area in feet", D::kindArea, 2, RuVaPnt2d(), RuVaPnt2d(), 0.5 * kSquareFoot, {_T("Area")},
         {_T("0.50 sq ft")}, false},
    };
    // The dialog's own first precision: two decimals.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown.clear();
        D dialog;
        dialog.m_nKind = c.kind;
        dialog.m_nLengthFormat = c.lengthFormat;
        dialog.m_firstPoint = c.first;
        dialog.m_secondPoint = c.second;
        dialog.m_dLength = c.value;
        dialog.m_dX = 3;
        dialog.m_dY = 4;
        dialog.m_dAngle = c.value;
        dialog.m_dArea = c.value;
        dialog.DoModal();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].captions, c.captions);
        EXPECT_EQ(shown[0].values, c.values);
        EXPECT_EQ(shown[0].firstRowRed, c.firstRowRed);
    }
}

TEST_F(MeasureCommandsTest, AngleCases)
{
    // The direction of two points, normalised into 0 to 360.
    Start(_T("Korvan.Tools.MeasureAngle"));
    ASSERT_TRUE(GivePoint(0, RuVaPnt2d(0, 0)));
    ASSERT_TRUE(GivePoint(1, RuVaPnt2d(0, -1)));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].captions[0], CString(_T("Angle")));
    EXPECT_NEAR(Number(shown[0].values[0].Left(shown[0].values[0].GetLength() - 1)), 270.0, 1e-9);

    // Two equal points measure nothing.
    GivePoint(0, RuVaPnt2d(2, 2));
    GivePoint(1, RuVaPnt2d(2, 2));
    EXPECT_EQ(shown.size(), 1u);

    // At a vertex: arms on one ray give 0, a right angle 90.
    ASSERT_TRUE(Choose(0, 2));
    ASSERT_GE(IndexOf(3), 0);
    GivePoint(2, RuVaPnt2d(0, 0));
    GivePoint(3, RuVaPnt2d(1, 0));
    GivePoint(1, RuVaPnt2d(5, 0));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(Number(shown[1].values[0].Left(shown[1].values[0].GetLength() - 1)), 0.0, 1e-9);
    GivePoint(2, RuVaPnt2d(0, 0));
    GivePoint(3, RuVaPnt2d(1, 0));
    GivePoint(1, RuVaPnt2d(0, 3));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NEAR(Number(shown[2].values[0].Left(shown[2].values[0].GetLength() - 1)), 90.0, 1e-9);

    // Between two picks on one polyline: the same segment measures nothing, two segments their angle.
    KcArrayOfGePnt2d corner;
    corner.Add(RuVaPnt2d(0, 0));
    corner.Add(RuVaPnt2d(10, 0));
    corner.Add(RuVaPnt2d(10, 10));
    const long polyline = Add(Polyline2dFeature(corner));
    ASSERT_TRUE(Choose(0, 5));
    ASSERT_GE(IndexOf(6), 0);
    GivePick(5, polyline, RuVaPnt2d(2, 0));
    GivePick(6, polyline, RuVaPnt2d(6, 0));
    EXPECT_EQ(shown.size(), 3u);
    GivePick(6, polyline, RuVaPnt2d(10, 5));
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NEAR(Number(shown[3].values[0].Left(shown[3].values[0].GetLength() - 1)), 90.0, 1e-6);
}

TEST_F(MeasureCommandsTest, PreselectedCircleIsRefusedByTheAngleAndTakenByTheLength)
{
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 1));
    doc.GetSelectionManager()->UnselectAll(FALSE);
    CArray<FeatureLayout> records;
    records.Add(FeatureLayout(circle, -1, -1));
    KcArrayOfGePnt2d picks;
    picks.Add(RuVaPnt2d(1, 0));
    doc.GetSelectionManager()->SelectFeatures(records, 4, &picks, FALSE);
    EXPECT_FALSE(CommandBase::IsCommandEnabled(_T("Korvan.Tools.MeasureAngle"), &doc));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Tools.MeasureLength"), &doc));

    Start(_T("Korvan.Tools.MeasureAngle"));
    EXPECT_TRUE(shown.empty());
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetCurrentItemID(0), 4) << "the single-shape alternative waits";
    EXPECT_EQ(Running()->GetParameterCount(), 1);
    manager.CancelAllCommands();

    doc.GetSelectionManager()->SelectFeatures(records, 4, &picks, FALSE);
    Start(_T("Korvan.Tools.MeasureLength"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(Number(shown[0].values[0]), 2 * kPi, 0.01);
    EXPECT_EQ(Running(), nullptr) << "a pre-selection is measured once";
}

// --- area ------------------------------------------------------------------------------------------

TEST_F(MeasureCommandsTest, AreaOfAPolygonAndACircleAndTheBowTieRefused)
{
    const auto before = Snapshot();
    Start(_T("Korvan.Tools.MeasureArea"));
    ASSERT_TRUE(GivePoints(0, {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(0, 3)}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].captions[0], CString(_T("Area")));
    EXPECT_EQ(shown[0].values[0], CString(_T("6.000")));

    GivePoints(0, {RuVaPnt2d(0, 0), RuVaPnt2d(4, 4), RuVaPnt2d(4, 0), RuVaPnt2d(0, 4)});
    EXPECT_EQ(shown.size(), 1u);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], CString(_T("The outline crosses itself. Give the points again.")));
    EXPECT_EQ(boxes.types[0] & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));

    const long circle = Add(Circle2dFeature(RuVaPnt2d(50, 50), 2));
    const auto withCircle = Snapshot();
    if (Running() == nullptr)
        Start(_T("Korvan.Tools.MeasureArea"));
    ASSERT_TRUE(Choose(0, 1));
    ASSERT_TRUE(GivePick(1, circle, RuVaPnt2d(52, 50)));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(Number(shown[1].values[0]), kPi * 4, 0.005);
    EXPECT_TRUE(SameAs(*withCircle, "after measuring"));
    (void)before;
}

TEST_F(MeasureCommandsTest, AreaAroundAnInnerPoint)
{
    // A half disc of radius 10: a line along its diameter and an arc.
    Add(Line2dFeature(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0)));
    Add(Arc2dFeature(RuVaPnt2d(0, 0), 10, 0, 180));
    // A circle alone, found whole.
    Add(Circle2dFeature(RuVaPnt2d(40, 0), 5));
    const auto before = Snapshot();
    AnswerWith([](CMeasureResultDialog& d) {
        ChoosePrecision(d, 8);
        d.EndDialog(IDCANCEL);
    });
    Start(_T("Korvan.Tools.MeasureArea"));
    ASSERT_TRUE(Choose(0, 2));
    ASSERT_EQ(IndexOf(4), 1);
    ASSERT_TRUE(GivePoint(2, RuVaPnt2d(0, 3)));
    ASSERT_EQ(shown.size(), 1u);
    const double half = kPi * 100 / 2;
    // 5000 equal steps along the arc: the polygon's error is below 1e-5 of the area.
    EXPECT_NEAR(Number(shown[0].values[0]), half, half * 1e-5);
    // The point is cleared, the count stays: the next click measures again.
    ASSERT_NE(Running(), nullptr);
    EXPECT_TRUE(Running()->GetParameterItem(0)->IsEmpty());
    EXPECT_FALSE(Running()->GetParameterItem(1)->IsEmpty());

    // Fewer divisions, a coarser polygon, still bounded.
    ASSERT_TRUE(GiveCount(4, 100));
    ASSERT_TRUE(GivePoint(2, RuVaPnt2d(0, 3)));
    ASSERT_EQ(shown.size(), 2u);
    const double coarse = Number(shown[1].values[0]);
    EXPECT_LT(coarse, half);
    EXPECT_NEAR(coarse, half, half * 1e-3);
    EXPECT_EQ(MeasureArea2dCommand::GetDivisionCount(), 100);

    ASSERT_TRUE(GivePoint(2, RuVaPnt2d(41, 1)));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NEAR(Number(shown[2].values[0]), kPi * 25, 1e-3);

    // A count out of range is refused with the range named.
    EXPECT_FALSE(GiveCount(4, 99));
    EXPECT_FALSE(GiveCount(4, 65536));
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], CString(_T("Enter a value from 100 to 65535.")));

    // Nowhere closed: the message, no dialog.
    GivePoint(2, RuVaPnt2d(100, 100));
    EXPECT_EQ(shown.size(), 3u);
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[2], CString(_T("No closed outline was found around the point.")));
    EXPECT_TRUE(SameAs(*before, "after measuring"));
}

TEST_F(MeasureCommandsTest, AreaSearchCancelledShowsNothing)
{
    for (int i = 0; i < 40; ++i)
        Add(Line2dFeature(RuVaPnt2d(-10, i), RuVaPnt2d(10, i + 0.5)));
    Add(Circle2dFeature(RuVaPnt2d(0, 0), 100));
    progress().cancelAfterPumps = 0;
    QZ2Command::CommandManager::ShellServices shell = QZ2Command::CommandManager::GetShellServices();
    shell.pfnOnProgress = [](NotifyProgressInfo*, void*) { return 0; };
    QZ2Command::CommandManager::SetShellServices(shell);
    Start(_T("Korvan.Tools.MeasureArea"));
    ASSERT_TRUE(Choose(0, 2));
    GivePoint(2, RuVaPnt2d(50, -50));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_NE(Running(), nullptr);
}

}  // namespace
