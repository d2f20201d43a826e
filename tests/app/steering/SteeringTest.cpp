// The frame's commands that steer the running command: Enter, clearing, modifiers, and the parameter,
// alternative and list-choice commands of the menus with their check marks.

#include <gtest/gtest.h>

#include <memory>

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "command/AngleParameterItem.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "tests/support/command/StandInCommandRow.h"

namespace QZ2Command {

// A point; a length with an angle as its second alternative; a list of three choices. The table row of
// kStepID names it while a test runs (StandInCommandRow).
class SteeringTestCommand : public CommandBase
{
    DECLARE_DYNCREATE(SteeringTestCommand)
public:
    void SetupParameters() override
    {
        PointParameterItem point;
        point.SetId(1);
        Add({&point});
        LengthParameterItem length;
        length.SetId(2);
        AngleParameterItem angle;
        angle.SetId(3);
        Add({&length, &angle});
        ListParameterItem list;
        list.SetId(4);
        list.SetItemsFromText(u"x|y|z");
        Add({&list});
    }
    int OnInput(int) override { return resultMissing; }

private:
    void Add(std::initializer_list<const ParameterItemBase*> items)
    {
        auto pParameter = std::make_unique<CommandParameter>();
        for (const ParameterItemBase* pItem : items)
            pParameter->AddItem(*pItem);
        pParameter->SetCurrentIndex(0);
        if (AddParameter(pParameter.get()) >= 0)
            pParameter.release();
    }
};

IMPLEMENT_DYNCREATE(SteeringTestCommand, CommandBase)

}  // namespace QZ2Command

namespace {

using namespace QZ2Command;

constexpr UINT kStepID = 57856;  // any row of the table serves

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class SteeringApp : public CQZ2App
{
};

// Records what an update handler sets.
class RecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn ? 1 : 0;
        CCmdUI::Enable(bOn);
    }
    void SetCheck(int nCheck) override
    {
        m_nChecked = nCheck;
        CCmdUI::SetCheck(nCheck);
    }
    int m_nEnabled = -1;
    int m_nChecked = -1;
};

class SteeringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app = new SteeringApp;
        m_app->SetRegistryKey(u"Korvan");
        CBCGPRegistrySP sp;
        sp.Create(FALSE, FALSE).DeleteKey(CMainFrame::GetSettingsPath());
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->LoadFrame(128));
        m_frame->ShowWindow(SW_SHOW);
        Pump();
        m_manager = m_app->GetCommandManager();
        ASSERT_NE(m_manager, nullptr);
        m_standIn = std::make_unique<kctest::StandInCommandRow>(kStepID, "SteeringTestCommand");
        m_doc.InitDocument();
        m_view.SetDrawingFeature(m_doc.GetActiveDrawingFeature());
        m_view.ResizeView(400, 300);
        m_view.ZoomPaper();
        m_manager->SetDocument(reinterpret_cast<CQZ2Doc*>(&m_slot), &m_doc);
        m_manager->SetActiveDraw2dView(&m_view);
    }
    void TearDown() override
    {
        m_manager->CancelAllCommands();
        m_manager->SetActiveDraw2dView(nullptr);
        m_manager->SetDocument(nullptr, nullptr);
        if (m_frame->GetSafeHwnd() != nullptr)
            m_frame->SendMessage(WM_CLOSE);
        Pump();
        delete m_app;
    }
    CommandBase* Start()
    {
        if (!m_manager->ExecuteCommand(kStepID))
            return nullptr;
        return m_manager->GetActiveCommand();
    }
    void Send(UINT nID) { m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    RecordingCmdUI Update(UINT nID)
    {
        RecordingCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(m_frame, FALSE);
        return ui;
    }

    std::unique_ptr<kctest::StandInCommandRow> m_standIn;
    SteeringApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
    CommandManager* m_manager = nullptr;
    int m_slot = 0;
    Draw2dDocument m_doc;
    Draw2dView m_view{&m_doc};
};

TEST_F(SteeringTest, WithoutACommandNothingIsDoneAndEnterAndClearAreDisabled)
{
    for (UINT nID : {37102u, 37103u, 37152u, 39222u, 39252u, 39362u})
        Send(nID);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(Update(37102).m_nEnabled, 0);
    EXPECT_EQ(Update(37103).m_nEnabled, 0);
    EXPECT_EQ(Update(39222).m_nChecked, -1) << "no mark without a command";
}

