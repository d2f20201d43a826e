// The edit commands end to end through the real program: lines in a new drawing, picked by clicks in the
// drawing view, then Move, Copy, Rotate with a typed angle, Trim, Offset, Delete, Fillet and Chamfer started
// as the Edit menu starts them, each checked and taken back with Undo from the menu. Lines drawn with the
// line command and picked by a window go into an array stopped by Escape; a scale typed as 0 or as a word is
// refused with its reason; the Del key deletes.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CCommandBar.h"
#include "command/CPropertyListCtrl.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/PropertyListItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/afx/CRect.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kMoveID = 33723;
constexpr UINT kCopyID = 33724;
constexpr UINT kRotateID = 33725;
constexpr UINT kScaleID = 33726;
constexpr UINT kArrayID = 33737;
constexpr UINT kLineID = 33412;
constexpr UINT kTrimID = 33753;
constexpr UINT kOffsetID = 33774;
constexpr UINT kDeleteID = 57632;
constexpr UINT kFilletID = 33763;
constexpr UINT kChamferID = 33764;
constexpr UINT kUndoID = 57643;
constexpr UINT kEndCommandID = 37101;

class EditCommandsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Clicks land where they are made.
        m_app->SetSnapEnabled(FALSE);
        m_app->SetSnapAngularEnabled(FALSE);
        doc = NewDrawing();
        ASSERT_NE(doc, nullptr);
        model = doc->GetDraw2dDocument();
        view = ActiveDrawView();
        ASSERT_NE(view, nullptr);
        draw = view->GetDraw2dView();
        CRect client;
        view->GetClientRect(&client);
        w = client.Width();
        h = client.Height();
        ASSERT_GT(w, 200);
        ASSERT_GT(h, 150);
        const long layer = model->AddLayer(_T("Edit"), -1);
        ASSERT_TRUE(model->SetCurrentLayerID(layer, 1));
        // A long horizontal line across two short upright ones.
        model->BeginUndoOperation(nullptr);
        line = AddLine(CPoint(w / 5, h / 2), CPoint(4 * w / 5, h / 2), layer);
        AddLine(CPoint(2 * w / 5, h / 4), CPoint(2 * w / 5, 3 * h / 4), layer);
        AddLine(CPoint(3 * w / 5, h / 4), CPoint(3 * w / 5, 3 * h / 4), layer);
        model->EndUndoOperation();
        model->ClearUndoRedoHistory();
    }
    long AddLine(const CPoint& a, const CPoint& b, long layer)
    {
        Line2dFeature l(World(a), World(b));
        l.SetLayerID(layer);
        return model->AddFeature(&l, model->GetActiveDrawingFeature(), 1);
    }
    RuVaPnt2d World(const CPoint& p) const { return draw->ConvertPointClientToWorld(p, TRUE); }
    const Line2dFeature* LineOf(long id) const { return dynamic_cast<const Line2dFeature*>(model->GetFeature(id)); }
    std::vector<long> Live() const
    {
        std::vector<long> ids;
        for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
            ids.push_back(id);
        return ids;
    }
    // The long line picked with a click where nothing else lies.
    void PickLine()
    {
        Click(view, CPoint(3 * w / 10, h / 2));
        ASSERT_EQ(model->GetSelectionManager()->GetSelectedFeatureCount(), 1);
    }
    void UndoAndCheck(int expectedCount)
    {
        const int undo = model->GetUndoCount();
        Command(kUndoID);
        EXPECT_EQ(model->GetUndoCount(), undo - 1);
        EXPECT_EQ(model->GetFeatureCount(), expectedCount);
        ASSERT_NE(LineOf(line), nullptr);
        EXPECT_LT(LineOf(line)->GetStartPoint().Distance(start0), 1e-9);
    }

    CQZ2Doc* doc = nullptr;
    Draw2dDocument* model = nullptr;
    CQZ2View* view = nullptr;
    Draw2dView* draw = nullptr;
    int w = 0, h = 0;
    long line = -1;
    RuVaPnt2d start0;
};

}  // namespace

