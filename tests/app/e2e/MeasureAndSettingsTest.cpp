// Measuring, the user origin, the grid and the selection filter end to end through the real program:
// commands sent as the menus send them, points clicked in the drawing view, the result dialog answered
// from a timer as the user would.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "commands/edit/CFeatureSelectionFeaturePropertyPage.h"
#include "commands/edit/CFeatureSelectionPropertySheet.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/afx/CRect.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinInput.h"
#include "tests/support/app/RecordingCmdUI.h"

namespace {

constexpr UINT kMeasureCoordinatesID = 34732;
constexpr UINT kMeasureLengthID = 34733;
constexpr UINT kUserOriginID = 34345;
constexpr UINT kShowGridID = 34639;
constexpr UINT kSelectFilterModeID = 34131;
constexpr UINT kEndCommandID = 37101;

class MeasureAndSettingsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_app->SetSnapEnabled(FALSE);
        m_app->SetSnapAngularEnabled(FALSE);
        doc = NewDrawing();
        ASSERT_NE(doc, nullptr);
        model = doc->GetDraw2dDocument();
        view = ActiveDrawView();
        ASSERT_NE(view, nullptr);
        draw = view->GetDraw2dView();
    }
    void TearDown() override
    {
        timer.reset();
        ProgramFixture::TearDown();
    }
    // Each result dialog is read, then `act` closes it.
    void AnswerWith(std::function<void(CMeasureResultDialog&)> act)
    {
        timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [this, act]() {
            auto* pDialog = dynamic_cast<CMeasureResultDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            // Each dialog is answered once; a later one may take the same address, never the same window.
            if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr ||
                pDialog->GetQWidget()->property("answered").toBool())
                return;
            pDialog->GetQWidget()->setProperty("answered", true);
            std::vector<CString> rows;
            for (int i = 0; i < pDialog->GetRowCount(); ++i)
                rows.push_back(pDialog->GetRowCaption(i) + _T("=") + pDialog->GetRowValue(i));
            shown.push_back(rows);
            act(*pDialog);
        });
        timer->start();
    }
    RuVaPnt2d World(const CPoint& p) const { return draw->ConvertPointClientToWorld(p, TRUE); }
    BOOL Update(UINT nID, RecordingCmdUI& ui)
    {
        return doc->OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui, nullptr);
    }

    CQZ2Doc* doc = nullptr;
    Draw2dDocument* model = nullptr;
    CQZ2View* view = nullptr;
    Draw2dView* draw = nullptr;
    std::unique_ptr<QTimer> timer;
    std::vector<std::vector<CString>> shown;
};

}  // namespace

TEST_F(MeasureAndSettingsTest, LengthByTwoClicksKeepsTheChosenPrecision)
{
    AnswerWith([](CMeasureResultDialog& d) {
        auto* pCombo = static_cast<CComboBox*>(d.GetDlgItem(CMeasureResultDialog::kPrecisionCombo));
        pCombo->SetCurSel(1);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CMeasureResultDialog::kPrecisionCombo, CBN_SELENDOK),
                      reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(kMeasureLengthID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    Click(view, CPoint(100, 100));
    Click(view, CPoint(160, 100));
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].size(), 3u);
    EXPECT_EQ(shown[0][0].Left(7), CString(_T("Length=")));
    EXPECT_EQ(shown[0][1].Left(3), CString(_T("DX=")));
    EXPECT_EQ(shown[0][2].Left(3), CString(_T("DY=")));
    // The precision chosen with OK is the one of the next length.
    Click(view, CPoint(100, 100));
    Click(view, CPoint(100, 160));
    ASSERT_EQ(shown.size(), 2u);
    const CString value = shown[1][0].Mid(7);
    ASSERT_GE(value.Find(_T('.')), 0);
    EXPECT_EQ(value.GetLength() - value.Find(_T('.')) - 1, 1) << QString::fromUtf16(value).toStdString();
    Command(kEndCommandID);
    EXPECT_EQ(model->GetUndoCount(), 0) << "measuring changes nothing";
}

