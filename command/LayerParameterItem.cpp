#include "command/LayerParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LayerParameterItem, ParameterItemBase)

LayerParameterItem::LayerParameterItem() : ParameterItemBase(typeLayer) {}

BOOL LayerParameterItem::GetValue(long& nLayerID) const
{
    if (IsEmpty())
        return FALSE;
    nLayerID = m_nLayerID;
    return TRUE;
}

BOOL LayerParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const LayerParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_nLayerID = p->m_nLayerID;
    m_bEmpty = FALSE;
    return TRUE;
}

void LayerParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const LayerParameterItem*>(&source)) {
        m_pDocument = p->m_pDocument;
        m_nLayerID = p->m_nLayerID;
        m_nListStyle = p->m_nListStyle;
    }
}

BOOL LayerParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const LayerParameterItem*>(&other);
    return (p != nullptr && p->m_nLayerID == m_nLayerID) ? TRUE : FALSE;
}

}  // namespace QZ2Command
