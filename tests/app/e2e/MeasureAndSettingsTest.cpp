// Measuring, the user origin, the grid and the selection filter end to end through the real program:
// commands sent as the menus send them, points clicked in the drawing view, the result dialog answered
// from a timer as the user would.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QStringList>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandParameter.h"
#include "command/ParameterItemBase.h"
#include "command/CommandManager.h"
#include "commands/edit/CFeatureSelectionFeaturePropertyPage.h"
#include "commands/edit/CFeatureSelectionPropertySheet.h"
#include "commands/edit/CGridSettingDialog.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "tests/commands/edit/MeasureResultProbe.h"
#include "commands/edit/MeasureArea2dCommand.h"
#include "commands/shape/CAttributeDialog.h"
#include "controls/CGridCtrl.h"
#include "controls/GridCellNotify.h"
#include "controls/GridRowItem.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CGeneralFeatureSettingPage.h"
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
constexpr UINT kMeasureAreaID = 34735;
constexpr UINT kGridSettingID = 34638;
constexpr UINT kAttributesID = 33632;
constexpr UINT kChangeShapeSettingID = 33823;
constexpr UINT kLineID = 33412;
constexpr double kPi = 3.14159265358979323846;

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
    // The program started again over the same settings store, with a new drawing.
    void Restart()
    {
        timer.reset();
        Stop();
        ASSERT_TRUE(Start());
        m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
        ASSERT_NE(m_frame, nullptr);
        m_manager = m_app->GetCommandManager();
        m_app->SetSnapEnabled(FALSE);
        m_app->SetSnapAngularEnabled(FALSE);
        doc = NewDrawing();
        ASSERT_NE(doc, nullptr);
        model = doc->GetDraw2dDocument();
        view = ActiveDrawView();
        ASSERT_NE(view, nullptr);
        draw = view->GetDraw2dView();
    }
    // The document as it would be saved.
    QByteArray Archived() const
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            model->SaveToArchive(ar, doc->GetViewInfo(), 0);
            ar.Close();
        }
        QByteArray bytes(static_cast<qsizetype>(file.GetLength()), '\0');
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }
    long Add(const Feature2dBase& feature)
    {
        std::unique_ptr<Feature2dBase> copy(feature.CopyObject());
        copy->SetLayerID(model->GetCurrentLayerID());
        return model->AddFeature(copy.get(), model->GetActiveDrawingFeature(), 1);
    }
    void Select(std::initializer_list<long> ids)
    {
        CArray<FeatureLayout> list;
        for (long id : ids)
            list.Add(FeatureLayout(id, -1, -1));
        model->GetSelectionManager()->SelectFeatures(list, 4, nullptr, FALSE);
    }
    void Key(UINT vk) { view->SendMessage(WM_KEYDOWN, vk, 1); Pump(); }
    // The alternative of the running command's parameter that holds the item.
    bool Choose(int nParameter, WORD wItem)
    {
        QZ2Command::CommandBase* pRunning = m_manager->GetActiveCommand();
        const QZ2Command::CommandParameter* pParameter = pRunning != nullptr ? pRunning->GetParameter(nParameter) : nullptr;
        for (int i = 0; pParameter != nullptr && i < pParameter->GetItemCount(); ++i)
            if (pParameter->GetItem(i)->GetId() == wItem)
                return pParameter->GetCurrentIndex() == i || m_manager->SetParameterAlternative(pRunning, nParameter, i);
        return false;
    }
    static bool IsRowRed(CMeasureResultDialog& d, int nRow) { return kctest::IsMeasureRowRed(d, nRow); }
    static CString ClipboardText() { return kctest::ClipboardUnicodeText(); }
    static double Number(const CString& text) { return QString::fromUtf16(text).toDouble(); }
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

