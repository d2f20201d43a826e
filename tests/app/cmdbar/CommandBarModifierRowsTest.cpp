// The command bar of the running program showing a modifier's inputs as rows under the parameter
// it works for: the rows appear, follow the input, take typed text and go again when the modifier
// ends, while the parameter rows keep their numbers.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QWidget>

#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CCommandBar.h"
#include "command/PropertyListItem.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/ParameterItemBase.h"
#include "command/ParameterModifierBase.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kLineID = 33412;
// The frame's length-from-two-points button.
constexpr UINT kLengthOf2Points = 37152;
// The line command's parameters.
constexpr int kStart = 0;
constexpr int kEnd = 1;
constexpr int kLength = 2;
constexpr int kAngle = 3;

class CommandBarModifierRowsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_bar = m_frame->GetCommandBar();
        ASSERT_NE(m_bar, nullptr);
        ASSERT_NE(m_bar->GetList().GetSafeHwnd(), nullptr);
        Pump();
        ASSERT_NE(NewDrawing(), nullptr);
        // A line with its start point given; the length then takes a length from two points.
        ASSERT_TRUE(m_manager->ExecuteCommand(kLineID));
        Pump();
        m_line = m_manager->GetActiveCommand();
        ASSERT_NE(m_line, nullptr);
        ASSERT_EQ(m_line->GetParameterCount(), 4);
        ASSERT_EQ(m_line->GetParameter(kLength)->GetCurrentItem()->GetTypeCode(), 2);
        ASSERT_TRUE(m_bar->EnterText(u"10,20"));
        Pump();
        ASSERT_EQ(m_line->GetCurrentParameterIndex(), kEnd);
    }

    void AttachLengthModifier()
    {
        Command(kLengthOf2Points);
        ASSERT_TRUE(m_line->HasModifier());
        ASSERT_EQ(m_line->GetCurrentParameterIndex(), kLength);
    }

    // The list's own selection and the bar's agree.
    int ListSelection() const { return m_bar->GetList().GetCurSel(); }

    std::vector<UINT> Buttons() const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < m_bar->GetToolBar().GetCount(); ++i)
            ids.push_back(m_bar->GetToolBar().GetItemID(i));
        return ids;
    }

    double LengthValue() const
    {
        const auto* pLength =
            dynamic_cast<const QZ2Command::LengthParameterItem*>(m_line->GetParameter(kLength)->GetCurrentItem());
        double value = -1.0;
        if (pLength == nullptr || pLength->IsEmpty() || !pLength->GetValue(value))
            return -1.0;
        return value;
    }

    CCommandBar* m_bar = nullptr;
    QZ2Command::CommandBase* m_line = nullptr;
};

