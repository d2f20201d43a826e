#include "command/ColorParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ColorParameterItem, ParameterItemBase)

ColorParameterItem::ColorParameterItem() : ParameterItemBase(typeColor) {}

BOOL ColorParameterItem::GetValue(short& nNumber) const
{
    if (IsEmpty())
        return FALSE;
    nNumber = static_cast<short>(m_wNumber);
    return TRUE;
}

BOOL ColorParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const ColorParameterItem*>(&source);
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

void ColorParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const ColorParameterItem*>(&source)) {
        m_pTable = p->m_pTable;
        m_wNumber = p->m_wNumber;
        m_wLayerNumber = p->m_wLayerNumber;
        m_bShowByLayer = p->m_bShowByLayer;
    }
}

BOOL ColorParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const ColorParameterItem*>(&other);
    return (p != nullptr && p->m_wNumber == m_wNumber) ? TRUE : FALSE;
}

}  // namespace QZ2Command