TEST_F(EditCommandsTest, MoveCopyRotateTrimOffsetAndDeleteEachUndone)
{
    start0 = LineOf(line)->GetStartPoint();
    const double pixel = 1.0 / draw->GetScale();

    // Move: picked line, base point, destination 20 pixels up.
    PickLine();
    Command(kMoveID);
    Click(view, CPoint(w / 2, h / 8));
    Click(view, CPoint(w / 2, h / 8 - 20));
    EXPECT_FALSE(m_manager->HasActiveCommand());
    EXPECT_EQ(model->GetUndoCount(), 1);
    EXPECT_NEAR(LineOf(line)->GetStartPoint().Y() - start0.Y(), 20 * pixel, 1e-6);
    UndoAndCheck(3);

    // Copy: one copy per destination click while the shapes stay picked.
    Command(kCopyID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    PickLine();
    for (int i = 1; i <= 3; ++i) {
        if (i == 1)
            Click(view, CPoint(w / 2, h / 8));
        Click(view, CPoint(w / 2, h / 8 + 10 * i));
        EXPECT_EQ(model->GetFeatureCount(), 3 + i);
    }
    Command(kEndCommandID);
    for (int i = 3; i >= 1; --i)
        UndoAndCheck(2 + i);

    // Rotate: the angle typed into the command bar.
    PickLine();
    Command(kRotateID);
    Click(view, CPoint(w / 5, h / 2));
    TypeAndReturn(_T("30"));
    const Line2dFeature* pTurned = LineOf(line);
    const double angle = std::atan2(pTurned->GetEndPoint().Y() - pTurned->GetStartPoint().Y(),
                                    pTurned->GetEndPoint().X() - pTurned->GetStartPoint().X());
    EXPECT_NEAR(angle * 180.0 / M_PI, 30.0, 1e-6);
    UndoAndCheck(3);

    // Trim: the piece between the upright lines goes.
    Command(kTrimID);
    Click(view, CPoint(w / 2, h / 2));
    EXPECT_EQ(model->GetFeature(line), nullptr);
    EXPECT_EQ(model->GetFeatureCount(), 4);
    Command(kEndCommandID);
    UndoAndCheck(3);

    // Offset: the line picked, the distance typed, the side clicked.
    Command(kOffsetID);
    Click(view, CPoint(3 * w / 10, h / 2));
    TypeAndReturn(_T("5"));
    Click(view, CPoint(3 * w / 10, h / 8));
    ASSERT_EQ(model->GetFeatureCount(), 4);
    const Line2dFeature* pParallel = LineOf(Live().back());
    ASSERT_NE(pParallel, nullptr);
    EXPECT_NEAR(std::fabs(pParallel->GetStartPoint().Y() - start0.Y()), 5.0, 1e-6);
    Command(kEndCommandID);
    UndoAndCheck(3);

    // Delete.
    PickLine();
    Command(kDeleteID);
    EXPECT_EQ(model->GetFeature(line), nullptr);
    UndoAndCheck(3);

    // Nothing to save: the program ends without asking.
    doc->SetModifiedFlag(FALSE);
}

TEST_F(EditCommandsTest, FilletAndChamferOfTwoClickedLinesEachUndone)
{
    start0 = LineOf(line)->GetStartPoint();
    const double pixel = 1.0 / draw->GetScale();
    const long upright = Live()[1];
    const RuVaPnt2d corner = World(CPoint(2 * w / 5, h / 2));
    CString typed;
    typed.Format(_T("%.6f"), 10 * pixel);

    // Fillet: the radius typed into its row, then the long line and the left upright clicked on the parts
    // to keep.
    Command(kFilletID);
    ASSERT_TRUE(m_manager->HasActiveCommand());
    QZ2Command::CommandBase* pFillet = m_manager->GetActiveCommand();
    ASSERT_TRUE(m_manager->SetCurrentParameter(pFillet, pFillet->FindParameterIndex(2)));
    TypeAndReturn(typed);
    Click(view, CPoint(3 * w / 10, h / 2));
    Click(view, CPoint(2 * w / 5, 3 * h / 8));
    EXPECT_EQ(model->GetUndoCount(), 1);
    ASSERT_EQ(model->GetFeatureCount(), 4);
    EXPECT_NEAR(std::max(LineOf(line)->GetStartPoint().X(), LineOf(line)->GetEndPoint().X()),
                corner.X() - 10 * pixel, 1e-6);
    EXPECT_NEAR(std::min(LineOf(upright)->GetStartPoint().Y(), LineOf(upright)->GetEndPoint().Y()),
                corner.Y() + 10 * pixel, 1e-6);
    Command(kEndCommandID);
    UndoAndCheck(3);

    // Chamfer by one distance: the type chosen and the distance typed in their rows.
    Command(kChamferID);
    QZ2Command::CommandBase* pChamfer = m_manager->GetActiveCommand();
    ASSERT_NE(pChamfer, nullptr);
    ASSERT_TRUE(m_manager->SetCurrentParameter(pChamfer, pChamfer->FindParameterIndex(4)));
    TypeAndReturn(typed);
    Click(view, CPoint(3 * w / 10, h / 2));
    Click(view, CPoint(2 * w / 5, 3 * h / 8));
    EXPECT_EQ(model->GetUndoCount(), 1);
    EXPECT_EQ(model->GetFeatureCount(), 4);
    Command(kEndCommandID);
    UndoAndCheck(3);

    doc->SetModifiedFlag(FALSE);
}

TEST_F(EditCommandsTest, DrawnLinesPickedByAWindowAnArrayStoppedByEscapeAScaleRefusedAndTheDelKey)
{
    start0 = LineOf(line)->GetStartPoint();
    // Two lines drawn with the line command below the others, each its own step.
    Command(kLineID);
    const CPoint a(w / 10, 13 * h / 16), b(3 * w / 10, 13 * h / 16), c(w / 10, 14 * h / 16), d(3 * w / 10, 14 * h / 16);
    for (const CPoint& p : {a, b, c, d})
        Click(view, p);
    Command(kEndCommandID);
    ASSERT_EQ(model->GetFeatureCount(), 5);
    EXPECT_EQ(model->GetUndoCount(), 2);
    const std::vector<long> drawn = {Live()[3], Live()[4]};
    ASSERT_NE(LineOf(drawn[0]), nullptr);
    EXPECT_LT(LineOf(drawn[0])->GetStartPoint().Distance(World(a)), 1e-9);
    EXPECT_LT(LineOf(drawn[1])->GetEndPoint().Distance(World(d)), 1e-9);
    model->ClearUndoRedoHistory();

    // A window from one empty corner to the other picks both and nothing else.
    Click(view, CPoint(w / 20, 25 * h / 32));
    Click(view, CPoint(7 * w / 20, 15 * h / 16));
    Pump();
    ASSERT_EQ(model->GetSelectionManager()->GetSelectedFeatureCount(), 2);

    // A 20 x 20 array of them, stopped by Escape while it copies: nothing added, nothing to redo, the reason shown.
    Command(kArrayID);
    QZ2Command::CommandBase* pArray = m_manager->GetActiveCommand();
    ASSERT_NE(pArray, nullptr);
    for (const auto& [item, text] : {std::pair<WORD, LPCTSTR>{1, _T("20")}, {2, _T("20")}, {4, _T("3")}}) {
        ASSERT_TRUE(m_manager->SetCurrentParameter(pArray, pArray->FindParameterIndex(item)));
        TypeAndReturn(text);
    }
    ASSERT_EQ(model->GetFeatureCount(), 5);
    view->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    m_manager->SetParameterText(pArray->FindParameterIndex(5), _T("3"), TRUE);
    Pump();
    EXPECT_EQ(model->GetFeatureCount(), 5);
    EXPECT_EQ(model->GetUndoCount(), 0);
    EXPECT_EQ(model->GetRedoCount(), 0);
    EXPECT_EQ(m_frame->GetPendingInformation(), LoadResourceString(11120));
    m_manager->CancelAllCommands();

    // Scale: 0 and a word are refused with what the row takes; the text stays for correction; 2 scales.
    PickLine();
    Command(kScaleID);
    QZ2Command::CommandBase* pScale = m_manager->GetActiveCommand();
    ASSERT_NE(pScale, nullptr);
    Click(view, CPoint(w / 5, h / 2));
    CPropertyListCtrl& rows = m_frame->GetCommandBar()->GetList();
    for (const auto& [text, reason] : {std::pair<LPCTSTR, UINT>{_T("0"), 12984}, {_T("1e-11, 1"), 12984}, {_T("half"), 12983}}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        m_frame->SetStatusInformation(u"", 0);
        TypeAndReturn(text);
        EXPECT_EQ(m_frame->GetPendingInformation(), LoadResourceString(reason));
        EXPECT_EQ(m_manager->GetActiveCommand(), pScale);
        EXPECT_EQ(model->GetUndoCount(), 0);
        EXPECT_LT(LineOf(line)->GetStartPoint().Distance(start0), 1e-12);
        PropertyListItem* pRow = rows.GetCurItem();
        ASSERT_NE(pRow, nullptr);
        ASSERT_NE(pRow->GetEditor(), nullptr);
        CString shown;
        pRow->GetEditor()->GetWindowText(shown);
        EXPECT_EQ(shown, CString(text));
    }
    TypeAndReturn(_T("2"));
    EXPECT_EQ(model->GetUndoCount(), 1);
    EXPECT_NEAR(LineOf(line)->GetEndPoint().Distance(LineOf(line)->GetStartPoint()),
                2 * World(CPoint(w / 5, h / 2)).Distance(World(CPoint(4 * w / 5, h / 2))), 1e-6);
    UndoAndCheck(5);

    // The Del key, through the program's keys, deletes the picked line.
    PickLine();
    MSG del{};
    del.hwnd = view->GetSafeHwnd();
    del.message = WM_KEYDOWN;
    del.wParam = VK_DELETE;
    EXPECT_TRUE(m_app->PreTranslateMessage(&del));
    Pump();
    EXPECT_EQ(model->GetFeature(line), nullptr);
    EXPECT_EQ(model->GetUndoCount(), 1);
    UndoAndCheck(5);

    doc->SetModifiedFlag(FALSE);
}