TEST_F(CommandBarModifierRowsTest, LengthFromTwoTypedPointsShowsItsInputsUnderTheLengthRowUntilTheLengthIsGiven)
{
    AttachLengthModifier();
    const QZ2Command::ParameterModifierBase* pModifier = m_line->GetActiveModifier();
    ASSERT_NE(pModifier, nullptr);
    ASSERT_EQ(pModifier->GetInputCount(), 2);

    // The length row, then the modifier's name, then its two inputs, then the angle row.
    ASSERT_EQ(m_bar->GetRowCount(), 7);
    ASSERT_EQ(m_bar->GetList().GetItemCount(), 7);
    EXPECT_EQ(m_bar->GetParameterRowCount(), 4);
    const int header = kLength + 1;
    EXPECT_TRUE(m_bar->IsHeaderRow(header));
    EXPECT_EQ(m_bar->GetRowCaption(header), pModifier->GetName());
    EXPECT_EQ(m_bar->GetList().GetItem(header)->GetCaption(), pModifier->GetName());
    for (int input = 0; input < 2; ++input) {
        const int row = header + 1 + input;
        EXPECT_TRUE(m_bar->IsSubRow(row));
        EXPECT_FALSE(m_bar->IsHeaderRow(row));
        EXPECT_EQ(m_bar->GetRowParameter(row), kLength);
        EXPECT_EQ(m_bar->GetRowModifierInput(row), input);
        EXPECT_EQ(m_bar->FindModifierInputRow(input), row);
        EXPECT_EQ(m_bar->GetRowCaption(row), pModifier->GetInputItem(input)->m_strCaption);
        EXPECT_FALSE(m_bar->GetRowCaption(row).IsEmpty());
        EXPECT_NE(m_bar->GetList().GetItem(row)->GetCaption().Find(pModifier->GetInputItem(input)->m_strCaption), -1);
        EXPECT_TRUE(m_bar->GetRowValueText(row).IsEmpty());
    }
    // The parameter rows keep their numbers below the modifier's rows.
    EXPECT_EQ(m_bar->FindParameterRow(kLength), kLength);
    EXPECT_EQ(m_bar->FindParameterRow(kAngle), 6);
    EXPECT_EQ(m_bar->GetRowParameter(6), kAngle);
    EXPECT_EQ(m_bar->GetRowModifierInput(6), -1);
    // An optional parameter's caption stands in parentheses.
    EXPECT_EQ(m_bar->GetRowCaption(6), CString(u"(") + m_line->GetParameter(kAngle)->GetCurrentItem()->m_strCaption + CString(u")"));

    // The first input waits: its row is selected, and the toolbar has no type buttons for it.
    EXPECT_EQ(pModifier->GetInputIndex(), 0);
    EXPECT_EQ(m_bar->GetSelectedRow(), header + 1);
    EXPECT_EQ(ListSelection(), header + 1);
    EXPECT_EQ(Buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37105}));

    // The first point fills its row and the second input's row becomes the selected one.
    EXPECT_TRUE(m_bar->EnterText(u"0,0"));
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_FALSE(m_bar->GetRowValueText(header + 1).IsEmpty());
    EXPECT_FALSE(m_bar->GetList().GetItem(header + 1)->GetValueText().IsEmpty());
    EXPECT_EQ(m_line->GetActiveModifier()->GetInputIndex(), 1);
    EXPECT_EQ(m_bar->GetSelectedRow(), header + 2);
    EXPECT_EQ(ListSelection(), header + 2);
    EXPECT_TRUE(m_bar->GetRowValueText(kLength).IsEmpty());

    // The second point gives the length: the modifier's rows go and the length row shows 5.
    TypeAndReturn(u"3,4");
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_EQ(m_bar->GetList().GetItemCount(), 4);
    EXPECT_FALSE(m_bar->IsSubRow(kLength + 1));
    EXPECT_DOUBLE_EQ(LengthValue(), 5.0);
    const CString shown = m_bar->GetRowValueText(kLength);
    EXPECT_FALSE(shown.IsEmpty());
    EXPECT_EQ(shown, CCommandBar::FormatItem(m_line->GetParameter(kLength)->GetCurrentItem()));
    EXPECT_EQ(m_bar->GetList().GetItem(kLength)->GetValueText(), shown);
    EXPECT_EQ(shown.Left(1), CString(u"5"));
    // The selection is on a parameter row again, the one the command waits for.
    EXPECT_EQ(m_bar->GetSelectedRow(), m_bar->FindParameterRow(m_line->GetCurrentParameterIndex()));
    EXPECT_EQ(m_manager->GetActiveCommand(), m_line);
}

TEST_F(CommandBarModifierRowsTest, ClicksInTheViewFillTheModifierRows)
{
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    AttachLengthModifier();
    const int first = m_bar->FindModifierInputRow(0);
    Click(pView, CPoint(100, 100));
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    const QZ2Command::ParameterItemBase* pGiven = m_line->GetActiveModifier()->GetInputItem(0);
    ASSERT_FALSE(pGiven->IsEmpty());
    EXPECT_EQ(m_bar->GetRowValueText(first), CCommandBar::FormatItem(pGiven));
    EXPECT_FALSE(m_bar->GetRowValueText(first).IsEmpty());
    EXPECT_EQ(m_bar->GetSelectedRow(), first + 1);
    Click(pView, CPoint(260, 180));
    Pump();
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_GT(LengthValue(), 0.0);
    EXPECT_FALSE(m_bar->GetRowValueText(kLength).IsEmpty());
}

