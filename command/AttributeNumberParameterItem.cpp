#include "command/AttributeNumberParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(AttributeNumberParameterItem, ParameterItemBase)

const AttributeNumberParameterItem* AttributeNumberParameterItem::SameKind(const ParameterItemBase& other) const
{
    const auto* p = dynamic_cast<const AttributeNumberParameterItem*>(&other);
    return p != nullptr && p->GetTypeCode() == GetTypeCode() ? p : nullptr;
}

BOOL AttributeNumberParameterItem::GetValue(short& nNumber) const
{
    if (IsEmpty())
        return FALSE;
    nNumber = static_cast<short>(m_wNumber);
    return TRUE;
}

BOOL AttributeNumberParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const AttributeNumberParameterItem* p = SameKind(source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_wNumber = p->m_wNumber;
    m_bEmpty = FALSE;
    return TRUE;
}

void AttributeNumberParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const AttributeNumberParameterItem* p = SameKind(source)) {
        m_wNumber = p->m_wNumber;
        m_wLayerNumber = p->m_wLayerNumber;
        m_bShowByLayer = p->m_bShowByLayer;
    }
}

BOOL AttributeNumberParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const AttributeNumberParameterItem* p = SameKind(other);
    return (p != nullptr && p->m_wNumber == m_wNumber) ? TRUE : FALSE;
}

}  // namespace QZ2Command
