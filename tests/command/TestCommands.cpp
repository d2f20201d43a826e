#include "tests/command/TestCommands.h"

#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"

namespace QZ2Command {

std::vector<std::string>& TestLog()
{
    static std::vector<std::string> log;
    return log;
}

std::string ShortName(const CString& identifier)
{
    const int dot = identifier.ReverseFind(_T('.'));
    const CString tail = identifier.Mid(dot + 1);
    std::string s;
    for (int i = 0; i < tail.GetLength(); ++i)
        s += static_cast<char>(tail[i]);
    return s;
}

IMPLEMENT_DYNAMIC(ScriptedCommand, CommandBase)

void ScriptedCommand::Log(const char* event)
{
    TestLog().push_back(ShortName(m_strIdentifier) + ":" + event);
}

BOOL ScriptedCommand::OnStart()
{
    Log("start");
    return m_bStartResult;
}

int ScriptedCommand::OnInput(int nIndex)
{
    m_inputs.push_back(nIndex);
    Log("input");
    if (m_bEndSelfInInput)
        m_pManager->EndCommand(this, TRUE);
    if (m_results.empty())
        return m_nDefaultResult;
    const int r = m_results.front();
    m_results.pop_front();
    return r;
}

void ScriptedCommand::OnEnd()
{
    Log("end");
}

BOOL ScriptedCommand::OnSuspend()
{
    Log("suspend");
    return TRUE;
}

BOOL ScriptedCommand::OnResume()
{
    Log("resume");
    return TRUE;
}

void ScriptedCommand::OnDocumentChanging(Draw2dDocument* pPrevious)
{
    Log("document");
    CommandBase::OnDocumentChanging(pPrevious);
}

void ScriptedCommand::OnViewChanged()
{
    Log("view");
    CommandBase::OnViewChanged();
}

namespace {

CommandParameter* OneItem(const ParameterItemBase& item)
{
    auto* pParameter = new CommandParameter;
    pParameter->SetCurrentIndex(pParameter->AddItem(item));
    return pParameter;
}

}  // namespace

IMPLEMENT_DYNCREATE(Line2dCommand, ScriptedCommand)

void Line2dCommand::SetupParameters()
{
    PointParameterItem p1;
    p1.SetId(1);
    p1.m_wBaseItemId = 2;
    PointParameterItem p2;
    p2.SetId(2);
    p2.m_wBaseItemId = 1;
    LengthParameterItem len;
    len.SetId(3);
    len.m_nRetentionMode = 2;
    len.m_bRequired = FALSE;
    ListParameterItem mode;
    mode.SetId(4);
    mode.SetItemsFromText(_T("a|b|c"));
    mode.m_nRetentionMode = 2;
    mode.SetDefaultValue(0);
    m_pManager->AddParameter(this, OneItem(p1));
    m_pManager->AddParameter(this, OneItem(p2));
    m_pManager->AddParameter(this, OneItem(len));
    m_pManager->AddParameter(this, OneItem(mode));
}

IMPLEMENT_DYNCREATE(OptionsCommand, ScriptedCommand)

OptionsCommand::OptionsCommand()
{
    m_bNeedsDrawing = FALSE;
    m_nDefaultResult = resultFinished;
}

IMPLEMENT_DYNCREATE(GridSettingCommand, ScriptedCommand)

void GridSettingCommand::SetupParameters()
{
    PointParameterItem p;
    p.SetId(1);
    m_pManager->AddParameter(this, OneItem(p));
}

IMPLEMENT_DYNCREATE(Move2dCommand, ScriptedCommand)

void Move2dCommand::SetupParameters()
{
    FeatureGroupParameterItem group;
    group.SetId(1);
    group.m_bTakeSelection = TRUE;
    PointParameterItem base;
    base.SetId(2);
    m_pManager->AddParameter(this, OneItem(group));
    m_pManager->AddParameter(this, OneItem(base));
}

IMPLEMENT_DYNCREATE(Circle2dCommand, ScriptedCommand)

Circle2dCommand::Circle2dCommand()
{
    m_bNeedsDrawing = FALSE;
}

void Circle2dCommand::SetupParameters()
{
    IntegerParameterItem count;
    count.SetId(1);
    count.m_nRetentionMode = 2;
    m_pManager->AddParameter(this, OneItem(count));
    auto* pChoice = new CommandParameter;
    LengthParameterItem radius;
    radius.SetId(2);
    radius.m_nRetentionMode = 2;
    LengthParameterItem diameter;
    diameter.SetId(3);
    diameter.m_nRetentionMode = 2;
    pChoice->AddItem(radius);
    pChoice->AddItem(diameter);
    pChoice->SetCurrentIndex(0);
    m_pManager->AddParameter(this, pChoice);
}

IMPLEMENT_DYNCREATE(Polyline2dCommand, ScriptedCommand)

void Polyline2dCommand::SetupParameters()
{
    PointArrayParameterItem points;
    points.SetId(1);
    m_pManager->AddParameter(this, OneItem(points));
}

IMPLEMENT_DYNCREATE(Hatch2dCommand, ScriptedCommand)

void Hatch2dCommand::SetupParameters()
{
    FeatureSequenceListParameterItem boundaries;
    boundaries.SetId(1);
    m_pManager->AddParameter(this, OneItem(boundaries));
}

IMPLEMENT_DYNCREATE(Trim2dCommand, ScriptedCommand)

void Trim2dCommand::SetupParameters()
{
    FeatureGroupParameterItem group;
    group.SetId(1);
    group.m_dwShapeModes = 2 | 8;
    group.m_dwPartModes = 2;
    group.m_bEditableOnly = TRUE;
    group.m_dwAcceptedKinds = 0x6;
    m_pManager->AddParameter(this, OneItem(group));
}

}  // namespace QZ2Command