TEST_F(MeasureAndSettingsTest, UserOriginByAClickIsOneUndoStep)
{
    Command(kUserOriginID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    Click(view, CPoint(120, 120));
    EXPECT_TRUE(m_manager->HasActiveCommand()) << "the command stays for the next placement";
    Command(kEndCommandID);
    EXPECT_EQ(model->GetUndoCount(), 1);
    EXPECT_LT(model->GetActiveDrawingFeature()->GetUserOrigin().Distance(World(CPoint(120, 120))), 1e-9);
}

TEST_F(MeasureAndSettingsTest, ShowGridAndSelectionFilterModeFromTheMenu)
{
    const BOOL grid = model->GetActiveDrawingFeature()->GetGridSetting()->IsShowGrid();
    Command(kShowGridID);
    EXPECT_EQ(model->GetActiveDrawingFeature()->GetGridSetting()->IsShowGrid(), !grid);
    EXPECT_EQ(model->GetUndoCount(), 1);

    RecordingCmdUI before(kSelectFilterModeID);
    ASSERT_TRUE(Update(kSelectFilterModeID, before));
    EXPECT_EQ(before.check, 0);
    Command(kSelectFilterModeID);
    EXPECT_EQ(model->GetSelectionFilter()->GetSelectionFilterMode(), 1);
    RecordingCmdUI after(kSelectFilterModeID);
    ASSERT_TRUE(Update(kSelectFilterModeID, after));
    EXPECT_EQ(after.check, 1);
    EXPECT_EQ(model->GetUndoCount(), 1) << "the filter is view state";
}


TEST_F(MeasureAndSettingsTest, TheFilterSheetFromTheMenuAndSelectByFilter)
{
    constexpr UINT kSelectFilterID = 34132;
    constexpr UINT kSelectByFilterID = 34133;
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    line.SetLayerID(model->GetCurrentLayerID());
    Text2dFeature text(_T("A"), RuVaPnt2d(0, 20));
    text.SetLayerID(model->GetCurrentLayerID());
    const long lineID = model->AddFeature(&line, model->GetActiveDrawingFeature(), 1);
    const long textID = model->AddFeature(&text, model->GetActiveDrawingFeature(), 1);
    model->ClearUndoRedoHistory();
    // The sheet of the filter: texts only, switched on.
    std::vector<int> openings;
    timer = std::make_unique<QTimer>();
    timer->setInterval(2);
    QObject::connect(timer.get(), &QTimer::timeout, [this, &openings]() {
        auto* pSheet = dynamic_cast<CFeatureSelectionPropertySheet*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
        if (pSheet == nullptr || pSheet->GetSafeHwnd() == nullptr || pSheet->GetQWidget()->property("answered").toBool())
            return;
        pSheet->GetQWidget()->setProperty("answered", true);
        openings.push_back(pSheet->m_switch.GetSafeHwnd() != nullptr ? 1 : 0);
        auto* pPage = static_cast<CFeatureSelectionFeaturePropertyPage*>(
            pSheet->GetFilterPage(CFeatureSelectionPropertySheet::kFeaturePage));
        // A new drawing's filter admits every kind: all rows start checked.
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CFeatureSelectionPropertyPage::kUncheckAll, BN_CLICKED), 0);
        pPage->m_list.SetCheck(openings.size() == 1 ? 7 : 1, 1);  // texts, then lines
        if (pSheet->m_switch.GetSafeHwnd() != nullptr) {
            pSheet->m_switch.SetCheck(BST_CHECKED);
            pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(CFeatureSelectionPropertySheet::kSwitch, BN_CLICKED), 0);
        }
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    timer->start();
    Command(kSelectFilterID);
    EXPECT_EQ(model->GetSelectionFilter()->GetSelectionFilterMode(), 1);
    EXPECT_EQ(model->GetSelectionFilter()->GetFeatureFilter().GetFeatureFilter(), 0x200u);
    EXPECT_EQ(model->GetUndoCount(), 0) << "the filter is view state";

    // Select by filter narrows a selection of both to the line; its sheet has no switch.
    SelectionFilter off(*model->GetSelectionFilter());
    off.SetSelectionFilterMode(0);
    model->SetSelectionFilter(off);
    CArray<FeatureLayout> both;
    both.Add(FeatureLayout(lineID, -1, -1));
    both.Add(FeatureLayout(textID, -1, -1));
    model->GetSelectionManager()->SelectFeatures(both, 4, nullptr, FALSE);
    Command(kSelectByFilterID);
    ASSERT_EQ(openings.size(), 2u);
    EXPECT_EQ(openings[0], 1);
    EXPECT_EQ(openings[1], 0);
    CArray<FeatureLayout> selected;
    model->GetSelectionManager()->GetSelectedFeatureList(selected);
    ASSERT_EQ(selected.GetSize(), 1);
    EXPECT_EQ(selected[0].GetRecordID(), lineID);
}

TEST_F(MeasureAndSettingsTest, PanAndRealtimeZoomShowTheirOwnCursors)
{
    struct Case {
        int mode;
        UINT cursor;
    };
    for (const Case& c : {Case{9, 432u}, Case{1, 433u}}) {
        m_manager->SetViewCommandMode(c.mode);
        view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view->GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ASSERT_NE(AfxLoadCursorResource(c.cursor), nullptr) << c.cursor;
        EXPECT_EQ(::GetCursor(), AfxLoadCursorResource(c.cursor)) << c.mode;
        m_manager->EndViewCommand();
    }
}
