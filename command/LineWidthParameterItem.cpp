#include "command/LineWidthParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LineWidthParameterItem, ParameterItemBase)

LineWidthParameterItem::LineWidthParameterItem() : ParameterItemBase(typeLineWidth) {}

BOOL LineWidthParameterItem::SetValue(WORD wNumber, double dWidth)
{
    m_wNumber = wNumber;
    m_dWidth = dWidth;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL LineWidthParameterItem::GetValue(WORD& wNumber, double& dWidth) const
{
    if (IsEmpty())
        return FALSE;
    wNumber = m_wNumber;
    dWidth = m_dWidth;
    return TRUE;
}

BOOL LineWidthParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const LineWidthParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(p->m_wNumber, p->m_dWidth);
}

void LineWidthParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const LineWidthParameterItem*>(&source)) {
        m_pTable = p->m_pTable;
        m_wNumber = p->m_wNumber;
        m_wLayerNumber = p->m_wLayerNumber;
        m_dWidth = p->m_dWidth;
        m_bShowByLayer = p->m_bShowByLayer;
    }
}

BOOL LineWidthParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const LineWidthParameterItem*>(&other);
    if (p == nullptr || p->m_wNumber != m_wNumber)
        return FALSE;
    return (m_wNumber != 0xFFFF || p->m_dWidth == m_dWidth) ? TRUE : FALSE;
}

}  // namespace QZ2Command