TEST_F(CommandBarModifierRowsTest, PointRowsShowPointsRelativeToTheUserOriginAndModifierRowsInTheDrawing)
{
    CMDIChildWnd* pChild = m_frame->MDIGetActive();
    auto* pDoc = dynamic_cast<CQZ2Doc*>(pChild->GetActiveDocument());
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_TRUE(pModel->SetDrawingUserOrigin(pModel->GetActiveDrawingID(), RuVaPnt2d(100, 50), 1));
    Pump();
    ASSERT_EQ(m_manager->GetActiveCommand(), m_line);
    auto shown = [](double x, double y) {
        QZ2Command::PointParameterItem point;
        point.SetValue(RuVaPnt2d(x, y));
        return CCommandBar::FormatItem(&point);
    };
    ASSERT_NE(shown(10, 20), shown(110, 70));
    // A start point typed as the user sees it is kept in the drawing and shown as typed.
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kStart));
    ASSERT_TRUE(m_bar->EnterText(u"10,20"));
    Pump();
    const auto* pStart =
        dynamic_cast<const QZ2Command::PointParameterItem*>(m_line->GetParameter(kStart)->GetCurrentItem());
    ASSERT_NE(pStart, nullptr);
    ASSERT_FALSE(pStart->IsEmpty());
    EXPECT_DOUBLE_EQ(pStart->m_point.X(), 110.0);
    EXPECT_DOUBLE_EQ(pStart->m_point.Y(), 70.0);
    EXPECT_EQ(m_bar->GetRowValueText(kStart), shown(10, 20));
    EXPECT_EQ(m_bar->GetList().GetItem(kStart)->GetValueText(), shown(10, 20));

    // A modifier's point is typed and shown in the drawing's own coordinates.
    AttachLengthModifier();
    ASSERT_TRUE(m_bar->EnterText(u"10,20"));
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowValueText(m_bar->FindModifierInputRow(0)), shown(10, 20));
}

TEST_F(CommandBarModifierRowsTest, ModifierRowsTakeTheSelectionTypedTextAndEscape)
{
    AttachLengthModifier();
    const int first = m_bar->FindModifierInputRow(0);
    const int second = m_bar->FindModifierInputRow(1);
    ASSERT_GT(first, kLength);
    ASSERT_EQ(second, first + 1);

    // A sub-row picked in the list makes its input the current one.
    m_bar->GetList().SetCurSel(second);
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_line->GetActiveModifier()->GetInputIndex(), 1);
    EXPECT_EQ(m_bar->GetSelectedRow(), second);
    EXPECT_EQ(m_line->GetCurrentParameterIndex(), kLength);

    // Text the input cannot take is refused and kept selected; the input stays empty.
    EXPECT_FALSE(m_bar->EnterText(u"no point"));
    CString kept;
    ASSERT_NE(m_bar->GetList().GetCurItem()->GetEditor(), nullptr);
    m_bar->GetList().GetCurItem()->GetEditor()->GetWindowText(kept);
    EXPECT_EQ(kept, CString(u"no point"));
    EXPECT_TRUE(m_line->GetActiveModifier()->GetInputItem(1)->IsEmpty());
    m_bar->EscapeInput();  // undoes the refused text only
    ASSERT_TRUE(m_line->HasModifier());

    // A point for the second input, typed while its row is selected, goes there.
    EXPECT_TRUE(m_bar->EnterText(u"7,8"));
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_FALSE(m_line->GetActiveModifier()->GetInputItem(1)->IsEmpty());
    EXPECT_TRUE(m_line->GetActiveModifier()->GetInputItem(0)->IsEmpty());
    EXPECT_FALSE(m_bar->GetRowValueText(second).IsEmpty());

    // Escape on an input with a value empties it; on the empty input it removes the modifier.
    ASSERT_TRUE(m_bar->SelectModifierRow(1));
    m_bar->EscapeInput();
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_TRUE(m_line->GetActiveModifier()->GetInputItem(1)->IsEmpty());
    EXPECT_TRUE(m_bar->GetRowValueText(second).IsEmpty());
    ASSERT_TRUE(m_bar->SelectModifierRow(1));
    m_bar->EscapeInput();
    Pump();
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_EQ(m_bar->GetList().GetItemCount(), 4);
    EXPECT_EQ(m_bar->GetSelectedRow(), kLength);
    EXPECT_EQ(ListSelection(), kLength);
    // The command goes on.
    EXPECT_EQ(m_manager->GetActiveCommand(), m_line);
    EXPECT_TRUE(LengthValue() < 0.0);
}

TEST_F(CommandBarModifierRowsTest, PickingAnotherParameterRowEndsTheModifierAndReachesThatParameter)
{
    AttachLengthModifier();
    ASSERT_EQ(m_bar->GetRowCount(), 7);
    // The angle row sits below the modifier's rows but is still parameter 3.
    const int angleRow = m_bar->FindParameterRow(kAngle);
    ASSERT_EQ(angleRow, 6);
    m_bar->GetList().SetCurSel(angleRow);
    Pump();
    EXPECT_EQ(m_line->GetCurrentParameterIndex(), kAngle);
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_EQ(m_bar->GetSelectedRow(), kAngle);
    EXPECT_EQ(ListSelection(), kAngle);
    EXPECT_EQ(m_bar->GetItemType(), 3);

    // A typed angle reaches the angle, not a row number shifted by the modifier's rows.
    EXPECT_TRUE(m_bar->EnterText(u"30"));
    Pump();
    EXPECT_FALSE(m_bar->GetRowValueText(kAngle).IsEmpty());
    EXPECT_TRUE(m_bar->GetRowValueText(kLength).IsEmpty());
}