TEST_F(SteeringTest, OnlyParametersWithTwoOrMoreAlternativesAreNumbered)
{
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    CommandParameter* pSecond = pCommand->GetParameter(1);

    Send(39253);
    EXPECT_EQ(pSecond->GetCurrentIndex(), 1) << "the second parameter's second alternative";
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 1);
    EXPECT_EQ(Update(39252).m_nChecked, 0);
    EXPECT_EQ(Update(39253).m_nChecked, 1);

    Send(39252);
    EXPECT_EQ(pSecond->GetCurrentIndex(), 0);
    EXPECT_EQ(Update(39252).m_nChecked, 1);

    ASSERT_TRUE(m_manager->SetCurrentParameter(pCommand, 0));
    Send(39254);
    EXPECT_EQ(pSecond->GetCurrentIndex(), 0);
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 0) << "39254 does nothing";
    EXPECT_EQ(Update(39254).m_nChecked, -1);
}

TEST_F(SteeringTest, ListChoicesAreNumberedAcrossTheListsAndTicked)
{
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    auto* pList = static_cast<ListParameterItem*>(pCommand->GetParameterItem(2));
    Send(39364);
    int nValue = -1;
    ASSERT_TRUE(pList->GetValue(nValue));
    EXPECT_EQ(nValue, 2);
    EXPECT_EQ(Update(39364).m_nChecked, 1);
    EXPECT_EQ(Update(39362).m_nChecked, 0);
    Send(39363);
    ASSERT_TRUE(pList->GetValue(nValue));
    EXPECT_EQ(nValue, 1);
    Send(39365);
    ASSERT_TRUE(pList->GetValue(nValue));
    EXPECT_EQ(nValue, 1) << "beyond the choices nothing happens";
    EXPECT_EQ(Update(39365).m_nChecked, -1);
}

TEST_F(SteeringTest, ParameterCommandsMakeTheParameterCurrentAndTickIt)
{
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    Send(39224);
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 2);
    EXPECT_EQ(Update(39224).m_nChecked, 1);
    EXPECT_EQ(Update(39222).m_nChecked, 0);
    Send(39230);
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 2) << "no such parameter";
}

TEST_F(SteeringTest, EnterMovesOnAndClearEmptiesTheCurrentInput)
{
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_EQ(pCommand->GetCurrentParameterIndex(), 0);
    EXPECT_EQ(Update(37102).m_nEnabled, 1);
    Send(37102);
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 1);

    ASSERT_TRUE(m_manager->SetParameterText(1, u"12", TRUE));
    ASSERT_TRUE(m_manager->SetCurrentParameter(pCommand, 1));
    EXPECT_EQ(Update(37103).m_nEnabled, 1);
    Send(37103);
    EXPECT_TRUE(pCommand->GetParameterItem(1)->IsEmpty());

    pCommand->GetParameterItem(1)->m_bClearable = FALSE;
    EXPECT_EQ(Update(37103).m_nEnabled, 0) << "an item that cannot be emptied";
}

TEST_F(SteeringTest, ModifierCommandsLookForAParameterOfTheirKind)
{
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_EQ(pCommand->GetCurrentParameterIndex(), 0);
    Send(37160);
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 0) << "ids past the eight modifiers do nothing";
    Send(37152);  // a length from two points
    EXPECT_EQ(pCommand->GetCurrentParameterIndex(), 1) << "the empty length becomes current";
}

TEST_F(SteeringTest, EscapeInAViewWithACommandRunningBringsTheCommandBar)
{
    m_app->m_pMainWnd = m_frame;
    CommandBase* pCommand = Start();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_NE(m_frame->GetCommandBarWnd(), nullptr);
    m_frame->ShowCommandBar(FALSE);
    Pump();
    ASSERT_FALSE(m_frame->GetCommandBarWnd()->IsVisible());
    m_manager->OnKeyDown(VK_ESCAPE, 1, 0);
    Pump();
    EXPECT_TRUE(m_frame->GetCommandBarWnd()->IsVisible());
    EXPECT_EQ(m_manager->GetActiveCommand(), pCommand) << "the command goes on";
    m_app->m_pMainWnd = nullptr;
}

}  // namespace