TEST_F(MeasureAndSettingsTest, LengthByTwoClicksCopiesAndKeepsTheChosenPrecisionAfterARestart)
{
    CString copied;
    AnswerWith([&copied](CMeasureResultDialog& d) {
        auto* pList = static_cast<CListCtrl*>(d.GetDlgItem(CMeasureResultDialog::kResultList));
        for (int i = 0; i < pList->GetItemCount(); ++i)
            pList->SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CMeasureResultDialog::kCopyButton, BN_CLICKED), 0);
        copied = ClipboardText();
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
    // Copy gave every selected row as "caption TAB value", one a line.
    const double length = World(CPoint(100, 100)).Distance(World(CPoint(160, 100)));
    const QStringList lines = copied.ToQString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << copied.ToQString().toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Length\t")));
    EXPECT_NEAR(lines[0].section(QLatin1Char('\t'), 1).toDouble(), length, 0.001);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("DX\t")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("DY\t")));
    Command(kEndCommandID);
    EXPECT_EQ(model->GetUndoCount(), 0) << "measuring changes nothing";

    // The precision chosen with OK is the one of the next length, after a restart too.
    Restart();
    if (HasFatalFailure())
        return;
    AnswerWith([](CMeasureResultDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    Command(kMeasureLengthID);
    Click(view, CPoint(100, 100));
    Click(view, CPoint(100, 160));
    ASSERT_EQ(shown.size(), 2u);
    const CString value = shown[1][0].Mid(7);
    ASSERT_GE(value.Find(_T('.')), 0);
    EXPECT_EQ(value.GetLength() - value.Find(_T('.')) - 1, 1) << QString::fromUtf16(value).toStdString();
    Command(kEndCommandID);
}

TEST_F(MeasureAndSettingsTest, CoordinatesAfterTheUserOriginMovedShowTheRelativeRowInRed)
{
    Command(kUserOriginID);
    Click(view, CPoint(120, 120));
    Command(kEndCommandID);
    ASSERT_EQ(model->GetUndoCount(), 1);
    std::vector<bool> red;
    AnswerWith([&red](CMeasureResultDialog& d) {
        red.push_back(IsRowRed(d, 0));
        red.push_back(d.GetRowCount() > 1 && IsRowRed(d, 1));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(kMeasureCoordinatesID);
    Click(view, CPoint(180, 90));
    Command(kEndCommandID);
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].size(), 2u);
    EXPECT_EQ(shown[0][0].Left(24), CString(_T("Relative to user origin=")));
    EXPECT_EQ(shown[0][1].Left(12), CString(_T("Coordinates=")));
    ASSERT_EQ(red.size(), 2u);
    EXPECT_TRUE(red[0]) << "the relative row is red";
    EXPECT_FALSE(red[1]);
    // The relative row is the point less the origin.
    const RuVaPnt2d p = World(CPoint(180, 90));
    const RuVaPnt2d o = World(CPoint(120, 120));
    const QStringList xy = shown[0][0].Mid(24).ToQString().split(QStringLiteral(", "));
    ASSERT_EQ(xy.size(), 2);
    EXPECT_NEAR(xy[0].toDouble(), p.X() - o.X(), 0.001);
    EXPECT_NEAR(xy[1].toDouble(), p.Y() - o.Y(), 0.001);
    EXPECT_EQ(model->GetUndoCount(), 1) << "measuring changes nothing";
}

TEST_F(MeasureAndSettingsTest, AreaOfAClickedTriangleACircleAndAnOutlineOfLinesAndAnArc)
{
    // A circle picked on its edge, and a half disc of a line and an arc found around a click inside it.
    const RuVaPnt2d centre = World(CPoint(300, 200));
    const double r = centre.Distance(World(CPoint(340, 200)));
    Add(Circle2dFeature(centre, r));
    const RuVaPnt2d middle = World(CPoint(500, 250));
    const double half = middle.Distance(World(CPoint(560, 250)));
    Add(Line2dFeature(RuVaPnt2d(middle.X() - half, middle.Y()), RuVaPnt2d(middle.X() + half, middle.Y())));
    Add(Arc2dFeature(middle, half, 0, 180));
    model->ClearUndoRedoHistory();
    const QByteArray before = Archived();
    AnswerWith([](CMeasureResultDialog& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });

    Command(kMeasureAreaID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    ASSERT_TRUE(Choose(0, QZ2Command::MeasureArea2dCommand::itemPoints));
    const CPoint corners[] = {CPoint(100, 300), CPoint(200, 300), CPoint(100, 200)};
    for (const CPoint& p : corners)
        Click(view, p);
    Key(VK_RETURN);
    ASSERT_EQ(shown.size(), 1u);
    const RuVaPnt2d a = World(corners[0]);
    const RuVaPnt2d b = World(corners[1]);
    const RuVaPnt2d c = World(corners[2]);
    const double triangle = std::abs((b.X() - a.X()) * (c.Y() - a.Y()) - (c.X() - a.X()) * (b.Y() - a.Y())) / 2;
    EXPECT_EQ(shown[0][0].Left(5), CString(_T("Area=")));
    EXPECT_NEAR(Number(shown[0][0].Mid(5)), triangle, 0.001);

    ASSERT_TRUE(Choose(0, QZ2Command::MeasureArea2dCommand::itemShape));
    Click(view, CPoint(340, 200));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(Number(shown[1][0].Mid(5)), kPi * r * r, 0.001) << "a circle is exact";

    ASSERT_TRUE(Choose(0, QZ2Command::MeasureArea2dCommand::itemInnerPoint));
    Click(view, CPoint(500, 230));
    ASSERT_EQ(shown.size(), 3u);
    // The arc is divided into equal steps: the polygon lies inside, within a small part of the area.
    const double exact = kPi * half * half / 2;
    const double found = Number(shown[2][0].Mid(5));
    EXPECT_LE(found, exact + 0.001);
    EXPECT_NEAR(found, exact, exact * 1e-3);
    Command(kEndCommandID);
    EXPECT_EQ(model->GetUndoCount(), 0);
    EXPECT_EQ(Archived(), before) << "measuring changes nothing";
}

TEST_F(MeasureAndSettingsTest, GridPickOriginThenOkIsOneStepAndCancelLeavesTheDrawing)
{
    const QByteArray before = Archived();
    WhenModal<CGridSettingDialog>([](CGridSettingDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CGridSettingDialog::kPickOrigin, BN_CLICKED), 0);
    });
    CString originShown;
    WhenModal<CGridSettingDialog>([&originShown](CGridSettingDialog& d) {
        CString x;
        CString y;
        d.GetDlgItem(CGridSettingDialog::kOriginX)->GetWindowText(x);
        d.GetDlgItem(CGridSettingDialog::kOriginY)->GetWindowText(y);
        originShown = x + _T(";") + y;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(kGridSettingID);
    ASSERT_TRUE(m_manager->HasActiveCommand()) << "the origin is picked in the view";
    EXPECT_FALSE(draw->GetGridVisible() && model->GetActiveDrawingFeature()->GetGridSetting()->IsShowGrid());
    EXPECT_EQ(Archived(), before) << "hiding the grid while picking is no change";
    Click(view, CPoint(150, 150));
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_FALSE(m_manager->HasActiveCommand());
    const RuVaPnt2d picked = World(CPoint(150, 150));
    EXPECT_LT(model->GetActiveDrawingFeature()->GetGridSetting()->GetOrigin().Distance(picked), 1e-6);
    EXPECT_FALSE(originShown.IsEmpty());
    EXPECT_EQ(model->GetUndoCount(), 1);
    model->Undo(1);
    EXPECT_EQ(Archived(), before) << "Undo restores the drawing";

    WhenModal<CGridSettingDialog>([](CGridSettingDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CGridSettingDialog::kPickOrigin, BN_CLICKED), 0);
    });
    WhenModal<CGridSettingDialog>([](CGridSettingDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(kGridSettingID);
    Click(view, CPoint(200, 120));
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(model->GetUndoCount(), 0);
    EXPECT_EQ(Archived(), before) << "Cancel leaves the drawing";
}

TEST_F(MeasureAndSettingsTest, WindowZoomAndPanWhileTheLineCommandWaits)
{
    Command(kLineID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    const RuVaPnt2d start = World(CPoint(50, 50));
    Click(view, CPoint(50, 50));
    const double scale = draw->GetScale();

    // A window zoom of two clicks, then a pan by a drag.
    m_manager->SetViewCommandMode(2);
    Click(view, CPoint(100, 100));
    Click(view, CPoint(300, 250));
    EXPECT_EQ(m_manager->GetViewCommandMode(), 0);
    EXPECT_GT(draw->GetScale(), scale);
    m_manager->SetViewCommandMode(9);
    const RuVaPnt2d grabbed = World(CPoint(200, 200));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(230, 180));
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(230, 180));
    Pump();
    m_manager->EndViewCommand();
    EXPECT_LT(World(CPoint(230, 180)).Distance(grabbed), 2.0 / draw->GetScale()) << "the grabbed point follows the mouse";
    EXPECT_EQ(model->GetFeatureCount(), 0) << "the view clicks went to no command";

    // The line command takes the next click.
    ASSERT_TRUE(m_manager->HasActiveCommand());
    const RuVaPnt2d end = World(CPoint(250, 220));
    Click(view, CPoint(250, 220));
    Command(kEndCommandID);
    ASSERT_EQ(model->GetFeatureCount(), 1);
    const auto* pLine = dynamic_cast<const Line2dFeature*>(model->GetFeature(model->GetNextFeatureRecordID(-1)));
    ASSERT_NE(pLine, nullptr);
    EXPECT_LT(pLine->GetStartPoint().Distance(start), 1e-6);
    EXPECT_LT(pLine->GetEndPoint().Distance(end), 1e-6);
}

TEST_F(MeasureAndSettingsTest, AttributesOfTwoShapesAreOneUndoStep)
{
    Line2dFeature first(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    FeatureAttribute list;
    list.AddAttribute(_T("Part"), _T("1"), 0);
    first.SetAttribute(list);
    const long a = Add(first);
    Line2dFeature second(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5));
    FeatureAttribute other;
    other.AddAttribute(_T("Part"), _T("2"), 0);
    second.SetAttribute(other);
    const long b = Add(second);
    model->ClearUndoRedoHistory();
    const QByteArray before = Archived();
    CString shown;
    WhenModal<CAttributeDialog>([&shown](CAttributeDialog& d) {
        // The name is shown once; the values differ and show empty.
        CGridCtrl& grid = d.GetGrid();
        int row = -1;
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            COleVariant name;
            grid.GetCellValue(r, 1, &name);
            if (name.GetString() == CString(_T("Part")))
                row = r;
        }
        ASSERT_GE(row, 0);
        COleVariant value;
        grid.GetCellValue(row, 2, &value);
        shown = value.GetString();
        GridCellNotify notify{};
        notify.hdr.hwndFrom = grid.GetSafeHwnd();
        notify.hdr.idFrom = CAttributeDialog::kGrid;
        notify.nRow = row;
        notify.nColumn = 2;
        const COleVariant typed{CString(_T("A-7"))};
        notify.hdr.code = GridCellNotify::kValueChanging;
        VariantCopy(&notify.value, &typed);
        const LRESULT refused = d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
        VariantClear(&notify.value);
        ASSERT_EQ(refused, 0);
        grid.SetCellValue(row, 2, &typed);
        notify.hdr.code = GridCellNotify::kCellChanged;
        d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Select({a, b});
    Command(kAttributesID);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(shown, CString());
    for (long id : {a, b}) {
        const FeatureAttribute* pList = model->GetFeature(id)->GetAttribute();
        ASSERT_NE(pList, nullptr) << id;
        const int index = pList->FindAttribute(_T("Part"));
        ASSERT_GE(index, 0) << id;
        EXPECT_EQ(pList->GetAttributeValue(index), CString(_T("A-7")));
    }
    EXPECT_EQ(model->GetUndoCount(), 1);
    model->Undo(1);
    EXPECT_EQ(Archived(), before);
}

TEST_F(MeasureAndSettingsTest, AColourChangeOfLinesBesideATextLeavesTheTextAndTheAttributes)
{
    Line2dFeature first(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    first.SetColorNo(1);
    FeatureAttribute list;
    list.AddAttribute(_T("Part"), _T("7"), 0);
    first.SetAttribute(list);
    const long a = Add(first);
    Line2dFeature second(RuVaPnt2d(0, 5), RuVaPnt2d(10, 5));
    second.SetColorNo(2);
    const long b = Add(second);
    Text2dFeature text(_T("ABC"), RuVaPnt2d(0, 10));
    const long t = Add(text);
    model->ClearUndoRedoHistory();
    const QByteArray before = Archived();
    const std::unique_ptr<Feature2dBase> textBefore(model->GetFeature(t)->CopyObject());
    WhenModal<CFeatureSettingTreeDialog>([](CFeatureSettingTreeDialog& d) {
        d.SelectPage(CFeatureSettingPropertyPage::kGeneralPage);
        auto* pPage = static_cast<CGeneralFeatureSettingPage*>(d.GetPage(CFeatureSettingPropertyPage::kGeneralPage));
        ASSERT_NE(pPage, nullptr);
        pPage->m_colorList.SetColorNo(5);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Select({a, b, t});
    Command(kChangeShapeSettingID);
    EXPECT_EQ(PendingModalActions(), 0u);
    EXPECT_EQ(model->GetFeature(a)->GetColorNo(), 5);
    EXPECT_EQ(model->GetFeature(b)->GetColorNo(), 5);
    EXPECT_EQ(model->GetFeature(t)->GetColorNo(), textBefore->GetColorNo()) << "the text is untouched";
    EXPECT_EQ(static_cast<const Text2dFeature*>(model->GetFeature(t))->GetHeight(),
              static_cast<const Text2dFeature*>(textBefore.get())->GetHeight());
    ASSERT_NE(model->GetFeature(a)->GetAttribute(), nullptr);
    EXPECT_EQ(model->GetFeature(a)->GetAttribute()->GetAttributeValue(0), CString(_T("7")));
    EXPECT_EQ(model->GetUndoCount(), 1);
    model->Undo(1);
    EXPECT_EQ(Archived(), before);
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
