#include "FeaturePickCommand.h"

#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/AngleParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"

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

    LengthParameterItem length;
    length.m_strCaption = _T("Size by length");
    AngleParameterItem angle;
    angle.m_strCaption = _T("Size by angle");
    CommandParameter* pSize = OneItem(length, 8);
    angle.SetId(9);
    angle.m_bRequired = FALSE;
    pSize->AddItem(angle);
    pSize->SetCurrentIndex(1);
    m_pManager->AddParameter(this, pSize);

    DoubleParameterItem number;
    number.m_strCaption = _T("Step as number");
    IntegerParameterItem count;
    count.m_strCaption = _T("Step as count");
    CommandParameter* pStep = OneItem(number, 10);
    count.SetId(11);
    count.m_bRequired = FALSE;
    pStep->AddItem(count);
    m_pManager->AddParameter(this, pStep);

    ListParameterItem kind;
    kind.m_strCaption = _T("Kind");
    kind.SetItemsFromText(_T("Near|Far|Both"));
    kind.SetValue(1);
    m_pManager->AddParameter(this, OneItem(kind, 12));
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
