#include "FeaturePickCommand.h"

#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/MultiParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Trim2dCommand, CommandBase)

namespace {

CommandParameter* OneItem(ParameterItemBase& item, int nId)
{
    item.SetId(nId);
    // Optional inputs: a run that reports missing input leaves the current parameter where the test put it.
    item.m_bRequired = FALSE;
    auto* pParameter = new CommandParameter;
    pParameter->AddItem(item);
    pParameter->SetCurrentIndex(0);
    return pParameter;
}

}  // namespace

void Trim2dCommand::SetupParameters()
{
    FeatureParameterItem feature;
    FeatureListParameterItem list;
    FeatureSequenceListParameterItem sequences;
    FeatureSequenceParameterItem sequence;
    FeatureGroupParameterItem group;
    MultiParameterItem multi;
    multi.m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptFeature;
    FeatureParameterItem second;
    m_pManager->AddParameter(this, OneItem(feature, 1));
    m_pManager->AddParameter(this, OneItem(list, 2));
    m_pManager->AddParameter(this, OneItem(sequences, 3));
    m_pManager->AddParameter(this, OneItem(sequence, 4));
    m_pManager->AddParameter(this, OneItem(group, 5));
    m_pManager->AddParameter(this, OneItem(multi, 6));
    m_pManager->AddParameter(this, OneItem(second, 7));
}

int Trim2dCommand::OnInput(int)
{
    ++m_nRuns;
    if (m_results.empty())
        return resultMissing;
    const int result = m_results.front();
    m_results.pop_front();
    return result;
}

BOOL Trim2dCommand::ValidateParameterValue(int nIndex, const ParameterItemBase&)
{
    return nIndex != m_nRefuse;
}

}  // namespace QZ2Command
