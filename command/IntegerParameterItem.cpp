#include "command/IntegerParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(IntegerParameterItem, ParameterItemBase)

IntegerParameterItem::IntegerParameterItem() : ParameterItemBase(typeInteger) {}

void IntegerParameterItem::SetValue(int value)
{
    m_nValue = value;
    m_bEmpty = FALSE;
}

BOOL IntegerParameterItem::GetValue(int& value) const
{
    if (IsEmpty())
        return FALSE;
    value = m_nValue;
    return TRUE;
}

BOOL IntegerParameterItem::SetDefaultValue(int value)
{
    m_nDefault = value;
    m_bNoDefault = FALSE;
    return TRUE;
}

void IntegerParameterItem::ApplyDefault()
{
    if (m_bNoDefault)
        return;
    m_nValue = m_nDefault;
    m_bEmpty = FALSE;
}

BOOL IntegerParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const IntegerParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    SetValue(pSource->m_nValue);
    return TRUE;
}

void IntegerParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const IntegerParameterItem*>(&source)) {
        m_nValue = pSource->m_nValue;
        m_nDefault = pSource->m_nDefault;
    }
}

BOOL IntegerParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const IntegerParameterItem*>(&other);
    return (pOther != nullptr && pOther->m_nValue == m_nValue) ? TRUE : FALSE;
}

CString IntegerParameterItem::FormatValue() const
{
    CString text;
    if (!IsEmpty())
        text.Format(_T("%d"), m_nValue);
    return text;
}

}  // namespace QZ2Command
