#include "command/ParameterModifierBase.h"

#include "command/ParameterItemBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(ParameterModifierBase, CObject)

ParameterModifierBase::ParameterModifierBase(CommandBase* pCommand, int nParameterIndex)
    : m_pCommand(pCommand), m_nParameterIndex(nParameterIndex)
{
}

ParameterModifierBase::~ParameterModifierBase()
{
    delete m_pSubModifier;
}

BOOL ParameterModifierBase::Start()
{
    m_nInputIndex = -1;
    return TRUE;
}

void ParameterModifierBase::End()
{
    if (m_pSubModifier != nullptr) {
        m_pSubModifier->End();
        delete m_pSubModifier;
        m_pSubModifier = nullptr;
    }
    m_nInputIndex = -1;
}

int ParameterModifierBase::GetInputCount() const
{
    return 0;
}

ParameterItemBase* ParameterModifierBase::GetInputItem(int) const
{
    return nullptr;
}

BOOL ParameterModifierBase::ComputeValue(ParameterItemBase&) const
{
    return FALSE;
}

ParameterModifierBase* ParameterModifierBase::GetInnermost()
{
    ParameterModifierBase* p = this;
    while (p->m_pSubModifier != nullptr)
        p = p->m_pSubModifier;
    return p;
}

int ParameterModifierBase::GetDepth() const
{
    int n = 1;
    for (const ParameterModifierBase* p = m_pSubModifier; p != nullptr; p = p->m_pSubModifier)
        ++n;
    return n;
}

BOOL ParameterModifierBase::EndInnermostLink()
{
    if (m_pSubModifier == nullptr)
        return FALSE;
    ParameterModifierBase* pParent = this;
    while (pParent->m_pSubModifier->m_pSubModifier != nullptr)
        pParent = pParent->m_pSubModifier;
    pParent->m_pSubModifier->End();
    delete pParent->m_pSubModifier;
    pParent->m_pSubModifier = nullptr;
    return TRUE;
}

BOOL ParameterModifierBase::SetInputIndex(int nIndex)
{
    if (nIndex < -1 || nIndex >= GetInputCount())
        return FALSE;
    m_nInputIndex = nIndex;
    return TRUE;
}

void ParameterModifierBase::SetSubModifier(ParameterModifierBase* pModifier)
{
    if (pModifier == m_pSubModifier)
        return;
    delete m_pSubModifier;
    m_pSubModifier = pModifier;
}

}  // namespace QZ2Command
