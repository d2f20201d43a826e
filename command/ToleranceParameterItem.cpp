#include "command/ToleranceParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ToleranceParameterItem, ParameterItemBase)

ToleranceParameterItem::ToleranceParameterItem() : ParameterItemBase(typeTolerance) {}

BOOL ToleranceParameterItem::SetValue(const CString& text)
{
    m_strText = text;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL ToleranceParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const ToleranceParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(p->m_strText);
}

void ToleranceParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const ToleranceParameterItem*>(&source)) {
        m_strText = p->m_strText;
        m_pDocument = p->m_pDocument;
    }
}

BOOL ToleranceParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const ToleranceParameterItem*>(&other);
    return (p != nullptr && p->m_strText == m_strText) ? TRUE : FALSE;
}

}  // namespace QZ2Command
