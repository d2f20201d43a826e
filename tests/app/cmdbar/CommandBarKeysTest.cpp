// The complete command bar in the running program: the default keys of the bar's commands, jumping
// to a row of a kind and its tip, modifiers by key and by button, the length history across a
// restart, the toolbar per selected row and the Escape order.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <vector>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "command/CCommandBar.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/CommandPropertyListItem.h"
#include "command/ParameterHistory.h"
#include "command/ParameterItemBase.h"
#include "command/PropertyListItem.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kLineID = 33412;
constexpr int kStart = 0;
constexpr int kLength = 2;

class CommandBarKeysTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_NE(NewDrawing(), nullptr);
        StartLine();
    }

    void StartLine()
    {
        m_bar = m_frame->GetCommandBar();
        ASSERT_NE(m_bar, nullptr);
        Command(kLineID);
        Pump();
        m_line = m_manager->GetActiveCommand();
        ASSERT_NE(m_line, nullptr);
        ASSERT_EQ(m_line->GetParameterCount(), 4);
    }

    // A key pressed while the list (not an editor) has the focus.
    void PressOnList(Qt::Key key, const QString& text)
    {
        m_bar->GetList().SetFocus();
        Pump();
        QWidget* pList = m_bar->GetList().GetQWidget();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(pList, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(pList, &release);
        Pump();
    }

    std::vector<UINT> Buttons()
    {
        std::vector<UINT> ids;
        m_bar->GetToolBar().GetButtonIds(ids);
        return ids;
    }

    CCommandBar* m_bar = nullptr;
    QZ2Command::CommandBase* m_line = nullptr;
};

TEST_F(CommandBarKeysTest, TheDefaultKeysOfTheBarAreSingleLetters)
{
    const struct {
        UINT id;
        const char16_t* key;
    } keys[] = {{37106, u"D"}, {37107, u"A"}, {37108, u"S"}, {37109, u"T"}, {37152, u"L"}, {37153, u"F"},
                {37154, u"V"}, {37155, u"B"}, {37156, u"Q"}, {37157, u"W"}, {37158, u"R"}, {37159, u"M"}};
    for (const auto& k : keys) {
        CString text;
        ASSERT_TRUE(CBCGPKeyboardManager::FindDefaultAccelerator(k.id, text, m_frame, TRUE)) << k.id;
        EXPECT_EQ(text, CString(k.key)) << k.id;
    }
}

TEST_F(CommandBarKeysTest, DJumpsToTheLengthRowWhoseTipNamesTheKey)
{
    ASSERT_EQ(m_line->GetCurrentParameterIndex(), kStart);
    PressOnList(Qt::Key_D, QStringLiteral("d"));
    EXPECT_EQ(m_line->GetCurrentParameterIndex(), kLength);
    const int row = m_bar->FindParameterRow(kLength);
    EXPECT_EQ(m_bar->GetSelectedRow(), row);
    // The caption's tip names the key (it shows even when the caption fits).
    const CRect caption = m_bar->GetList().GetCaptionRect(row);
    CString tip;
    ASSERT_TRUE(m_bar->GetList().GetToolTipText(CPoint(caption.left + 2, caption.CenterPoint().y), tip));
    EXPECT_NE(tip.Find(u"(D)"), -1);
    // A point row has no key of its own: its tip, if any (a caption that does not fit), names none.
    const CRect start = m_bar->GetList().GetCaptionRect(m_bar->FindParameterRow(kStart));
    tip.Empty();
    m_bar->GetList().GetToolTipText(CPoint(start.left + 2, start.CenterPoint().y), tip);
    EXPECT_EQ(tip.Find(u"("), -1);
    // No letter reaches the row's editor.
    PropertyListItem* pRow = m_bar->GetList().GetCurItem();
    ASSERT_NE(pRow, nullptr);
    if (pRow->GetEditor() != nullptr) {
        CString text;
        pRow->GetEditor()->GetWindowText(text);
        EXPECT_EQ(text.Find(u"d"), -1);
    }
}