TEST_F(CommandBarModifierRowsTest, AModifierSetOnANamedParameterShowsItsRowsThere)
{
    // Attached to the length while the end point is current.
    EXPECT_FALSE(m_manager->SetParameterModifier(kLength, 1));
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 7);
    EXPECT_TRUE(m_bar->IsHeaderRow(kLength + 1));
    EXPECT_EQ(m_bar->GetRowParameter(m_bar->FindModifierInputRow(1)), kLength);
    EXPECT_EQ(m_bar->GetSelectedRow(), m_bar->FindModifierInputRow(0));
    // A code that does not fit the parameter ends the modifier and attaches none.
    EXPECT_FALSE(m_manager->SetParameterModifier(kLength, 20));
    Pump();
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
}

TEST_F(CommandBarModifierRowsTest, ArrowKeysOnTheListStepOverTheModifierHeader)
{
    AttachLengthModifier();
    const int first = m_bar->FindModifierInputRow(0);
    QWidget* pInput = m_bar->GetList().GetQWidget();
    ASSERT_NE(pInput, nullptr);
    auto key = [pInput](Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(pInput, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QCoreApplication::sendEvent(pInput, &release);
        Pump();
    };
    m_bar->GetList().SetFocus();
    Pump();
    key(Qt::Key_Down);
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_line->GetActiveModifier()->GetInputIndex(), 1);
    EXPECT_EQ(m_bar->GetSelectedRow(), first + 1);
    key(Qt::Key_Up);
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_line->GetActiveModifier()->GetInputIndex(), 0);
    EXPECT_EQ(m_bar->GetSelectedRow(), first);
    // Up from the first input passes the header to the length row, which ends the modifier.
    key(Qt::Key_Up);
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_EQ(m_bar->GetSelectedRow(), kLength);
    EXPECT_EQ(m_line->GetCurrentParameterIndex(), kLength);
}

TEST_F(CommandBarModifierRowsTest, AnotherModifierReplacesTheRowsAndEndingTheCommandEmptiesTheBar)
{
    AttachLengthModifier();
    ASSERT_TRUE(m_bar->EnterText(u"1,1"));
    Pump();
    // Attaching again starts afresh: one header, empty inputs, the first one selected.
    ASSERT_TRUE(m_manager->ApplyModifierCode(1));
    Pump();
    EXPECT_EQ(m_bar->GetRowCount(), 7);
    int headers = 0;
    for (int row = 0; row < m_bar->GetRowCount(); ++row)
        headers += m_bar->IsHeaderRow(row) ? 1 : 0;
    EXPECT_EQ(headers, 1);
    EXPECT_TRUE(m_bar->GetRowValueText(m_bar->FindModifierInputRow(0)).IsEmpty());
    EXPECT_EQ(m_bar->GetSelectedRow(), m_bar->FindModifierInputRow(0));
    // Shown afresh, as when the command comes back to the top, the bar keeps the modifier's rows.
    m_bar->SetCommand(m_line);
    EXPECT_EQ(m_bar->GetRowCount(), 7);
    EXPECT_EQ(m_bar->GetList().GetItemCount(), 7);
    EXPECT_EQ(m_bar->GetSelectedRow(), m_bar->FindModifierInputRow(0));
    // Row calls for inputs and parameters that have no row change nothing.
    EXPECT_FALSE(m_bar->SelectModifierRow(2));
    EXPECT_FALSE(m_bar->UpdateModifierRow(-1, m_line->GetParameter(kLength)->GetCurrentItem(), TRUE));
    EXPECT_FALSE(m_bar->SelectParameterRow(4));
    EXPECT_FALSE(m_bar->RemoveModifierRows(1));
    EXPECT_EQ(m_bar->GetRowCount(), 7);

    m_manager->EndCommand(nullptr, TRUE);
    Pump();
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
    EXPECT_EQ(m_bar->GetRowCount(), 0);
    EXPECT_EQ(m_bar->GetList().GetItemCount(), 0);
}

}  // namespace
