#include "command/PointParameterItem.h"

#include "command/NumericFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PointParameterItem, ParameterItemBase)

PointParameterItem::PointParameterItem() : ParameterItemBase(typePoint) {}

PointParameterItem::PointParameterItem(const PointParameterItem& source) : PointParameterItem()
{
    Copy(source);
}

BOOL PointParameterItem::SetValue(const RuVaPnt2d& point)
{
    m_point = point;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL PointParameterItem::GetValue(RuVaPnt2d& point) const
{
    if (IsEmpty())
        return FALSE;
    point = m_point;
    return TRUE;
}

BOOL PointParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const PointParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(pSource->m_point);
}

void PointParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const PointParameterItem*>(&source)) {
        m_point = pSource->m_point;
        m_bPickable = pSource->m_bPickable;
        m_bSnapInput = pSource->m_bSnapInput;
        m_bWorldInput = pSource->m_bWorldInput;
    }
}

BOOL PointParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const PointParameterItem*>(&other);
    return (pOther != nullptr && m_point.IsEqual(pOther->m_point, kTolerance)) ? TRUE : FALSE;
}

void PointParameterItem::GetValueText(CString& text) const
{
    text.Empty();
    if (!IsEmpty())
        NumericFormat::PointToString(m_point, text);
}

}  // namespace QZ2Command