TEST_F(CommandBarKeysTest, LAndTheLengthButtonAttachTheModifierUnderTheLengthRow)
{
    ASSERT_TRUE(m_bar->EnterText(u"10,20"));
    Pump();
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kLength));
    Pump();
    // The toolbar offers the length modifiers on the length row.
    EXPECT_EQ(Buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37152, 37153, 0, 37105}));
    PressOnList(Qt::Key_L, QStringLiteral("l"));
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_TRUE(m_bar->IsHeaderRow(kLength + 1));
    EXPECT_EQ(m_bar->GetRowCount(), 7);
    // On its input rows only the standard buttons stay.
    EXPECT_EQ(Buttons(), (std::vector<UINT>{37101, 0, 37102, 37103, 0, 37105}));
    // Escape twice on the empty input removes the modifier again.
    m_bar->EscapeInput();
    Pump();
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);

    // The same from the toolbar's button, which the bar handles itself.
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kLength));
    Pump();
    const int button = m_bar->GetToolBar().CommandToIndex(37152);
    ASSERT_GE(button, 0);
    m_bar->GetToolBar().ClickButton(button);
    Pump();
    ASSERT_TRUE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 7);
    // Two points give the length; the rows go.
    TypeAndReturn(u"0,0");
    TypeAndReturn(u"6,8");
    EXPECT_FALSE(m_line->HasModifier());
    EXPECT_EQ(m_bar->GetRowCount(), 4);
    EXPECT_EQ(m_bar->GetRowValueText(kLength).Left(2), CString(u"10"));
}

TEST_F(CommandBarKeysTest, ATypedLengthIsOfferedInTheDropDownAlsoAfterARestartAndDeleteRemovesIt)
{
    ASSERT_TRUE(m_bar->EnterText(u"10,20"));
    Pump();
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kLength));
    Pump();
    TypeAndReturn(u"30");
    ASSERT_FALSE(m_bar->GetRowValueText(kLength).IsEmpty());
    auto offered = [this]() {
        m_manager->SetCurrentParameter(nullptr, kLength);
        Pump();
        m_bar->GetList().SetFocus();
        m_bar->GetList().StartEdit();
        Pump();
        PropertyListItem* pRow = m_bar->GetList().GetCurItem();
        auto* pCombo = pRow != nullptr ? dynamic_cast<CComboBox*>(pRow->GetEditor()) : nullptr;
        int found = -1;
        for (int i = 0; pCombo != nullptr && i < pCombo->GetCount(); ++i) {
            CString entry;
            pCombo->GetLBText(i, entry);
            if (entry.Left(2) == CString(u"30") && static_cast<INT_PTR>(pCombo->GetItemData(i)) >= 0)
                found = i;
        }
        return found;
    };
    EXPECT_GE(offered(), 0);
    m_manager->EndCommand(nullptr, TRUE);
    Pump();

    // The program ends and starts again on the same settings store.
    Stop();
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    m_manager = m_app->GetCommandManager();
    Pump();
    ASSERT_NE(NewDrawing(), nullptr);
    StartLine();
    const int entry = offered();
    ASSERT_GE(entry, 0);
    const int before = m_manager->GetParameterHistory().GetCount(QZ2Command::ParameterItemBase::typeLength);
    EXPECT_TRUE(m_bar->GetList().DeleteHistoryEntry(entry));
    EXPECT_EQ(m_manager->GetParameterHistory().GetCount(QZ2Command::ParameterItemBase::typeLength), before - 1);
    EXPECT_LT(offered(), 0);
}

TEST_F(CommandBarKeysTest, EscapeClearsTheSelectedValueThenCancelsTheCommand)
{
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kLength));
    Pump();
    TypeAndReturn(u"25");
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, kLength));
    Pump();
    ASSERT_FALSE(m_bar->GetRowValueText(kLength).IsEmpty());
    PressOnList(Qt::Key_Escape, QString());
    EXPECT_TRUE(m_bar->GetRowValueText(kLength).IsEmpty());
    EXPECT_EQ(m_manager->GetActiveCommand(), m_line);
    PressOnList(Qt::Key_Escape, QString());
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
    EXPECT_EQ(m_bar->GetRowCount(), 0);
}

TEST_F(CommandBarKeysTest, ANonRepeatableCommandsEntryRunsNothing)
{
    m_manager->EndCommand(nullptr, TRUE);
    Pump();
    m_bar->AddCommandName(u"Edit property", CString());
    ASSERT_EQ(m_bar->GetCommandIdentifier(0), CString());
    EXPECT_FALSE(m_bar->RunCommandEntry(0));
    EXPECT_TRUE(m_manager->GetActiveCommandName().IsEmpty());
    // The line's entry runs the line again.
    ASSERT_EQ(m_bar->GetCommandName(1), m_line->GetDisplayName());
    EXPECT_TRUE(m_bar->RunCommandEntry(1));
    EXPECT_FALSE(m_manager->GetActiveCommandName().IsEmpty());
}

}  // namespace
