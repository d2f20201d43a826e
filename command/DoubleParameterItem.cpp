#include "command/DoubleParameterItem.h"

#include <cfloat>
#include <cmath>

#include "command/NumericFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DoubleParameterItem, ParameterItemBase)

DoubleParameterItem::DoubleParameterItem() : ParameterItemBase(typeDouble) {}

DoubleParameterItem::DoubleParameterItem(int nTypeCode) : ParameterItemBase(nTypeCode) {}

void DoubleParameterItem::SetValue(double value)
{
    m_dValue = value;
    m_bEmpty = FALSE;
}

BOOL DoubleParameterItem::GetValue(double& value) const
{
    if (IsEmpty())
        return FALSE;
    value = m_dValue;
    return TRUE;
}

BOOL DoubleParameterItem::SetDefaultValue(double value)
{
    m_dDefault = value;
    m_bNoDefault = FALSE;
    return TRUE;
}

void DoubleParameterItem::ApplyDefault()
{
    if (m_bNoDefault)
        return;
    m_dValue = m_dDefault;
    m_bEmpty = FALSE;
}

BOOL DoubleParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const DoubleParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_dValue = pSource->m_dValue;
    m_bEmpty = FALSE;
    return TRUE;
}

void DoubleParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const DoubleParameterItem*>(&source)) {
        m_dValue = pSource->m_dValue;
        m_dDefault = pSource->m_dDefault;
        m_nFormatOverride = pSource->m_nFormatOverride;
    }
}

BOOL DoubleParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const DoubleParameterItem*>(&other);
    if (pOther == nullptr)
        return FALSE;
    return std::fabs(m_dValue - pOther->m_dValue) < DBL_MIN ? TRUE : FALSE;
}

CString DoubleParameterItem::FormatValue() const
{
    CString text;
    if (IsEmpty())
        return text;
    NumericFormat::DoubleToString(m_dValue, text, m_nFormatOverride);
    return text;
}

}  // namespace QZ2Command
