#include "command/DrawComponentParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawComponentParameterItem, ParameterItemBase)

DrawComponentParameterItem::DrawComponentParameterItem() : ParameterItemBase(typeDrawComponent) {}

BOOL DrawComponentParameterItem::SetValue(int nComponentID)
{
    m_nComponentID = nComponentID;
    m_bEmpty = nComponentID == -1 ? TRUE : FALSE;
    return TRUE;
}

BOOL DrawComponentParameterItem::GetValue(int& nComponentID) const
{
    if (IsEmpty())
        return FALSE;
    nComponentID = m_nComponentID;
    return TRUE;
}

BOOL DrawComponentParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const DrawComponentParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_pTable = p->m_pTable;
    return SetValue(p->m_nComponentID);
}

void DrawComponentParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const DrawComponentParameterItem*>(&source)) {
        m_nComponentID = p->m_nComponentID;
        m_pTable = p->m_pTable;
    }
}

BOOL DrawComponentParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const DrawComponentParameterItem*>(&other);
    return (p != nullptr && p->m_nComponentID == m_nComponentID && p->m_pTable == m_pTable) ? TRUE : FALSE;
}

}  // namespace QZ2Command
