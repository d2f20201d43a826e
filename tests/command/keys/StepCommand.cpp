#include "StepCommand.h"

#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(KeysTestStepCommand, CommandBase)

namespace {

void AddParameterOf(CommandBase* pCommand, std::initializer_list<ParameterItemBase*> items)
{
    auto pParameter = std::make_unique<CommandParameter>();
    for (ParameterItemBase* pItem : items) {
        pParameter->AddItem(*pItem);
        delete pItem;
    }
    pParameter->SetCurrentIndex(0);
    if (pCommand->AddParameter(pParameter.get()) >= 0)
        pParameter.release();
}

template <class Item>
Item* Make(int nId)
{
    auto* pItem = new Item;
    pItem->SetId(nId);
    return pItem;
}

}  // namespace

void KeysTestStepCommand::SetupParameters()
{
    AddParameterOf(this, {Make<PointParameterItem>(100)});
    auto* pAngle = Make<AngleParameterItem>(kSizeAngleID);
    AddParameterOf(this, {Make<LengthParameterItem>(101), pAngle});
    AddParameterOf(this, {Make<PointArrayParameterItem>(102)});
    auto* pList = Make<ListParameterItem>(103);
    pList->SetItemsFromText(u"a|b|c");
    AddParameterOf(this, {pList});
    auto* pMulti = Make<MultiParameterItem>(104);
    pMulti->m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptLength;
    AddParameterOf(this, {pMulti});
    AddParameterOf(this, {Make<ScaleParameterItem>(105)});
    AddParameterOf(this, {Make<IntegerParameterItem>(106)});
    auto* pNumber = Make<DoubleParameterItem>(107);
    pNumber->SetDefaultValue(3.0);
    AddParameterOf(this, {pNumber});
    AddParameterOf(this, {Make<TextParameterItem>(108)});
    auto* pKept = Make<LengthParameterItem>(109);
    pKept->m_nRetentionMode = 2;
    AddParameterOf(this, {pKept});
    AddParameterOf(this, {Make<FeatureSequenceListParameterItem>(110)});
}

int KeysTestStepCommand::OnInput(int nIndex)
{
    m_runs.push_back(nIndex);
    return m_nResult;
}

BOOL KeysTestStepCommand::ValidateParameterValue(int nIndex, const ParameterItemBase&)
{
    return nIndex != m_nRefusedParameter;
}

BOOL KeysTestStepCommand::OnAlternativeChanging(int, int)
{
    return !m_bRefuseAlternative;
}

ParameterModifierBase* KeysTestStepCommand::AttachModifier(int nKind, int nParameter)
{
    ParameterModifierBase* pModifier = ParameterModifierBase::CreateModifier(nKind, this, nParameter);
    if (pModifier == nullptr)
        return nullptr;
    delete m_pModifier;
    m_pModifier = pModifier;
    m_nModifierParameter = nParameter;
    pModifier->Start();
    pModifier->SetInputIndex(pModifier->FindFirstMissingInput());
    return pModifier;
}

ParameterModifierBase* KeysTestStepCommand::AttachInnerModifier(int nKind, int nOuterInput)
{
    if (m_pModifier == nullptr)
        return nullptr;
    ParameterModifierBase* pModifier = ParameterModifierBase::CreateModifier(nKind, this, nOuterInput);
    if (pModifier == nullptr)
        return nullptr;
    m_pModifier->GetInnermost()->SetSubModifier(pModifier);
    pModifier->Start();
    pModifier->SetInputIndex(pModifier->FindFirstMissingInput());
    return pModifier;
}

}  // namespace QZ2Command
